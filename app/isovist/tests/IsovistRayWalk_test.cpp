// The rays walked through the segment grid against the plain table-order scan, on the cases
// where a walk can go wrong: rays through wall end points, walls along a ray, walls and
// observation points on the borders of the grid's cells, equal distances met in different
// cells, points on walls and outside the plan, and a plan changed under a kept scratch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "isovist/IsovistEngine.h"
#include "isovist/IsovistPlanIndex.h"
#include "isovist/IsovistSegmentGrid.h"
#include "isovist/tests/IsovistSameResult.h"
#include "testing/IsovistPlans.h"

namespace {

struct Comparison {
    int computed = 0;
    int radial = 0;
};

// Both methods at every point, the fast search against the reference, one scratch throughout.
Comparison ExpectWalkMatchesScan(const IsovistTestPlan& plan, const std::vector<PlanPoint>& points,
                                 IsovistScratch& scratch) {
    Comparison seen;
    IsovistResult fast;
    IsovistResult reference;
    for (const int32_t method : {0, 1}) {
        for (const PlanPoint p : points) {
            ComputeIsovistAt(plan.tables(), p, method, scratch, fast, CandidateSearch::Indexed);
            ComputeIsovistAt(plan.tables(), p, method, scratch, reference, CandidateSearch::FullScan);
            EXPECT_TRUE(IdenticalResults(fast, reference))
                << "method " << method << " at " << p.x << ", " << p.y;
            EXPECT_TRUE(SameOcclusivity(fast, plan.segments))
                << "method " << method << " at " << p.x << ", " << p.y;
            seen.computed += fast.outcome == IsovistResult::Outcome::Computed ? 1 : 0;
            seen.radial += fast.usedRadialMethod ? 1 : 0;
        }
    }
    return seen;
}

Comparison ExpectWalkMatchesScan(const IsovistTestPlan& plan,
                                 const std::vector<PlanPoint>& points) {
    IsovistScratch scratch;
    return ExpectWalkMatchesScan(plan, points, scratch);
}

// Square pillars of side 2 whose corners lie on the rays at whole multiples of 45 degrees
// from (20, 20), at distances 5, 10 and 15, and one pillar on each axis behind another.
IsovistTestPlan PillarsOnRayDirections() {
    std::vector<PlanPolygon> polygons{Rectangle(0, 0, 40, 40, false)};
    for (const double r : {5.0, 10.0, 15.0}) {
        polygons.push_back(Rectangle(20 + r, 20, 22 + r, 22, true));          // corner on 0 deg
        polygons.push_back(Rectangle(18, 20 + r, 20, 22 + r, true));          // corner on 90 deg
        polygons.push_back(Rectangle(20 - r - 2, 18, 20 - r, 20, true));      // corner on 180 deg
        polygons.push_back(Rectangle(20, 20 - r - 2, 22, 20 - r, true));      // corner on 270 deg
        polygons.push_back(Rectangle(20 + r, 20 + r, 21 + r, 21 + r, true));  // 45 deg
    }
    return IsovistTestPlan(std::move(polygons));
}

TEST(IsovistRayWalk, RaysThroughWallEndPoints) {
    const IsovistTestPlan plan = PillarsOnRayDirections();
    // (30, 30) is a pillar's corner, which the hit test counts as inside.
    std::vector<PlanPoint> points{{20, 20}, {20, 21}, {21, 20}, {10, 10}, {30, 30}, {2, 20}};
    const Comparison seen = ExpectWalkMatchesScan(plan, points);
    EXPECT_EQ(seen.computed, 2 * static_cast<int>(points.size() - 1));
}

// Walls whose edges lie along the rays of 0 and 90 degrees from (10, 10), end to end and
// overlapping, and a long thin wall that a ray grazes along its whole length.
TEST(IsovistRayWalk, WallsAlongARay) {
    const IsovistTestPlan plan({
        Rectangle(0, 0, 30, 30, false), Rectangle(12, 10, 14, 11, true),
        Rectangle(14, 10, 16, 12, true), Rectangle(17, 9, 19, 10, true),
        Rectangle(10, 13, 11, 15, true), Rectangle(9, 16, 10, 20, true),
        PlanPolygon({{3, 25}, {27, 25.000001}, {27, 24}, {3, 24}}),  // nearly along 0 degrees
    });
    const std::vector<PlanPoint> points{{10, 10},         {5, 10},          {10, 5}, {25, 10},
                                        {10, 25.0000005}, {4, 25.00000001}, {8, 26}};
    const Comparison seen = ExpectWalkMatchesScan(plan, points);
    EXPECT_GE(seen.computed, 10);
    // The nearly horizontal wall is one the rays of 0 and 180 degrees always try.
    IsovistPlanIndex index;
    index.prepare(plan.tables());
    const auto along = index.nearlyParallel(0);
    EXPECT_NE(std::find(along.begin(), along.end(), 24), along.end());
    EXPECT_FALSE(index.nearlyParallel(720).empty());
    EXPECT_TRUE(index.nearlyParallel(360).empty());
}

// Pillars whose edges and corners lie exactly on the grid lines of the segment grid, and
// observation points on those lines and corners. Moving pillars inside the boundary keeps the
// grid (it depends on the segments' extent and count only).
TEST(IsovistRayWalk, WallsAndPointsOnCellBorders) {
    const IsovistTestPlan draft = RoomWithPillars(400, 5);
    IsovistSegmentGrid grid;
    ASSERT_TRUE(grid.build(draft.segments));
    const double size = grid.cellSize();
    const PlanPoint origin = grid.origin();
    auto lineX = [&](int32_t i) { return origin.x + i * size; };
    auto lineY = [&](int32_t j) { return origin.y + j * size; };
    const double side = draft.polygons[0][2].x;

    std::vector<PlanPolygon> polygons{draft.polygons[0]};
    std::vector<PlanPoint> points;
    const int32_t step = std::max(3, grid.columns() / 10);
    for (int32_t j = step; lineY(j + 2) < side; j += step) {
        for (int32_t i = step; lineX(i + 2) < side; i += step) {
            if (polygons.size() < draft.polygons.size()) {
                polygons.push_back(Rectangle(lineX(i), lineY(j), lineX(i + 1), lineY(j + 1), true));
            }
            points.push_back({lineX(i - 1), lineY(j)});           // a cell corner
            points.push_back({lineX(i - 1), lineY(j) + 0.3});     // on a vertical border
            points.push_back({lineX(i) - 0.7, lineY(j - 1)});     // on a horizontal border
            points.push_back({lineX(i), lineY(j) + 0.5 * size});  // on a pillar edge
        }
    }
    // Keep the segment count, so the grid stays the same: spare pillars go to a far corner.
    while (polygons.size() < draft.polygons.size()) {
        const double at = 1.0 + 0.01 * static_cast<double>(polygons.size());
        polygons.push_back(Rectangle(at, 0.5, at + 0.005, 0.505, true));
    }
    const IsovistTestPlan plan(std::move(polygons));
    IsovistSegmentGrid same;
    ASSERT_TRUE(same.build(plan.segments));
    ASSERT_EQ(same.cellSize(), size);
    ASSERT_EQ(same.origin().x, origin.x);
    ASSERT_EQ(same.origin().y, origin.y);

    const Comparison seen = ExpectWalkMatchesScan(plan, points);
    EXPECT_GT(seen.computed, static_cast<int>(points.size()));
}

// Two different crossings at exactly the same distance on the ray of 45 degrees from
// (20, 20): wall corners mirrored about that ray, 1e-10 radians off it (well outside the
// angle test's ambiguity, well inside the crossing routine's tolerance, so each corner is
// returned as the crossing itself). The first wall in table order must win, whichever it is.
TEST(IsovistRayWalk, EqualDistancesKeepTheFirstInTableOrder) {
    const PlanPoint p{20, 20};
    const double angle = std::numbers::pi / 4 + 1e-10;
    const PlanPoint e1{p.x + 3 * std::cos(angle), p.y + 3 * std::sin(angle)};
    const PlanPoint e2{e1.y, e1.x};  // mirrored: same squared distance from p, bit for bit
    const PlanPolygon near1({e1, {e1.x + 1, e1.y}, {e1.x + 1, e1.y - 1}});
    const PlanPolygon near2({e2, {e2.x, e2.y + 1}, {e2.x - 1, e2.y + 1}});
    for (const bool secondFirst : {false, true}) {
        std::vector<PlanPolygon> polygons{Rectangle(0, 0, 64, 64, false)};
        polygons.push_back(secondFirst ? near2 : near1);
        polygons.push_back(secondFirst ? near1 : near2);
        for (int i = 0; i < 30; ++i) {  // enough segments for a fine grid
            polygons.push_back(Rectangle(2 + 2 * i, 60, 3 + 2 * i, 61, true));
        }
        const IsovistTestPlan plan(std::move(polygons));
        IsovistScratch scratch;
        IsovistResult reference;
        ComputeIsovistAt(plan.tables(), p, 1, scratch, reference, CandidateSearch::FullScan);
        const PlanPoint winner = reference.unreducedRadialLines[180].end;
        EXPECT_EQ(winner.x, secondFirst ? e2.x : e1.x);  // the case is what it claims to be
        SCOPED_TRACE(secondFirst);
        const Comparison seen = ExpectWalkMatchesScan(plan, {p, {20, 21}, {30, 32}});
        EXPECT_EQ(seen.computed, 6);
    }
}

TEST(IsovistRayWalk, PointsOnWallsAndOutsideThePlan) {
    const IsovistTestPlan plan = RoomWithPillars(120, 9);
    const PlanPolygon& pillar = plan.polygons[3];
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<PlanPoint> points{
        pillar[0],                                                           // a wall vertex
        {pillar[0].x, (pillar[0].y + pillar[1].y) / 2},                      // on a wall edge
        {(pillar[0].x + pillar[2].x) / 2, (pillar[0].y + pillar[2].y) / 2},  // inside a wall
        {0.0, 20.0},                                                         // on the boundary
        {-5.0, 20.0},                                                        // outside the boundary
        {1e9, 1e9},                                                          // far outside the grid
        {nan, 5.0},
        {inf, 5.0},
        PillarRoomGap(1, 1),
    };
    const Comparison seen = ExpectWalkMatchesScan(plan, points);
    EXPECT_GE(seen.computed, 2);
}

// The scratch keeps what it knows of a plan: another plan, and the same storage with changed
// coordinates, must be noticed.
TEST(IsovistRayWalk, ScratchNoticesAChangedPlan) {
    IsovistTestPlan plan = RoomWithPillars(200, 3);
    const std::vector<PlanPoint> points{PillarRoomGap(1, 2), PillarRoomGap(3, 3),
                                        PillarRoomGap(5, 1)};
    IsovistScratch scratch;
    ExpectWalkMatchesScan(plan, points, scratch);
    ExpectWalkMatchesScan(PillarsOnRayDirections(), {{20, 20}, {10, 10}}, scratch);
    ExpectWalkMatchesScan(plan, points, scratch);
    // Move one pillar in place, in both tables, so the storage stays where it was.
    for (PlanPoint& p : plan.polygons[5].points()) {
        p.x += 2.5;
    }
    for (size_t i = 16; i < 20; ++i) {
        plan.segments[i].start.x += 2.5;
        plan.segments[i].end.x += 2.5;
    }
    ExpectWalkMatchesScan(plan, points, scratch);
}

// A plan whose wall polygons share vertices: the exact method falls back to the radial
// method, decided before any vertex table is built; and one whose only tie is two vertices in
// line with the point, decided before sorting.
TEST(IsovistRayWalk, ExactMethodFallBack) {
    const IsovistTestPlan shared(
        {Rectangle(0, 0, 20, 20, false), Rectangle(5, 5, 7, 7, true), Rectangle(7, 7, 9, 9, true)});
    const IsovistTestPlan inLine({Rectangle(0, 0, 20, 20, false), Rectangle(5, 5, 6, 6, true),
                                  Rectangle(12, 12, 13, 14, true)});
    for (const IsovistTestPlan* plan : {&shared, &inLine}) {
        IsovistScratch scratch;
        IsovistResult fast;
        ComputeIsovistAt(plan->tables(), {2, 2}, 0, scratch, fast);  // (6, 6) and (12, 12) in line
        EXPECT_TRUE(fast.usedRadialMethod);
        ComputeIsovistAt(plan->tables(), {2, 3.3}, 0, scratch, fast);
        EXPECT_EQ(fast.usedRadialMethod, plan == &shared);
        ExpectWalkMatchesScan(*plan, {{2, 2}, {2, 3.3}, {15, 4}});
    }
}

// The grid itself: every cell lists its segments ascending, a segment is in every cell its box
// touches, and a walk leaves cells at growing distances.
TEST(IsovistSegmentGrid, CellsAndWalk) {
    const IsovistTestPlan plan = RoomWithPillars(300, 2);
    IsovistSegmentGrid grid;
    ASSERT_TRUE(grid.build(plan.segments));
    const PlanSegment& s = plan.segments[40];
    const int32_t ix = static_cast<int32_t>((s.start.x - grid.origin().x) / grid.cellSize());
    const int32_t iy = static_cast<int32_t>((s.start.y - grid.origin().y) / grid.cellSize());
    const auto cell = grid.cell(ix, iy);
    EXPECT_TRUE(std::is_sorted(cell.begin(), cell.end()));
    EXPECT_NE(std::find(cell.begin(), cell.end(), 40), cell.end());

    double last = -1.0;
    int cells = 0;
    grid.walk(PillarRoomGap(1, 1), std::cos(0.3), std::sin(0.3), [&](auto, double exit) {
        EXPECT_GE(exit, last);
        last = exit;
        ++cells;
        return true;
    });
    EXPECT_GT(cells, grid.columns() / 2);

    const std::vector<PlanSegment> damaged{{{0, 0}, {std::nan(""), 1}}};
    EXPECT_FALSE(grid.build(damaged));
    EXPECT_FALSE(grid.usable());
    EXPECT_FALSE(grid.build({}));
}

// Walls that each cross the whole plan diagonally would fill every cell: the grid declines and
// the isovists take the angular index, with the same results.
TEST(IsovistSegmentGrid, DeclinesAPlanOfLongDiagonals) {
    std::vector<PlanPolygon> polygons{Rectangle(0, 0, 100, 100, false)};
    for (int i = 0; i < 60; ++i) {
        const double at = 1.0 + 1.5 * i;
        polygons.push_back(PlanPolygon({{at, 1}, {at + 0.2, 1}, {99, 98.8 - at}, {99, 99 - at}}));
    }
    const IsovistTestPlan plan(std::move(polygons));
    IsovistSegmentGrid grid;
    EXPECT_FALSE(grid.build(plan.segments));
    const Comparison seen = ExpectWalkMatchesScan(plan, {{50, 2}, {2, 50}, {90, 95}});
    EXPECT_GE(seen.computed, 2);
}

}  // namespace
