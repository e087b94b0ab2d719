// Path results at the observation points: the radius and fill per display method, the range,
// and a By Color render.
#include <gtest/gtest.h>

#include <QImage>

#include "document/CORVDoc.h"
#include "testing/FakeDocumentUi.h"
#include "view/CORVView.h"
#include "view/tests/ViewPixels.h"
#include "view/PathResultMarks.h"

namespace {

constexpr uint32_t Grey(int level) {
    return static_cast<uint32_t>(level) * 0x010101u;
}

const ColorScale kGrey{0, 0.0, 0.0, 1};
constexpr int32_t kArea = 1;
constexpr int32_t kMeanRadial = 12;

// Three points along y = 50 whose isovist areas are 1, 2 and 4.
std::vector<IsovistRecord> Points(std::vector<double> areas) {
    std::vector<IsovistRecord> records(areas.size());
    for (size_t i = 0; i < records.size(); ++i) {
        records[i].area = areas[i];
        records[i].origin = PlanPoint{20.0 + 40.0 * static_cast<double>(i), 50.0};
    }
    return records;
}

}  // namespace

TEST(PathResultMarks, RadiusAndFillFollowTheDisplayMethod) {
    struct Case {
        int32_t method;
        std::vector<int32_t> radii;
        bool filled;
    };
    // R = 20, largest value 4: by radius 20 v / 4, by area sqrt(v / 4) 20, both truncated.
    const Case cases[] = {
        {0, {5, 10, 20}, false}, {1, {10, 14, 20}, false}, {2, {20, 20, 20}, true},
        {3, {5, 10, 20}, true},  {4, {10, 14, 20}, true},  {5, {}, false},
    };
    for (const Case& c : cases) {
        const auto result = MarkPathResults(Points({1, 2, 4}), {}, kArea, c.method, 20, kGrey);
        ASSERT_TRUE(result) << c.method;
        EXPECT_EQ(result->minimum, 1.0);
        EXPECT_EQ(result->maximum, 4.0);
        ASSERT_EQ(result->marks.size(), c.radii.size()) << c.method;
        for (size_t i = 0; i < c.radii.size(); ++i) {
            const PathPointMark& mark = result->marks[i];
            EXPECT_EQ(mark.radius, c.radii[i]) << c.method << " point " << i;
            EXPECT_EQ(mark.filled, c.filled) << c.method;
            EXPECT_EQ(mark.centre, Points({1, 2, 4})[i].origin);
            const uint32_t colour = std::array{Grey(0), Grey(85), Grey(255)}[i];
            EXPECT_EQ(mark.color, c.filled ? colour : 0u) << c.method << " point " << i;
        }
    }
}

TEST(PathResultMarks, WhatShowsNothing) {
    // All values equal: the range is registered, nothing drawn.
    const auto flat = MarkPathResults(Points({3, 3, 3}), {}, kArea, 2, 20, kGrey);
    ASSERT_TRUE(flat);
    EXPECT_EQ(flat->minimum, 3.0);
    EXPECT_TRUE(flat->marks.empty());
    // Zero and negative values give no circle by radius; the others still do.
    const auto low = MarkPathResults(Points({-2, 0, 4}), {}, kArea, 0, 20, kGrey);
    ASSERT_TRUE(low);
    ASSERT_EQ(low->marks.size(), 1u);
    EXPECT_EQ(low->marks[0].radius, 20);
    EXPECT_FALSE(MarkPathResults({}, {}, kArea, 2, 20, kGrey));
    EXPECT_FALSE(MarkPathResults(Points({1, 2}), {}, 0, 2, 20, kGrey));            // no property
    EXPECT_FALSE(MarkPathResults(Points({1, 2}), {}, kMeanRadial, 2, 20, kGrey));  // no radials
    std::vector<RadialStats> radials(2);
    radials[0].mean = 1.0;
    radials[1].mean = 3.0;
    const auto radial = MarkPathResults(Points({9, 9}), radials, kMeanRadial, 2, 20, kGrey);
    ASSERT_TRUE(radial);
    EXPECT_EQ(radial->maximum, 3.0);
    EXPECT_EQ(radial->marks.size(), 2u);
}

TEST(PathResultMarks, ByColorFillsEachPointInTheColourOfItsValue) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    doc.m_planPolygons.clear();
    doc.m_planPolygons.append(PlanPolygon({{0, 0}, {120, 0}, {120, 100}, {0, 100}}));
    doc.RebuildWallTables();
    doc.ComputePlanExtent();
    doc.m_pathIsovists = Points({1, 2, 4});
    doc.m_pathDisplayProperty = kArea;
    doc.m_settings.pathDisplayMethod = 2;
    doc.m_settings.pathCircleRadius = 20;
    doc.m_settings.resultDisplay = 1;  // grey
    doc.m_settings.m_scaleMode = kLegendPath;
    doc.m_settings.m_colors[kColorBackground] = 0x00800000;
    CORVView view(doc);
    view.resize(500, 400);
    view.zoomExtent();
    const QImage image = view.render();
    const ViewTransform& t = doc.m_savedViewState;
    EXPECT_EQ(image.pixelColor(DeviceOf(t, 21, 50)), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(DeviceOf(t, 61, 50)), QColor(85, 85, 85));
    EXPECT_EQ(image.pixelColor(DeviceOf(t, 101, 50)), QColor(255, 255, 255));
    EXPECT_EQ(doc.m_settings.legendRange, (std::array<double, 2>{1.0, 4.0}));
}

// Where two filled circles overlap, the later point lies on top, whichever colour it has.
TEST(PathResultMarks, OverlappingCirclesAreDrawnInPointOrder) {
    for (const bool darkFirst : {true, false}) {
        FakeDocumentUi ui;
        CORVDoc doc(ui);
        doc.m_planPolygons.append(PlanPolygon({{0, 0}, {120, 0}, {120, 100}, {0, 100}}));
        doc.RebuildWallTables();
        doc.ComputePlanExtent();
        doc.m_pathIsovists = Points(darkFirst ? std::vector<double>{1, 4} : std::vector<double>{4, 1});
        doc.m_pathIsovists[1].origin = doc.m_pathIsovists[0].origin;  // one on the other
        doc.m_pathDisplayProperty = kArea;
        doc.m_settings.pathDisplayMethod = 2;
        doc.m_settings.pathCircleRadius = 20;
        doc.m_settings.resultDisplay = 1;  // grey
        doc.m_settings.m_colors[kColorBackground] = 0x00800000;
        CORVView view(doc);
        view.resize(500, 400);
        view.zoomExtent();
        const QImage image = view.render();
        const QColor second = darkFirst ? QColor(255, 255, 255) : QColor(0, 0, 0);
        EXPECT_EQ(image.pixelColor(DeviceOf(doc.m_savedViewState, 21, 50)), second) << darkFirst;
    }
}
