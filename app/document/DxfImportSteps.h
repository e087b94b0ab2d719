// The steps of the full DXF import that work on the plan polygons alone: the boundary made from
// the plan's extent, the search for the outermost polygon and the orientation of all polygons.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "document/CORVDoc.h"
#include "document/PlanTypes.h"

// The extent enlarged by a tenth of its width and height on each side, counter-clockwise from
// the lower left; each coordinate is 1.1·a − 0.1·b of the two extent values a and b. Empty when
// the extent has no area, as such a boundary would enclose nothing.
std::optional<PlanPolygon> BoundaryAroundExtent(const PlanExtent& extent);

// Marks every polygon that lies inside another or overlaps nothing; when exactly one polygon
// stays unmarked and it is not polygon 0, swaps it with polygon 0.
void MoveOutermostPolygonFirst(PolygonList& polygons);

// Polygon 0 counter-clockwise, every other polygon clockwise (two-point polygons, which have no
// orientation, are reversed as the clockwise test finds them not clockwise).
void OrientPlanPolygons(PolygonList& polygons);

// Shortest and longest length of the lines; (0, 0) without lines.
std::pair<double, double> AxialLineLengthRange(const std::vector<PlanSegment>& lines);
