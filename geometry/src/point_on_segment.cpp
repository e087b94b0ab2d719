// Point-on-segment tests.
#include <cmath>

#include "gonion/gonion.h"
#include "point_on_segment.h"

extern "C" {

GONION_API int32_t zoIsPointOnSeg(double px, double py, double ax, double ay, double bx,
                                  double by) {
    return gonion::pointOnSegment(px, py, ax, ay, bx, by);
}

GONION_API int32_t zoIsPointOnSeg2(double px, double py, double ax, double ay, double bx,
                                   double by) {
    if ((px == ax && py == ay) || (px == bx && py == by)) {
        return 1;
    }
    return gonion::pointOnSegment(px, py, ax, ay, bx, by);
}

// Per-axis tests against |tolerance|: A counts as on the segment, B does not.
GONION_API int32_t zoIsPointOnSegTol(double px, double py, double ax, double ay, double bx,
                                     double by, double tolerance) {
    const double t = std::fabs(tolerance);
    const double dx = px - ax;
    const double dy = py - ay;
    const double sx = bx - ax;
    const double sy = by - ay;
    if (std::fabs(dx) < t && std::fabs(dy) < t) {
        return 1;
    }
    if (std::fabs(dx) < t) {
        if (std::fabs(sx) >= t || std::fabs(dy) >= std::fabs(sy)) {
            return 0;
        }
        return dy * sy > 0.0 ? 1 : 0;
    }
    if (std::fabs(dy) < t) {
        return std::fabs(sy) < t && std::fabs(dx) < std::fabs(sx) && dx * sx > 0.0 ? 1 : 0;
    }
    if (std::fabs(sx / dx - sy / dy) >= t) {
        return 0;
    }
    if (!(dx * sx + dy * sy > 0.0)) {
        return 0;
    }
    if (std::fabs(dx) >= std::fabs(sx)) {
        return 0;
    }
    return std::fabs(dy) < std::fabs(sy) ? 1 : 0;
}

}  // extern "C"
