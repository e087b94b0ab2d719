// The grid analysis on the rooms plan at span 1.0 (100 x 100 cells): each pass by its fast
// path and by its plain reference; the graph passes also on an open pillar room (long views). The
// reference graph measures run the shortest-path search on a sample of sources only; its counter
// `extrapolated_s` is the time for every source of both passes. The plan folder comes from the
// environment variable ORVELLE_PLANS_DIR.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <variant>

#include <gonion/gonion.h>

#include "grid/GraphMeasures.h"
#include "grid/GridIsovists.h"
#include "grid/GridLayout.h"
#include "grid/GridVisibilityGraph.h"
#include "grid/LevelSearch.h"
#include "testing/IsovistPlans.h"

#include "BenchPlans.h"

namespace {

constexpr int32_t kExactMethod = 0;
constexpr int32_t kIntegrationDepth = 3;

struct RoomsGrid {
    std::optional<IsovistTestPlan> plan;
    CAnalysisGrid grid;  // isovists computed
    CVisibilityGraph graph;
    std::string error;
};

std::optional<IsovistTestPlan> LoadRooms(std::string& error) {
    return LoadSharedPlan("vga_rooms_100x100.dxf", "BOUNDARY", "WALLS", error);
}

RoomsGrid Analyse(std::optional<IsovistTestPlan> plan, double span, std::string error) {
    RoomsGrid r;
    r.plan = std::move(plan);
    r.error = std::move(error);
    if (!r.plan) {
        return r;
    }
    const PlanExtent extent = BoundaryExtent(*r.plan);
    r.grid = std::move(*LayOutGrid(extent, {span}).grid);
    MarkEffectiveCells(r.grid, r.plan->polygons);
    std::vector<RadialStats> stats;
    NullProgress progress;
    ComputeGridIsovists(r.grid, r.plan->tables(), kExactMethod, stats, progress);
    r.graph = BuildGridVisibilityGraph(r.grid, progress);
    return r;
}

const RoomsGrid& Rooms() {
    static const RoomsGrid rooms = [] {
        std::string error;
        std::optional<IsovistTestPlan> plan = LoadRooms(error);
        return Analyse(std::move(plan), 1.0, error);
    }();
    return rooms;
}

// Long views: a 40 x 40 room with nine small pillars at span 0.4 (100 x 100 cells).
const RoomsGrid& OpenRoom() {
    static const RoomsGrid room = Analyse(RoomWithPillars(40, 21), 0.4, "");
    return room;
}

enum class Plan { Rooms, OpenRoom };

const RoomsGrid& Grid(Plan plan) {
    return plan == Plan::Rooms ? Rooms() : OpenRoom();
}

bool Ready(benchmark::State& state) {
    if (!Rooms().plan) {
        state.SkipWithError(Rooms().error.c_str());
        return false;
    }
    return true;
}

void Pass1Isovists(benchmark::State& state, GridRunMode mode) {
    if (!Ready(state)) {
        return;
    }
    NullProgress progress;
    std::vector<RadialStats> stats;
    for (auto _ : state) {
        CAnalysisGrid grid = Rooms().grid;
        ComputeGridIsovists(grid, Rooms().plan->tables(), kExactMethod, stats, progress, mode);
        benchmark::DoNotOptimize(grid.cells.data());
    }
    state.counters["cells"] = Rooms().grid.count;
}

void Pass2Graph(benchmark::State& state, GridGraphMethod method) {
    if (!Ready(state)) {
        return;
    }
    NullProgress progress;
    for (auto _ : state) {
        const CVisibilityGraph graph = BuildGridVisibilityGraph(Rooms().grid, progress, method);
        benchmark::DoNotOptimize(graph.edgeCount());
    }
    state.counters["edges"] = Rooms().graph.edgeCount();
}

void Passes34Bfs(benchmark::State& state, Plan plan) {
    if (plan == Plan::Rooms && !Ready(state)) {
        return;
    }
    NullProgress progress;
    for (auto _ : state) {
        CAnalysisGrid grid = Grid(plan).grid;
        ComputeGridGraphMeasures(grid, Grid(plan).graph, kIntegrationDepth, progress);
        benchmark::DoNotOptimize(grid.cells.data());
    }
}

// One library search per sampled source; passes 3 and 4 each run one per node.
void Passes34ReferenceSample(benchmark::State& state, Plan plan) {
    if (plan == Plan::Rooms && !Ready(state)) {
        return;
    }
    const CVisibilityGraph& graph = Grid(plan).graph;
    const int32_t n = graph.nodeCount();
    const std::vector<uint8_t> matrix = graph.toByteMatrix();
    std::vector<double> depth(static_cast<size_t>(n));
    std::vector<uint8_t> reached(static_cast<size_t>(n));
    const int32_t samples = static_cast<int32_t>(state.range(0));
    double seconds = 0.0;
    double cpuSeconds = 0.0;
    int64_t runs = 0;
    for (auto _ : state) {
        const std::clock_t cpuStart = std::clock();
        const auto start = std::chrono::steady_clock::now();
        for (int32_t s = 0; s < samples; ++s) {
            zoGraphSP(static_cast<int32_t>(int64_t{s} * n / samples), n, 0, matrix.data(), 0,
                      matrix.data(), depth.data(), reached.data());
            benchmark::DoNotOptimize(depth.data());
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        cpuSeconds += static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        ++runs;
    }
    state.counters["extrapolated_s"] = seconds / runs / samples * 2.0 * n;
    state.counters["extrapolated_cpu_s"] = cpuSeconds / runs / samples * 2.0 * n;
}

// One unlimited search from every source, serially, each level found the given way; the
// counters describe the rows (share of non-zero words, runs per row) and the searches.
void LevelSearches(benchmark::State& state, Plan plan, LevelDirection direction) {
    if (plan == Plan::Rooms && !Ready(state)) {
        return;
    }
    const CVisibilityGraph& graph = Grid(plan).graph;
    const std::vector<int32_t> order = state.range(1) != 0
                                           ? GridTileOrder(Grid(plan).grid.nx, Grid(plan).grid.ny)
                                           : std::vector<int32_t>{};
    const CLevelSearchGraph search(graph, order);
    LevelSearchScratch scratch;
    const int32_t n = graph.nodeCount();
    const int32_t step = static_cast<int32_t>(state.range(0));
    int64_t levels = 0;
    for (auto _ : state) {
        for (int32_t source = 0; source < n; source += step) {
            SearchLevels(
                search, source, -1, scratch, [&](int64_t, std::span<const uint64_t>) { ++levels; },
                direction);
        }
    }
    state.counters["nonzero_words"] =
        static_cast<double>(search.totalWords()) / (double{1.0} * n * graph.rowWordCount());
    state.counters["levels"] =
        static_cast<double>(levels) / state.iterations() / ((n + step - 1) / step);
}

BENCHMARK_CAPTURE(Pass1Isovists, parallel, GridRunMode::Parallel)
    ->Unit(benchmark::kSecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(Pass1Isovists, serial, GridRunMode::Serial)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Pass2Graph, rowFill, GridGraphMethod::RowFill)
    ->Unit(benchmark::kSecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(Pass2Graph, reference, GridGraphMethod::Reference)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(Passes34Bfs, rooms, Plan::Rooms)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(Passes34ReferenceSample, rooms, Plan::Rooms)
    ->Arg(10)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(Passes34Bfs, openRoom, Plan::OpenRoom)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(Passes34ReferenceSample, openRoom, Plan::OpenRoom)
    ->Arg(10)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
// Serial searches from every 10th place; second argument 1: tile order, 0: the cells' own.
BENCHMARK_CAPTURE(LevelSearches, roomsAuto, Plan::Rooms, LevelDirection::Auto)
    ->Args({10, 1})
    ->Args({10, 0})
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(LevelSearches, roomsTopDown, Plan::Rooms, LevelDirection::TopDown)
    ->Args({10, 1})
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(LevelSearches, roomsBottomUp, Plan::Rooms, LevelDirection::BottomUp)
    ->Args({10, 1})
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(LevelSearches, openRoomAuto, Plan::OpenRoom, LevelDirection::Auto)
    ->Args({10, 1})
    ->Args({10, 0})
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(LevelSearches, openRoomTopDown, Plan::OpenRoom, LevelDirection::TopDown)
    ->Args({10, 1})
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(LevelSearches, openRoomBottomUp, Plan::OpenRoom, LevelDirection::BottomUp)
    ->Args({10, 1})
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
