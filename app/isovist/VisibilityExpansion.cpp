#include "isovist/VisibilityExpansion.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>

namespace {

using Inexact = CGAL::Exact_predicates_inexact_constructions_kernel;

constexpr int Ccw(int i) {
    return i == 2 ? 0 : i + 1;
}
constexpr int Cw(int i) {
    return i == 0 ? 2 : i - 1;
}

// Exact on doubles (a static filter, exact arithmetic when it cannot tell).
int OrientationOfDoubles(PlanPoint q, PlanPoint a, PlanPoint b) {
    return static_cast<int>(Inexact::Orientation_2()(Inexact::Point_2(q.x, q.y),
                                                     Inexact::Point_2(a.x, a.y),
                                                     Inexact::Point_2(b.x, b.y)));
}

// Far more steps than a walk from a nearby hint takes; a walk that cycles (possible where the
// triangulation is not Delaunay) gives up and leaves the point to the caller.
constexpr int kWalkSteps = 1 << 16;
// About this many triangles per cell of the hint grid.
constexpr double kTrianglesPerHint = 2.0;

}  // namespace

VisibilityExpansion::VisibilityExpansion(std::vector<Vertex> vertices,
                                         std::vector<Triangle> triangles)
    : vertices_(std::move(vertices)), triangles_(std::move(triangles)) {
    markBounded();
    buildHints();
}

// The triangles of the unbounded face are those reached from the hull without crossing a plan
// segment; every other one is in a bounded face.
void VisibilityExpansion::markBounded() {
    std::vector<int32_t> pending;
    for (size_t t = 0; t < triangles_.size(); ++t) {
        Triangle& triangle = triangles_[t];
        triangle.bounded = true;
        for (int i = 0; i < 3; ++i) {
            if (triangle.neighbor[i] < 0 && !triangle.isConstrained(i)) {
                triangle.bounded = false;  // an open edge on the hull
            }
        }
        if (!triangle.bounded) {
            pending.push_back(static_cast<int32_t>(t));
        }
    }
    while (!pending.empty()) {
        const Triangle& triangle = triangles_[pending.back()];
        pending.pop_back();
        for (int i = 0; i < 3; ++i) {
            const int32_t n = triangle.neighbor[i];
            if (n >= 0 && !triangle.isConstrained(i) && triangles_[n].bounded) {
                triangles_[n].bounded = false;
                pending.push_back(n);
            }
        }
    }
}

void VisibilityExpansion::buildHints() {
    if (triangles_.empty()) {
        return;
    }
    double maxX = vertices_.front().at.x, maxY = vertices_.front().at.y;
    minX_ = maxX;
    minY_ = maxY;
    for (const Vertex& v : vertices_) {
        minX_ = std::min(minX_, v.at.x);
        minY_ = std::min(minY_, v.at.y);
        maxX = std::max(maxX, v.at.x);
        maxY = std::max(maxY, v.at.y);
    }
    const double width = std::max(maxX - minX_, 1e-300);
    const double height = std::max(maxY - minY_, 1e-300);
    const double cells = std::max(1.0, static_cast<double>(triangles_.size()) / kTrianglesPerHint);
    const double side = std::sqrt(width * height / cells);
    columns_ = static_cast<int32_t>(std::clamp(std::ceil(width / side), 1.0, 4096.0));
    rows_ = static_cast<int32_t>(std::clamp(std::ceil(height / side), 1.0, 4096.0));
    cellWidth_ = width / columns_;
    cellHeight_ = height / rows_;
    hints_.assign(static_cast<size_t>(columns_) * static_cast<size_t>(rows_), 0);
    // Row by row, boustrophedon, each walk starting where the last one ended.
    int32_t at = 0;
    for (int32_t r = 0; r < rows_; ++r) {
        for (int32_t k = 0; k < columns_; ++k) {
            const int32_t c = r % 2 == 0 ? k : columns_ - 1 - k;
            const PlanPoint centre{minX_ + (c + 0.5) * cellWidth_, minY_ + (r + 0.5) * cellHeight_};
            bool onBoundary = false;
            const int32_t found = walk(centre, at, nullptr, onBoundary);
            if (found >= 0) {
                at = found;
            }
            hints_[static_cast<size_t>(r) * columns_ + c] = at;
        }
    }
}

int VisibilityExpansion::orientation(PlanPoint q, int32_t a, int32_t b,
                                     const ExactPredicates& exact) const {
    const Vertex& va = vertices_[a];
    const Vertex& vb = vertices_[b];
    if (va.isDouble && vb.isDouble) {
        return OrientationOfDoubles(q, va.at, vb.at);
    }
    if (const std::optional<int> turn = OrientationWithin(ExactlyAt(q), va.range, vb.range)) {
        return *turn;
    }
    return exact.orientation(q, a, b);
}

PlanPoint VisibilityExpansion::crossing(PlanPoint q, int32_t b, int32_t s, int32_t t,
                                        const ExactPredicates& exact) const {
    if (const auto end = RoundedLineCrossingWithin(ExactlyAt(q), vertices_[b].range,
                                                   vertices_[s].range, vertices_[t].range)) {
        return *end;
    }
    return exact.crossing(q, b, s, t);
}

// A remembering walk: from each triangle into a neighbour across an edge that q lies strictly
// beyond, trying the edges from a varying first one so that no cycle repeats for long. Without
// `exact` (building the hints) vertices that are not doubles are taken at their nearest doubles.
int32_t VisibilityExpansion::walk(PlanPoint q, int32_t from, const ExactPredicates* exact,
                                  bool& onBoundary) const {
    int32_t t = from;
    int32_t previous = -1;
    uint32_t mix = 0x9e3779b9u;
    for (int step = 0; step < kWalkSteps; ++step) {
        const Triangle& triangle = triangles_[t];
        mix ^= mix << 13;
        mix ^= mix >> 17;
        mix ^= mix << 5;
        const int first = static_cast<int>(mix % 3);
        int32_t next = -1;
        onBoundary = false;
        for (int k = 0; k < 3 && next < 0; ++k) {
            const int i = (first + k) % 3;
            if (triangle.neighbor[i] == previous && previous >= 0) {
                continue;  // q lies on this side of the edge just crossed
            }
            const int32_t a = triangle.vertex[Ccw(i)];
            const int32_t b = triangle.vertex[Cw(i)];
            const int turn = exact != nullptr
                                 ? orientation(q, a, b, *exact)
                                 : OrientationOfDoubles(q, vertices_[a].at, vertices_[b].at);
            if (turn < 0) {
                if (triangle.neighbor[i] < 0) {
                    return exact == nullptr ? t : kOutside;
                }
                next = triangle.neighbor[i];
            } else if (turn == 0) {
                onBoundary = true;
            }
        }
        if (next < 0) {
            return t;
        }
        previous = t;
        t = next;
    }
    return exact == nullptr ? t : kGaveUp;
}

int32_t VisibilityExpansion::locate(PlanPoint q, const ExactPredicates& exact,
                                    bool& onBoundary) const {
    onBoundary = false;
    if (triangles_.empty() || !std::isfinite(q.x) || !std::isfinite(q.y)) {
        return kGaveUp;
    }
    const auto cell = [](double offset, double size, int32_t count) {
        const double i = std::floor(offset / size);
        return static_cast<size_t>(std::clamp(i, 0.0, static_cast<double>(count - 1)));
    };
    const size_t c = cell(q.x - minX_, cellWidth_, columns_);
    const size_t r = cell(q.y - minY_, cellHeight_, rows_);
    return walk(q, hints_[r * static_cast<size_t>(columns_) + c], &exact, onBoundary);
}

struct VisibilityExpansion::Query {
    PlanPoint q;
    const ExactPredicates& exact;
    std::vector<PlanPoint>& out;
};

// The wedge of sight lines from q between the rays through `right` and `left` (vertices),
// entering the triangle across `edge` of `triangle`: the new vertex splits it, constrained
// edges end it with the rays' crossings, open ones pass it on. Passing the whole wedge, or its
// left part after the right one, is a step of the loop; only the right part of a split
// recurses, so the depth is the number of nested splits, not of triangles crossed.
void VisibilityExpansion::expand(Query& query, int32_t left, int32_t right, int32_t triangle,
                                 int edge) const {
    for (;;) {
        const Triangle& from = triangles_[triangle];
        const int32_t n = from.neighbor[edge];
        const Triangle& next = triangles_[n];
        const int nindex = from.mirror[edge];
        const int rindex = Ccw(nindex);
        const int lindex = Cw(nindex);
        const int32_t nv = next.vertex[nindex];
        const int32_t rv = next.vertex[Cw(nindex)];
        const int32_t lv = next.vertex[Ccw(nindex)];
        const int ro = orientation(query.q, right, nv, query.exact);
        const int lo = orientation(query.q, left, nv, query.exact);

        // The right edge is seen when the new vertex lies counter-clockwise of the right ray.
        if (ro > 0) {
            if (next.isConstrained(rindex)) {
                if (right != rv) {
                    query.out.push_back(crossing(query.q, right, nv, rv, query.exact));
                }
                if (lo > 0) {
                    query.out.push_back(crossing(query.q, left, nv, rv, query.exact));
                }
            } else if (lo > 0) {
                triangle = n;  // the whole wedge goes on through the right edge
                edge = rindex;
                continue;
            } else {
                expand(query, nv, right, n, rindex);
            }
        }
        if (ro >= 0 && lo <= 0) {
            query.out.push_back(vertices_[nv].at);
        }
        // The left edge is seen when the new vertex lies clockwise of the left ray.
        if (lo >= 0) {
            return;
        }
        if (next.isConstrained(lindex)) {
            if (ro < 0) {
                query.out.push_back(crossing(query.q, right, nv, lv, query.exact));
            }
            if (left != lv) {
                query.out.push_back(crossing(query.q, left, nv, lv, query.exact));
            }
            return;
        }
        if (ro >= 0) {
            right = nv;  // the part left of the new vertex
        }
        triangle = n;
        edge = lindex;
    }
}

VisibilityExpansion::Answer VisibilityExpansion::compute(PlanPoint q, const ExactPredicates& exact,
                                                         std::vector<PlanPoint>& outline) const {
    outline.clear();
    bool onBoundary = false;
    const int32_t t = locate(q, exact, onBoundary);
    if (t == kOutside || (t >= 0 && !onBoundary && !triangles_[t].bounded)) {
        return Answer::NoRegion;  // in the plan's unbounded face
    }
    if (t < 0 || onBoundary) {
        return Answer::NotSettled;
    }
    // As the query: each vertex, then the wedge through the edge that follows it.
    Query query{q, exact, outline};
    const Triangle& triangle = triangles_[t];
    for (const int i : {1, 2, 0}) {
        outline.push_back(vertices_[triangle.vertex[i]].at);
        const int edge = Cw(i);
        if (!triangle.isConstrained(edge)) {
            expand(query, triangle.vertex[Ccw(i)], triangle.vertex[i], t, edge);
        }
    }
    if (outline.size() < 3) {
        outline.clear();
        return Answer::NoRegion;
    }
    std::rotate(outline.begin(), outline.end() - 1, outline.end());
    return Answer::Outline;
}
