#include "report/AxialCsv.h"

#include <array>

#include "axial/AxialGeometry.h"
#include "report/CsvText.h"

namespace {

constexpr std::array<CsvColumn, 6> kLineColumns = {{
    {"Index", ColumnUnit::None},
    {"Start point x", ColumnUnit::Length},
    {"Start point y", ColumnUnit::Length},
    {"End point x", ColumnUnit::Length},
    {"End point y", ColumnUnit::Length},
    {"Length", ColumnUnit::Length},
}};

constexpr std::array<CsvColumn, 6> kPlainLineColumns = {{
    {"Index", ColumnUnit::None},
    {"Start point x", ColumnUnit::None},
    {"Start point y", ColumnUnit::None},
    {"End point x", ColumnUnit::None},
    {"End point y", ColumnUnit::None},
    {"Length", ColumnUnit::None},
}};

constexpr std::array<CsvColumn, 12> kMeasureColumns = {{
    {"Connectivity", ColumnUnit::None},
    {"Mean depth", ColumnUnit::None},
    {"Control", ColumnUnit::None},
    {"Controllability", ColumnUnit::None},
    {"Relative asymmetry", ColumnUnit::None},
    {"Real relative asymmetry", ColumnUnit::None},
    {"Integration", ColumnUnit::None},
    {"Integration-n", ColumnUnit::None},
    {"Average neighbor control", ColumnUnit::None},
    {"Global E", ColumnUnit::None},
    {"Global relative E", ColumnUnit::None},
    {"Global connectivity E", ColumnUnit::None},
}};

// Any unit in range: the plain header carries none, so it is written for every unit.
constexpr int32_t kAnyUnit = 0;

void WriteLineFields(CsvWriter& writer, int32_t index, const PlanSegment& line) {
    writer.whole(index);
    writer.real(line.start.x);
    writer.real(line.start.y);
    writer.real(line.end.x);
    writer.real(line.end.y);
    writer.real(LineLength(line));
}

}  // namespace

std::optional<std::string> AxialCsvText(std::span<const PlanSegment> lines,
                                        std::span<const IsovistRecord> records, int32_t unit) {
    CsvWriter writer;
    if (records.empty()) {
        writer.header({kPlainLineColumns}, kAnyUnit);
        for (size_t i = 0; i < lines.size(); ++i) {
            WriteLineFields(writer, static_cast<int32_t>(i), lines[i]);
            writer.endLine();
        }
        return writer.text();
    }
    if (records.size() != lines.size()) {
        return std::nullopt;
    }
    writer.header({kLineColumns, kMeasureColumns}, unit);
    for (size_t i = 0; i < lines.size(); ++i) {
        WriteLineFields(writer, static_cast<int32_t>(i), lines[i]);
        WriteGraphMeasureFields(writer, records[i].graphMeasures);
        writer.endLine();
    }
    return writer.text();
}
