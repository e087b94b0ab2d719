// The document's report commands: the grid export and the grid report.
#include "document/CORVDoc.h"
#include "report/AxialCsv.h"
#include "report/CsvExport.h"
#include "report/GridCsv.h"
#include "report/GridReport.h"

namespace {

bool HasGridCells(const CAnalysisGrid& grid) {
    return grid.count > 0 && !grid.cells.empty();
}

}  // namespace

FileWriteOutcome CORVDoc::WriteGridCsv(const std::string& path) const {
    return WriteFileDurably(path, GridCsvText(m_grid, m_gridRadialStats, m_settings.m_isovistMethod,
                                              m_settings.m_unit));
}

void CORVDoc::OnExportGridCsv() {
    if (!HasGridCells(m_grid)) {
        m_ui->message("No grid data to export");
        return;
    }
    const std::optional<std::string> path = m_ui->chooseSaveFile(kCsvFilter, kCsvExtension, "");
    if (!path) {
        return;
    }
    const FileWriteOutcome outcome = WriteGridCsv(*path);
    if (outcome != FileWriteOutcome::Written) {
        m_ui->message(ExportFailureMessage(outcome));
    }
}

void CORVDoc::OnGridReport() {
    if (!HasGridCells(m_grid)) {
        return;
    }
    m_ui->showAnalysisSummary(GridReportText(m_grid, m_settings.m_unit));
}

// ---- axial export ----

FileWriteOutcome CORVDoc::WriteAxialCsv(const std::string& path) const {
    const std::optional<std::string> text =
        AxialCsvText(m_axialLines, m_axialLineRecords, m_settings.m_unit);
    if (!text) {
        return FileWriteOutcome::WriteFailed;  // records that do not match: nothing written
    }
    return WriteFileDurably(path, *text);
}

void CORVDoc::OnExportAxialCsv() {
    if (m_axialLines.empty()) {
        m_ui->message("There are no axial lines");
        return;
    }
    const std::optional<std::string> path = m_ui->chooseSaveFile(kCsvFilter, kCsvExtension, "");
    if (!path) {
        return;
    }
    const std::optional<std::string> text =
        AxialCsvText(m_axialLines, m_axialLineRecords, m_settings.m_unit);
    if (!text) {
        m_ui->message("Internal error");
        return;
    }
    const FileWriteOutcome outcome = WriteFileDurably(*path, *text);
    if (outcome != FileWriteOutcome::Written) {
        m_ui->message(ExportFailureMessage(outcome));
    }
}
