// The commands that act on the document, in one table: the desktop program binds its menu and
// toolbar actions to it, the command line and the tests run the same operations. Window and
// view commands (zoom, pan, toolbars, dialogs of the window itself) are not in it.
#pragma once

#include "document/CommandAvailability.h"
#include "document/DisplayProperties.h"

class CORVDoc;

// True when the command is one of the document's own.
bool IsDocumentCommand(const Command& command);

// Runs a document command; false (nothing done) when it is not one or not available in the
// document's present state.
bool RunDocumentCommand(CORVDoc& doc, const Command& command);

// Display choices shared by the menus and the toolbar.
void SetDisplayProperty(CORVDoc& doc, PropertyFamily family, int32_t code);
void ToggleShowFlag(CORVDoc& doc, int flag);
