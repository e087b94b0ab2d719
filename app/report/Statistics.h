// Sum, mean and sample variance of a list of values, and the four lines the analysis reports
// print them in.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct SampleStatistics {
    int32_t count = 0;
    double sum = 0.0;
    double mean = 0.0;
    double variance = 0.0;  // sample variance: divided by count - 1
    double standardDeviation = 0.0;

    friend bool operator==(const SampleStatistics&, const SampleStatistics&) = default;
};

// Sum in list order; mean = sum / n; variance = sum of (value - mean)² / (n - 1), again in list
// order; standard deviation = its square root. With fewer than two values there is no spread
// to measure and the variance and standard deviation are 0; with no values everything is 0.
SampleStatistics ComputeSampleStatistics(std::span<const double> values);

// "\tSum:" + afterLabel + "%.4f\r\n", then the same for "Mean:", "Variance:" and "S.D.:".
// The grid report puts " \t\t" after each label, the path report "\t".
std::string StatisticsLines(const SampleStatistics& statistics, std::string_view afterLabel);
