// The expansion over a hand-made triangulation: what it settles and what it leaves to CGAL's
// query, and the order it hands vertices and sight-line ends out in. (Its agreement with CGAL's
// query on real plans is VisibilityPolygonFastPaths_test's.)
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "isovist/VisibilityExpansion.h"

namespace {

using Answer = VisibilityExpansion::Answer;
using Triangle = VisibilityExpansion::Triangle;

// Every vertex here is a double: an exact question is a fault.
class NoExactQuestions : public VisibilityExpansion::ExactPredicates {
  public:
    int orientation(PlanPoint, int32_t, int32_t) const override {
        ADD_FAILURE() << "exact orientation asked";
        return 0;
    }
    PlanPoint crossing(PlanPoint, int32_t, int32_t, int32_t) const override {
        ADD_FAILURE() << "exact crossing asked";
        return {};
    }
};

std::vector<VisibilityExpansion::Vertex> Vertices(const std::vector<PlanPoint>& points) {
    std::vector<VisibilityExpansion::Vertex> vertices;
    for (const PlanPoint p : points) {
        vertices.push_back({p, ExactlyAt(p), true});
    }
    return vertices;
}

// The square (0,0)-(10,10) split along its diagonal from (0,0) to (10,10), the outline
// constrained unless `gapOnTheLeft`. Triangle 0 is (0,0), (10,0), (10,10); 1 is (0,0), (10,10),
// (0,10); the diagonal is edge 1 of the first and edge 2 of the second.
VisibilityExpansion Square(bool gapOnTheLeft) {
    Triangle lower{{0, 1, 2}, {-1, 1, -1}, {0, 2, 0}, 0b101};
    Triangle upper{{0, 2, 3}, {-1, -1, 0}, {0, 0, 1}, gapOnTheLeft ? uint8_t{0b001} : uint8_t{0b011}};
    return VisibilityExpansion(Vertices({{0, 0}, {10, 0}, {10, 10}, {0, 10}}), {lower, upper});
}

// The square with a wall from (4, 6) to (6, 6) and six triangles around it.
VisibilityExpansion SquareWithWall() {
    // Vertices 0 (0,0), 1 (10,0), 2 (10,10), 3 (0,10), 4 (4,6), 5 (6,6); each triangle
    // counter-clockwise with its neighbour (and mirror) across the edge opposite vertex i.
    std::vector<Triangle> t{
        {{0, 1, 5}, {2, 1, -1}, {1, 2, 0}, 0b100},
        {{0, 5, 4}, {4, 5, 0}, {1, 1, 1}, 0b001},  // edge 0 is the wall
        {{1, 2, 5}, {3, 0, -1}, {2, 0, 0}, 0b100},
        {{5, 2, 3}, {-1, 4, 2}, {0, 2, 0}, 0b001},
        {{5, 3, 4}, {5, 1, 3}, {2, 0, 1}, 0b010},  // edge 1 is the wall
        {{4, 3, 0}, {-1, 1, 4}, {0, 1, 0}, 0b001},
    };
    return VisibilityExpansion(Vertices({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {4, 6}, {6, 6}}),
                               t);
}

// Whether `a` is `b` from some start.
bool SameCycle(const std::vector<PlanPoint>& a, const std::vector<PlanPoint>& b) {
    for (size_t shift = 0; shift < b.size() && a.size() == b.size(); ++shift) {
        bool same = true;
        for (size_t i = 0; i < a.size() && same; ++i) {
            same = a[i] == b[(i + shift) % b.size()];
        }
        if (same) {
            return true;
        }
    }
    return false;
}

TEST(VisibilityExpansion, SettlesPointsInsideTrianglesOnly) {
    const NoExactQuestions exact;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        bool gap;
        PlanPoint q;
        Answer expected;
    };
    const Case cases[] = {
        {"BelowTheDiagonal", false, {7, 3}, Answer::Outline},
        {"AboveTheDiagonal", false, {2, 9}, Answer::Outline},
        {"OnTheDiagonal", false, {5, 5}, Answer::NotSettled},
        {"AtACorner", false, {10, 10}, Answer::NotSettled},
        {"OnTheOutline", false, {10, 4}, Answer::NotSettled},
        {"Outside", false, {11, 5}, Answer::NoRegion},
        {"FarOutside", false, {-1e9, 3e9}, Answer::NoRegion},
        {"NotFinite", false, {nan, 5}, Answer::NotSettled},
        // With a gap in the outline both triangles are in the unbounded face.
        {"InsideAnOpenOutline", true, {7, 3}, Answer::NoRegion},
    };
    std::vector<PlanPoint> outline{{1, 1}};
    for (const Case& c : cases) {
        const VisibilityExpansion square = Square(c.gap);
        EXPECT_EQ(square.compute(c.q, exact, outline), c.expected) << c.name;
        EXPECT_EQ(outline.empty(), c.expected != Answer::Outline) << c.name;
    }
}

// From either triangle, as CGAL's query: the located triangle's vertices 1, 2, 0, each followed
// by the wedge behind the next edge, then rotated to start at the last.
TEST(VisibilityExpansion, HandsOutVerticesInTheQuerysOrder) {
    const NoExactQuestions exact;
    const VisibilityExpansion square = Square(false);
    std::vector<PlanPoint> outline;
    ASSERT_EQ(square.compute({7, 3}, exact, outline), Answer::Outline);
    EXPECT_EQ(outline, (std::vector<PlanPoint>{{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
    ASSERT_EQ(square.compute({2, 9}, exact, outline), Answer::Outline);
    EXPECT_EQ(outline, (std::vector<PlanPoint>{{10, 0}, {10, 10}, {0, 10}, {0, 0}}));
}

// From (5, 2) the sight lines past the wall's ends (4, 6) and (6, 6) meet the top at x = 3 and
// x = 7; from (5, 8), above it, the wall hides the bottom between x = 1 and x = 9.
TEST(VisibilityExpansion, AWallCutsTheSightLinesPastItsEnds) {
    const NoExactQuestions exact;
    const VisibilityExpansion room = SquareWithWall();
    struct Case {
        PlanPoint q;
        std::vector<PlanPoint> expected;
    };
    const Case cases[] = {
        {{5, 2}, {{0, 0}, {10, 0}, {10, 10}, {7, 10}, {6, 6}, {4, 6}, {3, 10}, {0, 10}}},
        {{5, 8}, {{0, 0}, {1, 0}, {4, 6}, {6, 6}, {9, 0}, {10, 0}, {10, 10}, {0, 10}}},
    };
    std::vector<PlanPoint> outline;
    for (const Case& c : cases) {
        ASSERT_EQ(room.compute(c.q, exact, outline), Answer::Outline) << c.q.y;
        EXPECT_TRUE(SameCycle(outline, c.expected)) << c.q.y << ": " << outline.size();
    }
}

}  // namespace
