// The path isovists of 1,000 observation points along a path across the large real floor
// (rawseeds_bicocca_floor.dxf), on 1 thread and on 2, by each isovist method. The path is the
// horizontal line through the boundary's extent that keeps the most points inside the plan;
// the counter `seen` is the number of points that see anything. The plan folder comes from
// the environment variable ORVELLE_PLANS_DIR.
#include <benchmark/benchmark.h>

#include <tbb/global_control.h>

#include <optional>
#include <string>

#include <gonion/gonion.h>

#include "path/ObservationPoints.h"
#include "path/PathIsovists.h"

#include "BenchPlans.h"

namespace {

constexpr int kPointCount = 1000;

bool InsidePlan(const IsovistTestPlan& plan, PlanPoint p) {
    for (size_t i = 0; i < plan.polygons.size(); ++i) {
        const PlanPolygon& polygon = plan.polygons[i];
        const bool inside = zoHitTestPG(polygon.count(), PlanPolygon::kStride, polygon.xs(),
                                        polygon.ys(), p.x, p.y) != 0;
        if (inside != (i == 0)) {
            return false;
        }
    }
    return true;
}

struct FloorPath {
    std::optional<IsovistTestPlan> plan;
    PlanPolygon points;
    std::string error;
};

const FloorPath& Floor() {
    static const FloorPath floor = [] {
        FloorPath f;
        f.plan = LoadSharedPlan("rawseeds_bicocca_floor.dxf", "valid_area", "M", f.error);
        if (!f.plan) {
            return f;
        }
        const PlanExtent extent = BoundaryExtent(*f.plan);
        const ObservationPointRequest request{ObservationPointMode::ByNodeCount,
                                              kPointCount - 2};
        int best = -1;
        for (int k = 1; k < 20; ++k) {
            const double y = extent.minY + (extent.maxY - extent.minY) * k / 20.0;
            const PlanPolygon path({{extent.minX, y}, {extent.maxX, y}});
            PlanPolygon points = PlaceObservationPoints(path, request, {});
            int inside = 0;
            for (const PlanPoint& p : points.points()) {
                inside += InsidePlan(*f.plan, p) ? 1 : 0;
            }
            if (inside > best) {
                best = inside;
                f.points = std::move(points);
            }
        }
        return f;
    }();
    return floor;
}

void PathIsovistRuns(benchmark::State& state, int32_t method) {
    const FloorPath& floor = Floor();
    if (!floor.plan) {
        state.SkipWithError(floor.error.c_str());
        return;
    }
    tbb::global_control threads(tbb::global_control::max_allowed_parallelism,
                                static_cast<size_t>(state.range(0)));
    PathIsovistRun run;
    NullProgress progress;
    for (auto _ : state) {
        ComputePathIsovists(floor.plan->tables(), floor.points.points(), method, run, progress);
        benchmark::DoNotOptimize(run.records.data());
    }
    int seen = 0;
    for (const IsovistRecord& record : run.records) {
        seen += record.polygon.empty() ? 0 : 1;
    }
    state.counters["points"] = static_cast<double>(run.records.size());
    state.counters["seen"] = seen;
}

}  // namespace

BENCHMARK_CAPTURE(PathIsovistRuns, exact, 0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(PathIsovistRuns, radial, 1)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
