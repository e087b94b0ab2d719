// The document's command table and a click in the plan, through the scripted UI port.
#include "document/DocumentCommands.h"

#include <gtest/gtest.h>

#include "document/CORVDoc.h"
#include "document/DisplayProperties.h"
#include "testing/FakeDocumentUi.h"

namespace {

TEST(DocumentCommands, TableHoldsDocumentCommandsOnly) {
    struct Case {
        Command command;
        bool isDocument;
    };
    const Case cases[] = {
        {{CommandId::FileSave}, true},
        {{CommandId::ImportDxf}, true},
        {{CommandId::PointIsovistAt}, true},
        {{CommandId::ShowToggle, 0}, true},
        {{CommandId::ShowToggle, kShowFlagCount}, false},
        {{CommandId::PathProperty, 13}, true},
        {{CommandId::PathProperty, 14}, false},
        {{CommandId::AxialProperty, 0}, true},
        {{CommandId::AxialProperty, 14}, false},
        // Window and view commands stay with the window.
        {{CommandId::ZoomIn}, false},
        {{CommandId::Pan}, false},
        {{CommandId::ViewToolbar}, false},
        {{CommandId::About}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsDocumentCommand(c.command), c.isDocument)
            << static_cast<int>(c.command.id) << "/" << c.command.code;
    }
}

TEST(DocumentCommands, PropertyAndShowCommandsChangeTheDocumentAndRedraw) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    doc.m_settings.m_show[kShowWalls] = 1;

    EXPECT_TRUE(RunDocumentCommand(doc, {CommandId::AxialProperty, 8}));
    EXPECT_EQ(doc.m_settings.m_axialDisplayProperty, 8);
    EXPECT_TRUE(RunDocumentCommand(doc, {CommandId::ShowToggle, kShowWalls}));
    EXPECT_EQ(doc.m_settings.m_show[kShowWalls], 0);
    EXPECT_TRUE(RunDocumentCommand(doc, {CommandId::ShowToggle, kShowWalls}));
    EXPECT_EQ(doc.m_settings.m_show[kShowWalls], 1);
    EXPECT_EQ(ui.redrawCount, 3);

    // Path properties need path isovists; an unavailable command does nothing.
    EXPECT_FALSE(RunDocumentCommand(doc, {CommandId::PathProperty, 1}));
    EXPECT_EQ(doc.m_pathDisplayProperty, 0);
    doc.m_pathIsovists.resize(1);
    EXPECT_TRUE(RunDocumentCommand(doc, {CommandId::PathProperty, 1}));
    EXPECT_EQ(doc.m_pathDisplayProperty, 1);
    EXPECT_FALSE(RunDocumentCommand(doc, {CommandId::ZoomIn}));
}

// A 2 x 2 grid of unit cells from (10, 20) with computed results.
void MakeGrid(CORVDoc& doc) {
    CAnalysisGrid& grid = doc.m_grid;
    grid.nx = 2;
    grid.ny = 2;
    grid.count = 4;
    grid.span = 1.0;
    grid.originX = 10.0;
    grid.originY = 20.0;
    grid.cells.resize(4);
    for (int i = 0; i < 4; ++i) {
        CGridCell& cell = grid.cells[static_cast<size_t>(i)];
        cell.effective = 1;
        cell.isovist.origin = PlanPoint{10.5 + i % 2, 20.5 + i / 2};
        cell.isovist.area = 12.34567;
        cell.isovist.graphMeasures.connectivity = 7;
        cell.isovist.graphMeasures.pointCount = 0.25;
        cell.isovist.radialStatsIndex = 0;
    }
    doc.m_gridRadialStats.resize(1);
    doc.m_gridResultsValid = 1;
    doc.m_settings.m_show[kShowPointIsovist] = 0;
    doc.m_settings.m_show[kShowGrid] = 1;
}

TEST(PickPoint, GridCellStatusFollowsTheShownProperty) {
    struct Case {
        int32_t property;
        int32_t resultsShown;
        const char* status;  // null: no status text
    };
    const Case cases[] = {
        {1, 1, "12.346 @ 11.5, 21.5"},
        {9, 1, "7 @ 11.5, 21.5"},
        {18, 1, "0.25 @ 11.5, 21.5"},
        {30, 1, ""},
        {0, 1, nullptr},
        {1, 0, "11.5, 21.5"},
    };
    for (const Case& c : cases) {
        FakeDocumentUi ui;
        CORVDoc doc(ui);
        MakeGrid(doc);
        doc.m_gridDisplayProperty = c.property;
        doc.m_settings.m_show[kShowGridResults] = c.resultsShown;
        const CORVDoc::PickOutcome outcome = doc.OnPickPoint(PlanPoint{11.2, 21.9});
        EXPECT_EQ(doc.m_currentCell, (GridCellIndex{1, 1})) << c.property;
        EXPECT_TRUE(outcome.redraw);
        ASSERT_EQ(outcome.status.has_value(), c.status != nullptr) << c.property;
        if (c.status != nullptr) {
            EXPECT_EQ(*outcome.status, c.status);
        }
    }
}

TEST(PickPoint, OutsideTheGridNamesNoCell) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    EXPECT_EQ(doc.m_currentCell, (GridCellIndex{-1, -1}));  // no current cell in a new document
    MakeGrid(doc);
    // Column and row truncate toward zero, so half a span left of the grid is still column 0.
    const struct {
        PlanPoint at;
        GridCellIndex cell;
        bool exists;
    } cases[] = {
        {{9.5, 20.5}, {0, 0}, true},
        {{8.5, 20.5}, {-1, 0}, false},
        {{12.5, 20.5}, {2, 0}, false},
        {{10.5, 22.0}, {0, 2}, false},
    };
    for (const auto& c : cases) {
        const CORVDoc::PickOutcome outcome = doc.OnPickPoint(c.at);
        EXPECT_EQ(doc.m_currentCell, c.cell);
        EXPECT_EQ(outcome.status.has_value(), c.exists);
        EXPECT_EQ(doc.m_grid.cellAt(c.cell) != nullptr, c.exists);
    }
    // Without grid results nothing is picked.
    doc.m_gridResultsValid = 0;
    doc.m_currentCell = GridCellIndex{};
    EXPECT_FALSE(doc.OnPickPoint(PlanPoint{10.5, 20.5}).changed);
    EXPECT_EQ(doc.m_currentCell, (GridCellIndex{-1, -1}));
}

TEST(DisplayProperties, EveryGridCodeHasOneEntryAndTheRightFamilyRules) {
    const auto grid = DisplayPropertiesOf(PropertyFamily::Grid);
    ASSERT_EQ(grid.size(), 31u);
    int menuEntries = 0;
    for (size_t i = 0; i < grid.size(); ++i) {
        EXPECT_EQ(grid[i].code, static_cast<int32_t>(i + 1));
        EXPECT_NE(std::string(grid[i].name), "");
        EXPECT_EQ(grid[i].radial, grid[i].radialValue != nullptr) << grid[i].code;
        EXPECT_EQ(!grid[i].radial, grid[i].recordValue != nullptr) << grid[i].code;
        menuEntries += grid[i].menuLabel != nullptr ? 1 : 0;
    }
    EXPECT_EQ(menuEntries, 29);  // all but User defined and Visible Perimeter Ratio
    // The colouring rule that hides negative values holds exactly for these.
    for (int32_t code : {10, 11, 20, 21, 22, 23, 24, 26, 28}) {
        EXPECT_TRUE(FindDisplayProperty(PropertyFamily::Grid, code)->negativeMinimumRaised)
            << code;
    }
    int raised = 0;
    for (const DisplayProperty& p : grid) {
        raised += p.negativeMinimumRaised ? 1 : 0;
    }
    EXPECT_EQ(raised, 9);
    EXPECT_EQ(FindDisplayProperty(PropertyFamily::Grid, 32), nullptr);
    EXPECT_EQ(DisplayPropertiesOf(PropertyFamily::Path).size(), 13u);
    EXPECT_EQ(DisplayPropertiesOf(PropertyFamily::Axial).size(), 14u);
}

TEST(DisplayProperties, ValuesComeFromTheRecordOrTheRadialStatistics) {
    IsovistRecord record;
    record.graphMeasures.integrationN = 2.5;
    record.depthFromCurrent = -1;
    RadialStats radial;
    radial.minBidirectional = 4.0;
    const auto value = [&](int32_t code, const RadialStats* stats) {
        return DisplayValue(*FindDisplayProperty(PropertyFamily::Grid, code), record, stats);
    };
    EXPECT_EQ(value(26, nullptr), 2.5);
    EXPECT_EQ(value(27, nullptr), -1.0);
    EXPECT_EQ(value(31, &radial), 4.0);
    EXPECT_EQ(value(31, nullptr), 0.0);  // no radial results: nothing to show
}

}  // namespace
