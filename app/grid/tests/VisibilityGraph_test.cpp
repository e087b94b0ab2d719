#include <gtest/gtest.h>

#include <vector>

#include "document/VisibilityGraph.h"

namespace {

TEST(VisibilityGraph, WordsPerRow) {
    struct Case {
        int32_t n;
        int32_t words;
    };
    for (Case c : {Case{-1, 0}, Case{0, 0}, Case{1, 1}, Case{63, 1}, Case{64, 1}, Case{65, 2},
                   Case{128, 2}, Case{46340, 725}}) {
        EXPECT_EQ(CVisibilityGraph::wordsPerRow(c.n), c.words) << c.n;
    }
}

TEST(VisibilityGraph, InitialiseOnlyForPositiveCounts) {
    CVisibilityGraph g;
    g.initialise(3);
    g.addEdge(0, 2);
    g.initialise(0);
    EXPECT_EQ(g.nodeCount(), 3);
    EXPECT_EQ(g.edgeCount(), 1);
    g.initialise(-5);
    EXPECT_EQ(g.nodeCount(), 3);
    g.initialise(2);
    EXPECT_EQ(g.nodeCount(), 2);
    EXPECT_EQ(g.edgeCount(), 0);
    EXPECT_FALSE(g.adjacent(0, 1));
    g.clear();
    EXPECT_EQ(g, CVisibilityGraph{});
    EXPECT_TRUE(g.words().empty());
}

TEST(VisibilityGraph, EdgesAreSymmetricAcrossWordBoundaries) {
    CVisibilityGraph g;
    g.initialise(130);
    g.addEdge(0, 63);
    g.addEdge(64, 129);
    g.addEdge(127, 128);
    EXPECT_EQ(g.edgeCount(), 3);
    EXPECT_EQ(g.rowWordCount(), 3);
    for (auto [i, j] : {std::pair{0, 63}, std::pair{64, 129}, std::pair{127, 128}}) {
        EXPECT_TRUE(g.adjacent(i, j));
        EXPECT_TRUE(g.adjacent(j, i));
    }
    EXPECT_FALSE(g.adjacent(0, 64));
    EXPECT_FALSE(g.adjacent(63, 63));
    EXPECT_EQ(g.row(0)[0], uint64_t{1} << 63);
    EXPECT_EQ(g.row(129)[1], uint64_t{1});
    EXPECT_EQ(g.row(64)[2], uint64_t{1} << 1);  // node 129 is bit 1 of word 2
    // Adding an existing edge again counts it again.
    g.addEdge(63, 0);
    EXPECT_EQ(g.edgeCount(), 4);
}

TEST(VisibilityGraph, ByteMatrixRoundTrip) {
    CVisibilityGraph g;
    g.initialise(3);
    g.addEdge(0, 1);
    g.addEdge(2, 1);
    const std::vector<uint8_t> expected = {0, 1, 0, 1, 0, 1, 0, 1, 0};
    EXPECT_EQ(g.toByteMatrix(), expected);
    EXPECT_EQ(CVisibilityGraph::fromByteMatrix(3, expected, 2), g);
}

TEST(VisibilityGraph, FromBytesKeepsWhatIsStored) {
    // Any non-zero byte is an edge; an unsymmetric entry stays one-sided.
    const std::vector<uint8_t> bytes = {0, 2, 0, 0};
    const CVisibilityGraph g = CVisibilityGraph::fromByteMatrix(2, bytes, 7);
    EXPECT_TRUE(g.adjacent(0, 1));
    EXPECT_FALSE(g.adjacent(1, 0));
    EXPECT_EQ(g.edgeCount(), 7);
    // Wrong sizes give an empty graph.
    const CVisibilityGraph bad = CVisibilityGraph::fromByteMatrix(3, bytes, 1);
    EXPECT_EQ(bad.nodeCount(), 0);
    EXPECT_TRUE(bad.words().empty());
    EXPECT_EQ(CVisibilityGraph::fromByteMatrix(0, {}, 0), CVisibilityGraph{});
}

}  // namespace
