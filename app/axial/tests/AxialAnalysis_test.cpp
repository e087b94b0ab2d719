// The analysis of axial lines: which lines are joined, the measures of small known graphs and
// of a hand-derived map, and the indexed pair search against the plain one.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "axial/AxialAnalysis.h"
#include "axial/AxialMapGeneration.h"
#include "axial/tests/AxialTestPlans.h"

namespace {

using Lines = std::vector<PlanSegment>;

PlanSegment S(double x0, double y0, double x1, double y1) {
    return PlanSegment{{x0, y0}, {x1, y1}};
}

using Edges = std::vector<std::pair<int32_t, int32_t>>;

// The graph's pairs i < j, row by row.
Edges EdgesOf(const CVisibilityGraph& graph) {
    Edges edges;
    for (int32_t i = 0; i < graph.nodeCount(); ++i) {
        for (int32_t j = i + 1; j < graph.nodeCount(); ++j) {
            if (graph.adjacent(i, j)) {
                edges.push_back({i, j});
            }
        }
    }
    return edges;
}

struct EdgeCase {
    const char* name;
    Lines lines;
    Edges edges;
};

TEST(AxialGraph, LinesJoinedWhereTheyShareExactlyOnePoint) {
    const EdgeCase cases[] = {
        {"one line", {S(0, 0, 1, 1)}, {}},
        {"two crossing lines", {S(0, 0, 2, 2), S(0, 2, 2, 0)}, {{0, 1}}},
        {"touching end to end", {S(0, 0, 2, 0), S(2, 0, 2, 5)}, {{0, 1}}},
        {"end on the other's inside", {S(0, 0, 4, 0), S(2, 0, 2, 5)}, {{0, 1}}},
        {"collinear overlapping: not joined", {S(0, 0, 4, 0), S(2, 0, 6, 0)}, {}},
        {"collinear touching end to end: not joined", {S(0, 0, 4, 0), S(4, 0, 6, 0)}, {}},
        {"parallel", {S(0, 0, 4, 0), S(0, 1, 4, 1)}, {}},
        {"zero-length line", {S(1, 1, 1, 1), S(0, 0, 2, 2)}, {}},
        {"apart", {S(0, 0, 1, 0), S(3, 3, 4, 4)}, {}},
        {"triangle", {S(0, 0, 10, 0), S(10, 0, 5, 8), S(5, 8, 0, 0)}, {{0, 1}, {0, 2}, {1, 2}}},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (AxialGraphMethod method : {AxialGraphMethod::Reference, AxialGraphMethod::Indexed}) {
            const CVisibilityGraph graph = BuildAxialGraph(c.lines, method);
            EXPECT_EQ(graph.nodeCount(), static_cast<int32_t>(c.lines.size()));
            EXPECT_EQ(EdgesOf(graph), c.edges);
            EXPECT_EQ(graph.edgeCount(), static_cast<int32_t>(c.edges.size()));
            // Symmetric, nothing on the diagonal.
            for (int32_t i = 0; i < graph.nodeCount(); ++i) {
                EXPECT_FALSE(graph.adjacent(i, i));
                for (int32_t j = 0; j < graph.nodeCount(); ++j) {
                    EXPECT_EQ(graph.adjacent(i, j), graph.adjacent(j, i));
                }
            }
        }
    }
}

struct MeasureRow {
    int32_t connectivity;
    double meanDepth;
    double relativeAsymmetry;
    double integration;
    double globalRelativeE;
};

struct MeasureCase {
    const char* name;
    Lines lines;
    std::vector<MeasureRow> rows;
};

TEST(AxialAnalysis, MeasuresOfKnownGraphs) {
    // The L room's reduced map is the path L1 - L2 - L5 - L4 (index 0, 1, 3, 2): L1 and L4 lie
    // on x + y = 20 and share (10, 10), which does not join them. End lines: depths 1, 2, 3, so
    // mean depth 2 and relative asymmetry 2 (2 - 1) / 2 = 1; inner lines: depths 1, 1, 2,
    // mean depth 4/3 and relative asymmetry 1/3. Integration sums 1/RA over the neighbours.
    const double third = 1.0 / 3.0;
    const MeasureCase cases[] = {
        {"one line", {S(0, 0, 1, 0)}, {{0, 0.0, -1.0, -1.0, 1.0}}},
        {"two crossing lines",
         {S(0, 0, 2, 2), S(0, 2, 2, 0)},
         {{1, 1.0, -1.0, -1.0, -1.0}, {1, 1.0, -1.0, -1.0, -1.0}}},
        {"triangle",
         {S(0, 0, 10, 0), S(10, 0, 5, 8), S(5, 8, 0, 0)},
         {{2, 1.0, 0.0, -1.0, -1.0}, {2, 1.0, 0.0, -1.0, -1.0}, {2, 1.0, 0.0, -1.0, -1.0}}},
        {"collinear overlapping lines",
         {S(0, 0, 4, 0), S(2, 0, 6, 0)},
         {{0, 0.0, -1.0, -1.0, 1.0}, {0, 0.0, -1.0, -1.0, 1.0}}},
        {"L room reduced map",
         {S(20, 0, 10, 10), S(20, 10, 0, 0), S(10, 10, 0, 20), S(10, 20, 0, 0)},
         {{1, 2.0, 1.0, 1.0 / third, 0},
          {2, 4.0 / 3.0, third, 1.0 + 1.0 / third, 0},
          {1, 2.0, 1.0, 1.0 / third, 0},
          {2, 4.0 / 3.0, third, 1.0 + 1.0 / third, 0}}},
    };
    for (const MeasureCase& c : cases) {
        SCOPED_TRACE(c.name);
        const AxialAnalysis a = AnalyseAxialLines(c.lines, 3);
        ASSERT_EQ(a.records.size(), c.rows.size());
        EXPECT_EQ(a.graph.nodeCount(), static_cast<int32_t>(c.lines.size()));
        for (size_t i = 0; i < c.rows.size(); ++i) {
            const GraphMeasureBlock& b = a.records[i].graphMeasures;
            EXPECT_EQ(b.connectivity, c.rows[i].connectivity) << i;
            EXPECT_DOUBLE_EQ(b.meanDepth, c.rows[i].meanDepth) << i;
            EXPECT_DOUBLE_EQ(b.relativeAsymmetry, c.rows[i].relativeAsymmetry) << i;
            EXPECT_DOUBLE_EQ(b.integration, c.rows[i].integration) << i;
            if (c.rows[i].globalRelativeE != 0) {
                EXPECT_DOUBLE_EQ(b.globalRelativeE, c.rows[i].globalRelativeE) << i;
            }
            // Only the graph measures are filled.
            EXPECT_EQ(a.records[i].perimeter, 0.0);
            EXPECT_TRUE(a.records[i].polygon.empty());
        }
    }
}

TEST(AxialAnalysis, NothingForNoLinesOrTooMany) {
    EXPECT_TRUE(AnalyseAxialLines({}, 3).records.empty());
    const Lines tooMany(static_cast<size_t>(kMaxAxialAnalysisLines) + 1, S(0, 0, 1, 1));
    const AxialAnalysis a = AnalyseAxialLines(tooMany, 3);
    EXPECT_TRUE(a.records.empty());
    EXPECT_EQ(a.graph.nodeCount(), 0);
}

Lines RandomLines(uint32_t seed, int count) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> coordinate(0, 12);
    Lines lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back(
            S(coordinate(random), coordinate(random), coordinate(random), coordinate(random)));
    }
    return lines;
}

Lines WithOddLines(Lines lines) {
    // Lines the index leaves to the plain way: not finite, and too short to meet anything.
    lines.push_back(S(NAN, 1, 3, 3));
    lines.insert(lines.begin(), S(2, 2, 2, 2));
    lines.push_back(S(1, 1, INFINITY, 1));
    return lines;
}

TEST(AxialAnalysis, IndexedEqualsReferenceOnGeneratedAndRandomMaps) {
    int edges = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        std::vector<Lines> maps{RandomLines(seed, 5 + static_cast<int>(seed % 60))};
        maps.push_back(WithOddLines(maps[0]));
        for (const AxialTestPlan& plan : {RandomLatticePlan(seed), RandomRoomsPlan(seed)}) {
            for (AxialMapKind kind : {AxialMapKind::AllLines, AxialMapKind::Reduced}) {
                maps.push_back(Generate(plan, kind, AxialMapMethod::Indexed));
            }
        }
        for (const Lines& lines : maps) {
            const AxialAnalysis fast = AnalyseAxialLines(lines, 2);
            const AxialAnalysis plain = AnalyseAxialLines(
                lines, 2, {AxialGraphMethod::Reference, GraphMeasureMethod::Reference});
            edges += plain.graph.edgeCount();
            ASSERT_EQ(fast.graph, plain.graph) << seed;
            ASSERT_EQ(fast.records, plain.records) << seed;  // bit for bit
        }
    }
    EXPECT_GT(edges, 1000);
}

}  // namespace
