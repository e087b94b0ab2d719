// The classifying segment crossing.
#include <gtest/gtest.h>

#include "gonion/gonion.h"

namespace {

constexpr double kUnset = -777;

struct ClassifyCase {
    double ax, ay, bx, by, ux, uy, vx, vy;
    int32_t code;
    int points;  // how many points the code writes
    double x1, y1, x2, y2;
};

void PrintTo(const ClassifyCase& c, std::ostream* os) {
    *os << "(" << c.ax << ", " << c.ay << ")-(" << c.bx << ", " << c.by << ") with (" << c.ux
        << ", " << c.uy << ")-(" << c.vx << ", " << c.vy << ") gives " << c.code;
}

class CrossPointSS2 : public testing::TestWithParam<ClassifyCase> {};

TEST_P(CrossPointSS2, CodeAndPoints) {
    const auto& c = GetParam();
    double x1 = kUnset, y1 = kUnset, x2 = kUnset, y2 = kUnset;
    ASSERT_EQ(
        zoGetCrossPointSS2(c.ax, c.ay, c.bx, c.by, c.ux, c.uy, c.vx, c.vy, &x1, &y1, &x2, &y2),
        c.code);
    if (c.points >= 1) {
        EXPECT_DOUBLE_EQ(x1, c.x1);
        EXPECT_DOUBLE_EQ(y1, c.y1);
    } else {
        EXPECT_EQ(x1, kUnset);
    }
    if (c.points == 2) {
        EXPECT_DOUBLE_EQ(x2, c.x2);
        EXPECT_DOUBLE_EQ(y2, c.y2);
    } else {
        EXPECT_EQ(x2, kUnset);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CrossPointSS2,
    testing::Values(
        ClassifyCase{0, 0, 0, 0, 0, 1, 5, 1, -1, 0, 0, 0, 0, 0},     // zero length
        ClassifyCase{0, 0, 10, 0, 0, 1, 10, 1, 0, 0, 0, 0, 0, 0},    // parallel apart
        ClassifyCase{0, 0, 1, 0, 5, -1, 5, 1, 2, 0, 0, 0, 0, 0},     // lines cross beyond AB
        ClassifyCase{0, 0, 10, 0, 5, -5, 5, 5, 3, 1, 5, 0, 0, 0},    // proper
        ClassifyCase{0, 0, 10, 10, 0, 10, 10, 0, 3, 1, 5, 5, 0, 0},  // proper, diagonals
        ClassifyCase{0, 0, 10, 0, 10, 0, 10, 5, 4, 1, 10, 0, 0, 0},  // end to end
        ClassifyCase{0, 0, 10, 0, 5, 0, 5, 5, 5, 1, 5, 0, 0, 0},     // end inside the other
        ClassifyCase{5, -5, 5, 5, 0, 0, 10, 0, 3, 1, 5, 0, 0, 0},
        ClassifyCase{0, 0, 10, 0, 10, 0, 0, 0, 7, 2, 0, 0, 10, 0},   // same segment
        ClassifyCase{0, 0, 10, 0, 10, 0, 20, 0, 6, 1, 10, 0, 0, 0},  // touch at one end
        ClassifyCase{0, 0, 10, 0, 0, 0, 4, 0, 10, 2, 0, 0, 4, 0},    // overlap from A
        ClassifyCase{10, 0, 0, 0, 0, 0, 4, 0, 10, 2, 4, 0, 0, 0},    // ordered from A to B
        ClassifyCase{0, 0, 4, 0, 10, 0, 0, 0, 10, 2, 0, 0, 4, 0},    // AB is the shorter
        ClassifyCase{0, 0, 10, 0, 2, 0, 5, 0, 9, 2, 2, 0, 5, 0},     // UV inside AB
        ClassifyCase{0, 0, 10, 0, 5, 0, 2, 0, 9, 2, 2, 0, 5, 0},
        ClassifyCase{3, 0, 1, 0, 0, 0, 10, 0, 9, 2, 3, 0, 1, 0},    // AB inside UV
        ClassifyCase{0, 0, 10, 0, 5, 0, 15, 0, 8, 2, 5, 0, 10, 0},  // partial overlap
        ClassifyCase{10, 0, 0, 0, -5, 0, 5, 0, 8, 2, 5, 0, 0, 0},
        ClassifyCase{0, 0, 0, 10, 0, 5, 0, 15, 8, 2, 0, 5, 0, 10},    // vertical, on y
        ClassifyCase{0, 0, 10, 0, 20, 0, 30, 0, 1, 0, 0, 0, 0, 0}));  // one line, apart

}  // namespace
