#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "grid/GridDepth.h"
#include "grid/LevelSearch.h"
#include "grid/tests/GraphFamilies.h"

namespace {

// Depth of every node from `source` (-1 unreached), from the levels of one search.
std::vector<int32_t> LevelDepths(const CLevelSearchGraph& search, int32_t source,
                                 LevelDirection direction) {
    std::vector<int32_t> depth(static_cast<size_t>(search.nodeCount()), -1);
    depth[static_cast<size_t>(source)] = 0;
    LevelSearchScratch scratch;
    SearchLevels(
        search, search.placeOf(source), -1, scratch,
        [&](int64_t level, std::span<const uint64_t> places) {
            for (int32_t p = 0; p < search.nodeCount(); ++p) {
                if (HasBit(places, p)) {
                    EXPECT_EQ(depth[static_cast<size_t>(search.nodeAt(p))], -1) << "twice";
                    depth[static_cast<size_t>(search.nodeAt(p))] = static_cast<int32_t>(level);
                }
            }
        },
        direction);
    return depth;
}

std::vector<int32_t> ShuffledNodes(int32_t n, uint32_t seed) {
    std::vector<int32_t> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::mt19937 random(seed);
    std::shuffle(order.begin(), order.end(), random);
    return order;
}

class LevelSearchOnFamilies : public testing::TestWithParam<size_t> {};

// Every direction, in the nodes' own order, tile order (grid graphs) and a shuffled order,
// from every source, gives the library search's depths.
TEST_P(LevelSearchOnFamilies, DepthsEqualTheLibrarySearch) {
    const GraphFamily family = GraphFamilies()[GetParam()];
    const CVisibilityGraph& g = family.graph;
    const int32_t n = g.nodeCount();
    std::vector<std::vector<int32_t>> orders = {{}, ShuffledNodes(n, 11)};
    if (family.nx > 0) {
        orders.push_back(GridTileOrder(family.nx, family.ny));
    }
    for (const std::vector<int32_t>& order : orders) {
        const CLevelSearchGraph search(g, order);
        EXPECT_TRUE(search.symmetric());
        for (int32_t source = 0; source < n; ++source) {
            const std::vector<int32_t> expected =
                DepthsFrom(g, source, GraphMeasureMethod::Reference);
            for (LevelDirection direction :
                 {LevelDirection::Auto, LevelDirection::TopDown, LevelDirection::BottomUp}) {
                ASSERT_EQ(LevelDepths(search, source, direction), expected)
                    << "source " << source << " direction " << static_cast<int>(direction)
                    << " order size " << order.size();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Families, LevelSearchOnFamilies,
                         testing::Range(size_t{0}, GraphFamilies().size()),
                         [](const testing::TestParamInfo<size_t>& info) {
                             return GraphFamilies()[info.param].name;
                         });

TEST(LevelSearch, StopsAtTheDepthLimit) {
    const CVisibilityGraph g = PathGraph(70);
    const CLevelSearchGraph search(g);
    LevelSearchScratch scratch;
    int64_t levels = 0;
    SearchLevels(search, 10, 3, scratch, [&](int64_t, std::span<const uint64_t>) { ++levels; });
    EXPECT_EQ(levels, 3);
    std::vector<int32_t> within;
    for (int32_t p = 0; p < 70; ++p) {
        if (HasBit(scratch.visited, p)) {
            within.push_back(p);
        }
    }
    EXPECT_EQ(within, (std::vector<int32_t>{7, 8, 9, 10, 11, 12, 13}));
}

// One-sided entries anywhere (a damaged file) make the matrix unsymmetric; the search then
// follows rows only, as the library does.
TEST(LevelSearch, FindsOneSidedEntries) {
    struct Case {
        int32_t n;
        int32_t i;
        int32_t j;
    };
    for (Case c : {Case{2, 0, 1}, Case{65, 64, 3}, Case{65, 3, 64}, Case{130, 129, 128},
                   Case{130, 5, 70}, Case{64, 63, 0}}) {
        std::vector<uint8_t> bytes(static_cast<size_t>(c.n) * c.n, 0);
        bytes[static_cast<size_t>(c.i) * c.n + c.j] = 1;
        const CVisibilityGraph oneSided = CVisibilityGraph::fromByteMatrix(c.n, bytes, 1);
        EXPECT_FALSE(CLevelSearchGraph(oneSided).symmetric()) << c.n << " " << c.i;
        bytes[static_cast<size_t>(c.j) * c.n + c.i] = 1;
        const CVisibilityGraph both = CVisibilityGraph::fromByteMatrix(c.n, bytes, 1);
        EXPECT_TRUE(CLevelSearchGraph(both).symmetric()) << c.n << " " << c.i;
        for (LevelDirection direction : {LevelDirection::Auto, LevelDirection::BottomUp}) {
            const CLevelSearchGraph search(oneSided);
            EXPECT_EQ(LevelDepths(search, c.i, direction)[static_cast<size_t>(c.j)], 1);
            EXPECT_EQ(LevelDepths(search, c.j, direction)[static_cast<size_t>(c.i)], -1);
        }
    }
}

TEST(GridTileOrder, TilesOfEightByEight) {
    EXPECT_EQ(GridTileOrder(3, 2), (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(GridTileOrder(9, 1), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    // 10 x 9: the 8 x 8 tile, the 2 x 8 tile right of it, then the last row in two tiles.
    const std::vector<int32_t> order = GridTileOrder(10, 9);
    ASSERT_EQ(order.size(), 90u);
    EXPECT_EQ(std::vector<int32_t>(order.begin(), order.begin() + 10),
              (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 10, 11}));
    EXPECT_EQ(order[63], 77);
    EXPECT_EQ(std::vector<int32_t>(order.begin() + 64, order.begin() + 68),
              (std::vector<int32_t>{8, 9, 18, 19}));
    EXPECT_EQ(std::vector<int32_t>(order.begin() + 80, order.end()),
              (std::vector<int32_t>{80, 81, 82, 83, 84, 85, 86, 87, 88, 89}));
    std::vector<int32_t> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    std::vector<int32_t> all(90);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(sorted, all);
    EXPECT_TRUE(GridTileOrder(0, 5).empty());
    EXPECT_TRUE(GridTileOrder(5, -1).empty());
    EXPECT_TRUE(GridTileOrder(65536, 65536).empty());
}

TEST(LevelSearch, OrdersThatAreNoPermutationKeepTheNodesInPlace) {
    const CVisibilityGraph g = PathGraph(4);
    for (const std::vector<int32_t>& order :
         {std::vector<int32_t>{0, 1, 2}, std::vector<int32_t>{0, 1, 1, 3},
          std::vector<int32_t>{0, 1, 2, 4}, std::vector<int32_t>{-1, 1, 2, 3}}) {
        const CLevelSearchGraph search(g, order);
        for (int32_t i = 0; i < 4; ++i) {
            EXPECT_EQ(search.placeOf(i), i);
            EXPECT_EQ(search.nodeAt(i), i);
        }
    }
    const CLevelSearchGraph reversed(g, std::vector<int32_t>{3, 2, 1, 0});
    EXPECT_EQ(reversed.placeOf(0), 3);
    EXPECT_EQ(reversed.nodeAt(0), 3);
}

}  // namespace
