// The grid export: one line per effective cell with its isovist, graph and (radial method)
// radial measures.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "document/AnalysisGrid.h"
#include "document/IsovistRecord.h"

// The whole file: the header for `unit` (left out for a unit outside 0..4), then, for every
// effective cell in index order, its index among all cells and its values. The isovist method
// chooses the form (see CsvFormOfMethod); with any other value the text is empty. In the radial
// form a cell's radial columns come from `radialStats[cell.radialStatsIndex]`; a cell whose
// index names no entry (a damaged document, or a run made with the exact method) gets −1 in
// each radial column.
std::string GridCsvText(const CAnalysisGrid& grid, std::span<const RadialStats> radialStats,
                        int32_t isovistMethod, int32_t unit);
