// Value-to-colour ramps.
#include <gtest/gtest.h>

#include <cmath>

#include "gonion/gonion.h"

namespace {

uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r | g << 8 | b << 16;
}

// The value in (0, 255) that gives level t exactly.
double valueForLevel(int t) {
    return t;
}

struct RampCase {
    uint32_t mode;
    int level;
    uint32_t colour;
};

void PrintTo(const RampCase& c, std::ostream* os) {
    static const char* const kModes[] = {"four segments", "grey", "five segments"};
    *os << (c.mode < 3 ? kModes[c.mode] : "unknown mode") << " at level " << c.level;
}

class ColourRamp : public testing::TestWithParam<RampCase> {};

TEST_P(ColourRamp, Breakpoints) {
    const auto& c = GetParam();
    EXPECT_EQ(zoR2RGB(0.0, 255.0, valueForLevel(c.level), c.mode), c.colour)
        << "mode " << c.mode << " level " << c.level;
}

INSTANTIATE_TEST_SUITE_P(Cases, ColourRamp,
                         testing::Values(
                             // Four segments.
                             RampCase{0, 0, rgb(0, 0, 255)}, RampCase{0, 63, rgb(0, 252, 255)},
                             RampCase{0, 64, rgb(0, 255, 255)}, RampCase{0, 65, rgb(0, 255, 252)},
                             RampCase{0, 127, rgb(0, 224, 66)}, RampCase{0, 128, rgb(64, 223, 0)},
                             RampCase{0, 129, rgb(67, 223, 0)}, RampCase{0, 191, rgb(253, 254, 0)},
                             RampCase{0, 192, rgb(255, 255, 0)}, RampCase{0, 255, rgb(255, 3, 0)},
                             // Grey.
                             RampCase{1, 0, 0}, RampCase{1, 100, rgb(100, 100, 100)},
                             RampCase{1, 255, rgb(255, 255, 255)},
                             // Five segments.
                             RampCase{2, 0, rgb(255, 0, 255)}, RampCase{2, 50, rgb(5, 0, 255)},
                             RampCase{2, 51, rgb(0, 0, 255)}, RampCase{2, 101, rgb(0, 250, 255)},
                             RampCase{2, 102, rgb(0, 255, 254)}, RampCase{2, 152, rgb(0, 255, 4)},
                             RampCase{2, 153, rgb(0, 255, 0)}, RampCase{2, 203, rgb(250, 255, 0)},
                             RampCase{2, 204, rgb(255, 255, 0)}, RampCase{2, 255, rgb(255, 0, 0)}));

TEST(ColourRamp, LevelsOfARange) {
    // Grey shows the level directly.
    auto grey = [](double value) { return zoR2RGB(0, 10, value, 1) & 0xFF; };
    EXPECT_EQ(grey(0), 0u);
    EXPECT_EQ(grey(10), 255u);
    EXPECT_EQ(grey(5), 127u);
    EXPECT_EQ(grey(20), 255u);
    EXPECT_EQ(grey(-3), 0u);
    EXPECT_EQ(grey(std::nan("")), 0u);
    EXPECT_EQ(grey(9.99), 254u);
    EXPECT_EQ(zoR2RGB(0, 10, 5, 1), rgb(127, 127, 127));
}

TEST(ColourRamp, EmptyRangeOrUnknownModeIsBlack) {
    for (uint32_t mode : {0u, 1u, 2u}) {
        EXPECT_EQ(zoR2RGB(5, 5, 5, mode), 0u);
        EXPECT_EQ(zoR2RGB(6, 5, 5, mode), 0u);
        EXPECT_EQ(zoR2RGB(std::nan(""), 5, 5, mode), 0u);
    }
    EXPECT_EQ(zoR2RGB(0, 10, 5, 3), 0u);
}

TEST(ColourRamp, ExtremeRangesStayInLevel) {
    EXPECT_EQ(zoR2RGB(-1e308, 1e308, 1e308, 1), rgb(255, 255, 255));
    EXPECT_EQ(zoR2RGB(-1e308, 1e308, 0, 1) & 0xFF, 127u);
    EXPECT_EQ(zoR2RGB(-INFINITY, INFINITY, 0, 1), 0u);
}

}  // namespace
