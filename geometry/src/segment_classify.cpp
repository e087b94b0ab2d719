// Classifying crossing of two segments: how they meet, overlap or miss each other.
#include <cmath>

#include "gonion/gonion.h"
#include "strided.h"

namespace {

using gonion::kEpsilon;

struct Point {
    double x;
    double y;
};

bool same(Point p, Point q) {
    return std::fabs(p.x - q.x) < kEpsilon && std::fabs(p.y - q.y) < kEpsilon;
}

double dotFrom(Point x, Point a, Point b) {
    return (a.x - x.x) * (b.x - x.x) + (a.y - x.y) * (b.y - x.y);
}

void write(Point p, double* x, double* y) {
    if (x != nullptr) {
        *x = p.x;
    }
    if (y != nullptr) {
        *y = p.y;
    }
}

// Collinear segments compared by their positions on one axis.
class CommonLine {
  public:
    CommonLine(Point a, Point b) : a_(a), onX_(std::fabs(b.x - a.x) >= std::fabs(b.y - a.y)) {
        const double span = onX_ ? b.x - a.x : b.y - a.y;
        direction_ = span < 0.0 ? -1.0 : 1.0;
    }

    double position(Point p) const { return onX_ ? p.x : p.y; }

    // Strictly between the positions of e0 and e1.
    bool inside(Point p, Point e0, Point e1) const {
        const double v = position(p);
        const double lo = std::fmin(position(e0), position(e1));
        const double hi = std::fmax(position(e0), position(e1));
        return lo < v && v < hi;
    }

    // Writes p and q in their order from A towards B.
    void writeInOrder(Point p, Point q, double* x1, double* y1, double* x2, double* y2) const {
        const double kp = (position(p) - position(a_)) * direction_;
        const double kq = (position(q) - position(a_)) * direction_;
        if (kq < kp) {
            write(q, x1, y1);
            write(p, x2, y2);
        } else {
            write(p, x1, y1);
            write(q, x2, y2);
        }
    }

  private:
    Point a_;
    bool onX_;
    double direction_ = 1.0;
};

int32_t classifyCollinear(Point a, Point b, Point u, Point v, double* x1, double* y1, double* x2,
                          double* y2) {
    const CommonLine line(a, b);
    if ((same(a, u) && same(b, v)) || (same(a, v) && same(b, u))) {
        write(a, x1, y1);
        write(b, x2, y2);
        return 7;
    }
    // At most one shared end point from here on.
    const Point* shared = nullptr;
    Point otherOfAB{};
    Point otherOfUV{};
    if (same(a, u) || same(a, v)) {
        shared = &a;
        otherOfAB = b;
        otherOfUV = same(a, u) ? v : u;
    } else if (same(b, u) || same(b, v)) {
        shared = &b;
        otherOfAB = a;
        otherOfUV = same(b, u) ? v : u;
    }
    if (shared != nullptr) {
        const double s = line.position(*shared);
        const double toAB = line.position(otherOfAB) - s;
        const double toUV = line.position(otherOfUV) - s;
        if (toAB * toUV < 0.0) {
            write(*shared, x1, y1);
            return 6;
        }
        const Point nearer = std::fabs(toAB) <= std::fabs(toUV) ? otherOfAB : otherOfUV;
        line.writeInOrder(*shared, nearer, x1, y1, x2, y2);
        return 10;
    }
    const bool uInside = line.inside(u, a, b);
    const bool vInside = line.inside(v, a, b);
    const bool aInside = line.inside(a, u, v);
    const bool bInside = line.inside(b, u, v);
    if (!uInside && !vInside && !aInside && !bInside) {
        return 1;
    }
    if (uInside && vInside && !aInside && !bInside) {
        line.writeInOrder(u, v, x1, y1, x2, y2);
        return 9;
    }
    if (aInside && bInside && !uInside && !vInside) {
        line.writeInOrder(a, b, x1, y1, x2, y2);
        return 9;
    }
    if (uInside != vInside && aInside != bInside) {
        line.writeInOrder(uInside ? u : v, aInside ? a : b, x1, y1, x2, y2);
        return 8;
    }
    return -2;
}

}  // namespace

extern "C" {

GONION_API int32_t zoGetCrossPointSS2(double ax, double ay, double bx, double by, double ux,
                                      double uy, double vx, double vy, double* x1, double* y1,
                                      double* x2, double* y2) {
    const Point a{ax, ay};
    const Point b{bx, by};
    const Point u{ux, uy};
    const Point v{vx, vy};
    const double s1x = bx - ax;
    const double s1y = by - ay;
    const double s2x = vx - ux;
    const double s2y = vy - uy;
    if ((std::fabs(s1x) < kEpsilon && std::fabs(s1y) < kEpsilon) ||
        (std::fabs(s2x) < kEpsilon && std::fabs(s2y) < kEpsilon)) {
        return -1;
    }
    if (std::fabs(s1x * s2y - s1y * s2x) < kEpsilon) {
        if (std::fabs((ux - ax) * s1y - (uy - ay) * s1x) >= kEpsilon) {
            return 0;
        }
        return classifyCollinear(a, b, u, v, x1, y1, x2, y2);
    }
    Point x{};
    if (zoGetCrossPointLL(ax, ay, s1x, s1y, ux, uy, s2x, s2y, &x.x, &x.y) == 0) {
        return 0;  // parallel at the line routine's inclusive tolerance
    }
    if (dotFrom(x, a, b) > 0.0 || dotFrom(x, u, v) > 0.0) {
        return 2;
    }
    write(x, x1, y1);
    const bool endOfAB = same(x, a) || same(x, b);
    const bool endOfUV = same(x, u) || same(x, v);
    if (endOfAB && endOfUV) {
        return 4;
    }
    return endOfAB || endOfUV ? 5 : 3;
}

}  // extern "C"
