#include "document/CORVDoc.h"

#include <algorithm>


CORVDoc::CORVDoc(DocumentUi& ui) : m_ui(&ui) {}

CORVDoc::~CORVDoc() = default;

bool CORVDoc::OnNewDocument() {
    SetTitle("Untitled");
    ResetDocument();
    return true;
}

std::span<const PlanSegment> CORVDoc::WallSegments() const {
    const auto count = static_cast<size_t>(std::max(m_wallSegmentCount, 0));
    return std::span<const PlanSegment>(m_wallSegments).first(std::min(count, m_wallSegments.size()));
}

void CORVDoc::SetTitle(const std::string& title) {
    m_title = title;
    m_ui->setTitle(title);
}

void CORVDoc::ResetDocument() {
    // Plan geometry (the elimination options and the integers after the wall counts are set
    // at construction only).
    m_wallVertices.clear();
    m_wallVertexCount = 0;
    m_wallSegments.clear();
    m_wallSegmentCount = 0;
    m_axialLines.clear();
    m_axialLineCount = 0;
    m_planPolygons.clear();
    m_planExtent = PlanExtent{};
    m_shortestAxialLineLength = 0.0;
    m_longestAxialLineLength = 0.0;
    m_axialLinesReserved = 0;

    // Point isovist (m_pointIsovist is created empty and not reset).
    m_radialLines.clear();
    m_isovistOrigin = PlanPoint{};
    m_isovistArea = 0.0;
    m_isovistCentroid = PlanPoint{};
    m_pointRadialStats = RadialStats{};
    m_lastPointIsovistAt = PlanPoint{};

    // Grid (the span is set at construction only).
    m_grid.clear();
    m_gridReserved = 0;
    m_gridResultsValid = 0;
    m_gridDisplayProperty = 1;
    m_gridRadialStats = {};
    m_gridGraph.clear();
    m_axialGraph.clear();
    m_currentCell = GridCellIndex{};
    m_pickedPoint = PlanPoint{};

    // Paths.
    m_paths.clear();
    m_observationPoints.clear();
    m_pathIsovists.clear();
    m_pathRadialStats = {};
    m_currentPath = -1;
    m_pathDisplayProperty = 0;

    // Other plan content.
    m_referenceLines.clear();
    m_customPoints = {};
    m_customPointCount = 0;
    m_axialLineRecords.clear();
    m_selectedAxialLine = -1;

    // Stored blocks.
    m_settings.reset();
    m_savedViewState = SavedViewState{};
    m_entropyParams = EntropyParams{};
    m_layerNames = LayerNames{};

    m_ui->redrawAll();
}

void CORVDoc::RebuildWallTables() {
    m_wallVertices.clear();
    m_wallSegments.clear();
    m_wallVertexCount = 0;
    m_wallSegmentCount = 0;
    for (const PlanPolygon& polygon : m_planPolygons.items()) {
        const auto& u = polygon.points();
        for (size_t j = 0; j < u.size(); ++j) {
            // The last vertex closes the polygon back to the first.
            const PlanPoint& next = (j + 1 < u.size()) ? u[j + 1] : u[0];
            m_wallVertices.push_back(u[j]);
            m_wallSegments.push_back(PlanSegment{u[j], next});
        }
    }
    m_wallVertexCount = static_cast<int32_t>(m_wallVertices.size());
    m_wallSegmentCount = static_cast<int32_t>(m_wallSegments.size());
}

void CORVDoc::ComputePlanExtent() {
    bool first = true;
    PlanExtent extent;
    for (const PlanPolygon& polygon : m_planPolygons.items()) {
        for (const PlanPoint& p : polygon.points()) {
            if (first) {
                extent = PlanExtent{p.x, p.x, p.y, p.y};
                first = false;
                continue;
            }
            extent.minX = std::min(extent.minX, p.x);
            extent.maxX = std::max(extent.maxX, p.x);
            extent.minY = std::min(extent.minY, p.y);
            extent.maxY = std::max(extent.maxY, p.y);
        }
    }
    if (!first) {
        m_planExtent = extent;
    }
}
