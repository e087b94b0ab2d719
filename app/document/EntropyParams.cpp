#include "document/EntropyParams.h"

#include <algorithm>
#include <numbers>

#include "document/LittleEndian.h"

// Entropy parameter image, 19040 bytes, little-endian. Set k (0..9) occupies 808 bytes at
// offset 808 * k:
//
//  offset (in set)  width       field
//                0  i32         threshold count m (0..100)
//                4  4 bytes     zero
//                8  100 x f64   thresholds t[0..m-1], then zero
//
// Bytes 8080 to 19039 are zero.
namespace {
constexpr size_t kSetStride = 808;
constexpr size_t kCountOffset = 0;
constexpr size_t kThresholdsOffset = 8;
}  // namespace

std::array<std::vector<double>, EntropyParams::kSetCount> EntropyParams::defaultSets() {
    constexpr double pi = std::numbers::pi;
    return {{
        {0.0, 3.0, 12.0, 25.0, 140.0},
        // Areas of circles with the radii of the first set.
        {0.0, 9.0 * pi, 144.0 * pi, 625.0 * pi, 19600.0 * pi},
        {0.0, 0.2, 0.4, 0.6, 0.8},
        {-1.0, -0.6, -0.2, 0.2, 0.6},
        {0.0, 0.4, 0.8, 1.2, 1.6},
        {},
        {},
        {},
        {},
        {},
    }};
}

bool EntropyParams::append(size_t set, double threshold) {
    if (set >= kSetCount || sets[set].size() >= kMaxThresholds) {
        return false;
    }
    sets[set].push_back(threshold);
    return true;
}

std::vector<uint8_t> EntropyParams::toBytes() const {
    std::vector<uint8_t> bytes(kImageSize, 0);
    std::span<uint8_t> image(bytes);
    for (size_t k = 0; k < kSetCount; ++k) {
        const size_t base = k * kSetStride;
        const size_t count = std::min(sets[k].size(), kMaxThresholds);
        le::PutI32(image, base + kCountOffset, static_cast<int32_t>(count));
        for (size_t i = 0; i < count; ++i) {
            le::PutF64(image, base + kThresholdsOffset + 8 * i, sets[k][i]);
        }
    }
    return bytes;
}

bool EntropyParams::fromBytes(std::span<const uint8_t> image) {
    if (image.size() != kImageSize) {
        return false;
    }
    for (size_t k = 0; k < kSetCount; ++k) {
        const size_t base = k * kSetStride;
        const int32_t stored = le::I32At(image, base + kCountOffset);
        const auto count = static_cast<size_t>(std::clamp<int32_t>(stored, 0, kMaxThresholds));
        sets[k].assign(count, 0.0);
        for (size_t i = 0; i < count; ++i) {
            sets[k][i] = le::F64At(image, base + kThresholdsOffset + 8 * i);
        }
    }
    return true;
}
