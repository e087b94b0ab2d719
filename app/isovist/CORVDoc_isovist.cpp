// The document's isovist requests: run the engine, then keep its result as the document's
// last isovist.
#include "document/CORVDoc.h"
#include "isovist/IsovistEngine.h"
#include "isovist/PlanFingerprint.h"
#include "isovist/RadialStatistics.h"

PlanTables CORVDoc::isovistPlanTables() const {
    PlanTables tables;
    tables.polygons = m_planPolygons.items();
    tables.wallSegments = WallSegments();
    tables.wallVertexCount = m_wallVertexCount;
    return WithFingerprint(tables);
}

void CORVDoc::ComputePointIsovist(double x, double y) {
    ComputeIsovist(x, y, m_pointRadialStats);
}

void CORVDoc::ComputeIsovist(double x, double y, RadialStats& stats) {
    if (!m_isovistScratch) {
        m_isovistScratch = std::make_shared<IsovistScratch>();
    }
    IsovistResult result;
    ComputeIsovistAt(isovistPlanTables(), PlanPoint{x, y}, m_settings.m_isovistMethod,
                   *m_isovistScratch, result);
    if (result.outcome == IsovistResult::Outcome::NoWalls) {
        return;
    }
    m_radialLines.clear();
    m_isovistOrigin = result.origin;
    if (result.outcome == IsovistResult::Outcome::InvalidPoint) {
        m_isovistArea = 0.0;
        m_isovistCentroid = result.origin;
        return;
    }
    if (result.outcome == IsovistResult::Outcome::UnknownMethod) {
        return;
    }
    if (result.usedRadialMethod && !ComputeRadialStats(result.unreducedRadialLines, stats)) {
        m_ui->message(kEmptyRadialLineSetMessage);
    }
    m_radialLines = std::move(result.radialLines);

    // Resizing to no points keeps the old ones, so an empty isovist leaves the polygon as it was.
    PlanPolygon& polygon = m_pointIsovist.polygon;
    polygon.resize(static_cast<int32_t>(m_radialLines.size()));
    for (size_t i = 0; i < m_radialLines.size(); ++i) {
        polygon[static_cast<int32_t>(i)] = m_radialLines[i].end;
    }
    m_pointIsovist.origin = result.origin;
    m_isovistArea = result.area;
    if (result.centroid) {
        m_isovistCentroid = *result.centroid;
    }
}
