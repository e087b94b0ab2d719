// The indexed candidate search against the plain full scan, and many threads against one:
// every result must be identical, bit for bit, on ordinary and on degenerate plans.
#include <gtest/gtest.h>
#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_for.h>

#include "isovist/IsovistEngine.h"
#include "isovist/tests/IsovistSameResult.h"
#include "testing/IsovistPlans.h"

namespace {

// Walls on whole and half units, so that lattice points fall on edges and vertices and many
// vertices line up: pillars sharing a corner, a pillar on the boundary, collinear and repeated
// vertices, a wall edge through the room's centre line.
IsovistTestPlan DegeneratePlan() {
    return IsovistTestPlan({
        Rectangle(0, 0, 12, 12, false),
        Rectangle(2, 2, 4, 4, true),
        Rectangle(4, 4, 6, 6, true),
        Rectangle(8, 2, 10, 3, true),
        Rectangle(10, 8, 12, 9, true),
        PlanPolygon({{7, 7}, {7, 8}, {9, 8}, {9, 7}, {8, 7}}),
        PlanPolygon({{2, 9}, {2, 10}, {2, 10}, {3, 10}, {3, 9}}),
        PlanPolygon({{6.5, 1}, {6.5, 1.5}, {8.5, 1.5}, {8.5, 1}}),
    });
}

std::vector<PlanPoint> LatticePoints(double side, double step) {
    std::vector<PlanPoint> points;
    for (double y = 0; y <= side; y += step) {
        for (double x = 0; x <= side; x += step) {
            points.push_back({x, y});
        }
    }
    return points;
}

void ExpectSearchesAgree(const IsovistTestPlan& plan, const std::vector<PlanPoint>& points) {
    IsovistScratch scratch;
    IsovistResult indexed;
    IsovistResult reference;
    int computed = 0;
    for (const int32_t method : {0, 1}) {
        for (const PlanPoint p : points) {
            ComputeIsovistAt(plan.tables(), p, method, scratch, indexed, CandidateSearch::Indexed);
            ComputeIsovistAt(plan.tables(), p, method, scratch, reference, CandidateSearch::FullScan);
            ASSERT_TRUE(IdenticalResults(indexed, reference))
                << "method " << method << " at " << p.x << ", " << p.y;
            computed += indexed.outcome == IsovistResult::Outcome::Computed ? 1 : 0;
        }
    }
    // The comparison must not pass on invalid points alone.
    EXPECT_GT(computed, static_cast<int>(points.size()) / 2);
}

TEST(IsovistSearchDifferential, DegeneratePlanOnAHalfUnitLattice) {
    ExpectSearchesAgree(DegeneratePlan(), LatticePoints(12, 0.5));
}

TEST(IsovistSearchDifferential, DegeneratePlanBetweenTheLattice) {
    ExpectSearchesAgree(DegeneratePlan(), LatticePoints(12, 0.37));
}

TEST(IsovistSearchDifferential, RoomsWithManyPillars) {
    for (const uint32_t seed : {1u, 2u, 3u}) {
        const IsovistTestPlan plan = RoomWithPillars(200, seed);
        std::vector<PlanPoint> points;
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> coordinate(0.0, 80.0);
        for (int i = 0; i < 40; ++i) {
            points.push_back({coordinate(random), coordinate(random)});
        }
        for (int i = 0; i < 7; ++i) {
            points.push_back(PillarRoomGap(i, 6 - i));
        }
        // Points on pillar corners and edges.
        points.push_back(plan.polygons[1][0]);
        points.push_back(
            {plan.polygons[2][1].x, (plan.polygons[2][1].y + plan.polygons[2][2].y) / 2});
        SCOPED_TRACE(seed);
        ExpectSearchesAgree(plan, points);
    }
}

TEST(IsovistThreads, ParallelRunsMatchASerialRun) {
    const IsovistTestPlan plan = RoomWithPillars(400, 11);
    std::vector<PlanPoint> points;
    for (int row = 0; row < 10; ++row) {
        for (int column = 0; column < 10; ++column) {
            points.push_back(PillarRoomGap(column, row));
        }
    }
    for (const int32_t method : {0, 1}) {
        std::vector<IsovistResult> serial(points.size());
        IsovistScratch scratch;
        for (size_t i = 0; i < points.size(); ++i) {
            ComputeIsovistAt(plan.tables(), points[i], method, scratch, serial[i]);
        }
        std::vector<IsovistResult> parallel(points.size());
        tbb::enumerable_thread_specific<IsovistScratch> scratches;
        tbb::parallel_for(size_t{0}, points.size(), [&](size_t i) {
            ComputeIsovistAt(plan.tables(), points[i], method, scratches.local(), parallel[i]);
        });
        for (size_t i = 0; i < points.size(); ++i) {
            ASSERT_EQ(serial[i].outcome, IsovistResult::Outcome::Computed);
            ASSERT_TRUE(IdenticalResults(serial[i], parallel[i])) << "method " << method << " point " << i;
        }
    }
}

}  // namespace
