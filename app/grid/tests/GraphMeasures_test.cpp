#include <gtest/gtest.h>

#include <tbb/global_control.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <utility>
#include <vector>

#include "grid/GraphMeasures.h"
#include "grid/GridIsovists.h"
#include "grid/GridLayout.h"
#include "grid/GridVisibilityGraph.h"
#include "grid/LevelSearch.h"
#include "grid/tests/GraphFamilies.h"
#include "testing/IsovistPlans.h"

namespace {

CVisibilityGraph GraphOf(int32_t n, const std::vector<std::pair<int32_t, int32_t>>& edges) {
    CVisibilityGraph g;
    g.initialise(n);
    for (auto [i, j] : edges) {
        g.addEdge(i, j);
    }
    return g;
}

std::vector<GraphMeasureBlock> Measure(const CVisibilityGraph& g, std::vector<uint8_t> part,
                                       int32_t depth, GraphMeasureMethod method,
                                       std::vector<GraphMeasureBlock> blocks = {},
                                       std::span<const int32_t> searchOrder = {}) {
    if (blocks.empty()) {
        blocks.resize(static_cast<size_t>(g.nodeCount()));
    }
    NullProgress progress;
    ComputeGraphMeasures(g, blocks, part, depth, progress, {}, method, searchOrder);
    return blocks;
}

class GraphMeasureMethods : public testing::TestWithParam<GraphMeasureMethod> {};

TEST_P(GraphMeasureMethods, IsolatedNodeSeesNothing) {
    const auto b = Measure(GraphOf(2, {}), {1, 1}, 3, GetParam())[0];
    EXPECT_EQ(b.connectivity, 0);
    EXPECT_EQ(b.meanDepth, 0.0);
    EXPECT_EQ(b.relativeAsymmetry, -1.0);
    EXPECT_EQ(b.realRelativeAsymmetry, -1.0);
    EXPECT_EQ(b.controllability, 0.0);
    EXPECT_EQ(b.globalConnectivityE, -1.0);
    EXPECT_EQ(b.control, 0.0);
    EXPECT_EQ(b.integration, -1.0);
    EXPECT_EQ(b.averageNeighbourControl, -1.0);
    EXPECT_EQ(b.globalE, -1.0);
    EXPECT_EQ(b.globalRelativeE, 1.0);  // (-1) * (-1)
    EXPECT_EQ(b.integrationN, -1.0);
}

TEST_P(GraphMeasureMethods, ReachingExactlyOneOther) {
    const auto b = Measure(GraphOf(2, {{0, 1}}), {1, 1}, 3, GetParam())[0];
    EXPECT_EQ(b.connectivity, 1);
    EXPECT_EQ(b.meanDepth, 1.0);
    EXPECT_EQ(b.relativeAsymmetry, -1.0);
    EXPECT_EQ(b.realRelativeAsymmetry, -1.0);
    EXPECT_EQ(b.globalConnectivityE, -1.0);
    EXPECT_EQ(b.control, 1.0);
    EXPECT_EQ(b.integration, -1.0);
}

TEST_P(GraphMeasureMethods, ThreeMutuallyVisible) {
    const auto blocks = Measure(GraphOf(3, {{0, 1}, {1, 2}, {2, 0}}), {1, 1, 1}, 3, GetParam());
    for (const GraphMeasureBlock& b : blocks) {
        EXPECT_EQ(b.connectivity, 2);
        EXPECT_EQ(b.meanDepth, 1.0);
        EXPECT_EQ(b.relativeAsymmetry, 0.0);
        EXPECT_EQ(b.realRelativeAsymmetry, 0.0);
        EXPECT_EQ(b.globalConnectivityE, -1.0);
        EXPECT_EQ(b.control, 1.0);
        EXPECT_EQ(b.integration, -1.0);
        EXPECT_EQ(b.controllability, 1.0);
    }
}

TEST_P(GraphMeasureMethods, PathOfThreeByHand) {
    const auto b = Measure(GraphOf(3, {{0, 1}, {1, 2}}), {1, 1, 1}, 2, GetParam());
    const double d3 = (6.644 * 3 * std::log10(5.0) - 5.17 * 3 + 2) / 2;
    EXPECT_EQ(b[0].connectivity, 1);
    EXPECT_EQ(b[1].connectivity, 2);
    EXPECT_EQ(b[0].meanDepth, 1.5);
    EXPECT_EQ(b[0].relativeAsymmetry, 1.0);
    EXPECT_EQ(b[1].relativeAsymmetry, 0.0);
    EXPECT_DOUBLE_EQ(b[0].realRelativeAsymmetry, 1.0 / d3);
    EXPECT_NEAR(b[0].realRelativeAsymmetry, 4.7404, 1e-3);
    EXPECT_EQ(b[0].globalConnectivityE, 1.0);
    EXPECT_EQ(b[0].controllability, 2.0);
    EXPECT_EQ(b[1].controllability, 1.0);
    EXPECT_EQ(b[0].control, 0.5);
    EXPECT_EQ(b[1].control, 2.0);
    EXPECT_EQ(b[0].integration, -1.0);
    EXPECT_EQ(b[1].integration, 2.0);
    EXPECT_EQ(b[0].averageNeighbourControl, 2.0);
    EXPECT_EQ(b[1].averageNeighbourControl, 0.5);
    EXPECT_EQ(b[0].globalE, 0.5);
    EXPECT_EQ(b[1].globalE, -1.0);
    EXPECT_EQ(b[0].globalRelativeE, 1.0);
    EXPECT_EQ(b[1].globalRelativeE, -0.5);
    // Depth 2: node 0 reaches node 2 (RA 1), node 1's RA 0 does not count.
    EXPECT_EQ(b[0].integrationN, 1.0);
    EXPECT_EQ(b[1].integrationN, 2.0);
}

TEST_P(GraphMeasureMethods, ControllabilityIsAWholeQuotient) {
    // Node 0 sees 1, 2, 3; those see 4, 5 / 6 / 7: 7 nodes within depth 2, 7 / 3 -> 2.
    const CVisibilityGraph g = GraphOf(8, {{0, 1}, {0, 2}, {0, 3}, {1, 4}, {1, 5}, {2, 6}, {3, 7}});
    const auto b = Measure(g, std::vector<uint8_t>(8, 1), 3, GetParam());
    EXPECT_EQ(b[0].connectivity, 3);
    EXPECT_EQ(b[0].controllability, 2.0);
}

TEST_P(GraphMeasureMethods, IntegrationNAtDepthOneIsIntegration) {
    std::mt19937 random(5);
    CVisibilityGraph g;
    g.initialise(40);
    std::uniform_int_distribution<int32_t> node(0, 29);  // nodes 30.. stay isolated
    for (int e = 0; e < 90; ++e) {
        const int32_t i = node(random);
        const int32_t j = node(random);
        if (i != j && !g.adjacent(i, j)) {
            g.addEdge(i, j);
        }
    }
    std::vector<uint8_t> part(40, 1);
    part[35] = 0;
    std::vector<GraphMeasureBlock> old(40);
    old[35].integration = 5.5;
    old[35].control = 4.0;
    old[35].pointCount = 2.25;
    const auto b = Measure(g, part, 1, GetParam(), old);
    for (int32_t i = 0; i < 40; ++i) {
        if (part[static_cast<size_t>(i)] != 0) {
            EXPECT_EQ(b[static_cast<size_t>(i)].integrationN, b[static_cast<size_t>(i)].integration)
                << i;
        }
    }
    EXPECT_EQ(b[35].integrationN, -1.0);
    EXPECT_EQ(b[35].integration, 5.5);
    EXPECT_EQ(b[35].control, 4.0);
    EXPECT_EQ(b[35].pointCount, 2.25);
}

TEST_P(GraphMeasureMethods, MismatchedSizesChangeNothing) {
    std::vector<GraphMeasureBlock> blocks(2);
    blocks[0].meanDepth = 9.0;
    NullProgress progress;
    const std::vector<uint8_t> part = {1, 1, 1};
    ComputeGraphMeasures(GraphOf(2, {{0, 1}}), blocks, part, 3, progress, {}, GetParam());
    EXPECT_EQ(blocks[0].meanDepth, 9.0);
}

INSTANTIATE_TEST_SUITE_P(Methods, GraphMeasureMethods,
                         testing::Values(GraphMeasureMethod::Reference, GraphMeasureMethod::Bfs),
                         [](const testing::TestParamInfo<GraphMeasureMethod>& info) {
                             return info.param == GraphMeasureMethod::Reference ? "Reference"
                                                                                : "Bfs";
                         });

TEST(DValue, DiamondFormula) {
    // The published form 2{k[log2((k+2)/3) - 1] + 1}/((k-1)(k-2)) with its rounded constants.
    for (int32_t k : {3, 4, 10, 100, 46340}) {
        const double published =
            2 * (k * (std::log2((k + 2.0) / 3.0) - 1) + 1) / ((k - 1.0) * (k - 2.0));
        EXPECT_NEAR(DValue(k), published, 5e-3 * std::fabs(published) + 1e-3) << k;
    }
}

void ExpectIdentical(const CVisibilityGraph& g, const std::vector<uint8_t>& part, int32_t depth,
                     std::span<const int32_t> searchOrder = {}) {
    const auto reference = Measure(g, part, depth, GraphMeasureMethod::Reference);
    const auto fast = Measure(g, part, depth, GraphMeasureMethod::Bfs, {}, searchOrder);
    ASSERT_EQ(reference.size(), fast.size());
    for (size_t i = 0; i < fast.size(); ++i) {
        EXPECT_TRUE(fast[i] == reference[i]) << "node " << i;
    }
}

std::vector<uint8_t> SomeTakingPart(int32_t n, uint32_t seed) {
    std::mt19937 random(seed);
    std::bernoulli_distribution takesPart(0.8);
    std::vector<uint8_t> part;
    for (int32_t i = 0; i < n; ++i) {
        part.push_back(takesPart(random) ? 1 : 0);
    }
    return part;
}

class GraphMeasuresOnFamilies : public testing::TestWithParam<size_t> {};

// Depths 1 and 3 and beyond every level; the nodes searched in their own order, in a
// shuffled order and, for grid graphs, tile by tile.
TEST_P(GraphMeasuresOnFamilies, BfsEqualsReferenceInAnySearchOrder) {
    const GraphFamily family = GraphFamilies()[GetParam()];
    const int32_t n = family.graph.nodeCount();
    std::vector<int32_t> shuffled(static_cast<size_t>(n));
    std::iota(shuffled.begin(), shuffled.end(), 0);
    std::mt19937 random(17);
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    std::vector<std::vector<int32_t>> orders = {{}, shuffled};
    if (family.nx > 0) {
        orders.push_back(GridTileOrder(family.nx, family.ny));
    }
    for (const std::vector<int32_t>& order : orders) {
        for (int32_t depth : {1, 3, 1000}) {
            SCOPED_TRACE(testing::Message() << "depth " << depth << " order " << order.size());
            ExpectIdentical(family.graph, std::vector<uint8_t>(static_cast<size_t>(n), 1), depth,
                            order);
            ExpectIdentical(family.graph, SomeTakingPart(n, 5), depth, order);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Families, GraphMeasuresOnFamilies,
                         testing::Range(size_t{0}, GraphFamilies().size()),
                         [](const testing::TestParamInfo<size_t>& info) {
                             return GraphFamilies()[info.param].name;
                         });

TEST(GraphMeasures, OneThreadEqualsAllThreads) {
    const CVisibilityGraph g = ClusteredGridGraph(40, 30, 6);
    const std::vector<int32_t> order = GridTileOrder(40, 30);
    const std::vector<uint8_t> part = SomeTakingPart(g.nodeCount(), 8);
    const auto all = Measure(g, part, 3, GraphMeasureMethod::Bfs, {}, order);
    std::vector<GraphMeasureBlock> one;
    {
        tbb::global_control oneThread(tbb::global_control::max_allowed_parallelism, 1);
        one = Measure(g, part, 3, GraphMeasureMethod::Bfs, {}, order);
    }
    EXPECT_TRUE(one == all);
    EXPECT_GT(all[0].integrationN, 0.0);
}

struct RandomGraphCase {
    const char* name;
    int32_t nodes;
    double edgeChance;
    int32_t depth;
    uint32_t seed;
};

class GraphMeasuresOnRandomGraphs : public testing::TestWithParam<RandomGraphCase> {};

TEST_P(GraphMeasuresOnRandomGraphs, BfsEqualsReference) {
    const RandomGraphCase& c = GetParam();
    std::mt19937 random(c.seed);
    std::bernoulli_distribution edge(c.edgeChance);
    std::bernoulli_distribution takesPart(0.8);
    CVisibilityGraph g;
    g.initialise(c.nodes);
    std::vector<uint8_t> part;
    for (int32_t i = 0; i < c.nodes; ++i) {
        part.push_back(takesPart(random) ? 1 : 0);
        for (int32_t j = 0; j < i; ++j) {
            if (edge(random)) {
                g.addEdge(i, j);
            }
        }
    }
    ExpectIdentical(g, part, c.depth);
}

INSTANTIATE_TEST_SUITE_P(Graphs, GraphMeasuresOnRandomGraphs,
                         testing::Values(RandomGraphCase{"Sparse", 150, 0.01, 3, 1},
                                         RandomGraphCase{"Medium", 130, 0.05, 2, 2},
                                         RandomGraphCase{"Dense", 70, 0.5, 3, 3},
                                         RandomGraphCase{"WordEdges", 129, 0.02, 4, 4},
                                         RandomGraphCase{"DepthZero", 60, 0.05, 0, 5},
                                         RandomGraphCase{"DepthHuge", 60, 0.03, 1 << 30, 6},
                                         RandomGraphCase{"OneNode", 1, 0.0, 3, 7}),
                         [](const testing::TestParamInfo<RandomGraphCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(GridGraphMeasures, BfsEqualsReferenceOnAPillarRoom) {
    const IsovistTestPlan plan = RoomWithPillars(40, 21);
    const double side = plan.polygons[0][2].x;
    GridLayoutResult layout = LayOutGrid({0, side, 0, side}, {2.5});
    ASSERT_TRUE(layout.grid.has_value());
    CAnalysisGrid grid = std::move(*layout.grid);
    MarkEffectiveCells(grid, plan.polygons);
    std::vector<RadialStats> stats;
    NullProgress progress;
    ComputeGridIsovists(grid, plan.tables(), 0, stats, progress);
    const CVisibilityGraph graph = BuildGridVisibilityGraph(grid, progress);
    CAnalysisGrid reference = grid;
    ComputeGridGraphMeasures(reference, graph, 3, progress, {}, GraphMeasureMethod::Reference);
    CAnalysisGrid fast = grid;
    ComputeGridGraphMeasures(fast, graph, 3, progress, {}, GraphMeasureMethod::Bfs);
    EXPECT_TRUE(fast == reference);
    // Some cells see others and the measures are not all trivial.
    int32_t withIntegration = 0;
    for (const CGridCell& c : fast.cells) {
        withIntegration += c.isovist.graphMeasures.integration > 0 ? 1 : 0;
    }
    EXPECT_GT(withIntegration, 10);
}

}  // namespace

namespace {

TEST(GraphMeasuresOnStoredGraphs, OneSidedEntriesAgree) {
    // A damaged file may give a matrix that is not symmetric; both searches follow rows.
    std::mt19937 random(9);
    std::bernoulli_distribution entry(0.06);
    const int32_t n = 90;
    std::vector<uint8_t> bytes(static_cast<size_t>(n) * n);
    for (int32_t i = 0; i < n; ++i) {
        for (int32_t j = 0; j < n; ++j) {
            bytes[static_cast<size_t>(i) * n + j] = i != j && entry(random) ? 1 : 0;
        }
    }
    const CVisibilityGraph g = CVisibilityGraph::fromByteMatrix(n, bytes, 0);
    ExpectIdentical(g, std::vector<uint8_t>(n, 1), 3);
}

}  // namespace
