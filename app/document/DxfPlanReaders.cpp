#include "document/DxfPlanReaders.h"

#include <cmath>
#include <numbers>

namespace {

bool lastRepeatsFirst(const std::vector<PlanPoint>& vertices) {
    return vertices.size() > 1 && dxfPointsEqual(vertices.front(), vertices.back());
}

PlanPolygon twoPointPolygon(const PlanPoint& a, const PlanPoint& b) {
    return PlanPolygon(std::vector<PlanPoint>{a, b});
}

}  // namespace

bool dxfPointsEqual(const PlanPoint& a, const PlanPoint& b) {
    return std::fabs(a.x - b.x) < kDxfPointTolerance && std::fabs(a.y - b.y) < kDxfPointTolerance;
}

BoundaryReading readBoundaryPolygon(const DxfDrawing& drawing, std::string_view layer) {
    BoundaryReading reading;
    auto polylines = drawing.readPolylines(layer, 1, [&](DxfDroppedEntity&& dropped) {
        if (dropped.reason == DxfDropReason::OutOfRange && !reading.refusedFor) {
            reading.refusedFor = std::move(dropped);
        }
    });
    if (reading.refusedFor || polylines.empty()) {
        return reading;
    }
    std::vector<PlanPoint>& vertices = polylines.front().vertices;
    if (vertices.size() > 2 && lastRepeatsFirst(vertices)) {
        vertices.pop_back();
    }
    reading.polygon = PlanPolygon(std::move(vertices));
    return reading;
}

std::string boundaryRefusalMessage(const DxfDroppedEntity& polyline) {
    return "The boundary cannot be read: " + dxfDroppedEntityText(polyline);
}

bool roleReadsEntity(LayerRole role, DxfEntityKind kind) {
    switch (role) {
        case LayerRole::Ignore:
            return false;
        case LayerRole::Boundary:
        case LayerRole::Path:
            return kind == DxfEntityKind::Polyline;
        case LayerRole::Point:
            return kind == DxfEntityKind::Circle;
        case LayerRole::AxialLine:
            return kind != DxfEntityKind::Circle;
        case LayerRole::Wall:
        case LayerRole::ReferenceLine:
            return true;
    }
    return false;
}

void appendWallPolygons(const DxfDrawing& drawing, std::string_view layer, PolygonList& target) {
    for (DxfPolyline& polyline : drawing.readPolylines(layer)) {
        std::vector<PlanPoint>& vertices = polyline.vertices;
        if (polyline.closedFlag != 0) {
            target.append(PlanPolygon(std::move(vertices)));
        } else if (lastRepeatsFirst(vertices)) {
            vertices.pop_back();
            target.append(PlanPolygon(std::move(vertices)));
        } else {
            for (size_t i = 0; i + 1 < vertices.size(); ++i) {
                target.append(twoPointPolygon(vertices[i], vertices[i + 1]));
            }
            target.append(twoPointPolygon(vertices.back(), vertices.front()));
        }
    }
    for (const PlanSegment& line : drawing.readLines(layer)) {
        target.append(twoPointPolygon(line.start, line.end));
    }
    for (const DxfCircle& circle : drawing.readCircles(layer)) {
        target.append(circleOctagon(circle));
    }
}

void appendPaths(const DxfDrawing& drawing, std::string_view layer, PolygonList& target) {
    for (DxfPolyline& polyline : drawing.readPolylines(layer)) {
        std::vector<PlanPoint>& vertices = polyline.vertices;
        if (lastRepeatsFirst(vertices)) {
            vertices.pop_back();
        }
        target.append(PlanPolygon(std::move(vertices)));
    }
}

void appendCircleCentres(const DxfDrawing& drawing, std::string_view layer,
                         std::vector<PlanPoint>& target) {
    for (const DxfCircle& circle : drawing.readCircles(layer)) {
        target.push_back(circle.centre);
    }
}

void appendAxialSegments(const DxfDrawing& drawing, std::string_view layer,
                         std::vector<PlanSegment>& target) {
    for (const DxfPolyline& polyline : drawing.readPolylines(layer)) {
        for (size_t i = 0; i + 1 < polyline.vertices.size(); ++i) {
            target.push_back({polyline.vertices[i], polyline.vertices[i + 1]});
        }
    }
    for (const PlanSegment& line : drawing.readLines(layer)) {
        target.push_back(line);
    }
}

PlanPolygon circleOctagon(const DxfCircle& circle) {
    std::vector<PlanPoint> points;
    points.reserve(8);
    for (int k = 0; k < 8; ++k) {
        const double angle = k * std::numbers::pi / 4.0;
        points.push_back({circle.centre.x + circle.radius * std::cos(angle),
                          circle.centre.y + circle.radius * std::sin(angle)});
    }
    return PlanPolygon(std::move(points));
}
