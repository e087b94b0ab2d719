// The parallel mirroring of a lower triangle against the plain loop over its bits, on sizes
// around the 64-node tiles and the 8-word tasks, sparse to full, with stray bits on and above
// the diagonal (which both leave in place and do not count).
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "document/VisibilityGraph.h"

namespace {

CVisibilityGraph RandomLowerTriangle(int32_t n, double density, bool strayBits, uint32_t seed) {
    CVisibilityGraph graph;
    graph.initialise(n);
    std::mt19937 random(seed);
    std::bernoulli_distribution set(density);
    for (int32_t i = 0; i < n; ++i) {
        const std::span<uint64_t> row = graph.lowerRowForWriting(i);
        for (int32_t j = 0; j < i; ++j) {
            if (set(random)) {
                row[static_cast<size_t>(j / 64)] |= uint64_t{1} << (j % 64);
            }
        }
        if (strayBits) {
            const int32_t j = i + static_cast<int32_t>(random() % static_cast<uint32_t>(n - i));
            row[static_cast<size_t>(j / 64)] |= uint64_t{1} << (j % 64);
        }
    }
    return graph;
}

TEST(VisibilityGraph, TiledMirrorIsTheBitByBitOne) {
    for (const int32_t n : {1, 2, 63, 64, 65, 129, 511, 512, 513, 1100}) {
        for (const double density : {0.0, 0.02, 0.5, 1.0}) {
            for (const bool stray : {false, true}) {
                CVisibilityGraph tiled = RandomLowerTriangle(n, density, stray, 7u * n + 1);
                CVisibilityGraph plain = tiled;
                tiled.completeFromLowerTriangle();
                plain.completeFromLowerTriangleOneByOne();
                EXPECT_TRUE(tiled == plain) << n << " nodes, density " << density << ", stray "
                                            << stray;
                if (density == 1.0 && !stray) {
                    EXPECT_EQ(tiled.edgeCount(), static_cast<int64_t>(n) * (n - 1) / 2);
                }
            }
        }
    }
}

}  // namespace
