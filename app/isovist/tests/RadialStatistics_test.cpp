#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "isovist/RadialStatistics.h"

namespace {

// 1441 radial lines from (1, 1), line k of the given length (the last repeats line 0).
std::vector<PlanSegment> RaysOfLength(const std::function<double(int)>& length) {
    std::vector<PlanSegment> lines;
    for (int k = 0; k <= 1440; ++k) {
        const double l = length(k % 1440);
        lines.push_back({{1, 1}, {1 + l, 1}});
    }
    return lines;
}

TEST(RadialStatistics, EmptySetLeavesStatsUnchanged) {
    RadialStats stats;
    stats.mean = 42;
    EXPECT_FALSE(ComputeRadialStats({}, stats));
    RadialStats expected;
    expected.mean = 42;
    EXPECT_EQ(stats, expected);
}

// A circular room seen from its centre: every ray has the same length. The ends are taken in
// twelve directions where a length of 5 is exact, (±3, ±4), (±4, ±3), (±5, 0), (0, ±5).
TEST(RadialStatistics, CircularRoomFromItsCentre) {
    const PlanPoint ends[] = {{3, 4},   {4, 3},   {5, 0},  {4, -3}, {3, -4}, {0, -5},
                              {-3, -4}, {-4, -3}, {-5, 0}, {-4, 3}, {-3, 4}, {0, 5}};
    std::vector<PlanSegment> lines;
    for (int k = 0; k <= 1440; ++k) {
        lines.push_back({{0, 0}, ends[k % 12]});
    }
    RadialStats stats;
    ASSERT_TRUE(ComputeRadialStats(lines, stats));
    EXPECT_EQ(stats.rayCount, 1440.0);
    EXPECT_EQ(stats.sum, 7200.0);
    EXPECT_DOUBLE_EQ(stats.mean, 5.0);
    EXPECT_NEAR(stats.variance, 0.0, 1e-25);
    EXPECT_EQ(stats.max, 5.0);
    EXPECT_EQ(stats.min, 5.0);
    EXPECT_DOUBLE_EQ(stats.elongation, 1.0);
    EXPECT_EQ(stats.differenceEntropy, 0.0);
    EXPECT_EQ(stats.autocorrelation, 0.0);  // the sample does not vary
    EXPECT_EQ(stats.maxBidirectional, 0.0);
    EXPECT_EQ(stats.minBidirectional, 0.0);
}

// Lengths alternating 1, 3, 1, 3, ...: mean 2, every squared deviation 1, every change 2.
TEST(RadialStatistics, AlternatingRays) {
    RadialStats stats;
    ASSERT_TRUE(
        ComputeRadialStats(RaysOfLength([](int k) { return k % 2 == 0 ? 1.0 : 3.0; }), stats));
    EXPECT_EQ(stats.sum, 2880.0);
    EXPECT_DOUBLE_EQ(stats.mean, 2.0);
    EXPECT_DOUBLE_EQ(stats.variance, 1440.0 / 1439.0);
    EXPECT_DOUBLE_EQ(stats.standardDeviation, std::sqrt(1440.0 / 1439.0));
    EXPECT_EQ(stats.min, 1.0);
    EXPECT_EQ(stats.max, 3.0);
    EXPECT_DOUBLE_EQ(stats.elongation, 2.0 / 3.0);
    EXPECT_NEAR(stats.differenceEntropy, 1.0, 1e-12);
    EXPECT_EQ(stats.autocorrelation, 0.0);  // rays 0, 40, 80, ... all have length 1
}

// The autocorrelation sample is every 40th ray (every 10°), treated as a circle of 36 values.
// With ray 40·j of length j mod 2 + 1 the sample alternates 1, 2, 1, 2: lag-1 autocorrelation
// (q / 36) / v with q = −36 · 0.25 and v = 36 · 0.25 / 35, that is −35/36.
TEST(RadialStatistics, AutocorrelationUsesTenDegreeSample) {
    RadialStats stats;
    ASSERT_TRUE(ComputeRadialStats(
        RaysOfLength([](int k) { return k % 40 == 0 ? (k / 40) % 2 + 1.0 : 10.0; }), stats));
    EXPECT_NEAR(stats.autocorrelation, -35.0 / 36.0, 1e-12);
    EXPECT_EQ(stats.min, 1.0);
    EXPECT_EQ(stats.max, 10.0);
}

TEST(RadialStatistics, LastLineIsLeftOut) {
    std::vector<PlanSegment> lines = RaysOfLength([](int) { return 2.0; });
    lines.back().end = {1001, 1};  // would dominate max and sum if it were counted
    RadialStats stats;
    ASSERT_TRUE(ComputeRadialStats(lines, stats));
    EXPECT_EQ(stats.max, 2.0);
    EXPECT_EQ(stats.sum, 2880.0);
}

// Missing rays count as length 0: two lines give one defined ray of length 4.
TEST(RadialStatistics, MissingRaysCountAsZero) {
    const std::vector<PlanSegment> lines = {{{0, 0}, {4, 0}}, {{0, 0}, {4, 0}}};
    RadialStats stats;
    ASSERT_TRUE(ComputeRadialStats(lines, stats));
    EXPECT_EQ(stats.sum, 4.0);
    EXPECT_EQ(stats.max, 4.0);
    EXPECT_EQ(stats.min, 0.0);
    EXPECT_DOUBLE_EQ(stats.mean, 4.0 / 1440.0);
    EXPECT_DOUBLE_EQ(stats.elongation, 1.0 / 1440.0);
    EXPECT_TRUE(std::isfinite(stats.variance));

    const std::vector<PlanSegment> single = {{{0, 0}, {4, 0}}};
    ASSERT_TRUE(ComputeRadialStats(single, stats));
    EXPECT_EQ(stats.sum, 0.0);
    EXPECT_EQ(stats.elongation, 0.0);  // no ray at all: no elongation rather than 0/0
}

}  // namespace
