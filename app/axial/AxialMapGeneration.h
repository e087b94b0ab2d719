// The all-line and the reduced axial map of a plan. Every corner of every plan polygon (in
// polygon order, each polygon's walk starting at its vertex 1 and ending at vertex 0) sends a
// candidate line to each plan vertex in its wedge (IsCornerTarget), in vertex order; a
// candidate that a wall blocks (WallBlocks) is dropped.
//
// All lines: every unblocked candidate not equal to a line already in the map (including
// lines added before it by the same run) is added.
// Reduced: per corner only the longest unblocked candidate of length at least the tolerance is
// kept, unless it equals a line in the map. Of equally long candidates the one to the vertex
// listed last wins (what sorting by length with a stable sort and taking the last leaves).
#pragma once

#include <span>
#include <vector>

#include "document/PlanTypes.h"

struct AxialPlan {
    std::span<const PlanPolygon> polygons;  // each a closed ring
    std::span<const PlanPoint> vertices;    // every vertex of every polygon, in polygon order
    std::span<const PlanSegment> walls;     // every edge of every polygon
};

enum class AxialMapKind { AllLines, Reduced };

// Reference tests every candidate against every wall and every new line against the whole map,
// corner after corner. Indexed finds blocking walls through AxialWallIndex and duplicates
// through AxialLineSet, corners in parallel: the same lines in the same order.
enum class AxialMapMethod { Reference, Indexed };

// Appends the map's new lines to `lines` (from the corner to the target vertex).
void GenerateAxialMap(const AxialPlan& plan, AxialMapKind kind, std::vector<PlanSegment>& lines,
                      AxialMapMethod method = AxialMapMethod::Indexed);
