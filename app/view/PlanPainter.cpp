#include "view/PlanPainter.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <optional>
#include <unordered_map>

#include "view/AxialColoring.h"
#include "view/GridColoring.h"
#include "view/PathResultMarks.h"

namespace {

// Pens and markers that do not take their colour from the document.
const QColor kFramePen(68, 119, 68);
const QColor kDetailPen(136, 136, 136);
constexpr int kWallWidth = 5;
constexpr int kLineWidth = 3;
constexpr int kAxialWidth = 4;
constexpr int kCurrentPathWidth = 5;
constexpr double kOriginRadius = 8.0;
constexpr double kCentroidHalfSize = 6.0;
constexpr double kObservationRadius = 5.0;
constexpr double kCustomPointRadius = 7.0;
constexpr double kLabelOffset = 5.0;
// A 20-point font in 0.1 mm units.
constexpr int kFontHeightLogical = 71;
const QColor kCurrentCellColor(255, 85, 85);
constexpr double kMarkerHalfSize = 4.0;
// The legend: a 9-point font; bands in device pixels from 8 below the top, each with a colour
// stripe 30 logical units wide and its label 35 units from the band's left.
constexpr int kLegendFontHeightLogical = 32;
constexpr int kLegendMargin = 8;
constexpr double kLegendStripeWidth = 30.0;
constexpr double kLegendLabelLeft = 35.0;
constexpr double kLegendLabelDrop = 6.0;

// Every grid property reads its range over the grid's effective cells.
bool GridExists(const PlanScene& scene) {
    return scene.grid != nullptr && scene.grid->count > 0 && !scene.grid->cells.empty();
}

bool LegendHasSomethingToShow(const PlanScene& scene) {
    switch (scene.legendFamily) {
        case kLegendGrid:
            return scene.gridResults && GridExists(scene) && scene.shows(kShowGridResults);
        case kLegendPath:
            return scene.shows(kShowPathResults);
        case kLegendAxial:
            return scene.shows(kShowAxialLines);
        default:
            return false;
    }
}

bool ValidPath(const PolygonList* paths) {
    return paths != nullptr && paths->count() > 0 && (*paths)[0].count() >= 2;
}

}  // namespace

QColor ColorFromRef(uint32_t colorRef) {
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

PlanPainter::PlanPainter(QPainter& painter, const ViewTransform& transform, QSize client)
    : painter_(painter), transform_(transform), client_(client) {}

QPointF PlanPainter::toLogical(const PlanPoint& p) const {
    return QPointF(PlanToLogical(p.x, transform_.scale), PlanToLogical(p.y, transform_.scale));
}

void PlanPainter::setPen(const QColor& color, int width) {
    QPen pen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    // A pen is never thinner than one device pixel, as on a plotter's page: a thinner one
    // would be drawn faded.
    if (width * kPixelsPerLogicalUnit < 1.0) {
        pen.setWidth(1);
        pen.setCosmetic(true);
    }
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
}

void PlanPainter::setPen(uint32_t colorRef, int width) {
    setPen(ColorFromRef(colorRef), width);
}

void PlanPainter::draw(const PlanScene& scene) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.translate(transform_.originX, transform_.originY);
    painter_.scale(kPixelsPerLogicalUnit, -kPixelsPerLogicalUnit);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(kFontHeightLogical);
    painter_.setFont(font);

    legendRange_ = scene.legendRange;
    drawBackground(scene.colors[kColorBackground]);
    drawGridColoring(scene);
    drawCurrentCell(scene);

    setPen(kFramePen, kLineWidth);
    if (scene.shows(kShowReferenceLines)) {
        drawReferenceLines(scene);
    }
    if (scene.shows(kShowPathIsovist)) {
        drawPathIsovists(scene);
    }
    if (scene.shows(kShowPointIsovist)) {
        drawPointIsovist(scene);
    }
    if (scene.shows(kShowWalls)) {
        drawWalls(scene);
    }
    if (scene.shows(kShowAxialLines)) {
        drawAxialLines(scene);
    }

    setPen(kDetailPen, 1);
    if (scene.shows(kShowAxialLines)) {
        drawCustomPoints(scene);
    }
    drawGridLinesAndMarkers(scene);
    if (scene.shows(kShowPathResults)) {
        drawPathResults(scene);
    }
    drawPathsAndObservationPoints(scene);
    drawLegend(scene);
    painter_.restore();
}

void PlanPainter::registerLegendRange(const PlanScene& scene, double lo, double hi,
                                      int32_t family) {
    if (family == scene.legendFamily) {
        legendRange_ = {lo, hi};
    }
}

void PlanPainter::drawGridColoring(const PlanScene& scene) {
    if (!GridExists(scene) || !scene.gridResults || !scene.shows(kShowGridResults) ||
        scene.gridRadialStats == nullptr) {
        return;
    }
    const std::optional<GridColoring> coloring = ColorGridCells(
        *scene.grid, *scene.gridRadialStats, scene.gridDisplayProperty, scene.colorScale);
    if (!coloring) {
        return;
    }
    registerLegendRange(scene, coloring->minimum, coloring->maximum, kLegendGrid);
    // One fill call per colour: the ramp has at most 256 of them, a grid may have many
    // thousands of cells.
    std::unordered_map<uint32_t, QList<QRectF>> byColor;
    for (const GridCellColor& c : coloring->cells) {
        const CGridCell& cell = scene.grid->cells[static_cast<size_t>(c.index)];
        const QPointF topLeft = toLogical(PlanPoint{cell.xMin, cell.yMax});
        const QPointF bottomRight = toLogical(PlanPoint{cell.xMax, cell.yMin});
        byColor[c.color].append(QRectF(topLeft, bottomRight).normalized());
    }
    painter_.save();
    painter_.setPen(Qt::NoPen);
    for (const auto& [color, rects] : byColor) {
        painter_.setBrush(ColorFromRef(color));
        painter_.drawRects(rects);
    }
    painter_.restore();
}

void PlanPainter::drawCurrentCell(const PlanScene& scene) {
    if (!GridExists(scene) || !scene.shows(kShowGrid)) {
        return;
    }
    const CGridCell* cell = scene.grid->cellAt(scene.currentCell);
    if (cell == nullptr || cell->effective == 0) {
        return;
    }
    const QPointF corner = toLogical(PlanPoint{cell->xMin, cell->yMin});
    const QPointF opposite =
        toLogical(PlanPoint{cell->xMin + scene.grid->span, cell->yMin + scene.grid->span});
    painter_.save();
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(kCurrentCellColor);
    painter_.drawRect(QRectF(corner, opposite).normalized());
    painter_.restore();
}

void PlanPainter::drawGridLinesAndMarkers(const PlanScene& scene) {
    if (!GridExists(scene)) {
        return;
    }
    const CAnalysisGrid& grid = *scene.grid;
    painter_.save();
    if (scene.shows(kShowGrid)) {
        const double left = grid.originX;
        const double right = grid.originX + grid.nx * grid.span;
        const double bottom = grid.originY;
        const double top = grid.originY + grid.ny * grid.span;
        QList<QLineF> lines;
        lines.reserve(grid.nx + grid.ny + 2);
        for (int32_t j = 0; j <= grid.ny; ++j) {
            const double y = grid.originY + j * grid.span;
            lines.append(QLineF(toLogical({left, y}), toLogical({right, y})));
        }
        for (int32_t i = 0; i <= grid.nx; ++i) {
            const double x = grid.originX + i * grid.span;
            lines.append(QLineF(toLogical({x, bottom}), toLogical({x, top})));
        }
        setPen(scene.colors[kColorGrid], 1);
        painter_.drawLines(lines);
    }
    if (scene.shows(kShowMarkers)) {
        // A small cross at the centre of every effective cell.
        QList<QLineF> crosses;
        for (const CGridCell& cell : grid.cells) {
            if (cell.effective == 0) {
                continue;
            }
            const QPointF c = toLogical({(cell.xMin + cell.xMax) / 2, (cell.yMin + cell.yMax) / 2});
            crosses.append(
                QLineF(c - QPointF(kMarkerHalfSize, 0), c + QPointF(kMarkerHalfSize, 0)));
            crosses.append(
                QLineF(c - QPointF(0, kMarkerHalfSize), c + QPointF(0, kMarkerHalfSize)));
        }
        setPen(scene.colors[kColorMarkers], 1);
        painter_.drawLines(crosses);
    }
    painter_.restore();
}

void PlanPainter::drawLegend(const PlanScene& scene) {
    if (!LegendHasSomethingToShow(scene)) {
        return;
    }
    const LegendScale legend = MakeLegendScale(scene.colorScale, legendRange_[0], legendRange_[1]);
    const int band = (client_.height() - 2 * kLegendMargin) / kLegendBandCount;
    // Drawn in device pixels, the logical sizes converted.
    painter_.save();
    painter_.resetTransform();
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(std::max(1, qRound(kLegendFontHeightLogical * kPixelsPerLogicalUnit)));
    painter_.setFont(font);
    painter_.setPen(ColorFromRef(LegendTextColor(scene.colors[kColorBackground])));
    const double stripeWidth = kLegendStripeWidth * kPixelsPerLogicalUnit;
    const double stripeHeight = band * kPixelsPerLogicalUnit;
    const double labelLeft = kLegendLabelLeft * kPixelsPerLogicalUnit;
    const double labelDrop = kLegendLabelDrop * kPixelsPerLogicalUnit;
    const int ascent = painter_.fontMetrics().ascent();
    for (int k = 0; k <= kLegendBandCount; ++k) {
        const double top = kLegendMargin + k * band;
        if (k < kLegendBandCount) {
            painter_.fillRect(QRectF(0, top, stripeWidth, stripeHeight),
                              ColorFromRef(legend.bandColors[static_cast<size_t>(k)]));
        }
        painter_.drawText(QPointF(labelLeft, top + labelDrop + ascent),
                          QString::fromStdString(legend.labels[static_cast<size_t>(k)]));
    }
    painter_.restore();
}

void PlanPainter::drawBackground(uint32_t colorRef) {
    const QTransform inverse = painter_.transform().inverted();
    painter_.fillRect(inverse.mapRect(QRectF(QPointF(0, 0), QSizeF(client_))),
                      ColorFromRef(colorRef));
}

void PlanPainter::drawReferenceLines(const PlanScene& scene) {
    if (scene.referenceLines == nullptr) {
        return;
    }
    // Reference polygons are read like walls: one segment from each vertex to the next and
    // from the last back to the first.
    std::vector<PlanSegment> segments;
    for (const PlanPolygon& polygon : scene.referenceLines->items()) {
        const auto& u = polygon.points();
        for (size_t j = 0; u.size() >= 2 && j < u.size(); ++j) {
            segments.push_back(PlanSegment{u[j], u[(j + 1) % u.size()]});
        }
    }
    setPen(scene.colors[kColorReferenceLines], kLineWidth);
    drawSegments(segments);
}

void PlanPainter::drawPathIsovists(const PlanScene& scene) {
    // With every polygon turned counter-clockwise, the winding fill of all of them together is
    // exactly their union, without computing it.
    QPainterPath region;
    region.setFillRule(Qt::WindingFill);
    for (const PlanPolygon* polygon : scene.pathIsovists) {
        if (polygon == nullptr || polygon->count() < 3) {
            continue;
        }
        QPolygonF shape;
        double twiceArea = 0.0;
        for (const PlanPoint& p : polygon->points()) {
            shape << toLogical(p);
        }
        for (qsizetype i = 0; i < shape.size(); ++i) {
            const QPointF& a = shape[i];
            const QPointF& b = shape[(i + 1) % shape.size()];
            twiceArea += a.x() * b.y() - b.x() * a.y();
        }
        if (twiceArea < 0) {
            std::reverse(shape.begin(), shape.end());
        }
        region.addPolygon(shape);
        region.closeSubpath();
    }
    if (!region.isEmpty()) {
        painter_.fillPath(region, ColorFromRef(scene.colors[kColorPathIsovist]));
    }
}

void PlanPainter::drawPointIsovist(const PlanScene& scene) {
    if (scene.pointIsovist == nullptr || scene.pointIsovist->count() < 2) {
        return;
    }
    QPolygonF shape;
    for (const PlanPoint& p : scene.pointIsovist->points()) {
        shape << toLogical(p);
    }
    painter_.save();
    // The fill combines with what lies below by bitwise AND, so the plan shows through. A
    // device without raster operations (an SVG file) takes a plain fill.
    const QPaintEngine* engine = painter_.paintEngine();
    if (engine != nullptr && engine->hasFeature(QPaintEngine::RasterOpModes)) {
        painter_.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    }
    painter_.setBrush(ColorFromRef(scene.colors[kColorPointIsovist]));
    painter_.drawPolygon(shape);
    painter_.restore();

    const QPointF origin = toLogical(scene.isovistOrigin);
    drawCircle(origin, kOriginRadius);
    const QPointF centroid = toLogical(scene.isovistCentroid);
    painter_.drawLine(centroid + QPointF(-kCentroidHalfSize, 0),
                      centroid + QPointF(kCentroidHalfSize, 0));
    painter_.drawLine(centroid + QPointF(0, -kCentroidHalfSize),
                      centroid + QPointF(0, kCentroidHalfSize));
    // Text takes the default text colour, not the pen's.
    painter_.save();
    painter_.setPen(Qt::black);
    drawText(centroid, QString::asprintf("%.1f", scene.isovistArea));
    painter_.restore();
}

void PlanPainter::drawWalls(const PlanScene& scene) {
    if (scene.wallSegments == nullptr) {
        return;
    }
    setPen(scene.colors[kColorWalls], kWallWidth);
    drawSegments(*scene.wallSegments);
}

void PlanPainter::drawAxialLines(const PlanScene& scene) {
    if (scene.axialLines == nullptr) {
        return;
    }
    const std::optional<AxialColoring> coloring =
        scene.axialRecords == nullptr
            ? std::nullopt
            : ColorAxialLines(*scene.axialLines, *scene.axialRecords, scene.axialDisplayProperty,
                              scene.colorScale);
    if (!coloring) {
        setPen(scene.colors[kColorAxialLines], kAxialWidth);
        drawSegments(*scene.axialLines);
        return;
    }
    registerLegendRange(scene, coloring->minimum, coloring->maximum, kLegendAxial);
    // One pen per colour, as for the grid's cells: a generated map may have many thousand lines.
    std::unordered_map<uint32_t, std::vector<PlanSegment>> byColor;
    for (size_t i = 0; i < scene.axialLines->size(); ++i) {
        byColor[coloring->colors[i]].push_back((*scene.axialLines)[i]);
    }
    for (const auto& [color, lines] : byColor) {
        setPen(color, kAxialWidth);
        drawSegments(lines);
    }
}

void PlanPainter::drawCustomPoints(const PlanScene& scene) {
    if (scene.customPoints == nullptr) {
        return;
    }
    // Its own pen, given back afterwards: the steps after it draw with the detail pen.
    painter_.save();
    setPen(scene.colors[kColorCustomPoints], 1);
    for (const PlanPoint& p : *scene.customPoints) {
        drawCircle(toLogical(p), kCustomPointRadius);
    }
    painter_.restore();
}

void PlanPainter::drawPathResults(const PlanScene& scene) {
    if (scene.pathRecords == nullptr || scene.pathRadialStats == nullptr) {
        return;
    }
    const std::optional<PathResultMarks> results =
        MarkPathResults(*scene.pathRecords, *scene.pathRadialStats, scene.pathDisplayProperty,
                        scene.pathDisplayMethod, scene.pathCircleRadius, scene.colorScale);
    if (!results) {
        return;
    }
    registerLegendRange(scene, results->minimum, results->maximum, kLegendPath);
    // In point order, so that where circles overlap the later point lies on top; outlines in
    // the current pen, filled circles in their colour. Pen and brush change only when the next
    // circle needs others.
    painter_.save();
    const QPen outlinePen = painter_.pen();
    bool first = true;
    std::optional<uint32_t> drawing;  // the fill colour set up, none for outlines
    for (const PathPointMark& mark : results->marks) {
        const std::optional<uint32_t> fill =
            mark.filled ? std::optional<uint32_t>(mark.color) : std::nullopt;
        if (first || drawing != fill) {
            first = false;
            if (fill) {
                setPen(*fill, 1);
                painter_.setBrush(ColorFromRef(*fill));
            } else {
                painter_.setPen(outlinePen);
                painter_.setBrush(Qt::NoBrush);
            }
            drawing = fill;
        }
        const QPointF c = toLogical(mark.centre);
        painter_.drawEllipse(QRectF(c.x() - mark.radius, c.y() - mark.radius, 2.0 * mark.radius,
                                    2.0 * mark.radius));
    }
    painter_.restore();
}

void PlanPainter::drawPathsAndObservationPoints(const PlanScene& scene) {
    if (!ValidPath(scene.paths)) {
        return;
    }
    painter_.save();
    const int32_t count = scene.paths->count();
    if (scene.shows(kShowPaths)) {
        setPen(scene.colors[kColorPaths], kLineWidth);
        for (int32_t i = 0; i < count; ++i) {
            if (i != scene.currentPath) {
                drawPolyline((*scene.paths)[i]);
            }
        }
        if (scene.currentPath >= 0 && scene.currentPath < count) {
            setPen(scene.colors[kColorCurrentPath], kCurrentPathWidth);
            drawPolyline((*scene.paths)[scene.currentPath]);
        }
    }
    if (scene.shows(kShowObservationPoints) && scene.observationPoints != nullptr) {
        const QPen labelPen(ColorFromRef(scene.colors[kColorPathText]));
        const QPen markPen(ColorFromRef(scene.colors[kColorObservationPoints]), kLineWidth);
        for (const PlanPolygon& points : scene.observationPoints->items()) {
            for (int32_t k = 0; k < points.count(); ++k) {
                const QPointF centre = toLogical(points[k]);
                painter_.setPen(markPen);
                drawCircle(centre, kObservationRadius);
                painter_.setPen(labelPen);
                drawText(centre + QPointF(kLabelOffset, kLabelOffset), QString::number(k));
            }
        }
    }
    painter_.restore();
}

void PlanPainter::drawSegments(const std::vector<PlanSegment>& segments) {
    QList<QLineF> lines;
    lines.reserve(static_cast<qsizetype>(segments.size()));
    for (const PlanSegment& s : segments) {
        lines.append(QLineF(toLogical(s.start), toLogical(s.end)));
    }
    painter_.drawLines(lines);
}

void PlanPainter::drawPolyline(const PlanPolygon& polyline) {
    if (polyline.count() < 2) {
        return;
    }
    QPolygonF line;
    for (const PlanPoint& p : polyline.points()) {
        line << toLogical(p);
    }
    painter_.drawPolyline(line);
}

void PlanPainter::drawCircle(QPointF centre, double radius) {
    painter_.save();
    painter_.setBrush(Qt::NoBrush);
    painter_.drawEllipse(centre, radius, radius);
    painter_.restore();
}

void PlanPainter::drawText(QPointF topLeft, const QString& text) {
    // Text runs downwards from its top-left corner, so it is drawn in an upright local frame.
    painter_.save();
    painter_.translate(topLeft);
    painter_.scale(1.0, -1.0);
    painter_.drawText(QPointF(0, painter_.fontMetrics().ascent()), text);
    painter_.restore();
}
