#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "isovist/IsovistMeasures.h"

namespace {

IsovistRecord RecordOf(std::vector<PlanPoint> points, PlanPoint origin) {
    IsovistRecord r;
    r.polygon = PlanPolygon(std::move(points));
    r.origin = origin;
    return r;
}

std::vector<PlanSegment> ClosedOutline(const std::vector<PlanPoint>& p) {
    std::vector<PlanSegment> walls;
    for (std::size_t i = 0; i < p.size(); ++i) {
        walls.push_back({p[i], p[(i + 1) % p.size()]});
    }
    return walls;
}

const std::vector<PlanPoint> kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};

TEST(IsovistMeasures, SquareRoomFromItsCentre) {
    IsovistRecord r = RecordOf(kSquare, {5, 5});
    ComputeIsovistMeasures(r);
    EXPECT_DOUBLE_EQ(r.area, 100.0);
    EXPECT_DOUBLE_EQ(r.perimeter, 40.0);
    EXPECT_DOUBLE_EQ(r.centroid.x, 5.0);
    EXPECT_DOUBLE_EQ(r.centroid.y, 5.0);
    EXPECT_DOUBLE_EQ(r.drift, 0.0);
    EXPECT_DOUBLE_EQ(r.compactness, 2.5);
    EXPECT_DOUBLE_EQ(r.circularity, 16.0);
    EXPECT_DOUBLE_EQ(r.visiblePerimeterRatio, 1.0);
    EXPECT_DOUBLE_EQ(r.maxVertexDistance, std::sqrt(50.0));
}

TEST(IsovistMeasures, OcclusivityOfSquareWithAndWithoutWalls) {
    IsovistRecord r = RecordOf(kSquare, {5, 5});
    ComputeIsovistMeasures(r);
    ComputeOcclusivity(r, ClosedOutline(kSquare));
    EXPECT_DOUBLE_EQ(r.occlusivity, 1.0);

    const std::vector<PlanSegment> elsewhere = {{{20, 0}, {30, 0}}, {{0, 20}, {0, 30}}};
    ComputeOcclusivity(r, elsewhere);
    EXPECT_DOUBLE_EQ(r.occlusivity, 0.0);

    // Only the bottom side is a wall.
    ComputeOcclusivity(r, std::vector<PlanSegment>{{{-5, 0}, {15, 0}}});
    EXPECT_DOUBLE_EQ(r.occlusivity, 0.25);
}

// A room seen past a wall end: the edge (5,0)-(10,0) runs along the sight line from (0,0).
// Square [-5,5]² (area 100) plus the pocket [5,10]x[0,5] (area 25).
TEST(IsovistMeasures, SightLineEdgeLowersVisiblePerimeterAndOcclusivity) {
    const std::vector<PlanPoint> outline = {{5, -5}, {5, 0}, {10, 0}, {10, 5}, {-5, 5}, {-5, -5}};
    IsovistRecord r = RecordOf(outline, {0, 0});
    ComputeIsovistMeasures(r);
    EXPECT_DOUBLE_EQ(r.area, 125.0);
    EXPECT_DOUBLE_EQ(r.perimeter, 50.0);
    EXPECT_DOUBLE_EQ(r.centroid.x, 1.5);
    EXPECT_DOUBLE_EQ(r.centroid.y, 0.5);
    EXPECT_DOUBLE_EQ(r.drift, std::sqrt(2.5));
    EXPECT_DOUBLE_EQ(r.visiblePerimeterRatio, 0.9);
    EXPECT_DOUBLE_EQ(r.compactness, 2.5);
    EXPECT_DOUBLE_EQ(r.circularity, 20.0);
    EXPECT_DOUBLE_EQ(r.maxVertexDistance, std::sqrt(125.0));

    std::vector<PlanSegment> walls = ClosedOutline(outline);
    walls.erase(walls.begin() + 1);  // the sight-line edge is no wall
    ComputeOcclusivity(r, walls);
    EXPECT_DOUBLE_EQ(r.occlusivity, 0.9);
}

// A record whose fields hold earlier values, to see which ones a degenerate polygon leaves.
IsovistRecord StaleRecord(std::vector<PlanPoint> points) {
    IsovistRecord r = RecordOf(std::move(points), {1, 1});
    r.area = 7;
    r.perimeter = 2;
    r.drift = 3;
    r.centroid = {4, 5};
    r.occlusivity = 0.5;
    r.visiblePerimeterRatio = 0.25;
    r.compactness = 9;
    r.circularity = 11;
    r.maxVertexDistance = 13;
    return r;
}

TEST(IsovistMeasures, EmptyPolygonZeroesShapeButKeepsCircularityAndMaxDistance) {
    IsovistRecord r = StaleRecord({});
    ComputeIsovistMeasures(r);
    EXPECT_EQ(r.area, 0.0);
    EXPECT_EQ(r.perimeter, 0.0);
    EXPECT_EQ(r.drift, 0.0);
    EXPECT_EQ(r.occlusivity, 0.0);
    EXPECT_EQ(r.visiblePerimeterRatio, 0.0);
    EXPECT_EQ(r.compactness, 0.0);
    EXPECT_EQ(r.centroid, (PlanPoint{0, 0}));
    EXPECT_EQ(r.circularity, 11.0);
    EXPECT_EQ(r.maxVertexDistance, 13.0);
}

TEST(IsovistMeasures, OnePointKeepsAreaPerimeterCentroidAndRatio) {
    IsovistRecord r = StaleRecord({{4, 1}});
    ComputeIsovistMeasures(r);
    EXPECT_EQ(r.area, 7.0);
    EXPECT_EQ(r.perimeter, 2.0);
    EXPECT_EQ(r.centroid, (PlanPoint{4, 5}));
    EXPECT_EQ(r.drift, 5.0);  // |(4,5) - (1,1)|
    EXPECT_EQ(r.visiblePerimeterRatio, 0.25);
    EXPECT_EQ(r.compactness, 3.5);
    EXPECT_EQ(r.circularity, 4.0 / 7.0);
    EXPECT_EQ(r.maxVertexDistance, 3.0);
}

TEST(IsovistMeasures, TwoPointsGiveAreaMinusOneAndOpenPerimeter) {
    IsovistRecord r = StaleRecord({{1, 1}, {4, 5}});
    ComputeIsovistMeasures(r);
    EXPECT_EQ(r.area, -1.0);
    EXPECT_EQ(r.perimeter, 5.0);  // no closing edge
    EXPECT_EQ(r.centroid, (PlanPoint{4, 5}));
    EXPECT_EQ(r.visiblePerimeterRatio, 0.25);
    EXPECT_EQ(r.compactness, -0.2);
    EXPECT_EQ(r.circularity, -25.0);
    EXPECT_EQ(r.maxVertexDistance, 5.0);
    ComputeOcclusivity(r, std::vector<PlanSegment>{{{1, 1}, {4, 5}}});
    EXPECT_EQ(r.occlusivity, 0.0);
}

TEST(IsovistMeasures, CollinearPolygonHasZeroAreaAndInfiniteCircularity) {
    IsovistRecord r = StaleRecord({{0, 1}, {2, 1}, {4, 1}});
    ComputeIsovistMeasures(r);
    EXPECT_EQ(r.area, 0.0);
    EXPECT_EQ(r.perimeter, 8.0);
    EXPECT_EQ(r.centroid, (PlanPoint{4, 5}));  // nothing written for a zero area
    EXPECT_EQ(r.compactness, 0.0);
    EXPECT_TRUE(std::isinf(r.circularity));
    EXPECT_EQ(r.visiblePerimeterRatio, 0.0);  // every edge lies on the sight line y = 1
}

TEST(IsovistMeasures, ZeroPerimeterGivesNoOcclusivityAndKeepsCompactness) {
    IsovistRecord r = StaleRecord({{3, 3}, {3, 3}, {3, 3}});
    ComputeIsovistMeasures(r);
    EXPECT_EQ(r.perimeter, 0.0);
    EXPECT_EQ(r.compactness, 9.0);
    EXPECT_TRUE(std::isnan(r.circularity));
    EXPECT_TRUE(std::isnan(r.visiblePerimeterRatio));
    ComputeOcclusivity(r, std::vector<PlanSegment>{{{0, 3}, {6, 3}}});
    EXPECT_EQ(r.occlusivity, 0.0);
}

struct EntropyCase {
    std::vector<double> values;
    double expected;
};

void PrintValues(const std::vector<double>& values, std::ostream* os) {
    *os << "{";
    for (size_t i = 0; i < values.size(); ++i)
        *os << (i == 0 ? "" : ", ") << values[i];
    *os << "}";
}

void PrintTo(const EntropyCase& c, std::ostream* os) {
    PrintValues(c.values, os);
}

class DifferenceEntropyCases : public ::testing::TestWithParam<EntropyCase> {};

TEST_P(DifferenceEntropyCases, MatchesHandComputedValue) {
    const auto& c = GetParam();
    EXPECT_NEAR(DifferenceEntropy(static_cast<int32_t>(c.values.size()), c.values.data()),
                c.expected, 1e-15);
}

INSTANTIATE_TEST_SUITE_P(
    HandComputed, DifferenceEntropyCases,
    ::testing::Values(EntropyCase{{}, 0.0}, EntropyCase{{5}, 0.0},
                      EntropyCase{{1, 2}, 0.0},  // a single change: no normaliser
                      EntropyCase{{4, 4, 4, 4}, 0.0},
                      EntropyCase{{0, 1, 3}, 0.9182958340544896},  // changes 1 and 2
                      EntropyCase{{0, 2, 0, 2, 0}, 1.0},           // equal changes
                      EntropyCase{{0, 1, 1, 2}, std::log(2.0) / std::log(3.0)}));

TEST(DifferenceEntropy, MissingValuesGiveZero) {
    EXPECT_EQ(DifferenceEntropy(10, nullptr), 0.0);
}

struct AutocorrelationCase {
    std::vector<double> values;
    int32_t lag;
    double expected;
};

void PrintTo(const AutocorrelationCase& c, std::ostream* os) {
    PrintValues(c.values, os);
    *os << " at lag " << c.lag;
}

class AutocorrelationCases : public ::testing::TestWithParam<AutocorrelationCase> {};

TEST_P(AutocorrelationCases, MatchesHandComputedValue) {
    const auto& c = GetParam();
    EXPECT_NEAR(Autocorrelation(static_cast<int32_t>(c.values.size()), c.values.data(), c.lag),
                c.expected, 1e-15);
}

INSTANTIATE_TEST_SUITE_P(
    HandComputed, AutocorrelationCases,
    ::testing::Values(AutocorrelationCase{{1, 2, 3, 4}, 1, -0.15},
                      AutocorrelationCase{{1, 2, 3, 4}, 2, -0.45},
                      AutocorrelationCase{{1, -1, 1, -1}, 1, -0.75},
                      AutocorrelationCase{{7, 3, 9}, 0, 1.0},  // lag 0 regardless of values
                      AutocorrelationCase{{5, 5, 5}, 0, 1.0},
                      AutocorrelationCase{{5, 5, 5}, 1, 0.0},  // no variation
                      AutocorrelationCase{{1, 2, 3}, 3, 0.0},  // lag not below n
                      AutocorrelationCase{{1, 2, 3}, -1, 0.0}, AutocorrelationCase{{4}, 0, 0.0}));

TEST(Autocorrelation, ReadsOnlyTheFirstNValues) {
    // Entries past n would be the caller's wrapped copies; garbage there changes nothing.
    const double values[] = {1, 2, 3, 4, 999};
    EXPECT_NEAR(Autocorrelation(4, values, 1), -0.15, 1e-15);
    EXPECT_EQ(Autocorrelation(4, nullptr, 1), 0.0);
}

}  // namespace
