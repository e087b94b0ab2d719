// The stored images of the settings, view state, entropy and layer-name blocks: offsets pinned
// by hand-written golden values, round trips, and refusals of wrongly sized images.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <stdexcept>
#include <cmath>
#include <functional>
#include <numbers>

#include "document/DocumentSettings.h"
#include "document/EntropyParams.h"
#include "document/LayerNames.h"
#include "document/LittleEndian.h"
#include "document/SavedViewState.h"

namespace {

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 |
           uint32_t{b[at + 3]} << 24;
}

double F64At(const std::vector<uint8_t>& b, size_t at) {
    uint64_t bits = 0;
    for (size_t i = 0; i < 8; ++i) {
        bits |= uint64_t{b[at + i]} << (8 * i);
    }
    return std::bit_cast<double>(bits);
}

// Bytes of the image that are not inside any of the given [offset, offset + width) fields.
bool OnlyFieldsNonZero(const std::vector<uint8_t>& bytes,
                       const std::vector<std::pair<size_t, size_t>>& fields) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        bool inField = false;
        for (const auto& [offset, width] : fields) {
            inField = inField || (i >= offset && i < offset + width);
        }
        if (!inField && bytes[i] != 0) {
            return false;
        }
    }
    return true;
}

template <typename T>
struct Field {
    const char* name;
    size_t offset;
    std::function<void(DocumentSettings&, T)> set;
};

// Sets each field to `value` alone, checks what the image holds at its offset and that the
// image reads back into the same settings.
template <typename T, typename Read>
void ExpectFieldsAtOffsets(const std::vector<Field<T>>& fields, T value, Read readAt) {
    for (const Field<T>& field : fields) {
        DocumentSettings settings;
        field.set(settings, value);
        const auto bytes = settings.toBytes();
        ASSERT_EQ(bytes.size(), 4036u);
        EXPECT_EQ(readAt(bytes, field.offset), value) << field.name;
        DocumentSettings back;
        ASSERT_TRUE(back.fromBytes(bytes));
        EXPECT_EQ(back, settings) << field.name;
    }
}

TEST(SettingsImage, IntegerFieldsSitAtTheirOffsets) {
    const std::vector<Field<int32_t>> fields = {
        {"method", 0, [](DocumentSettings& s, int32_t v) { s.m_isovistMethod = v; }},
        {"ray count", 4, [](DocumentSettings& s, int32_t v) { s.rayCount = v; }},
        {"first colour", 8,
         [](DocumentSettings& s, int32_t v) { s.m_colors[0] = static_cast<uint32_t>(v); }},
        {"last colour", 56,
         [](DocumentSettings& s, int32_t v) { s.m_colors[12] = static_cast<uint32_t>(v); }},
        {"circle radius", 120, [](DocumentSettings& s, int32_t v) { s.pathCircleRadius = v; }},
        {"path display", 124, [](DocumentSettings& s, int32_t v) { s.pathDisplayMethod = v; }},
        {"first show flag", 128, [](DocumentSettings& s, int32_t v) { s.m_show[0] = v; }},
        {"last show flag", 204, [](DocumentSettings& s, int32_t v) { s.m_show[19] = v; }},
        {"use offset", 208, [](DocumentSettings& s, int32_t v) { s.useOffsetFromOrigin = v; }},
        {"result display", 244, [](DocumentSettings& s, int32_t v) { s.resultDisplay = v; }},
        {"axial display", 248,
         [](DocumentSettings& s, int32_t v) { s.m_axialDisplayProperty = v; }},
        {"integration depth", 252, [](DocumentSettings& s, int32_t v) { s.integrationDepth = v; }},
        {"graph measures", 256,
         [](DocumentSettings& s, int32_t v) { s.calculateGraphMeasures = v; }},
        {"scale mode", 260, [](DocumentSettings& s, int32_t v) { s.m_scaleMode = v; }},
        {"scale range", 264, [](DocumentSettings& s, int32_t v) { s.scaleRange = v; }},
        {"unit", 368, [](DocumentSettings& s, int32_t v) { s.m_unit = v; }},
    };
    ExpectFieldsAtOffsets(fields, -123456789, [](const std::vector<uint8_t>& bytes, size_t offset) {
        return static_cast<int32_t>(U32At(bytes, offset));
    });
}

TEST(SettingsImage, DoubleFieldsSitAtTheirOffsets) {
    const std::vector<Field<double>> fields = {
        {"lower-left x", 88, [](DocumentSettings& s, double v) { s.gridCornerOffsets[0] = v; }},
        {"upper-right y", 112, [](DocumentSettings& s, double v) { s.gridCornerOffsets[3] = v; }},
        {"offset start", 212, [](DocumentSettings& s, double v) { s.offsetStart = v; }},
        {"offset end", 220, [](DocumentSettings& s, double v) { s.offsetEnd = v; }},
        {"legend minimum", 228, [](DocumentSettings& s, double v) { s.legendRange[0] = v; }},
        {"legend maximum", 236, [](DocumentSettings& s, double v) { s.legendRange[1] = v; }},
        {"scale from", 268, [](DocumentSettings& s, double v) { s.scaleFrom = v; }},
        {"scale to", 276, [](DocumentSettings& s, double v) { s.scaleTo = v; }},
    };
    ExpectFieldsAtOffsets(fields, -1234.5678, F64At);
}

TEST(SettingsImage, NewDocumentImage) {
    const auto bytes = DocumentSettings{}.toBytes();
    EXPECT_EQ(U32At(bytes, 0), 0u);
    EXPECT_EQ(U32At(bytes, 4), 1440u);
    EXPECT_EQ(U32At(bytes, 8), 0x00FFFFFFu);   // background white
    EXPECT_EQ(U32At(bytes, 20), 0x00AAAAAAu);  // path isovist (170, 170, 170)
    EXPECT_EQ(U32At(bytes, 36), 0x000000FFu);  // current path red
    EXPECT_EQ(U32At(bytes, 40), 0x00008800u);  // path text (0, 136, 0)
    EXPECT_EQ(U32At(bytes, 44), 0x00AA0000u);  // observation points (0, 0, 170)
    EXPECT_EQ(U32At(bytes, 48), 0x009999CCu);  // reference lines (204, 153, 153)
    EXPECT_EQ(U32At(bytes, 120), 20u);
    for (size_t flag = 0; flag < 20; ++flag) {
        EXPECT_EQ(U32At(bytes, 128 + 4 * flag), 1u);
    }
    EXPECT_EQ(U32At(bytes, 252), 3u);
    EXPECT_TRUE(OnlyFieldsNonZero(bytes, {{0, 60}, {120, 4}, {128, 80}, {252, 4}}));
}

TEST(SettingsImage, LegacyRunAndGridStateAreCarriedThrough) {
    DocumentSettings settings;
    settings.legacyRun.fill(100);
    settings.setGridState(3);
    settings.gridStateAndFlags[63] = 9;
    const auto bytes = settings.toBytes();
    EXPECT_EQ(bytes[284], 100);
    EXPECT_EQ(bytes[303], 100);
    EXPECT_EQ(bytes[306], 3);
    EXPECT_EQ(bytes[367], 9);
    DocumentSettings back;
    ASSERT_TRUE(back.fromBytes(bytes));
    EXPECT_EQ(back.gridState(), 3);
    EXPECT_EQ(back, settings);
}

TEST(SettingsImage, WrongSizeIsRefusedAndLeavesSettingsUnchanged) {
    DocumentSettings settings;
    settings.m_unit = 4;
    const DocumentSettings before = settings;
    EXPECT_FALSE(settings.fromBytes(std::vector<uint8_t>(4035, 0xFF)));
    EXPECT_FALSE(settings.fromBytes(std::vector<uint8_t>(4037, 0xFF)));
    EXPECT_FALSE(settings.fromBytes({}));
    EXPECT_EQ(settings, before);
}

TEST(SettingsReset, KeepsTheTwoUnresetColours) {
    DocumentSettings settings;
    settings.m_colors.fill(Rgb(1, 1, 1));
    settings.m_unit = 2;
    settings.reset();
    EXPECT_EQ(settings.m_colors[kColorBackground], Rgb(255, 255, 255));
    EXPECT_EQ(settings.m_colors[kColorReferenceLines], Rgb(204, 153, 153));
    EXPECT_EQ(settings.m_colors[kColorCustomPoints], Rgb(1, 1, 1));
    EXPECT_EQ(settings.m_colors[kColorAxialLines], Rgb(1, 1, 1));
    EXPECT_EQ(settings.m_unit, 0);
}

TEST(ViewStateImage, NewDocumentImage) {
    const auto bytes = SavedViewState{}.toBytes();
    ASSERT_EQ(bytes.size(), 68u);
    EXPECT_EQ(U32At(bytes, 56), 2u);   // word 14
    EXPECT_EQ(F64At(bytes, 60), 1.0);  // words 15 and 16
    EXPECT_TRUE(OnlyFieldsNonZero(bytes, {{56, 4}, {60, 8}}));
}

TEST(ViewStateImage, FieldsSitAtTheirWords) {
    SavedViewState state;
    state.pickedLogicalIntX = -7;
    state.pickedLogicalIntY = 8;
    state.originX = 1.5;
    state.originY = -2.5;
    state.pickedLogicalX = 3.25;
    state.pickedLogicalY = 4.25;
    state.pickedPlanX = 5.125;
    state.pickedPlanY = 6.125;
    state.mappingMode = 9;
    state.scale = 0.3;
    const auto bytes = state.toBytes();
    EXPECT_EQ(static_cast<int32_t>(U32At(bytes, 0)), -7);
    EXPECT_EQ(U32At(bytes, 4), 8u);
    EXPECT_EQ(F64At(bytes, 8), 1.5);
    EXPECT_EQ(F64At(bytes, 16), -2.5);
    EXPECT_EQ(F64At(bytes, 24), 3.25);
    EXPECT_EQ(F64At(bytes, 32), 4.25);
    EXPECT_EQ(F64At(bytes, 40), 5.125);
    EXPECT_EQ(F64At(bytes, 48), 6.125);
    EXPECT_EQ(U32At(bytes, 56), 9u);
    EXPECT_EQ(F64At(bytes, 60), 0.3);
    SavedViewState back;
    ASSERT_TRUE(back.fromBytes(bytes));
    EXPECT_EQ(back, state);
    EXPECT_FALSE(back.fromBytes(std::vector<uint8_t>(67)));
}

TEST(EntropyImage, DefaultSets) {
    const auto bytes = EntropyParams{}.toBytes();
    ASSERT_EQ(bytes.size(), 19040u);
    const double pi = std::numbers::pi;
    const std::vector<std::vector<double>> expected = {
        {0, 3, 12, 25, 140},     {0, 9 * pi, 144 * pi, 625 * pi, 19600 * pi},
        {0, 0.2, 0.4, 0.6, 0.8}, {-1, -0.6, -0.2, 0.2, 0.6},
        {0, 0.4, 0.8, 1.2, 1.6},
    };
    for (size_t set = 0; set < 10; ++set) {
        const size_t base = 808 * set;
        const size_t count = set < expected.size() ? 5 : 0;
        EXPECT_EQ(U32At(bytes, base), count) << set;
        for (size_t i = 0; i < count; ++i) {
            EXPECT_EQ(F64At(bytes, base + 8 + 8 * i), expected[set][i]) << set << "/" << i;
        }
    }
    EXPECT_NEAR(F64At(bytes, 808 + 8 + 8 * 4), 61575.216, 1e-3);  // 19600 pi
    for (size_t i = 8080; i < bytes.size(); ++i) {
        ASSERT_EQ(bytes[i], 0) << i;
    }
}

TEST(EntropyImage, RoundTripAndFullSets) {
    EntropyParams params;
    params.sets[9].clear();
    for (int i = 0; i < 100; ++i) {
        EXPECT_TRUE(params.append(9, i * 0.5));
    }
    EXPECT_FALSE(params.append(9, 1.0));
    EXPECT_FALSE(params.append(10, 1.0));
    EXPECT_EQ(params.sets[9].size(), 100u);
    const auto bytes = params.toBytes();
    EXPECT_EQ(U32At(bytes, 9 * 808), 100u);
    EXPECT_EQ(F64At(bytes, 9 * 808 + 8 + 99 * 8), 49.5);
    EntropyParams back;
    back.sets = {};
    ASSERT_TRUE(back.fromBytes(bytes));
    EXPECT_EQ(back, params);
}

TEST(EntropyImage, HostileCountsAreClamped) {
    auto bytes = EntropyParams{}.toBytes();
    bytes[0] = 0xFF;  // set 0: count -1 after the next three bytes
    bytes[1] = 0xFF;
    bytes[2] = 0xFF;
    bytes[3] = 0xFF;
    bytes[808] = 0xFF;  // set 1: count 0x7FFFFFFF
    bytes[809] = 0xFF;
    bytes[810] = 0xFF;
    bytes[811] = 0x7F;
    EntropyParams params;
    ASSERT_TRUE(params.fromBytes(bytes));
    EXPECT_TRUE(params.sets[0].empty());
    EXPECT_EQ(params.sets[1].size(), 100u);
    EXPECT_FALSE(params.fromBytes(std::vector<uint8_t>(19039)));
}

TEST(LayerNameImage, DefaultsAndFields) {
    const auto bytes = LayerNames{}.toBytes();
    ASSERT_EQ(bytes.size(), 16384u);
    auto textAt = [&](size_t offset) {
        return std::string(reinterpret_cast<const char*>(&bytes[offset]));
    };
    EXPECT_EQ(textAt(0), "BOUNDARY");
    EXPECT_EQ(textAt(256), "WALLS");
    EXPECT_EQ(textAt(512), "PATH");
    EXPECT_EQ(textAt(768), "GLINES");
    EXPECT_TRUE(OnlyFieldsNonZero(bytes, {{0, 8}, {256, 5}, {512, 4}, {768, 6}}));
}

TEST(LayerNameImage, LongNamesAreCutAndUnterminatedFieldsStopAtTheirEnd) {
    LayerNames names;
    names.set(5, std::string(300, 'A'));
    EXPECT_EQ(names.names[5].size(), 255u);
    names.set(64, "ignored");
    names.names[6] = "\xC3\xA9T\xC3\x89";  // UTF-8 bytes are kept as they are
    auto bytes = names.toBytes();
    EXPECT_EQ(bytes[5 * 256 + 254], 'A');
    EXPECT_EQ(bytes[5 * 256 + 255], 0);
    LayerNames back;
    ASSERT_TRUE(back.fromBytes(bytes));
    EXPECT_EQ(back, names);

    std::fill(bytes.begin() + 7 * 256, bytes.begin() + 8 * 256, uint8_t{'Z'});
    ASSERT_TRUE(back.fromBytes(bytes));
    EXPECT_EQ(back.names[7], std::string(256, 'Z'));
    EXPECT_EQ(back.names[8], "");
    EXPECT_FALSE(back.fromBytes(std::vector<uint8_t>(100)));
}

}  // namespace

namespace {

TEST(LittleEndianImage, WritesPastTheEndAreRefusedLoudlyAndReadsQuietly) {
    std::array<uint8_t, 12> bytes{};
    std::span<uint8_t> image(bytes);
    le::PutU32(image, 8, 0x04030201u);  // the last four bytes: fits
    EXPECT_EQ(bytes[8], 1);
    EXPECT_EQ(bytes[11], 4);
    EXPECT_THROW(le::PutU32(image, 9, 1), std::out_of_range);
    EXPECT_THROW(le::PutF64(image, 5, 1.0), std::out_of_range);
    EXPECT_THROW(le::PutI32(image, SIZE_MAX, 1), std::out_of_range);
    uint32_t value = 7;
    EXPECT_FALSE(le::GetU32(image, 9, value));
    EXPECT_EQ(value, 7u);
}

}  // namespace
