// The document's axial commands: the analysis of the axial lines and the two map generators.
#include <string>

#include "axial/AxialAnalysis.h"
#include "axial/AxialMapGeneration.h"
#include "document/CORVDoc.h"
#include "document/DisplayProperties.h"
#include "document/DxfImportSteps.h"

namespace {

constexpr int32_t kAxialScaleMode = 2;

// The lines changed: their length range (kept as it was without lines), no graph, one
// zeroed record per line.
void RefreshAfterNewLines(CORVDoc& doc) {
    doc.m_axialLineCount = static_cast<int32_t>(doc.m_axialLines.size());
    if (!doc.m_axialLines.empty()) {
        std::tie(doc.m_shortestAxialLineLength, doc.m_longestAxialLineLength) =
            AxialLineLengthRange(doc.m_axialLines);
    }
    doc.m_axialGraph.clear();
    doc.m_axialLineRecords.assign(doc.m_axialLines.size(), IsovistRecord{});
}

void GenerateMap(CORVDoc& doc, AxialMapKind kind) {
    DocumentUi& ui = doc.ui();
    if (!doc.m_axialLines.empty() &&
        !ui.askYesNo("Axial lines already exist.\nClick YES to add new lines.\nClick NO to "
                     "remove existing lines.")) {
        doc.m_axialLines.clear();
    }
    ui.setWaitCursor(true);
    const auto vertexCount = std::min(static_cast<size_t>(std::max(doc.m_wallVertexCount, 0)),
                                      doc.m_wallVertices.size());
    const AxialPlan plan{doc.m_planPolygons.items(),
                         std::span<const PlanPoint>(doc.m_wallVertices).first(vertexCount),
                         doc.WallSegments()};
    GenerateAxialMap(plan, kind, doc.m_axialLines);
    RefreshAfterNewLines(doc);
    ui.redrawAll();
    ui.setWaitCursor(false);
}

}  // namespace

void CORVDoc::OnRunAxialAnalysis() {
    if (m_axialLines.empty()) {
        m_ui->message("There are no axial lines");
        return;
    }
    if (m_axialLines.size() > static_cast<size_t>(kMaxAxialAnalysisLines)) {
        m_ui->message("Too many axial lines for the analysis: it takes at most " +
                      std::to_string(kMaxAxialAnalysisLines) + " lines, the plan has " +
                      std::to_string(m_axialLines.size()) + ".");
        return;
    }
    AxialAnalysis analysis = AnalyseAxialLines(m_axialLines, m_settings.integrationDepth);
    m_axialGraph = std::move(analysis.graph);
    m_axialLineRecords = std::move(analysis.records);
    m_selectedAxialLine = -1;
    if (m_settings.m_scaleMode != kAxialScaleMode &&
        m_ui->askYesNo("Do you want to switch the scale into the axial analysis mode?")) {
        m_settings.m_scaleMode = kAxialScaleMode;
    }
    m_settings.m_axialDisplayProperty = kAxialLength;
    m_ui->redrawAll();
}

void CORVDoc::OnGenerateAllLineAxialMap() {
    GenerateMap(*this, AxialMapKind::AllLines);
}

void CORVDoc::OnGenerateReducedAxialMap() {
    GenerateMap(*this, AxialMapKind::Reduced);
}
