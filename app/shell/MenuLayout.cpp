#include "shell/MenuLayout.h"

#include "document/DisplayProperties.h"

#include <array>
#include <iterator>

namespace {

using Kind = MenuEntry::Kind;

MenuEntry Item(std::string text, CommandId id, int32_t code = 0) {
    return MenuEntry{Kind::Command, std::move(text), Command{id, code}, {}, true};
}
MenuEntry SeparatorOf() {
    return MenuEntry{Kind::Separator, {}, {}, {}, true};
}
MenuEntry SubmenuOf(std::string text, std::vector<MenuEntry> children, bool enabled = true) {
    return MenuEntry{Kind::Submenu, std::move(text), {}, std::move(children), enabled};
}

// The entries of a Show ... Properties menu, in the table's order, for the properties that have
// one; `command` is the family's property command.
std::vector<MenuEntry> PropertyEntries(PropertyFamily family, CommandId command) {
    std::vector<MenuEntry> entries;
    for (const DisplayProperty& p : DisplayPropertiesOf(family)) {
        if (p.menuLabel != nullptr) {
            entries.push_back(Item(p.menuLabel, command, p.code));
        }
    }
    return entries;
}

std::vector<MenuEntry> GridPropertyEntries() {
    std::vector<MenuEntry> entries = PropertyEntries(PropertyFamily::Grid, CommandId::GridProperty);
    entries.push_back(Item("User defined...", CommandId::GridUserDefined));
    return entries;
}

std::vector<MenuEntry> PathPropertyEntries() {
    std::vector<MenuEntry> entries = PropertyEntries(PropertyFamily::Path, CommandId::PathProperty);
    entries.push_back(Item("User Defined...", CommandId::PathUserDefined));
    return entries;
}

std::vector<MenuEntry> AxialPropertyEntries() {
    return PropertyEntries(PropertyFamily::Axial, CommandId::AxialProperty);
}

std::vector<MenuEntry> BuildMenuBar() {
    return {
        SubmenuOf("&File", {Item("&New\tCtrl+N", CommandId::FileNew),
                          Item("&Open...\tCtrl+O", CommandId::FileOpen),
                          SubmenuOf("Import...", {Item("DXF...", CommandId::ImportDxf)}),
                          Item("&Save\tCtrl+S", CommandId::FileSave),
                          Item("Save &As...", CommandId::FileSaveAs),
                          Item("Export Image...", CommandId::ExportImage), SeparatorOf(),
                          MenuEntry{Kind::RecentFiles, "Recent File", {}, {}, true}, SeparatorOf(),
                          Item("E&xit", CommandId::Exit)}),
        SubmenuOf("&View", {Item("&Toolbar", CommandId::ViewToolbar),
                          Item("&Status Bar", CommandId::ViewStatusBar), SeparatorOf(),
                          Item("Show/Hide...", CommandId::ShowHide), SeparatorOf(),
                          Item("Zoom Extent", CommandId::ZoomExtent),
                          Item("Zoom In\tPgUp", CommandId::ZoomIn),
                          Item("Zoom Out\tPgDn", CommandId::ZoomOut)}),
        SubmenuOf("&Isovist",
                {Item("Point Isovist At...", CommandId::PointIsovistAt),
                 Item("Point Isovist Properties...", CommandId::PointIsovistProperties),
                 Item("Point Isovist Subdivision...", CommandId::PointIsovistSubdivision)}),
        SubmenuOf("&Grid", {Item("Grid Setup/Options...", CommandId::GridOptions),
                          Item("Initialize Grid", CommandId::InitializeGrid),
                          Item("Create Grid Isovist", CommandId::CreateGridIsovist), SeparatorOf(),
                          SubmenuOf("Show Grid Properties...", GridPropertyEntries()),
                          Item("Isovist Properties...", CommandId::GridCellProperties), SeparatorOf(),
                          SubmenuOf("Export...",
                                  {Item("Comma Separated Values...", CommandId::GridExportCsv)}),
                          Item("View Report...", CommandId::GridReport), SeparatorOf(),
                          Item("Import Custom Points...", CommandId::ImportCustomPoints)}),
        SubmenuOf("&Path",
                {Item("Path Options...", CommandId::PathOptions),
                 Item("Create Observation Points...", CommandId::CreateObservationPoints),
                 Item("Create Path Isovist", CommandId::CreatePathIsovist),
                 Item("Apply View Angle", CommandId::ApplyViewAngle), SeparatorOf(),
                 SubmenuOf("Show Point Properties...", PathPropertyEntries()),
                 Item("View Path Data", CommandId::ViewPathData), SeparatorOf(),
                 SubmenuOf("Export...", {Item("Comma Separated Values...", CommandId::PathExportCsv),
                                       Item("Comma Separated Values (All Paths)...",
                                            CommandId::PathExportAllCsv)}),
                 Item("View Report...", CommandId::PathReport), SeparatorOf(),
                 Item("Import Path...", CommandId::ImportPath)}),
        SubmenuOf(
            "A&xial",
            {Item("Import Axial Lines...", CommandId::ImportAxialLines),
             Item("Run Analysis", CommandId::RunAxialAnalysis),
             SubmenuOf("Show Axial Line Properties...", AxialPropertyEntries()),
             SubmenuOf("Export...", {Item("Comma Separated Values...", CommandId::AxialExportCsv)}),
             SeparatorOf(), Item("Generate All Line Axial Map", CommandId::GenerateAllLineAxialMap),
             Item("Generate Reduced Axial Map", CommandId::GenerateReducedAxialMap)}),
        SubmenuOf("&Options", {Item("General Options...", CommandId::GeneralOptions),
                             Item("Grid Setup/Options...", CommandId::GridOptions),
                             Item("Path Options...", CommandId::PathOptions)}),
        SubmenuOf("&Help", {Item("&About ORV...", CommandId::About)}),
        SubmenuOf("&Subdivision", {Item("Space subdivisions", CommandId::SpaceSubdivisions)}, false),
    };
}

// The show flags' names, 0..kShowAxialLines: the toolbar button's tip, then the Show/Hide
// dialog's label. They differ only for the two analysis-result flags, which the toolbar names
// after the isovist properties they show and the dialog after the analysis results.
struct ShowFlagTexts {
    const char* toolbarTip;
    const char* dialogLabel;
};
constexpr ShowFlagTexts kShowFlagTexts[] = {
    {"Walls", "Walls"},
    {"Point Isovist", "Point Isovist"},
    {"Path Isovist", "Path Isovist"},
    {"Markers", "Markers"},
    {"Grid", "Grid"},
    {"Paths", "Paths"},
    {"Observation Points", "Observation Points"},
    {"Reference Lines", "Reference Lines"},
    {"Path Isovist Properties", "Path Analysis Results"},
    {"Grid Isovist Properties", "Grid Analysis Results"},
    {"Axial Lines", "Axial Lines"},
};
static_assert(std::size(kShowFlagTexts) == kShowAxialLines + 1);

std::vector<ToolbarLayout> BuildToolbars() {
    std::vector<MenuEntry> toggles;
    for (int flag = 0; flag <= kShowAxialLines; ++flag) {
        toggles.push_back(
            Item(ShowFlagLabel(flag, ShowFlagText::ToolbarTip), CommandId::ShowToggle, flag));
    }
    return {
        {"File",
         {Item("New", CommandId::FileNew), Item("Open", CommandId::FileOpen),
          Item("Import DXF", CommandId::ImportDxf), Item("Save", CommandId::FileSave), SeparatorOf(),
          Item("About", CommandId::About)}},
        {"Show", toggles},
        {"Analysis",
         {Item("Point Isovist At", CommandId::PointIsovistAt),
          Item("Point Isovist Properties", CommandId::PointIsovistProperties), SeparatorOf(),
          Item("Grid Setup/Options", CommandId::GridOptions),
          Item("Initialize Grid", CommandId::InitializeGrid),
          Item("Create Grid Isovist", CommandId::CreateGridIsovist),
          Item("Grid CSV Export", CommandId::GridExportCsv), SeparatorOf(),
          Item("Path Options", CommandId::PathOptions),
          Item("Create Observation Points", CommandId::CreateObservationPoints),
          Item("Create Path Isovist", CommandId::CreatePathIsovist),
          Item("View Path Data", CommandId::ViewPathData),
          Item("Path CSV Export", CommandId::PathExportCsv), SeparatorOf(),
          Item("Run Analysis", CommandId::RunAxialAnalysis),
          Item("Axial CSV Export", CommandId::AxialExportCsv), SeparatorOf(),
          Item("General Options", CommandId::GeneralOptions)}},
        {"View", {Item("Pan", CommandId::Pan), Item("Zoom Extent", CommandId::ZoomExtent)}},
    };
}

// Depth-first search of the menus, then the toolbars, for the first entry of a command.
const MenuEntry* FindEntry(const std::vector<MenuEntry>& entries, const Command& command) {
    for (const MenuEntry& e : entries) {
        if (e.kind == Kind::Command && e.command == command) {
            return &e;
        }
        if (const MenuEntry* found = FindEntry(e.children, command)) {
            return found;
        }
    }
    return nullptr;
}

std::string PlainText(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\t') {
            break;
        }
        if (c != '&') {
            out += c;
        }
    }
    return out;
}

}  // namespace

const std::vector<MenuEntry>& MenuBarLayout() {
    static const std::vector<MenuEntry> layout = BuildMenuBar();
    return layout;
}

const std::vector<ToolbarLayout>& ToolbarLayouts() {
    static const std::vector<ToolbarLayout> layout = BuildToolbars();
    return layout;
}

bool IsCheckableCommand(const Command& command) {
    switch (command.id) {
        case CommandId::Pan:
        case CommandId::ShowToggle:
        case CommandId::ViewToolbar:
        case CommandId::ViewStatusBar:
        case CommandId::GridProperty:
        case CommandId::PathProperty:
        case CommandId::AxialProperty:
            return true;
        default:
            return false;
    }
}

std::string CommandLabel(const Command& command) {
    if (const MenuEntry* e = FindEntry(MenuBarLayout(), command)) {
        return PlainText(e->text);
    }
    for (const ToolbarLayout& bar : ToolbarLayouts()) {
        if (const MenuEntry* e = FindEntry(bar.buttons, command)) {
            return e->text;
        }
    }
    return {};
}

std::string GridPropertyName(int code) {
    const DisplayProperty* p = FindDisplayProperty(PropertyFamily::Grid, code);
    return p != nullptr ? p->name : std::string();
}

std::string CommandShortcut(const Command& command) {
    // The program has no printing, no clipboard or undo and a single pane, so the usual keys of
    // Print, Cut, Copy, Paste, Undo and Next Pane stay unbound. Page Up and Page Down zoom through
    // the view's own key handling, not through the menu items that show them.
    switch (command.id) {
        case CommandId::FileNew:
            return "Ctrl+N";
        case CommandId::FileOpen:
            return "Ctrl+O";
        case CommandId::FileSave:
            return "Ctrl+S";
        case CommandId::Exit:
            return "Ctrl+Q";
        default:
            return {};
    }
}

std::string ShowFlagLabel(int flag, ShowFlagText which) {
    if (flag < 0 || flag > kShowAxialLines) {
        return {};
    }
    const ShowFlagTexts& texts = kShowFlagTexts[flag];
    return which == ShowFlagText::ToolbarTip ? texts.toolbarTip : texts.dialogLabel;
}
