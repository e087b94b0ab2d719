// The all-line and reduced generators: hand-derived maps of small plans, the blocking and
// duplicate rules, and the indexed generator against the plain reference on many plans.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "axial/AxialGeometry.h"
#include "axial/AxialMapGeneration.h"
#include "axial/AxialWallIndex.h"
#include "axial/tests/AxialTestPlans.h"

namespace {

using Lines = std::vector<PlanSegment>;

constexpr AxialMapMethod kMethods[] = {AxialMapMethod::Reference, AxialMapMethod::Indexed};

PlanSegment S(double x0, double y0, double x1, double y1) {
    return PlanSegment{{x0, y0}, {x1, y1}};
}

const AxialTestPlan& Square() {
    static const AxialTestPlan plan({Ring({{0, 0}, {10, 0}, {10, 10}, {0, 10}})});
    return plan;
}

// An L-shaped room, counter-clockwise; (10, 10) is a right-turn corner.
const AxialTestPlan& LRoom() {
    static const AxialTestPlan plan(
        {Ring({{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 20}, {0, 20}})});
    return plan;
}

struct MapCase {
    const char* name;
    const AxialTestPlan* plan;
    AxialMapKind kind;
    Lines expected;
};

// Worked out by hand: the walk starts at vertex 1 of each polygon; the second of two equal
// lines is dropped; the reduced map keeps, of equally long lines, the one to the later vertex.
TEST(AxialMapGeneration, HandDerivedMapsFromBothGenerators) {
    const AxialTestPlan squareWithFarWall(
        {Ring({{0, 0}, {10, 0}, {10, 10}, {0, 10}}), Ring({{20, -10}, {30, -20}})});
    const AxialTestPlan squareWithWallVertexOnDiagonals(
        {Ring({{0, 0}, {10, 0}, {10, 10}, {0, 10}}), Ring({{5, 5}, {5, 5.5}, {5.5, 5.5}})});
    const MapCase cases[] = {
        {"square all lines: the two diagonals",
         &Square(),
         AxialMapKind::AllLines,
         {S(10, 0, 0, 10), S(10, 10, 0, 0)}},
        {"square reduced: the same two",
         &Square(),
         AxialMapKind::Reduced,
         {S(10, 0, 0, 10), S(10, 10, 0, 0)}},
        // The wall on x + y = 10 lies far outside the square and still blocks that diagonal.
        {"collinear wall far away blocks",
         &squareWithFarWall,
         AxialMapKind::AllLines,
         {S(10, 10, 0, 0)}},
        {"collinear wall far away blocks (reduced)",
         &squareWithFarWall,
         AxialMapKind::Reduced,
         {S(10, 10, 0, 0)}},
        {"L room all lines",
         &LRoom(),
         AxialMapKind::AllLines,
         {S(20, 0, 10, 10), S(20, 10, 0, 0), S(10, 10, 0, 0), S(10, 10, 0, 20), S(10, 20, 0, 0)}},
        {"L room reduced",
         &LRoom(),
         AxialMapKind::Reduced,
         {S(20, 0, 10, 10), S(20, 10, 0, 0), S(10, 10, 0, 20), S(10, 20, 0, 0)}},
    };
    for (const MapCase& c : cases) {
        for (AxialMapMethod method : kMethods) {
            SCOPED_TRACE(std::string(c.name) +
                         (method == AxialMapMethod::Reference ? " reference" : " indexed"));
            EXPECT_EQ(Generate(*c.plan, c.kind, method), c.expected);
        }
    }
    // The wall polygon's vertex (5, 5) lies on both diagonals: neither is generated.
    for (AxialMapMethod method : kMethods) {
        for (AxialMapKind kind : {AxialMapKind::AllLines, AxialMapKind::Reduced}) {
            for (const PlanSegment& line :
                 Generate(squareWithWallVertexOnDiagonals, kind, method)) {
                EXPECT_FALSE(LinesEqual(line, S(0, 0, 10, 10)));
                EXPECT_FALSE(LinesEqual(line, S(10, 0, 0, 10)));
            }
        }
    }
}

TEST(AxialMapGeneration, BlockingRuleCases) {
    struct Case {
        const char* name;
        PlanSegment candidate;
        PlanSegment wall;
        bool blocks;
    };
    const Case cases[] = {
        {"crossing in the middle", S(0, 0, 10, 10), S(0, 10, 10, 0), true},
        {"touching at the start only", S(0, 0, 10, 10), S(0, 0, 5, -5), false},
        {"touching at the end only", S(0, 0, 10, 10), S(10, 10, 20, 0), false},
        {"wall end on the candidate's inside", S(0, 0, 10, 10), S(5, 5, 9, 1), true},
        {"collinear, overlapping", S(0, 0, 10, 10), S(2, 2, 3, 3), true},
        {"collinear, far away", S(0, 0, 10, 10), S(100, 100, 200, 200), true},
        {"collinear, touching at the end", S(0, 0, 10, 10), S(10, 10, 20, 20), true},
        {"parallel, off the line", S(0, 0, 10, 10), S(0, 1, 10, 11), false},
        {"zero-length wall", S(0, 0, 10, 10), S(5, 5, 5, 5), false},
        {"missing the candidate", S(0, 0, 10, 10), S(20, 0, 30, -10), false},
        {"touching within the tolerance of the end", S(0, 0, 10, 10), S(10 + 1e-9, 10, 20, 0),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WallBlocks(c.candidate.start, c.candidate.end, c.wall), c.blocks);
        const std::vector<PlanSegment> walls{c.wall};
        const AxialWallIndex index(walls);
        AxialWallScratch scratch;
        EXPECT_EQ(index.blocks(c.candidate.start, c.candidate.end, scratch), c.blocks);
    }
}

TEST(AxialMapGeneration, RepeatedRunsAndEmptyPlans) {
    for (AxialMapMethod method : kMethods) {
        for (AxialMapKind kind : {AxialMapKind::AllLines, AxialMapKind::Reduced}) {
            const Lines once = Generate(LRoom(), kind, method);
            EXPECT_EQ(Generate(LRoom(), kind, method, once), once) << "a second run adds nothing";
            // Lines given reversed count as the same lines.
            Lines reversed;
            for (const PlanSegment& l : once) {
                reversed.push_back({l.end, l.start});
            }
            EXPECT_EQ(Generate(LRoom(), kind, method, reversed), reversed);
            EXPECT_TRUE(Generate(AxialTestPlan({}), kind, method).empty());
            // One- and two-point polygons have no wedge.
            EXPECT_TRUE(
                Generate(AxialTestPlan({Ring({{1, 1}}), Ring({{0, 0}, {5, 5}})}), kind, method)
                    .empty());
        }
    }
}

TEST(AxialMapGeneration, CornerWedges) {
    struct Case {
        const char* name;
        PlanPoint prev, cur, next, q;
        bool target;
    };
    const Case cases[] = {
        {"left turn, inside", {0, 0}, {10, 0}, {10, 10}, {5, 5}, true},
        {"left turn, on the arriving edge's line", {0, 0}, {10, 0}, {10, 10}, {5, 0}, false},
        {"left turn, on the leaving edge", {0, 0}, {10, 0}, {10, 10}, {10, 5}, false},
        {"left turn, left of one edge only", {0, 0}, {10, 0}, {10, 10}, {15, 5}, false},
        {"right turn, left of the arriving edge only", {20, 10}, {10, 10}, {10, 20}, {20, 0}, true},
        {"right turn, left of the leaving edge only", {20, 10}, {10, 10}, {10, 20}, {0, 20}, true},
        {"right turn, right of both", {20, 10}, {10, 10}, {10, 20}, {20, 20}, false},
        {"straight on, left of both", {0, 0}, {5, 0}, {10, 0}, {5, 3}, true},
        {"the corner itself", {0, 0}, {10, 0}, {10, 10}, {10, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsCornerTarget(MakeCorner(c.prev, c.cur, c.next), c.q), c.target);
    }
}

// A plan scaled and moved far from the origin, so that tolerances meet real magnitudes.
AxialTestPlan Transformed(const AxialTestPlan& plan, double scale, double dx, double dy) {
    std::vector<PlanPolygon> polygons;
    for (const PlanPolygon& polygon : plan.polygons) {
        std::vector<PlanPoint> points;
        for (const PlanPoint& p : polygon.points()) {
            points.push_back({p.x * scale + dx, p.y * scale + dy});
        }
        polygons.push_back(Ring(points));
    }
    return AxialTestPlan(std::move(polygons));
}

TEST(AxialMapGeneration, IndexedEqualsReferenceOnManyPlans) {
    int plans = 0;
    int lines = 0;
    for (uint32_t seed = 1; seed <= 120; ++seed) {
        std::vector<AxialTestPlan> variants{RandomLatticePlan(seed), RandomRoomsPlan(seed)};
        variants.push_back(Transformed(variants[1], 1000.0, 4.0e5, -2.5e6));
        variants.push_back(Transformed(variants[0], 0.013, -7.0, 3.0));
        for (const AxialTestPlan& plan : variants) {
            ++plans;
            for (AxialMapKind kind : {AxialMapKind::AllLines, AxialMapKind::Reduced}) {
                const Lines reference = Generate(plan, kind, AxialMapMethod::Reference);
                const Lines indexed = Generate(plan, kind, AxialMapMethod::Indexed);
                ASSERT_EQ(indexed, reference) << "seed " << seed;
                lines += static_cast<int>(reference.size());
                // And on top of an existing map (here: the other kind's map).
                const Lines start = Generate(
                    plan,
                    kind == AxialMapKind::Reduced ? AxialMapKind::AllLines : AxialMapKind::Reduced,
                    AxialMapMethod::Reference);
                ASSERT_EQ(Generate(plan, kind, AxialMapMethod::Indexed, start),
                          Generate(plan, kind, AxialMapMethod::Reference, start))
                    << "seed " << seed;
            }
        }
    }
    EXPECT_GT(lines, plans);  // the plans do make maps
}

// Values a damaged plan may hold: the indexed generator tests such walls the plain way.
TEST(AxialMapGeneration, IndexedEqualsReferenceWithOddCoordinates) {
    const std::vector<std::vector<PlanPoint>> oddWalls = {
        {{NAN, 3}, {4, 4}, {5, 1}},
        {{INFINITY, 2}, {3, 3}},
        {{1e300, -1e300}, {4, 6}, {6, 2}},
        {{2, 2}, {2, 2}, {2, 2}},  // one point three times
        {{3, 3}, {3 + 1e-9, 3}, {3, 3 + 1e-9}},
    };
    for (size_t w = 0; w < oddWalls.size(); ++w) {
        SCOPED_TRACE(w);
        const AxialTestPlan plan({Ring({{0, 0}, {10, 0}, {10, 10}, {5, 4}, {0, 10}}),
                                  Ring({{7, 7}, {7, 8}, {8, 8}}), Ring(oddWalls[w])});
        for (AxialMapKind kind : {AxialMapKind::AllLines, AxialMapKind::Reduced}) {
            EXPECT_EQ(Generate(plan, kind, AxialMapMethod::Indexed),
                      Generate(plan, kind, AxialMapMethod::Reference));
        }
    }
}

TEST(AxialWallIndex, AnswersAsEveryWallOnRandomCandidates) {
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        const AxialTestPlan plan =
            round % 2 == 0 ? RandomLatticePlan(1000 + round, 6) : RandomRoomsPlan(1000 + round, 10);
        const AxialWallIndex index(plan.walls);
        AxialWallScratch scratch;
        std::uniform_int_distribution<int> coordinate(-4, 24);
        std::uniform_int_distribution<size_t> vertex(0, plan.vertices.size() - 1);
        for (int q = 0; q < 400; ++q) {
            // Lattice points (collinear with many walls) and plan vertices.
            const PlanPoint a = q % 3 == 0 ? plan.vertices[vertex(random)]
                                           : PlanPoint{static_cast<double>(coordinate(random)),
                                                       static_cast<double>(coordinate(random))};
            const PlanPoint b = plan.vertices[vertex(random)];
            ASSERT_EQ(index.blocks(a, b, scratch), AnyWallBlocks(a, b, plan.walls))
                << "round " << round << " (" << a.x << "," << a.y << ")-(" << b.x << "," << b.y
                << ")";
        }
    }
}

}  // namespace
