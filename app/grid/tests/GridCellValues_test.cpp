// The grid's on-demand values: point counts per cell, user values from a text file, one shape
// measure recomputed, and the Grid Options preview counts.
#include "grid/GridCellValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <sstream>

#include "grid/GridOptionsDialogModel.h"

namespace {

// nx x ny cells of side `span` from the origin, the cells listed in `effective` effective.
CAnalysisGrid MakeGrid(int32_t nx, int32_t ny, double span, double ox, double oy,
                       std::vector<int> effective = {}) {
    CAnalysisGrid grid;
    grid.nx = nx;
    grid.ny = ny;
    grid.count = nx * ny;
    grid.span = span;
    grid.originX = ox;
    grid.originY = oy;
    grid.cells.resize(static_cast<size_t>(grid.count));
    for (int32_t r = 0; r < ny; ++r) {
        for (int32_t c = 0; c < nx; ++c) {
            CGridCell& cell = grid.cells[static_cast<size_t>(r * nx + c)];
            cell.xMin = ox + c * span;
            cell.xMax = ox + (c + 1) * span;
            cell.yMin = oy + r * span;
            cell.yMax = oy + (r + 1) * span;
        }
    }
    for (int i : effective) {
        grid.cells[static_cast<size_t>(i)].effective = 1;
    }
    return grid;
}

std::vector<double> PointCounts(const CAnalysisGrid& grid) {
    std::vector<double> counts;
    for (const CGridCell& cell : grid.cells) {
        counts.push_back(cell.isovist.graphMeasures.pointCount);
    }
    return counts;
}

TEST(GridPointCount, InsideEdgeAndCornerShares) {
    struct Case {
        const char* name;
        std::vector<PlanPoint> points;
        std::vector<double> counts;  // 2 x 2 unit cells from (0, 0)
    };
    const Case cases[] = {
        {"inside", {{0.5, 0.5}, {1.25, 1.75}}, {1, 0, 0, 1}},
        {"shared vertical edge", {{1.0, 0.5}}, {0.5, 0.5, 0, 0}},
        {"outer edge", {{0.5, 0.0}}, {0.5, 0, 0, 0}},
        {"shared corner of four", {{1.0, 1.0}}, {0.25, 0.25, 0.25, 0.25}},
        {"outer corner", {{2.0, 2.0}}, {0, 0, 0, 0.25}},
        {"outside and not a number", {{5, 5}, {-1, 0.5}, {NAN, 0.5}, {INFINITY, 1}}, {0, 0, 0, 0}},
        {"twice the same point", {{0.5, 1.5}, {0.5, 1.5}}, {0, 0, 2, 0}},
    };
    for (const Case& c : cases) {
        CAnalysisGrid grid = MakeGrid(2, 2, 1.0, 0.0, 0.0);
        grid.cells[0].isovist.graphMeasures.pointCount = 9.0;  // a stale count is replaced
        CountPointsInCells(grid, c.points);
        EXPECT_EQ(PointCounts(grid), c.counts) << c.name;
    }
}

// The counts equal the sums over every cell, for points on and near cell borders of a grid
// whose span is not a binary fraction.
TEST(GridPointCount, MatchesTestingEveryCell) {
    CAnalysisGrid grid = MakeGrid(7, 5, 0.3, -1.1, 2.7);
    std::mt19937 random(5);
    std::vector<PlanPoint> points;
    for (int i = 0; i < 400; ++i) {
        const int c = static_cast<int>(random() % 9) - 1;
        const int r = static_cast<int>(random() % 7) - 1;
        const double fx = (random() % 3) * 0.5;  // on a border, in the middle, on the next one
        const double fy = (random() % 3) * 0.5;
        points.push_back({-1.1 + (c + fx) * 0.3, 2.7 + (r + fy) * 0.3});
        const size_t corner = static_cast<size_t>(random() % grid.cells.size());
        points.push_back({grid.cells[corner].xMax, grid.cells[corner].yMin});
    }
    CountPointsInCells(grid, points);
    for (const CGridCell& cell : grid.cells) {
        double expected = 0.0;
        for (const PlanPoint& p : points) {
            const bool inX = cell.xMin < p.x && p.x < cell.xMax;
            const bool inY = cell.yMin < p.y && p.y < cell.yMax;
            const bool edgeX = p.x == cell.xMin || p.x == cell.xMax;
            const bool edgeY = p.y == cell.yMin || p.y == cell.yMax;
            expected += inX && inY                              ? 1.0
                        : (edgeX && inY) || (edgeY && inX)      ? 0.5
                        : edgeX && edgeY                        ? 0.25
                                                                : 0.0;
        }
        EXPECT_EQ(cell.isovist.graphMeasures.pointCount, expected);
    }
}

TEST(GridUserValues, ReadsOneValuePerLine) {
    struct Case {
        const char* name;
        std::string text;
        size_t maxValues;
        std::vector<double> values;
    };
    const std::string longLine = "7.5" + std::string(10000, '9') + "\n2\n";
    const Case cases[] = {
        {"plain", "1.5\n-2\n3e2\n", 10, {1.5, -2, 300}},
        {"no final line end", "4\n5", 10, {4, 5}},
        {"crlf and blanks", "  +6.25\r\n\t7 apples\r\n", 10, {6.25, 7}},
        {"no number or empty line", "abc\n\n,5\n", 10, {0, 0, 0}},
        {"not finite", "inf\nnan\n1e999\n", 10, {0, 0, 0}},
        {"binary bytes", std::string("\x01\xff\0\x7f" "8\n9\n", 8), 10, {0, 9}},
        // Only the first 255 characters of a line hold its value.
        {"a line of 10,000 characters", longLine, 10, {std::stod("7.5" + std::string(252, '9')), 2}},
        {"stops after one value too many", "1\n2\n3\n4\n5\n", 2, {1, 2, 3}},
        {"empty file", "", 10, {}},
    };
    for (const Case& c : cases) {
        std::istringstream in(c.text);
        EXPECT_EQ(ReadUserValues(in, c.maxValues), c.values) << c.name;
    }
}

TEST(GridUserValues, AssignedToEffectiveCellsInOrderOrNotAtAll) {
    CAnalysisGrid grid = MakeGrid(2, 2, 1.0, 0.0, 0.0, {1, 3});
    const std::vector<double> tooFew = {1.0};
    const std::vector<double> tooMany = {1.0, 2.0, 3.0};
    EXPECT_FALSE(AssignUserValues(grid, tooFew));
    EXPECT_FALSE(AssignUserValues(grid, tooMany));
    EXPECT_EQ(grid.cells[1].isovist.userValue, 0.0);
    const std::vector<double> values = {1.5, 2.5};
    ASSERT_TRUE(AssignUserValues(grid, values));
    EXPECT_EQ(grid.cells[0].isovist.userValue, 0.0);
    EXPECT_EQ(grid.cells[1].isovist.userValue, 1.5);
    EXPECT_EQ(grid.cells[3].isovist.userValue, 2.5);
}

TEST(GridShapeMeasure, RecomputedInEffectiveCellsAndZeroElsewhere) {
    CAnalysisGrid grid = MakeGrid(3, 1, 10.0, 0.0, 0.0, {0, 1});
    // Cell 0: the 10 x 10 square seen from its centre; cell 1 effective with an empty isovist;
    // cell 2 not effective with stale values.
    IsovistRecord& square = grid.cells[0].isovist;
    square.polygon = PlanPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    square.origin = {5, 5};
    square.centroid = {6, 5};
    square.area = 100.0;
    grid.cells[1].isovist.perimeter = 3.0;
    grid.cells[1].isovist.origin = {15, 5};
    grid.cells[1].isovist.centroid = {15, 9};
    for (CGridCell& cell : grid.cells) {
        cell.isovist.circularity = 7.0;
    }
    grid.cells[2].isovist.perimeter = 8.0;
    grid.cells[2].isovist.drift = 8.0;

    const std::vector<PlanSegment> walls = {{{0, 0}, {10, 0}}, {{10, 0}, {10, 10}}};
    RecomputeGridMeasure(grid, IsovistShapeMeasure::Perimeter, walls);
    EXPECT_EQ(square.perimeter, 40.0);
    EXPECT_EQ(grid.cells[1].isovist.perimeter, 3.0);  // no vertex: left as it was
    EXPECT_EQ(grid.cells[2].isovist.perimeter, 0.0);
    EXPECT_EQ(grid.cells[2].isovist.drift, 8.0);  // other measures untouched

    RecomputeGridMeasure(grid, IsovistShapeMeasure::Drift, walls);
    EXPECT_EQ(square.drift, 1.0);  // from the stored centroid
    EXPECT_EQ(grid.cells[1].isovist.drift, 4.0);
    EXPECT_EQ(grid.cells[2].isovist.drift, 0.0);

    RecomputeGridMeasure(grid, IsovistShapeMeasure::Occlusivity, walls);
    EXPECT_EQ(square.occlusivity, 0.5);  // two of four sides are walls
    RecomputeGridMeasure(grid, IsovistShapeMeasure::Compactness, walls);
    EXPECT_EQ(square.compactness, 2.5);
    RecomputeGridMeasure(grid, IsovistShapeMeasure::Circularity, walls);
    EXPECT_EQ(square.circularity, 16.0);
    EXPECT_EQ(grid.cells[2].isovist.circularity, 0.0);
    RecomputeGridMeasure(grid, IsovistShapeMeasure::VisiblePerimeterRatio, walls);
    EXPECT_EQ(square.visiblePerimeterRatio, 1.0);
}

TEST(GridOptionsPreview, CountsFollowTheTypedField) {
    struct Case {
        const char* name;
        GridOptionsEntry entry;
        double value;
        const char* span;
        const char* countX;
        const char* countY;
        const char* total;
    };
    // A plan 10.5 wide and 4 high.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"span 1", GridOptionsEntry::SpanSize, 1.0, "1.000", "11", "4", "44"},
        {"span 0", GridOptionsEntry::SpanSize, 0.0, "0.000", "0", "0", "0"},
        {"span negative", GridOptionsEntry::SpanSize, -2.0, "-2.000", "0", "0", "0"},
        {"span not a number", GridOptionsEntry::SpanSize, nan, "nan", "0", "0", "0"},
        {"span tiny", GridOptionsEntry::SpanSize, 1e-300, "0.000", "2147483647", "2147483647",
         "4611686014132420609"},
        {"count x 3", GridOptionsEntry::SpanCountX, 3, "3.500", "3", "2", "6"},
        {"count x 0", GridOptionsEntry::SpanCountX, 0, "0.000", "0", "0", "0"},
        {"count y 8", GridOptionsEntry::SpanCountY, 8, "0.500", "21", "8", "168"},
        {"count y -1", GridOptionsEntry::SpanCountY, -1, "0.000", "0", "0", "0"},
    };
    for (const Case& c : cases) {
        GridOptionsDialogModel model;
        model.planWidth = 10.5;
        model.planHeight = 4.0;
        model.entry = c.entry;
        switch (c.entry) {
            case GridOptionsEntry::SpanSize:
                model.typeSpan(c.value);
                break;
            case GridOptionsEntry::SpanCountX:
                model.typeCountX(static_cast<int64_t>(c.value));
                break;
            case GridOptionsEntry::SpanCountY:
                model.typeCountY(static_cast<int64_t>(c.value));
                break;
        }
        EXPECT_EQ(model.spanText(), c.span) << c.name;
        EXPECT_EQ(model.countXText(), c.countX) << c.name;
        EXPECT_EQ(model.countYText(), c.countY) << c.name;
        EXPECT_EQ(model.totalText(), c.total) << c.name;
        // Opening the dialog again on the same choice shows the same preview.
        GridOptionsDialogModel reopened = model;
        reopened.refresh();
        EXPECT_EQ(reopened.totalText(), c.total) << c.name;
    }
}

}  // namespace
