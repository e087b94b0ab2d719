// The analysis of a set of axial lines: their connectivity graph and, per line, the graph
// measures of the grid's visibility graph (one computation for both), every line taking part.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "axial/AxialGraph.h"
#include "document/IsovistRecord.h"
#include "document/PlanTypes.h"
#include "document/VisibilityGraph.h"
#include "grid/GraphMeasures.h"

struct AxialAnalysis {
    CVisibilityGraph graph;
    std::vector<IsovistRecord> records;  // one per line, only the graph measures filled
};

struct AxialAnalysisMethods {
    AxialGraphMethod graph = AxialGraphMethod::Indexed;
    GraphMeasureMethod measures = GraphMeasureMethod::Bfs;
};

// The graph and the records of the lines; empty for no lines or more than
// kMaxAxialAnalysisLines lines.
AxialAnalysis AnalyseAxialLines(std::span<const PlanSegment> lines, int32_t integrationDepth,
                                AxialAnalysisMethods methods = {});
