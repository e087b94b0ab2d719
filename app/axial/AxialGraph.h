// The connectivity graph of axial lines: lines i < j are joined when the geometry library
// finds exactly one common point (zoGetCrossPointSS(line i, line j) returns 1); lines on one
// line (2) are not.
#pragma once

#include <cstdint>
#include <span>

#include "document/PlanTypes.h"
#include "document/VisibilityGraph.h"

// Reference tests every pair, adding each edge as it is found. Indexed tests only the pairs
// that share a cell of a SegmentGrid over the lines, each line's row in parallel: the same
// graph and edge count.
enum class AxialGraphMethod { Reference, Indexed };

// The most lines an analysis takes: the stored graph counts its n * n bytes in 32 bits (and
// the bit matrix then takes 268 MB).
inline constexpr int32_t kMaxAxialAnalysisLines = CVisibilityGraph::kMaxGridNodes;

// The graph of the lines; empty without lines or with more than kMaxAxialAnalysisLines.
CVisibilityGraph BuildAxialGraph(std::span<const PlanSegment> lines,
                                 AxialGraphMethod method = AxialGraphMethod::Indexed);
