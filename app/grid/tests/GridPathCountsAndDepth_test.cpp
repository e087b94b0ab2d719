#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "grid/GridDepth.h"
#include "grid/GridLayout.h"
#include "grid/GridPathCounts.h"

namespace {

CAnalysisGrid Row(int32_t cells) {
    GridLayoutResult layout = LayOutGrid({0, static_cast<double>(cells), 0, 1}, {1.0});
    EXPECT_TRUE(layout.grid.has_value());
    for (CGridCell& c : layout.grid->cells) {
        c.effective = 1;
        c.isovist.pathCount = 9;
        c.isovist.depthFromCurrent = 7;
    }
    return std::move(*layout.grid);
}

class PathCountModes : public testing::TestWithParam<GridRunMode> {};

TEST_P(PathCountModes, CountsPathsCrossingEachOutline) {
    CAnalysisGrid grid = Row(4);
    grid.cells[3].effective = 0;
    const std::vector<PlanPolygon> paths = {
        PlanPolygon({{0.5, 0.5}, {2.5, 0.5}}),            // crosses cells 0, 1, 2
        PlanPolygon({{0.2, 0.2}, {0.8, 0.8}}),            // wholly inside cell 0
        PlanPolygon({{1.5, 0.5}}),                        // no segment
        PlanPolygon({{2.5, 0.2}, {2.5, 0.8}, {1.5, 2}}),  // second segment leaves cell 2
        PlanPolygon({{1.2, 0.5}, {1.8, 0.5}, {1.5, 0.5}, {3.5, 0.5}}),  // crosses 1 once, 2
    };
    NullProgress progress;
    CountPathsThroughCells(grid, paths, progress, GetParam());
    const int32_t expected[] = {1, 2, 3, 0};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(grid.cells[i].isovist.pathCount, expected[i]) << i;
    }
}

TEST_P(PathCountModes, NoPathsChangeNothing) {
    CAnalysisGrid grid = Row(2);
    NullProgress progress;
    CountPathsThroughCells(grid, {}, progress, GetParam());
    EXPECT_EQ(grid.cells[0].isovist.pathCount, 9);
}

INSTANTIATE_TEST_SUITE_P(Modes, PathCountModes,
                         testing::Values(GridRunMode::Serial, GridRunMode::Parallel),
                         [](const testing::TestParamInfo<GridRunMode>& info) {
                             return info.param == GridRunMode::Serial ? "Serial" : "Parallel";
                         });

class DepthMethods : public testing::TestWithParam<GraphMeasureMethod> {};

TEST_P(DepthMethods, DepthFromCurrentCell) {
    // Cells 0 - 1 - 2 in a chain, 3 effective and alone, 4 not effective.
    CAnalysisGrid grid = Row(5);
    grid.cells[4].effective = 0;
    CVisibilityGraph graph;
    graph.initialise(5);
    graph.addEdge(0, 1);
    graph.addEdge(1, 2);
    EXPECT_EQ(ComputeDepthFromCell(grid, graph, {0, 0}, GetParam()), DepthFromCellOutcome::Done);
    const int32_t expected[] = {0, 1, 2, -1, 7};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(grid.cells[i].isovist.depthFromCurrent, expected[i]) << i;
    }
}

TEST_P(DepthMethods, RefusedCells) {
    CAnalysisGrid grid = Row(3);
    grid.cells[1].effective = 0;
    CVisibilityGraph graph;
    graph.initialise(3);
    struct Case {
        GridCellIndex cell;
        DepthFromCellOutcome outcome;
    };
    for (Case c : {Case{{-1, -1}, DepthFromCellOutcome::InvalidCell},
                   Case{{3, 0}, DepthFromCellOutcome::InvalidCell},
                   Case{{0, 1}, DepthFromCellOutcome::InvalidCell},
                   Case{{1, 0}, DepthFromCellOutcome::NotEffective}}) {
        EXPECT_EQ(ComputeDepthFromCell(grid, graph, c.cell, GetParam()), c.outcome);
    }
    CVisibilityGraph small;
    small.initialise(2);
    EXPECT_EQ(ComputeDepthFromCell(grid, small, {0, 0}, GetParam()),
              DepthFromCellOutcome::GraphMismatch);
    EXPECT_EQ(grid.cells[0].isovist.depthFromCurrent, 7);
    EXPECT_TRUE(DepthsFrom(graph, 3, GetParam()).empty());
}

INSTANTIATE_TEST_SUITE_P(Methods, DepthMethods,
                         testing::Values(GraphMeasureMethod::Reference, GraphMeasureMethod::Bfs),
                         [](const testing::TestParamInfo<GraphMeasureMethod>& info) {
                             return info.param == GraphMeasureMethod::Reference ? "Reference"
                                                                                : "Bfs";
                         });

TEST(DepthsFrom, BfsEqualsReferenceOnRandomGraphs) {
    std::mt19937 random(3);
    for (double chance : {0.01, 0.03, 0.2}) {
        std::bernoulli_distribution edge(chance);
        CVisibilityGraph g;
        g.initialise(140);
        for (int32_t i = 0; i < 140; ++i) {
            for (int32_t j = 0; j < i; ++j) {
                if (edge(random)) {
                    g.addEdge(i, j);
                }
            }
        }
        for (int32_t source : {0, 63, 64, 139}) {
            EXPECT_EQ(DepthsFrom(g, source, GraphMeasureMethod::Bfs),
                      DepthsFrom(g, source, GraphMeasureMethod::Reference))
                << chance << " " << source;
        }
    }
}

}  // namespace
