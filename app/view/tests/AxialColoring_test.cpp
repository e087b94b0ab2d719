// Axial lines in the colour of the shown property: the range over all lines, Length measured on
// the lines (their records do not hold it), and the lines drawn in those colours.
#include <gtest/gtest.h>

#include <QImage>

#include "document/CORVDoc.h"
#include "testing/FakeDocumentUi.h"
#include "view/AxialColoring.h"
#include "view/CORVView.h"
#include "view/tests/ViewPixels.h"

namespace {

constexpr uint32_t Grey(int level) {
    return static_cast<uint32_t>(level) * 0x010101u;
}

// Three horizontal lines of lengths 10, 20 and 40, their connectivity 3, 1 and 2.
const std::vector<PlanSegment> kLines = {
    {{20, 10}, {30, 10}}, {{20, 50}, {40, 50}}, {{20, 90}, {60, 90}}};

std::vector<IsovistRecord> Records(std::vector<int32_t> connectivity) {
    std::vector<IsovistRecord> records(connectivity.size());
    for (size_t i = 0; i < records.size(); ++i) {
        records[i].graphMeasures.connectivity = connectivity[i];
    }
    return records;
}

const ColorScale kGrey{0, 0.0, 0.0, 1};

}  // namespace

TEST(AxialColoring, RangeAndColoursPerProperty) {
    struct Case {
        const char* what;
        int32_t property;
        std::vector<IsovistRecord> records;
        bool colours;
        double minimum, maximum;
        std::vector<uint32_t> colors;
    };
    const Case cases[] = {
        {"length from the lines, records empty", 1, {}, true, 10, 40,
         {Grey(0), Grey(85), Grey(255)}},
        {"length ignores the records' perimeter", 1, Records({3, 1, 2}), true, 10, 40,
         {Grey(0), Grey(85), Grey(255)}},
        {"connectivity from the records", 2, Records({3, 1, 2}), true, 1, 3,
         {Grey(255), Grey(0), Grey(127)}},
        {"none: the one line colour", 0, Records({3, 1, 2}), false, 0, 0, {}},
        {"unknown code", 14, Records({3, 1, 2}), false, 0, 0, {}},
        {"records missing for a measure", 2, Records({3, 1}), false, 0, 0, {}},
    };
    for (const Case& c : cases) {
        const auto coloring = ColorAxialLines(kLines, c.records, c.property, kGrey);
        ASSERT_EQ(coloring.has_value(), c.colours) << c.what;
        if (!coloring) {
            continue;
        }
        EXPECT_EQ(coloring->minimum, c.minimum) << c.what;
        EXPECT_EQ(coloring->maximum, c.maximum) << c.what;
        EXPECT_EQ(coloring->colors, c.colors) << c.what;
    }
    EXPECT_FALSE(ColorAxialLines({}, {}, 1, kGrey));
}

TEST(AxialColoring, TheViewDrawsEachLineInItsColourAndRegistersTheRange) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    doc.m_planPolygons.clear();
    doc.m_planPolygons.append(PlanPolygon({{-5, 0}, {65, 0}, {65, 100}, {-5, 100}}));
    doc.RebuildWallTables();
    doc.ComputePlanExtent();
    doc.m_axialLines = kLines;
    doc.m_axialLineRecords = Records({3, 1, 2});
    doc.m_settings.m_axialDisplayProperty = 1;
    doc.m_settings.resultDisplay = 1;  // grey
    doc.m_settings.m_scaleMode = kLegendAxial;
    doc.m_settings.m_colors[kColorBackground] = 0x00800000;  // dark blue, so white shows
    CORVView view(doc);
    view.resize(500, 400);
    view.zoomExtent();
    const QImage image = view.render();
    const ViewTransform& t = doc.m_savedViewState;
    EXPECT_EQ(image.pixelColor(DeviceOf(t, 25, 10)), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(DeviceOf(t, 30, 50)), QColor(85, 85, 85));
    EXPECT_EQ(image.pixelColor(DeviceOf(t, 40, 90)), QColor(255, 255, 255));
    EXPECT_EQ(doc.m_settings.legendRange, (std::array<double, 2>{10.0, 40.0}));
}
