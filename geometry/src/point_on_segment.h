// Point-on-segment test shared by the crossing and reduction code.
#pragma once

#include <cmath>
#include <cstdint>

#include "strided.h"

namespace gonion {

// 0 off segment AB, 1 strictly between the end points, 2 at A, 3 at B (within kEpsilon).
inline int32_t pointOnSegment(double px, double py, double ax, double ay, double bx, double by) {
    double d1x = px - ax;
    double d1y = py - ay;
    double d2x = px - bx;
    double d2y = py - by;
    const double sx = bx - ax;
    const double sy = by - ay;
    if (std::fabs(d1x) < kEpsilon && std::fabs(d1y) < kEpsilon) {
        return 2;
    }
    if (std::fabs(d2x) < kEpsilon && std::fabs(d2y) < kEpsilon) {
        return 3;
    }
    if (std::fabs(sx) < kEpsilon && std::fabs(sy) < kEpsilon) {
        return 0;
    }
    if (std::fabs(sx) < kEpsilon) {
        return std::fabs(d1x) < kEpsilon && d1y * d2y < 0.0 ? 1 : 0;
    }
    if (std::fabs(sy) < kEpsilon) {
        return std::fabs(d1y) < kEpsilon && d1x * d2x < 0.0 ? 1 : 0;
    }
    // Short offsets are normalised so that the parallelism test is not fooled by their size.
    const double length1 = std::sqrt(d1x * d1x + d1y * d1y);
    if (length1 < 1.0) {
        d1x /= length1;
        d1y /= length1;
    }
    const double length2 = std::sqrt(d2x * d2x + d2y * d2y);
    if (length2 < 1.0) {
        d2x /= length2;
        d2y /= length2;
    }
    if (std::fabs(d2y * d1x - d2x * d1y) >= kEpsilon) {
        return 0;
    }
    return d1x * d2x + d1y * d2y < 0.0 ? 1 : 0;
}

}  // namespace gonion
