#include "document/CORVDoc.h"

#include <gtest/gtest.h>

#include "testing/FakeDocumentUi.h"

namespace {

PlanPolygon Polygon(std::vector<PlanPoint> points) {
    return PlanPolygon(std::move(points));
}

class DocumentTest : public ::testing::Test {
  protected:
    FakeDocumentUi ui;
    CORVDoc doc{ui};
};

TEST_F(DocumentTest, NewDocumentHasTitleAndResetValues) {
    doc.m_currentPath = 4;
    doc.m_gridDisplayProperty = 7;
    doc.m_settings.m_show[kShowGrid] = 0;
    doc.m_settings.m_unit = 3;
    doc.m_settings.m_isovistMethod = kApproximateRadialMethod;

    EXPECT_TRUE(doc.OnNewDocument());

    ASSERT_FALSE(ui.titles.empty());
    EXPECT_EQ(ui.titles.back(), "Untitled");
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_EQ(doc.m_currentPath, -1);
    EXPECT_EQ(doc.m_gridDisplayProperty, 1);
    for (int32_t flag : doc.m_settings.m_show) {
        EXPECT_EQ(flag, 1);
    }
    EXPECT_EQ(doc.m_settings.m_unit, 0);
    EXPECT_EQ(doc.m_settings.m_isovistMethod, kExactNodeMethod);
    EXPECT_EQ(ui.redrawCount, 1);
}

TEST_F(DocumentTest, ResetKeepsConstructionOnlyValues) {
    doc.m_eliminationOptions.tolerance = 7.0;
    doc.m_gridSpan = 12.5;
    doc.m_wallTableFlags = {5, 6};
    doc.m_settings.m_colors[kColorCustomPoints] = Rgb(1, 2, 3);
    doc.m_settings.m_colors[kColorAxialLines] = Rgb(4, 5, 6);
    doc.m_settings.m_colors[kColorWalls] = Rgb(9, 9, 9);
    doc.m_pointIsovist.polygon = Polygon({{1, 1}, {2, 1}, {2, 2}});
    doc.m_pointIsovist.area = 0.5;

    doc.ResetDocument();

    EXPECT_EQ(doc.m_eliminationOptions.tolerance, 7.0);
    EXPECT_EQ(doc.m_gridSpan, 12.5);
    EXPECT_EQ(doc.m_wallTableFlags, (std::array<int32_t, 2>{5, 6}));
    EXPECT_EQ(doc.m_settings.m_colors[kColorCustomPoints], Rgb(1, 2, 3));
    EXPECT_EQ(doc.m_settings.m_colors[kColorAxialLines], Rgb(4, 5, 6));
    EXPECT_EQ(doc.m_settings.m_colors[kColorWalls], Rgb(0, 0, 0));
    EXPECT_EQ(doc.m_pointIsovist.polygon.count(), 3);
    EXPECT_EQ(doc.m_pointIsovist.area, 0.5);
}

TEST_F(DocumentTest, ConstructionDefaults) {
    EXPECT_EQ(doc.m_eliminationOptions, (EliminationOptions{1, 1, 0.5, 2}));
    EXPECT_EQ(doc.m_gridSpan, 100.0);
    EXPECT_EQ(doc.m_wallTableFlags, (std::array<int32_t, 2>{1, 1}));
    EXPECT_EQ(doc.m_selectedAxialLine, -1);
    EXPECT_EQ(doc.m_savedViewState.mappingMode, 2);
    EXPECT_EQ(doc.m_savedViewState.scale, 1.0);
    EXPECT_EQ(doc.m_layerNames.names[LayerNames::kReferenceLine], "GLINES");
}

TEST_F(DocumentTest, ResetEmptiesPlanAndResults) {
    doc.m_planPolygons.append(Polygon({{0, 0}, {1, 0}, {1, 1}}));
    doc.RebuildWallTables();
    doc.ComputePlanExtent();
    doc.m_radialLines.push_back({{0, 0}, {1, 1}});
    doc.m_isovistArea = 3.0;
    doc.m_pathIsovists.resize(2);
    doc.m_customPoints.push_back({1, 2});
    doc.m_customPointCount = 1;
    doc.m_entropyParams.sets[7] = {1.0};
    doc.m_layerNames.set(LayerNames::kWall, "MINE");
    doc.m_savedViewState.scale = 3.0;

    doc.ResetDocument();

    EXPECT_TRUE(doc.m_planPolygons.empty());
    EXPECT_EQ(doc.m_wallVertexCount, 0);
    EXPECT_EQ(doc.m_wallSegmentCount, 0);
    EXPECT_TRUE(doc.m_wallSegments.empty());
    EXPECT_EQ(doc.m_planExtent, PlanExtent{});
    EXPECT_TRUE(doc.m_radialLines.empty());
    EXPECT_EQ(doc.m_isovistArea, 0.0);
    EXPECT_TRUE(doc.m_pathIsovists.empty());
    EXPECT_TRUE(doc.m_customPoints.empty());
    EXPECT_EQ(doc.m_customPointCount, 0);
    EXPECT_EQ(doc.m_entropyParams, EntropyParams{});
    EXPECT_EQ(doc.m_layerNames.names[LayerNames::kWall], "WALLS");
    EXPECT_EQ(doc.m_savedViewState, SavedViewState{});
}

TEST_F(DocumentTest, WallTablesOfBoundaryAndOneWall) {
    doc.m_planPolygons.append(Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
    doc.m_planPolygons.append(Polygon({{4, 4}, {6, 4}, {5, 6}}));

    doc.RebuildWallTables();

    EXPECT_EQ(doc.m_wallVertexCount, 7);
    EXPECT_EQ(doc.m_wallSegmentCount, 7);
    ASSERT_EQ(doc.m_wallSegments.size(), 7u);
    EXPECT_EQ(doc.m_wallSegments[3],
              (PlanSegment{{0, 10}, {0, 0}}));  // the boundary's closing edge
    EXPECT_EQ(doc.m_wallSegments[4], (PlanSegment{{4, 4}, {6, 4}}));
    EXPECT_EQ(doc.m_wallSegments[6], (PlanSegment{{5, 6}, {4, 4}}));
    EXPECT_EQ(doc.m_wallVertices[6], (PlanPoint{5, 6}));
}

TEST_F(DocumentTest, RebuildingReplacesOldTables) {
    doc.m_planPolygons.append(Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
    doc.RebuildWallTables();
    doc.m_planPolygons.clear();

    doc.RebuildWallTables();

    EXPECT_EQ(doc.m_wallVertexCount, 0);
    EXPECT_TRUE(doc.m_wallVertices.empty());
}

TEST_F(DocumentTest, PlanExtentSkipsEmptyPolygons) {
    doc.m_planPolygons.append(PlanPolygon{});
    doc.m_planPolygons.append(Polygon({{3, -2}, {8, 4}}));
    doc.m_planPolygons.append(Polygon({{-1, 5}}));

    doc.ComputePlanExtent();

    EXPECT_EQ(doc.m_planExtent, (PlanExtent{-1, 8, -2, 5}));
}

TEST_F(DocumentTest, PlanExtentWithoutPointsIsLeftUnchanged) {
    doc.m_planExtent = PlanExtent{1, 2, 3, 4};
    doc.m_planPolygons.append(PlanPolygon{});

    doc.ComputePlanExtent();

    EXPECT_EQ(doc.m_planExtent, (PlanExtent{1, 2, 3, 4}));
}

TEST(PolygonListTest, SeventeenthPolygonDoublesCapacity) {
    PolygonList list;
    EXPECT_EQ(list.capacity(), 16);
    for (int i = 0; i < 17; ++i) {
        list.append(Polygon({{static_cast<double>(i), 1.0}, {2.0, 2.0}}));
    }
    EXPECT_EQ(list.capacity(), 32);
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(list[i][0].x, i);
        EXPECT_EQ(list[i].count(), 2);
    }
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.capacity(), 32);
}

TEST(PlanPolygonTest, ResizingToZeroKeepsPoints) {
    PlanPolygon p = Polygon({{1, 2}, {3, 4}});
    p.resize(0);
    EXPECT_EQ(p.count(), 2);
    p.resize(-3);
    EXPECT_EQ(p.count(), 2);
    p.resize(3);
    EXPECT_EQ(p.points(), (std::vector<PlanPoint>{{0, 0}, {0, 0}, {0, 0}}));
}

}  // namespace
