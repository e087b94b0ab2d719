// How values become colours on the plan and in the legend: the geometry library's ramp over the
// drawn range or the user's fixed range, the legend's 24 bands and 25 labels, and the legend's
// text colour. Plain data and arithmetic, no drawing, so the rules are tested on their own.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct DocumentSettings;

// Result families of the legend registry.
enum LegendFamily : int32_t { kLegendGrid = 0, kLegendPath = 1, kLegendAxial = 2 };

inline constexpr int kLegendBandCount = 24;

struct ColorScale {
    int32_t fixedRange = 0;  // 0 the drawn range, 1 the user range, anything else black
    double userMinimum = 0.0;
    double userMaximum = 0.0;
    uint32_t mode = 0;  // 0 colour ramp, 1 grey ramp

    // The colour (0x00BBGGRR) of a value drawn over the range (lo, hi).
    uint32_t colorOf(double value, double lo, double hi) const;
};

ColorScale ColorScaleOf(const DocumentSettings& settings);

struct LegendScale {
    std::array<uint32_t, kLegendBandCount> bandColors{};
    // Band k's label is its lower value; the last one is the maximum.
    std::array<std::string, kLegendBandCount + 1> labels;
};

// The legend for the registered range (lo, hi); a fixed range shows the user's range instead.
LegendScale MakeLegendScale(const ColorScale& scale, double lo, double hi);

// A legend label: "%-8.3G".
std::string LegendLabel(double value);

// Black on a light background (red + green + blue above 384), else white.
uint32_t LegendTextColor(uint32_t background);
