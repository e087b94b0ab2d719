// The grid report: dimensions, effective cells, unit line and the statistics of the areas.
#include "report/GridReport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// nx x ny cells of side `span`; the cells listed get the areas listed and are effective.
CAnalysisGrid GridWith(int32_t nx, int32_t ny, double span,
                       const std::vector<std::pair<size_t, double>>& effectiveAreas) {
    CAnalysisGrid grid;
    grid.nx = nx;
    grid.ny = ny;
    grid.count = nx * ny;
    grid.span = span;
    grid.cells.resize(static_cast<size_t>(grid.count));
    for (CGridCell& cell : grid.cells) {
        cell.isovist.area = 1000.0;  // ignored: not effective
    }
    for (const auto& [index, area] : effectiveAreas) {
        grid.cells[index].effective = 1;
        grid.cells[index].isovist.area = area;
    }
    return grid;
}

std::string Statistics(const char* sum, const char* mean, const char* variance,
                       const char* deviation) {
    return std::string("\tSum: \t\t") + sum + "\r\n\tMean: \t\t" + mean + "\r\n\tVariance: \t\t" +
           variance + "\r\n\tS.D.: \t\t" + deviation + "\r\n";
}

TEST(GridReport, HandComputedTexts) {
    struct Case {
        const char* name;
        CAnalysisGrid grid;
        int32_t unit;
        std::string expected;
    };
    const std::string head32 =
        "Grid Size: 3 * 2\r\nGrid Cell Number: 6\r\nCell Size: 1.5000 * 1.5000\r\n\r\n";
    const Case cases[] = {
        // Areas 1.5, 2.5, 4: sum 8, mean 8/3, squared deviations 3.1667 over 2.
        {"3 x 2, three effective", GridWith(3, 2, 1.5, {{0, 1.5}, {2, 2.5}, {5, 4.0}}), 2,
         head32 + "Effective Cell Number: 3\r\n\r\nUnit: m\r\n\r\nArea\r\n" +
             Statistics("8.0000", "2.6667", "1.5833", "1.2583")},
        // One cell: no spread, variance and deviation 0.
        {"one effective", GridWith(3, 2, 1.5, {{4, 2.25}}), 0,
         head32 + "Effective Cell Number: 1\r\n\r\nUnit: mm\r\n\r\nArea\r\n" +
             Statistics("2.2500", "2.2500", "0.0000", "0.0000")},
        // No effective cell: nothing to divide, everything 0.
        {"none effective", GridWith(3, 2, 1.5, {}), 4,
         head32 + "Effective Cell Number: 0\r\n\r\nUnit: ft\r\n\r\nArea\r\n" +
             Statistics("0.0000", "0.0000", "0.0000", "0.0000")},
        // A unit outside 0..4: no unit line.
        {"unknown unit", GridWith(3, 2, 1.5, {{0, 1.0}, {1, 3.0}}), 5,
         head32 + "Effective Cell Number: 2\r\n\r\n\r\nArea\r\n" +
             Statistics("4.0000", "2.0000", "2.0000", "1.4142")},
        {"unit cm, span rounded", GridWith(1, 1, 0.123456, {{0, 0.5}}), 1,
         "Grid Size: 1 * 1\r\nGrid Cell Number: 1\r\nCell Size: 0.1235 * 0.1235\r\n\r\n"
         "Effective Cell Number: 1\r\n\r\nUnit: cm\r\n\r\nArea\r\n" +
             Statistics("0.5000", "0.5000", "0.0000", "0.0000")},
        {"unit in", GridWith(2, 1, 10.0, {{0, 3.0}, {1, 5.0}}), 3,
         "Grid Size: 2 * 1\r\nGrid Cell Number: 2\r\nCell Size: 10.0000 * 10.0000\r\n\r\n"
         "Effective Cell Number: 2\r\n\r\nUnit: in\r\n\r\nArea\r\n" +
             Statistics("8.0000", "4.0000", "2.0000", "1.4142")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GridReportText(c.grid, c.unit), c.expected) << c.name;
    }
}

}  // namespace
