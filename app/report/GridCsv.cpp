#include "report/GridCsv.h"

#include <array>

#include "report/CsvText.h"

namespace {

constexpr std::array<CsvColumn, 1> kIndexColumn = {{{"Cell Index", ColumnUnit::None}}};

constexpr std::array<CsvColumn, 14> kGraphColumns = {{
    {"Connectivity", ColumnUnit::None},
    {"Mean Depth", ColumnUnit::None},
    {"Control", ColumnUnit::None},
    {"Controllability", ColumnUnit::None},
    {"Relative Asymmetry", ColumnUnit::None},
    {"Real Relative Asymmetry", ColumnUnit::None},
    {"Integration", ColumnUnit::None},
    {"Integration-n", ColumnUnit::None},
    {"Average Neighbor Control", ColumnUnit::None},
    {"Global E", ColumnUnit::None},
    {"Global Relative E", ColumnUnit::None},
    {"Global Connectivity E", ColumnUnit::None},
    {"Point Count", ColumnUnit::None},
    {"Path Count", ColumnUnit::None},
}};

// The cell's own radial statistics, or null when its index names none.
const RadialStats* RadialStatsOf(const IsovistRecord& record,
                                 std::span<const RadialStats> radialStats) {
    const int32_t index = record.radialStatsIndex;
    if (index < 0 || static_cast<size_t>(index) >= radialStats.size()) {
        return nullptr;
    }
    return &radialStats[static_cast<size_t>(index)];
}

}  // namespace

std::string GridCsvText(const CAnalysisGrid& grid, std::span<const RadialStats> radialStats,
                        int32_t isovistMethod, int32_t unit) {
    const CsvForm form = CsvFormOfMethod(isovistMethod);
    if (form == CsvForm::None) {
        return {};
    }
    const bool radial = form == CsvForm::Radial;
    CsvWriter writer;
    if (radial) {
        writer.header({kIndexColumn, IsovistCsvColumns(), kGraphColumns, RadialCsvColumns()}, unit);
    } else {
        writer.header({kIndexColumn, IsovistCsvColumns(), kGraphColumns}, unit);
    }
    for (size_t index = 0; index < grid.cells.size(); ++index) {
        const CGridCell& cell = grid.cells[index];
        if (cell.effective == 0) {
            continue;
        }
        const IsovistRecord& record = cell.isovist;
        writer.whole(static_cast<int32_t>(index));
        WriteIsovistFields(writer, record);
        WriteGraphMeasureFields(writer, record.graphMeasures);
        writer.real(record.graphMeasures.pointCount);
        writer.whole(record.pathCount);
        if (radial) {
            if (const RadialStats* stats = RadialStatsOf(record, radialStats)) {
                WriteRadialFields(writer, *stats);
            } else {
                WriteMissingRadialFields(writer);
            }
        }
        writer.endLine();
    }
    return writer.text();
}
