// The point isovist commands of the document: computing it at a typed point, showing its
// properties, subdividing it into sectors, and the view-cone restriction they share.
#include <algorithm>
#include <span>

#include "document/CORVDoc.h"
#include "isovist/IsovistMeasures.h"
#include "isovist/IsovistPropertiesText.h"
#include "isovist/IsovistSubdivision.h"
#include "isovist/ViewCone.h"

void CORVDoc::OnPointIsovistAt() {
    if (const auto point = m_ui->askPointIsovistAt(m_lastPointIsovistAt)) {
        OnPointIsovistAt(*point);
    }
}

void CORVDoc::OnPointIsovistAt(const PlanPoint& point) {
    ComputePointIsovist(point.x, point.y);
    m_lastPointIsovistAt = point;
    m_ui->redrawAll();
}

void CORVDoc::MeasurePointIsovist() {
    ComputeIsovistMeasures(m_pointIsovist);
    ComputeOcclusivity(m_pointIsovist, WallSegments());
}

void CORVDoc::OnPointIsovistProperties() {
    MeasurePointIsovist();
    const IsovistProperties dialog(m_pointIsovist, m_pointRadialStats, false,
                                   m_settings.m_isovistMethod, m_settings.m_unit);
    m_ui->showIsovistProperties(dialog.Texts());
}

void CORVDoc::OnPointIsovistSubdivision() {
    IsovistSubdivision subdivision(m_pointIsovist, WallSegments(), m_settings.m_unit);
    m_ui->runIsovistSubdivision(subdivision);
}

void CORVDoc::ApplyViewCone(const IsovistRecord& source, IsovistRecord& target, double direction,
                            double halfAngle) const {
    ::ApplyViewCone(source, target, direction, halfAngle, WallSegments());
}
