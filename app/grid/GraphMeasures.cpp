#include "grid/GraphMeasures.h"

#include <atomic>
#include <bit>
#include <cmath>
#include <vector>

#include <gonion/gonion.h>
#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_for.h>

#include "grid/LevelSearch.h"

namespace {

constexpr int32_t kWordBits = CVisibilityGraph::kBitsPerWord;

// Neighbours j of node i in ascending order: the plain scan of the whole row, and the walk
// over the set bits of the row's words.
struct ScanNeighbours {
    const CVisibilityGraph& graph;
    template <class Fn>
    void operator()(int32_t i, Fn&& fn) const {
        for (int32_t j = 0; j < graph.nodeCount(); ++j) {
            if (graph.adjacent(i, j)) {
                fn(j);
            }
        }
    }
};

template <class Fn>
void ForEachSetBit(std::span<const uint64_t> words, Fn&& fn) {
    for (size_t w = 0; w < words.size(); ++w) {
        uint64_t bits = words[w];
        while (bits != 0) {
            fn(static_cast<int32_t>(w) * kWordBits + std::countr_zero(bits));
            bits &= bits - 1;
        }
    }
}

struct BitNeighbours {
    const CVisibilityGraph& graph;
    template <class Fn>
    void operator()(int32_t i, Fn&& fn) const {
        ForEachSetBit(graph.row(i), fn);
    }
};

// What the depth pass needs from one search: over the reached nodes other than the source,
// their number k, the sum of their depths, how many lie at depth 1 and at depth <= 2.
struct DepthSummary {
    int32_t reached = 0;
    double depthSum = 0.0;
    int32_t atDepthOne = 0;
    int32_t withinDepthTwo = 0;
};

void ApplyDepthSummary(const DepthSummary& d, GraphMeasureBlock& b) {
    const int32_t k = d.reached;
    const int32_t q = d.atDepthOne;
    b.connectivity = q;
    if (k == 0) {
        b.meanDepth = 0.0;
        b.relativeAsymmetry = -1.0;
    } else {
        b.meanDepth = d.depthSum / k;
        b.relativeAsymmetry = k >= 2 ? 2.0 * (b.meanDepth - 1.0) / (k - 1) : -1.0;
    }
    b.controllability = q == 0 ? 0.0 : static_cast<double>(d.withinDepthTwo / q);
    if (k <= 1) {
        b.realRelativeAsymmetry = -1.0;
        b.globalConnectivityE = -1.0;
    } else {
        const double dValue = DValue(k + 1);
        b.realRelativeAsymmetry = b.relativeAsymmetry >= 0.0 ? b.relativeAsymmetry / dValue : -1.0;
        b.globalConnectivityE = b.relativeAsymmetry > 0.0 ? q / b.relativeAsymmetry : -1.0;
    }
}

double SumOrUndefined(double s) {
    return s == 0.0 ? -1.0 : s;
}

// Control and integration of node i from its neighbours (ascending), whose connectivity and
// relative asymmetry are final.
template <class Neighbours>
void ApplyNeighbourSums(const Neighbours& forEachNeighbour, std::span<GraphMeasureBlock> blocks,
                        int32_t i) {
    double control = 0.0;
    double s = 0.0;
    forEachNeighbour(i, [&](int32_t j) {
        const GraphMeasureBlock& nb = blocks[static_cast<size_t>(j)];
        if (nb.connectivity > 0) {
            control += 1.0 / nb.connectivity;
            if (nb.relativeAsymmetry > 0.0) {
                s += 1.0 / nb.relativeAsymmetry;
            }
        }
    });
    blocks[static_cast<size_t>(i)].control = control;
    blocks[static_cast<size_t>(i)].integration = SumOrUndefined(s);
}

template <class Neighbours>
void ApplyNeighbourControl(const Neighbours& forEachNeighbour, std::span<GraphMeasureBlock> blocks,
                           int32_t i) {
    double a = 0.0;
    forEachNeighbour(i, [&](int32_t j) {
        const GraphMeasureBlock& nb = blocks[static_cast<size_t>(j)];
        if (nb.connectivity > 0) {
            a += nb.control;
        }
    });
    GraphMeasureBlock& b = blocks[static_cast<size_t>(i)];
    b.averageNeighbourControl = b.connectivity == 0 ? -1.0 : a / b.connectivity;
    b.globalE = b.relativeAsymmetry > 0.0 ? b.control / b.relativeAsymmetry : -1.0;
    b.globalRelativeE = b.globalE * b.averageNeighbourControl;
}

// ---- reference: the library's shortest-path search from every node, one after another ----

void RunReference(const CVisibilityGraph& graph, std::span<GraphMeasureBlock> blocks,
                  std::span<const uint8_t> takesPart, int32_t integrationDepth,
                  ProgressSink& progress, const GraphMeasurePasses& passes) {
    const int32_t n = graph.nodeCount();
    const std::vector<uint8_t> matrix = graph.toByteMatrix();
    std::vector<double> depth(static_cast<size_t>(n));
    std::vector<uint8_t> reached(static_cast<size_t>(n));
    if (!passes.depthTitle.empty()) {
        progress.beginPass(passes.depthTitle, 0, n);
    }
    for (int32_t i = 0; i < n; ++i) {
        if (progress.stopRequested()) {
            return;  // the run is dropped
        }
        progress.setPosition(i);
        zoGraphSP(i, n, 0, matrix.data(), 0, matrix.data(), depth.data(), reached.data());
        DepthSummary d;
        for (int32_t j = 0; j < n; ++j) {
            if (j == i || reached[static_cast<size_t>(j)] == 0) {
                continue;
            }
            const double dj = depth[static_cast<size_t>(j)];
            ++d.reached;
            d.depthSum += dj;
            d.atDepthOne += dj == 1.0 ? 1 : 0;
            d.withinDepthTwo += dj <= 2.0 ? 1 : 0;
        }
        ApplyDepthSummary(d, blocks[static_cast<size_t>(i)]);
    }
    const ScanNeighbours neighbours{graph};
    for (int32_t i = 0; i < n; ++i) {
        if (takesPart[static_cast<size_t>(i)] != 0) {
            ApplyNeighbourSums(neighbours, blocks, i);
        }
    }
    for (int32_t i = 0; i < n; ++i) {
        if (takesPart[static_cast<size_t>(i)] != 0) {
            ApplyNeighbourControl(neighbours, blocks, i);
        }
    }
    if (!passes.integrationNTitle.empty()) {
        progress.beginPass(passes.integrationNTitle, 0, n);
    }
    for (int32_t i = 0; i < n && !progress.stopRequested(); ++i) {
        progress.setPosition(i);
        zoGraphSP(i, n, 0, matrix.data(), 0, matrix.data(), depth.data(), reached.data());
        double s = 0.0;
        for (int32_t j = 0; j < n; ++j) {
            const GraphMeasureBlock& bj = blocks[static_cast<size_t>(j)];
            if (j != i && reached[static_cast<size_t>(j)] != 0 &&
                depth[static_cast<size_t>(j)] <= integrationDepth && bj.relativeAsymmetry > 0.0) {
                s += 1.0 / bj.relativeAsymmetry;
            }
        }
        blocks[static_cast<size_t>(i)].integrationN = SumOrUndefined(s);
    }
    progress.setPosition(n);
}

// ---- breadth-first search over the bit rows ----

int32_t PopCount(std::span<const uint64_t> words) {
    int32_t count = 0;
    for (uint64_t w : words) {
        count += std::popcount(w);
    }
    return count;
}

// The depths are whole numbers, so every partial sum of them is an integer far below 2^53:
// each double addition is exact and the sum is the same in any order.
DepthSummary SummariseDepths(const CLevelSearchGraph& graph, int32_t source,
                             LevelSearchScratch& s) {
    DepthSummary d;
    int64_t depthSum = 0;
    SearchLevels(graph, graph.placeOf(source), -1, s,
                 [&](int64_t level, std::span<const uint64_t> places) {
                     const int32_t count = PopCount(places);
                     d.reached += count;
                     depthSum += level * count;
                     if (level == 1) {
                         d.atDepthOne = count;
                     }
                     if (level <= 2) {
                         d.withinDepthTwo += count;
                     }
                 });
    d.depthSum = static_cast<double>(depthSum);
    return d;
}

// The nodes j with relative asymmetry above 0, ascending, with 1 / relative asymmetry and
// their place in the search.
struct IntegrationTerms {
    std::vector<int32_t> node;
    std::vector<int32_t> place;
    std::vector<double> inverse;
};

IntegrationTerms TermsOf(const CLevelSearchGraph& graph,
                         std::span<const GraphMeasureBlock> blocks) {
    IntegrationTerms terms;
    for (int32_t j = 0; j < graph.nodeCount(); ++j) {
        const double ra = blocks[static_cast<size_t>(j)].relativeAsymmetry;
        if (ra > 0.0) {
            terms.node.push_back(j);
            terms.place.push_back(graph.placeOf(j));
            terms.inverse.push_back(1.0 / ra);
        }
    }
    return terms;
}

double IntegrationN(const CLevelSearchGraph& graph, const IntegrationTerms& terms, int32_t source,
                    int32_t integrationDepth, LevelSearchScratch& s) {
    if (integrationDepth < 1) {
        return -1.0;  // only the source lies within depth 0
    }
    SearchLevels(graph, graph.placeOf(source), integrationDepth, s,
                 [](int64_t, std::span<const uint64_t>) {});
    // Every node within the depth but the source, in ascending j as the reference sums.
    double sum = 0.0;
    for (size_t t = 0; t < terms.node.size(); ++t) {
        if (terms.node[t] != source && HasBit(s.visited, terms.place[t])) {
            sum += terms.inverse[t];
        }
    }
    return SumOrUndefined(sum);
}

void RunBfs(const CVisibilityGraph& graph, std::span<GraphMeasureBlock> blocks,
            std::span<const uint8_t> takesPart, int32_t integrationDepth, ProgressSink& progress,
            const GraphMeasurePasses& passes, std::span<const int32_t> searchOrder) {
    const int32_t n = graph.nodeCount();
    const CLevelSearchGraph search(graph, searchOrder);
    tbb::enumerable_thread_specific<LevelSearchScratch> scratches;
    std::atomic<int32_t> done{0};
    auto reportOne = [&] {
        progress.setPosition(done.fetch_add(1, std::memory_order_relaxed) + 1);
    };
    if (!passes.depthTitle.empty()) {
        progress.beginPass(passes.depthTitle, 0, n);
    }
    tbb::parallel_for(int32_t{0}, n, [&](int32_t i) {
        if (progress.stopRequested()) {
            return;  // the run is dropped: the remaining searches are skipped
        }
        ApplyDepthSummary(SummariseDepths(search, i, scratches.local()),
                          blocks[static_cast<size_t>(i)]);
        reportOne();
    });
    if (progress.stopRequested()) {
        return;
    }
    const BitNeighbours neighbours{graph};
    tbb::parallel_for(int32_t{0}, n, [&](int32_t i) {
        if (takesPart[static_cast<size_t>(i)] != 0) {
            ApplyNeighbourSums(neighbours, blocks, i);
        }
    });
    tbb::parallel_for(int32_t{0}, n, [&](int32_t i) {
        if (takesPart[static_cast<size_t>(i)] != 0) {
            ApplyNeighbourControl(neighbours, blocks, i);
        }
    });
    if (!passes.integrationNTitle.empty()) {
        progress.beginPass(passes.integrationNTitle, 0, n);
    }
    done.store(0);
    const IntegrationTerms terms = TermsOf(search, blocks);
    tbb::parallel_for(int32_t{0}, n, [&](int32_t i) {
        if (progress.stopRequested()) {
            return;
        }
        blocks[static_cast<size_t>(i)].integrationN =
            IntegrationN(search, terms, i, integrationDepth, scratches.local());
        reportOne();
    });
    progress.setPosition(n);
}

}  // namespace

double DValue(int32_t k) {
    const double kd = k;
    return (6.644 * kd * std::log10(kd + 2.0) - 5.17 * kd + 2.0) / ((kd - 1.0) * (kd - 2.0));
}

void ComputeGraphMeasures(const CVisibilityGraph& graph, std::span<GraphMeasureBlock> blocks,
                          std::span<const uint8_t> takesPart, int32_t integrationDepth,
                          ProgressSink& progress, const GraphMeasurePasses& passes,
                          GraphMeasureMethod method, std::span<const int32_t> searchOrder) {
    const auto n = static_cast<size_t>(graph.nodeCount());
    if (n == 0 || blocks.size() != n || takesPart.size() != n) {
        return;
    }
    if (method == GraphMeasureMethod::Reference) {
        RunReference(graph, blocks, takesPart, integrationDepth, progress, passes);
    } else {
        RunBfs(graph, blocks, takesPart, integrationDepth, progress, passes, searchOrder);
    }
}

void ComputeGridGraphMeasures(CAnalysisGrid& grid, const CVisibilityGraph& graph,
                              int32_t integrationDepth, ProgressSink& progress,
                              const GraphMeasurePasses& passes, GraphMeasureMethod method) {
    if (graph.nodeCount() < 1 || grid.cells.size() != static_cast<size_t>(graph.nodeCount())) {
        return;
    }
    std::vector<GraphMeasureBlock> blocks;
    std::vector<uint8_t> takesPart;
    blocks.reserve(grid.cells.size());
    takesPart.reserve(grid.cells.size());
    for (const CGridCell& cell : grid.cells) {
        blocks.push_back(cell.isovist.graphMeasures);
        takesPart.push_back(cell.effective != 0 ? 1 : 0);
    }
    ComputeGraphMeasures(graph, blocks, takesPart, integrationDepth, progress, passes, method,
                         GridTileOrder(grid.nx, grid.ny));
    for (size_t i = 0; i < grid.cells.size(); ++i) {
        grid.cells[i].isovist.graphMeasures = blocks[i];
    }
}
