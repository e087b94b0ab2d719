#include "report/PathCsv.h"

#include <array>

#include "report/CsvText.h"

namespace {

constexpr std::array<CsvColumn, 1> kIndexColumn = {{{"Point Index", ColumnUnit::None}}};

}  // namespace

std::string PathCsvText(std::span<const IsovistRecord> records,
                        std::span<const RadialStats> radialStats, int32_t isovistMethod,
                        int32_t unit) {
    const CsvForm form = CsvFormOfMethod(isovistMethod);
    if (form == CsvForm::None) {
        return {};
    }
    const bool radial = form == CsvForm::Radial;
    CsvWriter writer;
    if (radial) {
        writer.header({kIndexColumn, IsovistCsvColumns(), RadialCsvColumns()}, unit);
    } else {
        writer.header({kIndexColumn, IsovistCsvColumns()}, unit);
    }
    for (size_t i = 0; i < records.size(); ++i) {
        writer.whole(static_cast<int32_t>(i));
        WriteIsovistFields(writer, records[i]);
        if (radial) {
            if (i < radialStats.size()) {
                WriteRadialFields(writer, radialStats[i]);
            } else {
                WriteMissingRadialFields(writer);
            }
        }
        writer.endLine();
    }
    return writer.text();
}

std::string AllPathsCsvSection(int32_t pathNumber, std::span<const IsovistRecord> records,
                               std::span<const RadialStats> radialStats, int32_t isovistMethod,
                               int32_t unit) {
    return "Path-" + std::to_string(pathNumber) + "\r\n" +
           PathCsvText(records, radialStats, isovistMethod, unit) + "\r\n\r\n";
}
