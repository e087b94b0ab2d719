// A click in the plan: the point isovist there, or the grid cell under it.
#include <cstdio>

#include "document/CORVDoc.h"
#include "document/DisplayProperties.h"

namespace {

std::string PointText(PlanPoint p) {
    char text[256];
    std::snprintf(text, sizeof text, "%.1f, %.1f", p.x, p.y);
    return text;
}

}  // namespace

CORVDoc::PickOutcome CORVDoc::OnPickPoint(PlanPoint point) {
    PickOutcome outcome;
    m_pickedPoint = point;
    if (m_settings.m_show[kShowPointIsovist] != 0) {
        ComputePointIsovist(point.x, point.y);
        outcome.redraw = m_pointIsovist.polygon.count() > 0;
        outcome.status = PointText(point);
        outcome.changed = true;
    } else if (m_gridResultsValid != 0 && m_settings.m_show[kShowGrid] != 0) {
        PickGridCell(point, outcome);
    }
    return outcome;
}

void CORVDoc::PickGridCell(PlanPoint point, PickOutcome& outcome) {
    const std::optional<GridCellIndex> address = m_grid.addressOf(point.x, point.y);
    if (!address) {
        return;
    }
    m_currentCell = *address;
    outcome.redraw = true;
    outcome.changed = true;
    const CGridCell* cell = m_grid.cellAt(m_currentCell);
    if (cell == nullptr) {
        return;
    }
    const PlanPoint centre = cell->isovist.origin;
    if (m_settings.m_show[kShowGridResults] == 0) {
        outcome.status = PointText(centre);
        return;
    }
    const DisplayProperty* property =
        FindDisplayProperty(PropertyFamily::Grid, m_gridDisplayProperty);
    if (property == nullptr) {
        return;
    }
    const RadialStats* radial = nullptr;
    const int32_t radialIndex = cell->isovist.radialStatsIndex;
    if (radialIndex >= 0 && static_cast<size_t>(radialIndex) < m_gridRadialStats.size()) {
        radial = &m_gridRadialStats[static_cast<size_t>(radialIndex)];
    }
    outcome.status =
        GridPickStatusText(*property, DisplayValue(*property, cell->isovist, radial), centre);
}
