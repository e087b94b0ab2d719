#include "poly_primitives.h"

#include <cmath>
#include <cstddef>

namespace gonion::poly {

namespace {

// Crossing of the full line through p along d with the segment a-b.
int32_t lineSegmentCrossing(zoPoint p, double dx, double dy, zoPoint a, zoPoint b, zoPoint* hit) {
    const double sx = b.x - a.x, sy = b.y - a.y;
    if (std::fabs(cross(dx, dy, sx, sy)) < kEpsilon)
        return 0;
    if (std::fabs(dx) < kEpsilon && std::fabs(dy) < kEpsilon)
        return 0;
    if (std::fabs(sx) < kEpsilon && std::fabs(sy) < kEpsilon)
        return 0;
    const double sideA = (a.x - p.x) * dy - (a.y - p.y) * dx;
    const double sideB = (b.x - p.x) * dy - (b.y - p.y) * dx;
    if (sideA * sideB > kEpsilon)
        return 0;
    if (std::fabs(sideA) < kEpsilon && std::fabs(sideB) < kEpsilon)
        return 0;
    if (std::fabs(sideA) < kEpsilon) {
        *hit = a;
        return 1;
    }
    if (std::fabs(sideB) < kEpsilon) {
        *hit = b;
        return 1;
    }
    double x, y;
    if (std::fabs(dx) < kEpsilon) {
        x = p.x;
        y = (p.x - a.x) * sy / sx + a.y;
    } else if (std::fabs(sx) < kEpsilon) {
        x = a.x;
        y = (a.x - p.x) * dy / dx + p.y;
    } else if (std::fabs(dy) < kEpsilon) {
        y = p.y;
        x = (p.y - a.y) * sx / sy + a.x;
    } else if (std::fabs(sy) < kEpsilon) {
        y = a.y;
        x = (a.y - p.y) * dx / dy + p.x;
    } else {
        x = ((p.x * dy + (a.y - p.y) * dx) * sx - sy * dx * a.x) / (sx * dy - sy * dx);
        y = (x - p.x) * dy / dx + p.y;
    }
    *hit = zoPoint{x, y};
    return 1;
}

}  // namespace

int32_t halfLineSegmentCrossing(zoPoint p, double dx, double dy, zoPoint a, zoPoint b,
                                zoPoint* hit) {
    if (lineSegmentCrossing(p, dx, dy, a, b, hit) == 0)
        return 0;
    return dot(hit->x - p.x, hit->y - p.y, dx, dy) >= 0 ? 1 : 0;
}

double signedArea2(const Ring& ring) {
    double sum = 0;
    const std::size_t n = ring.size();
    for (std::size_t i = 0; i < n; ++i) {
        const zoPoint& p = ring[i];
        const zoPoint& q = ring[(i + 1) % n];
        sum += cross(p.x, p.y, q.x, q.y);
    }
    return sum;
}

Ring reduceRing(const Ring& ring) {
    if (ring.size() < 3)
        return ring;
    Ring reduced(ring.size());
    std::vector<double> xs(ring.size()), ys(ring.size());
    int32_t count = 0;
    zoReducePG(static_cast<int32_t>(ring.size()), sizeof(zoPoint), &ring[0].x, &ring[0].y, &count,
               xs.data(), ys.data());
    reduced.resize(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < reduced.size(); ++i)
        reduced[i] = zoPoint{xs[i], ys[i]};
    return reduced;
}

}  // namespace gonion::poly
