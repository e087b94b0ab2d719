// The path exports: the isovists of the current path, and the isovists of every path one after
// the other, each under its name.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "document/IsovistRecord.h"

// The path header for `unit` (left out for a unit outside 0..4), then one line per record in
// order: its index, its isovist values and, in the radial form, the radial values of
// radialStats[i] (−1 in each radial column where that entry is missing). The isovist method
// chooses the form (see CsvFormOfMethod); with any other value the text is empty.
std::string PathCsvText(std::span<const IsovistRecord> records,
                        std::span<const RadialStats> radialStats, int32_t isovistMethod,
                        int32_t unit);

// One path of the all-paths file: "Path-%d" (pathNumber, from 1), the path's lines as
// PathCsvText writes them, then two line ends; every line ends in CR LF.
std::string AllPathsCsvSection(int32_t pathNumber, std::span<const IsovistRecord> records,
                               std::span<const RadialStats> radialStats, int32_t isovistMethod,
                               int32_t unit);
