// What the full import tells the user about a drawing it cannot take whole: the unreadable
// entities in the layer dialog's model, a boundary out of range refused, a boundary that crosses
// itself imported with a message.
#include <gtest/gtest.h>

#include <map>

#include "document/CORVDoc.h"
#include "document/tests/DxfTextBuilder.h"
#include "testing/FakeDocumentUi.h"

namespace {

using Points = std::vector<PlanPoint>;

// The fake UI with a layer dialog that keeps the automatic roles and records what it showed.
class ReportingUi : public FakeDocumentUi {
  public:
    std::map<std::string, LayerRole> roleChanges;
    std::vector<std::vector<std::string>> droppedShown;  // per dialog opened

    bool chooseLayerRoles(LayerDialogModel& model) override {
        for (size_t i = 0; i < model.table.names.size(); ++i) {
            const auto change = roleChanges.find(model.table.names[i]);
            if (change != roleChanges.end()) {
                model.table.roles[i] = change->second;
            }
        }
        droppedShown.push_back(DroppedEntityLines(model));
        return AcceptLayerChoice(model, *this);
    }
    void showGeneralOptions() override {}
    void postZoomExtent() override {}
};

class DxfImportReport : public ::testing::Test {
  protected:
    ReportingUi ui;
    CORVDoc doc{ui};

    CORVDoc::ImportOutcome import(const DxfTextBuilder& dxf) {
        file_ = std::make_unique<TemporaryFile>(".dxf", dxf.text());
        return doc.ImportDxfFile(file_->path());
    }

  private:
    std::unique_ptr<TemporaryFile> file_;
};

// A boundary whose first x is given as text, then walls: a good line, a line with the given end.
DxfTextBuilder Plan(const std::string& boundaryX, const std::string& wallEnd) {
    DxfTextBuilder dxf;
    dxf.layers({"Boundary", "Walls"}).beginEntities();
    dxf.pair(0, "LWPOLYLINE").pair(5, "B1").pair(8, "Boundary").pair(90, "4").pair(70, "1");
    dxf.pair(10, boundaryX).pair(20, "0").pair(10, "100").pair(20, "0");
    dxf.pair(10, "100").pair(20, "100").pair(10, "0").pair(20, "100");
    dxf.line("Walls", {10, 10}, {20, 10});
    dxf.pair(0, "LINE").pair(8, "Walls").pair(10, "30").pair(20, "30").pair(11, wallEnd);
    dxf.pair(21, "30");
    dxf.endEntities().end();
    return dxf;
}

// The layer table takes lines 1-30 (15 pairs), the entities' section header lines 31-34, the
// boundary lines 35-60 (13 pairs), the good line 61-72 and the second line starts at line 73.
TEST_F(DxfImportReport, AWallOutOfRangeIsDroppedAndReported) {
    struct Case {
        const char* wallEnd;
        std::vector<std::string> shown;
        int32_t walls;
    };
    const std::string where = "LINE on layer \"Walls\", line 73: ";
    const Case cases[] = {
        {"40", {}, 2},
        {"1e15", {}, 2},
        {"1e16", {where + "group 11 value \"1e16\" is out of range (|value| <= 1e15)"}, 1},
        {"-1e308", {where + "group 11 value \"-1e308\" is out of range (|value| <= 1e15)"}, 1},
        {"NaN", {where + "group 11 value \"NaN\" is out of range (|value| <= 1e15)"}, 1},
        {"inf", {where + "group 11 value \"inf\" is out of range (|value| <= 1e15)"}, 1},
        {"forty", {where + "group 11 value \"forty\" is not a number"}, 1},
    };
    for (const Case& c : cases) {
        ui.droppedShown.clear();
        ui.messages.clear();
        ASSERT_EQ(import(Plan("0", c.wallEnd)), CORVDoc::ImportOutcome::Imported) << c.wallEnd;
        ASSERT_EQ(ui.droppedShown.size(), 1u);
        EXPECT_EQ(ui.droppedShown[0], c.shown) << c.wallEnd;
        EXPECT_EQ(doc.m_planPolygons.count(), 1 + c.walls) << c.wallEnd;
        EXPECT_TRUE(ui.messages.empty()) << c.wallEnd;
    }
}

TEST_F(DxfImportReport, ADroppedEntityOnAnIgnoredLayerIsNotListed) {
    ui.roleChanges = {{"Walls", LayerRole::Ignore}};
    ui.yesNoAnswers = {true};  // continue without walls
    ASSERT_EQ(import(Plan("0", "nan")), CORVDoc::ImportOutcome::Imported);
    EXPECT_EQ(ui.droppedShown, (std::vector<std::vector<std::string>>{{}}));
}

TEST_F(DxfImportReport, ABoundaryOutOfRangeRefusesTheImportAndKeepsTheDocument) {
    ASSERT_EQ(import(Plan("0", "40")), CORVDoc::ImportOutcome::Imported);
    const Points before = doc.m_planPolygons[0].points();
    for (const char* x : {"1e16", "nan", "-inf", "1e400"}) {
        ui.messages.clear();
        EXPECT_EQ(import(Plan(x, "40")), CORVDoc::ImportOutcome::Failed) << x;
        EXPECT_EQ(ui.messages,
                  std::vector<std::string>{
                      "The boundary cannot be read: LWPOLYLINE on layer \"Boundary\", line 35, "
                      "handle B1: group 10 value \"" +
                      std::string(x) + "\" is out of range (|value| <= 1e15)"})
            << x;
        // The dialog listed it, and the document is the one imported before.
        EXPECT_EQ(ui.droppedShown.back().size(), 1u) << x;
        EXPECT_EQ(doc.m_planPolygons[0].points(), before) << x;
        EXPECT_EQ(doc.m_planPolygons.count(), 3) << x;
    }
    // At the bound it is read.
    EXPECT_EQ(import(Plan("-1e15", "40")), CORVDoc::ImportOutcome::Imported);
    EXPECT_EQ(doc.m_planExtent.minX, -1e15);
}

TEST_F(DxfImportReport, ABoundaryUnreadableOtherwiseIsSkippedForTheNextPolyline) {
    DxfTextBuilder dxf;
    dxf.layers({"Boundary"}).beginEntities();
    dxf.pair(0, "LWPOLYLINE").pair(8, "Boundary").pair(90, "4").pair(10, "zero");
    dxf.polyline("Boundary", {{0, 0}, {50, 0}, {50, 50}, {0, 50}}, true);
    dxf.endEntities().end();
    ui.yesNoAnswers = {true};
    ASSERT_EQ(import(dxf), CORVDoc::ImportOutcome::Imported);
    EXPECT_EQ(doc.m_planPolygons[0].count(), 4);
    ASSERT_EQ(ui.droppedShown[0].size(), 1u);
    EXPECT_NE(ui.droppedShown[0][0].find("group 10 value \"zero\" is not a number"),
              std::string::npos);
}

TEST_F(DxfImportReport, ABoundaryCrossingItselfIsImportedWithAMessage) {
    struct Case {
        const char* name;
        Points boundary;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"bow-tie",
         {{0, 0}, {10, 10}, {10, 0}, {0, 10}},
         {"The boundary crosses itself near (5.000, 5.000)"}},
        {"skew bow-tie",
         {{0, 0}, {4, 2}, {4, 0}, {0, 4}},
         {"The boundary crosses itself near (2.667, 1.333)"}},
        {"pinched at a vertex", {{0, 0}, {2, 0}, {1, 1}, {2, 2}, {0, 2}, {1, 1}}, {}},
        {"square", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {}},
    };
    for (const Case& c : cases) {
        DxfTextBuilder dxf;
        dxf.layers({"Boundary"}).beginEntities().polyline("Boundary", c.boundary, true);
        dxf.endEntities().end();
        ui.messages.clear();
        ui.yesNoAnswers = {true};
        ASSERT_EQ(import(dxf), CORVDoc::ImportOutcome::Imported) << c.name;
        EXPECT_EQ(ui.messages, c.messages) << c.name;
        EXPECT_EQ(doc.m_planPolygons[0].count(), static_cast<int32_t>(c.boundary.size())) << c.name;
    }
}

TEST_F(DxfImportReport, TheSmallerImportsShowTheirDropsToo) {
    doc.m_planPolygons.append(PlanPolygon({{0, 0}, {9, 0}, {9, 9}}));
    DxfTextBuilder dxf;
    dxf.layers({"Route"}).beginEntities();
    dxf.polyline("Route", {{1, 1}, {2, 2}});
    dxf.pair(0, "LWPOLYLINE").pair(8, "Route").pair(90, "1").pair(10, "5").pair(20, "5");
    dxf.endEntities().end();
    const TemporaryFile file(".dxf", dxf.text());
    ui.roleChanges = {{"Route", LayerRole::Path}};
    ui.fileAnswers = {file.path()};
    doc.OnImportPathsFromDxf();
    // A lone vertex is no path. (Layer table lines 1-22, section header 23-26, the good
    // polyline 27-42.)
    EXPECT_EQ(doc.m_paths.count(), 1);
    ASSERT_EQ(ui.droppedShown.size(), 1u);
    EXPECT_EQ(ui.droppedShown[0],
              std::vector<std::string>{"LWPOLYLINE on layer \"Route\", line 43: vertex count 1 "
                                       "(a polyline needs at least 2)"});
}

}  // namespace
