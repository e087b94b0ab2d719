// Crossings of circles with lines, segments and other circles.
#include <algorithm>
#include <cmath>

#include "gonion/gonion.h"
#include "strided.h"

namespace {

using gonion::kEpsilon;

double square(double v) { return v * v; }

int32_t circleLine(double mx, double my, double r, double px, double py, double dx, double dy,
                   int32_t* outCount, double* outXs, double* outYs) {
    const double wx = px - mx;
    const double wy = py - my;
    const double t = -(wx * dx + wy * dy) / (dx * dx + dy * dy);
    const double fx = px + t * dx;
    const double fy = py + t * dy;
    const double h2 = square(fx - mx) + square(fy - my);
    const double r2 = r * r;
    if (std::fabs(h2 - r2) < kEpsilon) {
        *outCount = 1;
        outXs[0] = fx;
        outYs[0] = fy;
        return 2;
    }
    if (!(h2 <= r2 - kEpsilon)) {
        *outCount = 0;
        return 0;
    }
    *outCount = 2;
    // Rounding must not turn a clear crossing into a square root of a negative number.
    if (dx == 0.0) {
        const double half = std::sqrt(std::max(0.0, r2 - wx * wx));
        outXs[0] = outXs[1] = px;
        outYs[0] = my - half;
        outYs[1] = my + half;
    } else if (dy == 0.0) {
        const double half = std::sqrt(std::max(0.0, r2 - wy * wy));
        outYs[0] = outYs[1] = py;
        outXs[0] = mx - half;
        outXs[1] = mx + half;
    } else {
        const double m = dy / dx;
        const double q = py - m * px - my;
        const double a = 1.0 + m * m;
        const double b = 2.0 * (m * q - mx);
        const double disc = std::max(0.0, b * b - 4.0 * a * (q * q + mx * mx - r2));
        outXs[0] = (-b - std::sqrt(disc)) / (2.0 * a);
        outXs[1] = (-b + std::sqrt(disc)) / (2.0 * a);
        outYs[0] = m * outXs[0] + q + my;
        outYs[1] = m * outXs[1] + q + my;
    }
    return 1;
}

bool outputsGiven(const int32_t* outCount, const double* outXs, const double* outYs) {
    return outCount != nullptr && outXs != nullptr && outYs != nullptr;
}

// The point where two tangent circles touch. External tangency divides the centre line in the
// ratio r1 : r2; internal tangency lies on the larger circle, on the ray through the smaller
// circle's centre.
void tangentPoint(double m1x, double m1y, double r1, double m2x, double m2y, double r2,
                  double distance, double& x, double& y) {
    const bool external = std::fabs(distance - (r1 + r2)) <= kEpsilon;
    if (external || distance == 0.0) {
        const double sum = r1 + r2;
        x = sum == 0.0 ? m1x : (r1 * m2x + r2 * m1x) / sum;
        y = sum == 0.0 ? m1y : (r1 * m2y + r2 * m1y) / sum;
        return;
    }
    const bool firstLarger = r1 >= r2;
    const double bx = firstLarger ? m1x : m2x;
    const double by = firstLarger ? m1y : m2y;
    const double sx = firstLarger ? m2x : m1x;
    const double sy = firstLarger ? m2y : m1y;
    const double big = firstLarger ? r1 : r2;
    x = bx + big * (sx - bx) / distance;
    y = by + big * (sy - by) / distance;
}

bool inBox(double x, double y, double ax, double ay, double bx, double by) {
    return std::min(ax, bx) - kEpsilon <= x && x <= std::max(ax, bx) + kEpsilon &&
           std::min(ay, by) - kEpsilon <= y && y <= std::max(ay, by) + kEpsilon;
}

}  // namespace

extern "C" {

GONION_API int32_t zoGetCrossPointCL(double mx, double my, double r, double px, double py,
                                     double dx, double dy, int32_t* outCount, double* outXs,
                                     double* outYs) {
    if (r < 0.0 || (std::fabs(dx) <= kEpsilon && std::fabs(dy) <= kEpsilon) ||
        !outputsGiven(outCount, outXs, outYs)) {
        return 0;
    }
    return circleLine(mx, my, r, px, py, dx, dy, outCount, outXs, outYs);
}

GONION_API int32_t zoGetCrossPointCC(double m1x, double m1y, double r1, double m2x, double m2y,
                                     double r2, int32_t* outCount, double* outXs,
                                     double* outYs) {
    if (r1 < 0.0 || r2 < 0.0 || !outputsGiven(outCount, outXs, outYs)) {
        return 0;
    }
    const bool sameCentre = std::fabs(m1x - m2x) < kEpsilon && std::fabs(m1y - m2y) < kEpsilon;
    if (sameCentre && std::fabs(r1 - r2) < kEpsilon) {
        return 0;
    }
    const double distance = std::sqrt(square(m1x - m2x) + square(m1y - m2y));
    const double inner = std::fabs(r1 - r2);
    if (!(inner - kEpsilon <= distance && r1 + r2 + kEpsilon >= distance)) {
        *outCount = 0;
        return 0;
    }
    if (std::fabs(distance - inner) > kEpsilon && std::fabs(distance - (r1 + r2)) > kEpsilon) {
        // Crossings of circle 1 with the radical line a x + b y + g = 0.
        const double a = 2.0 * (m2x - m1x);
        const double b = 2.0 * (m2y - m1y);
        const double g = m1x * m1x - m2x * m2x + m1y * m1y - m2y * m2y - r1 * r1 + r2 * r2;
        if (std::fabs(m1x - m2x) >= kEpsilon) {
            return zoGetCrossPointCL(m1x, m1y, r1, -g / a, 0.0, -b, a, outCount, outXs, outYs);
        }
        return zoGetCrossPointCL(m1x, m1y, r1, 0.0, -g / b, 1.0, 0.0, outCount, outXs, outYs);
    }
    *outCount = 1;
    tangentPoint(m1x, m1y, r1, m2x, m2y, r2, distance, outXs[0], outYs[0]);
    return 2;
}

GONION_API int32_t zoGetCrossPointCS(double mx, double my, double r, double ax, double ay,
                                     double bx, double by, int32_t* outCount, double* outXs,
                                     double* outYs) {
    if (!outputsGiven(outCount, outXs, outYs)) {
        return 0;
    }
    int32_t found = 0;
    double xs[2];
    double ys[2];
    const int32_t result = zoGetCrossPointCL(mx, my, r, ax, ay, bx - ax, by - ay, &found, xs, ys);
    if (result == 1) {
        int32_t kept = 0;
        for (int32_t i = 0; i < 2; ++i) {
            if (inBox(xs[i], ys[i], ax, ay, bx, by)) {
                outXs[kept] = xs[i];
                outYs[kept] = ys[i];
                ++kept;
            }
        }
        *outCount = kept;
        return kept > 0 ? 1 : 0;
    }
    if (result == 2) {
        if (!inBox(xs[0], ys[0], ax, ay, bx, by)) {
            return 0;
        }
        *outCount = 1;
        outXs[0] = xs[0];
        outYs[0] = ys[0];
        return 2;
    }
    *outCount = 0;
    return 0;
}

}  // extern "C"
