// The crossing of two lines through plan points, each coordinate rounded to the nearest double
// (ties to even) of its exact value, found in extended precision with a proven error bound:
// the visibility polygon's sight-line ends without exact rational arithmetic where the bound
// settles the rounding.
#pragma once

#include <optional>

#include "document/PlanTypes.h"

// A point known to lie within a range of doubles in each coordinate: low == high for a point
// that is a double exactly, the two doubles around it for one rounded from an exact value.
// A point rounded from an exact value may also be known more closely in extended precision:
// its exact coordinate within `radius` of `centre` (no such knowledge while radius < 0).
struct PointWithin {
    double lowX = 0.0;
    double highX = 0.0;
    double lowY = 0.0;
    double highY = 0.0;
    long double centreX = 0.0L;
    long double centreY = 0.0L;
    long double radiusX = -1.0L;
    long double radiusY = -1.0L;
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

// The sign of the turn q -> a -> b (1 counter-clockwise, -1 clockwise, 0 collinear) when the
// points' ranges settle it; empty when only exact arithmetic can tell.
std::optional<int> OrientationWithin(PointWithin q, PointWithin a, PointWithin b);

// An extended-precision bound on an exact coordinate from its nearest double and the
// difference to it, the difference given as a double truncated toward zero (so off by less than
// one part in 2^52): sets centre and radius.
void NarrowWithin(double nearest, double truncatedDifference, long double& centre,
                  long double& radius);

// The same for points that are doubles exactly.
std::optional<PlanPoint> RoundedLineCrossing(PlanPoint q, PlanPoint b, PlanPoint s, PlanPoint t);
