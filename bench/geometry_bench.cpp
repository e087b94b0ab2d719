// Timings of the geometry library's hot functions, each fast path beside its straightforward
// reference (geometry/tests/reference_paths.h), so that the speed-up reads as a ratio.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "../geometry/tests/reference_paths.h"
#include "gonion/gonion.h"

namespace {

// A star-shaped polygon of n vertices around (50, 50) with irregular radii, and 1024 probe
// points over its bounding square.
struct HitProbe {
    std::vector<double> x;
    std::vector<double> y;
    std::vector<double> px;
    std::vector<double> py;

    explicit HitProbe(int n) {
        std::mt19937 rng(static_cast<unsigned>(n));
        std::uniform_real_distribution<double> radius(20.0, 45.0);
        for (int i = 0; i < n; ++i) {
            const double a = (i + 0.5) * 2.0 * M_PI / n;
            const double r = n == 4 ? 40.0 : radius(rng);
            x.push_back(50.0 + r * std::cos(a));
            y.push_back(50.0 + r * std::sin(a));
        }
        std::uniform_real_distribution<double> coord(0.0, 100.0);
        for (int i = 0; i < 1024; ++i) {
            px.push_back(coord(rng));
            py.push_back(coord(rng));
        }
    }
    int32_t count() const { return static_cast<int32_t>(x.size()); }
};

template <class HitFn>
void RunHitTests(benchmark::State& state, HitFn hit) {
    const HitProbe probe(static_cast<int>(state.range(0)));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(hit(probe, probe.px[i], probe.py[i]));
        i = (i + 1) & 1023;
    }
}

void BM_HitTestPG(benchmark::State& state) {
    RunHitTests(state, [](const HitProbe& p, double px, double py) {
        return zoHitTestPG(p.count(), 8, p.x.data(), p.y.data(), px, py);
    });
}
BENCHMARK(BM_HitTestPG)->Arg(4)->Arg(100)->Arg(1000);

void BM_HitTestPGReference(benchmark::State& state) {
    RunHitTests(state, [](const HitProbe& p, double px, double py) {
        return reference::hitTest(p.count(), p.x.data(), p.y.data(), px, py);
    });
}
BENCHMARK(BM_HitTestPGReference)->Arg(4)->Arg(100)->Arg(1000);

void BM_CrossPointHLS(benchmark::State& state) {
    std::mt19937 rng(2);
    std::uniform_real_distribution<double> coord(-10.0, 10.0);
    std::vector<double> v(1024 * 4);
    for (double& c : v) {
        c = coord(rng);
    }
    std::size_t i = 0;
    double x = 0;
    double y = 0;
    for (auto _ : state) {
        const double* s = &v[i * 4];
        benchmark::DoNotOptimize(
            zoGetCrossPointHLS(0.0, 0.0, s[0], s[1], s[2], s[3], s[1], s[0], &x, &y));
        i = (i + 1) & 1023;
    }
}
BENCHMARK(BM_CrossPointHLS);

// An undirected graph of 1000 nodes with the given edge density in percent, kept connected
// by a chain, with unit double weights.
struct Graph {
    static constexpr int kNodes = 1000;
    std::vector<uint8_t> adjacency;
    std::vector<double> weights;

    explicit Graph(int densityPercent)
        : adjacency(static_cast<std::size_t>(kNodes) * kNodes, 0), weights(adjacency.size(), 1.0) {
        std::mt19937 rng(3);
        std::bernoulli_distribution edge(densityPercent / 100.0);
        for (int i = 0; i < kNodes; ++i) {
            for (int j = i + 1; j < kNodes; ++j) {
                if (edge(rng) || j == i + 1) {
                    adjacency[static_cast<std::size_t>(i) * kNodes + j] = 1;
                    adjacency[static_cast<std::size_t>(j) * kNodes + i] = 1;
                }
            }
        }
    }
};

void BM_GraphSP(benchmark::State& state) {
    const Graph g(static_cast<int>(state.range(0)));
    std::vector<double> distances(Graph::kNodes);
    std::vector<uint8_t> reached(Graph::kNodes);
    int32_t source = 0;
    for (auto _ : state) {
        zoGraphSP(source, Graph::kNodes, 0, g.adjacency.data(), 4, g.weights.data(),
                  distances.data(), reached.data());
        benchmark::DoNotOptimize(distances.data());
        source = (source + 1) % Graph::kNodes;
    }
}
BENCHMARK(BM_GraphSP)->Arg(50)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_GraphSPReference(benchmark::State& state) {
    const Graph g(static_cast<int>(state.range(0)));
    int source = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(reference::shortestPaths(source, g.adjacency, g.weights));
        source = (source + 1) % Graph::kNodes;
    }
}
BENCHMARK(BM_GraphSPReference)->Arg(50)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
