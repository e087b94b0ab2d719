// Whether a boundary polygon crosses itself (a bow-tie), and where.
//
// Two edges cross when they are not neighbours and the geometry library's segment crossing finds
// a point of both that is no end point of either (within the plan tolerance). Edges that only
// touch — at a shared vertex, a vertex lying on another edge, or overlapping on one line (which
// the segment crossing leaves aside as collinear) — do not count: such
// an outline still bounds its region, and plans drawn with a pinched or doubled outline are
// common. The reported crossing is the one of the lowest pair of edge indices (first edge, then
// second), so both searches below give the very same point.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "document/PlanTypes.h"

struct EdgeCrossing {
    int32_t first = 0;   // edge i runs from vertex i to vertex i + 1 (the last back to 0)
    int32_t second = 0;  // first < second
    PlanPoint at;
};

// The search used by the import: edges swept in order of their least x, each compared only with
// the edges whose x and y ranges meet its own, so a boundary of thousands of vertices is checked
// in about n log n steps unless very many edges overlap in both ranges.
std::optional<EdgeCrossing> FindBoundaryCrossing(const PlanPolygon& boundary);

// The reference: every pair of edges in index order.
std::optional<EdgeCrossing> FindBoundaryCrossingByAllPairs(const PlanPolygon& boundary);

// "The boundary crosses itself near (x, y)", each coordinate as printf's "%.3f".
std::string BoundaryCrossingMessage(const PlanPoint& at);
