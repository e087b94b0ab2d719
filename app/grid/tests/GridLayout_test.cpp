#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include <gonion/gonion.h>

#include "grid/GridLayout.h"
#include "isovist/IsovistEngine.h"
#include "isovist/IsovistPlanIndex.h"
#include "isovist/tests/RealPlanSamples.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

PlanPolygon Rect(double x0, double y0, double x1, double y1) {
    return PlanPolygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

struct RefusalCase {
    const char* name;
    PlanExtent extent;
    GridLayoutOptions options;
    GridLayoutRefusal expected;
};

class GridLayoutRefusals : public testing::TestWithParam<RefusalCase> {};

TEST_P(GridLayoutRefusals, RefusesWithoutAGrid) {
    const RefusalCase& c = GetParam();
    const GridLayoutResult result = LayOutGrid(c.extent, c.options);
    EXPECT_EQ(result.refusal, c.expected);
    EXPECT_FALSE(result.grid.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GridLayoutRefusals,
    testing::Values(
        RefusalCase{"SpanZero", {0, 10, 0, 10}, {0.0}, GridLayoutRefusal::BadSpan},
        RefusalCase{"SpanNegative", {0, 10, 0, 10}, {-1.0}, GridLayoutRefusal::BadSpan},
        RefusalCase{"SpanNaN", {0, 10, 0, 10}, {kNaN}, GridLayoutRefusal::BadSpan},
        RefusalCase{"SpanInfinite", {0, 10, 0, 10}, {kInf}, GridLayoutRefusal::BadSpan},
        RefusalCase{"ZeroWidth", {5, 5, 0, 10}, {1.0}, GridLayoutRefusal::EmptyExtent},
        RefusalCase{
            "OffsetsInvertX", {0, 10, 0, 10}, {1.0, 6, 0, -6, 0}, GridLayoutRefusal::EmptyExtent},
        RefusalCase{
            "OffsetsEmptyY", {0, 10, 0, 10}, {1.0, 0, 5, 0, -5}, GridLayoutRefusal::EmptyExtent},
        RefusalCase{
            "NaNOffset", {0, 10, 0, 10}, {1.0, kNaN, 0, 0, 0}, GridLayoutRefusal::EmptyExtent},
        // 65536 x 65536 cells: each count fits, the product does not.
        RefusalCase{
            "ProductOverflows", {0, 65536, 0, 65536}, {1.0}, GridLayoutRefusal::TooManyCells},
        RefusalCase{"ColumnsOverflow", {0, 3e9, 0, 1}, {1.0}, GridLayoutRefusal::TooManyCells},
        RefusalCase{"TinySpan", {0, 1, 0, 1}, {1e-300}, GridLayoutRefusal::TooManyCells},
        // 4000 x 2501 cells count in 32 bits but would take gigabytes of records.
        RefusalCase{"MoreCellsThanMemoryAllows", {0, 4000, 0, 2501}, {1.0},
                    GridLayoutRefusal::TooManyCells}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST(GridLayout, WidthTenAndAHalfGivesElevenColumns) {
    const GridLayoutResult result = LayOutGrid({0, 10.5, 0, 2}, {1.0});
    ASSERT_TRUE(result.grid.has_value());
    const CAnalysisGrid& g = *result.grid;
    EXPECT_EQ(g.nx, 11);
    EXPECT_EQ(g.ny, 2);
    EXPECT_EQ(g.count, 22);
    ASSERT_EQ(g.cells.size(), 22u);
    // The last column reaches 0.5 past the extent.
    EXPECT_EQ(g.cells[10].xMax, 11.0);
    // Cell (col 3, row 1) is index 1 * 11 + 3.
    const CGridCell& c = g.cells[14];
    EXPECT_EQ(c.xMin, 3.0);
    EXPECT_EQ(c.xMax, 4.0);
    EXPECT_EQ(c.yMin, 1.0);
    EXPECT_EQ(c.yMax, 2.0);
    EXPECT_EQ(c.effective, 0);
}

TEST(GridLayout, OffsetsMoveTheOrigin) {
    // Extent x -1 .. 12 (width 13 -> 7 columns at span 2), y 1 .. 4 (3 -> 2 rows).
    const GridLayoutResult result = LayOutGrid({0, 10, 0, 5}, {2.0, -1, 1, 2, -1});
    ASSERT_TRUE(result.grid.has_value());
    EXPECT_EQ(result.grid->nx, 7);
    EXPECT_EQ(result.grid->ny, 2);
    EXPECT_EQ(result.grid->originX, -1.0);
    EXPECT_EQ(result.grid->originY, 1.0);
    EXPECT_EQ(result.grid->span, 2.0);
    EXPECT_EQ(result.grid->cells.back().xMax, 13.0);
    EXPECT_EQ(result.grid->cells.back().yMin, 3.0);
}

struct PointCase {
    const char* name;
    PlanPoint p;
    bool effective;
};

class EffectivePoint : public testing::TestWithParam<PointCase> {};

// Boundary 0..10 square with a pillar 4..6 square.
TEST_P(EffectivePoint, InRoomWithPillar) {
    const std::vector<PlanPolygon> plan = {Rect(0, 0, 10, 10), Rect(4, 4, 6, 6)};
    EXPECT_EQ(IsEffectivePoint(plan, GetParam().p), GetParam().effective);
}

INSTANTIATE_TEST_SUITE_P(Cases, EffectivePoint,
                         testing::Values(PointCase{"Inside", {1.5, 1.5}, true},
                                         PointCase{"OutsideBoundary", {11, 5}, false},
                                         PointCase{"InsidePillar", {5, 5}, false},
                                         PointCase{"OnBoundaryVertex", {0, 0}, false},
                                         PointCase{"BetweenPillarAndWall", {8, 5}, true}),
                         [](const testing::TestParamInfo<PointCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(EffectivePoint, CentreOnBoundaryEdgeIsNotEffective) {
    // The hit test counts these points on the left edge and the bottom edge as inside; the
    // edge test must still refuse them.
    const PlanPolygon square = Rect(0, 0, 8, 8);
    const std::vector<PlanPolygon> plan = {square};
    for (PlanPoint p : {PlanPoint{0, 2}, PlanPoint{2, 0}, PlanPoint{4, 8}, PlanPoint{0, 0}}) {
        ASSERT_EQ(
            zoHitTestPG(square.count(), PlanPolygon::kStride, square.xs(), square.ys(), p.x, p.y),
            1);
        EXPECT_FALSE(IsEffectivePoint(plan, p)) << p.x << "," << p.y;
    }
    // Triangle (0,0), (10,5), (0,10): (0, 3) lies on the closing edge, (5, 5) well inside.
    const std::vector<PlanPolygon> triangle = {PlanPolygon({{0, 0}, {10, 5}, {0, 10}})};
    EXPECT_TRUE(IsEffectivePoint(triangle, {5, 5}));
    EXPECT_FALSE(IsEffectivePoint(triangle, {0, 3}));
}

TEST(EffectivePoint, OnWallEdgeDecidedByHitTestAlone) {
    const PlanPolygon wall = Rect(4, 4, 6, 6);
    const std::vector<PlanPolygon> plan = {Rect(0, 0, 10, 10), wall};
    for (PlanPoint p :
         {PlanPoint{5, 4}, PlanPoint{4, 5}, PlanPoint{6, 5}, PlanPoint{5, 6}, PlanPoint{4, 4}}) {
        const bool hit =
            zoHitTestPG(wall.count(), PlanPolygon::kStride, wall.xs(), wall.ys(), p.x, p.y) == 1;
        EXPECT_EQ(IsEffectivePoint(plan, p), !hit) << p.x << "," << p.y;
    }
}

TEST(EffectivePoint, NoBoundaryOrDegenerateBoundary) {
    EXPECT_FALSE(IsEffectivePoint({}, {0, 0}));
    const std::vector<PlanPolygon> line = {PlanPolygon({{0, 0}, {10, 10}})};
    EXPECT_FALSE(IsEffectivePoint(line, {5, 5}));
}

TEST(MarkEffectiveCells, CellCentresAgainstRoomWithPillar) {
    // 10 x 10 room, span 2: centres at 1, 3, 5, 7, 9; the pillar 4..6 holds centre (5, 5).
    const std::vector<PlanPolygon> plan = {Rect(0, 0, 10, 10), Rect(4, 4, 6, 6)};
    GridLayoutResult result = LayOutGrid({0, 10, 0, 10}, {2.0});
    ASSERT_TRUE(result.grid.has_value());
    MarkEffectiveCells(*result.grid, plan);
    int effective = 0;
    for (const CGridCell& c : result.grid->cells) {
        effective += c.effective;
    }
    EXPECT_EQ(effective, 24);
    EXPECT_EQ(result.grid->cells[2 * 5 + 2].effective, 0);
}

TEST(MarkEffectiveCells, CentresOnTheBoundaryEdgeAreRefused) {
    // Span 2 from origin (-1, -1): centres at 0, 2, 4, ...; column 0 and row 0 lie on edges.
    const std::vector<PlanPolygon> plan = {Rect(0, 0, 8, 8)};
    GridLayoutResult result = LayOutGrid({0, 8, 0, 8}, {2.0, -1, -1, 0, 0});
    ASSERT_TRUE(result.grid.has_value());
    MarkEffectiveCells(*result.grid, plan);
    const CAnalysisGrid& g = *result.grid;
    ASSERT_EQ(g.nx, 5);
    for (int32_t row = 0; row < g.ny; ++row) {
        for (int32_t col = 0; col < g.nx; ++col) {
            const bool inner = col >= 1 && col <= 3 && row >= 1 && row <= 3;
            EXPECT_EQ(g.cells[row * g.nx + col].effective, inner ? 1 : 0) << col << "," << row;
        }
    }
}

// The marks made with the index of the polygons' heights against the hit test of every wall
// polygon, at cell centres and at points about each wall vertex: on it, and off it along x and
// y by less, about as much and more than the height the index widens by (1e-4).
void ExpectIndexedMarksArePlain(const std::vector<PlanPolygon>& polygons, double span,
                                const std::string& name) {
    double minX = polygons[0][0].x, maxX = minX, minY = polygons[0][0].y, maxY = minY;
    for (const PlanPoint& p : polygons[0].points()) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    GridLayoutResult layout = LayOutGrid({minX, maxX, minY, maxY}, {span});
    ASSERT_TRUE(layout.grid.has_value()) << name;
    MarkEffectiveCells(*layout.grid, polygons);
    for (const CGridCell& cell : layout.grid->cells) {
        EXPECT_EQ(cell.effective != 0, IsEffectivePoint(polygons, CellCentre(cell)))
            << name << " at " << CellCentre(cell).x << ", " << CellCentre(cell).y;
    }
    PlanTables tables;
    tables.polygons = polygons;
    IsovistPlanIndex index;
    index.prepare(tables);
    int effective = 0;
    // About a hundred wall polygons, spread over the plan.
    const size_t step = std::max<size_t>(1, polygons.size() / 100);
    for (size_t w = 1; w < polygons.size(); w += step) {
        for (const PlanPoint v : polygons[w].points()) {
            for (const double d : {0.0, 0.5e-4, 0.99e-4, 1e-4, 1.01e-4, 3e-4, 0.01}) {
                for (const PlanPoint p : {PlanPoint{v.x + d, v.y}, PlanPoint{v.x, v.y + d},
                                          PlanPoint{v.x, v.y - d}, PlanPoint{v.x - d, v.y - d}}) {
                    const bool plain = IsEffectivePoint(polygons, p);
                    EXPECT_EQ(IsEffectivePoint(polygons, p, &index), plain)
                        << name << " at " << p.x << ", " << p.y;
                    effective += plain ? 1 : 0;
                }
            }
        }
    }
    EXPECT_GT(effective, 0) << name;
}

TEST(MarkEffectiveCells, IndexedMarksAreThePlainOnesOnHandMadeRooms) {
    // Pillars whose edges lie on cell centres' rows and columns and just beside them.
    ExpectIndexedMarksArePlain({Rect(0, 0, 10, 10), Rect(4, 4, 6, 6), Rect(1, 1.00005, 3, 3),
                                Rect(7, 6.99995, 9, 9), PlanPolygon({{2, 8}, {3, 9}})},
                               0.5, "pillars");
}

class MarkEffectiveCellsRealPlans : public ::testing::TestWithParam<RealPlan> {};

TEST_P(MarkEffectiveCellsRealPlans, IndexedMarksAreThePlainOnes) {
    const auto plan = LoadPlan(GetParam());
    if (!plan) {
        GTEST_SKIP() << "the plan " << GetParam().file << " is not available";
    }
    ExpectIndexedMarksArePlain(plan->polygons, 2.0, GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    SharedPlans, MarkEffectiveCellsRealPlans,
    ::testing::Values(RealPlan{"rawseeds_bicocca_floor.dxf", "valid_area", "M", 0, 0},
                      RealPlan{"tuebingen_sand_floor.dxf", "valid_area", "walls", 0, 0},
                      RealPlan{"vga_rooms_100x100.dxf", "BOUNDARY", "WALLS", 0, 0}),
    RealPlanName);

}  // namespace
