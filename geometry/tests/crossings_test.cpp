// Crossings of lines, half-lines and segments.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "gonion/gonion.h"
#include "reference_paths.h"

namespace {

constexpr double kUnset = -12345.0;

struct SegmentCase {
    double ax, ay, bx, by, ux, uy, vx, vy;
    int32_t code;
    double x, y;  // expected point when code is 1
};

void PrintTo(const SegmentCase& c, std::ostream* os) {
    *os << "(" << c.ax << ", " << c.ay << ")-(" << c.bx << ", " << c.by << ") with (" << c.ux
        << ", " << c.uy << ")-(" << c.vx << ", " << c.vy << ") gives " << c.code;
}

class CrossPointSS : public testing::TestWithParam<SegmentCase> {};

TEST_P(CrossPointSS, CodeAndPoint) {
    const auto& c = GetParam();
    double x = kUnset;
    double y = kUnset;
    ASSERT_EQ(zoGetCrossPointSS(c.ax, c.ay, c.bx, c.by, c.ux, c.uy, c.vx, c.vy, &x, &y), c.code);
    if (c.code == 1) {
        EXPECT_DOUBLE_EQ(x, c.x);
        EXPECT_DOUBLE_EQ(y, c.y);
    } else {
        EXPECT_EQ(x, kUnset);
        EXPECT_EQ(y, kUnset);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CrossPointSS,
    testing::Values(SegmentCase{0, 0, 10, 0, 5, -5, 5, 5, 1, 5, 0},
                    SegmentCase{0, 0, 10, 0, 10, 0, 10, 5, 1, 10, 0},  // touching end points
                    SegmentCase{0, 0, 10, 0, 20, 0, 30, 0, 2, 0, 0},   // one line, no overlap
                    SegmentCase{0, 0, 10, 0, 0, 1, 10, 1, 0, 0, 0},    // parallel
                    SegmentCase{0, 0, 0, 0, 0, 1, 10, 1, 0, 0, 0},     // zero length
                    SegmentCase{0, 0, 10, 10, 0, 10, 10, 0, 1, 5, 5},  // diagonals
                    SegmentCase{0, 0, 10, 10, 0, 10, 4, 6, 0, 0, 0},   // short of it
                    SegmentCase{2, -1, 2, 9, 0, 0, 4, 2, 1, 2, 1},     // AB vertical
                    SegmentCase{0, 0, 4, 2, 2, -1, 2, 9, 1, 2, 1},     // UV vertical
                    SegmentCase{0, 0, 4, 8, -1, 3, 9, 3, 1, 1.5, 3},   // UV horizontal
                    SegmentCase{-1, 3, 9, 3, 0, 0, 4, 8, 1, 1.5, 3},   // AB horizontal
                    // Lines y = x and y = 6 - 2x meet at (2, 2).
                    SegmentCase{0, 0, 3, 3, 0, 6, 3, 0, 1, 2, 2},
                    SegmentCase{0, 0, 3, 3, 3, 0, 0, 6, 1, 2, 2}));

TEST(CrossPointSS, AxisParallelAssignmentsAreExact) {
    // A crossing with a horizontal or vertical segment lies exactly on it.
    double x = 0;
    double y = 0;
    ASSERT_EQ(zoGetCrossPointSS(0.1, 0.1, 0.7, 0.3, 0.3, 0.0, 0.3, 1.0, &x, &y), 1);
    EXPECT_EQ(x, 0.3);
    ASSERT_EQ(zoGetCrossPointSS(0.1, 0.1, 0.7, 0.9, -1.0, 0.3, 1.0, 0.3, &x, &y), 1);
    EXPECT_EQ(y, 0.3);
}

TEST(CrossPointLL, HandSolvedLines) {
    double x = kUnset;
    double y = kUnset;
    // y = 2x + 1 and y = -x + 7 meet at (2, 5).
    ASSERT_EQ(zoGetCrossPointLL(0, 1, 1, 2, 0, 7, 1, -1, &x, &y), 1);
    EXPECT_DOUBLE_EQ(x, 2);
    EXPECT_DOUBLE_EQ(y, 5);
    // x = 3 and y = 0.5x meet at (3, 1.5), in both orders.
    ASSERT_EQ(zoGetCrossPointLL(3, 0, 0, 1, 0, 0, 2, 1, &x, &y), 1);
    EXPECT_DOUBLE_EQ(x, 3);
    EXPECT_DOUBLE_EQ(y, 1.5);
    ASSERT_EQ(zoGetCrossPointLL(0, 0, 2, 1, 3, 0, 0, 1, &x, &y), 1);
    EXPECT_DOUBLE_EQ(x, 3);
    EXPECT_DOUBLE_EQ(y, 1.5);
    // y = 4 and y = x - 1 meet at (5, 4), in both orders.
    ASSERT_EQ(zoGetCrossPointLL(0, 4, 1, 0, 0, -1, 1, 1, &x, &y), 1);
    EXPECT_DOUBLE_EQ(x, 5);
    EXPECT_DOUBLE_EQ(y, 4);
    ASSERT_EQ(zoGetCrossPointLL(0, -1, 1, 1, 0, 4, 1, 0, &x, &y), 1);
    EXPECT_DOUBLE_EQ(x, 5);
    EXPECT_DOUBLE_EQ(y, 4);
    // Two slanted lines whose second point has x != 0: the diagonals of the square of side 10.
    ASSERT_EQ(zoGetCrossPointLL(0, 0, 10, 10, 10, 0, -10, 10, &x, &y), 1);
    EXPECT_DOUBLE_EQ(x, 5);
    EXPECT_DOUBLE_EQ(y, 5);
    // y = 3x - 4 through (2, 2) and y = -0.5x + 6 through (4, 4) meet at (20/7, 32/7).
    ASSERT_EQ(zoGetCrossPointLL(2, 2, 1, 3, 4, 4, -2, 1, &x, &y), 1);
    EXPECT_DOUBLE_EQ(x, 20.0 / 7);
    EXPECT_DOUBLE_EQ(y, 32.0 / 7);
    x = y = kUnset;
    EXPECT_EQ(zoGetCrossPointLL(0, 0, 1, 1, 0, 1, 2, 2, &x, &y), 0);  // parallel
    EXPECT_EQ(zoGetCrossPointLL(0, 0, 0, 0, 0, 1, 2, 2, &x, &y), 0);  // zero direction
    EXPECT_EQ(x, kUnset);
}

TEST(CrossPointLS, EndPointOnTheLineIsReturnedExactly) {
    double x = 0;
    double y = 0;
    // Line y = x through the origin; the segment ends at (0.1, 0.1) on it.
    ASSERT_EQ(zoGetCrossPointLS(0, 0, 1, 1, 0.1, 0.1, 0.7, -0.3, &x, &y), 1);
    EXPECT_EQ(x, 0.1);
    EXPECT_EQ(y, 0.1);
    ASSERT_EQ(zoGetCrossPointLS(0, 0, 1, 1, 0.7, -0.3, 0.1, 0.1, &x, &y), 1);
    EXPECT_EQ(x, 0.1);
    EXPECT_EQ(y, 0.1);
}

TEST(CrossPointLS, HandSolvedAndMisses) {
    double x = kUnset;
    double y = kUnset;
    // Line y = 2x and the segment (0,3)-(3,0) on y = 3 - x meet at (1, 2).
    ASSERT_EQ(zoGetCrossPointLS(0, 0, 1, 2, 0, 3, 3, 0, &x, &y), 1);
    EXPECT_DOUBLE_EQ(x, 1);
    EXPECT_DOUBLE_EQ(y, 2);
    x = y = kUnset;
    EXPECT_EQ(zoGetCrossPointLS(0, 0, 1, 2, 2, 0, 3, 0, &x, &y), 0);  // both ends on one side
    EXPECT_EQ(zoGetCrossPointLS(0, 0, 1, 2, 1, 2, 2, 4, &x, &y), 0);  // along the line
    EXPECT_EQ(zoGetCrossPointLS(0, 0, 0, 0, 0, 3, 3, 0, &x, &y), 0);  // zero direction
    EXPECT_EQ(zoGetCrossPointLS(0, 0, 1, 2, 1, 1, 1, 1, &x, &y), 0);  // zero segment
    EXPECT_EQ(x, kUnset);
    EXPECT_EQ(y, kUnset);
}

TEST(CrossPointHLS, BehindWritesThePointButFails) {
    double x = kUnset;
    double y = kUnset;
    EXPECT_EQ(zoGetCrossPointHLS(0, 0, 1, 0, -5, -1, -5, 1, &x, &y), 0);
    EXPECT_EQ(x, -5);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(zoGetCrossPointHLS(0, 0, 1, 0, 5, -1, 5, 1, &x, &y), 1);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 0);
    // The start point itself counts as ahead.
    EXPECT_EQ(zoGetCrossPointHLS(0, 0, 1, 0, 0, -1, 0, 1, &x, &y), 1);
    x = y = kUnset;
    EXPECT_EQ(zoGetCrossPointHLS(0, 0, 1, 0, 5, 1, 5, 2, &x, &y), 0);
    EXPECT_EQ(x, kUnset);
}

struct Crossings {
    int32_t result;
    std::vector<double> x;
    std::vector<double> y;
};

const double kSquareX[] = {0, 10, 10, 0};
const double kSquareY[] = {0, 0, 10, 10};

Crossings squareWithSegment(double ax, double ay, double bx, double by) {
    Crossings c{0, std::vector<double>(4, kUnset), std::vector<double>(4, kUnset)};
    int32_t n = -1;
    c.result =
        zoGetCrossPointPS(4, 8, kSquareX, kSquareY, ax, ay, bx, by, &n, c.x.data(), c.y.data());
    c.x.resize(static_cast<std::size_t>(std::max(n, 0)));
    c.y.resize(static_cast<std::size_t>(std::max(n, 0)));
    return c;
}

TEST(CrossPointPS, SegmentAlongAnEdge) {
    const Crossings c = squareWithSegment(-5, 0, 15, 0);
    EXPECT_EQ(c.result, 1);
    EXPECT_EQ(c.x, (std::vector<double>{10, 0}));
    EXPECT_EQ(c.y, (std::vector<double>{0, 0}));
}

TEST(CrossPointPS, DiagonalHitsTwoVerticesOnce) {
    const Crossings c = squareWithSegment(-1, -1, 11, 11);
    EXPECT_EQ(c.x, (std::vector<double>{0, 10}));
    EXPECT_EQ(c.y, (std::vector<double>{0, 10}));
}

TEST(CrossPointPS, InsideSegmentFindsNothing) {
    const Crossings c = squareWithSegment(2, 2, 8, 3);
    EXPECT_EQ(c.result, 1);
    EXPECT_TRUE(c.x.empty());
}

TEST(CrossPointPS, BadArguments) {
    int32_t n = -1;
    double x[4];
    double y[4];
    EXPECT_EQ(zoGetCrossPointPS(2, 8, kSquareX, kSquareY, 0, 0, 1, 1, &n, x, y), 0);
    EXPECT_EQ(zoGetCrossPointPS(4, 4, kSquareX, kSquareY, 0, 0, 1, 1, &n, x, y), 0);
    EXPECT_EQ(zoGetCrossPointPS(4, 8, nullptr, kSquareY, 0, 0, 1, 1, &n, x, y), 0);
    EXPECT_EQ(zoGetCrossPointPL(4, 8, kSquareX, nullptr, 0, 0, 1, 1, &n, x, y), 0);
    EXPECT_EQ(n, -1);
}

TEST(CrossPointPL, LineThroughTheSquare) {
    double x[4];
    double y[4];
    int32_t n = -1;
    // The horizontal line y = 5 crosses the right edge, then the left edge (edge order).
    ASSERT_EQ(zoGetCrossPointPL(4, 8, kSquareX, kSquareY, -100, 5, 1, 0, &n, x, y), 1);
    ASSERT_EQ(n, 2);
    EXPECT_EQ(x[0], 10);
    EXPECT_EQ(x[1], 0);
    EXPECT_EQ(y[0], 5);
    // The diagonal line through two corners reports each once.
    ASSERT_EQ(zoGetCrossPointPL(4, 8, kSquareX, kSquareY, 3, 3, 1, 1, &n, x, y), 1);
    ASSERT_EQ(n, 2);
    EXPECT_EQ(x[0], 0);
    EXPECT_EQ(x[1], 10);
    // A line that misses.
    ASSERT_EQ(zoGetCrossPointPL(4, 8, kSquareX, kSquareY, 0, 20, 1, 0, &n, x, y), 1);
    EXPECT_EQ(n, 0);
}

TEST(CrossPointPL, MatchesEdgeByEdgeCrossingsOnLatticePolygons) {
    // Lattice vertices and lines through lattice points hit vertices and run along edges often.
    std::mt19937 rng(21);
    std::uniform_int_distribution<int> lattice(0, 6);
    std::uniform_int_distribution<int> direction(-2, 2);
    for (int trial = 0; trial < 3000; ++trial) {
        const std::size_t n = 3 + static_cast<std::size_t>(trial % 9);
        std::vector<double> xs(n);
        std::vector<double> ys(n);
        for (std::size_t i = 0; i < n; ++i) {
            xs[i] = lattice(rng);
            ys[i] = lattice(rng);
        }
        const double px = lattice(rng);
        const double py = lattice(rng);
        const double dx = direction(rng);
        const double dy = direction(rng) + 0.5 * (trial % 2);
        const reference::Points expected =
            reference::polygonLine(static_cast<int32_t>(n), xs.data(), ys.data(), px, py, dx, dy);
        Crossings actual{0, std::vector<double>(n), std::vector<double>(n)};
        int32_t m = -1;
        actual.result = zoGetCrossPointPL(static_cast<int32_t>(n), 8, xs.data(), ys.data(), px, py,
                                          dx, dy, &m, actual.x.data(), actual.y.data());
        actual.x.resize(static_cast<std::size_t>(m));
        actual.y.resize(static_cast<std::size_t>(m));
        ASSERT_EQ(actual.result, 1);
        ASSERT_EQ(actual.x, expected.x) << "trial " << trial;
        ASSERT_EQ(actual.y, expected.y) << "trial " << trial;
    }
}

}  // namespace
