#include "document/BoundaryCrossing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {

using Points = std::vector<PlanPoint>;

TEST(BoundaryCrossing, FindsTheCrossingOfABowTie) {
    struct Case {
        const char* name;
        Points vertices;
        std::optional<std::pair<int32_t, int32_t>> edges;
        std::string message;
    };
    const Case cases[] = {
        {"square", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {}, ""},
        {"triangle", {{0, 0}, {10, 0}, {5, 5}}, {}, ""},
        // Edges 0 ((0,0)-(10,10)) and 2 ((10,0)-(0,10)) meet at (5, 5).
        {"symmetric bow-tie",
         {{0, 0}, {10, 10}, {10, 0}, {0, 10}},
         {{0, 2}},
         "The boundary crosses itself near (5.000, 5.000)"},
        // y = x/2 against y = 4 - x: x = 8/3, y = 4/3.
        {"skew bow-tie",
         {{0, 0}, {4, 2}, {4, 0}, {0, 4}},
         {{0, 2}},
         "The boundary crosses itself near (2.667, 1.333)"},
        // Edge 0 (y = 0) is crossed by edge 2 at x = 10 - 5 * 2/3 and by edge 3 at
        // x = 5 - 5/3; the pair (0, 2) is reported although the sweep meets (0, 3) first.
        {"lowest pair first",
         {{0, 0}, {10, 0}, {10, 10}, {5, -5}, {0, 10}},
         {{0, 2}},
         "The boundary crosses itself near (6.667, 0.000)"},
        // Two lobes pinched at the vertex (1, 1), visited twice: edges only touch.
        {"pinched at a vertex", {{0, 0}, {2, 0}, {1, 1}, {2, 2}, {0, 2}, {1, 1}}, {}, ""},
        // The vertex (2, 0) lies on edge 0 and both its edges go up: a touch.
        {"vertex on another edge",
         {{0, 0}, {4, 0}, {4, 4}, {3, 4}, {2, 0}, {1, 4}, {0, 4}},
         {},
         ""},
        // Three equal vertices: every edge has zero length.
        {"degenerate", {{1, 1}, {1, 1}, {1, 1}, {1, 1}}, {}, ""},
    };
    for (const Case& c : cases) {
        const PlanPolygon polygon{Points(c.vertices)};
        const auto found = FindBoundaryCrossing(polygon);
        ASSERT_EQ(found.has_value(), c.edges.has_value()) << c.name;
        if (found) {
            EXPECT_EQ(std::make_pair(found->first, found->second), *c.edges) << c.name;
            EXPECT_EQ(BoundaryCrossingMessage(found->at), c.message) << c.name;
        }
    }
}

TEST(BoundaryCrossing, TheSweepFindsWhatEveryPairFinds) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> grid(0, 6);  // many touches and collinear edges
    std::uniform_real_distribution<double> plane(-100.0, 100.0);
    int crossings = 0;
    for (int round = 0; round < 600; ++round) {
        const int count = 4 + round % 40;
        Points vertices;
        for (int i = 0; i < count; ++i) {
            vertices.push_back(round % 2 == 0
                                   ? PlanPoint{double(grid(random)), double(grid(random))}
                                   : PlanPoint{plane(random), plane(random)});
        }
        const PlanPolygon polygon{Points(vertices)};
        const auto fast = FindBoundaryCrossing(polygon);
        const auto reference = FindBoundaryCrossingByAllPairs(polygon);
        ASSERT_EQ(fast.has_value(), reference.has_value()) << round;
        if (fast) {
            ++crossings;
            EXPECT_EQ(fast->first, reference->first) << round;
            EXPECT_EQ(fast->second, reference->second) << round;
            EXPECT_EQ(fast->at, reference->at) << round;  // bit for bit
        }
    }
    EXPECT_GT(crossings, 300);
}

// A circle of many vertices; with two neighbours swapped it crosses itself once.
Points Circle(int count) {
    Points vertices;
    for (int i = 0; i < count; ++i) {
        const double angle = 2.0 * std::numbers::pi * i / count;
        vertices.push_back({1000.0 * std::cos(angle), 1000.0 * std::sin(angle)});
    }
    return vertices;
}

TEST(BoundaryCrossing, LargeBoundariesAreCheckedWithoutComparingEveryPair) {
    const int count = 50000;
    EXPECT_FALSE(FindBoundaryCrossing(PlanPolygon(Circle(count))));
    Points swapped = Circle(count);
    const int k = 40000;
    std::swap(swapped[k], swapped[k + 1]);
    // Edges k-1 (v[k-1] to v[k+1]) and k+1 (v[k] to v[k+2]) now cross.
    const auto found = FindBoundaryCrossing(PlanPolygon(std::move(swapped)));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->first, k - 1);
    EXPECT_EQ(found->second, k + 1);
}

TEST(BoundaryCrossing, NonFiniteCoordinatesAreNotSearched) {
    const PlanPolygon polygon(Points{{0, 0}, {10, 10}, {NAN, 0}, {0, 10}});
    EXPECT_FALSE(FindBoundaryCrossing(polygon));
    EXPECT_FALSE(FindBoundaryCrossingByAllPairs(polygon));
}

}  // namespace
