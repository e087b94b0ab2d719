#include "shell/MenuLayout.h"

#include "document/DisplayProperties.h"

#include <array>
#include <iterator>

namespace {

using Kind = MenuEntry::Kind;

MenuEntry item(std::string text, CommandId id, int32_t code = 0) {
    return MenuEntry{Kind::Command, std::move(text), Command{id, code}, {}, true};
}
MenuEntry separator() {
    return MenuEntry{Kind::Separator, {}, {}, {}, true};
}
MenuEntry submenu(std::string text, std::vector<MenuEntry> children, bool enabled = true) {
    return MenuEntry{Kind::Submenu, std::move(text), {}, std::move(children), enabled};
}

// The entries of a Show ... Properties menu, in the table's order, for the properties that have
// one; `command` is the family's property command.
std::vector<MenuEntry> propertyEntries(PropertyFamily family, CommandId command) {
    std::vector<MenuEntry> entries;
    for (const DisplayProperty& p : displayProperties(family)) {
        if (p.menuLabel != nullptr) {
            entries.push_back(item(p.menuLabel, command, p.code));
        }
    }
    return entries;
}

std::vector<MenuEntry> gridPropertyEntries() {
    std::vector<MenuEntry> entries = propertyEntries(PropertyFamily::Grid, CommandId::GridProperty);
    entries.push_back(item("User defined...", CommandId::GridUserDefined));
    return entries;
}

std::vector<MenuEntry> pathPropertyEntries() {
    std::vector<MenuEntry> entries = propertyEntries(PropertyFamily::Path, CommandId::PathProperty);
    entries.push_back(item("User Defined...", CommandId::PathUserDefined));
    return entries;
}

std::vector<MenuEntry> axialPropertyEntries() {
    return propertyEntries(PropertyFamily::Axial, CommandId::AxialProperty);
}

std::vector<MenuEntry> buildMenuBar() {
    return {
        submenu("&File", {item("&New\tCtrl+N", CommandId::FileNew),
                          item("&Open...\tCtrl+O", CommandId::FileOpen),
                          submenu("Import...", {item("DXF...", CommandId::ImportDxf)}),
                          item("&Save\tCtrl+S", CommandId::FileSave),
                          item("Save &As...", CommandId::FileSaveAs),
                          item("Export Image...", CommandId::ExportImage), separator(),
                          MenuEntry{Kind::RecentFiles, "Recent File", {}, {}, true}, separator(),
                          item("E&xit", CommandId::Exit)}),
        submenu("&View", {item("&Toolbar", CommandId::ViewToolbar),
                          item("&Status Bar", CommandId::ViewStatusBar), separator(),
                          item("Show/Hide...", CommandId::ShowHide), separator(),
                          item("Zoom Extent", CommandId::ZoomExtent),
                          item("Zoom In\tPgUp", CommandId::ZoomIn),
                          item("Zoom Out\tPgDn", CommandId::ZoomOut)}),
        submenu("&Isovist",
                {item("Point Isovist At...", CommandId::PointIsovistAt),
                 item("Point Isovist Properties...", CommandId::PointIsovistProperties),
                 item("Point Isovist Subdivision...", CommandId::PointIsovistSubdivision)}),
        submenu("&Grid", {item("Grid Setup/Options...", CommandId::GridOptions),
                          item("Initialize Grid", CommandId::InitializeGrid),
                          item("Create Grid Isovist", CommandId::CreateGridIsovist), separator(),
                          submenu("Show Grid Properties...", gridPropertyEntries()),
                          item("Isovist Properties...", CommandId::GridCellProperties), separator(),
                          submenu("Export...",
                                  {item("Comma Separated Values...", CommandId::GridExportCsv)}),
                          item("View Report...", CommandId::GridReport), separator(),
                          item("Import Custom Points...", CommandId::ImportCustomPoints)}),
        submenu("&Path",
                {item("Path Options...", CommandId::PathOptions),
                 item("Create Observation Points...", CommandId::CreateObservationPoints),
                 item("Create Path Isovist", CommandId::CreatePathIsovist),
                 item("Apply View Angle", CommandId::ApplyViewAngle), separator(),
                 submenu("Show Point Properties...", pathPropertyEntries()),
                 item("View Path Data", CommandId::ViewPathData), separator(),
                 submenu("Export...", {item("Comma Separated Values...", CommandId::PathExportCsv),
                                       item("Comma Separated Values (All Paths)...",
                                            CommandId::PathExportAllCsv)}),
                 item("View Report...", CommandId::PathReport), separator(),
                 item("Import Path...", CommandId::ImportPath)}),
        submenu(
            "A&xial",
            {item("Import Axial Lines...", CommandId::ImportAxialLines),
             item("Run Analysis", CommandId::RunAxialAnalysis),
             submenu("Show Axial Line Properties...", axialPropertyEntries()),
             submenu("Export...", {item("Comma Separated Values...", CommandId::AxialExportCsv)}),
             separator(), item("Generate All Line Axial Map", CommandId::GenerateAllLineAxialMap),
             item("Generate Reduced Axial Map", CommandId::GenerateReducedAxialMap)}),
        submenu("&Options", {item("General Options...", CommandId::GeneralOptions),
                             item("Grid Setup/Options...", CommandId::GridOptions),
                             item("Path Options...", CommandId::PathOptions)}),
        submenu("&Help", {item("&About ORV...", CommandId::About)}),
        submenu("&Subdivision", {item("Space subdivisions", CommandId::SpaceSubdivisions)}, false),
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

std::vector<ToolbarLayout> buildToolbars() {
    std::vector<MenuEntry> toggles;
    for (int flag = 0; flag <= kShowAxialLines; ++flag) {
        toggles.push_back(
            item(showFlagText(flag, ShowFlagText::ToolbarTip), CommandId::ShowToggle, flag));
    }
    return {
        {"File",
         {item("New", CommandId::FileNew), item("Open", CommandId::FileOpen),
          item("Import DXF", CommandId::ImportDxf), item("Save", CommandId::FileSave), separator(),
          item("About", CommandId::About)}},
        {"Show", toggles},
        {"Analysis",
         {item("Point Isovist At", CommandId::PointIsovistAt),
          item("Point Isovist Properties", CommandId::PointIsovistProperties), separator(),
          item("Grid Setup/Options", CommandId::GridOptions),
          item("Initialize Grid", CommandId::InitializeGrid),
          item("Create Grid Isovist", CommandId::CreateGridIsovist),
          item("Grid CSV Export", CommandId::GridExportCsv), separator(),
          item("Path Options", CommandId::PathOptions),
          item("Create Observation Points", CommandId::CreateObservationPoints),
          item("Create Path Isovist", CommandId::CreatePathIsovist),
          item("View Path Data", CommandId::ViewPathData),
          item("Path CSV Export", CommandId::PathExportCsv), separator(),
          item("Run Analysis", CommandId::RunAxialAnalysis),
          item("Axial CSV Export", CommandId::AxialExportCsv), separator(),
          item("General Options", CommandId::GeneralOptions)}},
        {"View", {item("Pan", CommandId::Pan), item("Zoom Extent", CommandId::ZoomExtent)}},
    };
}

// Depth-first search of the menus, then the toolbars, for the first entry of a command.
const MenuEntry* findEntry(const std::vector<MenuEntry>& entries, const Command& command) {
    for (const MenuEntry& e : entries) {
        if (e.kind == Kind::Command && e.command == command) {
            return &e;
        }
        if (const MenuEntry* found = findEntry(e.children, command)) {
            return found;
        }
    }
    return nullptr;
}

std::string plainText(const std::string& text) {
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

const std::vector<MenuEntry>& menuBarLayout() {
    static const std::vector<MenuEntry> layout = buildMenuBar();
    return layout;
}

const std::vector<ToolbarLayout>& toolbarLayouts() {
    static const std::vector<ToolbarLayout> layout = buildToolbars();
    return layout;
}

bool isCheckableCommand(const Command& command) {
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

std::string commandLabel(const Command& command) {
    if (const MenuEntry* e = findEntry(menuBarLayout(), command)) {
        return plainText(e->text);
    }
    for (const ToolbarLayout& bar : toolbarLayouts()) {
        if (const MenuEntry* e = findEntry(bar.buttons, command)) {
            return e->text;
        }
    }
    return {};
}

std::string gridPropertyName(int code) {
    const DisplayProperty* p = findDisplayProperty(PropertyFamily::Grid, code);
    return p != nullptr ? p->name : std::string();
}

std::string commandShortcut(const Command& command) {
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

std::string showFlagText(int flag, ShowFlagText which) {
    if (flag < 0 || flag > kShowAxialLines) {
        return {};
    }
    const ShowFlagTexts& texts = kShowFlagTexts[flag];
    return which == ShowFlagText::ToolbarTip ? texts.toolbarTip : texts.dialogLabel;
}
