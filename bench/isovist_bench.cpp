// One isovist by each method on rooms with many pillars, with the indexed candidate search and
// with the plain full scan of every wall segment per sight line.
#include <benchmark/benchmark.h>

#include "isovist/IsovistEngine.h"
#include "testing/IsovistPlans.h"

namespace {

void Isovist(benchmark::State& state, int32_t method, CandidateSearch search) {
    const auto segments = static_cast<int>(state.range(0));
    const IsovistTestPlan plan = RoomWithPillars(segments, 7);
    const PlanPoint point = PillarRoomGap(2, 3);
    IsovistScratch scratch;
    IsovistResult result;
    for (auto _ : state) {
        ComputeIsovistAt(plan.tables(), point, method, scratch, result, search);
        benchmark::DoNotOptimize(result.area);
    }
    state.counters["segments"] = static_cast<double>(plan.segments.size());
    state.counters["lines"] = static_cast<double>(result.radialLines.size());
}

void ExactIndexed(benchmark::State& state) {
    Isovist(state, 0, CandidateSearch::Indexed);
}
void ExactFullScan(benchmark::State& state) {
    Isovist(state, 0, CandidateSearch::FullScan);
}
void RadialIndexed(benchmark::State& state) {
    Isovist(state, 1, CandidateSearch::Indexed);
}
void RadialFullScan(benchmark::State& state) {
    Isovist(state, 1, CandidateSearch::FullScan);
}

}  // namespace

BENCHMARK(ExactIndexed)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExactFullScan)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(RadialIndexed)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(RadialFullScan)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
