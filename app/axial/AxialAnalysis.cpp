#include "axial/AxialAnalysis.h"

AxialAnalysis AnalyseAxialLines(std::span<const PlanSegment> lines, int32_t integrationDepth,
                                AxialAnalysisMethods methods) {
    AxialAnalysis result;
    if (lines.empty() || lines.size() > static_cast<size_t>(kMaxAxialAnalysisLines)) {
        return result;
    }
    result.graph = BuildAxialGraph(lines, methods.graph);
    std::vector<GraphMeasureBlock> blocks(lines.size());
    const std::vector<uint8_t> everyLine(lines.size(), 1);
    NullProgress progress;
    ComputeGraphMeasures(result.graph, blocks, everyLine, integrationDepth, progress, {},
                         methods.measures);
    result.records.resize(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        result.records[i].graphMeasures = blocks[i];
    }
    return result;
}
