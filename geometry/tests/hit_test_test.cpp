// Point-in-polygon test and the grid mask.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "gonion/gonion.h"
#include "reference_paths.h"

namespace {

struct Polygon {
    std::vector<double> x;
    std::vector<double> y;
    int32_t count() const { return static_cast<int32_t>(x.size()); }
};

int32_t hit(const Polygon& pg, double px, double py) {
    return zoHitTestPG(pg.count(), 8, pg.x.data(), pg.y.data(), px, py);
}

int32_t referenceHit(const Polygon& pg, double px, double py) {
    return reference::hitTest(pg.count(), pg.x.data(), pg.y.data(), px, py);
}

const Polygon kSquare{{0, 10, 10, 0}, {0, 0, 10, 10}};
// A concave "U": the notch is x in (4, 6), y above 3.
const Polygon kU{{0, 10, 10, 6, 6, 4, 4, 0}, {0, 0, 10, 10, 3, 3, 10, 10}};

struct HitCase {
    const Polygon* pg;
    double px, py;
    int32_t expected;
};

class HitTest : public testing::TestWithParam<HitCase> {};

TEST_P(HitTest, Result) {
    const auto& c = GetParam();
    EXPECT_EQ(hit(*c.pg, c.px, c.py), c.expected) << "(" << c.px << ", " << c.py << ")";
    EXPECT_EQ(referenceHit(*c.pg, c.px, c.py), c.expected);
}

const Polygon kApexTriangle{{0, 10, 5}, {0, 0, 5}};
const Polygon kSideVertexTriangle{{0, 10, 0}, {0, 5, 10}};

void PrintTo(const HitCase& c, std::ostream* os) {
    const char* shape = c.pg == &kSquare               ? "square"
                        : c.pg == &kU                  ? "U"
                        : c.pg == &kApexTriangle       ? "apex triangle"
                        : c.pg == &kSideVertexTriangle ? "side-vertex triangle"
                                                       : "polygon";
    *os << shape << " at (" << c.px << ", " << c.py << ") gives " << c.expected;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HitTest,
    testing::Values(HitCase{&kSquare, 5, 5, 1}, HitCase{&kSquare, 15, 5, 0},
                    HitCase{&kSquare, 5, 15, 0}, HitCase{&kApexTriangle, 2, 5, 0},
                    HitCase{&kSideVertexTriangle, 5, 5, 1},
                    // Concave polygon: arms, notch, below the notch, on the line through it.
                    HitCase{&kU, 2, 8, 1}, HitCase{&kU, 8, 8, 1}, HitCase{&kU, 5, 8, 0},
                    HitCase{&kU, 5, 2, 1}, HitCase{&kU, 5, 3.5, 0}, HitCase{&kU, 11, 3, 0},
                    // The horizontal line through a reflex vertex row.
                    HitCase{&kU, 2, 3, 1}, HitCase{&kU, 8, 3, 1},
                    // Points on vertices and edges of the concave polygon. A point on the
                    // outline sorts after the crossing it coincides with, so it counts as
                    // inside exactly when that crossing is the first of a pair: left ends in,
                    // right ends out (hand-traced along the horizontal line).
                    HitCase{&kU, 0, 5, 1}, HitCase{&kU, 10, 5, 0}, HitCase{&kU, 4, 6, 0},
                    HitCase{&kU, 6, 6, 1}, HitCase{&kU, 4, 3, 0}, HitCase{&kU, 6, 3, 1},
                    HitCase{&kU, 5, 3, 0}, HitCase{&kU, 0, 0, 1}, HitCase{&kU, 10, 10, 0}));

TEST(HitTest, TooFewVerticesOrBadArguments) {
    const double xs[] = {0, 10, 5};
    const double ys[] = {0, 0, 5};
    EXPECT_EQ(zoHitTestPG(2, 8, xs, ys, 5, 1), 0);
    EXPECT_EQ(zoHitTestPG(3, 4, xs, ys, 5, 1), 0);
    EXPECT_EQ(zoHitTestPG(3, 8, nullptr, ys, 5, 1), 0);
    EXPECT_EQ(zoHitTestPG(3, 8, xs, ys, 5, 1), 1);
}

// Random star polygons with vertices on a lattice, probed at lattice points (on vertices, on
// edges, on lines through vertices) and random points: the fast test must equal the
// straightforward one.
TEST(HitTest, MatchesReferenceOnLatticePolygons) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> lattice(-2, 12);
    std::uniform_real_distribution<double> anywhere(-2.0, 12.0);
    for (int trial = 0; trial < 300; ++trial) {
        Polygon pg;
        const int n = 3 + trial % 30;
        const double cx = 5;
        const double cy = 5;
        for (int i = 0; i < n; ++i) {
            const double a = (i + 0.5) * 2 * M_PI / n;
            const double r = 1 + (lattice(rng) + 2) * 0.35;
            pg.x.push_back(std::round(cx + r * std::cos(a)));
            pg.y.push_back(std::round(cy + r * std::sin(a)));
        }
        for (int probe = 0; probe < 40; ++probe) {
            const double px = probe % 2 == 0 ? lattice(rng) : anywhere(rng);
            const double py = probe % 2 == 0 ? lattice(rng) : anywhere(rng);
            ASSERT_EQ(hit(pg, px, py), referenceHit(pg, px, py))
                << "trial " << trial << " (" << px << ", " << py << ")";
        }
    }
}

TEST(HitTest, ManyCrossingsSpillBeyondTheInlineBuffer) {
    // A comb with 100 teeth: a horizontal line through the teeth crosses 200 edges.
    Polygon comb;
    for (int t = 0; t < 100; ++t) {
        comb.x.insert(comb.x.end(), {2.0 * t, 2.0 * t + 1});
        comb.y.insert(comb.y.end(), {10, 10});
        comb.x.insert(comb.x.end(), {2.0 * t + 1, 2.0 * t + 2});
        comb.y.insert(comb.y.end(), {1, 1});
    }
    comb.x.insert(comb.x.end(), {200, 0});
    comb.y.insert(comb.y.end(), {0, 0});
    std::reverse(comb.x.begin(), comb.x.end());
    std::reverse(comb.y.begin(), comb.y.end());
    for (double px : {0.5, 1.5, 101.5, 198.5, 199.5, 200.5}) {
        EXPECT_EQ(hit(comb, px, 5.3), referenceHit(comb, px, 5.3)) << px;
    }
    EXPECT_EQ(hit(comb, 100.5, 5.3), 1);
    EXPECT_EQ(hit(comb, 101.5, 5.3), 0);
}

struct Grid {
    std::vector<double> columns;
    std::vector<double> rows;
    std::vector<uint8_t> mask;
};

Grid gridMask(const Polygon& pg, std::vector<double> columns, std::vector<double> rows) {
    Grid g{std::move(columns), std::move(rows), {}};
    g.mask.assign(g.columns.size() * g.rows.size(), 7);
    zoHitTestPG2CGrid(pg.count(), 8, pg.x.data(), pg.y.data(),
                      static_cast<int32_t>(g.columns.size()), static_cast<int32_t>(g.rows.size()),
                      g.columns.data(), g.rows.data(), g.mask.data());
    return g;
}

TEST(GridMask, SquareRowsIncludeTheEnds) {
    const Polygon square{{1, 11, 11, 1}, {1, 1, 11, 11}};
    const Grid g = gridMask(square, {1, 3.5, 6, 8.5, 11, 13.5}, {6, 20});
    EXPECT_EQ(g.mask, (std::vector<uint8_t>{1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(GridMask, RowThroughVertices) {
    // A diamond: rows through the side vertices cross there; rows through the top and bottom
    // vertices only touch. Every row must stay correctly paired.
    const Polygon diamond{{5, 10, 5, 0}, {0, 5, 10, 5}};
    const std::vector<double> columns{-1, 0, 2.5, 5, 7.5, 10, 11};
    const Grid g = gridMask(diamond, columns, {0, 5, 10, 2.5});
    const std::vector<uint8_t> expected{
        0, 0, 0, 1, 0, 0, 0,  // bottom vertex only
        0, 1, 1, 1, 1, 1, 0,  // through both side vertices
        0, 0, 0, 1, 0, 0, 0,  // top vertex only
        0, 0, 1, 1, 1, 0, 0,  // edges at x = 2.5 and 7.5, ends included
    };
    EXPECT_EQ(g.mask, expected);
}

TEST(GridMask, RowAlongAConcaveNotchBottom) {
    // The row y = 3 runs along the notch bottom of the U and through two reflex vertices.
    const Grid g = gridMask(kU, {-1, 0, 2, 4, 5, 6, 8, 10, 12}, {3, 5, 10});
    const std::vector<uint8_t> expected{
        0, 1, 1, 1, 1, 1, 1, 1, 0,  // whole width, the notch bottom is boundary
        0, 1, 1, 1, 0, 1, 1, 1, 0,  // the notch is open
        0, 1, 1, 1, 0, 1, 1, 1, 0,  // top edges of the arms
    };
    EXPECT_EQ(g.mask, expected);
}

TEST(GridMask, AgreesWithPointTestAwayFromTheOutline) {
    std::mt19937 rng(9);
    std::uniform_real_distribution<double> radius(1.0, 5.0);
    for (int trial = 0; trial < 50; ++trial) {
        Polygon pg;
        const int n = 3 + trial % 20;
        for (int i = 0; i < n; ++i) {
            const double a = (i + 0.5) * 2 * M_PI / n;
            const double r = radius(rng);
            pg.x.push_back(5 + r * std::cos(a));
            pg.y.push_back(5 + r * std::sin(a));
        }
        std::vector<double> axis;
        for (int i = 0; i <= 40; ++i) {
            axis.push_back(i * 0.2513);
        }
        const Grid g = gridMask(pg, axis, axis);
        for (std::size_t j = 0; j < axis.size(); ++j) {
            for (std::size_t i = 0; i < axis.size(); ++i) {
                ASSERT_EQ(g.mask[j * axis.size() + i], hit(pg, axis[i], axis[j]))
                    << "trial " << trial << " node " << i << ", " << j;
            }
        }
    }
}

// A node is inside by the even-odd rule (edges counted half-open, y above the row) or on the
// outline.
bool insideOrOnOutline(const Polygon& pg, double px, double py) {
    bool inside = false;
    const std::size_t n = pg.x.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t j = (i + 1) % n;
        if (zoIsPointOnSeg(px, py, pg.x[i], pg.y[i], pg.x[j], pg.y[j]) != 0) {
            return true;
        }
        if ((pg.y[i] > py) != (pg.y[j] > py)) {
            const double x = pg.x[i] + (py - pg.y[i]) * (pg.x[j] - pg.x[i]) / (pg.y[j] - pg.y[i]);
            if (x > px) {
                inside = !inside;
            }
        }
    }
    return inside;
}

TEST(GridMask, LatticePolygonsThroughVerticesAndAlongEdges) {
    // Rows and columns on the vertex lattice meet vertices, run along horizontal edges and
    // cross edges at lattice points; polygons may touch or cross themselves.
    std::mt19937 rng(31);
    std::uniform_int_distribution<int> lattice(0, 6);
    std::vector<double> axis;
    for (int i = -1; i <= 14; ++i) {
        axis.push_back(i * 0.5);
    }
    for (int trial = 0; trial < 400; ++trial) {
        Polygon pg;
        const int n = 3 + trial % 8;
        for (int i = 0; i < n; ++i) {
            pg.x.push_back(lattice(rng));
            pg.y.push_back(lattice(rng));
        }
        const Grid g = gridMask(pg, axis, axis);
        for (std::size_t j = 0; j < axis.size(); ++j) {
            for (std::size_t i = 0; i < axis.size(); ++i) {
                ASSERT_EQ(g.mask[j * axis.size() + i],
                          insideOrOnOutline(pg, axis[i], axis[j]) ? 1 : 0)
                    << "trial " << trial << " node (" << axis[i] << ", " << axis[j] << ")";
            }
        }
    }
}

TEST(GridMask, EmptyAndBadArgumentsAreSafe) {
    std::vector<uint8_t> mask(4, 7);
    const double axis[] = {0, 1};
    zoHitTestPG2CGrid(2, 8, kSquare.x.data(), kSquare.y.data(), 2, 2, axis, axis, mask.data());
    EXPECT_EQ(mask, (std::vector<uint8_t>(4, 0)));
    zoHitTestPG2CGrid(4, 8, kSquare.x.data(), kSquare.y.data(), 0, 2, axis, axis, mask.data());
    zoHitTestPG2CGrid(4, 8, kSquare.x.data(), kSquare.y.data(), 2, 2, nullptr, axis, mask.data());
}

}  // namespace
