// The isovist engine on hand-computed plans, both methods.
#include "isovist/IsovistEngine.h"

#include <gtest/gtest.h>

#include "testing/IsovistPlans.h"

namespace {

using Outcome = IsovistResult::Outcome;
constexpr int32_t kExact = 0;
constexpr int32_t kRadial = 1;

IsovistResult IsovistAt(const IsovistTestPlan& plan, PlanPoint p, int32_t method) {
    IsovistScratch scratch;
    IsovistResult result;
    ComputeIsovistAt(plan.tables(), p, method, scratch, result);
    return result;
}

std::vector<PlanPoint> Ends(const IsovistResult& result) {
    std::vector<PlanPoint> points;
    for (const PlanSegment& line : result.radialLines) {
        points.push_back(line.end);
    }
    return points;
}

void ExpectPointsNear(const std::vector<PlanPoint>& actual,
                      const std::vector<PlanPoint>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(actual[i].x, expected[i].x, 1e-9) << "vertex " << i;
        EXPECT_NEAR(actual[i].y, expected[i].y, 1e-9) << "vertex " << i;
    }
}

// Every radial line starts at the observation point.
void ExpectFanFrom(const IsovistResult& result, PlanPoint p) {
    for (const PlanSegment& line : result.radialLines) {
        EXPECT_EQ(line.start, p);
    }
}

const IsovistTestPlan& SquareRoom() {
    static const IsovistTestPlan plan({Rectangle(0, 0, 10, 10, false)});
    return plan;
}

// A 20 x 10 room with a 2 x 2 pillar.
const IsovistTestPlan& RoomWithOnePillar() {
    static const IsovistTestPlan plan(
        {Rectangle(0, 0, 20, 10, false), Rectangle(12, 4, 14, 6, true)});
    return plan;
}

const IsovistTestPlan& LShapedRoom() {
    static const IsovistTestPlan plan(
        {PlanPolygon({{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 20}, {0, 20}})});
    return plan;
}

TEST(IsovistEngine, SquareRoomFromCentreByBothMethods) {
    for (const int32_t method : {kExact, kRadial}) {
        SCOPED_TRACE(method);
        const IsovistResult r = IsovistAt(SquareRoom(), {5, 5}, method);
        ASSERT_EQ(r.outcome, Outcome::Computed);
        EXPECT_EQ(r.usedRadialMethod, method == kRadial);
        ExpectFanFrom(r, {5, 5});
        ASSERT_EQ(r.radialLines.size(), 4u);
        EXPECT_NEAR(r.area, 100.0, 1e-9);
        ASSERT_TRUE(r.centroid.has_value());
        EXPECT_NEAR(r.centroid->x, 5.0, 1e-9);
        EXPECT_NEAR(r.centroid->y, 5.0, 1e-9);
    }
    ExpectPointsNear(Ends(IsovistAt(SquareRoom(), {5, 5}, kExact)),
                     {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
}

TEST(IsovistEngine, RadialMethodCastsEveryRayBeforeReduction) {
    const IsovistResult r = IsovistAt(SquareRoom(), {5, 5}, kRadial);
    ASSERT_EQ(r.unreducedRadialLines.size(), 1441u);
    EXPECT_EQ(r.unreducedRadialLines.front().end, (PlanPoint{10, 5}));
    EXPECT_NEAR(r.unreducedRadialLines.back().end.x, 10.0, 1e-12);
    EXPECT_NEAR(r.unreducedRadialLines.back().end.y, 5.0, 1e-12);
    // Ray 360 points straight up.
    EXPECT_NEAR(r.unreducedRadialLines[360].end.x, 5.0, 1e-12);
    EXPECT_EQ(r.unreducedRadialLines[360].end.y, 10.0);
}

TEST(IsovistEngine, PillarHidesItsFarVerticesAndExtendsItsSilhouette) {
    // Seen from (4, 5) the near face x = 12 hides (14, 4) and (14, 6); the sight lines past the
    // silhouette vertices (12, 4) and (12, 6) run on to the far wall at y = 3 and y = 7.
    const IsovistResult r = IsovistAt(RoomWithOnePillar(), {4, 5}, kExact);
    ASSERT_EQ(r.outcome, Outcome::Computed);
    EXPECT_FALSE(r.usedRadialMethod);
    ExpectFanFrom(r, {4, 5});
    ExpectPointsNear(Ends(r),
                     {{0, 0}, {20, 0}, {20, 3}, {12, 4}, {12, 6}, {20, 7}, {20, 10}, {0, 10}});
    EXPECT_NEAR(r.area, 200.0 - 24.0, 1e-9);
}

TEST(IsovistEngine, RadialMethodApproximatesThePillarShadow) {
    const IsovistResult r = IsovistAt(RoomWithOnePillar(), {4, 5}, kRadial);
    ASSERT_EQ(r.outcome, Outcome::Computed);
    EXPECT_EQ(r.unreducedRadialLines.size(), 1441u);
    // The shadow's edges fall between rays, so the area is close to, not equal to, 176.
    EXPECT_NEAR(r.area, 176.0, 0.5);
}

TEST(IsovistEngine, LShapedRoomAroundTheInnerCorner) {
    // From (15, 4) the inner corner (10, 10) turns the outline back: the sight line past it meets
    // the top wall at x = 10 - 50/6; (10, 20) is hidden behind the edge y = 10.
    const IsovistResult r = IsovistAt(LShapedRoom(), {15, 4}, kExact);
    ASSERT_EQ(r.outcome, Outcome::Computed);
    EXPECT_FALSE(r.usedRadialMethod);
    ExpectPointsNear(Ends(r),
                     {{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10.0 - 50.0 / 6.0, 20}, {0, 20}});
    EXPECT_NEAR(r.area, 300.0 - 125.0 / 3.0, 1e-9);
    EXPECT_NEAR(IsovistAt(LShapedRoom(), {15, 4}, kRadial).area, 300.0 - 125.0 / 3.0, 1.0);
}

TEST(IsovistEngine, PointOnBoundaryEdgeSkipsThatWall) {
    for (const int32_t method : {kExact, kRadial}) {
        SCOPED_TRACE(method);
        const IsovistResult r = IsovistAt(SquareRoom(), {5, 0}, method);
        ASSERT_EQ(r.outcome, Outcome::Computed);
        // The radial method cuts the top corners, which lie between two rays.
        EXPECT_NEAR(r.area, 100.0, method == kExact ? 1e-9 : 0.01);
        for (const PlanSegment& line : r.radialLines) {
            EXPECT_NE(line.end, (PlanPoint{5, 0}));
        }
    }
    // Rays pointing into the wall the point lies on meet nothing: 721 rays up to pi, plus the
    // closing ray.
    EXPECT_EQ(IsovistAt(SquareRoom(), {5, 0}, kRadial).unreducedRadialLines.size(), 722u);
}

TEST(IsovistEngine, PointOnWallPolygonEdge) {
    // (14, 5) lies on the pillar's right face; the hit test counts it outside the pillar.
    for (const int32_t method : {kExact, kRadial}) {
        SCOPED_TRACE(method);
        const IsovistResult r = IsovistAt(RoomWithOnePillar(), {14, 5}, method);
        ASSERT_EQ(r.outcome, Outcome::Computed);
        EXPECT_GT(r.area, 0.0);
        ExpectFanFrom(r, {14, 5});
    }
}

TEST(IsovistEngine, InvalidPoints) {
    struct Case {
        const char* name;
        PlanPoint point;
    };
    for (const Case& c : {Case{"outside the boundary", {25, 5}}, Case{"inside the pillar", {13, 5}},
                          Case{"below the room", {5, -1}}}) {
        for (const int32_t method : {kExact, kRadial}) {
            const IsovistResult r = IsovistAt(RoomWithOnePillar(), c.point, method);
            EXPECT_EQ(r.outcome, Outcome::InvalidPoint) << c.name;
            EXPECT_TRUE(r.radialLines.empty()) << c.name;
            EXPECT_EQ(r.centroid, c.point) << c.name;
        }
    }
}

TEST(IsovistEngine, NoWallsAndUnknownMethod) {
    const IsovistTestPlan empty({});
    EXPECT_EQ(IsovistAt(empty, {1, 1}, kExact).outcome, Outcome::NoWalls);
    const IsovistResult r = IsovistAt(SquareRoom(), {5, 5}, 3);
    EXPECT_EQ(r.outcome, Outcome::UnknownMethod);
    EXPECT_TRUE(r.radialLines.empty());
    EXPECT_EQ(IsovistAt(SquareRoom(), {5, 5}, -1).outcome, Outcome::UnknownMethod);
}

TEST(IsovistEngine, SharedVertexMakesExactMethodFallBackToRadial) {
    // A wall triangle with a corner on the boundary's corner (10, 10): two plan vertices on one
    // sight line.
    const IsovistTestPlan plan(
        {Rectangle(0, 0, 10, 10, false), PlanPolygon({{10, 10}, {8, 10}, {9, 8}})});
    const IsovistResult exact = IsovistAt(plan, {3, 4}, kExact);
    const IsovistResult radial = IsovistAt(plan, {3, 4}, kRadial);
    EXPECT_TRUE(exact.usedRadialMethod);
    EXPECT_EQ(exact.radialLines, radial.radialLines);
    EXPECT_EQ(exact.unreducedRadialLines, radial.unreducedRadialLines);
    EXPECT_EQ(exact.area, radial.area);
}

TEST(IsovistEngine, TwoVerticesInLineWithThePointFallBack) {
    // (7, 7) and (10, 10) both lie on the diagonal seen from (5, 5).
    const IsovistTestPlan plan(
        {Rectangle(0, 0, 10, 10, false), PlanPolygon({{7, 7}, {7, 8}, {8, 8}, {8, 7}})});
    EXPECT_TRUE(IsovistAt(plan, {5, 5}, kExact).usedRadialMethod);
    EXPECT_FALSE(IsovistAt(plan, {5, 6}, kExact).usedRadialMethod);
}

TEST(IsovistEngine, TurningVertexWithNoWallBeyondReachAddsNoLine) {
    // The pillar's top corners sit 0.005 below the ceiling: the sight line past (12, 9.995)
    // meets the ceiling closer than 0.01 and nothing else, so that vertex adds no line.
    const IsovistTestPlan plan({Rectangle(0, 0, 20, 10, false), Rectangle(12, 4, 14, 9.995, true)});
    const IsovistResult r = IsovistAt(plan, {4, 5}, kExact);
    ASSERT_EQ(r.outcome, Outcome::Computed);
    ASSERT_FALSE(r.usedRadialMethod);
    for (const PlanPoint& end : Ends(r)) {
        EXPECT_FALSE(end.x == 12.0 && end.y == 9.995);
    }
    // The lower silhouette corner still adds its pair of lines.
    const auto points = Ends(r);
    EXPECT_NE(std::find(points.begin(), points.end(), PlanPoint{12, 4}), points.end());
}

TEST(IsovistEngine, CrossingsCloserThanOneHundredthAreLookedPast) {
    // A wall whose near face is 0.005 to the right of the point: ray 0 looks past that face and
    // stops at the far face, 0.02 away.
    const IsovistTestPlan plan(
        {Rectangle(0, 0, 10, 10, false), Rectangle(5.005, 4, 5.02, 6, true)});
    const IsovistResult r = IsovistAt(plan, {5, 5}, kRadial);
    ASSERT_EQ(r.outcome, Outcome::Computed);
    EXPECT_EQ(r.unreducedRadialLines.front().end, (PlanPoint{5.02, 5}));
    // A far face only 0.008 away is looked past as well: the ray runs on to the boundary.
    const IsovistTestPlan thinner(
        {Rectangle(0, 0, 10, 10, false), Rectangle(5.005, 4, 5.008, 6, true)});
    EXPECT_EQ(IsovistAt(thinner, {5, 5}, kRadial).unreducedRadialLines.front().end,
              (PlanPoint{10, 5}));
}

TEST(IsovistEngine, TinyRoomGivesNoLinesAndTheBadArea) {
    const IsovistTestPlan plan({Rectangle(0, 0, 0.01, 0.01, false)});
    const IsovistResult r = IsovistAt(plan, {0.005, 0.005}, kRadial);
    ASSERT_EQ(r.outcome, Outcome::Computed);
    EXPECT_TRUE(r.unreducedRadialLines.empty());
    EXPECT_TRUE(r.radialLines.empty());
    EXPECT_EQ(r.area, -1.0);
    EXPECT_FALSE(r.centroid.has_value());
}

TEST(IsovistEngine, DamagedCoordinatesDoNotCrash) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const IsovistTestPlan plan({Rectangle(0, 0, 10, 10, false),
                                PlanPolygon({{nan, 1}, {2, inf}, {3, 3}}),
                                PlanPolygon({{6, 6}, {6, 7}, {-inf, nan}})});
    for (const int32_t method : {kExact, kRadial}) {
        IsovistScratch scratch;
        IsovistResult indexed;
        IsovistResult reference;
        ComputeIsovistAt(plan.tables(), {8, 2}, method, scratch, indexed, CandidateSearch::Indexed);
        ComputeIsovistAt(plan.tables(), {8, 2}, method, scratch, reference,
                       CandidateSearch::FullScan);
        EXPECT_EQ(indexed.outcome, reference.outcome);
        EXPECT_EQ(indexed.radialLines.size(), reference.radialLines.size());
    }
}

}  // namespace
