// The entropy parameter sets: numbered sets of class thresholds used by the path report.
// Stored as a 19040-byte image (see EntropyParams.cpp for the layout).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

struct EntropyParams {
    static constexpr size_t kImageSize = 19040;
    static constexpr size_t kSetCount = 10;
    static constexpr size_t kMaxThresholds = 100;

    // Each set's thresholds, in stored order; a set never holds more than kMaxThresholds.
    std::array<std::vector<double>, kSetCount> sets = defaultSets();

    // Five sets of five bounds each; the other sets empty.
    static std::array<std::vector<double>, kSetCount> defaultSets();

    // Appends a threshold; false (nothing changed) when the set is full or does not exist.
    bool append(size_t set, double threshold);

    std::vector<uint8_t> toBytes() const;
    // False (and the sets unchanged) when the image is not 19040 bytes. A stored count outside
    // 0..100 is clamped into it, so a damaged file never makes a set read past its slot.
    bool fromBytes(std::span<const uint8_t> image);

    friend bool operator==(const EntropyParams&, const EntropyParams&) = default;
};
