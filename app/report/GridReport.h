// The grid report of the Analysis Summary dialog: the grid's dimensions and the statistics of
// the isovist areas of its effective cells.
#pragma once

#include <cstdint>
#include <string>

#include "document/AnalysisGrid.h"

// The report text, lines ended by "\r\n"; the unit line is left out for a unit outside 0..4.
std::string GridReportText(const CAnalysisGrid& grid, int32_t unit);
