#include <gtest/gtest.h>

#include <tbb/global_control.h>

#include <vector>

#include "grid/GridIsovists.h"
#include "grid/GridLayout.h"
#include "testing/IsovistPlans.h"

namespace {

constexpr int32_t kExact = 0;
constexpr int32_t kRadial = 1;
constexpr int32_t kVisibilityPolygon = 2;

CAnalysisGrid GridOver(const IsovistTestPlan& plan, PlanExtent extent, double span) {
    GridLayoutResult layout = LayOutGrid(extent, {span});
    EXPECT_TRUE(layout.grid.has_value());
    MarkEffectiveCells(*layout.grid, plan.polygons);
    return std::move(*layout.grid);
}

struct GridRun {
    CAnalysisGrid grid;
    std::vector<RadialStats> stats;
};

GridRun RunOn(const IsovistTestPlan& plan, CAnalysisGrid grid, int32_t method, GridRunMode mode) {
    GridRun run{std::move(grid), {RadialStats{1}}};
    NullProgress progress;
    ComputeGridIsovists(run.grid, plan.tables(), method, run.stats, progress, mode);
    return run;
}

class GridIsovistsModes : public testing::TestWithParam<GridRunMode> {};

TEST_P(GridIsovistsModes, SquareRoomSeenWholeFromEveryCell) {
    const IsovistTestPlan plan({Rectangle(0, 0, 10, 10, false)});
    CAnalysisGrid grid = GridOver(plan, {0, 10, 0, 10}, 5.0);
    const GridRun run = RunOn(plan, grid, kExact, GetParam());
    EXPECT_TRUE(run.stats.empty());  // emptied; the exact method adds none
    for (const CGridCell& cell : run.grid.cells) {
        ASSERT_EQ(cell.effective, 1);
        EXPECT_DOUBLE_EQ(cell.isovist.area, 100.0);
        EXPECT_DOUBLE_EQ(cell.isovist.perimeter, 40.0);
        EXPECT_DOUBLE_EQ(cell.isovist.centroid.x, 5.0);
        EXPECT_DOUBLE_EQ(cell.isovist.centroid.y, 5.0);
        EXPECT_EQ(cell.isovist.origin, CellCentre(cell));
        EXPECT_DOUBLE_EQ(cell.isovist.drift, std::sqrt(2 * 2.5 * 2.5));
        EXPECT_DOUBLE_EQ(cell.isovist.occlusivity, 1.0);
    }
}

TEST_P(GridIsovistsModes, CellsOutsideGetAreaZeroAndKeepTheRest) {
    // 10 wide room, grid reaching to x = 15: column 2 (centres x = 12.5) lies outside.
    const IsovistTestPlan plan({Rectangle(0, 0, 10, 10, false)});
    CAnalysisGrid grid = GridOver(plan, {0, 15, 0, 10}, 5.0);
    for (CGridCell& cell : grid.cells) {
        cell.isovist.area = 7.0;
        cell.isovist.userValue = 3.0;
        cell.isovist.radialStatsIndex = 42;
    }
    const GridRun run = RunOn(plan, grid, kRadial, GetParam());
    ASSERT_EQ(run.grid.nx, 3);
    ASSERT_EQ(run.stats.size(), 4u);
    // Radial statistics follow the visiting order: column by column, row by row.
    const int32_t expectedIndex[] = {0, 2, 42, 1, 3, 42};
    for (size_t i = 0; i < run.grid.cells.size(); ++i) {
        const IsovistRecord& r = run.grid.cells[i].isovist;
        EXPECT_EQ(r.radialStatsIndex, expectedIndex[i]) << i;
        EXPECT_EQ(r.userValue, 3.0);
        if (run.grid.cells[i].effective == 0) {
            EXPECT_EQ(r.area, 0.0);
            EXPECT_TRUE(r.polygon.empty());
        } else {
            EXPECT_NEAR(r.area, 100.0, 1e-2);  // rays miss the very corners
        }
    }
    EXPECT_EQ(run.stats[0].rayCount, 1440.0);
}

INSTANTIATE_TEST_SUITE_P(Modes, GridIsovistsModes,
                         testing::Values(GridRunMode::Serial, GridRunMode::Parallel),
                         [](const testing::TestParamInfo<GridRunMode>& info) {
                             return info.param == GridRunMode::Serial ? "Serial" : "Parallel";
                         });

TEST_P(GridIsovistsModes, VisibilityPolygonCellsAreExactAndKeepNoStatistics) {
    // A 20 x 10 room with a 2 x 2 pillar; the cell centres (2.5 + 5 i, 2.5 + 5 j) see past the
    // pillar's corners, which the node method would meet on shared sight lines only by chance.
    const IsovistTestPlan plan({Rectangle(0, 0, 20, 10, false), Rectangle(12, 4, 14, 6, true)});
    CAnalysisGrid grid = GridOver(plan, {0, 20, 0, 10}, 5.0);
    const GridRun run = RunOn(plan, grid, kVisibilityPolygon, GetParam());
    EXPECT_TRUE(run.stats.empty());
    // From (2.5, 2.5) the pillar's corners (12, 6) and (14, 4) cast the shadow: the rays reach
    // x = 20 at y = 2.5 + 17.5 * 3.5 / 9.5 and y = 2.5 + 17.5 * 1.5 / 11.5.
    const CGridCell& corner = run.grid.cells[0];
    ASSERT_EQ(corner.effective, 1);
    const double top = 2.5 + 17.5 * 3.5 / 9.5;
    const double bottom = 2.5 + 17.5 * 1.5 / 11.5;
    // Hidden: the quadrilateral (14, 4), (20, bottom), (20, top), (12, 6) less the pillar's part
    // (14, 4), (14, 6), (12, 6) inside it; by the shoelace formula.
    const double xs[] = {14, 20, 20, 12};
    const double ys[] = {4, bottom, top, 6};
    double twice = 0.0;
    for (int i = 0; i < 4; ++i) {
        twice += xs[i] * ys[(i + 1) % 4] - xs[(i + 1) % 4] * ys[i];
    }
    const double hidden = 0.5 * twice - 2.0;  // the triangle (14, 4), (14, 6), (12, 6)
    EXPECT_NEAR(corner.isovist.area, 200.0 - 4.0 - hidden, 1e-9);
    EXPECT_EQ(corner.isovist.radialStatsIndex, 0);
}

TEST(GridIsovists, EmptyGridOnlyEmptiesTheStatistics) {
    const IsovistTestPlan plan({Rectangle(0, 0, 10, 10, false)});
    const GridRun run = RunOn(plan, CAnalysisGrid{}, kRadial, GridRunMode::Parallel);
    EXPECT_TRUE(run.stats.empty());
}

struct DifferentialCase {
    const char* name;
    int segments;
    uint32_t seed;
    int32_t method;
    double span;
};

class GridIsovistsDifferential : public testing::TestWithParam<DifferentialCase> {};

TEST_P(GridIsovistsDifferential, ParallelEqualsSerialOnAnyThreadCount) {
    const DifferentialCase& c = GetParam();
    const IsovistTestPlan plan = RoomWithPillars(c.segments, c.seed);
    const double side = plan.polygons[0][2].x;
    const CAnalysisGrid grid = GridOver(plan, {0, side, 0, side}, c.span);
    const GridRun reference = RunOn(plan, grid, c.method, GridRunMode::Serial);
    const GridRun parallel = RunOn(plan, grid, c.method, GridRunMode::Parallel);
    EXPECT_EQ(parallel.grid, reference.grid);
    EXPECT_EQ(parallel.stats, reference.stats);
    {
        tbb::global_control oneThread(tbb::global_control::max_allowed_parallelism, 1);
        const GridRun single = RunOn(plan, grid, c.method, GridRunMode::Parallel);
        EXPECT_EQ(single.grid, reference.grid);
        EXPECT_EQ(single.stats, reference.stats);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Plans, GridIsovistsDifferential,
    testing::Values(DifferentialCase{"ExactPillars", 40, 1, kExact, 3.0},
                    DifferentialCase{"RadialPillars", 40, 2, kRadial, 4.0},
                    // Span 2.5 puts cell centres on lattice lines and pillar corners.
                    DifferentialCase{"ExactOnLatticeLines", 20, 3, kExact, 2.5},
                    DifferentialCase{"VisibilityPolygonPillars", 40, 4, kVisibilityPolygon, 3.0},
                    DifferentialCase{"VisibilityPolygonOnLatticeLines", 20, 3, kVisibilityPolygon,
                                     2.5}),
    [](const testing::TestParamInfo<DifferentialCase>& info) {
        return std::string(info.param.name);
    });

}  // namespace
