#include "axial/AxialGraph.h"

#include <algorithm>
#include <cmath>

#include <gonion/gonion.h>
#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_for.h>

#include "axial/AxialGeometry.h"
#include "axial/SegmentGrid.h"

namespace {

bool Crossing(const PlanSegment& a, const PlanSegment& b) {
    double x = 0.0;
    double y = 0.0;
    return zoGetCrossPointSS(a.start.x, a.start.y, a.end.x, a.end.y, b.start.x, b.start.y, b.end.x,
                             b.end.y, &x, &y) == 1;
}

std::vector<AxialEdge> FindReference(std::span<const PlanSegment> lines) {
    std::vector<AxialEdge> edges;
    const auto n = static_cast<int32_t>(lines.size());
    for (int32_t i = 0; i + 1 < n; ++i) {
        for (int32_t j = i + 1; j < n; ++j) {
            if (Crossing(lines[static_cast<size_t>(i)], lines[static_cast<size_t>(j)])) {
                edges.push_back({i, j});
            }
        }
    }
    return edges;
}

bool Finite(const PlanSegment& s) {
    return std::isfinite(s.start.x) && std::isfinite(s.start.y) && std::isfinite(s.end.x) &&
           std::isfinite(s.end.y);
}

// Lines the library finds no common point with (too short).
bool ZeroLength(const PlanSegment& s) {
    return std::fabs(s.end.x - s.start.x) <= kAxialTolerance &&
           std::fabs(s.end.y - s.start.y) <= kAxialTolerance;
}

std::vector<AxialEdge> FindIndexed(std::span<const PlanSegment> lines) {
    const auto n = static_cast<int32_t>(lines.size());
    std::vector<int32_t> gridded;
    std::vector<int32_t> plain;  // not finite: paired with every line
    double span = 0.0;
    double magnitude = 0.0;
    for (int32_t i = 0; i < n; ++i) {
        const PlanSegment& s = lines[static_cast<size_t>(i)];
        if (!Finite(s)) {
            plain.push_back(i);
        } else if (!ZeroLength(s)) {
            gridded.push_back(i);
            magnitude = std::max({magnitude, std::fabs(s.start.x), std::fabs(s.start.y),
                                  std::fabs(s.end.x), std::fabs(s.end.y)});
        }
    }
    span = 2.0 * magnitude;
    if (!std::isfinite(span)) {
        return FindReference(lines);
    }
    const double margin = 1e-9 * (span + magnitude) + 4.0 * kAxialTolerance;
    const SegmentGrid grid(lines, gridded, margin);

    struct Scratch {
        std::vector<uint32_t> seenIn;
        std::vector<int32_t> partners;
    };
    tbb::enumerable_thread_specific<Scratch> scratches;
    std::vector<std::vector<int32_t>> partnersOf(static_cast<size_t>(n));
    tbb::parallel_for(size_t{0}, gridded.size(), [&](size_t g) {
        const int32_t i = gridded[g];
        Scratch& s = scratches.local();
        if (s.seenIn.size() != static_cast<size_t>(n)) {
            s.seenIn.assign(static_cast<size_t>(n), 0);
        }
        const auto stamp = static_cast<uint32_t>(i) + 1;
        s.partners.clear();
        const PlanSegment& line = lines[static_cast<size_t>(i)];
        grid.walk(line.start, line.end, [&](std::span<const int32_t> cell) {
            for (int32_t j : cell) {
                uint32_t& seen = s.seenIn[static_cast<size_t>(j)];
                if (j > i && seen != stamp) {
                    seen = stamp;
                    s.partners.push_back(j);
                }
            }
            return false;
        });
        for (int32_t j : plain) {
            if (j > i) {
                s.partners.push_back(j);
            }
        }
        std::sort(s.partners.begin(), s.partners.end());
        std::vector<int32_t>& out = partnersOf[static_cast<size_t>(i)];
        for (int32_t j : s.partners) {
            if (Crossing(line, lines[static_cast<size_t>(j)])) {
                out.push_back(j);
            }
        }
    });
    // A line that is not finite is paired with every later line the plain way.
    for (int32_t i : plain) {
        for (int32_t j = i + 1; j < n; ++j) {
            if (Crossing(lines[static_cast<size_t>(i)], lines[static_cast<size_t>(j)])) {
                partnersOf[static_cast<size_t>(i)].push_back(j);
            }
        }
    }
    std::vector<AxialEdge> edges;
    for (int32_t i = 0; i < n; ++i) {
        for (int32_t j : partnersOf[static_cast<size_t>(i)]) {
            edges.push_back({i, j});
        }
    }
    return edges;
}

}  // namespace

std::vector<AxialEdge> FindAxialEdges(std::span<const PlanSegment> lines, AxialEdgeMethod method) {
    return method == AxialEdgeMethod::Reference ? FindReference(lines) : FindIndexed(lines);
}

CVisibilityGraph AxialGraphOf(int32_t n, std::span<const AxialEdge> edges) {
    CVisibilityGraph graph;
    graph.initialise(n);
    for (const AxialEdge& e : edges) {
        graph.addEdge(e.i, e.j);
    }
    return graph;
}
