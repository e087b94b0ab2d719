#include "axial/AxialMapGeneration.h"

#include <algorithm>
#include <optional>

#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_for.h>

#include "axial/AxialGeometry.h"
#include "axial/AxialLineSet.h"
#include "axial/AxialWallIndex.h"

namespace {

// The corners in walk order.
std::vector<AxialCorner> CornersOf(std::span<const PlanPolygon> polygons) {
    std::vector<AxialCorner> corners;
    for (const PlanPolygon& polygon : polygons) {
        const std::vector<PlanPoint>& p = polygon.points();
        const size_t m = p.size();
        for (size_t v = 1; v <= m; ++v) {
            corners.push_back(MakeCorner(p[(v - 1) % m], p[v % m], p[(v + 1) % m]));
        }
    }
    return corners;
}

// ---- reference: every wall for every candidate, the whole map for every new line ----

bool InMap(const std::vector<PlanSegment>& lines, const PlanSegment& line) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const PlanSegment& other) { return LinesEqual(other, line); });
}

void GenerateReference(const AxialPlan& plan, AxialMapKind kind, std::vector<PlanSegment>& lines) {
    for (const AxialCorner& corner : CornersOf(plan.polygons)) {
        std::vector<PlanSegment> kept;
        for (const PlanPoint& q : plan.vertices) {
            if (!IsCornerTarget(corner, q) || AnyWallBlocks(corner.cur, q, plan.walls)) {
                continue;
            }
            const PlanSegment candidate{corner.cur, q};
            if (kind == AxialMapKind::AllLines) {
                if (!InMap(lines, candidate)) {
                    lines.push_back(candidate);
                }
            } else if (LineLength(candidate) >= kAxialTolerance) {
                kept.push_back(candidate);
            }
        }
        if (kind == AxialMapKind::Reduced && !kept.empty()) {
            std::stable_sort(kept.begin(), kept.end(),
                             [](const PlanSegment& a, const PlanSegment& b) {
                                 return LineLength(a) < LineLength(b);
                             });
            if (!InMap(lines, kept.back())) {
                lines.push_back(kept.back());
            }
        }
    }
}

// ---- indexed: corners in parallel into their own slots, then the duplicate rule in order ----

// A corner whose leaving edge exactly reverses the arriving one without turning right (the
// corners of a two-point polygon): cross(b, d) is then exactly -cross(a, d), so no point is
// left of both edges.
bool HasNoWedge(const AxialCorner& corner) {
    return corner.turn >= 0.0 && corner.bx == -corner.ax && corner.by == -corner.ay;
}

struct Candidate {
    double length = 0.0;
    int32_t vertex = 0;
};

// The reduced map's line of one corner: candidates longest first (of equal ones the later
// vertex first), the first unblocked one.
std::optional<PlanPoint> LongestUnblocked(const AxialCorner& corner, const AxialPlan& plan,
                                          const AxialWallIndex& index, AxialWallScratch& scratch,
                                          std::vector<Candidate>& candidates) {
    candidates.clear();
    for (size_t v = 0; v < plan.vertices.size(); ++v) {
        const PlanPoint& q = plan.vertices[v];
        if (IsCornerTarget(corner, q)) {
            const double length = LineLength({corner.cur, q});
            if (length >= kAxialTolerance) {
                candidates.push_back({length, static_cast<int32_t>(v)});
            }
        }
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.length != b.length ? a.length > b.length : a.vertex > b.vertex;
    });
    for (const Candidate& c : candidates) {
        const PlanPoint& q = plan.vertices[static_cast<size_t>(c.vertex)];
        if (!index.blocks(corner.cur, q, scratch)) {
            return q;
        }
    }
    return std::nullopt;
}

void GenerateIndexed(const AxialPlan& plan, AxialMapKind kind, std::vector<PlanSegment>& lines) {
    const std::vector<AxialCorner> corners = CornersOf(plan.polygons);
    const AxialWallIndex index(plan.walls);
    struct Scratch {
        AxialWallScratch walls;
        std::vector<Candidate> candidates;
    };
    tbb::enumerable_thread_specific<Scratch> scratches;
    std::vector<std::vector<PlanPoint>> targets(corners.size());
    tbb::parallel_for(size_t{0}, corners.size(), [&](size_t c) {
        Scratch& s = scratches.local();
        const AxialCorner& corner = corners[c];
        if (HasNoWedge(corner)) {
            return;
        }
        if (kind == AxialMapKind::Reduced) {
            if (auto q = LongestUnblocked(corner, plan, index, s.walls, s.candidates)) {
                targets[c].push_back(*q);
            }
            return;
        }
        for (const PlanPoint& q : plan.vertices) {
            if (IsCornerTarget(corner, q) && !index.blocks(corner.cur, q, s.walls)) {
                targets[c].push_back(q);
            }
        }
    });
    AxialLineSet map(lines);
    for (size_t c = 0; c < corners.size(); ++c) {
        for (const PlanPoint& q : targets[c]) {
            const PlanSegment line{corners[c].cur, q};
            if (!map.contains(line)) {
                map.add(line);
                lines.push_back(line);
            }
        }
    }
}

}  // namespace

void GenerateAxialMap(const AxialPlan& plan, AxialMapKind kind, std::vector<PlanSegment>& lines,
                      AxialMapMethod method) {
    if (method == AxialMapMethod::Reference) {
        GenerateReference(plan, kind, lines);
    } else {
        GenerateIndexed(plan, kind, lines);
    }
}
