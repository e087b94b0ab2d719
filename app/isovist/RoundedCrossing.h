// The crossing of two lines through plan points, each coordinate rounded to the nearest double
// (ties to even) of its exact value, found in extended precision with a proven error bound:
// the visibility polygon's sight-line ends without exact rational arithmetic where the bound
// settles the rounding.
#pragma once

#include <optional>

#include "document/PlanTypes.h"

// The crossing of the line through q and b with the line through s and t, rounded to nearest
// (zero as +0);
// empty when the extended-precision bound cannot settle a coordinate's rounding (the lines
// nearly parallel, or the exact value too near the midpoint of two doubles): then only exact
// arithmetic can tell.
std::optional<PlanPoint> RoundedLineCrossing(PlanPoint q, PlanPoint b, PlanPoint s, PlanPoint t);
