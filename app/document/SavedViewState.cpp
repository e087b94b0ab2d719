#include "document/SavedViewState.h"

#include "document/LittleEndian.h"

// Saved view state image, 68 bytes (17 words), little-endian:
//
//  offset  word   width  field
//       0  0      i32    picked point, logical, integer x
//       4  1      i32    picked point, logical, integer y
//       8  2-3    f64    origin x (device pixels)
//      16  4-5    f64    origin y
//      24  6-7    f64    picked point, logical x
//      32  8-9    f64    picked point, logical y
//      40  10-11  f64    picked point, plan x
//      48  12-13  f64    picked point, plan y
//      56  14     i32    mapping mode code (2)
//      60  15-16  f64    scale (not 8-aligned)
namespace {
constexpr size_t kPickedIntX = 0;
constexpr size_t kPickedIntY = 4;
constexpr size_t kOriginX = 8;
constexpr size_t kOriginY = 16;
constexpr size_t kPickedLogicalX = 24;
constexpr size_t kPickedLogicalY = 32;
constexpr size_t kPickedPlanX = 40;
constexpr size_t kPickedPlanY = 48;
constexpr size_t kMappingMode = 56;
constexpr size_t kScale = 60;
}  // namespace

std::vector<uint8_t> SavedViewState::toBytes() const {
    std::vector<uint8_t> bytes(kImageSize, 0);
    std::span<uint8_t> image(bytes);
    le::PutI32(image, kPickedIntX, pickedLogicalIntX);
    le::PutI32(image, kPickedIntY, pickedLogicalIntY);
    le::PutF64(image, kOriginX, originX);
    le::PutF64(image, kOriginY, originY);
    le::PutF64(image, kPickedLogicalX, pickedLogicalX);
    le::PutF64(image, kPickedLogicalY, pickedLogicalY);
    le::PutF64(image, kPickedPlanX, pickedPlanX);
    le::PutF64(image, kPickedPlanY, pickedPlanY);
    le::PutI32(image, kMappingMode, mappingMode);
    le::PutF64(image, kScale, scale);
    return bytes;
}

bool SavedViewState::fromBytes(std::span<const uint8_t> image) {
    if (image.size() != kImageSize) {
        return false;
    }
    pickedLogicalIntX = le::I32At(image, kPickedIntX);
    pickedLogicalIntY = le::I32At(image, kPickedIntY);
    originX = le::F64At(image, kOriginX);
    originY = le::F64At(image, kOriginY);
    pickedLogicalX = le::F64At(image, kPickedLogicalX);
    pickedLogicalY = le::F64At(image, kPickedLogicalY);
    pickedPlanX = le::F64At(image, kPickedPlanX);
    pickedPlanY = le::F64At(image, kPickedPlanY);
    mappingMode = le::I32At(image, kMappingMode);
    scale = le::F64At(image, kScale);
    return true;
}
