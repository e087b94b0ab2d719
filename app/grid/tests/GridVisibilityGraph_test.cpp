#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "grid/GridIsovists.h"
#include "grid/GridLayout.h"
#include "grid/GridVisibilityGraph.h"
#include "testing/IsovistPlans.h"

namespace {

CAnalysisGrid LaidOut(PlanExtent extent, double span) {
    GridLayoutResult layout = LayOutGrid(extent, {span});
    EXPECT_TRUE(layout.grid.has_value());
    return std::move(*layout.grid);
}

CAnalysisGrid GridWithIsovists(const IsovistTestPlan& plan, double side, double span,
                               int32_t method) {
    CAnalysisGrid grid = LaidOut({0, side, 0, side}, span);
    MarkEffectiveCells(grid, plan.polygons);
    std::vector<RadialStats> stats;
    NullProgress progress;
    ComputeGridIsovists(grid, plan.tables(), method, stats, progress);
    return grid;
}

CVisibilityGraph Build(const CAnalysisGrid& grid, GridGraphMethod method) {
    NullProgress progress;
    return BuildGridVisibilityGraph(grid, progress, method);
}

void ExpectBothMethodsAgree(const CAnalysisGrid& grid) {
    const CVisibilityGraph reference = Build(grid, GridGraphMethod::Reference);
    const CVisibilityGraph fast = Build(grid, GridGraphMethod::RowFill);
    EXPECT_EQ(fast.nodeCount(), reference.nodeCount());
    EXPECT_EQ(fast.edgeCount(), reference.edgeCount());
    EXPECT_TRUE(fast == reference);
}

class GridGraphMethods : public testing::TestWithParam<GridGraphMethod> {};

TEST_P(GridGraphMethods, ConvexRoomIsACompleteGraph) {
    const IsovistTestPlan plan({Rectangle(0, 0, 10, 10, false)});
    const CAnalysisGrid grid = GridWithIsovists(plan, 10, 5, 0);
    const CVisibilityGraph g = Build(grid, GetParam());
    ASSERT_EQ(g.nodeCount(), 4);
    EXPECT_EQ(g.edgeCount(), 6);
    for (int32_t i = 0; i < 4; ++i) {
        for (int32_t j = 0; j < 4; ++j) {
            EXPECT_EQ(g.adjacent(i, j), i != j) << i << "," << j;
        }
    }
}

TEST_P(GridGraphMethods, PillarHidesTheFarSide) {
    // Room 0..30 x 0..10 with span 10: centres (5,5), (15,5), (25,5). A pillar 9..21 x 3..7
    // stands between (5,5) and (25,5) and holds the middle centre, so that cell is not
    // effective: no cell sees another.
    const IsovistTestPlan plan({Rectangle(0, 0, 30, 10, false), Rectangle(9, 3, 21, 7, true)});
    const CAnalysisGrid grid = GridWithIsovists(plan, 30, 10, 0);
    const CVisibilityGraph g = Build(grid, GetParam());
    EXPECT_EQ(grid.cells[1].effective, 0);
    EXPECT_FALSE(g.adjacent(0, 2));
    // Row 1 (centres y = 15) lies outside the room.
    EXPECT_EQ(g.edgeCount(), 0);
}

TEST_P(GridGraphMethods, CellsOutsideTakeNoPart) {
    // Cell 1 is not effective but carries a polygon covering every centre.
    CAnalysisGrid grid = LaidOut({0, 3, 0, 1}, 1);
    for (CGridCell& c : grid.cells) {
        c.effective = 1;
        c.isovist.polygon = Rectangle(-1, -1, 4, 2, false);
    }
    grid.cells[1].effective = 0;
    const CVisibilityGraph g = Build(grid, GetParam());
    EXPECT_EQ(g.edgeCount(), 1);
    EXPECT_TRUE(g.adjacent(2, 0));
    EXPECT_FALSE(g.adjacent(1, 0));
    EXPECT_FALSE(g.adjacent(2, 1));
}

INSTANTIATE_TEST_SUITE_P(Methods, GridGraphMethods,
                         testing::Values(GridGraphMethod::Reference, GridGraphMethod::RowFill),
                         [](const testing::TestParamInfo<GridGraphMethod>& info) {
                             return info.param == GridGraphMethod::Reference ? "Reference"
                                                                             : "RowFill";
                         });

TEST(GridGraph, EmptyGridGivesEmptyGraph) {
    EXPECT_EQ(Build(CAnalysisGrid{}, GridGraphMethod::RowFill), CVisibilityGraph{});
}

// One cell more than 46340 would pass the n * n byte count of the stored form, and grids far
// larger would ask for terabytes: they get no graph.
TEST(GridGraph, GridsAboveTheNodeLimitGetNoGraph) {
    for (GridGraphMethod method : {GridGraphMethod::Reference, GridGraphMethod::RowFill}) {
        const CAnalysisGrid tooMany = LaidOut({0, 46341, 0, 1}, 1.0);
        ASSERT_EQ(tooMany.count, 46341);
        EXPECT_EQ(Build(tooMany, method), CVisibilityGraph{});
    }
}

struct PillarCase {
    const char* name;
    int segments;
    uint32_t seed;
    int32_t method;
    double span;
};

class GridGraphOnPillarRooms : public testing::TestWithParam<PillarCase> {};

TEST_P(GridGraphOnPillarRooms, RowFillEqualsReference) {
    const PillarCase& c = GetParam();
    const IsovistTestPlan plan = RoomWithPillars(c.segments, c.seed);
    const double side = plan.polygons[0][2].x;
    ExpectBothMethodsAgree(GridWithIsovists(plan, side, c.span, c.method));
}

INSTANTIATE_TEST_SUITE_P(
    Plans, GridGraphOnPillarRooms,
    testing::Values(PillarCase{"Exact", 40, 11, 0, 2.0}, PillarCase{"Radial", 40, 12, 1, 3.0},
                    PillarCase{"ExactFine", 20, 13, 0, 1.0},
                    // Centres on the lattice lines 10, 20, ... and on pillar corners.
                    PillarCase{"CentresOnLattice", 40, 14, 0, 2.5},
                    PillarCase{"ManyPillars", 100, 15, 0, 2.0}),
    [](const testing::TestParamInfo<PillarCase>& info) { return std::string(info.param.name); });

// Star polygons with vertices on the lattice of cell centres and edge midpoints, so that
// rows run through vertices, along edges, and centres lie exactly on edges.
PlanPolygon LatticeStar(std::mt19937& random, double cx, double cy, int vertices) {
    std::uniform_int_distribution<int> radius(0, 12);
    std::vector<PlanPoint> points;
    for (int k = 0; k < vertices; ++k) {
        const double angle = 2 * M_PI * k / vertices;
        const double r = radius(random);
        // Half-units: centres sit at .5, so .0 and .5 both occur.
        points.push_back({std::round(2 * (cx + r * std::cos(angle))) / 2,
                          std::round(2 * (cy + r * std::sin(angle))) / 2});
    }
    return PlanPolygon(std::move(points));
}

TEST(GridGraphDegenerate, LatticeStarsAgree) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 20; ++trial) {
        CAnalysisGrid grid = LaidOut({0, 17, 0, 13}, 1.0);
        std::bernoulli_distribution effective(0.85);
        std::uniform_int_distribution<int> vertices(1, 14);
        for (CGridCell& c : grid.cells) {
            c.effective = effective(random) ? 1 : 0;
            const PlanPoint centre = CellCentre(c);
            c.isovist.polygon = LatticeStar(random, centre.x, centre.y, vertices(random));
        }
        ExpectBothMethodsAgree(grid);
    }
}

TEST(GridGraphDegenerate, HandMadeOutlines) {
    // Centres at x, y = 0.5, 1.5, ... 5.5.
    const std::vector<PlanPolygon> outlines = {
        // An edge along the row y = 2.5 and a vertex on row 0.5.
        PlanPolygon({{0.5, 0.5}, {5.5, 2.5}, {0.5, 2.5}}),
        // A vertex exactly on a centre, the row through it touching only that vertex.
        PlanPolygon({{2.5, 2.5}, {5, 5}, {0, 5}}),
        // A bow tie whose crossing point lies on the row y = 2.5.
        PlanPolygon({{0.5, 0.5}, {4.5, 4.5}, {4.5, 0.5}, {0.5, 4.5}}),
        // Two points, and a spike out and back along a row.
        PlanPolygon({{0, 0}, {6, 6}}),
        PlanPolygon({{0, 0}, {6, 0}, {6, 1.5}, {0.5, 1.5}, {6, 1.5}, {6, 6}, {0, 6}}),
        // Repeated vertices and a vertex a hair off a row.
        PlanPolygon({{0, 0}, {0, 0}, {6, 0}, {6, 3.5 + 1e-12}, {0, 6}}),
        // Coordinates too large for the row search, and one not a number.
        PlanPolygon({{0, 0}, {1e200, 0}, {0, 6}}),
        PlanPolygon({{0, 0}, {6, std::nan("")}, {6, 6}, {0, 6}}),
    };
    for (size_t k = 0; k < outlines.size(); ++k) {
        CAnalysisGrid grid = LaidOut({0, 6, 0, 6}, 1.0);
        for (CGridCell& c : grid.cells) {
            c.effective = 1;
            c.isovist.polygon = outlines[k];
        }
        SCOPED_TRACE(k);
        ExpectBothMethodsAgree(grid);
    }
}

TEST(GridGraphDegenerate, IrregularCellsUseTheHitTest) {
    CAnalysisGrid grid = LaidOut({0, 4, 0, 4}, 1.0);
    for (CGridCell& c : grid.cells) {
        c.effective = 1;
        c.isovist.polygon = Rectangle(0, 0, 1.6, 4, false);
    }
    grid.cells[5].xMin += 0.5;  // its centre moves from x = 1.5 to 1.75, off its column line
    ExpectBothMethodsAgree(grid);
    const CVisibilityGraph g = Build(grid, GridGraphMethod::RowFill);
    EXPECT_FALSE(g.adjacent(6, 5));
    EXPECT_TRUE(g.adjacent(6, 1));
}

}  // namespace
