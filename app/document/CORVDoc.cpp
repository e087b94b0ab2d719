#include "document/CORVDoc.h"

#include <algorithm>
#include <utility>

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
    // Kept across a reset: what is set at construction only (the grid span, the elimination
    // options and the integers stored beside the wall counts and the elimination options), the
    // point isovist record (made empty once), the document's path and the two colours the
    // settings keep. Everything else becomes as in a new document.
    DocumentContent fresh;
    fresh.m_gridSpan = m_gridSpan;
    fresh.m_eliminationOptions = m_eliminationOptions;
    fresh.m_wallTableFlags = m_wallTableFlags;
    fresh.m_eliminationReserved = m_eliminationReserved;
    fresh.m_pointIsovist = std::move(m_pointIsovist);
    fresh.m_documentPath = std::move(m_documentPath);
    fresh.m_settings = m_settings;
    fresh.m_settings.reset();
    static_cast<DocumentContent&>(*this) = std::move(fresh);
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
