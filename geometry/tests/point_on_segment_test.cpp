// Point-on-segment tests.
#include <gtest/gtest.h>

#include <charconv>
#include <string>

#include "gonion/gonion.h"

namespace {

constexpr double kEps = 2.220446049250313e-8;

struct OnSegmentCase {
    double px, py, ax, ay, bx, by;
    int32_t expected;
};

// The shortest text that reads back as the same value, so that cases a tolerance apart get
// distinct names.
std::string Exact(double v) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v).ptr;
    return std::string(text, end);
}

void PrintTo(const OnSegmentCase& c, std::ostream* os) {
    *os << "P(" << Exact(c.px) << ", " << Exact(c.py) << ") on (" << Exact(c.ax) << ", "
        << Exact(c.ay) << ")-(" << Exact(c.bx) << ", " << Exact(c.by) << ") gives " << c.expected;
}

class PointOnSeg : public testing::TestWithParam<OnSegmentCase> {};

TEST_P(PointOnSeg, Code) {
    const auto& c = GetParam();
    EXPECT_EQ(zoIsPointOnSeg(c.px, c.py, c.ax, c.ay, c.bx, c.by), c.expected)
        << "P(" << c.px << ", " << c.py << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PointOnSeg,
    testing::Values(
        // Horizontal segment (0,0)-(10,0).
        OnSegmentCase{5, 0, 0, 0, 10, 0, 1}, OnSegmentCase{0, 0, 0, 0, 10, 0, 2},
        OnSegmentCase{10, 0, 0, 0, 10, 0, 3}, OnSegmentCase{11, 0, 0, 0, 10, 0, 0},
        OnSegmentCase{-1, 0, 0, 0, 10, 0, 0}, OnSegmentCase{5, 1e-9, 0, 0, 10, 0, 1},
        OnSegmentCase{5, 1e-7, 0, 0, 10, 0, 0},
        // Around both end points: inside the tolerance box they are end points, just outside
        // they are interior or off the segment.
        OnSegmentCase{0.5 * kEps, 0.5 * kEps, 0, 0, 10, 0, 2},
        OnSegmentCase{10 - 0.5 * kEps, -0.5 * kEps, 0, 0, 10, 0, 3},
        OnSegmentCase{2 * kEps, 0, 0, 0, 10, 0, 1}, OnSegmentCase{-2 * kEps, 0, 0, 0, 10, 0, 0},
        OnSegmentCase{10 + 2 * kEps, 0, 0, 0, 10, 0, 0},
        OnSegmentCase{10 - 2 * kEps, 0, 0, 0, 10, 0, 1}, OnSegmentCase{5, kEps, 0, 0, 10, 0, 0},
        // Vertical segment, both directions.
        OnSegmentCase{3, 4, 3, 0, 3, 10, 1}, OnSegmentCase{3, 4, 3, 10, 3, 0, 1},
        OnSegmentCase{3, 10, 3, 0, 3, 10, 3}, OnSegmentCase{3, 11, 3, 0, 3, 10, 0},
        OnSegmentCase{3.001, 4, 3, 0, 3, 10, 0},
        // Oblique segment: on the line inside, beyond each end, and beside it.
        OnSegmentCase{1, 1, 0, 0, 2, 2, 1}, OnSegmentCase{3, 3, 0, 0, 2, 2, 0},
        OnSegmentCase{-1, -1, 0, 0, 2, 2, 0}, OnSegmentCase{1, 1.001, 0, 0, 2, 2, 0},
        OnSegmentCase{2, 2, 0, 0, 2, 2, 3}, OnSegmentCase{0, 0, 0, 0, 2, 2, 2},
        // Close to an end on an oblique segment: short offsets are normalised, so a point
        // off the line by an angle is rejected however near it is.
        OnSegmentCase{1e-4, 2e-4, 0, 0, 2, 2, 0}, OnSegmentCase{1e-4, 1e-4, 0, 0, 2, 2, 1},
        // Degenerate segment.
        OnSegmentCase{1, 1, 1, 1, 1, 1, 2}, OnSegmentCase{1, 2, 1, 1, 1, 1, 0},
        OnSegmentCase{1 + 1e-9, 1, 1, 1, 1, 1, 2}));

TEST(PointOnSeg2, ExactEndPointsGiveOne) {
    EXPECT_EQ(zoIsPointOnSeg2(0, 0, 0, 0, 10, 0), 1);
    EXPECT_EQ(zoIsPointOnSeg2(10, 0, 0, 0, 10, 0), 1);
    EXPECT_EQ(zoIsPointOnSeg2(1e-9, 0, 0, 0, 10, 0), 2);
    EXPECT_EQ(zoIsPointOnSeg2(10, 1e-9, 0, 0, 10, 0), 3);
    EXPECT_EQ(zoIsPointOnSeg2(5, 0, 0, 0, 10, 0), 1);
    EXPECT_EQ(zoIsPointOnSeg2(5, 1, 0, 0, 10, 0), 0);
}

struct TolCase {
    double px, py, ax, ay, bx, by, tolerance;
    int32_t expected;
};

void PrintTo(const TolCase& c, std::ostream* os) {
    *os << "P(" << Exact(c.px) << ", " << Exact(c.py) << ") on (" << Exact(c.ax) << ", "
        << Exact(c.ay) << ")-(" << Exact(c.bx) << ", " << Exact(c.by) << ") within "
        << Exact(c.tolerance) << " gives " << c.expected;
}

class PointOnSegTol : public testing::TestWithParam<TolCase> {};

TEST_P(PointOnSegTol, Code) {
    const auto& c = GetParam();
    EXPECT_EQ(zoIsPointOnSegTol(c.px, c.py, c.ax, c.ay, c.bx, c.by, c.tolerance), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PointOnSegTol,
    testing::Values(TolCase{0, 0, 0, 0, 10, 0, 0.1, 1},      // A is on the segment
                    TolCase{10, 0, 0, 0, 10, 0, 0.1, 0},     // B is not
                    TolCase{5, 0.05, 0, 0, 10, 0, 0.1, 1},   // within the tolerance
                    TolCase{5, 0.05, 0, 0, 10, 0, -0.1, 1},  // its magnitude is used
                    TolCase{5, 0.2, 0, 0, 10, 0, 0.1, 0}, TolCase{-5, 0, 0, 0, 10, 0, 0.1, 0},
                    TolCase{0, 5, 0, 0, 0, 10, 0.1, 1},  // vertical
                    TolCase{0, -5, 0, 0, 0, 10, 0.1, 0}, TolCase{0, 10, 0, 0, 0, 10, 0.1, 0},
                    TolCase{3, 3, 0, 0, 4, 4, 0.01, 1},  // oblique
                    TolCase{5, 5, 0, 0, 4, 4, 0.01, 0}, TolCase{-1, -1, 0, 0, 4, 4, 0.01, 0},
                    TolCase{3, 3.5, 0, 0, 4, 4, 0.01, 0}));

}  // namespace
