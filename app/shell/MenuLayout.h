// The main window's menus and toolbars as plain data: which command sits where, under which text.
#pragma once

#include <string>
#include <vector>

#include "document/CommandAvailability.h"

struct MenuEntry {
    enum class Kind { Command, Separator, Submenu, RecentFiles };
    Kind kind = Kind::Command;
    std::string text;  // as shown, '&' marking the mnemonic, '\t' the shortcut hint
    Command command;
    std::vector<MenuEntry> children;
    bool enabled = true;  // a submenu that is never available
};

struct ToolbarLayout {
    std::string title;
    std::vector<MenuEntry> buttons;  // commands and separators
};

// The menu bar, top-level menus in order.
const std::vector<MenuEntry>& MenuBarLayout();
// The four toolbars, in the order they are docked.
const std::vector<ToolbarLayout>& ToolbarLayouts();

// Commands that are toggles and show a check mark.
bool IsCheckableCommand(const Command& command);

// The text of a command where it has no menu item of its own (toolbar-only commands), else its
// menu text without mnemonic and shortcut hint.
std::string CommandLabel(const Command& command);

// The keyboard shortcut of a command in portable text ("Ctrl+N"), empty for none.
std::string CommandShortcut(const Command& command);

// The name of a show flag (0..kShowAxialLines) on its toolbar button or in the Show/Hide dialog;
// empty outside.
enum class ShowFlagText { ToolbarTip, DialogLabel };
std::string ShowFlagLabel(int flag, ShowFlagText which);

// Grid display property names by code 1..31; empty outside.
std::string GridPropertyName(int code);
