// Straightforward versions of the library's fast paths, written as described: the tests and
// benchmarks compare the library against them.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "gonion/gonion.h"

namespace reference {

struct Points {
    std::vector<double> x;
    std::vector<double> y;
};

// Polygon-line crossings: the vertices copied with the first repeated at the end, each edge
// through the line-segment routine, then every later repeat of a kept point removed.
inline Points polygonLine(int32_t count, const double* xs, const double* ys, double px, double py,
                          double dx, double dy) {
    std::vector<double> vx(xs, xs + count);
    std::vector<double> vy(ys, ys + count);
    vx.push_back(xs[0]);
    vy.push_back(ys[0]);
    Points c;
    for (std::size_t i = 0; i + 1 < vx.size(); ++i) {
        double x;
        double y;
        if (zoGetCrossPointLS(px, py, dx, dy, vx[i], vy[i], vx[i + 1], vy[i + 1], &x, &y) == 1) {
            c.x.push_back(x);
            c.y.push_back(y);
        }
    }
    for (std::size_t i = 0; i < c.x.size(); ++i) {
        for (std::size_t j = i + 1; j < c.x.size();) {
            if (std::fabs(c.x[j] - c.x[i]) < 2.220446049250313e-8 &&
                std::fabs(c.y[j] - c.y[i]) < 2.220446049250313e-8) {
                c.x.erase(c.x.begin() + static_cast<std::ptrdiff_t>(j));
                c.y.erase(c.y.begin() + static_cast<std::ptrdiff_t>(j));
            } else {
                ++j;
            }
        }
    }
    return c;
}

// Point in polygon: the crossings along each test line sorted together with the point (x,
// then y, the point after equal crossings); the parity of the point's position decides.
inline int32_t hitTest(int32_t count, const double* xs, const double* ys, double px, double py) {
    struct Entry {
        double x, y;
        int marker;  // 1 for the point itself
    };
    for (int k = 0; k < 12; ++k) {
        const double angle = k * 0.2617993877991494;
        const Points c =
            polygonLine(count, xs, ys, px, py, 10 * std::cos(angle), 10 * std::sin(angle));
        const std::size_t m = c.x.size();
        if (m % 2 != 0) {
            continue;
        }
        if (m == 0) {
            return 0;
        }
        std::vector<Entry> list;
        for (std::size_t i = 0; i < m; ++i) {
            list.push_back({c.x[i], c.y[i], 0});
        }
        list.push_back({px, py, 1});
        std::sort(list.begin(), list.end(), [](const Entry& a, const Entry& b) {
            if (a.x != b.x)
                return a.x < b.x;
            if (a.y != b.y)
                return a.y < b.y;
            return a.marker < b.marker;
        });
        const auto at =
            std::find_if(list.begin(), list.end(), [](const Entry& e) { return e.marker == 1; });
        return (at - list.begin()) % 2 != 0 ? 1 : 0;
    }
    return 0;
}

struct Distances {
    std::vector<double> distances;
    std::vector<uint8_t> reached;
};

// Dijkstra over an n x n adjacency with double weights: neighbours listed in ascending weight,
// open set scanned linearly, lowest index first on equal distances.
inline Distances shortestPaths(int source, const std::vector<uint8_t>& adjacency,
                               const std::vector<double>& w) {
    const int n = static_cast<int>(std::lround(std::sqrt(adjacency.size())));
    const auto un = static_cast<std::size_t>(n);
    auto at = [n](int row, int column) { return static_cast<std::size_t>(row * n + column); };
    Distances r{std::vector<double>(un, 1.7e308), std::vector<uint8_t>(un, 0)};
    std::vector<uint8_t> open(un, 0);
    auto neighbours = [&](int node) {
        std::vector<int> list;
        for (int j = 0; j < n; ++j) {
            if (adjacency[at(node, j)] == 1)
                list.push_back(j);
        }
        std::stable_sort(list.begin(), list.end(),
                         [&](int a, int b) { return w[at(node, a)] < w[at(node, b)]; });
        return list;
    };
    auto& d = r.distances;
    r.reached[static_cast<std::size_t>(source)] = 1;
    d[static_cast<std::size_t>(source)] = 0;
    for (int j : neighbours(source)) {
        const auto uj = static_cast<std::size_t>(j);
        if (w[at(source, j)] < d[uj])
            d[uj] = w[at(source, j)];
        if (!r.reached[uj])
            open[uj] = 1;
    }
    for (;;) {
        int best = -1;
        for (int i = 0; i < n; ++i) {
            const auto ui = static_cast<std::size_t>(i);
            if (open[ui] && (best < 0 || d[ui] < d[static_cast<std::size_t>(best)]))
                best = i;
        }
        if (best < 0)
            break;
        const auto ub = static_cast<std::size_t>(best);
        open[ub] = 0;
        r.reached[ub] = 1;
        for (int j : neighbours(best)) {
            const auto uj = static_cast<std::size_t>(j);
            if (r.reached[uj])
                continue;
            const double candidate = d[ub] + w[at(best, j)];
            if (candidate < d[uj])
                d[uj] = candidate;
            open[uj] = 1;
        }
    }
    return r;
}

}  // namespace reference
