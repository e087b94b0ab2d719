// Restriction of an isovist to a view cone.
#pragma once

#include <span>

#include "document/PlanTypes.h"
#include "document/IsovistRecord.h"

// Replaces target's polygon by the part of source's polygon that lies within halfAngle degrees
// either side of direction (degrees), as seen from source's origin, then recomputes target's
// measures and occlusivity against walls. The cone polygon starts at the origin, which target
// takes over from source. Source and target may be the same record. A source without points gives
// an empty target polygon.
void ApplyViewCone(const IsovistRecord& source, IsovistRecord& target, double direction,
                   double halfAngle, std::span<const PlanSegment> walls);
