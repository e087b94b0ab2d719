// Shortest distances over dense matrix graphs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <random>
#include <vector>

#include "gonion/gonion.h"
#include "reference_paths.h"

namespace {

constexpr double kUnreached = 1.7e308;

struct Result {
    std::vector<double> distances;
    std::vector<uint8_t> reached;
};

Result shortestPaths(int32_t source, const std::vector<uint8_t>& adjacency, int32_t type,
                     const void* weights) {
    const auto n = static_cast<int32_t>(std::lround(std::sqrt(adjacency.size())));
    Result r{std::vector<double>(static_cast<std::size_t>(n), -5.0),
             std::vector<uint8_t>(static_cast<std::size_t>(n), 9)};
    zoGraphSP(source, n, 0, adjacency.data(), type, weights, r.distances.data(), r.reached.data());
    return r;
}

// Undirected adjacency from an edge list.
std::vector<uint8_t> undirected(int n, std::initializer_list<std::pair<int, int>> edges) {
    std::vector<uint8_t> adjacency(static_cast<std::size_t>(n * n), 0);
    for (auto [a, b] : edges) {
        adjacency[static_cast<std::size_t>(a * n + b)] = 1;
        adjacency[static_cast<std::size_t>(b * n + a)] = 1;
    }
    return adjacency;
}

TEST(GraphSP, PathGraphStepDepths) {
    const auto adjacency = undirected(3, {{0, 1}, {1, 2}});
    const Result r = shortestPaths(0, adjacency, 0, adjacency.data());
    EXPECT_EQ(r.distances, (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(r.reached, (std::vector<uint8_t>{1, 1, 1}));
}

TEST(GraphSP, IsolatedNodeAndByteTwoIsNoEdge) {
    auto adjacency = undirected(4, {{0, 1}});
    adjacency[0 * 4 + 2] = 2;  // not an edge
    adjacency[2 * 4 + 0] = 2;
    const Result r = shortestPaths(0, adjacency, 0, adjacency.data());
    EXPECT_EQ(r.distances, (std::vector<double>{0, 1, kUnreached, kUnreached}));
    EXPECT_EQ(r.reached, (std::vector<uint8_t>{1, 1, 0, 0}));
    const Result alone = shortestPaths(3, adjacency, 0, adjacency.data());
    EXPECT_EQ(alone.distances[3], 0.0);
    EXPECT_EQ(alone.reached[3], 1);
}

TEST(GraphSP, BadSourceGivesZeros) {
    const auto adjacency = undirected(3, {{0, 1}, {1, 2}});
    for (int32_t source : {3, -1, 1000}) {
        const Result r = shortestPaths(source, adjacency, 0, adjacency.data());
        EXPECT_EQ(r.distances, (std::vector<double>{0, 0, 0}));
        EXPECT_EQ(r.reached, (std::vector<uint8_t>{0, 0, 0}));
    }
}

TEST(GraphSP, CountBelowOneWritesNothing) {
    const uint8_t adjacency[1] = {0};
    double distance = -5;
    uint8_t reached = 9;
    zoGraphSP(0, 0, 0, adjacency, 0, adjacency, &distance, &reached);
    EXPECT_EQ(distance, -5);
    EXPECT_EQ(reached, 9);
}

TEST(GraphSP, UnknownWeightTypeReachesOnlyTheSource) {
    const auto adjacency = undirected(3, {{0, 1}, {1, 2}});
    const Result r = shortestPaths(1, adjacency, 5, adjacency.data());
    EXPECT_EQ(r.distances, (std::vector<double>{kUnreached, 0, kUnreached}));
    EXPECT_EQ(r.reached, (std::vector<uint8_t>{0, 1, 0}));
}

TEST(GraphSP, WeightedRoutesAndTies) {
    // 0-1 (4), 0-2 (1), 2-1 (2), 1-3 (5), 2-3 (7): node 1 is cheaper via 2 (3 < 4); node 3
    // is reached at 8 both as 0-2-3 and as 0-2-1-3.
    const int n = 4;
    const auto adjacency = undirected(n, {{0, 1}, {0, 2}, {2, 1}, {1, 3}, {2, 3}});
    std::vector<double> w(16, 0);
    auto set = [&](int a, int b, double v) {
        w[static_cast<std::size_t>(a * n + b)] = v;
        w[static_cast<std::size_t>(b * n + a)] = v;
    };
    set(0, 1, 4);
    set(0, 2, 1);
    set(2, 1, 2);
    set(1, 3, 5);
    set(2, 3, 7);  // 0-2-3 = 8 ties with 0-2-1-3 = 8
    const Result r = shortestPaths(0, adjacency, 4, w.data());
    EXPECT_EQ(r.distances, (std::vector<double>{0, 3, 1, 8}));
}

TEST(GraphSP, DirectedEdgesAreReadAsGiven) {
    std::vector<uint8_t> adjacency(9, 0);
    adjacency[0 * 3 + 1] = 1;  // 0 -> 1 only
    adjacency[2 * 3 + 0] = 1;  // 2 -> 0 only
    const Result from0 = shortestPaths(0, adjacency, 0, adjacency.data());
    EXPECT_EQ(from0.reached, (std::vector<uint8_t>{1, 1, 0}));
    const Result from2 = shortestPaths(2, adjacency, 0, adjacency.data());
    EXPECT_EQ(from2.distances, (std::vector<double>{1, 2, 0}));
}

// Step depths by breadth-first search.
std::vector<double> bfsDepths(const std::vector<uint8_t>& adjacency, int n, int source) {
    std::vector<double> depth(static_cast<std::size_t>(n), kUnreached);
    depth[static_cast<std::size_t>(source)] = 0;
    std::deque<int> queue{source};
    while (!queue.empty()) {
        const int node = queue.front();
        queue.pop_front();
        for (int j = 0; j < n; ++j) {
            if (adjacency[static_cast<std::size_t>(node * n + j)] == 1 &&
                depth[static_cast<std::size_t>(j)] == kUnreached) {
                depth[static_cast<std::size_t>(j)] = depth[static_cast<std::size_t>(node)] + 1;
                queue.push_back(j);
            }
        }
    }
    return depth;
}

// Unit weights of every element type, laid out as the matrix.
template <class T>
std::vector<unsigned char> unitWeights(std::size_t cells) {
    std::vector<unsigned char> bytes(cells * sizeof(T));
    const T one = 1;
    for (std::size_t i = 0; i < cells; ++i) {
        std::memcpy(bytes.data() + i * sizeof(T), &one, sizeof(T));
    }
    return bytes;
}

TEST(GraphSP, UnitWeightsOfEveryTypeMatchBreadthFirstSearch) {
    std::mt19937 rng(17);
    for (int trial = 0; trial < 60; ++trial) {
        const int n = 1 + trial % 25;
        const double density = (trial % 5 + 1) * 0.06;
        std::bernoulli_distribution edge(density);
        std::vector<uint8_t> adjacency(static_cast<std::size_t>(n * n), 0);
        for (auto& a : adjacency) {
            a = edge(rng) ? 1 : (edge(rng) ? 3 : 0);
        }
        const std::size_t cells = adjacency.size();
        const std::vector<std::vector<unsigned char>> weights{
            unitWeights<int8_t>(cells), unitWeights<int16_t>(cells), unitWeights<int32_t>(cells),
            unitWeights<float>(cells), unitWeights<double>(cells)};
        const int source = trial % n;
        const auto expected = bfsDepths(adjacency, n, source);
        for (int32_t type = 0; type < 5; ++type) {
            const Result r = shortestPaths(source, adjacency, type,
                                           weights[static_cast<std::size_t>(type)].data());
            ASSERT_EQ(r.distances, expected) << "trial " << trial << " type " << type;
            for (int i = 0; i < n; ++i) {
                EXPECT_EQ(r.reached[static_cast<std::size_t>(i)],
                          expected[static_cast<std::size_t>(i)] != kUnreached ? 1 : 0);
            }
        }
        // Type 0 with the adjacency matrix itself as the weights.
        ASSERT_EQ(shortestPaths(source, adjacency, 0, adjacency.data()).distances, expected);
    }
}

TEST(GraphSP, RandomWeightsIncludingNegativeMatchTheDescribedSearch) {
    std::mt19937 rng(23);
    std::uniform_int_distribution<int> weight(-3, 20);
    for (int trial = 0; trial < 200; ++trial) {
        const int n = 1 + trial % 30;
        std::bernoulli_distribution edge(0.25);
        std::vector<uint8_t> adjacency(static_cast<std::size_t>(n * n), 0);
        std::vector<double> w(adjacency.size());
        for (std::size_t i = 0; i < adjacency.size(); ++i) {
            adjacency[i] = edge(rng) ? 1 : 0;
            w[i] = weight(rng);
        }
        const int source = trial % n;
        const reference::Distances expected = reference::shortestPaths(source, adjacency, w);
        const Result actual = shortestPaths(source, adjacency, 4, w.data());
        ASSERT_EQ(actual.distances, expected.distances) << "trial " << trial;
        ASSERT_EQ(actual.reached, expected.reached) << "trial " << trial;
        std::vector<int16_t> w16(w.begin(), w.end());
        ASSERT_EQ(shortestPaths(source, adjacency, 1, w16.data()).distances, expected.distances);
    }
}

}  // namespace
