#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "isovist/ViewCone.h"

namespace {

const double kTan30 = std::tan(M_PI / 6);  // a 30° cone edge from (5,5) meets a side 5·tan30 off

std::vector<PlanSegment> SquareWalls() {
    const PlanPoint c[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    return {{c[0], c[1]}, {c[1], c[2]}, {c[2], c[3]}, {c[3], c[0]}};
}

IsovistRecord Isovist(std::vector<PlanPoint> points, PlanPoint origin) {
    IsovistRecord r;
    r.polygon = PlanPolygon(std::move(points));
    r.origin = origin;
    return r;
}

void ExpectPolygon(const PlanPolygon& actual, const std::vector<PlanPoint>& expected) {
    ASSERT_EQ(actual.count(), static_cast<int32_t>(expected.size()));
    for (int32_t i = 0; i < actual.count(); ++i) {
        EXPECT_NEAR(actual[i].x, expected[i].x, 1e-12) << "point " << i;
        EXPECT_NEAR(actual[i].y, expected[i].y, 1e-12) << "point " << i;
    }
}

// The square room as the exact method leaves it: outline from near angle −π.
const std::vector<PlanPoint> kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
// As the radial method leaves it: outline from angle 0.
const std::vector<PlanPoint> kSquareFromAngleZero = {{10, 5}, {10, 10}, {0, 10}, {0, 0}, {10, 0}};

TEST(ViewCone, BothEdgesOnOneSideGiveATriangle) {
    IsovistRecord target;
    ApplyViewCone(Isovist(kSquare, {5, 5}), target, 90, 30, SquareWalls());
    ExpectPolygon(target.polygon, {{5, 5}, {5 + 5 * kTan30, 10}, {5 - 5 * kTan30, 10}});
    EXPECT_NEAR(target.area, 25 * kTan30, 1e-12);
    // Only the far side lies on a wall.
    EXPECT_NEAR(target.occlusivity, 10 * kTan30 / target.perimeter, 1e-12);
}

TEST(ViewCone, ConeTakesTheVerticesBetweenItsEdges) {
    IsovistRecord target;
    ApplyViewCone(Isovist(kSquare, {5, 5}), target, 90, 60, SquareWalls());
    ExpectPolygon(target.polygon,
                  {{5, 5}, {10, 5 + 5 * kTan30}, {10, 10}, {0, 10}, {0, 5 + 5 * kTan30}});
    EXPECT_NEAR(target.area, 50 - 25 * kTan30, 1e-12);
}

TEST(ViewCone, ConeOverTheFirstVertexWrapsAround) {
    IsovistRecord target;
    ApplyViewCone(Isovist(kSquareFromAngleZero, {5, 5}), target, 0, 60, SquareWalls());
    // Edge −60° leaves through (0,0)-(10,0), edge 60° through (10,10)-(0,10).
    ExpectPolygon(target.polygon,
                  {{5, 5}, {5 + 5 * kTan30, 0}, {10, 0}, {10, 5}, {10, 10}, {5 + 5 * kTan30, 10}});
    EXPECT_NEAR(target.area, 50 - 25 * kTan30, 1e-12);
    EXPECT_NEAR(target.visiblePerimeterRatio, 1 - 10 / std::cos(M_PI / 6) / target.perimeter,
                1e-12);
}

TEST(ViewCone, NarrowConeOverTheFirstVertexLeavesThroughTheClosingEdge) {
    IsovistRecord target;
    ApplyViewCone(Isovist(kSquareFromAngleZero, {5, 5}), target, 0, 30, SquareWalls());
    ExpectPolygon(target.polygon, {{5, 5}, {10, 5 - 5 * kTan30}, {10, 5}, {10, 5 + 5 * kTan30}});
    EXPECT_NEAR(target.area, 25 * kTan30, 1e-12);
    EXPECT_NEAR(target.occlusivity, 10 * kTan30 / target.perimeter, 1e-12);
}

TEST(ViewCone, TargetIsMeasuredFromTheSourcesOrigin) {
    IsovistRecord target;
    target.origin = {1, 1};
    ApplyViewCone(Isovist(kSquare, {5, 5}), target, 90, 30, SquareWalls());
    EXPECT_EQ(target.origin, (PlanPoint{5, 5}));
    EXPECT_NEAR(target.drift, 10.0 / 3.0, 1e-12);  // centroid of the triangle at (5, 25/3)
}

TEST(ViewCone, SourceAndTargetMayBeTheSameRecord) {
    IsovistRecord r = Isovist(kSquare, {5, 5});
    ApplyViewCone(r, r, 90, 30, SquareWalls());
    ExpectPolygon(r.polygon, {{5, 5}, {5 + 5 * kTan30, 10}, {5 - 5 * kTan30, 10}});
    EXPECT_EQ(r.origin, (PlanPoint{5, 5}));
}

// A cone edge that crosses no edge (here the polygon lies behind the origin) takes the vertex
// closest to its direction instead of an undefined edge.
TEST(ViewCone, EdgeCrossingNothingFallsBackToTheNearestVertex) {
    IsovistRecord target;
    ApplyViewCone(Isovist({{10, 0}, {12, 0}, {11, 1}}, {0, 0}), target, 180, 10, {});
    ExpectPolygon(target.polygon, {{0, 0}, {11, 1}, {10, 0}, {10, 0}});
    EXPECT_TRUE(std::isfinite(target.area));
}

TEST(ViewCone, EmptySourceGivesEmptySector) {
    IsovistRecord target = Isovist(kSquare, {5, 5});
    target.area = 3;
    ApplyViewCone(IsovistRecord{}, target, 45, 45, SquareWalls());
    EXPECT_TRUE(target.polygon.empty());
    EXPECT_EQ(target.area, 0.0);
}

// Arbitrary outlines (not star-shaped, not around the origin) and arbitrary cones: the cone
// polygon always starts at the origin and takes its other points from the outline's edges.
TEST(ViewCone, ArbitraryOutlinesAndConesStayWellFormed) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(-20, 20);
    std::uniform_real_distribution<double> angle(-720, 720);
    std::uniform_int_distribution<int> size(1, 9);
    for (int trial = 0; trial < 2000; ++trial) {
        std::vector<PlanPoint> outline(static_cast<std::size_t>(size(random)));
        for (PlanPoint& p : outline) {
            p = {coordinate(random), coordinate(random)};
        }
        const PlanPoint origin{coordinate(random), coordinate(random)};
        IsovistRecord r = Isovist(outline, origin);
        ApplyViewCone(r, r, angle(random), angle(random) / 4, {});
        ASSERT_GE(r.polygon.count(), 3);
        ASSERT_LE(r.polygon.count(), static_cast<int32_t>(outline.size()) + 3);
        EXPECT_EQ(r.polygon[0], origin);
        EXPECT_EQ(r.origin, origin);
    }
}

}  // namespace
