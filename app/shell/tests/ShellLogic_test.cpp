#include <gtest/gtest.h>

#include <set>

#include "shell/FileFilter.h"
#include "shell/MenuLayout.h"
#include "shell/RecentFileList.h"

namespace {

struct FilterCase {
    const char* name;
    const char* filter;
    std::vector<std::string> expected;
};

// Names the case in test listings (instead of dumping its bytes).
void PrintTo(const FilterCase& c, std::ostream* os) {
    *os << c.name;
}

class FileFilterTest : public testing::TestWithParam<FilterCase> {};

TEST_P(FileFilterTest, ConvertsPipeLists) {
    EXPECT_EQ(NameFiltersFromPipeList(GetParam().filter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FileFilterTest,
    testing::Values(FilterCase{"document filter",
                               "Vistrel 1.3 (*.ovx)|*.ovx|All Files (*.*)|*.*||",
                               {"Vistrel 1.3 (*.ovx)", "All Files (*.*)"}},
                    FilterCase{"drawing filter",
                               "Drawing Exchange Format (*.dxf)|*.dxf|All Files (*.*)|*.*||",
                               {"Drawing Exchange Format (*.dxf)", "All Files (*.*)"}},
                    FilterCase{"two patterns", "Text|*.txt;*.csv||", {"Text (*.txt *.csv)"}},
                    FilterCase{"empty", "", {}}, FilterCase{"cut after the name", "Odd|", {}},
                    FilterCase{"no pattern", "No pattern||", {}}));

TEST(RecentFiles, NewestFirstAtMostFour) {
    RecentFileList list;
    for (const char* p : {"a", "b", "c", "d", "e"}) {
        list.add(p);
    }
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"e", "d", "c", "b"}));
    list.add("c");
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"c", "e", "d", "b"}));
    list.remove("e");
    list.add("");
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"c", "d", "b"}));
}

TEST(RecentFiles, LoadingKeepsStoredOrderAndDropsBlanksAndDuplicates) {
    RecentFileList list({"x", "", "y", "x", "z", "w", "v"});
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"x", "y", "z", "w"}));
}

void CollectCommands(const std::vector<MenuEntry>& entries, std::vector<std::string>& texts,
                     std::set<CommandId>& ids) {
    for (const MenuEntry& e : entries) {
        if (e.kind == MenuEntry::Kind::Command) {
            texts.push_back(e.text);
            ids.insert(e.command.id);
        }
        CollectCommands(e.children, texts, ids);
    }
}

TEST(Menus, TopLevelMenusInOrder) {
    std::vector<std::string> titles;
    for (const MenuEntry& menu : MenuBarLayout()) {
        titles.push_back(menu.text);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"&File", "&View", "&Isovist", "&Grid", "&Path",
                                                "A&xial", "&Options", "&Help", "&Subdivision"}));
}

// Every command the window knows can be reached from the menus or a toolbar, and the
// shortcuts show in the menu texts the way the platform's own menus write them.
TEST(Menus, EveryCommandIsReachableAndShortcutsShow) {
    std::vector<std::string> texts;
    std::set<CommandId> ids;
    CollectCommands(MenuBarLayout(), texts, ids);
    for (const ToolbarLayout& bar : ToolbarLayouts()) {
        std::vector<std::string> unused;
        CollectCommands(bar.buttons, unused, ids);
    }
    for (int id = static_cast<int>(CommandId::FileNew); id <= static_cast<int>(CommandId::ShowToggle);
         ++id) {
        EXPECT_TRUE(ids.count(static_cast<CommandId>(id)) == 1) << "command " << id;
    }
    for (const char* expected : {"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S",
                                 "Zoom In\tPgUp", "Zoom Out\tPgDn"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
    }
    // Visible Perimeter Ratio is a command without a menu entry.
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "Visible Perimeter Ratio"), texts.end());
}

TEST(Menus, PropertySubmenusCarryTheirCodes) {
    const MenuEntry& axial = MenuBarLayout()[5];
    const MenuEntry* properties = nullptr;
    for (const MenuEntry& e : axial.children) {
        if (e.text == "Show Axial Line Properties...") {
            properties = &e;
        }
    }
    ASSERT_NE(properties, nullptr);
    ASSERT_EQ(properties->children.size(), 14u);
    EXPECT_EQ(properties->children[13].text, "Global Connectivity E");
    EXPECT_EQ(properties->children[13].command, (Command{CommandId::AxialProperty, 13}));
    EXPECT_EQ(GridPropertyName(27), "Depth from current cell");
    EXPECT_EQ(GridPropertyName(0), "");
    EXPECT_EQ(GridPropertyName(32), "");
}

TEST(Toolbars, FourBarsWithTheirButtonsInOrder) {
    const auto& bars = ToolbarLayouts();
    ASSERT_EQ(bars.size(), 4u);
    std::vector<size_t> commandCounts;
    for (const ToolbarLayout& bar : bars) {
        commandCounts.push_back(static_cast<size_t>(
            std::count_if(bar.buttons.begin(), bar.buttons.end(),
                          [](const MenuEntry& e) { return e.kind == MenuEntry::Kind::Command; })));
    }
    EXPECT_EQ(commandCounts, (std::vector<size_t>{5, 11, 14, 2}));
    EXPECT_EQ(bars[1].buttons[8].command, (Command{CommandId::ShowToggle, kShowPathResults}));
    EXPECT_EQ(bars[3].buttons[0].command.id, CommandId::Pan);
}

TEST(Toolbars, LabelsComeFromMenusWhereTheyExist) {
    EXPECT_EQ(CommandLabel({CommandId::FileOpen}), "Open...");
    EXPECT_EQ(CommandLabel({CommandId::ZoomIn}), "Zoom In");
    EXPECT_EQ(CommandLabel({CommandId::Pan}), "Pan");
    EXPECT_EQ(CommandLabel({CommandId::ShowToggle, kShowWalls}), "Walls");
    EXPECT_EQ(CommandLabel({CommandId::ShowToggle, kShowPathResults}), "Path Isovist Properties");
    EXPECT_TRUE(IsCheckableCommand({CommandId::ShowToggle, 3}));
    EXPECT_FALSE(IsCheckableCommand({CommandId::ZoomIn}));
}

TEST(ShowFlags, DialogAndToolbarNamesDifferOnlyForTheAnalysisResults) {
    for (int flag = 0; flag <= kShowAxialLines; ++flag) {
        const bool results = flag == kShowPathResults || flag == kShowGridResults;
        EXPECT_EQ(ShowFlagLabel(flag, ShowFlagText::DialogLabel) ==
                      ShowFlagLabel(flag, ShowFlagText::ToolbarTip),
                  !results)
            << flag;
    }
    EXPECT_EQ(ShowFlagLabel(kShowGridResults, ShowFlagText::DialogLabel), "Grid Analysis Results");
    EXPECT_EQ(ShowFlagLabel(kShowAxialLines + 1, ShowFlagText::DialogLabel), "");
    EXPECT_EQ(ShowFlagLabel(-1, ShowFlagText::ToolbarTip), "");
}

}  // namespace
