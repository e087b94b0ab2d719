// The layer-name block: 64 text fields of 256 bytes. The first four name the boundary, wall,
// path and reference-line layers.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct LayerNames {
    static constexpr size_t kImageSize = 16384;
    static constexpr size_t kFieldSize = 256;
    static constexpr size_t kFieldCount = kImageSize / kFieldSize;
    // A field holds at most 255 bytes of text and a terminating zero.
    static constexpr size_t kMaxNameLength = kFieldSize - 1;

    enum Field : size_t { kBoundary = 0, kWall = 1, kPath = 2, kReferenceLine = 3 };

    std::array<std::string, kFieldCount> names = defaultNames();

    static std::array<std::string, kFieldCount> defaultNames();

    // Stores a name, cut to 255 bytes; out-of-range fields are ignored.
    void set(size_t field, std::string name);

    // Each field: the name's bytes, then zeros. Longer names are cut to 255 bytes.
    std::vector<uint8_t> toBytes() const;
    // Each field's text runs to its first zero byte (or the field's end). False (and the names
    // unchanged) when the image is not 16384 bytes.
    bool fromBytes(std::span<const uint8_t> image);

    friend bool operator==(const LayerNames&, const LayerNames&) = default;
};
