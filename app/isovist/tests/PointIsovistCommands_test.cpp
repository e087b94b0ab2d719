#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/CORVDoc.h"
#include "isovist/IsovistPropertiesText.h"
#include "isovist/IsovistSubdivision.h"
#include "testing/FakeDocumentUi.h"

namespace {

// The shared fake, plus the three point isovist dialogs scripted by the test.
class PointIsovistUi : public FakeDocumentUi {
  public:
    std::deque<std::optional<PlanPoint>> pointAnswers;
    std::vector<PlanPoint> pointDialogInitials;
    std::vector<IsovistPropertiesTexts> propertiesShown;
    // What the subdivision dialog does while it is open (the user's clicks).
    std::function<void(IsovistSubdivision&)> subdivisionSession;
    int subdivisionDialogs = 0;

    std::optional<PlanPoint> askPointIsovistAt(const PlanPoint& initial) override {
        pointDialogInitials.push_back(initial);
        if (pointAnswers.empty()) {
            return std::nullopt;
        }
        const auto answer = pointAnswers.front();
        pointAnswers.pop_front();
        return answer;
    }
    void showIsovistProperties(const IsovistPropertiesTexts& texts) override {
        propertiesShown.push_back(texts);
    }
    void runIsovistSubdivision(IsovistSubdivision& subdivision) override {
        ++subdivisionDialogs;
        if (subdivisionSession) {
            subdivisionSession(subdivision);
        }
    }
};

// A 10 x 10 room.
class PointIsovistCommands : public ::testing::Test {
  protected:
    PointIsovistUi ui;
    CORVDoc doc{ui};

    void SetUp() override {
        doc.m_planPolygons.append(PlanPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
        doc.RebuildWallTables();
    }
};

TEST_F(PointIsovistCommands, PointIsovistAtComputesRemembersAndRedraws) {
    doc.m_lastPointIsovistAt = {1, 2};
    ui.pointAnswers.push_back(PlanPoint{5, 5});
    doc.OnPointIsovistAt();
    ASSERT_EQ(ui.pointDialogInitials.size(), 1u);
    EXPECT_EQ(ui.pointDialogInitials[0], (PlanPoint{1, 2}));
    EXPECT_EQ(doc.m_lastPointIsovistAt, (PlanPoint{5, 5}));
    EXPECT_EQ(doc.m_pointIsovist.polygon.count(), 4);
    EXPECT_EQ(doc.m_pointIsovist.origin, (PlanPoint{5, 5}));
    EXPECT_DOUBLE_EQ(doc.m_isovistArea, 100.0);
    EXPECT_EQ(ui.redrawCount, 1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PointIsovistCommands, CancelChangesNothing) {
    doc.m_lastPointIsovistAt = {1, 2};
    doc.OnPointIsovistAt();
    EXPECT_EQ(ui.pointDialogInitials.size(), 1u);
    EXPECT_EQ(doc.m_lastPointIsovistAt, (PlanPoint{1, 2}));
    EXPECT_TRUE(doc.m_pointIsovist.polygon.empty());
    EXPECT_TRUE(doc.m_radialLines.empty());
    EXPECT_EQ(ui.redrawCount, 0);
}

TEST_F(PointIsovistCommands, PointOutsideThePlanGivesNoMessageAndAnEmptyIsovist) {
    doc.OnPointIsovistAt(PlanPoint{20, 5});
    EXPECT_EQ(doc.m_lastPointIsovistAt, (PlanPoint{20, 5}));
    EXPECT_TRUE(doc.m_radialLines.empty());
    EXPECT_EQ(doc.m_isovistArea, 0.0);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.redrawCount, 1);
}

TEST_F(PointIsovistCommands, PropertiesMeasureThePointIsovistAndShowIt) {
    doc.m_settings.m_unit = 4;
    doc.OnPointIsovistAt(PlanPoint{5, 5});
    doc.OnPointIsovistProperties();
    EXPECT_DOUBLE_EQ(doc.m_pointIsovist.area, 100.0);
    EXPECT_DOUBLE_EQ(doc.m_pointIsovist.occlusivity, 1.0);
    ASSERT_EQ(ui.propertiesShown.size(), 1u);
    const IsovistPropertiesTexts& shown = ui.propertiesShown[0];
    EXPECT_EQ(shown.withoutUnits.area, "100.0000");
    EXPECT_EQ(shown.withUnits.area, "100.0000 ft\xC2\xB2");
    EXPECT_EQ(shown.withUnits.isovistAt, "5.0000 ft, 5.0000 ft");
    EXPECT_EQ(shown.withoutUnits.occlusivity, "1.0000");
    EXPECT_EQ(shown.withoutUnits.mean, "");          // exact method: no radial data
    EXPECT_EQ(shown.withoutUnits.connectivity, "");  // graph measures are not shown
}

TEST_F(PointIsovistCommands, PropertiesOfARadialIsovistShowItsRays) {
    doc.m_settings.m_isovistMethod = 1;
    doc.OnPointIsovistAt(PlanPoint{5, 5});
    doc.OnPointIsovistProperties();
    ASSERT_EQ(ui.propertiesShown.size(), 1u);
    const IsovistPropertiesFields& f = ui.propertiesShown[0].withoutUnits;
    EXPECT_EQ(f.area, "100.0000");
    EXPECT_EQ(f.minimum, "5.0000");  // the rays at 0°, 90°, ...
    EXPECT_EQ(f.maximum, "7.0711");  // the rays into the corners
    EXPECT_EQ(ui.propertiesShown[0].withUnits.variance.substr(
                  ui.propertiesShown[0].withUnits.variance.size() - 5),
              " mm\xC2\xB2");
}

TEST_F(PointIsovistCommands, PropertiesWithoutAnIsovistShowZeros) {
    doc.OnPointIsovistProperties();
    ASSERT_EQ(ui.propertiesShown.size(), 1u);
    EXPECT_EQ(ui.propertiesShown[0].withoutUnits.area, "0.0000");
    EXPECT_EQ(ui.propertiesShown[0].withoutUnits.isovistAt, "0.0000, 0.0000");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PointIsovistCommands, SubdivisionWorksOnCopiesAndWritesNothingBack) {
    doc.OnPointIsovistAt(PlanPoint{5, 5});
    const IsovistRecord before = doc.m_pointIsovist;
    std::string summary;
    ui.subdivisionSession = [&summary](IsovistSubdivision& subdivision) {
        ASSERT_TRUE(subdivision.Generate(0, 4));
        summary = subdivision.SummaryText();
    };
    doc.OnPointIsovistSubdivision();
    EXPECT_EQ(ui.subdivisionDialogs, 1);
    EXPECT_EQ(doc.m_pointIsovist, before);
    EXPECT_NE(summary.find("\r\nOcclusivity\r\n0\t0.5000\r\n1\t0.5000\r\n"), std::string::npos);
    EXPECT_NE(summary.find("\r\nArea (mm\xC2\xB2)\r\n0\t25.0000\r\n"), std::string::npos);
}

TEST_F(PointIsovistCommands, ViewConeUsesTheDocumentsWalls) {
    doc.OnPointIsovistAt(PlanPoint{5, 5});
    IsovistRecord cone;
    doc.ApplyViewCone(doc.m_pointIsovist, cone, 45, 45);
    EXPECT_NEAR(cone.area, 25.0, 1e-12);
    EXPECT_NEAR(cone.occlusivity, 0.5, 1e-12);
}

// A wall count beyond the table (as a damaged document might hold) is clamped, not trusted.
TEST_F(PointIsovistCommands, WallCountBeyondTheTableIsNotTrusted) {
    doc.OnPointIsovistAt(PlanPoint{5, 5});
    doc.m_wallSegmentCount = 1000;
    doc.OnPointIsovistProperties();
    EXPECT_DOUBLE_EQ(doc.m_pointIsovist.occlusivity, 1.0);
}

// A round room of radius 10 drawn with 360 wall segments, seen from its centre by the radial
// method: every ray ends between 10·cos 0.5° (mid-segment) and 10 (at a vertex), so the rays
// hardly vary, the room is barely elongated and nearly all of the outline is wall.
TEST(PointIsovistRoundRoom, RadialMeasuresOfACircle) {
    PointIsovistUi ui;
    CORVDoc doc(ui);
    std::vector<PlanPoint> circle;
    for (int j = 0; j < 360; ++j) {
        const double a = j * M_PI / 180;
        circle.push_back({10 * std::cos(a), 10 * std::sin(a)});
    }
    doc.m_planPolygons.append(PlanPolygon(circle));
    doc.RebuildWallTables();
    doc.m_settings.m_isovistMethod = 1;
    doc.OnPointIsovistAt(PlanPoint{0, 0});
    doc.OnPointIsovistProperties();

    const RadialStats& s = doc.m_pointRadialStats;
    const double shortest = 10 * std::cos(0.5 * M_PI / 180);
    EXPECT_EQ(s.rayCount, 1440.0);
    EXPECT_NEAR(s.max, 10.0, 1e-9);
    EXPECT_NEAR(s.min, shortest, 1e-9);
    EXPECT_GT(s.mean, shortest);
    EXPECT_LT(s.mean, 10.0);
    EXPECT_LT(s.variance, 1e-6);
    EXPECT_GT(s.elongation, shortest / 10);
    EXPECT_LE(s.elongation, 1.0);

    const IsovistRecord& r = doc.m_pointIsovist;
    const double polygonArea = 0.5 * 360 * 100 * std::sin(M_PI / 180);
    EXPECT_NEAR(r.area, polygonArea, 1e-6);
    EXPECT_NEAR(r.drift, 0.0, 1e-9);
    EXPECT_NEAR(r.occlusivity, 1.0, 1e-12);
    EXPECT_NEAR(r.visiblePerimeterRatio, 1.0, 1e-12);
    EXPECT_NEAR(r.maxVertexDistance, 10.0, 1e-9);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
