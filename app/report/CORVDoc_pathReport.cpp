// The document's path report commands: the export of the current path, the export of every
// path (recomputed path by path) and the path report.
#include <memory>

#include "document/CORVDoc.h"
#include "isovist/IsovistEngine.h"
#include "path/PathIsovists.h"
#include "report/CsvExport.h"
#include "report/CsvText.h"
#include "report/PathCsv.h"
#include "report/PathReport.h"

namespace {

std::string AnalyzingTitle(int32_t path, int32_t paths) {
    return "Analyzing path " + std::to_string(path) + "/" + std::to_string(paths);
}

}  // namespace

FileWriteOutcome CORVDoc::WritePathCsv(const std::string& path) const {
    return WriteFileDurably(path, PathCsvText(m_pathIsovists, m_pathRadialStats,
                                              m_settings.m_isovistMethod, m_settings.m_unit));
}

void CORVDoc::OnExportPathCsv() {
    if (m_pathIsovists.empty()) {
        m_ui->message("No results to export");
        return;
    }
    const std::optional<std::string> path = m_ui->chooseSaveFile(kCsvFilter, kCsvExtension, "");
    if (!path) {
        return;
    }
    const FileWriteOutcome outcome = WritePathCsv(*path);
    if (outcome != FileWriteOutcome::Written) {
        m_ui->message(ExportFailureMessage(outcome));
    }
}

void CORVDoc::OnExportAllPathsCsv() {
    if (!m_ui->askYesNo("This command will remove current path analysis results.\nDo you want "
                        "to continue?")) {
        return;
    }
    if (m_observationPoints.empty()) {
        m_ui->message("No path defined");
        return;
    }
    const std::optional<std::string> path = m_ui->chooseSaveFile(kCsvFilter, kCsvExtension, "");
    if (!path) {
        return;
    }
    const std::optional<FileWriteOutcome> outcome = WriteAllPathsCsv(*path);
    if (outcome && *outcome != FileWriteOutcome::Written) {
        m_ui->message(ExportFailureMessage(*outcome));
    }
}

std::optional<FileWriteOutcome> CORVDoc::WriteAllPathsCsv(const std::string& path) {
    WaitCursor wait(*m_ui);
    const PlanTables plan = isovistPlanTables();
    const int32_t method = m_settings.m_isovistMethod;
    const int32_t unit = m_settings.m_unit;
    const int32_t paths = m_paths.count();
    std::vector<std::vector<PlanPoint>> points(static_cast<size_t>(paths));
    for (int32_t p = 0; p < paths && p < m_observationPoints.count(); ++p) {
        points[static_cast<size_t>(p)] = m_observationPoints[p].points();
    }
    auto text = std::make_shared<std::string>();
    LongTask task;
    task.work = [text, plan, method, unit, paths, points](ProgressSink& progress) {
        if (CsvFormOfMethod(method) == CsvForm::None) {
            return;  // only the file is made
        }
        PathIsovistRun run;
        for (int32_t p = 0; p < paths && !progress.stopRequested(); ++p) {
            const std::vector<PlanPoint>& list = points[static_cast<size_t>(p)];
            progress.beginPass(AnalyzingTitle(p + 1, paths), 0, static_cast<int>(list.size()));
            ::ComputePathIsovists(plan, list, method, run, progress);
            *text += AllPathsCsvSection(p + 1, run.records, run.radialStats, method, unit);
        }
    };
    // Cancelled: no file is made and the current path's results stay.
    std::optional<FileWriteOutcome> outcome;
    if (m_ui->runLongTask(task)) {
        outcome = WriteFileDurably(path, *text);
        if (*outcome == FileWriteOutcome::Written) {
            m_pathIsovists.clear();
            m_pathRadialStats.clear();
        }
    }
    m_ui->setTitle(m_title);
    m_ui->redrawAll();
    return outcome;
}

void CORVDoc::OnPathReport() {
    if (m_pathIsovists.empty()) {
        return;
    }
    m_ui->showAnalysisSummary(PathReportText(m_pathIsovists, m_pathRadialStats,
                                             m_settings.m_isovistMethod, m_entropyParams));
}
