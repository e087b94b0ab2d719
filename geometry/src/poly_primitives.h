// Plane-geometry helpers of the polygon boolean operations and the kernel, over zoPoint.
#ifndef GONION_POLY_PRIMITIVES_H
#define GONION_POLY_PRIMITIVES_H

#include <cstdint>
#include <vector>

#include "gonion/gonion.h"
#include "point_on_segment.h"
#include "strided.h"

namespace gonion::poly {

using Ring = std::vector<zoPoint>;

using gonion::kEpsilon;

inline double cross(double ax, double ay, double bx, double by) {
    return ax * by - ay * bx;
}
inline double dot(double ax, double ay, double bx, double by) {
    return ax * bx + ay * by;
}

// 0 not on the segment, 1 strictly inside, 2 at a, 3 at b (equality within kEpsilon per axis).
inline int32_t pointOnSegment(zoPoint p, zoPoint a, zoPoint b) {
    return gonion::pointOnSegment(p.x, p.y, a.x, a.y, b.x, b.y);
}

// Twice the signed area (positive counter-clockwise with y up), closing edge included.
double signedArea2(const Ring& ring);

// The ring reduced by zoReducePG (repeated and collinear vertices dropped); rings of fewer
// than 3 points are returned unchanged.
Ring reduceRing(const Ring& ring);

}  // namespace gonion::poly

#endif
