// The connectivity graph of axial lines: lines i < j are joined when the geometry library
// finds exactly one common point (zoGetCrossPointSS returns 1); lines on one line (2) are not.
// The edges are found as a sparse list, in the order of the pair loop (i ascending, then j).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "document/PlanTypes.h"
#include "document/VisibilityGraph.h"

struct AxialEdge {
    int32_t i = 0;
    int32_t j = 0;  // i < j
    friend bool operator==(const AxialEdge&, const AxialEdge&) = default;
};

// Reference tests every pair. Indexed tests only the pairs that share a cell of a SegmentGrid
// over the lines, lines in parallel: the same edges in the same order.
enum class AxialEdgeMethod { Reference, Indexed };

// The most lines an analysis takes: the stored graph counts its n * n bytes in 32 bits.
inline constexpr int32_t kMaxAxialAnalysisLines = CVisibilityGraph::kMaxGridNodes;

std::vector<AxialEdge> FindAxialEdges(std::span<const PlanSegment> lines,
                                      AxialEdgeMethod method = AxialEdgeMethod::Indexed);

// The graph of n nodes with the edges, each added once; empty for n < 1.
CVisibilityGraph AxialGraphOf(int32_t n, std::span<const AxialEdge> edges);
