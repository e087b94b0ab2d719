// The settings block: display and analysis settings saved whole with the document and edited
// as one block by the option dialogs. In memory it is a typed struct; on disk it is a fixed
// 4036-byte little-endian image (see DocumentSettings.cpp for the offset table).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// A colour: red in the lowest byte, then green, then blue; top byte 0.
constexpr uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}

// Roles of the 13 display colours, in stored order.
enum ColorRole : int {
    kColorBackground = 0,
    kColorWalls,
    kColorPointIsovist,
    kColorPathIsovist,
    kColorMarkers,
    kColorGrid,
    kColorPaths,
    kColorCurrentPath,
    kColorPathText,
    kColorObservationPoints,
    kColorReferenceLines,
    kColorCustomPoints,
    kColorAxialLines,
    kColorCount
};

// The show/hide switches, in the order of the Show/Hide dialog; nine more words are reserved.
enum ShowFlag : int {
    kShowWalls = 0,
    kShowPointIsovist,
    kShowPathIsovist,
    kShowMarkers,
    kShowGrid,
    kShowPaths,
    kShowObservationPoints,
    kShowReferenceLines,
    kShowPathResults,
    kShowGridResults,
    kShowAxialLines,
    kShowFlagCount = 20
};

enum IsovistMethod : int32_t {
    kExactNodeMethod = 0,
    kApproximateRadialMethod = 1,
    // Exact everywhere, shared and collinear vertices included (an exact visibility polygon).
    kExactVisibilityPolygonMethod = 2,
};

// Defaults of the two colours that a reset keeps; set when the document is created.
constexpr uint32_t kDefaultCustomPointsColor = Rgb(255, 128, 0);
constexpr uint32_t kDefaultAxialLinesColor = Rgb(0, 0, 255);

// The display colours of a new document.
constexpr std::array<uint32_t, kColorCount> DefaultColors() {
    return {Rgb(255, 255, 255),     Rgb(0, 0, 0),       Rgb(0, 0, 0),
            Rgb(170, 170, 170),     Rgb(187, 187, 187), Rgb(204, 204, 204),
            Rgb(136, 136, 136),     Rgb(255, 0, 0),     Rgb(0, 136, 0),
            Rgb(0, 0, 170),         Rgb(204, 153, 153), kDefaultCustomPointsColor,
            kDefaultAxialLinesColor};
}

template <typename T, size_t N>
constexpr std::array<T, N> FilledArray(T value) {
    std::array<T, N> a{};
    a.fill(value);
    return a;
}

struct DocumentSettings {
    static constexpr size_t kImageSize = 4036;
    static constexpr size_t kLegacyRunSize = 20;
    static constexpr size_t kGridStateSize = 64;
    // The grid state byte sits inside the grid state words.
    static constexpr size_t kGridStateByteIndex = 2;

    int32_t m_isovistMethod = kExactNodeMethod;
    int32_t rayCount = 1440;
    std::array<uint32_t, kColorCount> m_colors = DefaultColors();
    // Lower-left x, y and upper-right x, y offsets of the grid.
    std::array<double, 4> gridCornerOffsets{};
    int32_t pathCircleRadius = 20;
    int32_t pathDisplayMethod = 0;
    std::array<int32_t, kShowFlagCount> m_show = FilledArray<int32_t, kShowFlagCount>(1);
    int32_t useOffsetFromOrigin = 0;
    double offsetStart = 0.0;
    double offsetEnd = 0.0;
    // Minimum and maximum last registered for the legend.
    std::array<double, 2> legendRange{};
    int32_t resultDisplay = 0;  // 0 colour, 1 grey scale
    int32_t m_axialDisplayProperty = 0;
    int32_t integrationDepth = 3;
    int32_t calculateGraphMeasures = 0;
    int32_t m_scaleMode = 0;  // legend family: 0 grid, 1 path, 2 axial
    int32_t scaleRange = 0;   // 0 automatic, 1 manual
    double scaleFrom = 0.0;
    double scaleTo = 0.0;
    // A run older files fill with the byte 100; carried through unchanged.
    std::array<uint8_t, kLegacyRunSize> legacyRun{};
    // Grid state and flags words, kept as raw bytes: the state byte lies at index 2.
    std::array<uint8_t, kGridStateSize> gridStateAndFlags{};
    int32_t m_unit = 0;  // 0 mm, 1 cm, 2 m, 3 in, 4 ft

    uint8_t gridState() const { return gridStateAndFlags[kGridStateByteIndex]; }
    void setGridState(uint8_t state) { gridStateAndFlags[kGridStateByteIndex] = state; }

    // A default-constructed block holds the values of a new document. A reset keeps the
    // custom-point and axial-line colours, so it goes through here.
    void reset();

    std::vector<uint8_t> toBytes() const;
    // Reads a whole image; false (and the settings unchanged) when the image is not 4036 bytes.
    bool fromBytes(std::span<const uint8_t> image);

    friend bool operator==(const DocumentSettings&, const DocumentSettings&) = default;
};
