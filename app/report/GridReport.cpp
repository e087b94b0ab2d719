#include "report/GridReport.h"

#include <vector>

#include "document/NumberText.h"
#include "document/UnitNames.h"
#include "report/Statistics.h"

std::string GridReportText(const CAnalysisGrid& grid, int32_t unit) {
    std::vector<double> areas;
    for (const CGridCell& cell : grid.cells) {
        if (cell.effective != 0) {
            areas.push_back(cell.isovist.area);
        }
    }
    const std::string span = FormatFixed4(grid.span);
    std::string text = "Grid Size: " + std::to_string(grid.nx) + " * " + std::to_string(grid.ny) +
                       "\r\n" + "Grid Cell Number: " + std::to_string(grid.count) + "\r\n" +
                       "Cell Size: " + span + " * " + span + "\r\n" + "\r\n" +
                       "Effective Cell Number: " + std::to_string(areas.size()) + "\r\n";
    const std::string unitName = UnitName(unit);
    if (!unitName.empty()) {
        text += "\r\nUnit: " + unitName;
    }
    text += "\r\n\r\nArea\r\n";
    text += StatisticsLines(ComputeSampleStatistics(areas), " \t\t");
    return text;
}
