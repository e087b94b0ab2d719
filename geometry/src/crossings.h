// Line, half-line and segment crossings, inline for the hit test and polygon crossings.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "strided.h"

namespace gonion {

inline bool nearZero(double v) {
    return std::fabs(v) < kEpsilon;
}

// Line through P along d against segment AB. 1 with the crossing in (x, y); 0 none.
inline int32_t crossLineSegment(double px, double py, double dx, double dy, double ax, double ay,
                                double bx, double by, double& x, double& y) {
    const double sx = bx - ax;
    const double sy = by - ay;
    if (nearZero(dx * sy - dy * sx)) {
        return 0;
    }
    if (nearZero(dx) && nearZero(dy)) {
        return 0;
    }
    if (nearZero(sx) && nearZero(sy)) {
        return 0;
    }
    const double sideA = (ax - px) * dy - (ay - py) * dx;
    const double sideB = (bx - px) * dy - (by - py) * dx;
    // The product is compared with the tolerance, not with zero.
    if (sideA * sideB > kEpsilon) {
        return 0;
    }
    if (nearZero(sideA) && nearZero(sideB)) {
        return 0;
    }
    if (nearZero(sideA)) {
        x = ax;
        y = ay;
        return 1;
    }
    if (nearZero(sideB)) {
        x = bx;
        y = by;
        return 1;
    }
    // Axis-parallel cases assign the shared coordinate exactly.
    if (nearZero(dx)) {
        x = px;
        y = (px - ax) * sy / sx + ay;
    } else if (nearZero(sx)) {
        x = ax;
        y = (ax - px) * dy / dx + py;
    } else if (nearZero(dy)) {
        y = py;
        x = (py - ay) * sx / sy + ax;
    } else if (nearZero(sy)) {
        y = ay;
        x = (ay - py) * dx / dy + px;
    } else {
        x = ((px * dy + (ay - py) * dx) * sx - sy * dx * ax) / (sx * dy - sy * dx);
        y = (x - px) * dy / dx + py;
    }
    return 1;
}

// (x, y) lies ahead of P along d, or on P.
inline bool aheadOf(double px, double py, double dx, double dy, double x, double y) {
    return (x - px) * dx + (y - py) * dy >= 0.0;
}

// Inclusive range test without tolerance.
inline bool inRange(double v, double e0, double e1) {
    return std::min(e0, e1) <= v && v <= std::max(e0, e1);
}

// v within both ranges [min(a0,a1), max(a0,a1)] and [min(u0,u1), max(u0,u1)].
inline bool inBothRanges(double v, double a0, double a1, double u0, double u1) {
    return std::max(std::min(a0, a1), std::min(u0, u1)) <= v &&
           v <= std::min(std::max(a0, a1), std::max(u0, u1));
}

// Segments AB and UV. 1 crossing in (x, y); 2 on one line (nothing written); 0 none.
inline int32_t crossSegmentSegment(double ax, double ay, double bx, double by, double ux, double uy,
                                   double vx, double vy, double& outX, double& outY) {
    const double s1x = bx - ax;
    const double s1y = by - ay;
    const double s2x = vx - ux;
    const double s2y = vy - uy;
    auto atMostEps = [](double v) { return std::fabs(v) <= kEpsilon; };
    if ((atMostEps(s1x) && atMostEps(s1y)) || (atMostEps(s2x) && atMostEps(s2y))) {
        return 0;
    }
    const double k = s2y * s1x - s2x * s1y;
    if (atMostEps(k)) {
        return atMostEps((ux - ax) * s1y - (uy - ay) * s1x) ? 2 : 0;
    }
    double x;
    double y;
    if (atMostEps(s1x)) {
        x = ax;
        if (!inRange(x, ux, vx)) {
            return 0;
        }
        y = (x - ux) * s2y / s2x + uy;
        if (!inBothRanges(y, ay, by, uy, vy)) {
            return 0;
        }
    } else if (atMostEps(s2x)) {
        x = ux;
        if (!inRange(x, ax, bx)) {
            return 0;
        }
        y = (x - ax) * s1y / s1x + ay;
        if (!inBothRanges(y, ay, by, uy, vy)) {
            return 0;
        }
    } else if (std::fabs(s1y) > kEpsilon && std::fabs(s2y) > kEpsilon) {
        y = (((ux - ax) * s1y + s1x * ay) * s2y - s2x * s1y * uy) / k;
        x = (y - ay) * s1x / s1y + ax;
        if (!inBothRanges(y, ay, by, uy, vy)) {
            return 0;
        }
    } else if (std::fabs(s1y) > kEpsilon) {
        y = uy;
        if (!inRange(y, ay, by)) {
            return 0;
        }
        x = (y - ay) * s1x / s1y + ax;
        if (!inBothRanges(x, ax, bx, ux, vx)) {
            return 0;
        }
    } else {
        y = ay;
        if (!inRange(y, uy, vy)) {
            return 0;
        }
        x = (y - uy) * s2x / s2y + ux;
        if (!inBothRanges(x, ax, bx, ux, vx)) {
            return 0;
        }
    }
    outX = x;
    outY = y;
    return 1;
}

}  // namespace gonion
