// The angular index never misses a candidate: every segment whose interval holds an angle
// (within the extension tolerance) is among the candidates of that angle, in table order.
#include "isovist/IsovistAngleIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>

namespace {

constexpr double kPi = std::numbers::pi;

// The interval test on a fresh angle, widened by `tolerance` on both sides.
bool Holds(double angle, double lo, double hi, double tolerance) {
    while (angle > hi + tolerance) {
        angle -= 2 * kPi;
    }
    while (angle < lo - tolerance) {
        angle += 2 * kPi;
    }
    return lo - tolerance <= angle && angle <= hi + tolerance;
}

void ExpectNoCandidateMissed(const std::vector<double>& lo, const std::vector<double>& hi,
                             const std::vector<double>& angles) {
    IsovistAngleIndex index;
    index.build(lo, hi);
    for (const double angle : angles) {
        const auto candidates = index.candidates(angle);
        ASSERT_TRUE(std::is_sorted(candidates.begin(), candidates.end()));
        for (size_t i = 0; i < lo.size(); ++i) {
            if (Holds(angle, lo[i], hi[i], 3e-8)) {
                EXPECT_TRUE(std::binary_search(candidates.begin(), candidates.end(),
                                               static_cast<int32_t>(i)))
                    << "segment " << i << " [" << lo[i] << ", " << hi[i] << "] at " << angle;
            }
        }
    }
}

TEST(IsovistAngleIndex, HandPickedIntervals) {
    // Ordinary, straddling +-pi (hi beyond pi), exactly pi wide, a single direction, and ends
    // on bucket-like boundaries.
    const std::vector<double> lo = {0.0, 3.0, -kPi / 2, 1.0, -kPi, kPi, 2.0};
    const std::vector<double> hi = {0.5, 3.5, kPi / 2, 1.0, -kPi + 0.1, kPi + 0.2, 2.0 + kPi};
    std::vector<double> angles = {0.0, 0.5,  1.0, 2 * kPi,   kPi,   -kPi,
                                  3.2, -3.2, 2.0, 2.0 + kPi, 1e-300};
    for (int k = 0; k <= 1440; ++k) {
        angles.push_back(k * (kPi / 720.0));
    }
    ExpectNoCandidateMissed(lo, hi, angles);
}

TEST(IsovistAngleIndex, RandomIntervals) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> start(-kPi, kPi);
    std::uniform_real_distribution<double> width(0.0, kPi);
    for (const int count : {1, 50, 3000}) {
        std::vector<double> lo;
        std::vector<double> hi;
        std::vector<double> angles;
        for (int i = 0; i < count; ++i) {
            lo.push_back(start(random));
            hi.push_back(lo.back() + (i % 7 == 0 ? 1e-9 : width(random)));
            angles.push_back(lo.back());
            angles.push_back(hi.back());
            angles.push_back(start(random));
        }
        ExpectNoCandidateMissed(lo, hi, angles);
    }
}

TEST(IsovistAngleIndex, IntervalsThatAreNotNumbersAreNeverCandidates) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    IsovistAngleIndex index;
    index.build(std::vector<double>{nan, 0.0}, std::vector<double>{1.0, nan});
    for (const double angle : {0.0, 0.5, 1.0, -3.0}) {
        EXPECT_TRUE(index.candidates(angle).empty());
    }
    EXPECT_TRUE(index.candidates(nan).empty());
}

}  // namespace
