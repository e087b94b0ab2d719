// Axial map generation and analysis on three shared plans: the indexed generators and the
// indexed pair search with the level-search measures, against the plain reference. The
// reference generator runs the boundary's corners and a sample of the wall polygons' corners
// (against every vertex and wall of the whole plan), extrapolated by corner count, counter
// `extrapolated_s`; its duplicate scan then sees fewer lines than a full run would, so the
// figure is a lower bound for the all-line map. Reference figures are the CPU time of the one
// thread they run on. Both parts are also run indexed and compared
// (`same_as_indexed`). The reference analysis tests every pair of
// lines in full and runs the library's shortest-path search from a sample of sources,
// extrapolated to the two searches per line it makes. The plan folder comes from the
// environment variable ORVELLE_PLANS_DIR.
#include <benchmark/benchmark.h>

#include <time.h>

#include <optional>
#include <string>
#include <variant>

#include <gonion/gonion.h>

#include "axial/AxialAnalysis.h"
#include "axial/AxialGraph.h"
#include "axial/AxialMapGeneration.h"
#include "grid/GraphMeasures.h"

#include "BenchPlans.h"

namespace {

constexpr int32_t kIntegrationDepth = 3;

struct AxialBenchPlan {
    std::vector<PlanPolygon> polygons;
    std::vector<PlanPoint> vertices;
    std::vector<PlanSegment> walls;
    std::vector<PlanSegment> allLines;
    std::vector<PlanSegment> reducedLines;
    std::string error;

    AxialPlan plan() const { return {polygons, vertices, walls}; }
    const std::vector<PlanSegment>& lines(AxialMapKind kind) const {
        return kind == AxialMapKind::Reduced ? reducedLines : allLines;
    }
};

enum PlanId { kGallery, kJupedsim, kBicocca };
const char* const kPlanNames[] = {"depthmapx_gallery", "jupedsim_gallery", "rawseeds_bicocca"};

const AxialBenchPlan& Plan(int id) {
    static AxialBenchPlan plans[3];
    static bool loaded[3] = {false, false, false};
    AxialBenchPlan& p = plans[id];
    if (loaded[id]) {
        return p;
    }
    loaded[id] = true;
    std::optional<IsovistTestPlan> plan;
    if (id == kGallery) {
        plan = LoadSharedPlanWithMadeBoundary("depthmapx_gallery.dxf", {"0"}, p.error);
    } else if (id == kJupedsim) {
        plan = LoadSharedPlanWithMadeBoundary("jupedsim_gallery.dxf", {"jps-walkablearea", "jps-obstacles"},
                                    p.error);
    } else {
        plan = LoadSharedPlan("rawseeds_bicocca_floor.dxf", "valid_area", "M", p.error);
    }
    if (!plan) {
        return p;
    }
    p.polygons = plan->polygons;
    p.walls = plan->segments;
    for (const PlanPolygon& polygon : p.polygons) {
        p.vertices.insert(p.vertices.end(), polygon.points().begin(), polygon.points().end());
    }
    GenerateAxialMap(p.plan(), AxialMapKind::AllLines, p.allLines);
    GenerateAxialMap(p.plan(), AxialMapKind::Reduced, p.reducedLines);
    return p;
}

bool Ready(benchmark::State& state, const AxialBenchPlan& p) {
    if (p.polygons.empty()) {
        state.SkipWithError(p.error.c_str());
        return false;
    }
    return true;
}

void PlanCounters(benchmark::State& state, const AxialBenchPlan& p, AxialMapKind kind) {
    state.counters["vertices"] = static_cast<double>(p.vertices.size());
    state.counters["walls"] = static_cast<double>(p.walls.size());
    state.counters["lines"] = static_cast<double>(p.lines(kind).size());
}

// The reference runs on one thread: its time is that thread's CPU time, which a machine shared
// with other work does not stretch as it stretches the wall clock.
double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

void GenerateIndexed(benchmark::State& state, int id, AxialMapKind kind) {
    const AxialBenchPlan& p = Plan(id);
    if (!Ready(state, p)) {
        return;
    }
    for (auto _ : state) {
        std::vector<PlanSegment> lines;
        GenerateAxialMap(p.plan(), kind, lines, AxialMapMethod::Indexed);
        benchmark::DoNotOptimize(lines.data());
    }
    PlanCounters(state, p, kind);
}

// The boundary's corners in full, then every `stride`-th wall polygon's corners, extrapolated
// to all wall polygons by corner count. Registered with a stride of 1 (the whole plan), which
// the three plans allow; a larger plan would take a larger stride.
void GenerateReferenceSample(benchmark::State& state, int id, AxialMapKind kind) {
    const AxialBenchPlan& p = Plan(id);
    if (!Ready(state, p)) {
        return;
    }
    const auto stride = static_cast<size_t>(state.range(0));
    const std::vector<PlanPolygon> boundary{p.polygons[0]};
    std::vector<PlanPolygon> sample;
    size_t sampleCorners = 0;
    size_t wallCorners = 0;
    for (size_t i = 1; i < p.polygons.size(); ++i) {
        wallCorners += p.polygons[i].points().size();
        if ((i - 1) % stride == 0) {
            sample.push_back(p.polygons[i]);
            sampleCorners += p.polygons[i].points().size();
        }
    }
    double boundarySeconds = 0.0;
    double sampleSeconds = 0.0;
    bool same = true;
    for (auto _ : state) {
        const std::vector<PlanPolygon>* const parts[] = {&boundary, &sample};
        for (const std::vector<PlanPolygon>* part : parts) {
            const AxialPlan sampled{*part, p.vertices, p.walls};
            std::vector<PlanSegment> reference;
            const double start = ThreadSeconds();
            GenerateAxialMap(sampled, kind, reference, AxialMapMethod::Reference);
            (part == &boundary ? boundarySeconds : sampleSeconds) = ThreadSeconds() - start;
            std::vector<PlanSegment> indexed;
            GenerateAxialMap(sampled, kind, indexed, AxialMapMethod::Indexed);
            same = same && indexed == reference;
        }
    }
    state.counters["same_as_indexed"] = same ? 1 : 0;
    state.counters["boundary_s"] = boundarySeconds;
    state.counters["sampled_wall_corners"] = static_cast<double>(sampleCorners);
    state.counters["extrapolated_s"] =
        boundarySeconds + (sampleCorners == 0
                               ? 0.0
                               : sampleSeconds * static_cast<double>(wallCorners) / sampleCorners);
    PlanCounters(state, p, kind);
}

void AnalyseIndexed(benchmark::State& state, int id, AxialMapKind kind) {
    const AxialBenchPlan& p = Plan(id);
    if (!Ready(state, p)) {
        return;
    }
    const std::vector<PlanSegment>& lines = p.lines(kind);
    if (lines.size() > static_cast<size_t>(kMaxAxialAnalysisLines)) {
        state.SkipWithError("more lines than an analysis takes");
        return;
    }
    int32_t edges = 0;
    for (auto _ : state) {
        const AxialAnalysis a = AnalyseAxialLines(lines, kIntegrationDepth);
        edges = a.graph.edgeCount();
        benchmark::DoNotOptimize(a.records.data());
    }
    state.counters["edges"] = edges;
    PlanCounters(state, p, kind);
}

// Every pair tested; the library's search from `samples` sources, extrapolated to 2 n.
void AnalyseReference(benchmark::State& state, int id, AxialMapKind kind) {
    const AxialBenchPlan& p = Plan(id);
    if (!Ready(state, p)) {
        return;
    }
    const std::vector<PlanSegment>& lines = p.lines(kind);
    if (lines.size() > static_cast<size_t>(kMaxAxialAnalysisLines)) {
        state.SkipWithError("more lines than an analysis takes");
        return;
    }
    const auto n = static_cast<int32_t>(lines.size());
    const auto samples = static_cast<int32_t>(std::min<int64_t>(state.range(0), n));
    double pairSeconds = 0.0;
    double searchSeconds = 0.0;
    bool same = true;
    for (auto _ : state) {
        double start = ThreadSeconds();
        const CVisibilityGraph graph = BuildAxialGraph(lines, AxialGraphMethod::Reference);
        pairSeconds = ThreadSeconds() - start;
        same = graph == BuildAxialGraph(lines, AxialGraphMethod::Indexed);
        const std::vector<uint8_t> matrix = graph.toByteMatrix();
        std::vector<double> depth(static_cast<size_t>(n));
        std::vector<uint8_t> reached(static_cast<size_t>(n));
        start = ThreadSeconds();
        for (int32_t s = 0; s < samples; ++s) {
            zoGraphSP(static_cast<int32_t>(int64_t{s} * n / samples), n, 0, matrix.data(), 0,
                      matrix.data(), depth.data(), reached.data());
            benchmark::DoNotOptimize(depth.data());
        }
        searchSeconds = (ThreadSeconds() - start) / samples * 2.0 * n;
    }
    state.counters["pairs_s"] = pairSeconds;
    state.counters["searches_extrapolated_s"] = searchSeconds;
    state.counters["extrapolated_s"] = pairSeconds + searchSeconds;
    state.counters["same_edges_as_indexed"] = same ? 1 : 0;
    PlanCounters(state, p, kind);
}

void Register() {
    struct KindName {
        AxialMapKind kind;
        const char* name;
    };
    const KindName kinds[] = {{AxialMapKind::Reduced, "reduced"}, {AxialMapKind::AllLines, "all"}};
    for (int id = 0; id < 3; ++id) {
        for (const KindName& k : kinds) {
            const std::string suffix = std::string("/") + kPlanNames[id] + "/" + k.name;
            benchmark::RegisterBenchmark(("generate_indexed" + suffix).c_str(), GenerateIndexed, id,
                                         k.kind)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(1)
                ->UseRealTime()
                ->MeasureProcessCPUTime();
            benchmark::RegisterBenchmark(("generate_reference_sample" + suffix).c_str(),
                                         GenerateReferenceSample, id, k.kind)
                ->Arg(1)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(1)
                ->UseRealTime()
                ->MeasureProcessCPUTime();
            benchmark::RegisterBenchmark(("analyse_indexed" + suffix).c_str(), AnalyseIndexed, id,
                                         k.kind)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(1)
                ->UseRealTime()
                ->MeasureProcessCPUTime();
            benchmark::RegisterBenchmark(("analyse_reference" + suffix).c_str(), AnalyseReference,
                                         id, k.kind)
                ->Arg(20)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(1)
                ->UseRealTime()
                ->MeasureProcessCPUTime();
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    Register();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
