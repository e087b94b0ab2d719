// The document's isovist requests: what they leave in the document's members and what they
// tell the user.
#include <gtest/gtest.h>

#include "document/CORVDoc.h"
#include "isovist/RadialStatistics.h"
#include "testing/FakeDocumentUi.h"
#include "testing/IsovistPlans.h"

namespace {

class DocumentIsovistTest : public ::testing::Test {
  protected:
    FakeDocumentUi ui;
    CORVDoc doc{ui};

    void loadPlan(std::vector<PlanPolygon> polygons) {
        for (const PlanPolygon& polygon : polygons) {
            doc.m_planPolygons.append(polygon);
        }
        doc.RebuildWallTables();
        doc.ComputePlanExtent();
    }

    void loadSquareRoom() { loadPlan({Rectangle(0, 0, 10, 10, false)}); }

    // Marks the results so that untouched members can be told apart.
    void markResults() {
        doc.m_isovistArea = 42.0;
        doc.m_isovistCentroid = {-3, -4};
        doc.m_pointIsovist.polygon = PlanPolygon({{1, 1}, {2, 1}, {2, 2}});
        doc.m_pointIsovist.origin = {-9, -9};
        doc.m_pointRadialStats.sum = 77.0;
        doc.m_radialLines = {{{0, 0}, {1, 1}}};
    }
};

TEST_F(DocumentIsovistTest, ExactIsovistOfSquareRoom) {
    loadSquareRoom();
    markResults();
    doc.ComputePointIsovist(5, 5);

    EXPECT_EQ(doc.m_isovistOrigin, (PlanPoint{5, 5}));
    ASSERT_EQ(doc.m_radialLines.size(), 4u);
    EXPECT_EQ(doc.m_radialLines[0], (PlanSegment{{5, 5}, {0, 0}}));
    EXPECT_EQ(doc.m_isovistArea, 100.0);
    EXPECT_EQ(doc.m_isovistCentroid, (PlanPoint{5, 5}));
    EXPECT_EQ(doc.m_pointIsovist.polygon.points(),
              (std::vector<PlanPoint>{{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
    EXPECT_EQ(doc.m_pointIsovist.origin, (PlanPoint{5, 5}));
    EXPECT_EQ(doc.m_pointRadialStats.sum, 77.0);  // the exact method computes no statistics
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DocumentIsovistTest, RadialIsovistWritesStatisticsFromTheUnreducedRays) {
    loadSquareRoom();
    doc.m_settings.m_isovistMethod = kApproximateRadialMethod;
    doc.ComputePointIsovist(5, 5);

    EXPECT_EQ(doc.m_radialLines.size(), 4u);
    EXPECT_NEAR(doc.m_isovistArea, 100.0, 1e-9);
    EXPECT_EQ(doc.m_pointRadialStats.rayCount, 1440.0);
    EXPECT_EQ(doc.m_pointRadialStats.min, 5.0);
    EXPECT_NEAR(doc.m_pointRadialStats.max, std::sqrt(50.0), 1e-9);
}

TEST_F(DocumentIsovistTest, ComputeIsovistWritesTheCallersStatistics) {
    loadSquareRoom();
    doc.m_settings.m_isovistMethod = kApproximateRadialMethod;
    markResults();
    RadialStats stats;
    doc.ComputeIsovist(5, 5, stats);

    EXPECT_EQ(stats.rayCount, 1440.0);
    EXPECT_EQ(doc.m_pointRadialStats.sum, 77.0);
}

TEST_F(DocumentIsovistTest, ExactFallBackProducesStatistics) {
    loadPlan({Rectangle(0, 0, 10, 10, false), PlanPolygon({{10, 10}, {8, 10}, {9, 8}})});
    doc.ComputePointIsovist(3, 4);
    EXPECT_EQ(doc.m_pointRadialStats.rayCount, 1440.0);
}

TEST_F(DocumentIsovistTest, InvalidPointLeavesAreaZeroAndCentroidAtThePoint) {
    loadPlan({Rectangle(0, 0, 20, 10, false), Rectangle(12, 4, 14, 6, true)});
    markResults();
    doc.ComputePointIsovist(13, 5);

    EXPECT_TRUE(doc.m_radialLines.empty());
    EXPECT_EQ(doc.m_isovistOrigin, (PlanPoint{13, 5}));
    EXPECT_EQ(doc.m_isovistArea, 0.0);
    EXPECT_EQ(doc.m_isovistCentroid, (PlanPoint{13, 5}));
    EXPECT_EQ(doc.m_pointIsovist.polygon.count(), 3);
    EXPECT_EQ(doc.m_pointIsovist.origin, (PlanPoint{-9, -9}));
    EXPECT_EQ(doc.m_pointRadialStats.sum, 77.0);
}

TEST_F(DocumentIsovistTest, WithoutWallsNothingChanges) {
    markResults();
    doc.ComputePointIsovist(1, 1);
    EXPECT_EQ(doc.m_radialLines.size(), 1u);
    EXPECT_EQ(doc.m_isovistOrigin, PlanPoint{});
    EXPECT_EQ(doc.m_isovistArea, 42.0);
}

TEST_F(DocumentIsovistTest, UnknownMethodEmptiesTheLinesOnly) {
    loadSquareRoom();
    markResults();
    doc.m_settings.m_isovistMethod = 7;
    doc.ComputePointIsovist(5, 5);

    EXPECT_TRUE(doc.m_radialLines.empty());
    EXPECT_EQ(doc.m_isovistOrigin, (PlanPoint{5, 5}));
    EXPECT_EQ(doc.m_isovistArea, 42.0);
    EXPECT_EQ(doc.m_isovistCentroid, (PlanPoint{-3, -4}));
}

TEST_F(DocumentIsovistTest, RaysThatMeetNothingAreReportedAndLeaveOldResults) {
    // Every wall of this tiny room is closer than 0.01 to the point.
    loadPlan({Rectangle(0, 0, 0.01, 0.01, false)});
    doc.m_settings.m_isovistMethod = kApproximateRadialMethod;
    markResults();
    doc.ComputePointIsovist(0.005, 0.005);

    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Invalid radial line set (empty set)"}));
    EXPECT_TRUE(doc.m_radialLines.empty());
    EXPECT_EQ(doc.m_isovistArea, -1.0);
    EXPECT_EQ(doc.m_isovistCentroid, (PlanPoint{-3, -4}));
    EXPECT_EQ(doc.m_pointIsovist.polygon.count(), 3);
    EXPECT_EQ(doc.m_pointIsovist.origin, (PlanPoint{0.005, 0.005}));
    EXPECT_EQ(doc.m_pointRadialStats.sum, 77.0);
}

TEST_F(DocumentIsovistTest, CountsLargerThanTheTablesAreNotTrusted) {
    loadSquareRoom();
    doc.m_wallSegmentCount = 1000;
    doc.m_wallVertexCount = 1000;
    doc.ComputePointIsovist(5, 5);
    EXPECT_EQ(doc.m_isovistArea, 100.0);
}

}  // namespace
