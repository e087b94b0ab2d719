// Draws a plan scene with QPainter in the y-up 0.1 mm logical space of a view transform.
#pragma once

#include <QColor>
#include <QPointF>
#include <QSize>
#include <QString>

#include "view/PlanScene.h"
#include "view/ViewTransform.h"

class QPainter;

QColor ColorFromRef(uint32_t colorRef);

class PlanPainter {
  public:
    PlanPainter(QPainter& painter, const ViewTransform& transform, QSize client);

    // Draws every element of the scene in the view's order; leaves the painter as it found it.
    void draw(const PlanScene& scene);

    // The legend registry after the draw: the scene's, replaced by the range of the values
    // coloured for the family the legend shows. The view gives it back to the document.
    const std::array<double, 2>& legendRange() const { return legendRange_; }

  private:
    QPointF toLogical(const PlanPoint& p) const;
    void setPen(uint32_t colorRef, int width);
    void setPen(const QColor& color, int width);
    void drawBackground(uint32_t colorRef);
    void registerLegendRange(const PlanScene& scene, double lo, double hi, int32_t family);
    void drawGridColoring(const PlanScene& scene);
    void drawCurrentCell(const PlanScene& scene);
    void drawGridLinesAndMarkers(const PlanScene& scene);
    void drawLegend(const PlanScene& scene);
    void drawReferenceLines(const PlanScene& scene);
    void drawPathIsovists(const PlanScene& scene);
    void drawPointIsovist(const PlanScene& scene);
    void drawWalls(const PlanScene& scene);
    void drawAxialLines(const PlanScene& scene);
    void drawCustomPoints(const PlanScene& scene);
    void drawPathResults(const PlanScene& scene);
    void drawPathsAndObservationPoints(const PlanScene& scene);
    void drawSegments(const std::vector<PlanSegment>& segments);
    void drawPolyline(const PlanPolygon& polyline);
    void drawCircle(QPointF centre, double radius);
    void drawText(QPointF topLeft, const QString& text);

    QPainter& painter_;
    const ViewTransform& transform_;
    QSize client_;
    std::array<double, 2> legendRange_{};
};
