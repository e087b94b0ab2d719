// The document's path commands through the scripted UI port: their checks and messages, the
// dialogs' results, the run's progress and title, and the user values from text files.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>

#include "document/CORVDoc.h"
#include "document/DocumentCommands.h"
#include "path/PathDataTable.h"
#include "path/PathOptionsDialogModel.h"
#include "testing/FakeDocumentUi.h"
#include "testing/ScratchFolder.h"
#include "testing/IsovistPlans.h"

namespace {

class PathCommands : public ::testing::Test {
  protected:
    FakeDocumentUi ui;
    CORVDoc doc{ui};
    ScratchFolder folder{"orvelle_path"};

    void SetUp() override {
        // A 10 x 10 room with a path across it, left to right at y = 5, and a second path up.
        doc.m_planPolygons.append(Rectangle(0, 0, 10, 10, false));
        doc.RebuildWallTables();
        doc.m_paths.append(PlanPolygon({{1, 5}, {9, 5}}));
        doc.m_paths.append(PlanPolygon({{5, 1}, {5, 3}, {5, 9}}));
        doc.m_observationPoints.append(PlanPolygon());
        doc.m_observationPoints.append(PlanPolygon());
        doc.SetTitle("plan.dxf");
    }

    // Answers the Create Observation Points dialog with `request`.
    void answerPoints(ObservationPointRequest request) {
        ui.observationPointsScript = [request](ObservationPointsDialogModel& model) {
            model.request = request;
            return true;
        };
    }
    void makePoints(int32_t count) {
        doc.m_currentPath = 0;
        ASSERT_TRUE(doc.CreateObservationPoints({ObservationPointMode::ByNodeCount, count}));
    }
    std::string writeFile(const std::string& name, const std::string& bytes) {
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

TEST_F(PathCommands, CreateObservationPointsChecksThePathAndTheRequest) {
    struct Case {
        const char* name;
        int32_t currentPath;
        ObservationPointRequest request;
        const char* message;  // empty: created
    };
    const Case cases[] = {
        {"no current path", -1, {}, "Invalid path"},
        {"current path out of range", 2, {}, "Invalid path"},
        {"spacing 0", 0, {ObservationPointMode::ByNodeSpacing, 0, 0.0}, "Interval not positive"},
        {"negative count", 0, {ObservationPointMode::ByNodeCount, -1}, "Invalid value for count"},
        {"tiny spacing", 0, {ObservationPointMode::ByNodeSpacing, 0, 1e-9},
         "Too many observation points: a path carries at most 1000000"},
        {"count 3", 0, {ObservationPointMode::ByNodeCount, 3}, ""},
    };
    for (const Case& c : cases) {
        ui.messages.clear();
        doc.m_observationPoints[0] = PlanPolygon();
        doc.m_currentPath = c.currentPath;
        answerPoints(c.request);
        doc.OnCreateObservationPoints();
        if (*c.message != '\0') {
            EXPECT_EQ(ui.messages, std::vector<std::string>{c.message}) << c.name;
            EXPECT_TRUE(doc.m_observationPoints[0].empty()) << c.name;
        } else {
            EXPECT_TRUE(ui.messages.empty()) << c.name;
            EXPECT_EQ(doc.m_observationPoints[0].count(), 5) << c.name;
            EXPECT_EQ(doc.m_observationPoints[0][1], (PlanPoint{3, 5}));
        }
    }
    // The path is checked before the dialog opens.
    EXPECT_EQ(std::count(ui.dialogs.begin(), ui.dialogs.end(), "Create Observation Points"), 4);
}

TEST_F(PathCommands, APathOfOneNodeCarriesNoPoints) {
    doc.m_paths.append(PlanPolygon({{2, 2}}));
    doc.m_currentPath = 2;
    doc.OnCreateObservationPoints();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Invalid path"});
    EXPECT_TRUE(ui.dialogs.empty());
    // With "Apply to all paths" from a usable path it is given an empty list.
    doc.m_currentPath = 0;
    ASSERT_TRUE(doc.CreateObservationPoints({ObservationPointMode::ByNodeCount, 1, 0, true}));
    ASSERT_EQ(doc.m_observationPoints.count(), 3);
    EXPECT_EQ(doc.m_observationPoints[0].count(), 3);
    EXPECT_EQ(doc.m_observationPoints[1].points(),
              (std::vector<PlanPoint>{{5, 1}, {5, 5}, {5, 9}}));
    EXPECT_TRUE(doc.m_observationPoints[2].empty());
}

TEST_F(PathCommands, OnlyTheCurrentPathUnlessAllAreAsked) {
    doc.m_observationPoints[1] = PlanPolygon({{7, 7}});
    doc.m_pathIsovists.resize(2);
    makePoints(0);
    EXPECT_EQ(doc.m_observationPoints[0].points(), (std::vector<PlanPoint>{{1, 5}, {9, 5}}));
    EXPECT_EQ(doc.m_observationPoints[1].points(), (std::vector<PlanPoint>{{7, 7}}));
    EXPECT_EQ(doc.m_pathIsovists.size(), 2u);  // not changed by new points
    // The offset from the settings: spacing 2 from 1 to 6 along the path.
    doc.m_settings.useOffsetFromOrigin = 1;
    doc.m_settings.offsetStart = 1;
    doc.m_settings.offsetEnd = 6;
    doc.m_currentPath = 1;
    ASSERT_TRUE(doc.CreateObservationPoints({ObservationPointMode::ByNodeSpacing, 0, 2, true}));
    EXPECT_EQ(doc.m_observationPoints[0].points(),
              (std::vector<PlanPoint>{{2, 5}, {4, 5}, {6, 5}}));
    EXPECT_EQ(doc.m_observationPoints[1].points(),
              (std::vector<PlanPoint>{{5, 2}, {5, 4}, {5, 6}}));
    EXPECT_GE(ui.redrawCount, 2);
}

TEST_F(PathCommands, ComputePathIsovistsChecksAndRuns) {
    struct Case {
        const char* name;
        int lists;
        int32_t currentPath;
        const char* message;
    };
    const Case cases[] = {
        {"no lists", 0, 0, "No path defined"},
        {"no current path", 2, -1, "Invalid path"},
        {"beyond the lists", 1, 1, "Invalid path"},
        {"no points", 2, 1, "Invalid path points"},
    };
    for (const Case& c : cases) {
        ui.messages.clear();
        doc.m_observationPoints.clear();
        for (int i = 0; i < c.lists; ++i) {
            doc.m_observationPoints.append(PlanPolygon());
        }
        doc.m_currentPath = c.currentPath;
        EXPECT_FALSE(doc.ComputePathIsovists()) << c.name;
        EXPECT_EQ(ui.messages, std::vector<std::string>{c.message}) << c.name;
        EXPECT_EQ(ui.longTasks, 0);
    }
}

TEST_F(PathCommands, CreatePathIsovistFillsOneRecordPerPoint) {
    makePoints(3);  // (1, 5) ... (9, 5), 2 apart
    doc.m_pathIsovists.resize(9);
    doc.m_pathRadialStats.resize(9);
    const int redraws = ui.redrawCount;
    ASSERT_TRUE(RunDocumentCommand(doc, {CommandId::CreatePathIsovist}));
    ASSERT_EQ(doc.m_pathIsovists.size(), 5u);
    EXPECT_TRUE(doc.m_pathRadialStats.empty());  // the exact method keeps none
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(doc.m_pathIsovists[i].origin, (PlanPoint{1.0 + 2.0 * i, 5}));
        EXPECT_NEAR(doc.m_pathIsovists[i].area, 100.0, 1e-9);
    }
    // The progress "i/n" as the run's title, then the document's title again.
    EXPECT_EQ(ui.progressTitles.front(), "0/5");
    EXPECT_EQ(ui.progressTitles.back(), "5/5");
    EXPECT_EQ(ui.titles.back(), "plan.dxf");
    EXPECT_EQ(ui.waitCursorDepth, 0);
    EXPECT_EQ(ui.waitCursorShown, 1);
    EXPECT_GT(ui.redrawCount, redraws);

    doc.m_settings.m_isovistMethod = kApproximateRadialMethod;
    ASSERT_TRUE(doc.ComputePathIsovists());
    EXPECT_EQ(doc.m_pathRadialStats.size(), 5u);
    EXPECT_NEAR(doc.m_pathRadialStats[2].min, 5.0, 1e-9);
}

TEST_F(PathCommands, ApplyViewAngleNarrowsToTheHalfPlaneAhead) {
    doc.OnApplyViewAngle();  // nothing to narrow: no prompt
    EXPECT_TRUE(ui.dialogs.empty());
    makePoints(3);
    ASSERT_TRUE(doc.ComputePathIsovists());
    ui.viewAngleAnswers = {};
    doc.OnApplyViewAngle();  // cancelled
    EXPECT_NEAR(doc.m_pathIsovists[0].area, 100.0, 1e-9);
    ui.viewAngleAnswers = {180.0};
    ASSERT_TRUE(RunDocumentCommand(doc, {CommandId::ApplyViewAngle}));
    const double areas[] = {90, 70, 50, 30, 10};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(doc.m_pathIsovists[i].area, areas[i], 1e-9) << i;
    }
    EXPECT_EQ(std::count(ui.dialogs.begin(), ui.dialogs.end(), "Viewing angle in degree (0~180)"),
              2);
    // Create Path Isovist gives the full isovists back.
    ASSERT_TRUE(doc.ComputePathIsovists());
    EXPECT_NEAR(doc.m_pathIsovists[4].area, 100.0, 1e-9);
}

TEST_F(PathCommands, ViewPathDataShowsTheTable) {
    std::vector<PathDataTable> shown;
    ui.pathDataScript = [&shown](const PathDataTable& table) { shown.push_back(table); };
    doc.OnViewPathData();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"No current path"});
    makePoints(0);
    ASSERT_TRUE(doc.ComputePathIsovists());
    doc.m_settings.m_unit = 2;
    ASSERT_TRUE(RunDocumentCommand(doc, {CommandId::ViewPathData}));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].currentPath, "Path-1");
    EXPECT_EQ(shown[0].columns[1].title, "Origin X (m)");
    ASSERT_EQ(shown[0].rows.size(), 2u);
    EXPECT_EQ(shown[0].rows[1][1], "9.0000");
    EXPECT_EQ(shown[0].rows[1][5], "100.0000");
}

TEST_F(PathCommands, PathOptionsStoresTheChoiceOnOkOnly) {
    doc.m_currentPath = 0;
    ui.pathOptionsScript = [](PathOptionsDialogModel& model) {
        EXPECT_EQ(model.pathEntries, (std::vector<std::string>{"Path-1", "Path-2"}));
        EXPECT_EQ(model.lengthText(), "8.0000");
        EXPECT_EQ(model.circleRadius, 20);
        model.selectPath(1);
        model.circleRadius = 35;
        model.displayMethod = 4;
        model.useOffset = true;
        model.offsetStart = 1.5;
        model.offsetEnd = 7;
        return false;  // Cancel
    };
    doc.OnPathOptions();
    EXPECT_EQ(doc.m_currentPath, 0);
    EXPECT_EQ(doc.m_settings.pathCircleRadius, 20);
    auto edit = ui.pathOptionsScript;
    ui.pathOptionsScript = [edit](PathOptionsDialogModel& model) {
        edit(model);
        return true;
    };
    ASSERT_TRUE(RunDocumentCommand(doc, {CommandId::PathOptions}));
    EXPECT_EQ(doc.m_currentPath, 1);
    EXPECT_EQ(doc.m_settings.pathCircleRadius, 35);
    EXPECT_EQ(doc.m_settings.pathDisplayMethod, 4);
    EXPECT_EQ(doc.m_settings.useOffsetFromOrigin, 1);
    EXPECT_EQ(doc.m_settings.offsetStart, 1.5);
    EXPECT_EQ(doc.m_settings.offsetEnd, 7.0);
}

TEST_F(PathCommands, UserValuesNeedOneLinePerObservationPoint) {
    makePoints(1);  // three points
    ASSERT_TRUE(doc.ComputePathIsovists());
    struct Case {
        const char* name;
        std::string bytes;
        bool accepted;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"one per point", "1.5\n-2\n3e2\n", true, {1.5, -2, 300}},
        {"no final line end", "1\n2\n3", true, {1, 2, 3}},
        {"CR LF and text that is not a number", "4\r\nabc\r\n 7x\r\n", true, {4, 0, 7}},
        {"one line less", "1\n2\n", false, {}},
        {"one line more", "1\n2\n3\n4\n", false, {}},
        {"an empty last line counts", "1\n2\n3\n\n", false, {}},
        {"binary bytes", std::string("\x00\x01\xff\n\x7f\n\x80\x90", 8), true, {0, 0, 0}},
        {"a huge line", std::string(300000, '9') + "\n2\n3\n", true,
         {std::stod(std::string(255, '9')), 2, 3}},
        {"a million lines", std::string(2000000, '\n'), false, {}},
        {"empty", "", false, {}},
    };
    for (const Case& c : cases) {
        for (IsovistRecord& r : doc.m_pathIsovists) {
            r.userValue = 42;
        }
        doc.m_pathDisplayProperty = 1;
        ui.messages.clear();
        ui.fileAnswers = {writeFile("values.txt", c.bytes)};
        doc.OnPathUserDefined();
        if (c.accepted) {
            EXPECT_TRUE(ui.messages.empty()) << c.name;
            for (size_t i = 0; i < 3; ++i) {
                EXPECT_EQ(doc.m_pathIsovists[i].userValue, c.values[i]) << c.name << " " << i;
            }
            EXPECT_EQ(doc.m_pathDisplayProperty, 6) << c.name;
        } else {
            EXPECT_EQ(ui.messages, std::vector<std::string>{"Number of data is not consistent"})
                << c.name;
            for (const IsovistRecord& r : doc.m_pathIsovists) {
                EXPECT_EQ(r.userValue, 42.0) << c.name;
            }
            EXPECT_EQ(doc.m_pathDisplayProperty, 1) << c.name;
        }
    }
    EXPECT_EQ(ui.fileDialogFilters.back(), "Plain Text File (*.txt)|*.txt|All Files (*.*)|*.*||");
}

TEST_F(PathCommands, UserValuesChecksAndRecreatedPoints) {
    doc.OnPathUserDefined();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Invalid path"});
    doc.m_currentPath = 0;
    ui.messages.clear();
    doc.OnPathUserDefined();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"No observation points"});
    makePoints(1);
    ui.messages.clear();
    doc.OnPathUserDefined();  // no isovists yet: nothing happens
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.fileDialogFilters.empty());
    ui.fileAnswers = {(folder / "missing.txt").string()};
    ASSERT_TRUE(doc.ComputePathIsovists());
    doc.OnPathUserDefined();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("cannot be opened"), std::string::npos);

    // Points made again after the isovists: 6 points, 3 records; the file must match the
    // points, and only the records there are get values.
    makePoints(4);
    ui.messages.clear();
    ui.fileAnswers = {writeFile("six.txt", "1\n2\n3\n4\n5\n6\n")};
    doc.OnPathUserDefined();
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(doc.m_pathIsovists.size(), 3u);
    EXPECT_EQ(doc.m_pathIsovists[2].userValue, 3.0);
}

TEST_F(PathCommands, ShowPointPropertiesCodes) {
    makePoints(0);
    ASSERT_TRUE(doc.ComputePathIsovists());
    struct Case {
        int32_t code;
        bool radialOnly;
    };
    const Case cases[] = {{1, false}, {2, false}, {3, false},  {4, false}, {5, false},
                          {7, false}, {12, true}, {11, true},  {13, true}, {9, true},
                          {8, true},  {10, true}};
    for (const Case& c : cases) {
        doc.m_pathDisplayProperty = 0;
        doc.m_settings.m_isovistMethod = kExactNodeMethod;
        EXPECT_EQ(RunDocumentCommand(doc, {CommandId::PathProperty, c.code}), !c.radialOnly);
        EXPECT_EQ(doc.m_pathDisplayProperty, c.radialOnly ? 0 : c.code);
        doc.m_settings.m_isovistMethod = kApproximateRadialMethod;
        EXPECT_TRUE(RunDocumentCommand(doc, {CommandId::PathProperty, c.code}));
        EXPECT_EQ(doc.m_pathDisplayProperty, c.code);
    }
}

// A small drawing with one path from (1, 1) to (4, 5) on the layer "PATH".
const char* const kPathDrawing =
    "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nPATH\n0\nENDTAB\n0\nENDSEC\n"
    "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n8\nPATH\n90\n2\n70\n0\n10\n1\n20\n1\n10\n4\n20\n"
    "5\n0\nENDSEC\n0\nEOF\n";

TEST_F(PathCommands, ImportRemovingExistingPathsRemovesTheirResults) {
    makePoints(1);
    doc.m_settings.m_isovistMethod = kApproximateRadialMethod;
    ASSERT_TRUE(doc.ComputePathIsovists());
    ASSERT_EQ(doc.m_pathRadialStats.size(), 3u);
    ui.yesNoAnswers = {false};
    ui.fileAnswers = {writeFile("paths.dxf", kPathDrawing)};
    doc.OnImportPathsFromDxf();
    EXPECT_EQ(ui.questions, std::vector<std::string>{"Paths already exist.\nClick YES to add new "
                                                     "paths.\nClick NO to remove existing paths."});
    EXPECT_EQ(doc.m_currentPath, -1);
    EXPECT_TRUE(doc.m_pathIsovists.empty());
    EXPECT_TRUE(doc.m_pathRadialStats.empty());
    EXPECT_EQ(doc.m_observationPoints.count(), doc.m_paths.count());
}

TEST_F(PathCommands, ImportCancelledInTheLayerDialogOpensTheFileDialogAgain) {
    class CancelOnce : public FakeDocumentUi {
      public:
        int layerDialogs = 0;
        bool chooseLayerRoles(LayerDialogModel& model) override {
            if (++layerDialogs == 1) {
                return false;
            }
            for (LayerRole& role : model.table.roles) {
                role = LayerRole::Path;
            }
            return FakeDocumentUi::chooseLayerRoles(model);
        }
    } cancelOnce;
    CORVDoc other(cancelOnce);
    other.m_planPolygons.append(Rectangle(0, 0, 10, 10, false));
    const std::string drawing = writeFile("paths.dxf", kPathDrawing);
    cancelOnce.fileAnswers = {drawing, drawing};
    ASSERT_TRUE(RunDocumentCommand(other, {CommandId::ImportPath}));
    EXPECT_EQ(cancelOnce.layerDialogs, 2);
    EXPECT_TRUE(cancelOnce.messages.empty());
    ASSERT_EQ(other.m_paths.count(), 1);
    EXPECT_EQ(other.m_paths[0].points(), (std::vector<PlanPoint>{{1, 1}, {4, 5}}));
    EXPECT_EQ(other.m_observationPoints.count(), 1);
}

}  // namespace
