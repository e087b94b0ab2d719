// Crossing points of lines, half-lines and segments.
#include <cmath>

#include "crossings.h"
#include "gonion/gonion.h"

namespace {

bool atMostEps(double v) {
    return std::fabs(v) <= gonion::kEpsilon;
}

// The point is handed out only where the caller gave an address.
void writePoint(double x, double y, double* outX, double* outY) {
    if (outX != nullptr) {
        *outX = x;
    }
    if (outY != nullptr) {
        *outY = y;
    }
}

// Runs a crossing routine into local storage and hands the point out on result 1 only.
template <class Routine>
int32_t writeOnCrossing(double* outX, double* outY, Routine routine) {
    double x = 0.0;
    double y = 0.0;
    const int32_t result = routine(x, y);
    if (result == 1) {
        writePoint(x, y, outX, outY);
    }
    return result;
}

}  // namespace

extern "C" {

GONION_API int32_t zoGetCrossPointLL(double p1x, double p1y, double d1x, double d1y, double p2x,
                                     double p2y, double d2x, double d2y, double* outX,
                                     double* outY) {
    const double k = d1x * d2y - d1y * d2x;
    if (atMostEps(k) || (atMostEps(d1x) && atMostEps(d1y)) || (atMostEps(d2x) && atMostEps(d2y))) {
        return 0;
    }
    double x;
    double y;
    if (atMostEps(d1x)) {
        x = p1x;
        y = (p1x - p2x) * d2y / d2x + p2y;
    } else if (atMostEps(d2x)) {
        x = p2x;
        y = (p2x - p1x) * d1y / d1x + p1y;
    } else if (atMostEps(d1y)) {
        x = (p1y - p2y) * d2x / d2y + p2x;
        y = p1y;
    } else if (!atMostEps(d2y)) {
        // From P1 + t d1 = P2 + s d2: y k = d1y d2y (P2x - P1x) + P1y d1x d2y - P2y d1y d2x.
        y = (d1y * p2x * d2y - p1x * d1y * d2y + p1y * d1x * d2y - d1y * p2y * d2x) / k;
        x = (y - p1y) * d1x / d1y + p1x;
    } else {
        x = (p2y - p1y) * d1x / d1y + p1x;
        y = p2y;
    }
    writePoint(x, y, outX, outY);
    return 1;
}

GONION_API int32_t zoGetCrossPointLS(double px, double py, double dx, double dy, double ax,
                                     double ay, double bx, double by, double* outX, double* outY) {
    return writeOnCrossing(outX, outY, [&](double& x, double& y) {
        return gonion::crossLineSegment(px, py, dx, dy, ax, ay, bx, by, x, y);
    });
}

GONION_API int32_t zoGetCrossPointHLS(double px, double py, double dx, double dy, double ax,
                                      double ay, double bx, double by, double* outX, double* outY) {
    double x = 0.0;
    double y = 0.0;
    if (gonion::crossLineSegment(px, py, dx, dy, ax, ay, bx, by, x, y) == 0) {
        return 0;
    }
    // Written even when it lies behind the start; callers use it only on result 1.
    writePoint(x, y, outX, outY);
    return gonion::aheadOf(px, py, dx, dy, x, y) ? 1 : 0;
}

GONION_API int32_t zoGetCrossPointSS(double ax, double ay, double bx, double by, double ux,
                                     double uy, double vx, double vy, double* outX, double* outY) {
    return writeOnCrossing(outX, outY, [&](double& x, double& y) {
        return gonion::crossSegmentSegment(ax, ay, bx, by, ux, uy, vx, vy, x, y);
    });
}

}  // extern "C"
