#include "grid/GridIsovists.h"

#include <atomic>
#include <optional>

#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_for.h>

#include "grid/GridLayout.h"
#include "isovist/IsovistMeasures.h"
#include "isovist/RadialStatistics.h"

namespace {

constexpr int32_t kRadialMethod = 1;

struct Worker {
    IsovistScratch scratch;
    IsovistResult result;
};

// The cell's isovist record; returns the ray statistics to keep for it, if any.
std::optional<RadialStats> ComputeCellIsovist(CGridCell& cell, const PlanTables& plan,
                                              int32_t method, Worker& worker) {
    IsovistRecord& record = cell.isovist;
    if (cell.effective == 0) {
        record.area = 0.0;
        return std::nullopt;
    }
    const PlanPoint centre = CellCentre(cell);
    IsovistResult& result = worker.result;
    ComputeIsovistAt(plan, centre, method, worker.scratch, result);
    if (result.outcome != IsovistResult::Outcome::Computed || result.radialLines.empty()) {
        return std::nullopt;
    }
    const int32_t count = static_cast<int32_t>(result.radialLines.size());
    record.polygon.resize(count);
    for (int32_t i = 0; i < count; ++i) {
        record.polygon[i] = result.radialLines[static_cast<size_t>(i)].end;
    }
    record.area = result.area;
    record.origin = centre;
    // Both are recomputed from the polygon by the measures below.
    record.centroid = result.centroid.value_or(centre);
    ComputeIsovistMeasures(record);
    ComputeOcclusivity(record, plan.wallSegments, WallSearch::Indexed, plan.fingerprint);
    if (method != kRadialMethod) {
        return std::nullopt;
    }
    RadialStats stats;
    // At least one reduced line means at least one unreduced line, so the statistics exist.
    ComputeRadialStats(result.unreducedRadialLines, stats);
    return stats;
}

size_t CellIndex(const CAnalysisGrid& grid, int32_t col, int32_t row) {
    return static_cast<size_t>(row) * static_cast<size_t>(grid.nx) + static_cast<size_t>(col);
}

void RunSerial(CAnalysisGrid& grid, const PlanTables& plan, int32_t method,
               std::vector<RadialStats>& radialStats, ProgressSink& progress) {
    Worker worker;
    for (int32_t col = 0; col < grid.nx && !progress.stopRequested(); ++col) {
        progress.setPosition(col);
        for (int32_t row = 0; row < grid.ny; ++row) {
            CGridCell& cell = grid.cells[CellIndex(grid, col, row)];
            if (auto stats = ComputeCellIsovist(cell, plan, method, worker)) {
                cell.isovist.radialStatsIndex = static_cast<int32_t>(radialStats.size());
                radialStats.push_back(*stats);
            }
        }
    }
}

void RunParallel(CAnalysisGrid& grid, const PlanTables& plan, int32_t method,
                 std::vector<RadialStats>& radialStats, ProgressSink& progress) {
    std::vector<std::optional<RadialStats>> slots(grid.cells.size());
    tbb::enumerable_thread_specific<Worker> workers;
    std::atomic<int32_t> columnsDone{0};
    tbb::parallel_for(int32_t{0}, grid.nx, [&](int32_t col) {
        if (progress.stopRequested()) {
            return;  // the run is dropped: the remaining columns are skipped
        }
        Worker& worker = workers.local();
        for (int32_t row = 0; row < grid.ny; ++row) {
            const size_t index = CellIndex(grid, col, row);
            slots[index] = ComputeCellIsovist(grid.cells[index], plan, method, worker);
        }
        progress.setPosition(columnsDone.fetch_add(1, std::memory_order_relaxed) + 1);
    });
    for (int32_t col = 0; col < grid.nx; ++col) {
        for (int32_t row = 0; row < grid.ny; ++row) {
            const size_t index = CellIndex(grid, col, row);
            if (slots[index]) {
                grid.cells[index].isovist.radialStatsIndex =
                    static_cast<int32_t>(radialStats.size());
                radialStats.push_back(*slots[index]);
            }
        }
    }
}

}  // namespace

void ComputeGridIsovists(CAnalysisGrid& grid, const PlanTables& plan, int32_t method,
                         std::vector<RadialStats>& radialStats, ProgressSink& progress,
                         GridRunMode mode) {
    radialStats.clear();
    if (grid.nx < 1 || grid.ny < 1 ||
        grid.cells.size() != static_cast<size_t>(grid.nx) * static_cast<size_t>(grid.ny)) {
        return;
    }
    if (mode == GridRunMode::Serial) {
        RunSerial(grid, plan, method, radialStats, progress);
    } else {
        RunParallel(grid, plan, method, radialStats, progress);
    }
    progress.setPosition(grid.nx);
}
