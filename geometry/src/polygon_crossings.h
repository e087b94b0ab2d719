// Crossings of a polygon outline with a line or segment, without heap allocation.
#pragma once

#include <cmath>
#include <cstdint>

#include "crossings.h"
#include "strided.h"

namespace gonion {

// Calls edge(x0, y0, x1, y1) for every edge, vertex i to vertex i+1, the last edge closing
// the outline.
template <class EdgeFn>
inline void forEachEdge(const DoublePolygon& pg, EdgeFn&& edge) {
    double x0 = pg.x(0);
    double y0 = pg.y(0);
    for (int32_t i = 0; i < pg.count; ++i) {
        const int32_t j = pg.next(i);
        const double x1 = pg.x(j);
        const double y1 = pg.y(j);
        edge(x0, y0, x1, y1);
        x0 = x1;
        y0 = y1;
    }
}

// Calls sink(x, y) for each edge that the line through P along d crosses, in edge order.
// An edge whose end points lie clearly on one side of the line has no crossing whatever the
// other tests say, so that test runs first, with each vertex's side value computed once and
// shared by its two edges (the same expression crossLineSegment evaluates).
template <class Sink>
inline void forEachLineCrossing(const DoublePolygon& pg, double px, double py, double dx, double dy,
                                Sink&& sink) {
    auto side = [&](double x, double y) { return (x - px) * dy - (y - py) * dx; };
    auto edge = [&](double x0, double y0, double side0, double x1, double y1, double side1) {
        double x;
        double y;
        if (!(side0 * side1 > kEpsilon) &&
            crossLineSegment(px, py, dx, dy, x0, y0, x1, y1, x, y) == 1) {
            sink(x, y);
        }
    };
    const double firstX = pg.x(0);
    const double firstY = pg.y(0);
    const double firstSide = side(firstX, firstY);
    double x0 = firstX;
    double y0 = firstY;
    double side0 = firstSide;
    for (int32_t j = 1; j < pg.count; ++j) {
        const double x1 = pg.x(j);
        const double y1 = pg.y(j);
        const double side1 = side(x1, y1);
        edge(x0, y0, side0, x1, y1, side1);
        x0 = x1;
        y0 = y1;
        side0 = side1;
    }
    edge(x0, y0, side0, firstX, firstY, firstSide);  // the closing edge
}

// True when (x, y) lies within kEpsilon, per axis, of one of the first n points.
inline bool repeatsAny(const double* xs, const double* ys, int32_t n, double x, double y) {
    for (int32_t i = 0; i < n; ++i) {
        if (std::fabs(xs[i] - x) < kEpsilon && std::fabs(ys[i] - y) < kEpsilon) {
            return true;
        }
    }
    return false;
}

}  // namespace gonion
