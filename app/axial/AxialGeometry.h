// The small geometric rules that axial lines are made and compared with: the coincidence
// tolerance of points, equality of lines in either direction, line length, the wedge of a
// corner and whether a wall blocks a candidate line.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>

#include "document/PlanTypes.h"

// Two points coincide when both coordinate differences are below this in absolute value.
inline constexpr double kAxialTolerance = 2.220446049250313e-8;

inline bool PointsCoincide(const PlanPoint& a, const PlanPoint& b) {
    return std::fabs(a.x - b.x) < kAxialTolerance && std::fabs(a.y - b.y) < kAxialTolerance;
}

// The same end points pairwise, in the same or in the reversed order.
inline bool LinesEqual(const PlanSegment& a, const PlanSegment& b) {
    return (PointsCoincide(a.start, b.start) && PointsCoincide(a.end, b.end)) ||
           (PointsCoincide(a.start, b.end) && PointsCoincide(a.end, b.start));
}

inline double LineLength(const PlanSegment& s) {
    const double dx = s.end.x - s.start.x;
    const double dy = s.end.y - s.start.y;
    return std::sqrt(dx * dx + dy * dy);
}

// One corner of a plan polygon: the vertex and its two edges (a arrives, b leaves).
struct AxialCorner {
    PlanPoint cur;
    double ax = 0.0, ay = 0.0;  // cur - prev
    double bx = 0.0, by = 0.0;  // next - cur
    double turn = 0.0;          // cross(a, b); below 0 at a right turn
};

AxialCorner MakeCorner(const PlanPoint& prev, const PlanPoint& cur, const PlanPoint& next);

// q lies in the corner's wedge: left of both edges, or at a right turn left of either edge.
// The corner's own vertex is never a target.
bool IsCornerTarget(const AxialCorner& corner, const PlanPoint& q);

// What one wall does to the candidate line from `from` to `to`: true when the geometry
// library finds the two on one line (however far apart), or crossing in one point that
// coincides with neither end of the candidate.
bool WallBlocks(const PlanPoint& from, const PlanPoint& to, const PlanSegment& wall);

// The straightforward test: any of the walls blocks the candidate.
bool AnyWallBlocks(const PlanPoint& from, const PlanPoint& to, std::span<const PlanSegment> walls);
