#include "path/PathIsovists.h"

#include <mutex>

#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_for.h>

#include "isovist/IsovistMeasures.h"
#include "isovist/RadialStatistics.h"

namespace {

constexpr int32_t kRadialMethod = 1;

struct Worker {
    IsovistScratch scratch;
    IsovistResult result;
};

// The record of the point and, with the radial method, its statistics (left as they are when
// the point has no rays).
void ComputePointRecord(const PlanTables& plan, PlanPoint point, int32_t method, Worker& worker,
                        IsovistRecord& record, RadialStats* stats) {
    record = IsovistRecord{};
    record.origin = point;
    IsovistResult& result = worker.result;
    ComputeIsovistAt(plan, point, method, worker.scratch, result);
    if (result.outcome == IsovistResult::Outcome::Computed) {
        const int32_t count = static_cast<int32_t>(result.radialLines.size());
        record.polygon.resize(count);
        for (int32_t i = 0; i < count; ++i) {
            record.polygon[i] = result.radialLines[static_cast<size_t>(i)].end;
        }
        if (stats != nullptr) {
            ComputeRadialStats(result.unreducedRadialLines, *stats);
        }
    }
    ComputeIsovistMeasures(record);
    ComputeOcclusivity(record, plan.wallSegments, WallSearch::Indexed, plan.fingerprint);
}

// Counts finished points and reports them in order, one call at a time.
class FinishedPoints {
  public:
    explicit FinishedPoints(ProgressSink& progress) : progress_(progress) {}
    void finishOne() {
        std::lock_guard lock(mutex_);
        progress_.setPosition(++done_);
    }

  private:
    ProgressSink& progress_;
    std::mutex mutex_;
    int done_ = 0;
};

}  // namespace

void ComputePathIsovists(const PlanTables& plan, std::span<const PlanPoint> points,
                         int32_t method, PathIsovistRun& run, ProgressSink& progress,
                         PathRunMode mode) {
    const size_t n = points.size();
    run.records.assign(n, IsovistRecord{});
    run.radialStats.assign(method == kRadialMethod ? n : 0, RadialStats{});
    RadialStats* stats = run.radialStats.empty() ? nullptr : run.radialStats.data();
    FinishedPoints finished(progress);
    auto computeOne = [&](size_t i, Worker& worker) {
        if (progress.stopRequested()) {
            return;  // the run is dropped: the remaining points are skipped
        }
        ComputePointRecord(plan, points[i], method, worker, run.records[i],
                           stats != nullptr ? stats + i : nullptr);
        finished.finishOne();
    };
    if (mode == PathRunMode::Serial) {
        Worker worker;
        for (size_t i = 0; i < n; ++i) {
            computeOne(i, worker);
        }
        return;
    }
    tbb::enumerable_thread_specific<Worker> workers;
    tbb::parallel_for(size_t{0}, n, [&](size_t i) { computeOne(i, workers.local()); });
}

std::string PathProgressText(int done, int total) {
    return std::to_string(done) + "/" + std::to_string(total);
}
