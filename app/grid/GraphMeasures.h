// The graph measures of every node of a visibility or axial graph: connectivity, mean depth,
// relative asymmetry and its diamond-normalised form, controllability and global connectivity
// E from the depths of all reached nodes; control, integration, average neighbour control,
// global E and global relative E from the neighbours; integration-n from the nodes within
// depth n. Undefined values are −1 (see GraphMeasureBlock).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "document/AnalysisGrid.h"
#include "document/IsovistRecord.h"
#include "document/LongTask.h"
#include "document/VisibilityGraph.h"

// Reference runs the shortest-path search of the geometry library from every node over the
// byte matrix, one node after another. Bfs runs the level search of LevelSearch.h (the same
// levels), sources in parallel, with the same sums in the same order: identical results.
enum class GraphMeasureMethod { Reference, Bfs };

// Titles of the two progress passes (the depth pass, then the integration-n pass); an empty
// title starts no pass. Positions within a pass are node indices or nodes done; they may be
// reported from worker threads.
struct GraphMeasurePasses {
    std::string depthTitle;
    std::string integrationNTitle;
};

// The diamond-graph normalisation of relative asymmetry for a system of k >= 3 nodes.
double DValue(int32_t k);

// Fills blocks[i] for every node i of `graph` (blocks.size() must equal its node count, as
// must takesPart.size()). Every node gets connectivity, mean depth, relative asymmetry, real
// relative asymmetry, controllability, global connectivity E and integration-n; only nodes
// with takesPart[i] != 0 get control, integration, average neighbour control, global E and
// global relative E; the others keep those (and point count) as they were.
// Does nothing when the sizes disagree or the graph has no nodes. `searchOrder` only speeds up
// Bfs: a permutation of the nodes that keeps nodes seen together close (see LevelSearch.h).
void ComputeGraphMeasures(const CVisibilityGraph& graph, std::span<GraphMeasureBlock> blocks,
                          std::span<const uint8_t> takesPart, int32_t integrationDepth,
                          ProgressSink& progress, const GraphMeasurePasses& passes = {},
                          GraphMeasureMethod method = GraphMeasureMethod::Bfs,
                          std::span<const int32_t> searchOrder = {});

// The grid's use: one node per cell, the effective cells taking part, searched tile by tile;
// reads and writes each cell's GraphMeasureBlock. Does nothing unless the graph has one node
// per cell.
void ComputeGridGraphMeasures(CAnalysisGrid& grid, const CVisibilityGraph& graph,
                              int32_t integrationDepth, ProgressSink& progress,
                              const GraphMeasurePasses& passes = {},
                              GraphMeasureMethod method = GraphMeasureMethod::Bfs);
