// How many paths pass through each grid cell: a path counts once for a cell when one of its
// segments crosses the cell's outline. A path lying wholly inside a cell does not count.
#pragma once

#include <span>

#include "document/AnalysisGrid.h"
#include "document/LongTask.h"
#include "document/PlanTypes.h"
#include "grid/GridIsovists.h"

// With at least one path: every cell's pathCount becomes 0, then each effective cell counts
// the paths with a segment (point j to j + 1) crossing its rectangle. Without paths nothing
// changes. Progress positions are cell indices, or cells done in parallel.
void CountPathsThroughCells(CAnalysisGrid& grid, std::span<const PlanPolygon> paths,
                            ProgressSink& progress, GridRunMode mode = GridRunMode::Parallel);
