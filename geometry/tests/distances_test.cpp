// Distances to lines and segments.
#include <gtest/gtest.h>

#include <cmath>

#include "gonion/gonion.h"

namespace {

constexpr double kUnset = -999;

TEST(DistLine, PerpendicularDistances) {
    EXPECT_DOUBLE_EQ(zoGetDistLP2(0, 0, 1, 0, 3, 4), 4);
    EXPECT_DOUBLE_EQ(zoGetDistLP2(0, 0, 0, 2, 3, 4), 3);
    // The line x + y = 2 and the origin: sqrt(2).
    EXPECT_DOUBLE_EQ(zoGetDistLP2(2, 0, -1, 1, 0, 0), std::sqrt(2.0));
}

TEST(DistLine, FootAndSide) {
    double fx = kUnset;
    double fy = kUnset;
    EXPECT_DOUBLE_EQ(zoGetDistLP2CP(2, 0, -1, 1, 0, 0, &fx, &fy), std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(fx, 1);
    EXPECT_DOUBLE_EQ(fy, 1);
    EXPECT_DOUBLE_EQ(zoGetDistLP2CP(2, 0, -1, 1, 0, 0, nullptr, nullptr), std::sqrt(2.0));

    double side = kUnset;
    EXPECT_DOUBLE_EQ(zoGetDistLPA2(0, 0, 1, 0, 3, 4, &side), 4);
    EXPECT_EQ(side, -4);  // (Q.x - L.x) d.y - (Q.y - L.y) d.x
    fx = fy = kUnset;
    EXPECT_DOUBLE_EQ(zoGetDistLPB2(0, 0, 1, 0, 3, -4, &side, &fx, &fy), 4);
    EXPECT_EQ(side, 4);
    EXPECT_DOUBLE_EQ(fx, 3);
    EXPECT_DOUBLE_EQ(fy, 0);
    // A zero direction measures to the point itself and gives Q as the foot.
    EXPECT_DOUBLE_EQ(zoGetDistLPB2(1, 1, 0, 0, 4, 5, &side, &fx, &fy), 5);
    EXPECT_EQ(fx, 4);
    EXPECT_EQ(fy, 5);
}

struct AlongCase {
    double ax, ay, bx, by, qx, qy, ex, ey;
    int32_t code;
    double distance, hx, hy;  // checked when the code gives outputs
};

void PrintTo(const AlongCase& c, std::ostream* os) {
    *os << "(" << c.ax << ", " << c.ay << ")-(" << c.bx << ", " << c.by << ") from (" << c.qx
        << ", " << c.qy << ") along (" << c.ex << ", " << c.ey << ") gives " << c.code;
}

class DistSegmentAlong : public testing::TestWithParam<AlongCase> {};

TEST_P(DistSegmentAlong, CodeAndOutputs) {
    const auto& c = GetParam();
    double d = kUnset;
    double hx = kUnset;
    double hy = kUnset;
    ASSERT_EQ(zoGetDistSP2Vector(c.ax, c.ay, c.bx, c.by, c.qx, c.qy, c.ex, c.ey, &d, &hx, &hy),
              c.code);
    if (c.code > 0) {
        EXPECT_DOUBLE_EQ(d, c.distance);
        EXPECT_DOUBLE_EQ(hx, c.hx);
        EXPECT_DOUBLE_EQ(hy, c.hy);
    } else {
        EXPECT_EQ(d, kUnset);
        EXPECT_EQ(hx, kUnset);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DistSegmentAlong,
    testing::Values(AlongCase{-1, 0, 1, 0, 0, 5, 0, -1, 1, 5, 0, 0},
                    AlongCase{-1, 0, 1, 0, 5, 0, -1, 0, 3, 4, 1, 0},
                    AlongCase{-1, 0, 1, 0, 5, 0, 1, 0, -3, 0, 0, 0},
                    AlongCase{-1, 0, 1, 0, 5, 0, 0, 1, -3, 0, 0, 0},     // across the line
                    AlongCase{-1, 0, 1, 0, 0.5, 0, 0, 1, 2, 0, 0.5, 0},  // on the segment
                    AlongCase{-1, 0, 1, 0, -1, 0, 0, 1, 2, 0, -1, 0},    // at A
                    AlongCase{-1, 0, 1, 0, -5, 0, 1, 0, 3, 4, -1, 0},    // nearer end A
                    AlongCase{-1, 0, 1, 0, 0, 5, 1, 0, 0, 0, 0, 0},      // parallel
                    AlongCase{-1, 0, 1, 0, 0, 5, 0, 1, -1, 0, 0, 0},     // behind
                    AlongCase{-1, 0, 1, 0, 3, 5, 0, -1, -2, 0, 0, 0},    // hit off the segment
                    AlongCase{-1, 0, 1, 0, 1, 5, 0, -2, 1, 5, 1, 0},  // hit on B; t = 2.5, |e| = 2
                    AlongCase{0, 0, 4, 4, 0, 4, 1, -1, 1, 2 * std::sqrt(2.0), 2, 2},
                    // No direction, no hit: a zero e off the line, on the line outside the
                    // segment and on the segment (still distance 0 there).
                    AlongCase{-1, 0, 1, 0, 0, 5, 0, 0, 0, 0, 0, 0},
                    AlongCase{-1, 0, 1, 0, 5, 0, 0, 0, -3, 0, 0, 0},
                    AlongCase{-1, 0, 1, 0, 0.5, 0, 0, 0, 2, 0, 0.5, 0},
                    // A zero-length segment off Q, and at Q.
                    AlongCase{2, 2, 2, 2, 0, 5, 0, -1, 0, 0, 0, 0},
                    AlongCase{2, 2, 2, 2, 2, 2, 0, -1, 2, 0, 2, 2}));

TEST(DistLineAlong, Codes) {
    double d = kUnset;
    double hx = kUnset;
    double hy = kUnset;
    // The x axis seen from (2, 3) looking straight down along (0, -2): t = 1.5, distance 3.
    EXPECT_EQ(zoGetDistLP2Vector(0, 0, 1, 0, 2, 3, 0, -2, &d, &hx, &hy), 1);
    EXPECT_DOUBLE_EQ(d, 3);
    EXPECT_DOUBLE_EQ(hx, 2);
    EXPECT_DOUBLE_EQ(hy, 0);
    EXPECT_EQ(zoGetDistLP2Vector(0, 0, 1, 0, 2, 0, 0, 1, &d, &hx, &hy), 2);
    EXPECT_EQ(d, 0);
    d = kUnset;
    EXPECT_EQ(zoGetDistLP2Vector(0, 0, 1, 0, 2, 3, 1, 0, &d, &hx, &hy), 0);
    EXPECT_EQ(zoGetDistLP2Vector(0, 0, 1, 0, 2, 3, 0, 1, &d, &hx, &hy), -1);
    EXPECT_EQ(d, kUnset);
    EXPECT_EQ(zoGetDistLP2Vector(0, 0, 1, 0, 2, 3, 0, -1, nullptr, nullptr, nullptr), 1);
    // A zero e or a zero line direction has no hit; Q at the base point of a zero direction
    // is on it.
    d = kUnset;
    EXPECT_EQ(zoGetDistLP2Vector(0, 0, 1, 0, 2, 3, 0, 0, &d, &hx, &hy), 0);
    EXPECT_EQ(zoGetDistLP2Vector(0, 0, 0, 0, 2, 3, 0, -1, &d, &hx, &hy), 0);
    EXPECT_EQ(d, kUnset);
    EXPECT_EQ(zoGetDistLP2Vector(2, 3, 0, 0, 2, 3, 0, -1, &d, &hx, &hy), 2);
    EXPECT_EQ(d, 0);
    // The angle form looks along (cos a, sin a).
    EXPECT_EQ(zoGetDistLP2Angle(0, 0, 1, 0, 2, 3, -M_PI / 2, &d, &hx, &hy), 1);
    EXPECT_NEAR(d, 3, 1e-12);
    EXPECT_EQ(zoGetDistSP2Angle(-1, 0, 1, 0, 0, 5, -M_PI / 2, &d, &hx, &hy), 1);
    EXPECT_NEAR(d, 5, 1e-12);
}

}  // namespace
