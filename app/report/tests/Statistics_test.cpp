// The report statistics: sum, mean, sample variance and standard deviation, and their lines.
#include "report/Statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(SampleStatistics, HandComputedLists) {
    struct Case {
        const char* name;
        std::vector<double> values;
        double sum, mean, variance;
    };
    const Case cases[] = {
        // Nothing to divide by: everything 0.
        {"no values", {}, 0.0, 0.0, 0.0},
        // One value has no spread: variance 0, not a division by zero.
        {"one value", {5.25}, 5.25, 5.25, 0.0},
        {"two values", {1.0, 3.0}, 4.0, 2.0, 2.0},
        // Squared deviations 2.25 + 0.25 + 0.25 + 2.25 = 5, over n - 1 = 3.
        {"four values", {1.0, 2.0, 3.0, 4.0}, 10.0, 2.5, 5.0 / 3.0},
        // Squared deviations 9 + 1 + 1 + 1 + 0 + 0 + 4 + 16 = 32, over 7.
        {"eight values", {2, 4, 4, 4, 5, 5, 7, 9}, 40.0, 5.0, 32.0 / 7.0},
        // Deviations from the mean, not sum of squares minus squared sum: a large common
        // offset must not cancel the spread away.
        {"large offset", {1e9 + 1.0, 1e9 + 2.0, 1e9 + 3.0}, 3e9 + 6.0, 1e9 + 2.0, 1.0},
        // Summed in list order: 1e16 + 1 rounds back to 1e16, so the sum is 0, not 1.
        {"list order", {1e16, 1.0, -1e16}, 0.0, 0.0, 1e32},
        {"negative", {-2.0, -4.0}, -6.0, -3.0, 2.0},
    };
    for (const Case& c : cases) {
        const SampleStatistics s = ComputeSampleStatistics(c.values);
        EXPECT_EQ(s.count, static_cast<int32_t>(c.values.size())) << c.name;
        EXPECT_DOUBLE_EQ(s.sum, c.sum) << c.name;
        EXPECT_DOUBLE_EQ(s.mean, c.mean) << c.name;
        EXPECT_DOUBLE_EQ(s.variance, c.variance) << c.name;
        EXPECT_DOUBLE_EQ(s.standardDeviation, std::sqrt(c.variance)) << c.name;
    }
}

TEST(SampleStatistics, LinesOfTheGridAndPathReports) {
    const SampleStatistics s{4, 10.0, 2.5, 5.0 / 3.0, std::sqrt(5.0 / 3.0)};
    EXPECT_EQ(StatisticsLines(s, " \t\t"),
              "\tSum: \t\t10.0000\r\n\tMean: \t\t2.5000\r\n\tVariance: \t\t1.6667\r\n"
              "\tS.D.: \t\t1.2910\r\n");
    EXPECT_EQ(StatisticsLines(s, "\t"),
              "\tSum:\t10.0000\r\n\tMean:\t2.5000\r\n\tVariance:\t1.6667\r\n\tS.D.:\t1.2910\r\n");
    EXPECT_EQ(StatisticsLines(ComputeSampleStatistics({}), "\t"),
              "\tSum:\t0.0000\r\n\tMean:\t0.0000\r\n\tVariance:\t0.0000\r\n\tS.D.:\t0.0000\r\n");
}

}  // namespace
