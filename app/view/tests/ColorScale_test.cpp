// Colours of values, the legend's bands and labels, and its text colour.
#include "view/ColorScale.h"

#include <gtest/gtest.h>

#include "document/DocumentSettings.h"

namespace {

constexpr uint32_t Grey(uint32_t level) {
    return Rgb(level, level, level);
}

struct ColorCase {
    const char* name;
    ColorScale scale;
    double value;
    double lo;
    double hi;
    uint32_t expected;
};

TEST(ColorScale, ValuesTakeTheRampOverTheDrawnOrTheUserRange) {
    const ColorCase cases[] = {
        {"colour, minimum is blue", {0, 0, 0, 0}, 0.0, 0.0, 10.0, Rgb(0, 0, 255)},
        {"colour, maximum", {0, 0, 0, 0}, 10.0, 0.0, 10.0, Rgb(255, 3, 0)},
        {"colour, middle is level 127", {0, 0, 0, 0}, 5.0, 0.0, 10.0, Rgb(0, 224, 66)},
        {"grey, middle", {0, 0, 0, 1}, 5.0, 0.0, 10.0, Grey(127)},
        {"grey, above the range", {0, 0, 0, 1}, 20.0, 0.0, 10.0, Grey(255)},
        {"user range replaces the drawn one", {1, 0, 10, 1}, 10.0, 100.0, 200.0, Grey(255)},
        {"user range, value below it", {1, 0, 10, 1}, 150.0, 100.0, 200.0, Grey(255)},
        {"inverted user range is black", {1, 10, 0, 0}, 5.0, 0.0, 10.0, 0},
        {"flag other than 0 and 1 is black", {2, 0, 10, 1}, 5.0, 0.0, 10.0, 0},
        {"empty drawn range is black", {0, 0, 0, 1}, 5.0, 5.0, 5.0, 0},
    };
    for (const ColorCase& c : cases) {
        EXPECT_EQ(c.scale.colorOf(c.value, c.lo, c.hi), c.expected) << c.name;
    }
}

TEST(ColorScale, ReadFromTheSettingsBlock) {
    DocumentSettings settings;
    settings.scaleRange = 1;
    settings.scaleFrom = -2.5;
    settings.scaleTo = 7.0;
    settings.resultDisplay = 1;
    const ColorScale scale = ColorScaleOf(settings);
    EXPECT_EQ(scale.fixedRange, 1);
    EXPECT_EQ(scale.userMinimum, -2.5);
    EXPECT_EQ(scale.userMaximum, 7.0);
    EXPECT_EQ(scale.mode, 1u);
}

TEST(LegendScale, BandsTakeTheColourOfTheirMiddleAndLabelTheirStart) {
    // Range 0..24 in grey: band k's middle is k + 0.5, its level trunc((k + 0.5) / 24 * 255).
    const LegendScale legend = MakeLegendScale(ColorScale{0, 0, 0, 1}, 0.0, 24.0);
    EXPECT_EQ(legend.bandColors[0], Grey(5));
    EXPECT_EQ(legend.bandColors[11], Grey(122));
    EXPECT_EQ(legend.bandColors[23], Grey(249));
    EXPECT_EQ(legend.labels[0], "0       ");
    EXPECT_EQ(legend.labels[1], "1       ");
    EXPECT_EQ(legend.labels[23], "23      ");
    EXPECT_EQ(legend.labels[24], "24      ");
}

TEST(LegendScale, AFixedRangeShowsTheUserRangeEvenDownwards) {
    // From above To: the labels run down from From; the ramp of an inverted range is black.
    const LegendScale legend = MakeLegendScale(ColorScale{1, 10.0, -14.0, 0}, 0.0, 1.0);
    EXPECT_EQ(legend.labels[0], "10      ");
    EXPECT_EQ(legend.labels[1], "9       ");
    EXPECT_EQ(legend.labels[24], "-14     ");
    EXPECT_EQ(legend.bandColors[0], 0u);
    // In the right order, the user range is what the bands span.
    const LegendScale upward = MakeLegendScale(ColorScale{1, 0.0, 24.0, 1}, 500.0, 900.0);
    EXPECT_EQ(upward.bandColors[0], Grey(5));
    EXPECT_EQ(upward.labels[24], "24      ");
}

TEST(LegendLabel, PrintsThreeSignificantDigitsLeftAligned) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0       "},  {12.5, "12.5    "}, {1234.5, "1.23E+03"},      {0.000123, "0.000123"},
        {-0.5, "-0.5    "}, {1e-5, "1E-05   "}, {123456789.0, "1.23E+08"}, {-98765.0, "-9.88E+04"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(LegendLabel(value), text) << value;
    }
}

TEST(LegendTextColor, BlackOnALightBackgroundWhiteOtherwise) {
    const std::pair<uint32_t, uint32_t> cases[] = {
        {Rgb(255, 255, 255), 0x000000}, {Rgb(128, 128, 128), 0xFFFFFF},
        {Rgb(129, 128, 128), 0x000000}, {Rgb(0, 0, 0), 0xFFFFFF},
        {Rgb(255, 130, 0), 0x000000},   {Rgb(0, 0, 255), 0xFFFFFF},
    };
    for (const auto& [background, text] : cases) {
        EXPECT_EQ(LegendTextColor(background), text) << std::hex << background;
    }
}

}  // namespace
