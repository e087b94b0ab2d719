// Small graphs whose shapes exercise the level search: word edges (63, 64, 65, 129 nodes),
// single and isolated nodes, several components, complete graphs (one level), paths (many
// levels), a star (a huge level next to a tiny one) and a clustered grid graph like a
// visibility graph. Shared by the level search and graph measure tests.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "document/VisibilityGraph.h"

struct GraphFamily {
    std::string name;
    CVisibilityGraph graph;
    int32_t nx = 0;  // for a grid graph: its columns and rows, else 0
    int32_t ny = 0;
};

inline CVisibilityGraph PathGraph(int32_t n) {
    CVisibilityGraph g;
    g.initialise(n);
    for (int32_t i = 1; i < n; ++i) {
        g.addEdge(i - 1, i);
    }
    return g;
}

inline void AddClique(CVisibilityGraph& g, int32_t first, int32_t last) {
    for (int32_t i = first; i <= last; ++i) {
        for (int32_t j = first; j < i; ++j) {
            g.addEdge(i, j);
        }
    }
}

inline CVisibilityGraph CompleteGraph(int32_t n) {
    CVisibilityGraph g;
    g.initialise(n);
    AddClique(g, 0, n - 1);
    return g;
}

// Cells of an nx x ny grid see each other within `reach` (Chebyshev), except across a wall
// after column nx / 2 that only row 0 passes.
inline CVisibilityGraph ClusteredGridGraph(int32_t nx, int32_t ny, int32_t reach) {
    CVisibilityGraph g;
    g.initialise(nx * ny);
    for (int32_t i = 0; i < nx * ny; ++i) {
        for (int32_t j = 0; j < i; ++j) {
            const int32_t xi = i % nx, yi = i / nx, xj = j % nx, yj = j / nx;
            const bool near = std::abs(xi - xj) <= reach && std::abs(yi - yj) <= reach;
            const bool acrossWall = (xi <= nx / 2) != (xj <= nx / 2);
            if (near && (!acrossWall || (yi == 0 && yj == 0))) {
                g.addEdge(i, j);
            }
        }
    }
    return g;
}

inline CVisibilityGraph RandomGraph(int32_t n, double chance, uint32_t seed) {
    std::mt19937 random(seed);
    std::bernoulli_distribution edge(chance);
    CVisibilityGraph g;
    g.initialise(n);
    for (int32_t i = 0; i < n; ++i) {
        for (int32_t j = 0; j < i; ++j) {
            if (edge(random)) {
                g.addEdge(i, j);
            }
        }
    }
    return g;
}

inline std::vector<GraphFamily> GraphFamilies() {
    std::vector<GraphFamily> families;
    families.push_back({"OneNode", CompleteGraph(1)});
    families.push_back({"TwoApart", CompleteGraph(1)});
    families.back().graph.initialise(2);
    families.push_back({"Pair", CompleteGraph(2)});
    for (int32_t n : {63, 64, 65, 129}) {
        families.push_back({"Path" + std::to_string(n), PathGraph(n)});
    }
    families.push_back({"Complete65", CompleteGraph(65)});
    families.push_back({"Complete130", CompleteGraph(130)});
    CVisibilityGraph star;
    star.initialise(129);
    for (int32_t i = 1; i < 129; ++i) {
        star.addEdge(0, i);
    }
    families.push_back({"Star129", star});
    // A path over 0 .. 63, a clique over 64 .. 99, nodes 100 .. 129 alone.
    CVisibilityGraph parts = PathGraph(64);
    parts.initialise(130);
    for (int32_t i = 1; i < 64; ++i) {
        parts.addEdge(i - 1, i);
    }
    AddClique(parts, 64, 99);
    families.push_back({"PathCliqueAndIsolated", parts});
    families.push_back({"ClusteredGrid", ClusteredGridGraph(19, 11, 3), 19, 11});
    families.push_back({"RandomSparse", RandomGraph(150, 0.01, 1)});
    families.push_back({"RandomDense", RandomGraph(70, 0.5, 3)});
    return families;
}
