// Little-endian put/get helpers for the fixed byte images the document stores.
//
// Every stored record is written and read field by field through these helpers, never by
// copying a C++ struct. The getters check the range and leave the value untouched (returning
// false) when the image is too short, so a reader of outside data cannot run past its buffer.
// The putters write into images the program sized itself, so a write past the end is a fault
// of the program: it throws std::out_of_range instead of losing the field without a word.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>

namespace le {

inline void RequireRoom(std::span<uint8_t> image, size_t offset, size_t width) {
    if (offset > image.size() || image.size() - offset < width) {
        throw std::out_of_range("record field written past the end of its image");
    }
}

inline void PutU32(std::span<uint8_t> image, size_t offset, uint32_t value) {
    RequireRoom(image, offset, 4);
    for (size_t i = 0; i < 4; ++i) {
        image[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

inline void PutI32(std::span<uint8_t> image, size_t offset, int32_t value) {
    PutU32(image, offset, static_cast<uint32_t>(value));
}

inline void PutF64(std::span<uint8_t> image, size_t offset, double value) {
    RequireRoom(image, offset, 8);
    const auto bits = std::bit_cast<uint64_t>(value);
    for (size_t i = 0; i < 8; ++i) {
        image[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

inline bool GetU32(std::span<const uint8_t> image, size_t offset, uint32_t& value) {
    if (offset > image.size() || image.size() - offset < 4) {
        return false;
    }
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) {
        v |= static_cast<uint32_t>(image[offset + i]) << (8 * i);
    }
    value = v;
    return true;
}

inline bool GetI32(std::span<const uint8_t> image, size_t offset, int32_t& value) {
    uint32_t v = 0;
    if (!GetU32(image, offset, v)) {
        return false;
    }
    value = static_cast<int32_t>(v);
    return true;
}

inline bool GetF64(std::span<const uint8_t> image, size_t offset, double& value) {
    if (offset > image.size() || image.size() - offset < 8) {
        return false;
    }
    uint64_t bits = 0;
    for (size_t i = 0; i < 8; ++i) {
        bits |= static_cast<uint64_t>(image[offset + i]) << (8 * i);
    }
    value = std::bit_cast<double>(bits);
    return true;
}

// Plain 32-bit and 64-bit reads for images whose size is already known to be right.
inline int32_t I32At(std::span<const uint8_t> image, size_t offset) {
    int32_t v = 0;
    GetI32(image, offset, v);
    return v;
}

inline uint32_t U32At(std::span<const uint8_t> image, size_t offset) {
    uint32_t v = 0;
    GetU32(image, offset, v);
    return v;
}

inline double F64At(std::span<const uint8_t> image, size_t offset) {
    double v = 0.0;
    GetF64(image, offset, v);
    return v;
}

}  // namespace le
