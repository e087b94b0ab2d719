// The visibility-polygon method through the document: the point isovist, and a document that
// holds the method value 2 saved and opened again.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "document/CORVDoc.h"
#include "document/DocumentFile.h"
#include "testing/FakeDocumentUi.h"

namespace {

void LoadRoomWithPillar(CORVDoc& doc) {
    doc.m_planPolygons.append(PlanPolygon({{0, 0}, {20, 0}, {20, 10}, {0, 10}}));
    doc.m_planPolygons.append(PlanPolygon({{12, 4}, {12, 6}, {14, 6}, {14, 4}}));
    doc.RebuildWallTables();
}

TEST(VisibilityPolygonDocument, PointIsovistIsExactAndHasNoRayStatistics) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    LoadRoomWithPillar(doc);
    doc.m_settings.m_isovistMethod = kExactVisibilityPolygonMethod;
    doc.m_pointRadialStats.rayCount = 7.0;  // untouched: no rays are cast
    doc.ComputePointIsovist(5, 5);
    EXPECT_NEAR(doc.m_isovistArea, 1224.0 / 7.0, 1e-12);
    EXPECT_EQ(doc.m_radialLines.size(), 8u);
    EXPECT_EQ(doc.m_pointIsovist.polygon.count(), 8);
    EXPECT_EQ(doc.m_pointRadialStats.rayCount, 7.0);
    EXPECT_TRUE(ui.messages.empty());
    // Inside the pillar: the invalid-point result.
    doc.ComputePointIsovist(13, 5);
    EXPECT_TRUE(doc.m_radialLines.empty());
    EXPECT_EQ(doc.m_isovistArea, 0.0);
    EXPECT_EQ(doc.m_isovistCentroid, (PlanPoint{13, 5}));
}

TEST(VisibilityPolygonDocument, TheMethodSurvivesSaveAndOpen) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    LoadRoomWithPillar(doc);
    doc.m_settings.m_isovistMethod = kExactVisibilityPolygonMethod;
    const std::string path =
        (std::filesystem::temp_directory_path() /
         ("orvelle_visibility_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
          ".ovx"))
            .string();
    ASSERT_TRUE(SaveDocumentFile(doc, path).ok);
    FakeDocumentUi otherUi;
    CORVDoc opened(otherUi);
    const bool read = opened.OpenDocument(path);
    std::filesystem::remove(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(opened.m_settings.m_isovistMethod, kExactVisibilityPolygonMethod);
    opened.ComputePointIsovist(5, 5);
    EXPECT_NEAR(opened.m_isovistArea, 1224.0 / 7.0, 1e-12);
}

}  // namespace
