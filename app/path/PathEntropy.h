// Shannon entropies of a measure along a path, binned by a set of class thresholds, normalised
// by the logarithm of the number of bins.
#pragma once

#include <span>

// The bin of a value among m thresholds t: the first i (0 <= i <= m - 2) with
// t[i] <= x < t[i + 1]; every other value (at or above t[m - 1], below t[0], not a number) goes
// to the last bin m - 1. Needs m >= 1.
size_t EntropyBin(double value, std::span<const double> thresholds);

// H = -sum over the filled bins of p ln p / ln m, p = (values in the bin) / n, n the number of
// values. 0 with no thresholds, with a single threshold (ln 1 = 0) or with no values.
double EntropyOfValues(std::span<const double> values, std::span<const double> thresholds);

// The same binning over the n - 1 changes |x[k] - x[k + 1]|, but with p divided by the number
// of values n, not by the number of changes.
double EntropyOfDifferences(std::span<const double> values, std::span<const double> thresholds);
