// The grid export text: headers by unit and form, rows of the effective cells only, the radial
// columns from each cell's own statistics.
#include "report/GridCsv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/CsvText.h"

namespace {

// 2 x 2 cells; cells 1 and 3 effective. Every measure of cell 1 differs from every other, so
// a swapped column shows; cell 3 carries the undefined markers a cell that sees nothing gets.
CAnalysisGrid FourCellGrid() {
    CAnalysisGrid grid;
    grid.nx = 2;
    grid.ny = 2;
    grid.count = 4;
    grid.span = 1.0;
    grid.cells.resize(4);
    for (CGridCell& cell : grid.cells) {
        cell.isovist.area = 99.0;  // never written: the cells that are not effective
    }
    CGridCell& one = grid.cells[1];
    one.effective = 1;
    IsovistRecord& r = one.isovist;
    r.origin = {1.5, 0.5};
    r.centroid = {1.25, 0.75};
    r.area = 2.0;
    r.perimeter = 6.0;
    r.drift = 0.5;
    r.occlusivity = 0.25;
    r.compactness = 0.125;
    r.circularity = 18.0;
    r.userValue = 77.0;  // not exported
    r.graphMeasures = {3, 1.5, 0.75, 0.375, 0.625, 4.5, 5.5, 2.0, 0.25, 1.125, 6.5, 7.5, 8.5};
    r.pathCount = 2;
    r.radialStatsIndex = 1;

    CGridCell& three = grid.cells[3];
    three.effective = 1;
    IsovistRecord& s = three.isovist;
    s.origin = {1.5, 1.5};
    s.centroid = {1.0, 1.25};
    s.area = 3.5;
    s.perimeter = 7.25;
    s.drift = 0.625;
    s.compactness = 0.5;
    s.circularity = 15.0;
    s.graphMeasures = {0, 0.0, 0.0, -1.0, -1.0, -1.0, -1.0, 0.0, 0.0, -1.0, -1.0, 1.0, -1.0};
    s.radialStatsIndex = 0;
    return grid;
}

std::vector<RadialStats> RadialArray() {
    RadialStats first;
    first.mean = 0.75;
    first.max = 1.5;
    first.min = 0.25;
    first.variance = 0.125;
    first.elongation = 2.5;
    first.autocorrelation = -0.5;
    first.standardDeviation = 66.0;  // not exported
    RadialStats second;
    second.mean = 1.25;
    second.max = 2.25;
    second.min = 0.5;
    second.variance = 0.375;
    second.elongation = 3.0;
    second.autocorrelation = 0.875;
    return {first, second};
}

// Written out by hand from the column list, superscript two as the bytes 0xA9 0xF7.
const std::string kShortHeaderMm =
    "Cell Index, Origin x (mm), Origin y (mm), Centroid x (mm), Centroid y (mm), "
    "Area (mm\xA9\xF7), Perimeter (mm), Drift (mm), Occlusivity, Compactness, Circularity, "
    "Connectivity, Mean Depth, Control, Controllability, Relative Asymmetry, "
    "Real Relative Asymmetry, Integration, Integration-n, Average Neighbor Control, Global E, "
    "Global Relative E, Global Connectivity E, Point Count, Path Count\r\n";
const std::string kRadialHeaderMm =
    "Cell Index, Origin x (mm), Origin y (mm), Centroid x (mm), Centroid y (mm), "
    "Area (mm\xA9\xF7), Perimeter (mm), Drift (mm), Occlusivity, Compactness, Circularity, "
    "Connectivity, Mean Depth, Control, Controllability, Relative Asymmetry, "
    "Real Relative Asymmetry, Integration, Integration-n, Average Neighbor Control, Global E, "
    "Global Relative E, Global Connectivity E, Point Count, Path Count, Mean Radial (mm), "
    "Max Radial (mm), Min Radial (mm), Complexity (mm\xA9\xF7), Elongation, Autocorrelation\r\n";
const std::string kShortHeaderFt =
    "Cell Index, Origin x (ft), Origin y (ft), Centroid x (ft), Centroid y (ft), "
    "Area (ft\xA9\xF7), Perimeter (ft), Drift (ft), Occlusivity, Compactness, Circularity, "
    "Connectivity, Mean Depth, Control, Controllability, Relative Asymmetry, "
    "Real Relative Asymmetry, Integration, Integration-n, Average Neighbor Control, Global E, "
    "Global Relative E, Global Connectivity E, Point Count, Path Count\r\n";
const std::string kRadialHeaderFt =
    kShortHeaderFt.substr(0, kShortHeaderFt.size() - 2) +
    ", Mean Radial (ft), Max Radial (ft), Min Radial (ft), Complexity (ft\xA9\xF7), "
    "Elongation, Autocorrelation\r\n";

// Cell 1: index, isovist columns, then connectivity ... global connectivity E, point count and
// path count.
const std::string kRow1 =
    "1, 1.500000, 0.500000, 1.250000, 0.750000, 2.000000, 6.000000, 0.500000, 0.250000, "
    "0.125000, 18.000000, 3, 1.500000, 0.750000, 2.000000, 0.375000, 0.625000, 4.500000, "
    "5.500000, 1.125000, 6.500000, 7.500000, 8.500000, 0.250000, 2";
// Cell 3: the undefined markers printed like any value.
const std::string kRow3 =
    "3, 1.500000, 1.500000, 1.000000, 1.250000, 3.500000, 7.250000, 0.625000, 0.000000, "
    "0.500000, 15.000000, 0, 0.000000, 0.000000, 0.000000, -1.000000, -1.000000, -1.000000, "
    "-1.000000, -1.000000, -1.000000, 1.000000, -1.000000, 0.000000, 0";
// Radial entries 1 (cell 1) and 0 (cell 3): mean, max, min, variance, elongation,
// autocorrelation.
const std::string kRadial1 = ", 1.250000, 2.250000, 0.500000, 0.375000, 3.000000, 0.875000";
const std::string kRadial0 = ", 0.750000, 1.500000, 0.250000, 0.125000, 2.500000, -0.500000";
const std::string kRadialMissing =
    ", -1.000000, -1.000000, -1.000000, -1.000000, -1.000000, -1.000000";

const std::string kShortRows = kRow1 + "\r\n" + kRow3 + "\r\n";
const std::string kRadialRows = kRow1 + kRadial1 + "\r\n" + kRow3 + kRadial0 + "\r\n";

TEST(GridCsv, FormsAndHeadersByMethodAndUnit) {
    struct Case {
        int32_t method;
        int32_t unit;
        std::string expected;
    };
    const Case cases[] = {
        {0, 0, kShortHeaderMm + kShortRows},
        {0, 4, kShortHeaderFt + kShortRows},
        {1, 0, kRadialHeaderMm + kRadialRows},
        {1, 4, kRadialHeaderFt + kRadialRows},
        // A unit outside 0..4: the header is left out, the rows are written.
        {0, 7, kShortRows},
        {0, -1, kShortRows},
        {1, 5, kRadialRows},
        // A method that is neither exact nor radial: an empty file.
        {5, 0, ""},
        {-1, 0, ""},
        {3, 7, ""},
        // The visibility polygon is exact: the short form, as the node method's.
        {2, 0, kShortHeaderMm + kShortRows},
        {2, 7, kShortRows},
    };
    const CAnalysisGrid grid = FourCellGrid();
    const std::vector<RadialStats> radial = RadialArray();
    for (const Case& c : cases) {
        EXPECT_EQ(GridCsvText(grid, radial, c.method, c.unit), c.expected)
            << "method " << c.method << ", unit " << c.unit;
    }
}

TEST(GridCsv, UnitsInTheTitles) {
    struct Case {
        int32_t unit;
        const char* length;
        const char* area;
    };
    const Case cases[] = {{0, "(mm)", "(mm\xA9\xF7)"},
                          {1, "(cm)", "(cm\xA9\xF7)"},
                          {2, "(m)", "(m\xA9\xF7)"},
                          {3, "(in)", "(in\xA9\xF7)"},
                          {4, "(ft)", "(ft\xA9\xF7)"}};
    for (const Case& c : cases) {
        const std::string text = GridCsvText(CAnalysisGrid{}, {}, 1, c.unit);
        EXPECT_NE(text.find(std::string("Origin x ") + c.length), std::string::npos) << c.unit;
        EXPECT_NE(text.find(std::string("Area ") + c.area), std::string::npos) << c.unit;
        EXPECT_NE(text.find(std::string("Complexity ") + c.area), std::string::npos) << c.unit;
        // The graph titles never carry a unit.
        EXPECT_NE(text.find(", Relative Asymmetry, Real Relative Asymmetry, "), std::string::npos);
    }
}

TEST(GridCsv, OnlyEffectiveCellsWithTheirOwnIndex) {
    CAnalysisGrid grid = FourCellGrid();
    grid.cells[1].effective = 0;
    grid.cells[2].effective = 1;
    grid.cells[2].isovist = grid.cells[3].isovist;
    EXPECT_EQ(GridCsvText(grid, {}, 0, 9), "2" + kRow3.substr(1) + "\r\n" + kRow3 + "\r\n");
    // No effective cell: the header alone.
    for (CGridCell& cell : grid.cells) {
        cell.effective = 0;
    }
    EXPECT_EQ(GridCsvText(grid, {}, 0, 0), kShortHeaderMm);
}

// A radial index that names no entry of the radial array (a damaged document, or radial
// columns asked for after a run with the exact method) is never read: its columns are the
// undefined marker.
TEST(GridCsv, RadialIndexOutsideTheArray) {
    struct Case {
        const char* name;
        int32_t indexOfCell1;
        int32_t indexOfCell3;
        size_t arraySize;
        std::string expected;
    };
    const Case cases[] = {
        {"negative", -1, 0, 2, kRow1 + kRadialMissing + "\r\n" + kRow3 + kRadial0 + "\r\n"},
        {"one past the end", 1, 2, 2, kRow1 + kRadial1 + "\r\n" + kRow3 + kRadialMissing + "\r\n"},
        {"far past the end", 0x7fffffff, 0, 2,
         kRow1 + kRadialMissing + "\r\n" + kRow3 + kRadial0 + "\r\n"},
        {"empty array", 1, 0, 0, kRow1 + kRadialMissing + "\r\n" + kRow3 + kRadialMissing + "\r\n"},
    };
    for (const Case& c : cases) {
        CAnalysisGrid grid = FourCellGrid();
        grid.cells[1].isovist.radialStatsIndex = c.indexOfCell1;
        grid.cells[3].isovist.radialStatsIndex = c.indexOfCell3;
        std::vector<RadialStats> radial = RadialArray();
        radial.resize(c.arraySize);
        EXPECT_EQ(GridCsvText(grid, radial, 1, -1), c.expected) << c.name;
    }
}

TEST(GridCsv, ExtremeValuesPrintInFull) {
    CAnalysisGrid grid = FourCellGrid();
    grid.cells[1].isovist.area = -1.7976931348623157e308;
    const std::string text = GridCsvText(grid, {}, 0, -1);
    // Sign, 309 digits, six decimals.
    const std::string expectedStart =
        "1, 1.500000, 0.500000, 1.250000, 0.750000, -17976931348623157";
    ASSERT_EQ(text.rfind(expectedStart, 0), 0u) << text.substr(0, 80);
    const size_t areaEnd = text.find(", 6.000000, ");
    ASSERT_NE(areaEnd, std::string::npos);
    const size_t areaStart = text.find("-1797");
    EXPECT_EQ(areaEnd - areaStart, 1u + 309u + 7u);
}

TEST(GridCsv, EveryLineEndsInCarriageReturnLineFeed) {
    const std::string text = GridCsvText(FourCellGrid(), RadialArray(), 1, 0);
    size_t lines = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(text[i - 1], '\r') << "at " << i;
            ++lines;
        }
    }
    EXPECT_EQ(lines, 3u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(CsvForm, ByIsovistMethod) {
    EXPECT_EQ(CsvFormOfMethod(0), CsvForm::Short);
    EXPECT_EQ(CsvFormOfMethod(1), CsvForm::Radial);
    EXPECT_EQ(CsvFormOfMethod(2), CsvForm::Short);  // the visibility polygon is exact too
    for (const int32_t other : {-1, 3, 5, 1000}) {
        EXPECT_EQ(CsvFormOfMethod(other), CsvForm::None) << other;
    }
}

}  // namespace
