// Writes what the plan view shows, with its legend, as a PNG or an SVG file, through the same
// painter as the window. The file is replaced in one step: the old one or the whole new one.
#pragma once

#include <QString>
#include <optional>
#include <string>

class CORVView;

// The filter of the "Export Image..." save dialog.
extern const char* const kImageExportFilter;

// Empty on success, else the message to show.
std::optional<std::string> ExportViewImage(CORVView& view, const QString& path);
