// The grid isovists: the isovist at the centre of every effective cell, with its shape
// measures and (radial method) its ray statistics.
//
// Pure functions over plain data; the caller owns the grid and starts the progress pass.
#pragma once

#include <cstdint>
#include <vector>

#include "document/AnalysisGrid.h"
#include "document/IsovistRecord.h"
#include "document/LongTask.h"
#include "isovist/IsovistEngine.h"

// Serial is the plain reference; Parallel spreads the cells over the TBB worker threads and
// gives identical results.
enum class GridRunMode { Serial, Parallel };

// Fills the isovist record of every cell of `grid`:
// - a cell that is not effective gets area 0, nothing else changes;
// - an effective cell whose isovist has at least one vertex gets the polygon of the line ends,
//   the origin at the cell centre, and every shape measure and occlusivity recomputed from the
//   polygon (`plan.wallSegments` are the walls); with method 1 (radial) its ray statistics are
//   appended to `radialStats` and their position stored in `radialStatsIndex`;
// - an effective cell whose isovist is empty (or not computed) keeps its record.
// `radialStats` is emptied first and then filled in the visiting order: column by column, each
// column row by row. Progress positions are the number of columns finished (0 .. nx); they
// may be reported from worker threads.
void ComputeGridIsovists(CAnalysisGrid& grid, const PlanTables& plan, int32_t method,
                         std::vector<RadialStats>& radialStats, ProgressSink& progress,
                         GridRunMode mode = GridRunMode::Parallel);
