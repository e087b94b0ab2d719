// Polygon reduction: drops repeated and collinear vertices.
#include <cmath>
#include <vector>

#include "gonion/gonion.h"
#include "strided.h"

namespace {

using gonion::kReduceTolerance;

bool repeats(double x0, double y0, double x1, double y1) {
    return std::fabs(x1 - x0) < kReduceTolerance && std::fabs(y1 - y0) < kReduceTolerance;
}

// Unnormalised cross product of (b - a) and (c - b): the tolerance is in squared units.
bool collinear(double ax, double ay, double bx, double by, double cx, double cy) {
    return std::fabs((by - ay) * (cx - bx) - (cy - by) * (bx - ax)) < kReduceTolerance;
}

}  // namespace

extern "C" {

// The walk over triples (i-2, i-1, i) removes the middle vertex and re-examines the same
// position, so the next triple keeps vertex i-2 and moves on by one input vertex. That makes
// it a single pass that pops the last kept vertex before pushing the next one.
GONION_API void zoReducePG(int32_t count, uint32_t stride, const double* xs, const double* ys,
                           int32_t* outCount, double* outXs, double* outYs) {
    const gonion::DoublePolygon pg{count, stride, xs, ys};
    if (!pg.valid(3) || outCount == nullptr || outXs == nullptr || outYs == nullptr) {
        return;
    }
    std::vector<double> x;
    std::vector<double> y;
    x.reserve(static_cast<std::size_t>(count));
    y.reserve(static_cast<std::size_t>(count));
    x.push_back(pg.x(0));
    y.push_back(pg.y(0));
    x.push_back(pg.x(1));
    y.push_back(pg.y(1));
    int32_t n = count;
    for (int32_t next = 2; next < count; ++next) {
        const double vx = pg.x(next);
        const double vy = pg.y(next);
        const std::size_t last = x.size() - 1;
        if (n >= 3 && (repeats(x[last], y[last], vx, vy) ||
                       collinear(x[last - 1], y[last - 1], x[last], y[last], vx, vy))) {
            x.pop_back();
            y.pop_back();
            --n;
        }
        x.push_back(vx);
        y.push_back(vy);
    }
    if (n > 2 && collinear(x[n - 1], y[n - 1], x[0], y[0], x[1], y[1])) {
        x.erase(x.begin());
        y.erase(y.begin());
        --n;
    }
    if (n > 2 && collinear(x[n - 2], y[n - 2], x[n - 1], y[n - 1], x[0], y[0])) {
        --n;
    }
    *outCount = n;
    for (int32_t i = 0; i < n; ++i) {
        outXs[i] = x[static_cast<std::size_t>(i)];
        outYs[i] = y[static_cast<std::size_t>(i)];
    }
}

// Polylines are kept as they are.
GONION_API void zoReducePL(int32_t, uint32_t, const double*, const double*, int32_t*, double*,
                           double*) {}

}  // extern "C"
