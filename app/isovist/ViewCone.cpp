#include "isovist/ViewCone.h"

#include <cmath>
#include <vector>

#include "gonion/gonion.h"
#include "isovist/IsovistMeasures.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;

// Where a cone edge leaves the polygon: the index of the edge (w[index], w[index + 1]) it
// crosses and the crossing point.
struct ConeEdgeExit {
    int32_t index = 0;
    PlanPoint point;
};

// The polygon vertex closest in direction to the half-line: stands in for the crossing when
// rounding at a vertex lets the half-line slip between the two edges that meet there.
ConeEdgeExit NearestVertexInDirection(const PlanPolygon& w, const PlanPoint& o, double dx,
                                      double dy) {
    ConeEdgeExit nearest{0, w[0]};
    double bestCosine = -2.0;
    for (int32_t i = 0; i < w.count(); ++i) {
        const double vx = w[i].x - o.x;
        const double vy = w[i].y - o.y;
        const double length = std::sqrt(vx * vx + vy * vy);
        if (length == 0.0) {
            continue;
        }
        const double cosine = (vx * dx + vy * dy) / length;
        if (cosine > bestCosine) {
            bestCosine = cosine;
            nearest = {i, w[i]};
        }
    }
    return nearest;
}

bool CrossesEdge(const PlanPoint& o, double dx, double dy, const PlanPoint& a, const PlanPoint& b,
                 PlanPoint& crossing) {
    return zoGetCrossPointHLS(o.x, o.y, dx, dy, a.x, a.y, b.x, b.y, &crossing.x, &crossing.y) == 1;
}

// The first edge in polygon order (closing edge last) that the half-line from o crosses.
ConeEdgeExit FindConeEdgeExit(const PlanPolygon& w, const PlanPoint& o, double angle) {
    const double dx = std::cos(angle);
    const double dy = std::sin(angle);
    const int32_t n = w.count();
    PlanPoint crossing;
    for (int32_t i = 0; i + 1 < n; ++i) {
        if (CrossesEdge(o, dx, dy, w[i], w[i + 1], crossing)) {
            return {i, crossing};
        }
    }
    if (CrossesEdge(o, dx, dy, w[n - 1], w[0], crossing)) {
        return {n - 1, crossing};
    }
    return NearestVertexInDirection(w, o, dx, dy);
}

std::vector<PlanPoint> ConePolygon(const PlanPolygon& w, const PlanPoint& o, double direction,
                                   double halfAngle) {
    const ConeEdgeExit a = FindConeEdgeExit(w, o, (direction - halfAngle) * kRadiansPerDegree);
    const ConeEdgeExit b = FindConeEdgeExit(w, o, (direction + halfAngle) * kRadiansPerDegree);
    const int32_t n = w.count();
    std::vector<PlanPoint> cone{o, a.point};
    if (b.index >= a.index) {
        for (int32_t i = a.index + 1; i <= b.index; ++i) {
            cone.push_back(w[i]);
        }
    } else {
        // The cone spans the polygon's first vertex.
        for (int32_t i = a.index + 1; i < n; ++i) {
            cone.push_back(w[i]);
        }
        for (int32_t i = 0; i <= b.index; ++i) {
            cone.push_back(w[i]);
        }
    }
    cone.push_back(b.point);
    return cone;
}

}  // namespace

void ApplyViewCone(const IsovistRecord& source, IsovistRecord& target, double direction,
                   double halfAngle, std::span<const PlanSegment> walls) {
    std::vector<PlanPoint> cone;
    if (!source.polygon.empty()) {
        cone = ConePolygon(source.polygon, source.origin, direction, halfAngle);
    }
    target.polygon = PlanPolygon(std::move(cone));
    // The cone is seen from the source's origin; measuring it from any other point would give
    // a meaningless drift and sight-line share.
    target.origin = source.origin;
    ComputeIsovistMeasures(target);
    ComputeOcclusivity(target, walls);
}
