// The document's grid commands through the scripted UI port: their questions, messages,
// progress passes and the state they leave.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <unistd.h>

#include "document/CORVDoc.h"
#include "document/CommandAvailability.h"
#include "document/DocumentCommands.h"
#include "grid/GridOptionsDialogModel.h"
#include "testing/DocumentImage.h"
#include "testing/FakeDocumentUi.h"

namespace {

// A 4 x 4 room with a 2 x 1 wall block in the middle, cells of span 1.
void MakeRoom(CORVDoc& doc) {
    doc.m_planPolygons.clear();
    doc.m_planPolygons.append(PlanPolygon({{0, 0}, {4, 0}, {4, 4}, {0, 4}}));
    doc.m_planPolygons.append(PlanPolygon({{1, 2}, {1, 3}, {3, 3}, {3, 2}}));
    doc.RebuildWallTables();
    doc.ComputePlanExtent();
    doc.m_gridSpan = 1.0;
    doc.m_settings.setGridState(kGridOptionsAccepted);
}


TEST(GridCommands, InitialiseThenRunWithGraphMeasures) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    MakeRoom(doc);
    ASSERT_TRUE(doc.OnInitializeGrid());
    EXPECT_EQ(doc.m_grid.nx, 4);
    EXPECT_EQ(doc.m_grid.ny, 4);
    EXPECT_EQ(doc.m_grid.effectiveCount(), 14);  // the wall covers two cell centres
    EXPECT_EQ(doc.m_settings.gridState(), kGridOptionsAccepted | kGridInitialised);
    EXPECT_EQ(doc.m_currentCell, GridCellIndex{});

    doc.m_settings.calculateGraphMeasures = 1;
    ui.yesNoAnswers = {true};
    doc.OnCreateGridIsovist();
    EXPECT_EQ(ui.questions,
              (std::vector<std::string>{"The graph analysis may take several hours depending on "
                                        "the grid resolution.\nDo you want to proceed?"}));
    EXPECT_EQ(ui.progressTitles, (std::vector<std::string>{"Pass 1/5", "Pass 2/5", "Pass 3/5",
                                                           "Pass 4/5", "Pass 5/5"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].rfind("Computation Time = ", 0), 0u);
    EXPECT_EQ(ui.messages[0].substr(ui.messages[0].size() - 10), " seconds \n");
    EXPECT_EQ(doc.m_settings.gridState(), 7);
    EXPECT_EQ(doc.m_gridResultsValid, 1);
    EXPECT_EQ(doc.m_gridDisplayProperty, 1);
    ASSERT_EQ(doc.m_gridGraph.nodeCount(), 16);
    // The bottom-left cell sees the open room but not behind the wall block.
    const CGridCell& corner = doc.m_grid.cells[0];
    EXPECT_GT(corner.isovist.area, 0.0);
    EXPECT_GT(corner.isovist.graphMeasures.connectivity, 0);
    EXPECT_LT(corner.isovist.graphMeasures.connectivity, 13);

    // Depth from the corner cell: 0 there, whole steps elsewhere, walls keep their value.
    doc.m_currentCell = GridCellIndex{0, 0};
    doc.OnGridDepthFromCurrentCell();
    EXPECT_EQ(doc.m_gridDisplayProperty, 27);
    EXPECT_EQ(doc.m_grid.cells[0].isovist.depthFromCurrent, 0);
    int farthest = 0;
    for (const CGridCell& cell : doc.m_grid.cells) {
        if (cell.effective != 0) {
            EXPECT_GE(cell.isovist.depthFromCurrent, 0);
            farthest = std::max(farthest, cell.isovist.depthFromCurrent);
        }
    }
    EXPECT_EQ(farthest, 2);  // the cells behind the block, around one corner of it
}

TEST(GridCommands, RunWithoutGridAsksAndWithoutGraphHasTwoPasses) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    MakeRoom(doc);
    doc.OnCreateGridIsovist();  // No: nothing happens
    EXPECT_EQ(ui.questions, (std::vector<std::string>{"A grid is not found.\nClick yes to create one."}));
    EXPECT_EQ(ui.progressDialogs, 0);
    EXPECT_EQ(doc.m_grid.count, 0);

    ui.yesNoAnswers = {true};
    ui.closeProgressWithOk = false;  // the dialog closed without OK leaves bit 4 clear
    doc.OnCreateGridIsovist();
    EXPECT_EQ(ui.progressTitles, (std::vector<std::string>{"Pass 1/2", "Pass 2/2"}));
    EXPECT_EQ(doc.m_settings.gridState(), kGridOptionsAccepted | kGridInitialised);
    EXPECT_EQ(doc.m_gridResultsValid, 1);
    EXPECT_EQ(doc.m_gridGraph.nodeCount(), 0);
}

TEST(GridCommands, OkWithoutStartStillMarksTheIsovistsComputed) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    MakeRoom(doc);
    ASSERT_TRUE(doc.OnInitializeGrid());
    ui.pressStart = false;
    doc.OnCreateGridIsovist();
    EXPECT_EQ(doc.m_settings.gridState(), 7);
    EXPECT_EQ(doc.m_gridResultsValid, 0);
    EXPECT_TRUE(ui.messages.empty());
}

// Cancel at any moment of the five passes (after 0, 1, ... positions, up to just after the work
// has ended) drops the run: the document, with the results of an earlier run, is unchanged.
TEST(GridCommands, CancelAtAnyPositionLeavesTheDocumentAsItWas) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    MakeRoom(doc);
    doc.m_settings.calculateGraphMeasures = 1;
    doc.m_settings.m_isovistMethod = kApproximateRadialMethod;  // radial statistics too
    doc.m_paths.append(PlanPolygon({{0.5, 0.5}, {3.5, 0.5}}));  // the fifth pass counts it
    ASSERT_TRUE(doc.OnInitializeGrid());
    ui.yesNoAnswers = {true};
    doc.OnCreateGridIsovist();
    ASSERT_EQ(doc.m_gridResultsValid, 1);
    const int positionsOfARun = static_cast<int>(ui.progressPositions.size());
    ASSERT_GT(positionsOfARun, 4 * 16);  // passes 2 to 5 report every cell

    // A second run over other walls would change the results, were it published.
    doc.m_planPolygons.append(PlanPolygon({{0.2, 0.2}, {0.2, 0.8}, {0.8, 0.8}, {0.8, 0.2}}));
    doc.RebuildWallTables();
    doc.m_settings.setGridState(kGridOptionsAccepted | kGridInitialised);
    doc.m_gridDisplayProperty = 5;
    const DocumentImage before = ImageOf(doc);
    for (int k = 0; k <= positionsOfARun; ++k) {
        ui.cancelAfterPositions = k;
        ui.yesNoAnswers = {true};
        ui.messages.clear();
        doc.OnCreateGridIsovist();
        EXPECT_TRUE(ui.messages.empty()) << k;  // no "Computation Time"
        EXPECT_TRUE(ImageOf(doc) == before) << "cancelled after " << k << " positions";
    }
    ui.cancelAfterPositions = -1;
    ui.yesNoAnswers = {true};
    doc.OnCreateGridIsovist();
    EXPECT_FALSE(ImageOf(doc) == before);
    EXPECT_EQ(doc.m_settings.gridState(), 7);
}

TEST(GridCommands, RefusalsKeepTheOldGrid) {
    struct Case {
        double span;
        std::array<double, 4> offsets;
        const char* message;
    };
    const Case cases[] = {
        {0.0, {0, 0, 0, 0}, "The span size must be a number greater than 0"},
        {-1.0, {0, 0, 0, 0}, "The span size must be a number greater than 0"},
        {std::nan(""), {0, 0, 0, 0}, "The span size must be a number greater than 0"},
        {1.0, {5, 0, 0, 0}, "The grid offsets leave no area to cover"},
        {1e-9, {0, 0, 0, 0}, "The span size is too small: the grid would have too many cells"},
    };
    for (const Case& c : cases) {
        FakeDocumentUi ui;
        CORVDoc doc(ui);
        MakeRoom(doc);
        ASSERT_TRUE(doc.OnInitializeGrid());
        const CAnalysisGrid before = doc.m_grid;
        doc.m_gridSpan = c.span;
        doc.m_settings.gridCornerOffsets = c.offsets;
        EXPECT_FALSE(doc.OnInitializeGrid());
        EXPECT_EQ(ui.messages, (std::vector<std::string>{c.message}));
        EXPECT_EQ(doc.m_grid, before);
    }
}

TEST(GridCommands, TooManyCellsForTheGraphAndDepthMessages) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    MakeRoom(doc);
    doc.m_gridSpan = 4.0 / 216;  // 216 x 216 = 46,656 cells
    ASSERT_TRUE(doc.OnInitializeGrid());
    doc.m_settings.calculateGraphMeasures = 1;
    doc.OnCreateGridIsovist();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{
                               "There are too many cells.\nThe graph analysis requires the number "
                               "of cells to be smaller than 46340."}));
    EXPECT_TRUE(ui.questions.empty());

    ui.messages.clear();
    doc.m_settings.calculateGraphMeasures = 0;
    doc.OnGridDepthFromCurrentCell();
    doc.m_settings.calculateGraphMeasures = 1;
    doc.OnGridDepthFromCurrentCell();  // no current cell
    doc.m_currentCell = GridCellIndex{0, 0};
    doc.m_grid.cells[0].effective = 0;
    doc.OnGridDepthFromCurrentCell();
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{"Graph measures are not included in the current analysis",
                                        "Invalid cell", "Pick a valid cell first"}));
}

// Grid Options: the dialog opens on the document's options with the preview over the plan;
// OK stores the choice and leaves only the "options given" stage, Cancel changes nothing.
TEST(GridCommands, GridOptionsStoreTheChoiceOnOk) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    MakeRoom(doc);
    ASSERT_TRUE(doc.OnInitializeGrid());
    doc.m_settings.setGridState(7);
    GridOptionsDialogModel shown;
    ui.gridOptionsScript = [&](GridOptionsDialogModel& model) {
        shown = model;
        return false;
    };
    EXPECT_TRUE(RunDocumentCommand(doc, {CommandId::GridOptions}));
    EXPECT_EQ(shown.totalText(), "16");  // the 4 x 4 plan at span 1
    EXPECT_EQ(shown.integrationDepth, 3);
    EXPECT_EQ(doc.m_settings.gridState(), 7);

    ui.gridOptionsScript = [](GridOptionsDialogModel& model) {
        model.entry = GridOptionsEntry::SpanCountX;
        model.typeCountX(8);
        model.offsets = {-1, -2, 3, 4};
        model.integrationDepth = 5;
        model.calculateGraphMeasures = 1;
        return true;
    };
    const CAnalysisGrid cells = doc.m_grid;
    doc.OnGridOptions();
    EXPECT_EQ(doc.m_gridSpan, 0.5);
    EXPECT_EQ(doc.m_settings.gridCornerOffsets, (std::array<double, 4>{-1, -2, 3, 4}));
    EXPECT_EQ(doc.m_settings.integrationDepth, 5);
    EXPECT_EQ(doc.m_settings.calculateGraphMeasures, 1);
    EXPECT_EQ(doc.m_settings.gridState(), kGridOptionsAccepted);
    EXPECT_EQ(doc.m_grid, cells);  // the old cells stay until Initialize Grid
    EXPECT_EQ(ui.dialogs, (std::vector<std::string>{"Grid Options", "Grid Options"}));
}

// A room after a grid run without graph measures.
void RunGrid(CORVDoc& doc, FakeDocumentUi& ui) {
    MakeRoom(doc);
    ASSERT_TRUE(doc.OnInitializeGrid());
    doc.OnCreateGridIsovist();
    ui.messages.clear();
    ui.redrawCount = 0;
}

// A scratch text file removed with the object.
struct ScratchFile {
    std::string path;
    ScratchFile(const std::string& name, const std::string& text)
        : path(name + "_" + std::to_string(getpid()) + ".txt") {
        std::ofstream(path, std::ios::binary) << text;
    }
    ~ScratchFile() { std::remove(path.c_str()); }
};

TEST(GridCommands, UserDefinedValuesFromATextFile) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    doc.OnGridUserDefined();  // no grid: nothing, not even the file dialog
    EXPECT_TRUE(ui.fileDialogFilters.empty());
    RunGrid(doc, ui);
    ASSERT_EQ(doc.m_grid.effectiveCount(), 14);

    std::string thirteen;
    for (int i = 0; i < 13; ++i) {
        thirteen += std::to_string(i) + ".5\n";
    }
    const ScratchFile tooFew("too_few_values", thirteen);
    const ScratchFile right("one_value_a_cell", thirteen + "99\n");
    ui.fileAnswers = {std::nullopt, std::string("/nonexistent/values.txt"), tooFew.path,
                      right.path};
    doc.OnGridUserDefined();  // cancelled
    doc.OnGridUserDefined();
    doc.OnGridUserDefined();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{
                               "The file /nonexistent/values.txt cannot be opened",
                               "Number of data is not consistent"}));
    EXPECT_EQ(doc.m_gridDisplayProperty, 1);
    EXPECT_EQ(ui.redrawCount, 0);
    EXPECT_TRUE(RunDocumentCommand(doc, {CommandId::GridUserDefined}));
    EXPECT_EQ(ui.fileDialogFilters.back(), "Plain Text File (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(doc.m_gridDisplayProperty, 6);
    std::vector<double> values;
    for (const CGridCell& cell : doc.m_grid.cells) {
        if (cell.effective != 0) {
            values.push_back(cell.isovist.userValue);
        }
    }
    EXPECT_EQ(values.front(), 0.5);
    EXPECT_EQ(values[12], 12.5);
    EXPECT_EQ(values.back(), 99.0);
}

TEST(GridCommands, EntriesThatComputeBeforeTheyShow) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    RunGrid(doc, ui);
    // A stale value in a cell that is not effective is cleared by its entry.
    CGridCell* wallCell = nullptr;
    for (CGridCell& cell : doc.m_grid.cells) {
        if (cell.effective == 0) {
            wallCell = &cell;
        }
    }
    ASSERT_NE(wallCell, nullptr);
    wallCell->isovist.drift = 5.0;
    const double corner = doc.m_grid.cells[0].isovist.drift;
    doc.m_grid.cells[0].isovist.drift = -1.0;
    EXPECT_TRUE(RunDocumentCommand(doc, {CommandId::GridProperty, 3}));
    EXPECT_EQ(doc.m_gridDisplayProperty, 3);
    EXPECT_EQ(wallCell->isovist.drift, 0.0);
    EXPECT_EQ(doc.m_grid.cells[0].isovist.drift, corner);
    EXPECT_TRUE(RunDocumentCommand(doc, {CommandId::GridProperty, 8}));
    EXPECT_EQ(doc.m_gridDisplayProperty, 8);

    doc.m_customPoints = {{1.0, 1.0}, {0.5, 0.5}};
    EXPECT_TRUE(RunDocumentCommand(doc, {CommandId::GridProperty, 18}));
    EXPECT_EQ(doc.m_gridDisplayProperty, 18);
    EXPECT_EQ(doc.m_grid.cells[0].isovist.graphMeasures.pointCount, 1.25);
    EXPECT_EQ(doc.m_grid.cells[5].isovist.graphMeasures.pointCount, 0.25);
    EXPECT_EQ(ui.redrawCount, 3);
}

TEST(GridCommands, CellPropertiesOfTheCurrentCell) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    RunGrid(doc, ui);
    doc.OnGridCellProperties();  // no current cell
    doc.m_currentCell = GridCellIndex{4, 0};
    doc.OnGridCellProperties();
    doc.m_currentCell = GridCellIndex{1, 2};  // under the wall block
    doc.OnGridCellProperties();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Invalid cell", "Invalid cell",
                                                     "Pick a valid cell first"}));
    EXPECT_TRUE(ui.dialogs.empty());
    doc.m_currentCell = GridCellIndex{0, 0};
    EXPECT_TRUE(RunDocumentCommand(doc, {CommandId::GridCellProperties}));
    EXPECT_EQ(ui.dialogs, (std::vector<std::string>{"Isovist Properties"}));
}

}  // namespace
