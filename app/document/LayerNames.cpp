#include "document/LayerNames.h"

#include <algorithm>

// Layer-name image, 16384 bytes: field k (0..63) occupies bytes 256 * k to 256 * k + 255 and
// holds its text followed by zero bytes. Fields 0..3: boundary, wall, path, reference line.

std::array<std::string, LayerNames::kFieldCount> LayerNames::defaultNames() {
    std::array<std::string, kFieldCount> names{};
    names[kBoundary] = "BOUNDARY";
    names[kWall] = "WALLS";
    names[kPath] = "PATH";
    names[kReferenceLine] = "GLINES";
    return names;
}

void LayerNames::set(size_t field, std::string name) {
    if (field >= kFieldCount) {
        return;
    }
    if (name.size() > kMaxNameLength) {
        name.resize(kMaxNameLength);
    }
    names[field] = std::move(name);
}

std::vector<uint8_t> LayerNames::toBytes() const {
    std::vector<uint8_t> bytes(kImageSize, 0);
    for (size_t k = 0; k < kFieldCount; ++k) {
        const std::string& name = names[k];
        const size_t length = std::min(name.size(), kMaxNameLength);
        std::copy_n(name.begin(), length,
                    bytes.begin() + static_cast<std::ptrdiff_t>(k * kFieldSize));
    }
    return bytes;
}

bool LayerNames::fromBytes(std::span<const uint8_t> image) {
    if (image.size() != kImageSize) {
        return false;
    }
    for (size_t k = 0; k < kFieldCount; ++k) {
        const auto field = image.subspan(k * kFieldSize, kFieldSize);
        const auto end = std::find(field.begin(), field.end(), uint8_t{0});
        names[k].assign(field.begin(), end);
    }
    return true;
}
