#include "document/DxfPlanReaders.h"

#include <cmath>
#include <numbers>

namespace {

bool LastRepeatsFirst(const std::vector<PlanPoint>& vertices) {
    return vertices.size() > 1 && DxfPointsEqual(vertices.front(), vertices.back());
}

PlanPolygon TwoPointPolygon(const PlanPoint& a, const PlanPoint& b) {
    return PlanPolygon(std::vector<PlanPoint>{a, b});
}

}  // namespace

bool DxfPointsEqual(const PlanPoint& a, const PlanPoint& b) {
    return std::fabs(a.x - b.x) < kDxfPointTolerance && std::fabs(a.y - b.y) < kDxfPointTolerance;
}

namespace {

BoundaryReading BoundaryOf(std::vector<DxfPolyline> polylines) {
    BoundaryReading reading;
    if (polylines.empty()) {
        return reading;
    }
    std::vector<PlanPoint>& vertices = polylines.front().vertices;
    if (vertices.size() > 2 && LastRepeatsFirst(vertices)) {
        vertices.pop_back();
    }
    reading.polygon = PlanPolygon(std::move(vertices));
    return reading;
}

void AppendWallShapes(std::vector<DxfPolyline> polylines, const std::vector<PlanSegment>& lines,
                      const std::vector<DxfCircle>& circles,
                      const std::vector<std::vector<PlanPoint>>& arcs, PolygonList& target) {
    for (DxfPolyline& polyline : polylines) {
        std::vector<PlanPoint>& vertices = polyline.vertices;
        if (polyline.closedFlag != 0) {
            target.append(PlanPolygon(std::move(vertices)));
        } else if (LastRepeatsFirst(vertices)) {
            vertices.pop_back();
            target.append(PlanPolygon(std::move(vertices)));
        } else {
            for (size_t i = 0; i + 1 < vertices.size(); ++i) {
                target.append(TwoPointPolygon(vertices[i], vertices[i + 1]));
            }
            target.append(TwoPointPolygon(vertices.back(), vertices.front()));
        }
    }
    for (const PlanSegment& line : lines) {
        target.append(TwoPointPolygon(line.start, line.end));
    }
    for (const DxfCircle& circle : circles) {
        target.append(CircleOctagon(circle));
    }
    // Piece by piece, as lines: no closing piece cuts across what the arc bounds.
    for (const std::vector<PlanPoint>& arc : arcs) {
        for (size_t i = 0; i + 1 < arc.size(); ++i) {
            target.append(TwoPointPolygon(arc[i], arc[i + 1]));
        }
    }
}

void AppendPathPolylines(std::vector<DxfPolyline> polylines, PolygonList& target) {
    for (DxfPolyline& polyline : polylines) {
        std::vector<PlanPoint>& vertices = polyline.vertices;
        if (LastRepeatsFirst(vertices)) {
            vertices.pop_back();
        }
        target.append(PlanPolygon(std::move(vertices)));
    }
}

void AppendCentres(const std::vector<DxfCircle>& circles, std::vector<PlanPoint>& target) {
    for (const DxfCircle& circle : circles) {
        target.push_back(circle.centre);
    }
}

void AppendSegments(const std::vector<DxfPolyline>& polylines,
                    const std::vector<PlanSegment>& lines,
                    const std::vector<std::vector<PlanPoint>>& arcs,
                    std::vector<PlanSegment>& target) {
    for (const DxfPolyline& polyline : polylines) {
        for (size_t i = 0; i + 1 < polyline.vertices.size(); ++i) {
            target.push_back({polyline.vertices[i], polyline.vertices[i + 1]});
        }
    }
    for (const PlanSegment& line : lines) {
        target.push_back(line);
    }
    for (const std::vector<PlanPoint>& arc : arcs) {
        for (size_t i = 0; i + 1 < arc.size(); ++i) {
            target.push_back({arc[i], arc[i + 1]});
        }
    }
}

}  // namespace

BoundaryReading ReadBoundaryPolygon(const DxfDrawing& drawing, std::string_view layer) {
    std::optional<DxfDroppedEntity> refusedFor;
    auto polylines = drawing.readPolylines(layer, 1, [&](DxfDroppedEntity&& dropped) {
        if (dropped.reason == DxfDropReason::OutOfRange && !refusedFor) {
            refusedFor = std::move(dropped);
        }
    });
    if (refusedFor) {
        BoundaryReading reading;
        reading.refusedFor = std::move(refusedFor);
        return reading;
    }
    return BoundaryOf(std::move(polylines));
}

BoundaryReading ReadBoundaryPolygon(const DxfLayerShapes& shapes) {
    if (shapes.polylineRefusedFirst) {
        BoundaryReading reading;
        reading.refusedFor = shapes.polylineRefusedFirst;
        return reading;
    }
    if (shapes.polylines.empty()) {
        return {};
    }
    return BoundaryOf({shapes.polylines.front()});
}

std::string BoundaryRefusalMessage(const DxfDroppedEntity& polyline) {
    return "The boundary cannot be read: " + DxfDroppedEntityText(polyline);
}

bool RoleReadsEntity(LayerRole role, DxfEntityKind kind) {
    // A placed block may hold anything a role reads.
    const bool polyline = kind == DxfEntityKind::Polyline || kind == DxfEntityKind::OldPolyline ||
                          kind == DxfEntityKind::Insert;
    switch (role) {
        case LayerRole::Ignore:
            return false;
        case LayerRole::Boundary:
        case LayerRole::Path:
            return polyline;
        case LayerRole::Point:
            return kind == DxfEntityKind::Circle || kind == DxfEntityKind::Insert;
        case LayerRole::AxialLine:
            return kind != DxfEntityKind::Circle;
        case LayerRole::Wall:
        case LayerRole::ReferenceLine:
            return true;
    }
    return false;
}

void AppendWallPolygons(const DxfDrawing& drawing, std::string_view layer, PolygonList& target) {
    std::vector<DxfPolyline> polylines = drawing.readPolylines(layer);
    const std::vector<PlanSegment> lines = drawing.readLines(layer);
    AppendWallShapes(std::move(polylines), lines, drawing.readCircles(layer), {}, target);
}

void AppendWallPolygons(const DxfLayerShapes& shapes, PolygonList& target) {
    AppendWallShapes(shapes.polylines, shapes.lines, shapes.circles, shapes.arcs, target);
}

void AppendPaths(const DxfDrawing& drawing, std::string_view layer, PolygonList& target) {
    AppendPathPolylines(drawing.readPolylines(layer), target);
}

void AppendPaths(const DxfLayerShapes& shapes, PolygonList& target) {
    AppendPathPolylines(shapes.polylines, target);
}

void AppendCircleCentres(const DxfDrawing& drawing, std::string_view layer,
                         std::vector<PlanPoint>& target) {
    AppendCentres(drawing.readCircles(layer), target);
}

void AppendCircleCentres(const DxfLayerShapes& shapes, std::vector<PlanPoint>& target) {
    AppendCentres(shapes.circles, target);
}

void AppendAxialSegments(const DxfDrawing& drawing, std::string_view layer,
                         std::vector<PlanSegment>& target) {
    const std::vector<DxfPolyline> polylines = drawing.readPolylines(layer);
    AppendSegments(polylines, drawing.readLines(layer), {}, target);
}

void AppendAxialSegments(const DxfLayerShapes& shapes, std::vector<PlanSegment>& target) {
    AppendSegments(shapes.polylines, shapes.lines, shapes.arcs, target);
}

PlanPolygon CircleOctagon(const DxfCircle& circle) {
    const auto& [a, b, c, d] = circle.outlineMap;
    const bool drawn = a == 1.0 && b == 0.0 && c == 0.0 && d == 1.0;
    std::vector<PlanPoint> points;
    points.reserve(8);
    for (int k = 0; k < 8; ++k) {
        const double angle = k * std::numbers::pi / 4.0;
        const double dx = circle.radius * std::cos(angle);
        const double dy = circle.radius * std::sin(angle);
        if (drawn) {
            points.push_back({circle.centre.x + dx, circle.centre.y + dy});
        } else {
            points.push_back(
                {circle.centre.x + (a * dx + b * dy), circle.centre.y + (c * dx + d * dy)});
        }
    }
    return PlanPolygon(std::move(points));
}
