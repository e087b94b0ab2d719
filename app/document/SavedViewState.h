// The view's transform as the document keeps it, so that it is saved with the plan.
// Stored as a 68-byte image of 17 little-endian words (see SavedViewState.cpp).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct SavedViewState {
    static constexpr size_t kImageSize = 68;
    static constexpr int32_t kLowMetricMappingMode = 2;

    // The last picked point in logical units, as integers.
    int32_t pickedLogicalIntX = 0;
    int32_t pickedLogicalIntY = 0;
    // Viewport origin in device pixels.
    double originX = 0.0;
    double originY = 0.0;
    // The last picked point in logical units and in plan units.
    double pickedLogicalX = 0.0;
    double pickedLogicalY = 0.0;
    double pickedPlanX = 0.0;
    double pickedPlanY = 0.0;
    // Kept for the file; the view neither reads nor writes it.
    int32_t mappingMode = kLowMetricMappingMode;
    // Logical units per plan unit.
    double scale = 1.0;

    std::vector<uint8_t> toBytes() const;
    // False (and the state unchanged) when the image is not 68 bytes.
    bool fromBytes(std::span<const uint8_t> image);

    friend bool operator==(const SavedViewState&, const SavedViewState&) = default;
};
