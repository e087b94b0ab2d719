// The three isovist methods side by side on the shared real plans: per isovist at about 2,000
// grid-cell centres, the median and mean time of the visibility polygon, the node method (and
// how often it fell back to rays) and the radial method; the visibility polygon's preparation
// of the plan; and the grid isovists of the Bicocca floor at span 0.5 and 0.9 by the visibility
// polygon on one and two threads, the layout (cells and their effective marks), pass 1
// (isovists) and pass 2 (visibility graph rows, where the grid is small enough to have a graph)
// timed apart. A
// plain timed run (no Google Benchmark loop): every isovist is timed once. The plan folder comes
// from ORVELLE_PLANS_DIR. Arguments: `points` runs only the per-isovist comparison, `grid` only
// the grid runs (`grid 2` on two threads only), `dump` prints the visibility polygon's area and
// outline at each Bicocca point in hexadecimal (to compare two builds), `profile` computes the
// visibility polygon at the Bicocca points fifty times over (to run under a profiler); no
// argument runs both comparisons.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include <tbb/global_control.h>

#include "grid/GridIsovists.h"
#include "grid/GridLayout.h"
#include "grid/GridVisibilityGraph.h"
#include "testing/IsovistPlans.h"

#include "BenchPlans.h"

namespace {

constexpr int32_t kNode = 0;
constexpr int32_t kRadial = 1;
constexpr int32_t kVisibility = 2;
constexpr size_t kPoints = 2000;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

CAnalysisGrid GridOver(const IsovistTestPlan& plan, double span) {
    CAnalysisGrid grid = std::move(*LayOutGrid(BoundaryExtent(plan), {span}).grid);
    MarkEffectiveCells(grid, plan.polygons);
    return grid;
}

// About kPoints effective cell centres, evenly spread over the effective cells of a grid of
// 100 cells along the longer side.
std::vector<PlanPoint> CellCentres(const IsovistTestPlan& plan) {
    const PlanExtent e = BoundaryExtent(plan);
    const CAnalysisGrid grid = GridOver(plan, std::max(e.maxX - e.minX, e.maxY - e.minY) / 100.0);
    std::vector<PlanPoint> all;
    for (const CGridCell& cell : grid.cells) {
        if (cell.effective != 0) {
            all.push_back(CellCentre(cell));
        }
    }
    std::vector<PlanPoint> points;
    const double step = std::max(1.0, static_cast<double>(all.size()) / kPoints);
    for (double i = 0; i < static_cast<double>(all.size()); i += step) {
        points.push_back(all[static_cast<size_t>(i)]);
    }
    return points;
}

struct Timing {
    double median = 0.0;
    double mean = 0.0;
    int fellBack = 0;
    int empty = 0;
    size_t cgalQueries = 0;  // visibility polygons left to CGAL's own query
};

Timing TimeMethod(const IsovistTestPlan& plan, const std::vector<PlanPoint>& points,
                  int32_t method) {
    const PlanTables tables = plan.tables();
    IsovistScratch scratch;
    IsovistResult result;
    ComputeIsovistAt(tables, points.front(), method, scratch, result);  // plan data prepared
    std::vector<double> micros;
    Timing t;
    for (const PlanPoint p : points) {
        const auto start = Clock::now();
        ComputeIsovistAt(tables, p, method, scratch, result);
        micros.push_back(1e6 * SecondsSince(start));
        t.fellBack += method == kNode && result.usedRadialMethod ? 1 : 0;
        t.empty += result.radialLines.size() < 3 ? 1 : 0;
    }
    t.cgalQueries = scratch.visibility.cgalQueryCount();
    std::sort(micros.begin(), micros.end());
    t.median = micros[micros.size() / 2];
    for (const double m : micros) {
        t.mean += m / static_cast<double>(micros.size());
    }
    return t;
}

void ComparePlan(const char* name, const IsovistTestPlan& plan) {
    const std::vector<PlanPoint> points = CellCentres(plan);
    IsovistVisibilityPolygon visibility;
    const auto start = Clock::now();
    visibility.prepare(plan.tables());
    const double preparation = SecondsSince(start);
    std::printf("%s: %zu wall segments, %zu arrangement edges, %zu cell centres\n", name,
                plan.segments.size(), visibility.edgeCount(), points.size());
    std::printf("  visibility polygon preparation: %.3f s\n", preparation);
    std::printf("  %-20s %12s %12s %10s %8s\n", "method", "median us", "mean us", "fell back",
                "empty");
    const std::pair<const char*, int32_t> methods[] = {
        {"visibility polygon", kVisibility}, {"node", kNode}, {"radial", kRadial}};
    for (const auto& [label, method] : methods) {
        const Timing t = TimeMethod(plan, points, method);
        std::printf("  %-20s %12.1f %12.1f %10d %8d\n", label, t.median, t.mean, t.fellBack,
                    t.empty);
        if (method == kVisibility) {
            std::printf("  (%zu of the visibility polygons by CGAL's own query)\n", t.cgalQueries);
        }
        std::fflush(stdout);
    }
}

void DumpVisibility(const IsovistTestPlan& plan) {
    const PlanTables tables = plan.tables();
    IsovistScratch scratch;
    IsovistResult result;
    for (const PlanPoint p : CellCentres(plan)) {
        ComputeIsovistAt(tables, p, kVisibility, scratch, result);
        std::printf("%a %a %a %zu", p.x, p.y, result.area, result.radialLines.size());
        for (const PlanSegment& line : result.radialLines) {
            std::printf(" %a %a", line.end.x, line.end.y);
        }
        std::printf("\n");
    }
}

void WholeGrid(const IsovistTestPlan& plan, double span, int threads) {
    tbb::global_control limit(tbb::global_control::max_allowed_parallelism,
                              static_cast<size_t>(threads));
    const auto layoutStart = Clock::now();
    CAnalysisGrid grid = GridOver(plan, span);
    const double layout = SecondsSince(layoutStart);
    int32_t effective = 0;
    for (const CGridCell& cell : grid.cells) {
        effective += cell.effective != 0 ? 1 : 0;
    }
    std::vector<RadialStats> stats;
    NullProgress progress;
    const auto start = Clock::now();
    ComputeGridIsovists(grid, plan.tables(), kVisibility, stats, progress);
    const double isovists = SecondsSince(start);
    std::printf("bicocca grid span %.2f, %d cells, %d effective, visibility polygon, %d threads: "
                "layout %.2f s, pass 1 %.2f s",
                span, grid.count, effective, threads, layout, isovists);
    if (grid.count > CVisibilityGraph::kMaxGridNodes) {
        // The graph's matrix is bounded: no graph for a grid this large.
        std::printf(", no pass 2 (more than %d cells)\n", CVisibilityGraph::kMaxGridNodes);
    } else {
        const auto graphStart = Clock::now();
        const CVisibilityGraph graph = BuildGridVisibilityGraph(grid, progress);
        const double rows = SecondsSince(graphStart);
        std::printf(", pass 2 %.2f s, both %.2f s (%d edges)\n", rows, isovists + rows,
                    graph.edgeCount());
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string only = argc > 1 ? argv[1] : "";
    const int gridThreads = argc > 2 ? std::atoi(argv[2]) : 0;
    std::string error;
    const auto bicocca = LoadSharedPlan("rawseeds_bicocca_floor.dxf", "valid_area", "M", error);
    if (!bicocca) {
        std::fprintf(stderr, "bicocca: %s\n", error.c_str());
        return 1;
    }
    // The gallery has no boundary layer: its walls (layer 0) in a frame, as the tests take it.
    const auto gallery = LoadSharedPlanWithMadeBoundary("depthmapx_gallery.dxf", {"0"}, error);
    if (only == "profile") {
        const PlanTables tables = bicocca->tables();
        IsovistScratch scratch;
        IsovistResult result;
        const std::vector<PlanPoint> points = CellCentres(*bicocca);
        for (int round = 0; round < 50; ++round) {
            for (const PlanPoint p : points) {
                ComputeIsovistAt(tables, p, kVisibility, scratch, result);
            }
        }
        return 0;
    }
    if (only == "dump") {
        DumpVisibility(*bicocca);
        return 0;
    }
    if (only != "grid") {
        ComparePlan("rawseeds_bicocca_floor.dxf", *bicocca);
        if (gallery) {
            ComparePlan("depthmapx_gallery.dxf", *gallery);
        } else {
            std::fprintf(stderr, "gallery: %s\n", error.c_str());
        }
    }
    if (only != "points") {
        // Span 0.5 as the goal has it; span 0.9, about the finest whose graph fits the limit.
        for (const double span : {0.5, 0.9}) {
            for (const int threads : {1, 2}) {
                if (gridThreads == 0 || gridThreads == threads) {
                    WholeGrid(*bicocca, span, threads);
                }
            }
        }
    }
    return 0;
}
