// The rounded crossing of two lines: hand-computed crossings of lines through integer points,
// whose exact coordinates are small fractions (the nearest double of p / q is the quotient
// of the two doubles, which IEEE division rounds correctly), and the cases the extended
// precision cannot settle.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>

#include "isovist/RoundedCrossing.h"

namespace {

bool SameBits(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

TEST(RoundedCrossing, NearestDoublesOfTheExactCrossing) {
    const double justAboveOne = std::nextafter(1.0, 2.0);  // 1 + 2^-52
    const double kEpsilon = justAboveOne - 1.0;
    struct Case {
        const char* name;
        PlanPoint q, b, s, t;
        std::optional<PlanPoint> expected;
    };
    const Case cases[] = {
        {"Diagonals", {0, 0}, {1, 1}, {0, 1}, {1, 0}, PlanPoint{0.5, 0.5}},
        // y = x meets x + 2y = 1 at (1/3, 1/3).
        {"Thirds", {0, 0}, {1, 1}, {1, 0}, {-1, 1}, PlanPoint{1.0 / 3, 1.0 / 3}},
        // A vertical edge x = 2 gives x exactly; y = 2/3.
        {"VerticalEdge", {0, 0}, {3, 1}, {2, -5}, {2, 5}, PlanPoint{2, 2.0 / 3}},
        // A horizontal sight line y = 0 meets the line through (2, -5) and (0, 2) at x = 4/7.
        {"FourSevenths", {0, 0}, {1, 0}, {2, -5}, {0, 2}, PlanPoint{4.0 / 7, 0}},
        // Far from the origin: x = y = 10^6 + 1/3, the quotient (3 10^6 + 1) / 3.
        {"FarAway",
         {1e6, 1e6},
         {1e6 + 1, 1e6 + 1},
         {1e6 + 1, 1e6},
         {1e6 - 1, 1e6 + 1},
         PlanPoint{3000001.0 / 3, 3000001.0 / 3}},
        // The sight line runs from q away from the edge: the lines still cross, at (-1, -1).
        {"BehindTheStart", {0, 0}, {1, 1}, {-2, 0}, {0, -2}, PlanPoint{-1, -1}},
        // Parallel lines, and directions (1 + e, 1) and (1, 1 - e), e = 2^-52, whose cross
        // product -e^2 is lost beside the products of size 1: nothing to settle.
        {"Parallel", {0, 0}, {1, 1}, {0, 1}, {1, 2}, std::nullopt},
        {"NearlyParallel", {0, 0}, {justAboveOne, 1}, {5, 0}, {6, 1 - kEpsilon}, std::nullopt},
        // Lines at an angle of about 10^-8 are still well apart for the bound: (-10^8, -1).
        {"SmallAngle", {0, 0}, {1e8, 1}, {0, 1}, {1e8, 3}, PlanPoint{-1e8, -1}},
        // x exactly halfway between 1 and 1 + 2^-52: only exact arithmetic breaks the tie.
        {"Tie", {0, 0}, {1, 0}, {justAboveOne, -1}, {1, 1}, std::nullopt},
        // An exact zero is a double, but every neighbourhood of it holds tiny ones.
        {"ZeroInTheMiddle", {-1, -1}, {1, 1}, {-1, 1}, {1, -1}, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<PlanPoint> got = RoundedLineCrossing(c.q, c.b, c.s, c.t);
        ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.name;
        if (got) {
            EXPECT_TRUE(SameBits(got->x, c.expected->x)) << c.name << " x " << got->x;
            EXPECT_TRUE(SameBits(got->y, c.expected->y)) << c.name << " y " << got->y;
        }
    }
}

// A coordinate shared by both points of a line is the crossing's, and a zero is +0.
TEST(RoundedCrossing, SharedCoordinatesAreExactAndZeroIsPositive) {
    const std::optional<PlanPoint> onAxis =
        RoundedLineCrossing({-0.0, -3}, {-0.0, 3}, {-1, 1}, {1, 2});
    ASSERT_TRUE(onAxis.has_value());
    EXPECT_TRUE(SameBits(onAxis->x, 0.0));
    EXPECT_TRUE(SameBits(onAxis->y, 1.5));
    const std::optional<PlanPoint> both =
        RoundedLineCrossing({0.25, -4}, {0.25, 4}, {-7, 0.75}, {9, 0.75});
    ASSERT_TRUE(both.has_value());
    EXPECT_TRUE(SameBits(both->x, 0.25));
    EXPECT_TRUE(SameBits(both->y, 0.75));
}

// Points known only within ranges: a range of one double is the point itself; a wide range
// leaves the rounding open; a range of two neighbouring doubles moves the crossing's y by
// about 2^-60 here, far less than the distance of 5 + 1/998 to a midpoint of doubles.
TEST(RoundedCrossing, PointsWithinRanges) {
    const double belowTwo = std::nextafter(2.0, 0.0);
    struct Case {
        const char* name;
        PointWithin q, b, s, t;
        std::optional<PlanPoint> expected;
    };
    const Case cases[] = {
        {"OneDouble", ExactlyAt({0, 0}), ExactlyAt({1, 1}), ExactlyAt({1, 0}), ExactlyAt({-1, 1}),
         PlanPoint{1.0 / 3, 1.0 / 3}},
        {"WideRange",
         ExactlyAt({0, 0}),
         ExactlyAt({1, 1}),
         {0.5, 1.5, 0, 0},
         ExactlyAt({-1, 1}),
         std::nullopt},
        // On the horizontal edge y = 3 the far end's range plays no part: x = 3 exactly.
        {"HorizontalEdgeFarEndRange",
         ExactlyAt({0, 0}),
         ExactlyAt({1, 1}),
         ExactlyAt({-5, 3}),
         {4.0, 7.0, 3, 3},
         PlanPoint{3, 3}},
        // The vertical sight line x = 3 meets the line through (2, 5) and (1000, 6) at
        // y = 5 + 1/998; with s.x = 2 - 2^-52 a little above, still nearest 5 + 1.0 / 998.
        {"NeighbouringDoubles",
         ExactlyAt({3, 0}),
         ExactlyAt({3, 1}),
         {belowTwo, 2.0, 5, 5},
         ExactlyAt({1000, 6}),
         PlanPoint{3, 5 + 1.0 / 998}},
    };
    for (const Case& c : cases) {
        const std::optional<PlanPoint> got = RoundedLineCrossingWithin(c.q, c.b, c.s, c.t);
        ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.name;
        if (got) {
            EXPECT_TRUE(SameBits(got->x, c.expected->x)) << c.name << " x " << got->x;
            EXPECT_TRUE(SameBits(got->y, c.expected->y)) << c.name << " y " << got->y;
        }
    }
}

// The turn q -> a -> b from ranges. A third: 1/3 is not a double; its nearest double d lies
// 2^-54 / 3 below it (3d = 1 - 2^-54), and the truncated double of that rest is d 2^-54. Seen
// from the origin, (1, 1/3) and (3, 1) are collinear, and (3, 1 - 2^-53) turns right by 2^-53,
// less than the bound of about 3 2^-55 (doubled) that the two doubles around 1/3 leave open.
TEST(RoundedCrossing, OrientationWithinRanges) {
    const double third = 1.0 / 3;
    PointWithin thirdUp{1, 1, third, std::nextafter(third, 1.0)};
    PointWithin narrowedThirdUp = thirdUp;
    NarrowWithin(third, std::ldexp(third, -54), narrowedThirdUp.centreY, narrowedThirdUp.radiusY);
    const PointWithin origin = ExactlyAt({0, 0});
    struct Case {
        const char* name;
        PointWithin a, b;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {"Left", ExactlyAt({1, 0}), ExactlyAt({0, 1}), 1},
        {"Right", ExactlyAt({0, 1}), ExactlyAt({1, 0}), -1},
        {"Collinear", ExactlyAt({1, 1}), ExactlyAt({2, 2}), std::nullopt},
        // 2 + 2^-51 is a double: the turn 2^-51 is far above the bound.
        {"NearlyCollinear", ExactlyAt({1, 1}), ExactlyAt({2, 2 + std::ldexp(1.0, -51)}), 1},
        {"ThirdWithinNeighbours", thirdUp, ExactlyAt({3, std::nextafter(1.0, 0.0)}), std::nullopt},
        {"ThirdNarrowed", narrowedThirdUp, ExactlyAt({3, std::nextafter(1.0, 2.0)}), 1},
        {"ThirdNarrowedBelow", narrowedThirdUp, ExactlyAt({3, std::nextafter(1.0, 0.0)}), -1},
        {"ThirdNarrowedCollinear", narrowedThirdUp, ExactlyAt({3, 1}), std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OrientationWithin(origin, c.a, c.b), c.expected) << c.name;
    }
    // Far narrower than a double's step, and the exact third inside: 3 (centre -+ radius)
    // brackets 1.
    EXPECT_LT(narrowedThirdUp.radiusY, std::ldexp(1.0L, -60));
    EXPECT_LE(3 * (narrowedThirdUp.centreY - narrowedThirdUp.radiusY), 1.0L);
    EXPECT_GE(3 * (narrowedThirdUp.centreY + narrowedThirdUp.radiusY), 1.0L);
}

}  // namespace
