// Union and intersection of two overlapping star-shaped polygons of 10, 100 and 1,000 vertices.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "gonion/gonion.h"

namespace {

// Radii drawn from [1 - spread, 1 + spread]: a wide spread gives spiky stars whose outlines
// cross each other hundreds of times, a narrow one round outlines that cross a few times.
std::vector<zoPoint> Star(std::mt19937& random, double cx, double cy, int count, double spread) {
    const double pi = 3.14159265358979323846;
    std::uniform_real_distribution<double> jitter(-0.4, 0.4);
    std::uniform_real_distribution<double> radius(1 - spread, 1 + spread);
    std::vector<zoPoint> points;
    for (int k = 0; k < count; ++k) {
        const double angle = (k + jitter(random)) * 2 * pi / count;
        const double r = radius(random);
        points.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
    }
    return points;
}

struct Pair {
    std::vector<zoPoint> a, b;
    zoPolygon first() { return {a.data(), static_cast<int32_t>(a.size())}; }
    zoPolygon second() { return {b.data(), static_cast<int32_t>(b.size())}; }
};

Pair MakePair(const benchmark::State& state) {
    const auto count = static_cast<int>(state.range(0));
    const double spread = state.range(1) == 0 ? 0.4 : 0.02;
    std::mt19937 random(static_cast<unsigned>(count));
    return Pair{Star(random, 0, 0, count, spread), Star(random, 0.5, 0.3, count, spread)};
}

void BM_PolyUnion(benchmark::State& state) {
    Pair pair = MakePair(state);
    const zoPolygon a = pair.first(), b = pair.second();
    // A region from the library to write into, reused by every union.
    zoRegion* region = nullptr;
    zoRegion shell{a, zoPolygonList{nullptr, 0, 0}};
    zoPolyOpenUnion(&shell, &shell, &region);
    for (auto _ : state) {
        benchmark::DoNotOptimize(zoPolyUnion(&a, &b, &region));
    }
    state.counters["outline"] = region->outline.count;
    state.counters["holes"] = region->holes.count;
    zoPolyOpenFree(region);
}

void BM_PolyIntersection(benchmark::State& state) {
    Pair pair = MakePair(state);
    const zoPolygon a = pair.first(), b = pair.second();
    int32_t pieces = 0;
    for (auto _ : state) {
        zoPolygonList* list = nullptr;
        benchmark::DoNotOptimize(zoPolyIntersection(&a, &b, &list));
        pieces = list->count;
        zoPolyPointsFree(list);
    }
    state.counters["pieces"] = pieces;
}

// Arguments: vertices per polygon; 0 spiky, 1 round.
BENCHMARK(BM_PolyUnion)->ArgsProduct({{10, 100, 1000}, {0, 1}});
BENCHMARK(BM_PolyIntersection)->ArgsProduct({{10, 100, 1000}, {0, 1}});

}  // namespace

BENCHMARK_MAIN();
