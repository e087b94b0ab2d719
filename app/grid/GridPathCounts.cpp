#include "grid/GridPathCounts.h"

#include <array>
#include <atomic>

#include <gonion/gonion.h>
#include <tbb/parallel_for.h>

namespace {

bool SegmentCrossesOutline(const std::array<PlanPoint, 4>& outline, PlanPoint a, PlanPoint b) {
    std::array<double, 4> xs{};
    std::array<double, 4> ys{};
    int32_t count = 0;
    const int32_t ok = zoGetCrossPointPS(4, sizeof(PlanPoint), &outline[0].x, &outline[0].y, a.x,
                                         a.y, b.x, b.y, &count, xs.data(), ys.data());
    return ok == 1 && count >= 1;
}

int32_t PathsThrough(const CGridCell& cell, std::span<const PlanPolygon> paths) {
    const std::array<PlanPoint, 4> outline = {
        PlanPoint{cell.xMin, cell.yMin}, PlanPoint{cell.xMin, cell.yMax},
        PlanPoint{cell.xMax, cell.yMax}, PlanPoint{cell.xMax, cell.yMin}};
    int32_t count = 0;
    for (const PlanPolygon& path : paths) {
        for (int32_t j = 0; j + 1 < path.count(); ++j) {
            if (SegmentCrossesOutline(outline, path[j], path[j + 1])) {
                ++count;
                break;
            }
        }
    }
    return count;
}

void CountCell(CGridCell& cell, std::span<const PlanPolygon> paths) {
    cell.isovist.pathCount = cell.effective != 0 ? PathsThrough(cell, paths) : 0;
}

}  // namespace

void CountPathsThroughCells(CAnalysisGrid& grid, std::span<const PlanPolygon> paths,
                            ProgressSink& progress, GridRunMode mode) {
    if (paths.empty()) {
        return;
    }
    const auto count = static_cast<int32_t>(grid.cells.size());
    if (mode == GridRunMode::Serial) {
        for (int32_t i = 0; i < count && !progress.stopRequested(); ++i) {
            progress.setPosition(i);
            CountCell(grid.cells[static_cast<size_t>(i)], paths);
        }
    } else {
        std::atomic<int32_t> done{0};
        tbb::parallel_for(int32_t{0}, count, [&](int32_t i) {
            if (progress.stopRequested()) {
                return;  // the run is dropped
            }
            CountCell(grid.cells[static_cast<size_t>(i)], paths);
            progress.setPosition(done.fetch_add(1, std::memory_order_relaxed) + 1);
        });
    }
    progress.setPosition(count);
}
