// Area, centroid and orientation of polygons.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "gonion/gonion.h"

namespace {

struct Vertex {
    double x;
    double y;
};

double area(const std::vector<Vertex>& pg) {
    return zoGetGeoAreaPGF(static_cast<int32_t>(pg.size()), sizeof(Vertex), &pg[0].x, &pg[0].y);
}

std::vector<Vertex> reversed(std::vector<Vertex> pg) {
    return {pg.rbegin(), pg.rend()};
}

// A counter-clockwise polygon that is star-shaped around the centre c: one vertex in each of
// n >= 4 equal angular sectors; neighbours are less than half a turn apart, so c is strictly
// inside and sees every edge.
std::vector<Vertex> randomStar(std::mt19937& rng, int n, Vertex c = {0, 0}) {
    std::uniform_real_distribution<double> jitter(0.25, 0.75);
    std::uniform_real_distribution<double> radius(0.5, 100.0);
    std::vector<Vertex> pg;
    for (int i = 0; i < n; ++i) {
        const double a = (i + jitter(rng)) * 2.0 * M_PI / n;
        const double r = radius(rng);
        pg.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
    return pg;
}

// Sum of the triangles (c, v_i, v_i+1), each by half its base times its height.
double fanArea(const std::vector<Vertex>& pg, Vertex c) {
    double sum = 0.0;
    for (std::size_t i = 0; i < pg.size(); ++i) {
        const Vertex& a = pg[i];
        const Vertex& b = pg[(i + 1) % pg.size()];
        const double base = std::hypot(b.x - a.x, b.y - a.y);
        const double height =
            std::fabs((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x)) / base;
        sum += 0.5 * base * height;
    }
    return sum;
}

TEST(PolygonArea, TriangleInEitherOrder) {
    const std::vector<Vertex> triangle{{0, 0}, {4, 0}, {0, 3}};
    for (const auto& pg : {triangle, reversed(triangle)}) {
        EXPECT_EQ(area(pg), 6.0);
        double cx = 0;
        double cy = 0;
        zoGetGeoCentPGF(3, sizeof(Vertex), &pg[0].x, &pg[0].y, &cx, &cy);
        EXPECT_DOUBLE_EQ(cx, 4.0 / 3.0);
        EXPECT_DOUBLE_EQ(cy, 1.0);
    }
}

TEST(PolygonArea, BadArgumentsGiveMinusOne) {
    const double xs[] = {0, 1, 2};
    const double ys[] = {0, 1, 0};
    const int32_t ixs[] = {0, 1, 2};
    EXPECT_EQ(zoGetGeoAreaPGF(2, 8, xs, ys), -1.0);
    EXPECT_EQ(zoGetGeoAreaPGF(3, 7, xs, ys), -1.0);
    EXPECT_EQ(zoGetGeoAreaPGF(3, 8, nullptr, ys), -1.0);
    EXPECT_EQ(zoGetGeoAreaPGF(3, 8, xs, nullptr), -1.0);
    EXPECT_EQ(zoGetGeoAreaPGF(3, 8, xs, ys), 1.0);
    EXPECT_EQ(zoGetGeoAreaPG(2, 4, ixs, ixs), -1.0);
    EXPECT_EQ(zoGetGeoAreaPG(3, 3, ixs, ixs), -1.0);
    EXPECT_EQ(zoGetGeoAreaPG(3, 4, nullptr, ixs), -1.0);
}

TEST(PolygonArea, CollinearPolygonLeavesCentroidUntouched) {
    const double xs[] = {0, 1, 2, 3};
    const double ys[] = {0, 1, 2, 3};
    EXPECT_EQ(zoGetGeoAreaPGF(4, 8, xs, ys), 0.0);
    double cx = 7;
    double cy = 9;
    zoGetGeoCentPGF(4, 8, xs, ys, &cx, &cy);
    EXPECT_EQ(cx, 7);
    EXPECT_EQ(cy, 9);
    zoGetGeoCentPGF(2, 8, xs, ys, &cx, &cy);
    EXPECT_EQ(cx, 7);
    const int32_t ixs[] = {0, 1, 2, 3};
    zoGetGeoCentPG(4, 4, ixs, ixs, &cx, &cy);
    EXPECT_EQ(cx, 7);
    EXPECT_EQ(cy, 9);
}

TEST(PolygonArea, RandomStarsMatchFanTriangulation) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 200; ++trial) {
        const Vertex centre{trial * 3.0 - 200.0, 50.0 - trial};
        const auto pg = randomStar(rng, 4 + trial % 40, centre);
        const double fan = fanArea(pg, centre);
        EXPECT_NEAR(area(pg), fan, 1e-9 * fan);
        EXPECT_NEAR(area(reversed(pg)), fan, 1e-9 * fan);
    }
}

TEST(PolygonArea, CentroidOfLShape) {
    // Two rectangles: [0,4]x[0,1] (area 4, centre (2, 0.5)) and [0,1]x[1,3] (area 2, centre
    // (0.5, 2)); the whole: ((8 + 1) / 6, (2 + 4) / 6).
    const std::vector<Vertex> l{{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 3}, {0, 3}};
    for (const auto& pg : {l, reversed(l)}) {
        EXPECT_DOUBLE_EQ(area(pg), 6.0);
        double cx = 0;
        double cy = 0;
        zoGetGeoCentPGF(6, sizeof(Vertex), &pg[0].x, &pg[0].y, &cx, &cy);
        EXPECT_DOUBLE_EQ(cx, 1.5);
        EXPECT_DOUBLE_EQ(cy, 1.0);
    }
}

TEST(PolygonArea, IntegerVariantMatchesDoubles) {
    const int32_t xs[] = {0, 4, 4, 1, 1, 0};
    const int32_t ys[] = {0, 0, 1, 1, 3, 3};
    EXPECT_EQ(zoGetGeoAreaPG(6, 4, xs, ys), 6.0);
    double cx = 0;
    double cy = 0;
    zoGetGeoCentPG(6, 4, xs, ys, &cx, &cy);
    EXPECT_DOUBLE_EQ(cx, 1.5);
    EXPECT_DOUBLE_EQ(cy, 1.0);
}

TEST(PolygonArea, IntegerVariantDoesNotWrapOnLargeCoordinates) {
    // A square of side 2^31 - 1 overflows 32-bit products; the area must still be exact.
    const int32_t m = 2147483647;
    const int32_t n = -2147483647 - 1;
    const int32_t xs[] = {0, m, m, 0};
    const int32_t ys[] = {0, 0, m, m};
    EXPECT_EQ(zoGetGeoAreaPG(4, 4, xs, ys), static_cast<double>(m) * m);
    const int32_t bx[] = {n, m, m, n};
    const int32_t by[] = {n, n, m, m};
    const double side = static_cast<double>(m) - n;
    EXPECT_EQ(zoGetGeoAreaPG(4, 4, bx, by), side * side);
    double cx = 1;
    double cy = 1;
    zoGetGeoCentPG(4, 4, bx, by, &cx, &cy);
    EXPECT_NEAR(cx, -0.5, 1e-6);
    EXPECT_NEAR(cy, -0.5, 1e-6);
}

TEST(PolygonArea, RecordsWithOtherFieldsFirst) {
    // 32-byte records whose x and y lie at bytes 16 and 24, as the application's cells do.
    struct Record {
        double other[2];
        double x;
        double y;
    };
    const Record square[] = {{{9, 9}, 0, 0}, {{9, 9}, 2, 0}, {{9, 9}, 2, 2}, {{9, 9}, 0, 2}};
    EXPECT_EQ(zoGetGeoAreaPGF(4, sizeof(Record), &square[0].x, &square[0].y), 4.0);
    double cx = 0;
    double cy = 0;
    zoGetGeoCentPGF(4, sizeof(Record), &square[0].x, &square[0].y, &cx, &cy);
    EXPECT_EQ(cx, 1.0);
    EXPECT_EQ(cy, 1.0);
    EXPECT_EQ(zoHitTestPG(4, sizeof(Record), &square[0].x, &square[0].y, 1.5, 0.5), 1);
    EXPECT_EQ(zoHitTestPG(4, sizeof(Record), &square[0].x, &square[0].y, 2.5, 0.5), 0);
}

TEST(PolygonOrientation, ClockwiseFlipsUnderReversal) {
    const std::vector<Vertex> cw{{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    EXPECT_EQ(zoPolyIsCW(4, sizeof(Vertex), &cw[0].x, &cw[0].y), 1);
    const auto ccw = reversed(cw);
    EXPECT_EQ(zoPolyIsCW(4, sizeof(Vertex), &ccw[0].x, &ccw[0].y), 0);
    std::mt19937 rng(3);
    for (int trial = 0; trial < 100; ++trial) {
        const auto star = randomStar(rng, 4 + trial % 20);
        const auto back = reversed(star);
        const int32_t n = static_cast<int32_t>(star.size());
        EXPECT_EQ(zoPolyIsCW(n, sizeof(Vertex), &star[0].x, &star[0].y), 0);
        EXPECT_EQ(zoPolyIsCW(n, sizeof(Vertex), &back[0].x, &back[0].y), 1);
    }
}

TEST(PolygonOrientation, DegenerateIsNotClockwise) {
    const double xs[] = {0, 1, 2};
    const double ys[] = {0, 1, 2};
    EXPECT_EQ(zoPolyIsCW(3, 8, xs, ys), 0);
    EXPECT_EQ(zoPolyIsCW(1, 8, xs, ys), 0);
    EXPECT_EQ(zoPolyIsCW(0, 8, xs, ys), 0);
    EXPECT_EQ(zoPolyIsCW(3, 8, nullptr, ys), 0);
}

TEST(VectorProducts, CrossAndDot) {
    EXPECT_EQ(zoGetVectorCross(2, 3, 5, 7), 2 * 7 - 3 * 5);
    EXPECT_EQ(zoGetVectorDot(2, 3, 5, 7), 2 * 5 + 3 * 7);
}

}  // namespace
