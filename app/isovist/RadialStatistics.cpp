#include "isovist/RadialStatistics.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "isovist/IsovistMeasures.h"

namespace {

constexpr double kOverRayCount = 1.0 / 1440.0;         // 0.0006944444444444445
constexpr double kOverRayCountLessOne = 1.0 / 1439.0;  // 0.0006949270326615705
constexpr int kAutocorrelationStep = 40;               // every 10 degrees
constexpr int kAutocorrelationSamples = kStatisticsRayCount / kAutocorrelationStep;

using RayLengths = std::array<double, kStatisticsRayCount>;

double Length(const PlanSegment& s) {
    const double dx = s.end.x - s.start.x;
    const double dy = s.end.y - s.start.y;
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

bool ComputeRadialStats(std::span<const PlanSegment> radialLines, RadialStats& stats) {
    if (radialLines.empty()) {
        return false;
    }
    // The lines that stand for distinct rays: all but the closing one, at most 1440.
    const std::size_t rays =
        std::min(radialLines.size() - 1, static_cast<std::size_t>(kStatisticsRayCount));
    RayLengths lengths{};
    stats.rayCount = 1440.0;
    stats.sum = 0.0;
    for (std::size_t i = 0; i < rays; ++i) {
        lengths[i] = Length(radialLines[i]);
        stats.sum += lengths[i];
    }
    stats.mean = stats.sum * kOverRayCount;

    double squares = 0.0;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        squares += (lengths[i] - stats.mean) * (lengths[i] - stats.mean);
    }
    stats.variance = squares * kOverRayCountLessOne;
    stats.standardDeviation = std::sqrt(stats.variance);

    stats.differenceEntropy = DifferenceEntropy(kStatisticsRayCount, lengths.data());

    std::array<double, kAutocorrelationSamples> sample{};
    for (int k = 0; k < kAutocorrelationSamples; ++k) {
        sample[static_cast<std::size_t>(k)] =
            lengths[static_cast<std::size_t>(k * kAutocorrelationStep)];
    }
    stats.autocorrelation = Autocorrelation(kAutocorrelationSamples, sample.data(), 1);

    RayLengths sorted = lengths;
    std::sort(sorted.begin(), sorted.end());
    stats.min = sorted.front();
    stats.max = sorted.back();
    // Only a set without any real ray has a zero maximum; it has no elongation either.
    stats.elongation = stats.max > 0.0 ? stats.mean / stats.max : 0.0;
    return true;
}
