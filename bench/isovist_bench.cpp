// One isovist by each method on rooms with many pillars, with the indexed candidate search and
// with the plain full scan of every wall segment per sight line.
#include <benchmark/benchmark.h>

#include "isovist/IsovistEngine.h"
#include "testing/IsovistPlans.h"

namespace {

void isovist(benchmark::State& state, int32_t method, CandidateSearch search) {
    const auto segments = static_cast<int>(state.range(0));
    const IsovistTestPlan plan = roomWithPillars(segments, 7);
    const PlanPoint point = pillarRoomGap(2, 3);
    IsovistScratch scratch;
    IsovistResult result;
    for (auto _ : state) {
        computeIsovist(plan.tables(), point, method, scratch, result, search);
        benchmark::DoNotOptimize(result.area);
    }
    state.counters["segments"] = static_cast<double>(plan.segments.size());
    state.counters["lines"] = static_cast<double>(result.radialLines.size());
}

void exactIndexed(benchmark::State& state) {
    isovist(state, 0, CandidateSearch::Indexed);
}
void exactFullScan(benchmark::State& state) {
    isovist(state, 0, CandidateSearch::FullScan);
}
void radialIndexed(benchmark::State& state) {
    isovist(state, 1, CandidateSearch::Indexed);
}
void radialFullScan(benchmark::State& state) {
    isovist(state, 1, CandidateSearch::FullScan);
}

}  // namespace

BENCHMARK(exactIndexed)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(exactFullScan)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(radialIndexed)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(radialFullScan)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
