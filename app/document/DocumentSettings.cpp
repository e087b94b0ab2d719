#include "document/DocumentSettings.h"

#include "document/LittleEndian.h"

// Settings block image, 4036 bytes, little-endian. Bytes not listed are reserved and zero.
//
//  offset  width      field
//       0  i32        isovist method (0 exact node, 1 approximate radial)
//       4  i32        ray count (1440; stored only)
//       8  13 x u32   colours 0x00BBGGRR, in ColorRole order
//      88  4 x f64    grid corner offsets: lower-left x, y, upper-right x, y
//     120  i32        path circle radius
//     124  i32        path display method
//     128  20 x i32   show flags, in ShowFlag order (the last nine reserved)
//     208  i32        use offset from origin
//     212  f64        offset start
//     220  f64        offset end
//     228  2 x f64    legend range: minimum, maximum
//     244  i32        result display (0 colour, 1 grey scale)
//     248  i32        axial display property
//     252  i32        integration-n depth
//     256  i32        calculate graph measures
//     260  i32        scale mode (legend family)
//     264  i32        scale range (0 auto, 1 manual)
//     268  f64        scale From
//     276  f64        scale To
//     284  20 bytes   legacy run, carried through
//     304  64 bytes   grid state and flags (state byte at 306)
//     368  i32        unit (0 mm, 1 cm, 2 m, 3 in, 4 ft)
namespace {
constexpr size_t kMethod = 0;
constexpr size_t kRayCount = 4;
constexpr size_t kColors = 8;
constexpr size_t kGridOffsets = 88;
constexpr size_t kPathCircleRadius = 120;
constexpr size_t kPathDisplayMethod = 124;
constexpr size_t kShow = 128;
constexpr size_t kUseOffset = 208;
constexpr size_t kOffsetStart = 212;
constexpr size_t kOffsetEnd = 220;
constexpr size_t kLegendRange = 228;
constexpr size_t kResultDisplay = 244;
constexpr size_t kAxialDisplay = 248;
constexpr size_t kIntegrationDepth = 252;
constexpr size_t kGraphMeasures = 256;
constexpr size_t kScaleMode = 260;
constexpr size_t kScaleRange = 264;
constexpr size_t kScaleFrom = 268;
constexpr size_t kScaleTo = 276;
constexpr size_t kLegacyRun = 284;
constexpr size_t kGridState = 304;
constexpr size_t kUnit = 368;
}  // namespace

void DocumentSettings::reset() {
    const uint32_t customPoints = m_colors[kColorCustomPoints];
    const uint32_t axialLines = m_colors[kColorAxialLines];
    *this = DocumentSettings{};
    m_colors[kColorCustomPoints] = customPoints;
    m_colors[kColorAxialLines] = axialLines;
}

std::vector<uint8_t> DocumentSettings::toBytes() const {
    std::vector<uint8_t> bytes(kImageSize, 0);
    std::span<uint8_t> image(bytes);
    le::putI32(image, kMethod, m_isovistMethod);
    le::putI32(image, kRayCount, rayCount);
    for (size_t i = 0; i < m_colors.size(); ++i) {
        le::putU32(image, kColors + 4 * i, m_colors[i]);
    }
    for (size_t i = 0; i < gridCornerOffsets.size(); ++i) {
        le::putF64(image, kGridOffsets + 8 * i, gridCornerOffsets[i]);
    }
    le::putI32(image, kPathCircleRadius, pathCircleRadius);
    le::putI32(image, kPathDisplayMethod, pathDisplayMethod);
    for (size_t i = 0; i < m_show.size(); ++i) {
        le::putI32(image, kShow + 4 * i, m_show[i]);
    }
    le::putI32(image, kUseOffset, useOffsetFromOrigin);
    le::putF64(image, kOffsetStart, offsetStart);
    le::putF64(image, kOffsetEnd, offsetEnd);
    le::putF64(image, kLegendRange, legendRange[0]);
    le::putF64(image, kLegendRange + 8, legendRange[1]);
    le::putI32(image, kResultDisplay, resultDisplay);
    le::putI32(image, kAxialDisplay, m_axialDisplayProperty);
    le::putI32(image, kIntegrationDepth, integrationDepth);
    le::putI32(image, kGraphMeasures, calculateGraphMeasures);
    le::putI32(image, kScaleMode, m_scaleMode);
    le::putI32(image, kScaleRange, scaleRange);
    le::putF64(image, kScaleFrom, scaleFrom);
    le::putF64(image, kScaleTo, scaleTo);
    for (size_t i = 0; i < legacyRun.size(); ++i) {
        bytes[kLegacyRun + i] = legacyRun[i];
    }
    for (size_t i = 0; i < gridStateAndFlags.size(); ++i) {
        bytes[kGridState + i] = gridStateAndFlags[i];
    }
    le::putI32(image, kUnit, m_unit);
    return bytes;
}

bool DocumentSettings::fromBytes(std::span<const uint8_t> image) {
    if (image.size() != kImageSize) {
        return false;
    }
    m_isovistMethod = le::i32At(image, kMethod);
    rayCount = le::i32At(image, kRayCount);
    for (size_t i = 0; i < m_colors.size(); ++i) {
        m_colors[i] = le::u32At(image, kColors + 4 * i);
    }
    for (size_t i = 0; i < gridCornerOffsets.size(); ++i) {
        gridCornerOffsets[i] = le::f64At(image, kGridOffsets + 8 * i);
    }
    pathCircleRadius = le::i32At(image, kPathCircleRadius);
    pathDisplayMethod = le::i32At(image, kPathDisplayMethod);
    for (size_t i = 0; i < m_show.size(); ++i) {
        m_show[i] = le::i32At(image, kShow + 4 * i);
    }
    useOffsetFromOrigin = le::i32At(image, kUseOffset);
    offsetStart = le::f64At(image, kOffsetStart);
    offsetEnd = le::f64At(image, kOffsetEnd);
    legendRange[0] = le::f64At(image, kLegendRange);
    legendRange[1] = le::f64At(image, kLegendRange + 8);
    resultDisplay = le::i32At(image, kResultDisplay);
    m_axialDisplayProperty = le::i32At(image, kAxialDisplay);
    integrationDepth = le::i32At(image, kIntegrationDepth);
    calculateGraphMeasures = le::i32At(image, kGraphMeasures);
    m_scaleMode = le::i32At(image, kScaleMode);
    scaleRange = le::i32At(image, kScaleRange);
    scaleFrom = le::f64At(image, kScaleFrom);
    scaleTo = le::f64At(image, kScaleTo);
    for (size_t i = 0; i < legacyRun.size(); ++i) {
        legacyRun[i] = image[kLegacyRun + i];
    }
    for (size_t i = 0; i < gridStateAndFlags.size(); ++i) {
        gridStateAndFlags[i] = image[kGridState + i];
    }
    m_unit = le::i32At(image, kUnit);
    return true;
}
