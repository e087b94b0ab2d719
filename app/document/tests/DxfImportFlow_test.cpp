#include <gtest/gtest.h>

#include <map>

#include "document/CORVDoc.h"
#include "document/DxfImportSteps.h"
#include "document/tests/DxfTextBuilder.h"
#include "testing/FakeDocumentUi.h"

namespace {

using Points = std::vector<PlanPoint>;

// The fake UI with a layer dialog: roles set by name before OK is pressed.
class LayerDialogUi : public FakeDocumentUi {
  public:
    std::map<std::string, LayerRole> roleChanges;
    std::vector<LayerDialogModel> dialogs;  // as opened
    int generalOptionsShown = 0;
    int zoomExtentPosted = 0;

    bool chooseLayerRoles(LayerDialogModel& model) override {
        dialogs.push_back(model);
        for (size_t i = 0; i < model.table.names.size(); ++i) {
            const auto change = roleChanges.find(model.table.names[i]);
            if (change != roleChanges.end()) {
                model.table.roles[i] = change->second;
            }
        }
        return AcceptLayerChoice(model, *this);
    }
    void showGeneralOptions() override { ++generalOptionsShown; }
    void postZoomExtent() override { ++zoomExtentPosted; }
};

class DxfImportFlow : public ::testing::Test {
  protected:
    LayerDialogUi ui;
    CORVDoc doc{ui};

    const std::string& drawing(const DxfTextBuilder& dxf) {
        files_.push_back(std::make_unique<TemporaryFile>(".dxf", dxf.text()));
        return files_.back()->path();
    }

  private:
    std::vector<std::unique_ptr<TemporaryFile>> files_;
};

// A 100 × 50 boundary drawn clockwise, a closed wall triangle drawn counter-clockwise, an open
// wall polyline, a line and a circle.
DxfTextBuilder SmallPlan() {
    DxfTextBuilder dxf;
    dxf.layers({"Boundary", "Outer-Walls", "Notes"}).beginEntities();
    dxf.polyline("Boundary", {{0, 0}, {0, 50}, {100, 50}, {100, 0}}, true);
    dxf.polyline("Outer-Walls", {{10, 10}, {20, 10}, {15, 20}}, true);
    dxf.polyline("Outer-Walls", {{30, 10}, {40, 10}, {40, 20}});
    dxf.line("Outer-Walls", {50, 10}, {60, 10});
    dxf.circle("Outer-Walls", {80, 25}, 5);
    dxf.line("Notes", {0, 0}, {1000, 1000});
    dxf.endEntities().end();
    return dxf;
}

TEST_F(DxfImportFlow, FullImportBuildsTheOrientedPlan) {
    const std::string path = drawing(SmallPlan());
    ui.fileAnswers = {path};
    doc.OnImportDxf();

    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].table.roles,
              (std::vector<LayerRole>{LayerRole::Boundary, LayerRole::Wall, LayerRole::Ignore}));
    EXPECT_EQ(
        ui.fileDialogFilters,
        (std::vector<std::string>{"Drawing Exchange Format (*.dxf)|*.dxf|All Files (*.*)|*.*||"}));
    // Boundary, triangle, three edges of the open polyline, the line, the octagon.
    ASSERT_EQ(doc.m_planPolygons.count(), 7);
    EXPECT_EQ(doc.m_planPolygons[0].points(), (Points{{100, 0}, {100, 50}, {0, 50}, {0, 0}}));
    EXPECT_EQ(doc.m_planPolygons[1].points(), (Points{{15, 20}, {20, 10}, {10, 10}}));
    // Two-point polygons have no orientation; the clockwise test reverses them.
    EXPECT_EQ(doc.m_planPolygons[2].points(), (Points{{40, 10}, {30, 10}}));
    EXPECT_EQ(doc.m_planPolygons[4].points(), (Points{{30, 10}, {40, 20}}));
    EXPECT_EQ(doc.m_planPolygons[5].points(), (Points{{60, 10}, {50, 10}}));
    EXPECT_EQ(doc.m_planPolygons[6].count(), 8);
    // The octagon runs counter-clockwise from angle 0, so reversed it ends there.
    EXPECT_EQ(doc.m_planPolygons[6][7], (PlanPoint{85, 25}));
    EXPECT_EQ(doc.m_wallVertexCount, 4 + 3 + 2 * 3 + 2 + 8);
    EXPECT_EQ(doc.m_wallSegmentCount, doc.m_wallVertexCount);
    EXPECT_EQ(doc.m_planExtent, (PlanExtent{0, 100, 0, 50}));
    EXPECT_EQ(doc.GetTitle(), std::filesystem::path(path).filename().string());
    EXPECT_EQ(doc.m_documentPath, path + ".ovx");
    EXPECT_EQ(ui.generalOptionsShown, 1);
    EXPECT_EQ(ui.zoomExtentPosted, 1);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.questions.empty());
}

TEST_F(DxfImportFlow, PathsPointsAxialAndReferenceLayersInOneImport) {
    DxfTextBuilder dxf;
    dxf.layers({"B", "W", "Route", "Spots", "Lines", "Grid"}).beginEntities();
    dxf.polyline("B", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
    dxf.line("W", {2, 2}, {3, 3});
    dxf.polyline("Route", {{1, 1}, {5, 5}, {1, 1}});
    dxf.circle("Spots", {4, 4}, 1).circle("Spots", {6, 6}, 1);
    dxf.line("Lines", {0, 0}, {3, 4}).polyline("Lines", {{0, 0}, {0, 1}, {0, 3}});
    dxf.polyline("Grid", {{0, 5}, {10, 5}});
    dxf.endEntities();
    ui.roleChanges = {{"B", LayerRole::Boundary},      {"W", LayerRole::Wall},
                      {"Route", LayerRole::Path},      {"Spots", LayerRole::Point},
                      {"Lines", LayerRole::AxialLine}, {"Grid", LayerRole::ReferenceLine}};
    ASSERT_EQ(doc.ImportDxfFile(drawing(dxf)), CORVDoc::ImportOutcome::Imported);
    ASSERT_EQ(doc.m_paths.count(), 1);
    EXPECT_EQ(doc.m_paths[0].points(), (Points{{1, 1}, {5, 5}}));
    EXPECT_EQ(doc.m_observationPoints.count(), 1);
    EXPECT_EQ(doc.m_customPoints, (Points{{4, 4}, {6, 6}}));
    EXPECT_EQ(doc.m_customPointCount, 2);
    EXPECT_EQ(doc.m_axialLineCount, 3);
    EXPECT_EQ(doc.m_shortestAxialLineLength, 1.0);
    EXPECT_EQ(doc.m_longestAxialLineLength, 5.0);
    // An open two-vertex reference line gives its edge there and back, and is not oriented.
    ASSERT_EQ(doc.m_referenceLines.count(), 2);
    EXPECT_EQ(doc.m_referenceLines[0].points(), (Points{{0, 5}, {10, 5}}));
}

TEST_F(DxfImportFlow, MissingBoundaryAnsweredYesCreatesTheEnlargedRectangle) {
    DxfTextBuilder dxf;
    dxf.layers({"Boundary", "Walls"}).beginEntities();
    dxf.line("Walls", {0, 0}, {10, 20}).endEntities();
    ui.yesNoAnswers = {true};
    ASSERT_EQ(doc.ImportDxfFile(drawing(dxf)), CORVDoc::ImportOutcome::Imported);
    EXPECT_EQ(ui.questions,
              (std::vector<std::string>{"No boundary is found\nDo you want to create one?"}));
    EXPECT_EQ(doc.m_planPolygons[0].points(), (Points{{-1, -2}, {11, -2}, {11, 22}, {-1, 22}}));
    EXPECT_EQ(doc.m_planExtent, (PlanExtent{-1, 11, -2, 22}));
}

TEST_F(DxfImportFlow, MissingBoundaryCanBeTheOutermostWallPolygon) {
    DxfTextBuilder dxf;
    dxf.layers({"Boundary", "Walls"}).beginEntities();
    dxf.polyline("Walls", {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    dxf.polyline("Walls", {{40, 40}, {60, 40}, {60, 60}, {40, 60}}, true);
    dxf.endEntities();
    ui.yesNoAnswers = {false, true};
    ASSERT_EQ(doc.ImportDxfFile(drawing(dxf)), CORVDoc::ImportOutcome::Imported);
    ASSERT_EQ(doc.m_planPolygons.count(), 2);
    EXPECT_EQ(doc.m_planPolygons[0].points(), (Points{{0, 0}, {100, 0}, {100, 100}, {0, 100}}));
    EXPECT_EQ(doc.m_planPolygons[1].points(), (Points{{40, 60}, {60, 60}, {60, 40}, {40, 40}}));
}

TEST_F(DxfImportFlow, NoBoundaryAfterBothQuestionsLeavesAResetDocument) {
    DxfTextBuilder dxf;
    dxf.layers({"Boundary", "Walls"}).beginEntities().line("Walls", {0, 0}, {1, 1}).endEntities();
    doc.m_customPoints = {{7, 7}};
    ui.yesNoAnswers = {false, false};
    EXPECT_EQ(doc.ImportDxfFile(drawing(dxf)), CORVDoc::ImportOutcome::Failed);
    EXPECT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"No boundary is found"}));
    EXPECT_TRUE(doc.m_planPolygons.empty());
    EXPECT_TRUE(doc.m_customPoints.empty());
}

TEST_F(DxfImportFlow, OutermostAnswerWithoutWallPolygonsFindsNoBoundary) {
    DxfTextBuilder dxf;
    dxf.layers({"Boundary"}).beginEntities().polyline("Boundary", {{0, 0}, {5, 5}}).endEntities();
    ui.yesNoAnswers = {true, false, true};  // continue without walls; no rectangle; outermost
    EXPECT_EQ(doc.ImportDxfFile(drawing(dxf)), CORVDoc::ImportOutcome::Failed);
    EXPECT_EQ(ui.questions.size(), 3u);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"No boundary is found"}));
}

TEST_F(DxfImportFlow, CreatingABoundaryAroundNothingFindsNoBoundary) {
    DxfTextBuilder dxf;
    dxf.layers({"Boundary"}).beginEntities().endEntities();
    ui.yesNoAnswers = {true, true};  // continue without walls; create a boundary
    EXPECT_EQ(doc.ImportDxfFile(drawing(dxf)), CORVDoc::ImportOutcome::Failed);
    EXPECT_EQ(ui.questions, (std::vector<std::string>{
                                "No wall layers are selected.\nDo you want to continue anyway?",
                                "No boundary is found\nDo you want to create one?"}));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"No boundary is found"}));
}

TEST_F(DxfImportFlow, LayerDialogRefusalOpensTheFileDialogAgain) {
    DxfTextBuilder dxf;
    dxf.layers({"Walls"}).beginEntities().line("Walls", {0, 0}, {1, 1}).endEntities();
    const std::string path = drawing(dxf);
    doc.m_customPoints = {{7, 7}};
    ui.fileAnswers = {path, path};
    doc.OnImportDxf();
    EXPECT_EQ(ui.dialogs.size(), 2u);
    EXPECT_EQ(ui.fileDialogFilters.size(), 3u);
    EXPECT_EQ(ui.messages, (std::vector<std::string>(2, "Please select a boundary layer")));
    EXPECT_EQ(doc.m_customPoints, (Points{{7, 7}}));
}

TEST_F(DxfImportFlow, UnreadableDrawingsGiveAMessageAndChangeNothing) {
    const std::string binary = std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + "\x01\x02";
    const std::string missing = "/nonexistent/folder/plan.dxf";
    TemporaryFile binaryFile(".dxf", binary);
    TemporaryFile emptyFile(".dxf");
    std::ofstream(emptyFile.path()).close();
    doc.m_customPoints = {{7, 7}};
    for (const std::string& path : {binaryFile.path(), emptyFile.path(), missing}) {
        ui.messages.clear();
        EXPECT_EQ(doc.ImportDxfFile(path), CORVDoc::ImportOutcome::Failed) << path;
        EXPECT_EQ(ui.messages.size(), 1u) << path;
        EXPECT_TRUE(ui.dialogs.empty());
        EXPECT_EQ(doc.m_customPoints, (Points{{7, 7}}));
    }
}

TEST_F(DxfImportFlow, PathAndPointImportsNeedAPlan) {
    doc.OnImportPathsFromDxf();
    doc.OnImportPointsFromDxf();
    EXPECT_EQ(ui.messages, (std::vector<std::string>(2, "No boundary found")));
    EXPECT_TRUE(ui.fileDialogFilters.empty());
    doc.OnImportAxialLinesFromDxf();
    EXPECT_EQ(ui.fileDialogFilters.size(), 1u);
}

TEST_F(DxfImportFlow, SmallerImportsAskToAddOrReplace) {
    DxfTextBuilder dxf;
    dxf.layers({"Route", "Walls"}).beginEntities();
    dxf.polyline("Route", {{1, 1}, {2, 2}})
        .circle("Route", {3, 3}, 1)
        .line("Route", {0, 0}, {0, 2});
    dxf.endEntities();
    const std::string path = drawing(dxf);
    doc.m_planPolygons.append(PlanPolygon({{0, 0}, {9, 0}, {9, 9}}));
    doc.m_paths.append(PlanPolygon({{5, 5}, {6, 6}}));
    doc.m_observationPoints.append(PlanPolygon());
    doc.m_currentPath = 0;
    doc.m_customPoints = {{8, 8}};
    doc.m_axialLines = {{{0, 0}, {1, 0}}};
    ui.roleChanges = {{"Route", LayerRole::Path}};

    struct Step {
        void (CORVDoc::*command)();
        LayerRole role;
        bool keep;
        const char* question;
    };
    const Step steps[] = {
        {&CORVDoc::OnImportPathsFromDxf, LayerRole::Path, false,
         "Paths already exist.\nClick YES to add new paths.\nClick NO to remove existing paths."},
        {&CORVDoc::OnImportPointsFromDxf, LayerRole::Point, true,
         "Points already exist.\nClick YES to add new points.\nClick NO to remove existing "
         "points."},
        {&CORVDoc::OnImportAxialLinesFromDxf, LayerRole::AxialLine, true,
         "Axial lines already exist.\nClick YES to add new axial lines.\nClick NO to remove "
         "existing axial lines."},
    };
    for (const Step& step : steps) {
        ui.roleChanges = {{"Route", step.role}};
        ui.questions.clear();
        ui.yesNoAnswers = {step.keep};
        ui.fileAnswers = {path};
        (doc.*step.command)();
        EXPECT_EQ(ui.questions, (std::vector<std::string>{step.question}));
        // Every smaller import opens the dialog with every role Ignore.
        EXPECT_EQ(ui.dialogs.back().table.countWithRole(LayerRole::Ignore), 2);
    }
    ASSERT_EQ(doc.m_paths.count(), 1);
    EXPECT_EQ(doc.m_paths[0].points(), (Points{{1, 1}, {2, 2}}));
    EXPECT_EQ(doc.m_observationPoints.count(), 1);
    EXPECT_EQ(doc.m_observationPoints[0].count(), 0);
    EXPECT_EQ(doc.m_currentPath, -1);
    EXPECT_EQ(doc.m_customPoints, (Points{{8, 8}, {3, 3}}));
    EXPECT_EQ(doc.m_customPointCount, 2);
    const std::vector<PlanSegment> axial = {{{0, 0}, {1, 0}}, {{1, 1}, {2, 2}}, {{0, 0}, {0, 2}}};
    EXPECT_EQ(doc.m_axialLines, axial);
    EXPECT_EQ(doc.m_axialLineCount, 3);
    EXPECT_EQ(doc.m_axialLineRecords.size(), 3u);
    EXPECT_EQ(doc.m_shortestAxialLineLength, 1.0);
    EXPECT_EQ(doc.m_longestAxialLineLength, 2.0);
}

TEST_F(DxfImportFlow, AxialImportWithoutAxialLayerAsksToContinue) {
    DxfTextBuilder dxf;
    dxf.layers({"A"}).beginEntities().line("A", {0, 0}, {1, 0}).endEntities();
    ui.fileAnswers = {drawing(dxf)};
    ui.yesNoAnswers = {true};
    doc.OnImportAxialLinesFromDxf();
    EXPECT_EQ(
        ui.questions,
        (std::vector<std::string>{"No layers are selected.\nDo you want to continue anyway?"}));
    EXPECT_TRUE(doc.m_axialLines.empty());
}

TEST(DxfImportSteps, OutermostSearchSwapsTheOnlyUnmarkedPolygonFirst) {
    struct Case {
        const char* name;
        std::vector<Points> polygons;
        int expectedFirst;  // index in `polygons` of the polygon that ends up first
    };
    const Points big = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    const Points small = {{40, 40}, {60, 40}, {60, 60}, {40, 60}};
    const Points apart = {{200, 0}, {210, 0}, {210, 10}};
    const Case cases[] = {
        {"outer last", {small, big}, 1},
        {"outer already first", {big, small}, 0},
        {"two disjoint polygons mark each other", {big, apart}, 0},
        {"a lone point is marked", {{{1, 1}}, big}, 1},
        {"a wall segment inside the outer one", {{{10, 10}, {20, 20}}, big, small}, 1},
    };
    for (const Case& c : cases) {
        PolygonList list;
        for (const Points& points : c.polygons) {
            list.append(PlanPolygon(points));
        }
        MoveOutermostPolygonFirst(list);
        EXPECT_EQ(list[0].points(), c.polygons[static_cast<size_t>(c.expectedFirst)]) << c.name;
    }
}

}  // namespace
