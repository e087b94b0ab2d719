// What the option "Read arcs, old-style polylines and blocks" reads of a drawing, as plain
// shapes in drawing coordinates: the readers' polylines, lines, circles and arc chains of one
// layer, and the placement of a block.
#pragma once

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "document/DxfDrawing.h"
#include "document/DxfDroppedEntity.h"
#include "document/PlanTypes.h"

// An affine map of the plane: x' = a·x + b·y + e, y' = c·x + d·y + f.
struct DxfPlacement {
    double a = 1.0, b = 0.0, c = 0.0, d = 1.0, e = 0.0, f = 0.0;

    PlanPoint apply(const PlanPoint& p) const {
        return {a * p.x + b * p.y + e, c * p.x + d * p.y + f};
    }
    bool isIdentity() const {
        return a == 1.0 && b == 0.0 && c == 0.0 && d == 1.0 && e == 0.0 && f == 0.0;
    }
    // This map after `inner`: p ↦ this(inner(p)).
    DxfPlacement after(const DxfPlacement& inner) const {
        return {a * inner.a + b * inner.c,     a * inner.b + b * inner.d,
                c * inner.a + d * inner.c,     c * inner.b + d * inner.d,
                a * inner.e + b * inner.f + e, c * inner.e + d * inner.f + f};
    }
    static DxfPlacement mirrorX() { return {-1.0, 0.0, 0.0, 1.0, 0.0, 0.0}; }
};

// One shape as the readers take it; `kind` names the entity it came from.
struct DxfShape {
    DxfEntityKind kind = DxfEntityKind::Line;
    std::string layer;              // as written (trailing white space removed)
    std::vector<PlanPoint> points;  // polyline vertices, line ends, arc chain, circle centre
    int32_t closedFlag = 0;         // polylines: nonzero when closed
    double radius = 0.0;            // circles
    size_t line = 0;                // where the entity starts, for reports
    std::string handle;
};

// The shapes of one layer, in the groups the readers take them in, each in file order with
// placed blocks at the place of their INSERT.
struct DxfLayerShapes {
    std::vector<DxfPolyline> polylines;  // LWPOLYLINE (bulges as arcs) and POLYLINE
    std::vector<PlanSegment> lines;
    std::vector<DxfCircle> circles;
    std::vector<std::vector<PlanPoint>> arcs;  // each an open chain of at least 2 points
    // A polyline of the layer refused for a coordinate out of range before any polyline was
    // read: it refuses the boundary, as the boundary reader does.
    std::optional<DxfDroppedEntity> polylineRefusedFirst;
};

// Whether every coordinate is finite and within kMaxDxfCoordinate.
inline bool DxfPointsInRange(const std::vector<PlanPoint>& points) {
    for (const PlanPoint& p : points) {
        if (!(std::fabs(p.x) <= kMaxDxfCoordinate) || !(std::fabs(p.y) <= kMaxDxfCoordinate)) {
            return false;
        }
    }
    return true;
}
