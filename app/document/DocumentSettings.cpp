#include "document/DocumentSettings.h"

#include <algorithm>

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

// Every field of the image, for both directions: the visitor gets each field with its offset.
template <typename Settings, typename Visitor>
void VisitSettingsFields(Settings& s, Visitor& v) {
    v.i32(0, s.m_isovistMethod);
    v.i32(4, s.rayCount);
    for (size_t i = 0; i < s.m_colors.size(); ++i) {
        v.u32(8 + 4 * i, s.m_colors[i]);
    }
    for (size_t i = 0; i < s.gridCornerOffsets.size(); ++i) {
        v.f64(88 + 8 * i, s.gridCornerOffsets[i]);
    }
    v.i32(120, s.pathCircleRadius);
    v.i32(124, s.pathDisplayMethod);
    for (size_t i = 0; i < s.m_show.size(); ++i) {
        v.i32(128 + 4 * i, s.m_show[i]);
    }
    v.i32(208, s.useOffsetFromOrigin);
    v.f64(212, s.offsetStart);
    v.f64(220, s.offsetEnd);
    v.f64(228, s.legendRange[0]);
    v.f64(236, s.legendRange[1]);
    v.i32(244, s.resultDisplay);
    v.i32(248, s.m_axialDisplayProperty);
    v.i32(252, s.integrationDepth);
    v.i32(256, s.calculateGraphMeasures);
    v.i32(260, s.m_scaleMode);
    v.i32(264, s.scaleRange);
    v.f64(268, s.scaleFrom);
    v.f64(276, s.scaleTo);
    v.bytes(284, s.legacyRun);
    v.bytes(304, s.gridStateAndFlags);
    v.i32(368, s.m_unit);
}

struct ImageWriter {
    std::span<uint8_t> image;
    void i32(size_t offset, int32_t value) { le::PutI32(image, offset, value); }
    void u32(size_t offset, uint32_t value) { le::PutU32(image, offset, value); }
    void f64(size_t offset, double value) { le::PutF64(image, offset, value); }
    template <size_t N>
    void bytes(size_t offset, const std::array<uint8_t, N>& run) {
        std::copy(run.begin(), run.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
    }
};

struct ImageReader {
    std::span<const uint8_t> image;
    void i32(size_t offset, int32_t& value) { value = le::I32At(image, offset); }
    void u32(size_t offset, uint32_t& value) { value = le::U32At(image, offset); }
    void f64(size_t offset, double& value) { value = le::F64At(image, offset); }
    template <size_t N>
    void bytes(size_t offset, std::array<uint8_t, N>& run) {
        std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(offset), N, run.begin());
    }
};

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
    ImageWriter writer{bytes};
    VisitSettingsFields(*this, writer);
    return bytes;
}

bool DocumentSettings::fromBytes(std::span<const uint8_t> image) {
    if (image.size() != kImageSize) {
        return false;
    }
    ImageReader reader{image};
    VisitSettingsFields(*this, reader);
    return true;
}
