// Arcs and bulges as chains of pieces, against points worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "document/DxfArcs.h"

namespace {

constexpr double kNear = 1e-12;
const double kHalfRoot2 = std::sqrt(0.5);

void ExpectPoint(const PlanPoint& p, double x, double y, const std::string& what) {
    EXPECT_NEAR(p.x, x, kNear) << what;
    EXPECT_NEAR(p.y, y, kNear) << what;
}

TEST(DxfArcs, PieceCountsFollowTheAngleStep) {
    struct Case {
        double sweepDegrees;
        int pieces;
    };
    const Case cases[] = {{90, 8},    {180, 16}, {360, 32}, {11.25, 1},   {11.26, 2},
                          {0.001, 1}, {45, 4},   {300, 27}, {359.999, 32}};
    for (const Case& c : cases) {
        EXPECT_EQ(ArcPieceCount(c.sweepDegrees * std::numbers::pi / 180.0), c.pieces)
            << c.sweepDegrees;
    }
}

TEST(DxfArcs, SweepsAreCounterClockwiseAndWholeTurnsAreCircles) {
    struct Case {
        double start, end, sweepDegrees;
    };
    const Case cases[] = {{0, 90, 90},  {270, 90, 180}, {350, 10, 20},  {90, 90, 360},
                          {-90, 0, 90}, {720, 810, 90}, {10, -350, 360}};
    for (const Case& c : cases) {
        const auto sweep = ArcSweep(c.start, c.end);
        ASSERT_TRUE(sweep) << c.start;
        EXPECT_NEAR(*sweep, c.sweepDegrees * std::numbers::pi / 180.0, 1e-12) << c.start;
    }
    EXPECT_FALSE(ArcSweep(NAN, 90));
    EXPECT_FALSE(ArcSweep(0, INFINITY));
}

TEST(DxfArcs, AQuarterArcOfRadiusTwo) {
    // Centre (1, 1), radius 2, from 0° to 90°: 8 pieces of 11.25°, from (3, 1) to (1, 3).
    const auto points = ArcPoints({1, 1}, 2, 0, std::numbers::pi / 2);
    ASSERT_EQ(points.size(), 9u);
    ExpectPoint(points[0], 3, 1, "start");
    ExpectPoint(points[4], 1 + 2 * kHalfRoot2, 1 + 2 * kHalfRoot2, "45°");
    ExpectPoint(points[8], 1, 3, "end");
    for (const PlanPoint& p : points) {
        EXPECT_NEAR(std::hypot(p.x - 1, p.y - 1), 2, 1e-12);
    }
}

TEST(DxfArcs, ABulgeOfOneIsAHalfCircle) {
    struct Case {
        PlanPoint from, to;
        double bulge;
        PlanPoint middle;  // the point half way along the arc
    };
    // Positive bulges turn counter-clockwise: from (0,0) to (2,0) the arc dips below the chord.
    const Case cases[] = {
        {{0, 0}, {2, 0}, 1, {1, -1}},
        {{0, 0}, {2, 0}, -1, {1, 1}},
        {{0, 0}, {0, 4}, 1, {2, 2}},
        // tan(θ/4) = √2 − 1 for θ = 90°: a quarter circle of radius 1 about (0, 0) from (1, 0)
        // to (0, 1), its middle at 45°.
        {{1, 0}, {0, 1}, std::sqrt(2.0) - 1, {kHalfRoot2, kHalfRoot2}},
    };
    for (const Case& c : cases) {
        const auto points = BulgePoints(c.from, c.to, c.bulge);
        const size_t pieces = std::fabs(c.bulge) == 1 ? 16 : 8;
        ASSERT_EQ(points.size(), pieces - 1) << c.bulge;
        ExpectPoint(points[pieces / 2 - 1], c.middle.x, c.middle.y, "middle");
    }
}

TEST(DxfArcs, StraightAndHostileBulgesGiveFewPoints) {
    EXPECT_TRUE(BulgePoints({0, 0}, {1, 0}, 0).empty());
    EXPECT_TRUE(BulgePoints({1, 1}, {1, 1}, 1).empty());  // coinciding ends
    EXPECT_TRUE(BulgePoints({0, 0}, {1, 0}, NAN).empty());
    EXPECT_TRUE(BulgePoints({0, 0}, {1, 0}, INFINITY).empty());
    // A bulge near infinity is near a whole circle: still at most 31 points between the ends.
    EXPECT_LE(BulgePoints({0, 0}, {1, 0}, 1e300).size(), 31u);
}

TEST(DxfArcs, PolylinesTakeTheirBulgesInPlace) {
    // A 2 × 2 square whose closing piece (from (0, 2) back to (0, 0)) bulges out to the left.
    const std::vector<PlanPoint> square{{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    const auto closed = PolylineWithArcs(square, {0, 0, 0, 1}, true);
    ASSERT_EQ(closed.size(), 4u + 15u);
    ExpectPoint(closed[4 + 7], -1, 1, "the bulge's middle");
    // Open, the last vertex's bulge bends nothing.
    EXPECT_EQ(PolylineWithArcs(square, {0, 0, 0, 1}, false).size(), 4u);
    // The first piece bent: its points follow the first vertex.
    const auto first = PolylineWithArcs(square, {1, 0, 0, 0}, false);
    ASSERT_EQ(first.size(), 4u + 15u);
    ExpectPoint(first[8], 1, -1, "below the first piece");
    ExpectPoint(first[16], 2, 0, "second vertex");
}

}  // namespace
