#include "report/PathReport.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "document/DocumentSettings.h"
#include "path/PathEntropy.h"
#include "report/Statistics.h"

namespace {

constexpr const char* kAfterNormalization = "\t[After Normailzation]\r\n";

std::string EntropyLine(double entropy, const char* note = "") {
    char text[400];
    std::snprintf(text, sizeof text, "\tEntropy:\t%.10f%s\r\n", entropy, note);
    return text;
}

// The values divided by their largest value; all 0 when that is 0 or not a number.
std::vector<double> Normalised(const std::vector<double>& values) {
    double largest = std::nan("");
    for (const double value : values) {
        if (!std::isnan(value) && (std::isnan(largest) || value > largest)) {
            largest = value;
        }
    }
    std::vector<double> normalised(values.size(), 0.0);
    if (std::isnan(largest) || largest == 0.0) {
        return normalised;
    }
    for (size_t i = 0; i < values.size(); ++i) {
        normalised[i] = values[i] / largest;
    }
    return normalised;
}

class PathReportWriter {
  public:
    explicit PathReportWriter(const EntropyParams& params) : params_(params) {}

    // "\r\n", the title line and the four statistics lines of the values.
    void block(const char* title, const std::vector<double>& values) {
        text_ += "\r\n";
        text_ += title;
        text_ += "\r\n";
        text_ += StatisticsLines(ComputeSampleStatistics(values), "\t");
    }
    // The entropy of the values with one set and of their differences with another.
    void pair(const std::vector<double>& values, size_t valueSet, size_t differenceSet) {
        text_ += EntropyLine(EntropyOfValues(values, set(valueSet)));
        text_ += EntropyLine(EntropyOfDifferences(values, set(differenceSet)));
    }
    void pair(const std::vector<double>& values, size_t set) { pair(values, set, set); }
    void normalisedPair(const std::vector<double>& values) {
        text_ += kAfterNormalization;
        pair(Normalised(values), 2);
    }
    void raw(const std::string& text) { text_ += text; }
    const std::vector<double>& set(size_t k) const { return params_.sets[k]; }
    std::string take() { return std::move(text_); }

  private:
    const EntropyParams& params_;
    std::string text_;
};

template <typename Record>
std::vector<double> ValuesOf(std::span<const Record> items,
                             const std::function<double(const Record&)>& value) {
    std::vector<double> values;
    values.reserve(items.size());
    for (const Record& item : items) {
        values.push_back(value(item));
    }
    return values;
}

}  // namespace

std::string PathReportText(std::span<const IsovistRecord> records,
                           std::span<const RadialStats> radialStats, int32_t isovistMethod,
                           const EntropyParams& params) {
    if (records.empty()) {
        return {};
    }
    using R = IsovistRecord;
    auto values = [records](double R::*field) {
        return ValuesOf<R>(records, [field](const R& r) { return r.*field; });
    };
    PathReportWriter w(params);
    w.raw("Number of Observation Points: " + std::to_string(records.size()) + "\r\n");

    const std::vector<double> area = values(&R::area);
    w.block("Area", area);
    w.raw(EntropyLine(EntropyOfValues(area, w.set(1)), "\t(based on absolute value)"));
    w.raw(EntropyLine(EntropyOfDifferences(area, w.set(1)), "\t(based on difference)"));
    w.normalisedPair(area);

    const std::vector<double> perimeter = values(&R::perimeter);
    w.block("Perimeter", perimeter);
    w.pair(perimeter, 0);

    const std::vector<double> drift = values(&R::drift);
    w.block("Drift", drift);
    w.pair(drift, 0);
    w.normalisedPair(drift);

    const std::vector<double> occlusivity = values(&R::occlusivity);
    w.block("Occlusivity", occlusivity);
    w.pair(occlusivity, 2);

    const std::vector<double> compactness = values(&R::compactness);
    w.block("Compactness", compactness);
    w.normalisedPair(compactness);

    const std::vector<double> circularity = values(&R::circularity);
    w.block("Circularity", circularity);
    w.normalisedPair(circularity);

    if (isovistMethod != kApproximateRadialMethod || radialStats.size() != records.size()) {
        return w.take();
    }
    using S = RadialStats;
    const std::vector<double> meanRadial =
        ValuesOf<S>(radialStats, [](const S& s) { return s.mean; });
    w.block("Mean radial", meanRadial);
    w.pair(meanRadial, 0);

    std::vector<double> complexity;
    for (size_t i = 0; i < records.size(); ++i) {
        complexity.push_back(radialStats[i].variance / records[i].area);
    }
    w.block("Complexity", complexity);

    const std::vector<double> elongation =
        ValuesOf<S>(radialStats, [](const S& s) { return s.elongation; });
    w.block("Elongation", elongation);
    w.pair(elongation, 2);

    const std::vector<double> autocorrelation =
        ValuesOf<S>(radialStats, [](const S& s) { return s.autocorrelation; });
    w.block("Autocorrelation (10 degree)", autocorrelation);
    w.raw("\t[Based on actual values]\r\n");
    w.pair(autocorrelation, 3, 4);
    w.raw("\t[Based on absolute values]\r\n");
    std::vector<double> absolute;
    for (const double value : autocorrelation) {
        absolute.push_back(std::fabs(value));
    }
    w.pair(absolute, 2);
    return w.take();
}
