#include "grid/GridDepth.h"

#include <bit>

#include <gonion/gonion.h>

#include "grid/LevelSearch.h"

namespace {

std::vector<int32_t> ReferenceDepths(const CVisibilityGraph& graph, int32_t source) {
    const int32_t n = graph.nodeCount();
    const std::vector<uint8_t> matrix = graph.toByteMatrix();
    std::vector<double> depth(static_cast<size_t>(n));
    std::vector<uint8_t> reached(static_cast<size_t>(n));
    zoGraphSP(source, n, 0, matrix.data(), 0, matrix.data(), depth.data(), reached.data());
    std::vector<int32_t> result(static_cast<size_t>(n), -1);
    for (size_t j = 0; j < result.size(); ++j) {
        if (reached[j] != 0) {
            result[j] = static_cast<int32_t>(depth[j]);  // truncated; whole numbers anyway
        }
    }
    return result;
}

std::vector<int32_t> BfsDepths(const CVisibilityGraph& graph, int32_t source) {
    std::vector<int32_t> depth(static_cast<size_t>(graph.nodeCount()), -1);
    depth[static_cast<size_t>(source)] = 0;
    const CLevelSearchGraph search(graph);
    LevelSearchScratch scratch;
    SearchLevels(search, search.placeOf(source), -1, scratch,
                 [&](int64_t level, std::span<const uint64_t> places) {
                     for (size_t w = 0; w < places.size(); ++w) {
                         for (uint64_t bits = places[w]; bits != 0; bits &= bits - 1) {
                             const auto place = static_cast<int32_t>(
                                 w * CVisibilityGraph::kBitsPerWord + std::countr_zero(bits));
                             depth[static_cast<size_t>(search.nodeAt(place))] =
                                 static_cast<int32_t>(level);
                         }
                     }
                 });
    return depth;
}

}  // namespace

std::vector<int32_t> DepthsFrom(const CVisibilityGraph& graph, int32_t source,
                                GraphMeasureMethod method) {
    if (source < 0 || source >= graph.nodeCount()) {
        return {};
    }
    return method == GraphMeasureMethod::Reference ? ReferenceDepths(graph, source)
                                                   : BfsDepths(graph, source);
}

DepthFromCellOutcome ComputeDepthFromCell(CAnalysisGrid& grid, const CVisibilityGraph& graph,
                                          GridCellIndex current, GraphMeasureMethod method) {
    if (grid.cells.empty() || current.column < 0 || current.column >= grid.nx || current.row < 0 ||
        current.row >= grid.ny) {
        return DepthFromCellOutcome::InvalidCell;
    }
    const int64_t index = int64_t{current.row} * grid.nx + current.column;
    if (index >= static_cast<int64_t>(grid.cells.size())) {
        return DepthFromCellOutcome::InvalidCell;
    }
    if (grid.cells[static_cast<size_t>(index)].effective == 0) {
        return DepthFromCellOutcome::NotEffective;
    }
    if (static_cast<size_t>(graph.nodeCount()) != grid.cells.size()) {
        return DepthFromCellOutcome::GraphMismatch;
    }
    const std::vector<int32_t> depth = DepthsFrom(graph, static_cast<int32_t>(index), method);
    for (size_t j = 0; j < grid.cells.size(); ++j) {
        if (grid.cells[j].effective != 0) {
            grid.cells[j].isovist.depthFromCurrent = depth[j];
        }
    }
    return DepthFromCellOutcome::Done;
}
