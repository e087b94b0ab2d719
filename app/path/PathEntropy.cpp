#include "path/PathEntropy.h"

#include <cmath>
#include <vector>

namespace {

// The entropy of bin counts, each share taken of `divisor`, in bin order.
double EntropyOfCounts(const std::vector<size_t>& counts, size_t divisor) {
    const size_t m = counts.size();
    if (m < 2 || divisor == 0) {
        return 0.0;
    }
    const double logM = std::log(static_cast<double>(m));
    double entropy = 0.0;
    for (const size_t count : counts) {
        if (count > 0) {
            const double p = static_cast<double>(count) / static_cast<double>(divisor);
            entropy -= p * std::log(p) / logM;
        }
    }
    return entropy;
}

}  // namespace

size_t EntropyBin(double value, std::span<const double> thresholds) {
    const size_t m = thresholds.size();
    for (size_t i = 0; i + 1 < m; ++i) {
        if (thresholds[i] <= value && value < thresholds[i + 1]) {
            return i;
        }
    }
    return m - 1;
}

double EntropyOfValues(std::span<const double> values, std::span<const double> thresholds) {
    if (thresholds.size() < 2) {
        return 0.0;
    }
    std::vector<size_t> counts(thresholds.size(), 0);
    for (const double value : values) {
        ++counts[EntropyBin(value, thresholds)];
    }
    return EntropyOfCounts(counts, values.size());
}

double EntropyOfDifferences(std::span<const double> values, std::span<const double> thresholds) {
    if (thresholds.size() < 2) {
        return 0.0;
    }
    std::vector<size_t> counts(thresholds.size(), 0);
    for (size_t k = 0; k + 1 < values.size(); ++k) {
        ++counts[EntropyBin(std::fabs(values[k] - values[k + 1]), thresholds)];
    }
    return EntropyOfCounts(counts, values.size());
}
