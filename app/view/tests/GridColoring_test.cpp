// Which cells the grid colouring draws, over which range, in which colour.
#include "view/GridColoring.h"

#include <gtest/gtest.h>

#include "document/DisplayProperties.h"
#include "document/DocumentSettings.h"

namespace {

constexpr uint32_t Grey(uint32_t level) {
    return Rgb(level, level, level);
}

const ColorScale kGreyAuto{0, 0.0, 0.0, 1};

// A row of cells, one per value; NaN marks a cell that is not effective. `set` writes the value
// into the record field of the property under test.
CAnalysisGrid RowOfCells(const std::vector<double>& values, void (*set)(IsovistRecord&, double)) {
    CAnalysisGrid grid;
    grid.nx = static_cast<int32_t>(values.size());
    grid.ny = 1;
    grid.count = grid.nx;
    grid.span = 1.0;
    for (size_t i = 0; i < values.size(); ++i) {
        CGridCell cell;
        cell.xMin = static_cast<double>(i);
        cell.xMax = cell.xMin + 1;
        cell.yMax = 1;
        cell.effective = values[i] == values[i] ? 1 : 0;
        if (cell.effective != 0) {
            set(cell.isovist, values[i]);
        }
        grid.cells.push_back(cell);
    }
    return grid;
}

void SetArea(IsovistRecord& r, double v) {
    r.area = v;
}
void SetMeanDepth(IsovistRecord& r, double v) {
    r.graphMeasures.meanDepth = v;
}
void SetGlobalRelativeE(IsovistRecord& r, double v) {
    r.graphMeasures.globalRelativeE = v;
}
void SetControl(IsovistRecord& r, double v) {
    r.graphMeasures.control = v;
}
void SetConnectivity(IsovistRecord& r, double v) {
    r.graphMeasures.connectivity = static_cast<int32_t>(v);
}
void SetIntegrationN(IsovistRecord& r, double v) {
    r.graphMeasures.integrationN = v;
}

const double kOff = std::numeric_limits<double>::quiet_NaN();

struct ColoringCase {
    const char* name;
    int32_t property;
    void (*set)(IsovistRecord&, double);
    std::vector<double> values;
    double minimum;
    double maximum;
    std::vector<GridCellColor> cells;
};

TEST(GridColoring, RangeOverEffectiveCellsNegativeMinimumRaisedForTheListedMeasures) {
    // clang-format off
    const ColoringCase cases[] = {
        {"area: every effective cell, levels 0, 127, 255", 1, SetArea, {10, 20, kOff, 30}, 10, 30,
         {{0, Grey(0)}, {1, Grey(127)}, {3, Grey(255)}}},
        {"mean depth: -1 is undefined, not drawn; minimum raised to 0", 10, SetMeanDepth,
         {-1, 2, 4}, 0, 4, {{1, Grey(127)}, {2, Grey(255)}}},
        {"integration-n: the same rule", 26, SetIntegrationN, {4, -1, 0}, 0, 4,
         {{0, Grey(255)}, {2, Grey(0)}}},
        {"global relative E is not on the list: -1 is drawn", 25, SetGlobalRelativeE,
         {-1, 2, 4}, -1, 4, {{0, Grey(0)}, {1, Grey(153)}, {2, Grey(255)}}},
        {"control is not on the list either", 19, SetControl, {-2, 2}, -2, 2,
         {{0, Grey(0)}, {1, Grey(255)}}},
        {"connectivity, an integer, as a double", 9, SetConnectivity, {3, kOff, 5}, 3, 5,
         {{0, Grey(0)}, {2, Grey(255)}}},
        {"all equal: one colour (the ramp's empty range)", 1, SetArea, {7, 7}, 7, 7,
         {{0, 0}, {1, 0}}},
        {"the first effective cell starts the range, not cell 0", 1, SetArea, {kOff, 5, 6}, 5, 6,
         {{1, Grey(0)}, {2, Grey(255)}}},
    };
    // clang-format on
    for (const ColoringCase& c : cases) {
        const CAnalysisGrid grid = RowOfCells(c.values, c.set);
        const std::optional<GridColoring> coloring =
            ColorGridCells(grid, {}, c.property, kGreyAuto);
        ASSERT_TRUE(coloring) << c.name;
        EXPECT_EQ(coloring->minimum, c.minimum) << c.name;
        EXPECT_EQ(coloring->maximum, c.maximum) << c.name;
        ASSERT_EQ(coloring->cells.size(), c.cells.size()) << c.name;
        for (size_t i = 0; i < c.cells.size(); ++i) {
            EXPECT_EQ(coloring->cells[i].index, c.cells[i].index) << c.name << " #" << i;
            EXPECT_EQ(coloring->cells[i].color, c.cells[i].color) << c.name << " #" << i;
        }
    }
}

TEST(GridColoring, RadialPropertiesReadTheRadialResultsInEffectiveCellOrder) {
    const CAnalysisGrid grid = RowOfCells({1, kOff, 1, 1}, SetArea);
    std::vector<RadialStats> radial(3);
    radial[0].max = 2.0;
    radial[1].max = 4.0;
    radial[2].max = 3.0;
    const auto coloring = ColorGridCells(grid, radial, 13, kGreyAuto);  // Max Radial
    ASSERT_TRUE(coloring);
    EXPECT_EQ(coloring->minimum, 2.0);
    EXPECT_EQ(coloring->maximum, 4.0);
    ASSERT_EQ(coloring->cells.size(), 3u);
    EXPECT_EQ(coloring->cells[1].index, 2);
    EXPECT_EQ(coloring->cells[1].color, Grey(255));
    EXPECT_EQ(coloring->cells[2].index, 3);
    EXPECT_EQ(coloring->cells[2].color, Grey(127));
    // Fewer results than effective cells: the cells without one are left out.
    radial.resize(1);
    const auto partial = ColorGridCells(grid, radial, 13, kGreyAuto);
    ASSERT_TRUE(partial);
    EXPECT_EQ(partial->cells.size(), 1u);
}

TEST(GridColoring, NothingIsDrawnWithoutAPropertyOrTheRadialResults) {
    const CAnalysisGrid grid = RowOfCells({1, 2}, SetArea);
    for (int32_t code : {0, 32, -1}) {
        EXPECT_FALSE(ColorGridCells(grid, {}, code, kGreyAuto)) << code;
    }
    for (int32_t code : {12, 13, 14, 15, 16, 17, 30, 31}) {
        EXPECT_FALSE(ColorGridCells(grid, {}, code, kGreyAuto)) << code;
    }
    EXPECT_FALSE(ColorGridCells(RowOfCells({kOff, kOff}, SetArea), {}, 1, kGreyAuto));
}

TEST(GridColoring, AFixedRangeColoursByTheUserRangeButReportsTheDrawnOne) {
    const CAnalysisGrid grid = RowOfCells({10, 20}, SetArea);
    const auto coloring = ColorGridCells(grid, {}, 1, ColorScale{1, 0.0, 40.0, 1});
    ASSERT_TRUE(coloring);
    EXPECT_EQ(coloring->minimum, 10.0);
    EXPECT_EQ(coloring->maximum, 20.0);
    EXPECT_EQ(coloring->cells[0].color, Grey(63));
    EXPECT_EQ(coloring->cells[1].color, Grey(127));
}

}  // namespace
