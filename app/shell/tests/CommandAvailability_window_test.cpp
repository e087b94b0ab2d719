// The window's menu and toolbar items over the grid, path and axial states of a document: in each
// state exactly the listed commands are disabled (and refused when run anyway), every other item
// of every menu and toolbar is enabled, and once every analysis exists nothing is disabled.
#include <gtest/gtest.h>

#include <QAction>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "document/CORVDoc.h"
#include "shell/CMainFrame.h"
#include "shell/MenuLayout.h"
#include "testing/FakeDocumentUi.h"

namespace {

using Commands = std::vector<Command>;

Commands Family(CommandId id, std::initializer_list<int32_t> codes) {
    Commands out;
    for (const int32_t code : codes) {
        out.push_back({id, code});
    }
    return out;
}

Commands Join(std::initializer_list<Commands> parts) {
    Commands out;
    for (const Commands& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

// The commands grouped by the rule that enables them, codes as the menus list them.
const Commands kGridResults = Join({{{CommandId::GridExportCsv}, {CommandId::GridReport},
                                     {CommandId::GridUserDefined}},
                                    Family(CommandId::GridProperty, {1, 2, 3, 4, 5, 7, 18, 29})});
const Commands kGridGraph =
    Family(CommandId::GridProperty, {9, 10, 11, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28});
const Commands kGridRadial = Family(CommandId::GridProperty, {12, 13, 14, 15, 16, 17, 30, 31});
const Commands kPathResults = Join({{{CommandId::ViewPathData}, {CommandId::ApplyViewAngle},
                                     {CommandId::PathExportCsv}, {CommandId::PathReport}},
                                    Family(CommandId::PathProperty, {1, 2, 3, 4, 5, 7})});
const Commands kPathRadial = Family(CommandId::PathProperty, {8, 9, 10, 11, 12, 13});
const Commands kPathPoints = {{CommandId::CreatePathIsovist}, {CommandId::PathUserDefined}};
const Commands kNoGrid = Join({{{CommandId::InitializeGrid}, {CommandId::CreateGridIsovist},
                                {CommandId::GridCellProperties}},
                               kGridResults, kGridGraph, kGridRadial});
const Commands kNoPath = Join({{{CommandId::CreateObservationPoints}, {CommandId::PathExportAllCsv}},
                               kPathPoints, kPathResults, kPathRadial});

void CollectCommands(const std::vector<MenuEntry>& entries, Commands& out) {
    for (const MenuEntry& entry : entries) {
        if (entry.kind == MenuEntry::Kind::Command) {
            out.push_back(entry.command);
        } else if (entry.kind == MenuEntry::Kind::Submenu && entry.enabled) {
            CollectCommands(entry.children, out);
        }
    }
}

Commands EveryMenuAndToolbarCommand() {
    Commands out;
    CollectCommands(MenuBarLayout(), out);
    for (const ToolbarLayout& toolbar : ToolbarLayouts()) {
        CollectCommands(toolbar.buttons, out);
    }
    return out;
}

bool Contains(const Commands& list, const Command& command) {
    return std::find(list.begin(), list.end(), command) != list.end();
}

// --- document states ---

void GridStage(CORVDoc& doc, int32_t stage, bool graph = false,
               int32_t method = kExactNodeMethod) {
    doc.m_settings.setGridState(static_cast<uint8_t>(stage));
    doc.m_settings.calculateGraphMeasures = graph ? 1 : 0;
    doc.m_settings.m_isovistMethod = method;
}

void CurrentCell(CORVDoc& doc) {
    doc.m_grid.nx = doc.m_grid.ny = doc.m_grid.count = 1;
    doc.m_grid.cells.resize(1);
    doc.m_currentCell = GridCellIndex{0, 0};
}

// One path; with `current` it is the current one, with `points` observation points on it, with
// `isovists` their results.
void PathStage(CORVDoc& doc, bool current, int points = 0, int isovists = 0) {
    doc.m_paths.append(PlanPolygon({{1, 1}, {9, 1}}));
    doc.m_currentPath = current ? 0 : -1;
    std::vector<PlanPoint> list;
    for (int i = 0; i < points; ++i) {
        list.push_back(PlanPoint{1.0 + i, 1.0});
    }
    doc.m_observationPoints.append(PlanPolygon(list));
    doc.m_pathIsovists.resize(static_cast<size_t>(isovists));
}

void AxialLines(CORVDoc& doc) {
    doc.m_axialLines.push_back(PlanSegment{{0, 0}, {5, 0}});
    doc.m_axialLines.push_back(PlanSegment{{2, -1}, {2, 4}});
}

struct State {
    const char* name;
    std::function<void(CORVDoc&)> make;
    Commands disabled;
};

Commands Without(Commands list, const Commands& enabled) {
    std::erase_if(list, [&](const Command& c) { return Contains(enabled, c); });
    return list;
}

TEST(WindowAvailability, ExactlyTheCommandsOfEachStateAreDisabled) {
    const State states[] = {
        {"new document", [](CORVDoc&) {}, Join({kNoGrid, kNoPath})},
        {"grid options accepted", [](CORVDoc& d) { GridStage(d, 1); },
         Join({Without(kNoGrid, {{CommandId::InitializeGrid}}), kNoPath})},
        {"grid initialised, no cell picked", [](CORVDoc& d) { GridStage(d, 3); },
         Join({kGridResults, kGridGraph, kGridRadial, {{CommandId::GridCellProperties}}, kNoPath})},
        {"isovists by the node method, no graph", [](CORVDoc& d) { GridStage(d, 7); },
         Join({kGridGraph, kGridRadial, {{CommandId::GridCellProperties}}, kNoPath})},
        {"graph measures by the visibility-polygon method",
         [](CORVDoc& d) { GridStage(d, 7, true, kExactVisibilityPolygonMethod); },
         Join({kGridRadial, {{CommandId::GridCellProperties}}, kNoPath})},
        {"graph measures by the radial method, a cell picked",
         [](CORVDoc& d) {
             GridStage(d, 7, true, kApproximateRadialMethod);
             CurrentCell(d);
         },
         kNoPath},
        {"graph asked for but stage 3 only",
         [](CORVDoc& d) { GridStage(d, 3, true, kApproximateRadialMethod); },
         Join({kGridResults, kGridGraph, kGridRadial, {{CommandId::GridCellProperties}}, kNoPath})},
        {"a path, none current", [](CORVDoc& d) { PathStage(d, false); },
         Join({kNoGrid, Without(kNoPath, {{CommandId::PathExportAllCsv}})})},
        {"a current path without points", [](CORVDoc& d) { PathStage(d, true); },
         Join({kNoGrid, kPathPoints, kPathResults, kPathRadial})},
        {"observation points on the current path", [](CORVDoc& d) { PathStage(d, true, 3); },
         Join({kNoGrid, kPathResults, kPathRadial})},
        {"path isovists by the node method", [](CORVDoc& d) { PathStage(d, true, 3, 3); },
         Join({kNoGrid, kPathRadial})},
        {"path isovists by the radial method",
         [](CORVDoc& d) {
             PathStage(d, true, 3, 3);
             d.m_settings.m_isovistMethod = kApproximateRadialMethod;
         },
         kNoGrid},
        {"path isovists left from a path no longer current",
         [](CORVDoc& d) { PathStage(d, false, 3, 3); },
         Join({kNoGrid, {{CommandId::CreateObservationPoints}}, kPathPoints, kPathRadial})},
        {"axial lines only", AxialLines, Join({kNoGrid, kNoPath})},
        {"every analysis",
         [](CORVDoc& d) {
             GridStage(d, 7, true, kApproximateRadialMethod);
             CurrentCell(d);
             PathStage(d, true, 3, 3);
             AxialLines(d);
         },
         {}},
    };
    const Commands all = EveryMenuAndToolbarCommand();
    ASSERT_GT(all.size(), 100u);
    for (const State& state : states) {
        SCOPED_TRACE(state.name);
        FakeDocumentUi ui;
        CORVDoc doc(ui);
        CMainFrame frame(doc);
        frame.runCommand({CommandId::FileNew});
        state.make(doc);
        frame.refreshCommands();
        for (const Command& command : state.disabled) {
            ASSERT_TRUE(Contains(all, command)) << static_cast<int>(command.id) << "/" << command.code;
        }
        for (const Command& command : all) {
            QAction* action = frame.action(command);
            ASSERT_NE(action, nullptr);
            const bool expected = !Contains(state.disabled, command);
            EXPECT_EQ(action->isEnabled(), expected)
                << action->text().toStdString() << " (" << static_cast<int>(command.id) << "/"
                << command.code << ")";
        }
        // A disabled command is refused when it is run anyway, e.g. by its shortcut.
        const size_t dialogs = ui.dialogs.size();
        for (const Command& command : state.disabled) {
            if (!frame.action(command)->isEnabled()) {  // an enabled one would open its dialog
                EXPECT_FALSE(frame.runCommand(command)) << frame.action(command)->text().toStdString();
            }
        }
        EXPECT_EQ(ui.dialogs.size(), dialogs);
    }
}

}  // namespace
