// Turns the entities of one DXF layer into plan content, one reader per layer role.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/DxfDrawing.h"
#include "document/DxfShapes.h"
#include "document/LayerRoles.h"
#include "document/PlanTypes.h"

// Two points are equal when x and y each differ by less than this.
inline constexpr double kDxfPointTolerance = 2.220446049250313e-8;
bool DxfPointsEqual(const PlanPoint& a, const PlanPoint& b);

// The boundary: the first complete LWPOLYLINE of the layer, without a last vertex that repeats
// the first (when it has more than 2); no polygon when the layer has none.
// A polyline with a coordinate out of range met on the way refuses the boundary (and so the
// import): it may well be the boundary meant, and a plan on the wrong outline is worse than no
// plan. Polylines unreadable for other reasons are skipped as on every other layer.
struct BoundaryReading {
    std::optional<PlanPolygon> polygon;
    std::optional<DxfDroppedEntity> refusedFor;  // the polyline that refuses the boundary
};
BoundaryReading ReadBoundaryPolygon(const DxfDrawing& drawing, std::string_view layer);

// The message of a refused boundary.
std::string BoundaryRefusalMessage(const DxfDroppedEntity& polyline);

// Whether the reader of `role` reads entities of `kind` (so that dropping one loses something).
bool RoleReadsEntity(LayerRole role, DxfEntityKind kind);

// Wall shapes of the layer, appended in the order polylines, lines, circles. A closed polyline
// or one whose last vertex repeats the first is one polygon; an open one becomes two-point
// polygons, one per edge including the edge back to the first vertex; a line is a two-point
// polygon; a circle is the octagon through its points at angles kπ/4. Reference lines follow
// the same rules.
void AppendWallPolygons(const DxfDrawing& drawing, std::string_view layer, PolygonList& target);

// Paths: each complete polyline, without a last vertex repeating the first.
void AppendPaths(const DxfDrawing& drawing, std::string_view layer, PolygonList& target);

// Custom points: the centres of the layer's circles.
void AppendCircleCentres(const DxfDrawing& drawing, std::string_view layer,
                         std::vector<PlanPoint>& target);

// Axial lines: one segment per pair of consecutive polyline vertices (no closing segment),
// then one per line.
void AppendAxialSegments(const DxfDrawing& drawing, std::string_view layer,
                         std::vector<PlanSegment>& target);

PlanPolygon CircleOctagon(const DxfCircle& circle);

// The same readers over the shapes the option "Read arcs, old-style polylines and blocks" reads
// of one layer (DxfAllEntities): old-style polylines and placed polylines count as polylines;
// each arc goes in piece by piece as lines do (walls, reference lines, axial lines; paths and
// points take no arcs).
BoundaryReading ReadBoundaryPolygon(const DxfLayerShapes& shapes);
void AppendWallPolygons(const DxfLayerShapes& shapes, PolygonList& target);
void AppendPaths(const DxfLayerShapes& shapes, PolygonList& target);
void AppendCircleCentres(const DxfLayerShapes& shapes, std::vector<PlanPoint>& target);
void AppendAxialSegments(const DxfLayerShapes& shapes, std::vector<PlanSegment>& target);
