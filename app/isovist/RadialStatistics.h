// Statistics of the ray lengths that the radial isovist method leaves behind.
#pragma once

#include <span>

#include "document/PlanTypes.h"
#include "document/IsovistRecord.h"

// Shown when there are no radial lines to take statistics from.
inline constexpr const char* kEmptyRadialLineSetMessage = "Invalid radial line set (empty set)";

// The number of distinct rays of the radial method; its last line repeats the first direction.
inline constexpr int kStatisticsRayCount = 1440;

// Fills stats from the radial lines of one radial isovist, before reduction: ray k is line k,
// the last line is left out. Returns false, leaving stats unchanged, when there are no lines.
// Rays without a line (fewer than 1441 lines) count with length 0, so every statistic still
// works on 1440 defined lengths.
bool ComputeRadialStats(std::span<const PlanSegment> radialLines, RadialStats& stats);
