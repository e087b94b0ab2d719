// The document's report commands: the grid export and the grid report.
#include "document/CORVDoc.h"
#include "report/GridCsv.h"
#include "report/GridReport.h"

namespace {

constexpr const char* kCsvFilter = "Comma Separated Values (*.csv)|*.csv|All Files (*.*)|*.*||";
constexpr const char* kCsvExtension = "csv";

bool hasGridCells(const CAnalysisGrid& grid) {
    return grid.count > 0 && !grid.cells.empty();
}

// Said when an export's file could not be written; the old file at that path is kept.
const char* exportFailureMessage(FileWriteOutcome outcome) {
    return outcome == FileWriteOutcome::OpenFailed ? "File open error" : "File write error";
}

}  // namespace

FileWriteOutcome CORVDoc::WriteGridCsv(const std::string& path) const {
    return WriteFileDurably(path, GridCsvText(m_grid, m_gridRadialStats, m_settings.m_isovistMethod,
                                              m_settings.m_unit));
}

void CORVDoc::OnExportGridCsv() {
    if (!hasGridCells(m_grid)) {
        m_ui->message("No grid data to export");
        return;
    }
    const std::optional<std::string> path = m_ui->chooseSaveFile(kCsvFilter, kCsvExtension, "");
    if (!path) {
        return;
    }
    const FileWriteOutcome outcome = WriteGridCsv(*path);
    if (outcome != FileWriteOutcome::Written) {
        m_ui->message(exportFailureMessage(outcome));
    }
}

void CORVDoc::OnGridReport() {
    if (!hasGridCells(m_grid)) {
        return;
    }
    m_ui->showAnalysisSummary(GridReportText(m_grid, m_settings.m_unit));
}
