// Step depths from one node of a visibility graph, and the grid's depth from the current cell.
#pragma once

#include <cstdint>
#include <vector>

#include "document/AnalysisGrid.h"
#include "document/VisibilityGraph.h"
#include "grid/GraphMeasures.h"

// The least number of edges from `source` to every node (0 for the source), −1 where it
// cannot be reached. Reference runs the library's shortest-path search over the byte matrix;
// Bfs runs the level search of LevelSearch.h. Empty for a source outside the graph.
std::vector<int32_t> DepthsFrom(const CVisibilityGraph& graph, int32_t source,
                                GraphMeasureMethod method = GraphMeasureMethod::Bfs);

enum class DepthFromCellOutcome {
    Done,
    InvalidCell,    // the index names no cell ("Invalid cell")
    NotEffective,   // the cell is not effective ("Pick a valid cell first")
    GraphMismatch,  // the graph does not have one node per cell; nothing changed
};

// Sets depthFromCurrent of every effective cell to its depth from `current`, −1 where
// unreachable; other cells keep theirs.
DepthFromCellOutcome ComputeDepthFromCell(CAnalysisGrid& grid, const CVisibilityGraph& graph,
                                          GridCellIndex current,
                                          GraphMeasureMethod method = GraphMeasureMethod::Bfs);
