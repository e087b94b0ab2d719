// The axial export: one line per axial line with its end points and length and, once the
// lines have records, the graph measures of each.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "document/IsovistRecord.h"
#include "document/PlanTypes.h"

// The whole file. Without records: the fixed header (it names no unit) and index, end points
// and length of each line. With one record per line: the header for `unit` (left out for a
// unit outside 0..4) and each line's values and measures. Empty (nullopt) when there are
// records but not one per line.
std::optional<std::string> AxialCsvText(std::span<const PlanSegment> lines,
                                        std::span<const IsovistRecord> records, int32_t unit);
