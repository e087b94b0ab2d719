// Value-to-colour ramps: a value within a range becomes a level 0..255 and then a colour.
#include <cmath>

#include "gonion/gonion.h"

namespace {

uint32_t rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return red | (green << 8) | (blue << 16);
}

// 0 at the minimum, 255 at the maximum and above, 0 below the minimum or for NaN.
uint32_t level(double minimum, double maximum, double value) {
    if (value > maximum) {
        return 255;
    }
    if (!(value >= minimum)) {
        return 0;
    }
    double scaled = (value - minimum) / (maximum - minimum) * 255.0;
    if (std::isinf(maximum - minimum)) {
        // A span beyond the double range: the halves give the same ratio without overflow.
        scaled = (value * 0.5 - minimum * 0.5) / (maximum * 0.5 - minimum * 0.5) * 255.0;
    }
    // Within the range the scaled value lies in [0, 255]; infinite bounds can make it NaN.
    if (!(scaled >= 0.0)) {
        return 0;
    }
    if (scaled >= 255.0) {
        return 255;
    }
    return static_cast<uint32_t>(static_cast<int32_t>(scaled)) & 0xFFu;
}

// Blue, cyan, green, yellow, red in four segments.
uint32_t fourSegmentRamp(uint32_t t) {
    if (t < 64) {
        return rgb(0, 4 * t, 255);
    }
    if (t < 128) {
        return rgb(0, 255 - (t - 64) / 2, 255 - 3 * (t - 64));
    }
    if (t < 192) {
        return rgb(64 + 3 * (t - 128), 223 + (t - 128) / 2, 0);
    }
    return rgb(255, 255 - 4 * (t - 192), 0);
}

// Magenta, blue, cyan, green, yellow, red in five segments of 51 levels.
uint32_t fiveSegmentRamp(uint32_t t) {
    if (t < 51) {
        return rgb(5 * (51 - t), 0, 255);
    }
    if (t < 102) {
        return rgb(0, 5 * (t - 51), 255);
    }
    if (t < 153) {
        return rgb(0, 255, 254 - 5 * (t - 102));
    }
    if (t < 204) {
        return rgb(5 * (t - 153), 255, 0);
    }
    return rgb(255, 255 - 5 * (t - 204), 0);
}

}  // namespace

extern "C" {

GONION_API uint32_t zoR2RGB(double minimum, double maximum, double value, uint32_t mode) {
    if (!(minimum < maximum) || mode > 2) {
        return 0;
    }
    const uint32_t t = level(minimum, maximum, value);
    switch (mode) {
        case 0:
            return fourSegmentRamp(t);
        case 1:
            return rgb(t, t, t);
        default:
            return fiveSegmentRamp(t);
    }
}

}  // extern "C"
