// The document's axial commands through the scripted UI port: Run Analysis, the generators,
// the import's questions and restart, and the axial members through the document file.
#include <gtest/gtest.h>

#include "axial/AxialGraph.h"
#include "document/CORVDoc.h"
#include "document/DocumentCommands.h"
#include "document/DocumentFile.h"
#include "document/tests/DxfTextBuilder.h"
#include "testing/FakeDocumentUi.h"

namespace {

const std::string kGenerateQuestion =
    "Axial lines already exist.\nClick YES to add new lines.\nClick NO to remove existing lines.";
const std::string kImportQuestion =
    "Axial lines already exist.\nClick YES to add new axial lines.\nClick NO to remove "
    "existing axial lines.";
const std::string kScaleQuestion = "Do you want to switch the scale into the axial analysis mode?";

PlanSegment S(double x0, double y0, double x1, double y1) {
    return PlanSegment{{x0, y0}, {x1, y1}};
}

// Cancels the layer dialog the first `cancels` times, then gives the layer "AXIAL" the axial
// line role.
class AxialUi : public FakeDocumentUi {
  public:
    int cancels = 0;
    int layerDialogs = 0;
    bool chooseLayerRoles(LayerDialogModel& model) override {
        ++layerDialogs;
        if (cancels > 0) {
            --cancels;
            return false;
        }
        for (size_t i = 0; i < model.table.names.size(); ++i) {
            if (model.table.names[i] == "AXIAL") {
                model.table.roles[i] = LayerRole::AxialLine;
            }
        }
        return FakeDocumentUi::chooseLayerRoles(model);
    }
};

class AxialCommands : public ::testing::Test {
  protected:
    AxialUi ui;
    CORVDoc doc{ui};

    void giveSquarePlan() {
        doc.m_planPolygons.append(PlanPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
        doc.RebuildWallTables();
    }
    void run(CommandId id) { ASSERT_TRUE(RunDocumentCommand(doc, Command{id, 0})); }
};

TEST_F(AxialCommands, RunAnalysisWithoutLinesSaysSo) {
    run(CommandId::RunAxialAnalysis);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"There are no axial lines"});
    EXPECT_TRUE(doc.m_axialLineRecords.empty());
}

TEST_F(AxialCommands, RunAnalysisFillsRecordsGraphAndAsksForTheScale) {
    struct Case {
        const char* name;
        int32_t scaleMode;
        std::deque<bool> answers;
        bool asked;
        int32_t scaleAfter;
    };
    const Case cases[] = {
        {"grid scale, Yes", 0, {true}, true, 2},
        {"path scale, No", 1, {false}, true, 1},
        {"axial scale already: no question", 2, {}, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AxialUi u;
        CORVDoc d(u);
        d.m_axialLines = {S(0, 0, 2, 2), S(0, 2, 2, 0), S(5, 5, 6, 6)};
        d.m_selectedAxialLine = 1;
        d.m_settings.m_scaleMode = c.scaleMode;
        d.m_settings.m_axialDisplayProperty = 7;
        u.yesNoAnswers = c.answers;
        d.OnRunAxialAnalysis();
        EXPECT_EQ(u.questions.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(u.questions[0], kScaleQuestion);
        }
        EXPECT_EQ(d.m_settings.m_scaleMode, c.scaleAfter);
        EXPECT_EQ(d.m_settings.m_axialDisplayProperty, 1);
        EXPECT_EQ(d.m_selectedAxialLine, -1);
        EXPECT_EQ(d.m_axialGraph.nodeCount(), 3);
        EXPECT_EQ(d.m_axialGraph.edgeCount(), 1);
        EXPECT_TRUE(d.m_axialGraph.adjacent(0, 1));
        ASSERT_EQ(d.m_axialLineRecords.size(), 3u);
        EXPECT_EQ(d.m_axialLineRecords[0].graphMeasures.connectivity, 1);
        EXPECT_EQ(d.m_axialLineRecords[2].graphMeasures.connectivity, 0);
        EXPECT_EQ(d.m_axialLineRecords[2].graphMeasures.globalRelativeE, 1.0);
        EXPECT_GE(u.redrawCount, 1);
    }
}

TEST_F(AxialCommands, RunAnalysisRefusesMoreLinesThanTheGraphCanStore) {
    doc.m_axialLines.assign(static_cast<size_t>(kMaxAxialAnalysisLines) + 1, S(0, 0, 1, 1));
    doc.m_axialLineRecords.assign(doc.m_axialLines.size(), IsovistRecord{});
    doc.m_settings.m_axialDisplayProperty = 4;
    doc.OnRunAxialAnalysis();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("at most 46340 lines"), std::string::npos) << ui.messages[0];
    EXPECT_EQ(doc.m_axialGraph.nodeCount(), 0);
    EXPECT_EQ(doc.m_settings.m_axialDisplayProperty, 4);
    EXPECT_TRUE(ui.questions.empty());
}

TEST_F(AxialCommands, GeneratorsAskReplaceOrAddUnderAWaitCursor) {
    giveSquarePlan();
    struct Case {
        const char* name;
        CommandId command;
        std::vector<PlanSegment> before;
        std::deque<bool> answers;
        size_t lineCount;
    };
    const Case cases[] = {
        {"all lines into an empty map", CommandId::GenerateAllLineAxialMap, {}, {}, 2},
        {"reduced into an empty map", CommandId::GenerateReducedAxialMap, {}, {}, 2},
        {"No replaces the lines",
         CommandId::GenerateAllLineAxialMap,
         {S(50, 50, 60, 60)},
         {false},
         2},
        {"Yes adds to them", CommandId::GenerateReducedAxialMap, {S(50, 50, 60, 60)}, {true}, 3},
        {"Yes adds no line twice",
         CommandId::GenerateAllLineAxialMap,
         {S(0, 0, 10, 10)},
         {true},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.questions.clear();
        ui.waitCursorShown = 0;
        doc.m_axialLines = c.before;
        doc.m_axialGraph.initialise(1);
        ui.yesNoAnswers = c.answers;
        run(c.command);
        EXPECT_EQ(ui.questions.size(), c.before.empty() ? 0u : 1u);
        if (!c.before.empty()) {
            EXPECT_EQ(ui.questions[0], kGenerateQuestion);
        }
        EXPECT_EQ(doc.m_axialLines.size(), c.lineCount);
        EXPECT_EQ(doc.m_axialLineCount, static_cast<int32_t>(c.lineCount));
        EXPECT_EQ(doc.m_axialLineRecords, std::vector<IsovistRecord>(c.lineCount));
        EXPECT_EQ(doc.m_axialGraph.nodeCount(), 0);
        EXPECT_EQ(ui.waitCursorShown, 1);
        EXPECT_EQ(ui.waitCursorDepth, 0);
    }
    // Generating again with Yes leaves the count unchanged.
    const size_t count = doc.m_axialLines.size();
    ui.yesNoAnswers = {true};
    doc.OnGenerateAllLineAxialMap();
    EXPECT_EQ(doc.m_axialLines.size(), count);
    EXPECT_DOUBLE_EQ(doc.m_shortestAxialLineLength, std::sqrt(200.0));
    EXPECT_DOUBLE_EQ(doc.m_longestAxialLineLength, std::sqrt(200.0));
}

TEST_F(AxialCommands, GeneratingNothingKeepsTheLengthRange) {
    doc.m_shortestAxialLineLength = 3.0;
    doc.m_longestAxialLineLength = 7.0;
    doc.OnGenerateReducedAxialMap();  // no plan: no lines
    EXPECT_TRUE(doc.m_axialLines.empty());
    EXPECT_EQ(doc.m_shortestAxialLineLength, 3.0);
    EXPECT_EQ(doc.m_longestAxialLineLength, 7.0);
}

TEST_F(AxialCommands, ImportNoThenCancelLeavesNoLines) {
    doc.m_axialLines = {S(0, 0, 1, 1)};
    ui.yesNoAnswers = {false};
    ui.fileAnswers = {std::nullopt};
    run(CommandId::ImportAxialLines);
    EXPECT_EQ(ui.questions, std::vector<std::string>{kImportQuestion});
    EXPECT_TRUE(doc.m_axialLines.empty());
}

TEST_F(AxialCommands, ImportStartsOverWhenTheLayerDialogIsCancelled) {
    const std::string dxf = DxfTextBuilder()
                                .layers({"AXIAL", "OTHER"})
                                .beginEntities()
                                .line("AXIAL", {0, 0}, {4, 4})
                                .line("AXIAL", {0, 4}, {4, 0})
                                .line("OTHER", {9, 9}, {8, 8})
                                .endEntities()
                                .end()
                                .text();
    const TemporaryFile file(".dxf", dxf);
    doc.m_axialLines = {S(0, 0, 1, 1)};
    ui.cancels = 1;
    ui.yesNoAnswers = {true, true};
    ui.fileAnswers = {file.path(), file.path()};
    doc.OnImportAxialLinesFromDxf();
    EXPECT_EQ(ui.layerDialogs, 2);
    EXPECT_EQ(ui.questions, (std::vector<std::string>{kImportQuestion, kImportQuestion}));
    ASSERT_EQ(doc.m_axialLines.size(), 3u);
    EXPECT_EQ(doc.m_axialLines[1], S(0, 0, 4, 4));
    EXPECT_EQ(doc.m_axialLineRecords.size(), 3u);
    // Then the lines are analysed: the two imported ones cross; the old one lies on the line of
    // the first and overlaps it, which joins nothing.
    ui.yesNoAnswers = {false};
    doc.OnRunAxialAnalysis();
    EXPECT_EQ(doc.m_axialLineRecords[0].graphMeasures.connectivity, 0);
    EXPECT_EQ(doc.m_axialLineRecords[1].graphMeasures.connectivity, 1);
}

TEST_F(AxialCommands, ImportOfNoLinesKeepsTheLengthRange) {
    const std::string dxf = DxfTextBuilder()
                                .layers({"AXIAL"})
                                .beginEntities()
                                .circle("AXIAL", {0, 0}, 1)
                                .endEntities()
                                .end()
                                .text();
    const TemporaryFile file(".dxf", dxf);
    doc.m_axialLines = {S(0, 0, 3, 4)};
    doc.m_shortestAxialLineLength = 5.0;
    doc.m_longestAxialLineLength = 5.0;
    ui.yesNoAnswers = {false};
    ui.fileAnswers = {file.path()};
    doc.OnImportAxialLinesFromDxf();
    EXPECT_TRUE(doc.m_axialLines.empty());
    EXPECT_TRUE(doc.m_axialLineRecords.empty());
    EXPECT_EQ(doc.m_shortestAxialLineLength, 5.0);
    EXPECT_EQ(doc.m_longestAxialLineLength, 5.0);
}

TEST_F(AxialCommands, PropertyEntriesSetTheDisplayedMeasure) {
    for (int32_t code = 0; code <= 13; ++code) {
        SCOPED_TRACE(code);
        const Command entry{CommandId::AxialProperty, code};
        EXPECT_TRUE(RunDocumentCommand(doc, entry));  // also before any analysis
        EXPECT_EQ(doc.m_settings.m_axialDisplayProperty, code);
        EXPECT_TRUE(CommandStateOf(entry, CommandContextOf(doc, false)).checked);
    }
    EXPECT_FALSE(RunDocumentCommand(doc, Command{CommandId::AxialProperty, 14}));
    EXPECT_EQ(doc.m_settings.m_axialDisplayProperty, 13);
}

TEST_F(AxialCommands, AxialMembersSurviveTheDocumentFile) {
    giveSquarePlan();
    doc.m_axialLines = {S(0, 0, 2, 2), S(0, 2, 2, 0), S(1, -1, 1, 5)};
    doc.m_eliminationOptions = {0, 1, 0.25, 3};
    doc.m_settings.m_scaleMode = 2;
    doc.OnRunAxialAnalysis();
    doc.m_shortestAxialLineLength = 1.5;
    doc.m_longestAxialLineLength = 6.0;
    const TemporaryFile file(".ovx");
    ASSERT_TRUE(SaveDocumentFile(doc, file.path()).ok);
    AxialUi otherUi;
    CORVDoc read(otherUi);
    ASSERT_TRUE(LoadDocumentFile(read, file.path()).ok);
    EXPECT_EQ(read.m_axialLines, doc.m_axialLines);
    EXPECT_EQ(read.m_axialLineRecords, doc.m_axialLineRecords);
    EXPECT_EQ(read.m_axialGraph, doc.m_axialGraph);
    EXPECT_EQ(read.m_axialGraph.edgeCount(), 3);
    EXPECT_EQ(read.m_eliminationOptions, doc.m_eliminationOptions);
    EXPECT_EQ(read.m_shortestAxialLineLength, 1.5);
    EXPECT_EQ(read.m_longestAxialLineLength, 6.0);
    EXPECT_EQ(read.m_settings.m_axialDisplayProperty, 1);
}

}  // namespace
