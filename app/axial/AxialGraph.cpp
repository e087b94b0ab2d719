#include "axial/AxialGraph.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <gonion/gonion.h>
#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_for.h>

#include "axial/AxialGeometry.h"
#include "axial/SegmentGrid.h"

namespace {

constexpr int32_t kWordBits = CVisibilityGraph::kBitsPerWord;

// The library's answer for the pair in the order of the pair loop (first < second).
bool Crossing(const PlanSegment& first, const PlanSegment& second) {
    double x = 0.0;
    double y = 0.0;
    return zoGetCrossPointSS(first.start.x, first.start.y, first.end.x, first.end.y, second.start.x,
                             second.start.y, second.end.x, second.end.y, &x, &y) == 1;
}

CVisibilityGraph BuildReference(std::span<const PlanSegment> lines) {
    CVisibilityGraph graph;
    const auto n = static_cast<int32_t>(lines.size());
    graph.initialise(n);
    for (int32_t i = 0; i + 1 < n; ++i) {
        for (int32_t j = i + 1; j < n; ++j) {
            if (Crossing(lines[static_cast<size_t>(i)], lines[static_cast<size_t>(j)])) {
                graph.addEdge(i, j);
            }
        }
    }
    return graph;
}

bool Finite(const PlanSegment& s) {
    return std::isfinite(s.start.x) && std::isfinite(s.start.y) && std::isfinite(s.end.x) &&
           std::isfinite(s.end.y);
}

// A line the library finds no common point with, whatever the other line.
bool ZeroLength(const PlanSegment& s) {
    return std::fabs(s.end.x - s.start.x) <= kAxialTolerance &&
           std::fabs(s.end.y - s.start.y) <= kAxialTolerance;
}

CVisibilityGraph BuildIndexed(std::span<const PlanSegment> lines) {
    const auto n = static_cast<int32_t>(lines.size());
    enum class Kind : uint8_t { Gridded, Plain, Isolated };
    std::vector<Kind> kinds(lines.size());
    std::vector<int32_t> gridded;
    std::vector<int32_t> plain;  // not finite: paired with every line the plain way
    double magnitude = 0.0;
    for (int32_t i = 0; i < n; ++i) {
        const PlanSegment& s = lines[static_cast<size_t>(i)];
        Kind& kind = kinds[static_cast<size_t>(i)];
        if (!Finite(s)) {
            kind = Kind::Plain;
            plain.push_back(i);
        } else if (ZeroLength(s)) {
            kind = Kind::Isolated;
        } else {
            kind = Kind::Gridded;
            gridded.push_back(i);
            magnitude = std::max({magnitude, std::fabs(s.start.x), std::fabs(s.start.y),
                                  std::fabs(s.end.x), std::fabs(s.end.y)});
        }
    }
    if (!std::isfinite(3.0 * magnitude)) {
        return BuildReference(lines);
    }
    const double margin = 3e-9 * magnitude + 4.0 * kAxialTolerance;
    const SegmentGrid grid(lines, gridded, margin);

    CVisibilityGraph graph;
    graph.initialise(n);
    struct Scratch {
        std::vector<uint32_t> seenFor;
        std::vector<int32_t> partners;
    };
    tbb::enumerable_thread_specific<Scratch> scratches;
    // Row j gets the lines i < j that it crosses; the graph then mirrors them.
    tbb::parallel_for(int32_t{0}, n, [&](int32_t j) {
        const Kind kind = kinds[static_cast<size_t>(j)];
        if (kind == Kind::Isolated) {
            return;
        }
        Scratch& s = scratches.local();
        s.partners.clear();
        const PlanSegment& line = lines[static_cast<size_t>(j)];
        if (kind == Kind::Plain) {
            for (int32_t i = 0; i < j; ++i) {
                s.partners.push_back(i);
            }
        } else {
            if (s.seenFor.size() != lines.size()) {
                s.seenFor.assign(lines.size(), 0);
            }
            const auto stamp = static_cast<uint32_t>(j) + 1;
            grid.walk(line.start, line.end, [&](std::span<const int32_t> cell) {
                for (int32_t i : cell) {
                    uint32_t& seen = s.seenFor[static_cast<size_t>(i)];
                    if (i < j && seen != stamp) {
                        seen = stamp;
                        s.partners.push_back(i);
                    }
                }
                return false;
            });
            for (int32_t i : plain) {
                if (i < j) {
                    s.partners.push_back(i);
                }
            }
        }
        std::span<uint64_t> row = graph.lowerRowForWriting(j);
        for (int32_t i : s.partners) {
            if (Crossing(lines[static_cast<size_t>(i)], line)) {
                row[static_cast<size_t>(i / kWordBits)] |= uint64_t{1} << (i % kWordBits);
            }
        }
    });
    graph.completeFromLowerTriangle();
    return graph;
}

}  // namespace

CVisibilityGraph BuildAxialGraph(std::span<const PlanSegment> lines, AxialGraphMethod method) {
    if (lines.empty() || lines.size() > static_cast<size_t>(kMaxAxialAnalysisLines)) {
        return {};
    }
    return method == AxialGraphMethod::Reference ? BuildReference(lines) : BuildIndexed(lines);
}
