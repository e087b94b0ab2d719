// Laying the analysis grid over the plan: the cells and their effective flags.
//
// Pure functions over plain data; the document's Initialize Grid stores the result.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "document/AnalysisGrid.h"
#include "document/PlanTypes.h"

class IsovistPlanIndex;

// The grid options that decide the layout: the cell side and the offsets added to the plan
// extent's lower-left (minimum) and upper-right (maximum) corners.
struct GridLayoutOptions {
    double span = 0.0;
    double lowerLeftOffsetX = 0.0;
    double lowerLeftOffsetY = 0.0;
    double upperRightOffsetX = 0.0;
    double upperRightOffsetY = 0.0;
};

// Why no grid was laid out.
enum class GridLayoutRefusal {
    None,
    BadSpan,       // span 0, negative, infinite or not a number
    EmptyExtent,   // the offset extent is empty, inverted or not finite
    TooManyCells,  // more than ten million cells, or a count beyond 32 bits
};

struct GridLayoutResult {
    std::optional<CAnalysisGrid> grid;  // set exactly when refusal is None
    GridLayoutRefusal refusal = GridLayoutRefusal::None;
};

// Lays out nx = ceil(width / span) by ny = ceil(height / span) cells from the offset extent's
// lower-left corner; the last column and row may reach past the extent by less than one span.
// Cell bounds are set, every other field is zero (effective flags included). A refusal
// allocates nothing.
GridLayoutResult LayOutGrid(const PlanExtent& planExtent, const GridLayoutOptions& options);

// The centre of a cell's rectangle.
PlanPoint CellCentre(const CGridCell& cell);

// Whether a point counts as analysable space: inside the boundary (polygon 0), on none of the
// boundary's edges, and inside no wall polygon (polygons 1 onward; decided by the hit test
// alone, so a point on a wall edge may go either way). No boundary: never. With an index of
// these polygons only the wall polygons near the point's height are hit-tested; the answer is
// the same.
bool IsEffectivePoint(std::span<const PlanPolygon> planPolygons, PlanPoint p,
                      const IsovistPlanIndex* index = nullptr);

// Sets every cell's effective flag (1 or 0) from its centre by IsEffectivePoint, with an index.
void MarkEffectiveCells(CAnalysisGrid& grid, std::span<const PlanPolygon> planPolygons);
