#include "view/ColorScale.h"

#include <cstdio>

#include "document/DocumentSettings.h"
#include "gonion/gonion.h"

uint32_t ColorScale::colorOf(double value, double lo, double hi) const {
    switch (fixedRange) {
        case 0:
            return zoR2RGB(lo, hi, value, mode);
        case 1:
            return zoR2RGB(userMinimum, userMaximum, value, mode);
        default:
            return 0;
    }
}

ColorScale ColorScaleOf(const DocumentSettings& settings) {
    return ColorScale{settings.scaleRange, settings.scaleFrom, settings.scaleTo,
                      static_cast<uint32_t>(settings.resultDisplay)};
}

LegendScale MakeLegendScale(const ColorScale& scale, double lo, double hi) {
    if (scale.fixedRange == 1) {
        lo = scale.userMinimum;
        hi = scale.userMaximum;
    }
    const double span = hi - lo;
    LegendScale legend;
    for (int k = 0; k < kLegendBandCount; ++k) {
        const double band = static_cast<double>(k) / kLegendBandCount;
        legend.bandColors[static_cast<size_t>(k)] =
            scale.colorOf(lo + (band + 1.0 / (2 * kLegendBandCount)) * span, lo, hi);
        legend.labels[static_cast<size_t>(k)] = LegendLabel(lo + band * span);
    }
    legend.labels[kLegendBandCount] = LegendLabel(hi);
    return legend;
}

std::string LegendLabel(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%-8.3G", value);
    return text;
}

uint32_t LegendTextColor(uint32_t background) {
    const uint32_t sum =
        (background & 0xFFu) + ((background >> 8) & 0xFFu) + ((background >> 16) & 0xFFu);
    return sum > 384 ? 0x000000u : 0xFFFFFFu;
}
