// The isovists of the observation points of one path: one record per point, in walking order,
// with its shape measures and (radial method) its ray statistics.
//
// A pure function over plain data; the caller owns the points and starts the progress pass.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/IsovistRecord.h"
#include "document/LongTask.h"
#include "isovist/IsovistEngine.h"

// Serial is the plain reference; Parallel spreads the points over the TBB worker threads (one
// isovist scratch per thread, one result slot per point) and gives identical results.
enum class PathRunMode { Serial, Parallel };

struct PathIsovistRun {
    std::vector<IsovistRecord> records;  // one per observation point
    // One per observation point with the radial method (zero where a point has no rays),
    // empty with any other method.
    std::vector<RadialStats> radialStats;
};

// Fills `run` for `points`. Every record starts new: origin = the point, polygon = the ends of
// its isovist's radial lines (none for a point outside the plan, for a plan without walls or an
// unknown method), then every shape measure and occlusivity against `plan.wallSegments`.
// Progress positions count the points finished (1 .. n, increasing; calls never overlap, though
// they may come from worker threads).
void ComputePathIsovists(const PlanTables& plan, std::span<const PlanPoint> points,
                         int32_t method, PathIsovistRun& run, ProgressSink& progress,
                         PathRunMode mode = PathRunMode::Parallel);

// The progress text of a path run, "%d/%d".
std::string PathProgressText(int done, int total);
