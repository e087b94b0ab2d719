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
template <class Sink>
inline void forEachLineCrossing(const DoublePolygon& pg, double px, double py, double dx, double dy,
                                Sink&& sink) {
    forEachEdge(pg, [&](double x0, double y0, double x1, double y1) {
        double x;
        double y;
        if (crossLineSegment(px, py, dx, dy, x0, y0, x1, y1, x, y) == 1) {
            sink(x, y);
        }
    });
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
