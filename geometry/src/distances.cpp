// Distances from a point to a line or segment, straight or along a direction.
#include <cmath>

#include "gonion/gonion.h"
#include "strided.h"

namespace {

using gonion::kEpsilon;

double length(double x, double y) { return std::sqrt(x * x + y * y); }
double cross(double ux, double uy, double vx, double vy) { return ux * vy - uy * vx; }

void put(double* out, double value) {
    if (out != nullptr) {
        *out = value;
    }
}

// Distance from Q to the line, with its foot.
double footOnLine(double lx, double ly, double dx, double dy, double qx, double qy, double& fx,
                  double& fy) {
    if (std::fabs(dx) < kEpsilon && std::fabs(dy) < kEpsilon) {
        fx = qx;
        fy = qy;
        return length(lx - qx, ly - qy);
    }
    const double t = ((qx - lx) * dx + (qy - ly) * dy) / (dx * dx + dy * dy);
    fx = lx + t * dx;
    fy = ly + t * dy;
    return length(fx - qx, fy - qy);
}

void writeHit(double distance, double x, double y, double* outDistance, double* hitX,
              double* hitY) {
    put(outDistance, distance);
    put(hitX, x);
    put(hitY, y);
}

// Q lies on the line through the base point along d; w is Q minus the base point.
bool onLine(double dx, double dy, double wx, double wy) {
    return (wx == 0.0 && wy == 0.0) ||
           std::fabs(cross(dx, dy, wx, wy)) < length(wx, wy) * length(dx, dy) * kEpsilon;
}

// A zero vector has no direction to cross anything: it counts as parallel to every vector, so
// a zero direction or a zero-length segment gives no hit (rather than a hit at 0/0).
bool parallel(double dx, double dy, double ex, double ey) {
    if ((dx == 0.0 && dy == 0.0) || (ex == 0.0 && ey == 0.0)) {
        return true;
    }
    return std::fabs(cross(dx, dy, ex, ey)) < length(ex, ey) * length(dx, dy) * kEpsilon;
}

bool sameSign(double a, double b) { return (a > 0.0 && b > 0.0) || (a < 0.0 && b < 0.0); }

}  // namespace

extern "C" {

GONION_API double zoGetDistLP2(double lx, double ly, double dx, double dy, double qx, double qy) {
    if (std::fabs(dx) < kEpsilon) {
        return std::fabs(lx - qx);
    }
    if (std::fabs(dy) < kEpsilon) {
        return std::fabs(ly - qy);
    }
    return std::fabs((lx - qx) * dy - (ly - qy) * dx) / length(dx, dy);
}

GONION_API double zoGetDistLP2CP(double lx, double ly, double dx, double dy, double qx,
                                 double qy, double* footX, double* footY) {
    const double t = cross(dx, dy, qx - lx, qy - ly) / (dx * dx + dy * dy);
    put(footX, qx + t * dy);
    put(footY, qy - t * dx);
    return length(dx, dy) * std::fabs(t);
}

GONION_API double zoGetDistLPA2(double lx, double ly, double dx, double dy, double qx,
                                double qy, double* side) {
    put(side, (qx - lx) * dy - (qy - ly) * dx);
    double fx;
    double fy;
    return footOnLine(lx, ly, dx, dy, qx, qy, fx, fy);
}

GONION_API double zoGetDistLPB2(double lx, double ly, double dx, double dy, double qx,
                                double qy, double* side, double* footX, double* footY) {
    put(side, (qx - lx) * dy - (qy - ly) * dx);
    double fx;
    double fy;
    const double distance = footOnLine(lx, ly, dx, dy, qx, qy, fx, fy);
    put(footX, fx);
    put(footY, fy);
    return distance;
}

GONION_API int32_t zoGetDistLP2Vector(double lx, double ly, double dx, double dy, double qx,
                                      double qy, double ex, double ey, double* distance,
                                      double* hitX, double* hitY) {
    const double wx = qx - lx;
    const double wy = qy - ly;
    if (onLine(dx, dy, wx, wy)) {
        writeHit(0.0, qx, qy, distance, hitX, hitY);
        return 2;
    }
    if (parallel(dx, dy, ex, ey)) {
        return 0;
    }
    const double de = cross(dx, dy, ex, ey);
    const double dw = cross(dx, dy, wx, wy);
    if (sameSign(de, dw)) {
        return -1;
    }
    const double t = -dw / de;
    writeHit(length(ex, ey) * t, qx + t * ex, qy + t * ey, distance, hitX, hitY);
    return 1;
}

GONION_API int32_t zoGetDistLP2Angle(double lx, double ly, double dx, double dy, double qx,
                                     double qy, double angle, double* distance, double* hitX,
                                     double* hitY) {
    return zoGetDistLP2Vector(lx, ly, dx, dy, qx, qy, std::cos(angle), std::sin(angle), distance,
                              hitX, hitY);
}

GONION_API int32_t zoGetDistSP2Vector(double ax, double ay, double bx, double by, double qx,
                                      double qy, double ex, double ey, double* distance,
                                      double* hitX, double* hitY) {
    const double sx = bx - ax;
    const double sy = by - ay;
    const double wx = qx - ax;
    const double wy = qy - ay;
    if (!onLine(sx, sy, wx, wy)) {
        if (parallel(sx, sy, ex, ey)) {
            return 0;
        }
        const double se = cross(sx, sy, ex, ey);
        const double sw = cross(sx, sy, wx, wy);
        if (sameSign(se, sw)) {
            return -1;
        }
        const double t = -sw / se;
        const double hx = qx + t * ex;
        const double hy = qy + t * ey;
        // A hit exactly on an end point counts as on the segment.
        if ((ax - hx) * (bx - hx) + (ay - hy) * (by - hy) > 0.0) {
            return -2;
        }
        writeHit(length(ex, ey) * t, hx, hy, distance, hitX, hitY);
        return 1;
    }
    if ((qx == ax && qy == ay) || (ax - qx) * (bx - qx) + (ay - qy) * (by - qy) <= 0.0) {
        writeHit(0.0, qx, qy, distance, hitX, hitY);
        return 2;
    }
    // A zero e runs towards nothing.
    if (!parallel(sx, sy, ex, ey) || ex * (ax - qx) + ey * (ay - qy) <= 0.0) {
        return -3;
    }
    const double toA = (ax - qx) * (ax - qx) + (ay - qy) * (ay - qy);
    const double toB = (bx - qx) * (bx - qx) + (by - qy) * (by - qy);
    if (toA < toB) {
        writeHit(std::sqrt(toA), ax, ay, distance, hitX, hitY);
    } else {
        writeHit(std::sqrt(toB), bx, by, distance, hitX, hitY);
    }
    return 3;
}

GONION_API int32_t zoGetDistSP2Angle(double ax, double ay, double bx, double by, double qx,
                                     double qy, double angle, double* distance, double* hitX,
                                     double* hitY) {
    return zoGetDistSP2Vector(ax, ay, bx, by, qx, qy, std::cos(angle), std::sin(angle), distance,
                              hitX, hitY);
}

}  // extern "C"
