#include "report/Statistics.h"

#include <cmath>

#include "document/NumberText.h"

SampleStatistics ComputeSampleStatistics(std::span<const double> values) {
    SampleStatistics s;
    s.count = static_cast<int32_t>(values.size());
    if (values.empty()) {
        return s;
    }
    for (const double value : values) {
        s.sum += value;
    }
    const double n = static_cast<double>(values.size());
    s.mean = s.sum / n;
    if (values.size() > 1) {
        double squares = 0.0;
        for (const double value : values) {
            const double deviation = value - s.mean;
            squares += deviation * deviation;
        }
        s.variance = squares / (n - 1.0);
        s.standardDeviation = std::sqrt(s.variance);
    }
    return s;
}

std::string StatisticsLines(const SampleStatistics& statistics, std::string_view afterLabel) {
    std::string text;
    auto line = [&text, afterLabel](const char* label, double value) {
        text += "\t";
        text += label;
        text += afterLabel;
        text += FormatFixed4(value);
        text += "\r\n";
    };
    line("Sum:", statistics.sum);
    line("Mean:", statistics.mean);
    line("Variance:", statistics.variance);
    line("S.D.:", statistics.standardDeviation);
    return text;
}
