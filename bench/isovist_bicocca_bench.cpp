// Isovists on the large Bicocca floor (8,600 wall polygons): one isovist by each method, fast
// against the plain full scan, and the grid isovists at span 0.5 (no graph) on one thread and
// on two. The reference grid is timed on a sample of cells (every 97th effective cell, or every
// 4th of those: the argument); its counter `extrapolated_s` is the thread's CPU time for every
// effective cell. The plan folder comes from ORVELLE_PLANS_DIR.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <variant>

#include <tbb/global_control.h>

#include "grid/GridIsovists.h"
#include "grid/GridLayout.h"
#include "isovist/IsovistMeasures.h"
#include "testing/IsovistPlans.h"

#include "BenchPlans.h"

namespace {

constexpr int32_t kExactMethod = 0;
constexpr int32_t kRadialMethod = 1;
constexpr double kSpan = 0.5;
// Every this many effective cells one is timed by the sampled benchmarks.
constexpr size_t kSampleStride = 97;

struct Bicocca {
    std::optional<IsovistTestPlan> plan;
    CAnalysisGrid grid;  // effective cells marked, no isovists
    std::vector<PlanPoint> sample;
    int32_t effective = 0;
    std::string error;
};

std::optional<IsovistTestPlan> LoadBicocca(std::string& error) {
    return LoadSharedPlan("rawseeds_bicocca_floor.dxf", "valid_area", "M", error);
}

const Bicocca& Plan() {
    static const Bicocca bicocca = [] {
        Bicocca b;
        b.plan = LoadBicocca(b.error);
        if (!b.plan) {
            return b;
        }
        const PlanExtent extent = BoundaryExtent(*b.plan);
        b.grid = std::move(*LayOutGrid(extent, {kSpan}).grid);
        MarkEffectiveCells(b.grid, b.plan->polygons);
        size_t seen = 0;
        for (const CGridCell& cell : b.grid.cells) {
            if (cell.effective) {
                ++b.effective;
                if (seen++ % kSampleStride == 0) {
                    b.sample.push_back(CellCentre(cell));
                }
            }
        }
        return b;
    }();
    return bicocca;
}

bool Ready(benchmark::State& state) {
    if (!Plan().plan) {
        state.SkipWithError(Plan().error.c_str());
        return false;
    }
    return true;
}

// One isovist per iteration, cycling through the sampled cell centres.
void OneIsovist(benchmark::State& state, int32_t method, CandidateSearch search) {
    if (!Ready(state)) {
        return;
    }
    const PlanTables tables = Plan().plan->tables();
    IsovistScratch scratch;
    IsovistResult result;
    size_t next = 0;
    for (auto _ : state) {
        ComputeIsovistAt(tables, Plan().sample[next], method, scratch, result, search);
        next = (next + 1) % Plan().sample.size();
        benchmark::DoNotOptimize(result.area);
    }
    state.counters["segments"] = static_cast<double>(tables.wallSegments.size());
}

double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// The occlusivity of one cell's isovist (the first sampled cell), by the wall grid and by the
// plain scan of every wall.
void Occlusivity(benchmark::State& state, WallSearch search) {
    if (!Ready(state)) {
        return;
    }
    const PlanTables tables = Plan().plan->tables();
    IsovistScratch scratch;
    IsovistResult result;
    ComputeIsovistAt(tables, Plan().sample[1], kExactMethod, scratch, result);
    IsovistRecord record;
    record.polygon.resize(static_cast<int32_t>(result.radialLines.size()));
    for (size_t i = 0; i < result.radialLines.size(); ++i) {
        record.polygon[static_cast<int32_t>(i)] = result.radialLines[i].end;
    }
    record.origin = result.origin;
    ComputeIsovistMeasures(record);
    for (auto _ : state) {
        ComputeOcclusivity(record, tables.wallSegments, search);
        benchmark::DoNotOptimize(record.occlusivity);
    }
    state.counters["edges"] = record.polygon.count();
}

// One isovist with a fresh scratch each time: the plan index is built first (a point isovist
// after the plan changed).
void FirstIsovist(benchmark::State& state, int32_t method) {
    if (!Ready(state)) {
        return;
    }
    const PlanTables tables = Plan().plan->tables();
    IsovistResult result;
    for (auto _ : state) {
        IsovistScratch scratch;
        ComputeIsovistAt(tables, Plan().sample[0], method, scratch, result);
        benchmark::DoNotOptimize(result.area);
    }
}

// Every `stride`-th sampled cell once per iteration, timed by the thread's CPU clock (the
// machine is shared); `extrapolated_s` scales to all effective cells.
void SampledGrid(benchmark::State& state, int32_t method, CandidateSearch search) {
    if (!Ready(state)) {
        return;
    }
    const auto stride = static_cast<size_t>(state.range(0));
    const PlanTables tables = Plan().plan->tables();
    IsovistScratch scratch;
    IsovistResult result;
    double seconds = 0.0;
    size_t cells = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        for (size_t i = 0; i < Plan().sample.size(); i += stride) {
            ComputeIsovistAt(tables, Plan().sample[i], method, scratch, result, search);
            benchmark::DoNotOptimize(result.area);
            ++cells;
        }
        seconds += ThreadSeconds() - start;
    }
    const double perCell = seconds / static_cast<double>(cells);
    state.counters["sampled_cells"] = static_cast<double>(cells / state.iterations());
    state.counters["extrapolated_s"] = perCell * Plan().effective;
    state.counters["cells_per_s"] = 1.0 / perCell;
}

// The whole grid pass (isovists and shape measures) on `threads` worker threads.
void WholeGrid(benchmark::State& state, int32_t method) {
    if (!Ready(state)) {
        return;
    }
    const auto threads = static_cast<size_t>(state.range(0));
    tbb::global_control limit(tbb::global_control::max_allowed_parallelism, threads);
    NullProgress progress;
    std::vector<RadialStats> stats;
    for (auto _ : state) {
        CAnalysisGrid grid = Plan().grid;
        ComputeGridIsovists(grid, Plan().plan->tables(), method, stats, progress,
                            threads == 1 ? GridRunMode::Serial : GridRunMode::Parallel);
        benchmark::DoNotOptimize(grid.cells.data());
    }
    state.counters["cells"] = Plan().effective;
    state.counters["cells_per_s"] = benchmark::Counter(
        static_cast<double>(Plan().effective), benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK_CAPTURE(OneIsovist, exactFast, kExactMethod, CandidateSearch::Indexed)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OneIsovist, exactReference, kExactMethod, CandidateSearch::FullScan)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OneIsovist, radialFast, kRadialMethod, CandidateSearch::Indexed)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OneIsovist, radialReference, kRadialMethod, CandidateSearch::FullScan)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Occlusivity, indexed, WallSearch::Indexed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Occlusivity, reference, WallSearch::FullScan)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstIsovist, exact, kExactMethod)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstIsovist, radial, kRadialMethod)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SampledGrid, exactFast, kExactMethod, CandidateSearch::Indexed)
    ->Arg(1)
    ->Arg(4)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(SampledGrid, exactReference, kExactMethod, CandidateSearch::FullScan)
    ->Arg(4)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(SampledGrid, radialFast, kRadialMethod, CandidateSearch::Indexed)
    ->Arg(4)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(SampledGrid, radialReference, kRadialMethod, CandidateSearch::FullScan)
    ->Arg(4)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(WholeGrid, exact, kExactMethod)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

BENCHMARK_MAIN();
