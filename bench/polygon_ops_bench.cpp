// Union and intersection of two overlapping star-shaped polygons of 10, 100 and 1,000 vertices.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "gonion/gonion.h"

namespace {

std::vector<zoPoint> star(std::mt19937& random, double cx, double cy, int count) {
    const double pi = 3.14159265358979323846;
    std::uniform_real_distribution<double> jitter(-0.4, 0.4);
    std::uniform_real_distribution<double> radius(0.6, 1.4);
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

Pair makePair(int count) {
    std::mt19937 random(static_cast<unsigned>(count));
    return Pair{star(random, 0, 0, count), star(random, 0.5, 0.3, count)};
}

void BM_PolyUnion(benchmark::State& state) {
    Pair pair = makePair(static_cast<int>(state.range(0)));
    const zoPolygon a = pair.first(), b = pair.second();
    // A region from the library to write into, reused by every union.
    zoRegion* region = nullptr;
    zoPolyOpenUnion(nullptr, nullptr, &region);
    zoRegion shell{a, zoPolygonList{nullptr, 0, 0}};
    zoPolyOpenUnion(&shell, &shell, &region);
    for (auto _ : state) {
        benchmark::DoNotOptimize(zoPolyUnion(&a, &b, &region));
    }
    zoPolyOpenFree(region);
}

void BM_PolyIntersection(benchmark::State& state) {
    Pair pair = makePair(static_cast<int>(state.range(0)));
    const zoPolygon a = pair.first(), b = pair.second();
    for (auto _ : state) {
        zoPolygonList* list = nullptr;
        benchmark::DoNotOptimize(zoPolyIntersection(&a, &b, &list));
        zoPolyPointsFree(list);
    }
}

BENCHMARK(BM_PolyUnion)->Arg(10)->Arg(100)->Arg(1000);
BENCHMARK(BM_PolyIntersection)->Arg(10)->Arg(100)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
