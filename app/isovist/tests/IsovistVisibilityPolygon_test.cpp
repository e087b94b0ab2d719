// The visibility-polygon method on hand-computed rooms: areas, outlines, where the outline
// starts, invalid points and points on the drawing's edges and vertices.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "IsovistSameResult.h"
#include "isovist/IsovistEngine.h"
#include "testing/IsovistPlans.h"

namespace {

using Outcome = IsovistResult::Outcome;
constexpr int32_t kNode = 0;
constexpr int32_t kVisibility = 2;

IsovistResult IsovistAt(const IsovistTestPlan& plan, PlanPoint p, int32_t method,
                        CandidateSearch search = CandidateSearch::Indexed) {
    IsovistScratch scratch;
    IsovistResult result;
    ComputeIsovistAt(plan.tables(), p, method, scratch, result, search);
    return result;
}

std::vector<PlanPoint> Ends(const IsovistResult& result) {
    std::vector<PlanPoint> points;
    for (const PlanSegment& line : result.radialLines) {
        points.push_back(line.end);
    }
    return points;
}

// A 20 x 10 room with a 2 x 2 pillar.
IsovistTestPlan RoomWithPillar() {
    return IsovistTestPlan({Rectangle(0, 0, 20, 10, false), Rectangle(12, 4, 14, 6, true)});
}

IsovistTestPlan LShapedRoom() {
    return IsovistTestPlan(
        {PlanPolygon({{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 20}, {0, 20}})});
}

// A 10 x 10 room with a free-standing wall from (2, 5) to (8, 5), drawn as a two-point polygon.
IsovistTestPlan RoomWithFreeWall() {
    return IsovistTestPlan({Rectangle(0, 0, 10, 10, false), PlanPolygon({{2, 5}, {8, 5}})});
}

struct RoomCase {
    const char* name;
    IsovistTestPlan plan;
    PlanPoint point;
    double area;
    std::vector<PlanPoint> outline;  // empty: not checked
};

class VisibilityPolygonRooms : public testing::TestWithParam<int> {};

std::vector<RoomCase> RoomCases() {
    // Pillar seen from (5, 5): its front corners (12, 4) and (12, 6) cast the shadow, whose
    // edges reach the far wall at y = 5 -+ 15/7; visible = 200 - 4 - (176/7 - 4) = 1224/7.
    const double low = 5.0 - 15.0 / 7.0;
    const double high = 5.0 + 15.0 / 7.0;
    return {
        {"SquareRoomCentre", IsovistTestPlan({Rectangle(0, 0, 10, 10, false)}), {5, 5}, 100.0,
         {{0, 0}, {10, 0}, {10, 10}, {0, 10}}},
        // The far corner (0, 0) has the smallest angle, near -pi.
        {"SquareRoomOffCentre", IsovistTestPlan({Rectangle(0, 0, 10, 10, false)}), {9, 1}, 100.0,
         {{0, 0}, {10, 0}, {10, 10}, {0, 10}}},
        // From the corner square of the L both arms are convex and hold the point.
        {"LSeenWholeFromItsCorner", LShapedRoom(), {5, 5}, 300.0, {}},
        // From (15, 5) the reflex corner (10, 10) and the far corner (0, 20) lie on one sight
        // line; the upper arm shows only the triangle (0, 10), (10, 10), (0, 20): 200 + 50.
        {"LWithCornersOnOneSightLine", LShapedRoom(), {15, 5}, 250.0,
         {{0, 0}, {20, 0}, {20, 10}, {10, 10}, {0, 20}}},
        {"PillarShadow", RoomWithPillar(), {5, 5}, 1224.0 / 7.0,
         {{0, 0}, {20, 0}, {20, low}, {12, 4}, {12, 6}, {20, high}, {20, 10}, {0, 10}}},
        // The free wall's shadow from (5, 2): rays through its ends (2, 5) and (8, 5) meet
        // the side walls at (0, 7) and (10, 7), hiding 46 of the 100; (10, 7) and (8, 5) lie
        // on one sight line, which the node method cannot take.
        {"FreeWallShadow", RoomWithFreeWall(), {5, 2}, 54.0,
         {{0, 0}, {10, 0}, {10, 7}, {8, 5}, {2, 5}, {0, 7}}},
    };
}

TEST(VisibilityPolygon, HandComputedRooms) {
    for (const RoomCase& c : RoomCases()) {
        const IsovistResult r = IsovistAt(c.plan, c.point, kVisibility);
        ASSERT_EQ(r.outcome, Outcome::Computed) << c.name;
        EXPECT_FALSE(r.usedRadialMethod) << c.name;
        EXPECT_TRUE(r.unreducedRadialLines.empty()) << c.name;
        EXPECT_NEAR(r.area, c.area, 1e-12 * c.area) << c.name;
        for (const PlanSegment& line : r.radialLines) {
            EXPECT_EQ(line.start, c.point) << c.name;
        }
        if (!c.outline.empty()) {
            const std::vector<PlanPoint> got = Ends(r);
            ASSERT_EQ(got.size(), c.outline.size()) << c.name;
            for (size_t i = 0; i < got.size(); ++i) {
                EXPECT_NEAR(got[i].x, c.outline[i].x, 1e-12) << c.name << " vertex " << i;
                EXPECT_NEAR(got[i].y, c.outline[i].y, 1e-12) << c.name << " vertex " << i;
            }
        }
    }
}

// Where the node method is exact (no two vertices on one sight line), both methods give the
// same outline from the same start: the plan's own vertices bit for bit, the shadow ends to
// the precision of the node method's crossing computation in doubles.
TEST(VisibilityPolygon, SameOutlineAndStartAsTheNodeMethod) {
    struct Case {
        const char* name;
        IsovistTestPlan plan;
        PlanPoint point;
    };
    const Case cases[] = {
        {"Square", IsovistTestPlan({Rectangle(0, 0, 10, 10, false)}), {3, 4}},
        {"Pillar", RoomWithPillar(), {5, 5}},
        {"PillarFromBelowRight", RoomWithPillar(), {17.3, 1.1}},
        {"PillarsRoom", RoomWithPillars(40, 7), PillarRoomGap(1, 2)},
    };
    for (const Case& c : cases) {
        const IsovistResult node = IsovistAt(c.plan, c.point, kNode);
        ASSERT_FALSE(node.usedRadialMethod) << c.name;
        const IsovistResult visibility = IsovistAt(c.plan, c.point, kVisibility);
        ASSERT_EQ(visibility.radialLines.size(), node.radialLines.size()) << c.name;
        for (size_t i = 0; i < node.radialLines.size(); ++i) {
            const PlanPoint a = node.radialLines[i].end;
            const PlanPoint b = visibility.radialLines[i].end;
            EXPECT_NEAR(a.x, b.x, 1e-12) << c.name << " vertex " << i;
            EXPECT_NEAR(a.y, b.y, 1e-12) << c.name << " vertex " << i;
        }
        EXPECT_NEAR(visibility.area, node.area, 1e-12 * node.area) << c.name;
    }
}

TEST(VisibilityPolygon, InvalidPointsGiveTheEmptyIsovist) {
    const IsovistTestPlan plan = RoomWithPillar();
    const PlanPoint points[] = {{25, 5},  {-1, -1}, {13, 5}, {12.5, 4.5},
                                {NAN, 5}, {5, INFINITY}};
    for (const PlanPoint p : points) {
        for (const CandidateSearch search : {CandidateSearch::Indexed, CandidateSearch::FullScan}) {
            const IsovistResult r = IsovistAt(plan, p, kVisibility, search);
            EXPECT_EQ(r.outcome, Outcome::InvalidPoint) << p.x << "," << p.y;
            EXPECT_TRUE(r.radialLines.empty());
            EXPECT_EQ(r.area, 0.0);
            ASSERT_TRUE(r.centroid.has_value());
            if (std::isfinite(p.x) && std::isfinite(p.y)) {
                EXPECT_EQ(*r.centroid, p);
            }
        }
    }
    EXPECT_EQ(IsovistAt(IsovistTestPlan({}), {1, 1}, kVisibility).outcome, Outcome::NoWalls);
}

// A point on an edge or vertex sees into the open face beside it; of two open sides, the one
// whose direction from the point has the smaller angle.
TEST(VisibilityPolygon, PointsOnEdgesAndVertices) {
    struct Case {
        const char* name;
        IsovistTestPlan plan;
        PlanPoint point;
        double area;  // 0: the empty isovist
    };
    const Case cases[] = {
        // The hit test counts the pillar's left, top and bottom faces as inside the pillar: not
        // valid. On its right face the point is valid and sees the part of the room before it.
        {"OnPillarLeftFace", RoomWithPillar(), {12, 5}, 0.0},
        {"OnPillarTopFace", RoomWithPillar(), {13, 6}, 0.0},
        {"OnPillarBottomFace", RoomWithPillar(), {13, 4}, 0.0},
        {"OnPillarRightFace", RoomWithPillar(), {14, 5}, 60.0},
        // At a valid corner the point sees both faces' halves: 80 + 36.
        {"OnPillarCorner00", RoomWithPillar(), {12, 4}, 0.0},
        {"OnPillarCorner10", RoomWithPillar(), {14, 4}, 116.0},
        {"OnPillarCorner01", RoomWithPillar(), {12, 6}, 0.0},
        {"OnPillarCorner11", RoomWithPillar(), {14, 6}, 116.0},
        // On the free wall, both sides are open: the lower one (direction -pi/2) is seen.
        {"OnFreeWall", RoomWithFreeWall(), {5, 5}, 50.0},
        // The free end of a wall has no side to see into: the empty isovist.
        {"AtFreeWallEnd", RoomWithFreeWall(), {8, 5}, 0.0},
        {"AtFreeWallStart", RoomWithFreeWall(), {2, 5}, 0.0},
    };
    for (const Case& c : cases) {
        const IsovistResult r = IsovistAt(c.plan, c.point, kVisibility);
        if (c.area == 0.0) {
            EXPECT_EQ(r.outcome, Outcome::InvalidPoint) << c.name;
            continue;
        }
        EXPECT_EQ(r.outcome, Outcome::Computed) << c.name;
        EXPECT_NEAR(r.area, c.area, 1e-12 * c.area) << c.name;
    }
}

// The scratch keeps the arrangement while the plan stays the same and rebuilds it when the
// plan changes.
TEST(VisibilityPolygon, ArrangementFollowsThePlan) {
    IsovistScratch scratch;
    IsovistResult r;
    const IsovistTestPlan square({Rectangle(0, 0, 10, 10, false)});
    ComputeIsovistAt(square.tables(), {5, 5}, kVisibility, scratch, r);
    EXPECT_EQ(scratch.visibility.edgeCount(), 4u);
    EXPECT_DOUBLE_EQ(r.area, 100.0);
    const IsovistTestPlan pillar = RoomWithPillar();
    ComputeIsovistAt(pillar.tables(), {5, 5}, kVisibility, scratch, r);
    EXPECT_EQ(scratch.visibility.edgeCount(), 8u);
    EXPECT_NEAR(r.area, 1224.0 / 7.0, 1e-12);
    ComputeIsovistAt(square.tables(), {5, 5}, kVisibility, scratch, r);
    EXPECT_DOUBLE_EQ(r.area, 100.0);
    // A copied scratch starts without an arrangement and builds its own.
    IsovistScratch copy = scratch;
    EXPECT_EQ(copy.visibility.edgeCount(), 0u);
    ComputeIsovistAt(square.tables(), {5, 5}, kVisibility, copy, r);
    EXPECT_DOUBLE_EQ(r.area, 100.0);
}

// Damaged plans: segments of zero length and with coordinates that are not finite are left
// out of the arrangement; walls that cross and overlap are split where they meet.
TEST(VisibilityPolygon, DamagedAndCrossingWalls) {
    const IsovistTestPlan damaged({Rectangle(0, 0, 10, 10, false),
                                   PlanPolygon({{3, 3}, {3, 3}}),
                                   PlanPolygon({{NAN, 1}, {2, INFINITY}})});
    EXPECT_NEAR(IsovistAt(damaged, {5, 5}, kVisibility).area, 100.0, 1e-12);
    // Two free walls crossing at (5, 5) and one drawn twice over the boundary's bottom edge.
    const IsovistTestPlan crossing({Rectangle(0, 0, 10, 10, false),
                                    PlanPolygon({{2, 5}, {8, 5}}), PlanPolygon({{5, 2}, {5, 8}}),
                                    PlanPolygon({{0, 0}, {10, 0}})});
    // From (2.5, 2.5) the walls' near faces up to the crossing (5, 5) are seen, and past the
    // ends (5, 2) and (2, 5) the room down to (10, 1) and up to (1, 10): area 40 by the shoelace
    // formula. The crossing point is a vertex of no wall, which the node method never visits.
    const IsovistResult r = IsovistAt(crossing, {2.5, 2.5}, kVisibility);
    ASSERT_EQ(r.outcome, Outcome::Computed);
    EXPECT_NEAR(r.area, 40.0, 1e-12);
    const std::vector<PlanPoint> expected = {{0, 0}, {10, 0}, {10, 1}, {5, 2},
                                             {5, 5}, {2, 5},  {1, 10}, {0, 10}};
    EXPECT_EQ(Ends(r), expected);
}

}  // namespace
