// The sweep that finds overlapping edge boxes must give exactly the pairs, in the same order,
// that testing every pair gives: the overlay's meeting points then come out identical.
#include <gtest/gtest.h>

#include <random>

// Internal to the library (hidden there), so compiled into the test directly.
#include "../src/poly_edge_pairs.cpp"

namespace {

using gonion::poly::edgeBoxes;
using gonion::poly::overlappingPairs;
using gonion::poly::overlappingPairsByTestingAll;
using gonion::poly::Ring;

Ring randomRing(std::mt19937& random, int count, double spread, bool onGrid) {
    std::uniform_real_distribution<double> coordinate(-spread, spread);
    std::uniform_int_distribution<int> gridCoordinate(0, static_cast<int>(spread));
    Ring ring;
    for (int k = 0; k < count; ++k) {
        if (onGrid) {
            ring.push_back({double(gridCoordinate(random)), double(gridCoordinate(random))});
        } else {
            ring.push_back({coordinate(random), coordinate(random)});
        }
    }
    return ring;
}

TEST(PolyEdgePairs, SweepMatchesTestingEveryPair) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> count(1, 60);
    for (int trial = 0; trial < 2000; ++trial) {
        const bool onGrid = trial % 2 == 0;
        const Ring a = randomRing(random, count(random), onGrid ? 6 : 10, onGrid);
        const Ring b = randomRing(random, count(random), onGrid ? 6 : 10, onGrid);
        const double margin = trial % 3 == 0 ? 0.0 : 1e-7;
        const auto boxesA = edgeBoxes(a, margin), boxesB = edgeBoxes(b, margin);
        ASSERT_EQ(overlappingPairs(boxesA, boxesB), overlappingPairsByTestingAll(boxesA, boxesB))
            << trial;
    }
}

TEST(PolyEdgePairs, TouchingBoxesCountAndEmptyRingsGiveNothing) {
    const Ring a{{0, 0}, {1, 0}, {1, 1}};
    const Ring b{{1, 1}, {2, 1}, {2, 2}};
    const auto pairs = overlappingPairs(edgeBoxes(a, 0), edgeBoxes(b, 0));
    EXPECT_EQ(pairs, overlappingPairsByTestingAll(edgeBoxes(a, 0), edgeBoxes(b, 0)));
    EXPECT_FALSE(pairs.empty());
    EXPECT_TRUE(overlappingPairs(edgeBoxes(a, 0), {}).empty());
}

}  // namespace
