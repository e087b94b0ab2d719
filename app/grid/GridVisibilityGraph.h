// The visibility graph of the grid cells: cells i and j (j < i) are adjacent when the centre
// of cell j lies inside the isovist polygon of cell i (the hit test), both cells effective.
// Each unordered pair is tested once, with the isovist of the higher-numbered cell.
#pragma once

#include "document/AnalysisGrid.h"
#include "document/LongTask.h"
#include "document/VisibilityGraph.h"

// How the pairs are tested. Reference runs the hit test per pair, in index order. RowFill
// finds each isovist's crossings with every row line of cell centres once and classifies the
// row's centres from them by the hit test's own rule (falling back to the hit test for a row
// the horizontal line cannot decide), rows of isovists in parallel. Both give the same graph.
enum class GridGraphMethod { Reference, RowFill };

// The graph over all grid.count cells (one node per cell, effective or not, numbered by cell
// index), initialised here; an empty grid, or one of more than kMaxGridNodes cells (whose
// matrix would not be bounded), gives an empty graph. Progress positions are cell
// indices (0 .. count) or, with RowFill, the number of cells done; they may come from worker
// threads.
CVisibilityGraph BuildGridVisibilityGraph(const CAnalysisGrid& grid, ProgressSink& progress,
                                          GridGraphMethod method = GridGraphMethod::RowFill);
