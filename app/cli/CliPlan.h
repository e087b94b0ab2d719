// Bringing a plan into a document for a command: a drawing through the import, with the
// command line's role choices and answers, or a document file.
#pragma once

#include <string>

#include "cli/CliCommands.h"
#include "cli/CliUi.h"
#include "document/CORVDoc.h"

// Sets up the UI's answers and role overrides from the options; false (after a message) when
// a role is malformed.
bool ApplyImportOptions(const ImportOptions& options, CliUi& ui);

// Imports a .dxf drawing or opens any other file as a document; false after a message.
bool LoadPlan(const std::string& path, CORVDoc& doc);

// A command's plan: the import options applied to `ui` (the port of `doc`), then the plan
// loaded; false after a message.
bool LoadPlanWith(const std::string& path, const ImportOptions& options, CliUi& ui, CORVDoc& doc);

// Saves the document to `path`; false after the save's message.
bool SaveDocumentOrSay(const CORVDoc& doc, const std::string& path);

bool HasDxfExtension(const std::string& path);

// True (after a message) when `output` names the same file as `input` (same device and
// inode), so that writing it would destroy the input.
bool OutputIsInput(const std::string& input, const std::string& output);

// True (after a message) when the two outputs name one file: the second would overwrite the
// first.
bool OutputsCollide(const std::string& first, const std::string& second);
