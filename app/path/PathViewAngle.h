// The forward view along a path: each observation point's isovist narrowed to a cone around
// the walking direction at that point.
#pragma once

#include <span>
#include <vector>

#include "document/IsovistRecord.h"
#include "document/PlanTypes.h"

// The heading at each origin, in degrees (atan2, -180 .. 180): the direction of the step to the
// next origin at the first point, of the step from the previous origin at the last, and the
// bisector of the incoming and outgoing steps (the sum of the two unit vectors) in between. A
// single origin heads along +x. A step of zero length has no direction and adds nothing to a
// bisector; a heading with no direction at all is along +x.
std::vector<double> PathHeadings(std::span<const PlanPoint> origins);

// Narrows every record's isovist to `angle` degrees (the full angle; half of it either side of
// the record's heading) and measures it again against `walls`. The records' origins give the
// headings. Applied again, it narrows the already narrowed isovists.
void ApplyPathViewAngle(std::span<IsovistRecord> records, double angle,
                        std::span<const PlanSegment> walls);
