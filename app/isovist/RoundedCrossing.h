// The crossing of two lines through plan points, each coordinate rounded to the nearest double
// (ties to even) of its exact value, found in extended precision with a proven error bound:
// the visibility polygon's sight-line ends without exact rational arithmetic where the bound
// settles the rounding.
#pragma once

#include <optional>

#include "document/PlanTypes.h"

// A point known to lie within a range of doubles in each coordinate: low == high for a point
// that is a double exactly, the two doubles around it for one rounded from an exact value.
struct PointWithin {
    double lowX = 0.0;
    double highX = 0.0;
    double lowY = 0.0;
    double highY = 0.0;
};

inline PointWithin ExactlyAt(PlanPoint p) {
    return PointWithin{p.x, p.x, p.y, p.y};
}

// The crossing of the line through q and b with the line through s and t, rounded to nearest
// (zero as +0); empty when the extended-precision bound cannot settle a coordinate's rounding
// (the lines nearly parallel, the points' ranges too wide, or the exact value too near the
// midpoint of two doubles): then only exact arithmetic can tell.
std::optional<PlanPoint> RoundedLineCrossingWithin(PointWithin q, PointWithin b, PointWithin s,
                                                   PointWithin t);

// The same for points that are doubles exactly.
std::optional<PlanPoint> RoundedLineCrossing(PlanPoint q, PlanPoint b, PlanPoint s, PlanPoint t);
