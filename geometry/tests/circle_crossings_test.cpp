// Crossings with circles.
#include <gtest/gtest.h>

#include <cmath>

#include "gonion/gonion.h"

namespace {

struct CircleHits {
    int32_t result;
    int32_t count;
    double x[2];
    double y[2];
};

constexpr int32_t kUnsetCount = -7;

CircleHits circleLine(double mx, double my, double r, double px, double py, double dx, double dy) {
    CircleHits h{0, kUnsetCount, {0, 0}, {0, 0}};
    h.result = zoGetCrossPointCL(mx, my, r, px, py, dx, dy, &h.count, h.x, h.y);
    return h;
}

CircleHits circleCircle(double ax, double ay, double ar, double bx, double by, double br) {
    CircleHits h{0, kUnsetCount, {0, 0}, {0, 0}};
    h.result = zoGetCrossPointCC(ax, ay, ar, bx, by, br, &h.count, h.x, h.y);
    return h;
}

CircleHits circleSegment(double mx, double my, double r, double ax, double ay, double bx,
                         double by) {
    CircleHits h{0, kUnsetCount, {0, 0}, {0, 0}};
    h.result = zoGetCrossPointCS(mx, my, r, ax, ay, bx, by, &h.count, h.x, h.y);
    return h;
}

double distanceFrom(double x, double y, double cx, double cy) {
    return std::hypot(x - cx, y - cy);
}

TEST(CircleLine, TangentAndSecant) {
    const CircleHits tangent = circleLine(0, 0, 1, 0, 1, 1, 0);
    EXPECT_EQ(tangent.result, 2);
    EXPECT_EQ(tangent.count, 1);
    EXPECT_DOUBLE_EQ(tangent.x[0], 0);
    EXPECT_DOUBLE_EQ(tangent.y[0], 1);

    const CircleHits secant = circleLine(0, 0, 1, 0, 0.5, 1, 1);
    ASSERT_EQ(secant.result, 1);
    ASSERT_EQ(secant.count, 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(distanceFrom(secant.x[i], secant.y[i], 0, 0), 1.0, 1e-12);
        EXPECT_NEAR(secant.y[i] - secant.x[i], 0.5, 1e-12);  // on the line y = x + 0.5
    }
    EXPECT_LT(secant.x[0], secant.x[1]);
}

TEST(CircleLine, AxisParallelLines) {
    // Vertical line x = 3 through the circle of radius 5 at (0, 1): y = 1 -+ 4.
    const CircleHits v = circleLine(0, 1, 5, 3, 100, 0, -2);
    ASSERT_EQ(v.result, 1);
    EXPECT_EQ(v.x[0], 3);
    EXPECT_EQ(v.x[1], 3);
    EXPECT_DOUBLE_EQ(v.y[0], -3);
    EXPECT_DOUBLE_EQ(v.y[1], 5);
    // Horizontal line y = 4 through the circle of radius 5 at (1, 0): x = 1 -+ 3.
    const CircleHits h = circleLine(1, 0, 5, -7, 4, 3, 0);
    ASSERT_EQ(h.result, 1);
    EXPECT_DOUBLE_EQ(h.x[0], -2);
    EXPECT_DOUBLE_EQ(h.x[1], 4);
    EXPECT_EQ(h.y[0], 4);
}

TEST(CircleLine, MissesAndBadArguments) {
    const CircleHits miss = circleLine(0, 0, 1, 0, 2, 1, 0);
    EXPECT_EQ(miss.result, 0);
    EXPECT_EQ(miss.count, 0);
    EXPECT_EQ(circleLine(0, 0, -1, 0, 0, 1, 0).count, kUnsetCount);
    EXPECT_EQ(circleLine(0, 0, 1, 0, 0, 0, 0).count, kUnsetCount);
    int32_t count = kUnsetCount;
    double xs[2];
    EXPECT_EQ(zoGetCrossPointCL(0, 0, 1, 0, 0, 1, 0, &count, xs, nullptr), 0);
    EXPECT_EQ(count, kUnsetCount);
}

TEST(CircleCircle, TwoPoints) {
    // Radius 5 at the origin and radius 5 at (6, 0) meet at (3, -+4).
    const CircleHits h = circleCircle(0, 0, 5, 6, 0, 5);
    ASSERT_EQ(h.result, 1);
    ASSERT_EQ(h.count, 2);
    EXPECT_DOUBLE_EQ(h.x[0], 3);
    EXPECT_DOUBLE_EQ(h.x[1], 3);
    EXPECT_DOUBLE_EQ(std::fabs(h.y[0]), 4);
    EXPECT_DOUBLE_EQ(h.y[0] + h.y[1], 0);
    // The same vertically: (0, 0) r 5 and (0, 6) r 5 meet at (-+4, 3).
    const CircleHits v = circleCircle(0, 0, 5, 0, 6, 5);
    ASSERT_EQ(v.result, 1);
    EXPECT_DOUBLE_EQ(v.y[0], 3);
    EXPECT_DOUBLE_EQ(std::fabs(v.x[0]), 4);
}

TEST(CircleCircle, TangentPointsLieOnBothCircles) {
    const CircleHits external = circleCircle(0, 0, 2, 5, 0, 3);
    ASSERT_EQ(external.result, 2);
    EXPECT_EQ(external.count, 1);
    EXPECT_DOUBLE_EQ(external.x[0], 2);
    EXPECT_DOUBLE_EQ(external.y[0], 0);
    // Internal tangency: radius 5 at the origin, radius 2 at (3, 0): they touch at (5, 0).
    const CircleHits internal = circleCircle(0, 0, 5, 3, 0, 2);
    ASSERT_EQ(internal.result, 2);
    EXPECT_DOUBLE_EQ(internal.x[0], 5);
    EXPECT_DOUBLE_EQ(internal.y[0], 0);
    // With the circles given the other way round, and along a diagonal.
    const CircleHits swapped = circleCircle(3, 4, 2, 0, 0, 7);
    ASSERT_EQ(swapped.result, 2);
    EXPECT_DOUBLE_EQ(swapped.x[0], 4.2);
    EXPECT_DOUBLE_EQ(swapped.y[0], 5.6);
}

TEST(CircleCircle, ApartInsideAndSame) {
    EXPECT_EQ(circleCircle(0, 0, 1, 5, 0, 1).count, 0);  // apart
    EXPECT_EQ(circleCircle(0, 0, 5, 1, 0, 1).count, 0);  // one inside the other
    const CircleHits same = circleCircle(1, 1, 2, 1, 1, 2);
    EXPECT_EQ(same.result, 0);
    EXPECT_EQ(same.count, kUnsetCount);
    EXPECT_EQ(circleCircle(0, 0, -1, 1, 0, 1).count, kUnsetCount);
}

TEST(CircleSegment, KeepsPointsOnTheSegment) {
    // The unit circle and the segment from (0, 0) to (5, 0): only (1, 0) lies on it.
    const CircleHits one = circleSegment(0, 0, 1, 0, 0, 5, 0);
    EXPECT_EQ(one.result, 1);
    ASSERT_EQ(one.count, 1);
    EXPECT_DOUBLE_EQ(one.x[0], 1);
    const CircleHits both = circleSegment(0, 0, 1, -5, 0, 5, 0);
    EXPECT_EQ(both.count, 2);
    const CircleHits none = circleSegment(0, 0, 1, 2, 0, 5, 0);
    EXPECT_EQ(none.result, 0);
    EXPECT_EQ(none.count, 0);
    const CircleHits tangent = circleSegment(0, 0, 1, -1, 1, 1, 1);
    EXPECT_EQ(tangent.result, 2);
    EXPECT_EQ(tangent.count, 1);
    const CircleHits tangentOff = circleSegment(0, 0, 1, 2, 1, 3, 1);
    EXPECT_EQ(tangentOff.result, 0);
    EXPECT_EQ(tangentOff.count, kUnsetCount);
}

}  // namespace
