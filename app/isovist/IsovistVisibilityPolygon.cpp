#include "isovist/IsovistVisibilityPolygon.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>
#include <unordered_map>
#include <type_traits>
#include <utility>

#include <CGAL/Arr_trapezoid_ric_point_location.h>
#include <CGAL/Arr_segment_traits_2.h>
#include <CGAL/Arrangement_2.h>
#include <CGAL/Constrained_Delaunay_triangulation_2.h>
#include <CGAL/Exact_predicates_exact_constructions_kernel.h>

#include "isovist/VisibilityOutlineRecorder.h"

#include <CGAL/Triangular_expansion_visibility_2.h>

#include "isovist/IsovistEngine.h"
#include "isovist/PlanFingerprint.h"
#include "isovist/RoundedCrossing.h"
#include "isovist/VisibilityExpansion.h"

namespace {

using Kernel = CGAL::Exact_predicates_exact_constructions_kernel;
using Traits = CGAL::Arr_segment_traits_2<Kernel>;
using Arrangement = CGAL::Arrangement_2<Traits>;
// Regularised like CGAL::Tag_true, as a type of its own: the reference query below is then a
// visibility class of its own, with CGAL's sight-line ends.
struct ReferenceRegularised : CGAL::Tag_true {};
using Point = Kernel::Point_2;
// Randomised trapezoidal decomposition: logarithmic queries whatever the size of the faces (a
// walk from landmarks crosses the long outline of a big room edge by edge).
using PointLocation = CGAL::Arr_trapezoid_ric_point_location<Arrangement>;
// Regularised: needles (zero-width spikes along sight lines through vertices) are dropped, so
// the outline bounds the visible area. The query's sight-line ends are rounded as they are
// made (CrossingEnd below); the reference keeps CGAL's exact ones and rounds them on output.
using Visibility = CGAL::Triangular_expansion_visibility_2<Arrangement, CGAL::Tag_true>;
using ReferenceVisibility =
    CGAL::Triangular_expansion_visibility_2<Arrangement, ReferenceRegularised>;

// The triangulation CGAL's query builds over the arrangement's edges, with the same types and
// constraints in the same order, so the same triangles.
using Triangulation = CGAL::Constrained_Delaunay_triangulation_2<
    Kernel,
    CGAL::Triangulation_data_structure_2<CGAL::Triangulation_vertex_base_2<Kernel>,
                                         CGAL::Constrained_triangulation_face_base_2<Kernel>>,
    CGAL::No_constraint_intersection_requiring_constructions_tag>;

using Face = Arrangement::Face_const_handle;
using Halfedge = Arrangement::Halfedge_const_handle;
using Vertex = Arrangement::Vertex_const_handle;

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// How far off the point the first side probe lies, relative to the size of its coordinates;
// halved until the probe lands in the intended face.
constexpr double kProbeDistance = 1e-7;
constexpr int kProbeHalvings = 40;

bool Finite(PlanPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// The exact number type behind the kernel's lazy numbers.
using Exact = std::decay_t<decltype(CGAL::exact(std::declval<Kernel::FT>()))>;

// The double nearest to `exact` (ties to the even one), given doubles low <= exact <= high.
double NearestOfExact(const Exact& exact, double low, double high) {
    while (low != high) {
        const double next = std::nextafter(low, high);
        if (next == high) {
            const Exact middle = (Exact(low) + Exact(high)) / 2;
            if (exact < middle) {
                return low;
            }
            if (exact > middle) {
                return high;
            }
            return (std::bit_cast<uint64_t>(low) & 1u) == 0 ? low : high;
        }
        // Wider than two neighbours: halve it around a double inside.
        const double inside = low + (high - low) / 2;
        const double split = inside > low && inside < high ? inside : next;
        if (exact < Exact(split)) {
            high = split;
        } else if (exact > Exact(split)) {
            low = split;
        } else {
            return split;
        }
    }
    return low;
}

double NearestOfExact(const Exact& exact) {
    const auto interval = CGAL::to_interval(exact);
    return NearestOfExact(exact, interval.first, interval.second) + 0.0;
}

// The double nearest to the exact value (ties to the even one; zero is +0). A value its
// interval pins down is that double; any other is evaluated exactly and compared with the
// midpoint of the doubles around it. So the result depends on the exact value alone, never on
// how far the lazy number's interval happened to be narrowed before.
double ToDouble(const Kernel::FT& value) {
    auto interval = CGAL::to_interval(value);
    if (interval.first == interval.second) {
        return interval.first + 0.0;
    }
    const Exact& exact = value.exact();
    interval = CGAL::to_interval(value);
    return NearestOfExact(exact, interval.first, interval.second) + 0.0;
}

// The point's coordinates when both are doubles exactly (read from its interval
// approximation, which makes no new lazy number).
bool AsDoubles(const Point& p, PlanPoint& out) {
    const auto& approximation = CGAL::approx(p);
    const auto& x = approximation.x();
    const auto& y = approximation.y();
    out = {x.inf() + 0.0, y.inf() + 0.0};
    return x.inf() == x.sup() && y.inf() == y.sup();
}

// The nearest doubles of a point's exact coordinates.
PlanPoint NearestPoint(const Point& p) {
    return PlanPoint{ToDouble(p.x()), ToDouble(p.y())};
}

// The nearest doubles of the plan's vertices that are not doubles already (where walls
// cross), and the two doubles around each exact coordinate, by the shared representation of
// the vertex's point (which the triangulation's copies keep); found once, when the plan is
// prepared.
struct RoundedVertex {
    PlanPoint nearest;
    PointWithin range;
    Exact x;
    Exact y;
};
using RoundedVertices = std::unordered_map<CGAL::Handle::Id_type, RoundedVertex>;

RoundedVertex RoundedVertexOf(const Point& p) {
    RoundedVertex v{NearestPoint(p), {}, CGAL::exact(p).x(), CGAL::exact(p).y()};
    // Evaluated exactly by NearestPoint: the intervals are those of the exact value now.
    const auto x = CGAL::to_interval(p.x());
    const auto y = CGAL::to_interval(p.y());
    v.range = {x.first, x.second, y.first, y.second};
    // Closer in extended precision: the nearest double plus the rest (get_d truncates).
    NarrowWithin(v.nearest.x, Exact(v.x - v.nearest.x).get_d(), v.range.centreX, v.range.radiusX);
    NarrowWithin(v.nearest.y, Exact(v.y - v.nearest.y).get_d(), v.range.centreY, v.range.radiusY);
    return v;
}

// The plan's rounded vertices while a query of this thread runs (CGAL's query calls the
// sight-line construction below with points only).
thread_local const RoundedVertices* tQueryVertices = nullptr;

class QueryVerticesScope {
  public:
    explicit QueryVerticesScope(const RoundedVertices& vertices) { tQueryVertices = &vertices; }
    ~QueryVerticesScope() { tQueryVertices = nullptr; }
    QueryVerticesScope(const QueryVerticesScope&) = delete;
    QueryVerticesScope& operator=(const QueryVerticesScope&) = delete;
};

// NearestPoint, looked up for a plan vertex.
struct ToPlanPoint {
    const RoundedVertices* vertices = nullptr;

    PlanPoint operator()(const Point& p) const {
        PlanPoint out;
        if (AsDoubles(p, out)) {
            return out;
        }
        if (vertices != nullptr) {
            const auto found = vertices->find(p.id());
            if (found != vertices->end()) {
                return found->second.nearest;
            }
        }
        return NearestPoint(p);
    }
};

// The plan vertex (of a running query) that `p` is, if it is one that is not a double.
const RoundedVertex* PlanVertexOf(const Point& p) {
    if (tQueryVertices == nullptr) {
        return nullptr;
    }
    const auto found = tQueryVertices->find(p.id());
    return found == tQueryVertices->end() ? nullptr : &found->second;
}

// The range of doubles a point lies in: itself when it is a double, else a plan vertex's.
bool RangeOf(const Point& p, PointWithin& range) {
    PlanPoint exactly;
    if (AsDoubles(p, exactly)) {
        range = ExactlyAt(exactly);
        return true;
    }
    const RoundedVertex* vertex = PlanVertexOf(p);
    if (vertex != nullptr) {
        range = vertex->range;
    }
    return vertex != nullptr;
}

// A point's exact coordinates: its own when it is a double, else a plan vertex's.
bool ExactOf(const Point& p, Exact& x, Exact& y) {
    PlanPoint exactly;
    if (AsDoubles(p, exactly)) {
        x = exactly.x;
        y = exactly.y;
        return true;
    }
    const RoundedVertex* vertex = PlanVertexOf(p);
    if (vertex != nullptr) {
        x = vertex->x;
        y = vertex->y;
    }
    return vertex != nullptr;
}

// The crossing of the lines through q, b and s, t in exact rational arithmetic, rounded to the
// nearest doubles; empty for parallel lines or points of unknown exact value.
std::optional<PlanPoint> ExactLineCrossing(const Point& q, const Point& b, const Point& s,
                                           const Point& t) {
    Exact qx, qy, bx, by, sx, sy, tx, ty;
    if (!ExactOf(q, qx, qy) || !ExactOf(b, bx, by) || !ExactOf(s, sx, sy) || !ExactOf(t, tx, ty)) {
        return std::nullopt;
    }
    const Exact ux = bx - qx;
    const Exact uy = by - qy;
    const Exact vx = tx - sx;
    const Exact vy = ty - sy;
    const Exact denominator = ux * vy - uy * vx;
    if (denominator == 0) {
        return std::nullopt;
    }
    const Exact lambda = ((sx - qx) * vy - (sy - qy) * vx) / denominator;
    return PlanPoint{NearestOfExact(qx + ux * lambda), NearestOfExact(qy + uy * lambda)};
}

// Where the sight line from q through b meets the edge from s to t, rounded to the nearest
// doubles: in extended precision when each point is a double or a plan vertex of known range
// and the bound settles the rounding, otherwise exactly from the points' exact coordinates (or,
// for points of no known exact value, as CGAL's query finds it), then rounded. The query only
// hands these points out (its decisions are all on the plan's own vertices and q), so the
// rounded point it carries changes nothing but the coordinates it reports, which are the
// reference's.
Point CrossingEnd(const Point& q, const Point& b, const Point& s, const Point& t) {
    PointWithin rq, rb, rs, rt;
    if (RangeOf(q, rq) && RangeOf(b, rb) && RangeOf(s, rs) && RangeOf(t, rt)) {
        if (const std::optional<PlanPoint> end = RoundedLineCrossingWithin(rq, rb, rs, rt)) {
            return Point(end->x, end->y);
        }
    }
    if (const std::optional<PlanPoint> end = ExactLineCrossing(q, b, s, t)) {
        return Point(end->x, end->y);
    }
    const CGAL::Object hit = Kernel::Intersect_2()(Kernel::Ray_2(q, b), Kernel::Segment_2(s, t));
    const PlanPoint end = NearestPoint(CGAL::object_cast<Point>(hit));
    return Point(end.x, end.y);
}

}  // namespace

template <>
Point Visibility::ray_seg_intersection(const Point& q, const Point& b, const Point& s,
                                       const Point& t) const {
    return CrossingEnd(q, b, s, t);
}

namespace {

// The expansion's exact answers on the triangulation's own points.
class ExactPlanVertices : public VisibilityExpansion::ExactPredicates {
  public:
    ExactPlanVertices(std::vector<Point> points, const RoundedVertices& rounded)
        : points_(std::move(points)), rounded_(rounded) {}

    int orientation(PlanPoint q, int32_t a, int32_t b) const override {
        return static_cast<int>(Kernel::Orientation_2()(Point(q.x, q.y), points_[a], points_[b]));
    }
    PlanPoint crossing(PlanPoint q, int32_t b, int32_t s, int32_t t) const override {
        const QueryVerticesScope scope(rounded_);
        PlanPoint end;
        AsDoubles(CrossingEnd(Point(q.x, q.y), points_[b], points_[s], points_[t]), end);
        return end;
    }

  private:
    std::vector<Point> points_;
    const RoundedVertices& rounded_;
};

// The triangulation of the arrangement's edges in flat arrays, with its points for the exact
// answers.
std::pair<VisibilityExpansion, std::vector<Point>> Flattened(const Arrangement& plan,
                                                             const RoundedVertices& rounded) {
    std::vector<std::pair<Point, Point>> constraints;
    constraints.reserve(plan.number_of_edges());
    for (auto e = plan.edges_begin(); e != plan.edges_end(); ++e) {
        constraints.emplace_back(e->source()->point(), e->target()->point());
    }
    const Triangulation triangulation(constraints.begin(), constraints.end());
    if (triangulation.dimension() != 2) {
        return {};
    }
    const ToPlanPoint toPlanPoint{&rounded};
    std::unordered_map<Triangulation::Vertex_handle, int32_t> vertexIndex;
    std::vector<VisibilityExpansion::Vertex> vertices;
    std::vector<Point> points;
    for (auto v = triangulation.finite_vertices_begin(); v != triangulation.finite_vertices_end();
         ++v) {
        vertexIndex.emplace(v, static_cast<int32_t>(vertices.size()));
        // A vertex is a double or one of the plan's rounded vertices (as in the arrangement);
        // any other is known by its interval.
        PlanPoint exactly;
        const bool isDouble = AsDoubles(v->point(), exactly);
        const auto found = rounded.find(v->point().id());
        PointWithin range = ExactlyAt(exactly);
        if (found != rounded.end()) {
            range = found->second.range;
        } else if (!isDouble) {
            const auto x = CGAL::to_interval(v->point().x());
            const auto y = CGAL::to_interval(v->point().y());
            range = {x.first, x.second, y.first, y.second};
        }
        vertices.push_back({toPlanPoint(v->point()), range, isDouble});
        points.push_back(v->point());
    }
    std::unordered_map<Triangulation::Face_handle, int32_t> faceIndex;
    for (auto f = triangulation.finite_faces_begin(); f != triangulation.finite_faces_end(); ++f) {
        faceIndex.emplace(f, static_cast<int32_t>(faceIndex.size()));
    }
    std::vector<VisibilityExpansion::Triangle> triangles(faceIndex.size());
    for (auto f = triangulation.finite_faces_begin(); f != triangulation.finite_faces_end(); ++f) {
        VisibilityExpansion::Triangle& t = triangles[faceIndex.at(f)];
        for (int i = 0; i < 3; ++i) {
            t.vertex[i] = vertexIndex.at(f->vertex(i));
            const auto n = f->neighbor(i);
            t.neighbor[i] = triangulation.is_infinite(n) ? -1 : faceIndex.at(n);
            t.mirror[i] = static_cast<uint8_t>(n->index(f));
            t.constrained |= static_cast<uint8_t>(f->is_constrained(i) ? 1 << i : 0);
        }
    }
    return {VisibilityExpansion(std::move(vertices), std::move(triangles)), std::move(points)};
}

double AngleOf(const Point& from, const Point& to) {
    const PlanPoint a = NearestPoint(from);
    const PlanPoint b = NearestPoint(to);
    return std::atan2(b.y - a.y, b.x - a.x);
}

using Recorder = VisibilityOutlineRecorder<Point, Kernel::Segment_2, PlanPoint, ToPlanPoint>;
using OutputArrangement = NotingArrangement<Arrangement, PlanPoint, ToPlanPoint>;

// One side of the point: the halfedge whose face the visibility is computed in, and the
// direction (radians) of the probe into that face.
struct Side {
    Halfedge halfedge;
    double direction = 0.0;
};

}  // namespace

struct IsovistVisibilityPolygon::State {
    Arrangement plan;
    RoundedVertices roundedVertices;
    // The query for points inside a triangle of the plan's triangulation.
    VisibilityExpansion expansion;
    std::unique_ptr<ExactPlanVertices> exactVertices;
    // CGAL's own point location and query, for every other point; made on their first request.
    PointLocation location;
    bool locationAttached = false;
    Visibility visibility;
    Recorder recorder;
    // The reference steps' query and output, made on their first request.
    std::unique_ptr<ReferenceVisibility> reference;
    OutputArrangement output;

    explicit State(const std::vector<Traits::Curve_2>& curves)
        : recorder(ToPlanPoint{&roundedVertices}), output(ToPlanPoint{&roundedVertices}) {
        CGAL::insert(plan, curves.begin(), curves.end());
        for (auto v = plan.vertices_begin(); v != plan.vertices_end(); ++v) {
            PlanPoint rounded;
            if (!AsDoubles(v->point(), rounded)) {
                roundedVertices.emplace(v->point().id(), RoundedVertexOf(v->point()));
            }
        }
        auto [flat, points] = Flattened(plan, roundedVertices);
        expansion = std::move(flat);
        exactVertices = std::make_unique<ExactPlanVertices>(std::move(points), roundedVertices);
    }

    PointLocation& pointLocation() {
        if (!locationAttached) {
            location.attach(plan);
            locationAttached = true;
        }
        return location;
    }

    // The sides of a point on edge h: to the left of h and of its twin.
    void edgeSides(Halfedge h, std::vector<Side>& sides) const {
        for (const Halfedge side : {h, h->twin()}) {
            if (!side->face()->is_unbounded()) {
                const double along = AngleOf(side->source()->point(), side->target()->point());
                sides.push_back({side, along + 0.5 * std::numbers::pi});
            }
        }
    }

    // The sides of a point at vertex v: the wedge of each bounded face around it, between the
    // halfedge h into v and the next one out of v. The free end of a wall (one edge, a wedge of
    // a whole turn) offers none: the visibility query cannot start there.
    void vertexSides(Vertex v, std::vector<Side>& sides) const {
        auto h = v->incident_halfedges();
        const auto first = h;
        do {
            if (!h->face()->is_unbounded()) {
                const double out = AngleOf(v->point(), h->next()->target()->point());
                const double back = AngleOf(v->point(), h->source()->point());
                const double span = std::fmod(back - out + 2.0 * kTwoPi, kTwoPi);
                if (h->next() != h->twin() && span > 0.0) {
                    sides.push_back({h, out + 0.5 * span});
                }
            }
        } while (++h != first);
    }

    // True when a point just off q in `direction` lies in `face` and in the open space.
    bool probeOpen(PlanPoint q, double direction, Face face, const OpenSpaceTest& isOpen) {
        double distance = kProbeDistance * std::max({1.0, std::abs(q.x), std::abs(q.y)});
        for (int i = 0; i < kProbeHalvings; ++i, distance *= 0.5) {
            const PlanPoint probe{q.x + distance * std::cos(direction),
                                  q.y + distance * std::sin(direction)};
            const auto found = pointLocation().locate(Point(probe.x, probe.y));
            const Face* inFace = boost::get<Face>(&found);
            if (inFace != nullptr && *inFace == face) {
                return isOpen(probe);
            }
        }
        return false;
    }

    // The reference: the region's boundary in the output arrangement, from the halfedge the
    // arrangement starts it at, with the points noted as the query handed them out.
    bool walkedOutline(OutputArrangement::Face_handle region,
                       std::vector<PlanPoint>& outline) const {
        outline.clear();
        if (region->is_unbounded() || !region->has_outer_ccb()) {
            return false;
        }
        auto edge = region->outer_ccb();
        const auto first = edge;
        do {
            outline.push_back(output.noted(edge->source()));
        } while (++edge != first);
        return true;
    }

    // The recorded vertices from the one the output arrangement's region starts at: the
    // arrangement's last edge closes the region from the last vertex to the first, and the
    // region's boundary begins with it.
    bool recordedOutline(std::vector<PlanPoint>& outline) const {
        const std::vector<PlanPoint>& vertices = recorder.vertices();
        outline.clear();
        if (vertices.size() < 3) {
            return false;
        }
        outline.push_back(vertices.back());
        outline.insert(outline.end(), vertices.begin(), vertices.end() - 1);
        return true;
    }

    // The region visible from q in the face of `where` (a face or a halfedge), as an outline.
    template <typename Where>
    bool visibleOutline(const Point& q, Where where, Steps steps, std::vector<PlanPoint>& outline) {
        if (steps == Steps::Reference) {
            if (reference == nullptr) {
                reference = std::make_unique<ReferenceVisibility>(plan);
            }
            return walkedOutline(reference->compute_visibility(q, where, output), outline);
        }
        if (!visibility.is_attached()) {
            visibility.attach(plan);
        }
        const QueryVerticesScope scope(roundedVertices);
        visibility.compute_visibility(q, where, recorder);
        return recordedOutline(outline);
    }
};

IsovistVisibilityPolygon::IsovistVisibilityPolygon() = default;
IsovistVisibilityPolygon::~IsovistVisibilityPolygon() = default;
IsovistVisibilityPolygon::IsovistVisibilityPolygon(const IsovistVisibilityPolygon&) {}
IsovistVisibilityPolygon& IsovistVisibilityPolygon::operator=(const IsovistVisibilityPolygon& other) {
    if (this != &other) {
        state_.reset();
        segments_.clear();
        fingerprint_ = 0;
        cgalQueries_ = 0;
    }
    return *this;
}
IsovistVisibilityPolygon::IsovistVisibilityPolygon(IsovistVisibilityPolygon&&) noexcept = default;
IsovistVisibilityPolygon& IsovistVisibilityPolygon::operator=(IsovistVisibilityPolygon&&) noexcept =
    default;

bool IsovistVisibilityPolygon::sameAs(const PlanTables& plan) const {
    if (state_ == nullptr || segments_.size() != plan.wallSegments.size()) {
        return false;
    }
    return SameKnownFingerprint(fingerprint_, plan) || segments_.empty() ||
           std::memcmp(segments_.data(), plan.wallSegments.data(),
                       plan.wallSegments.size_bytes()) == 0;
}

void IsovistVisibilityPolygon::prepare(const PlanTables& plan) {
    if (sameAs(plan)) {
        if (plan.fingerprint != 0) {
            fingerprint_ = plan.fingerprint;
        }
        return;
    }
    state_.reset();
    cgalQueries_ = 0;
    fingerprint_ = plan.fingerprint;
    segments_.assign(plan.wallSegments.begin(), plan.wallSegments.end());
    std::vector<Traits::Curve_2> curves;
    curves.reserve(segments_.size());
    for (const PlanSegment& s : segments_) {
        if (Finite(s.start) && Finite(s.end) && s.start != s.end) {
            curves.emplace_back(Point(s.start.x, s.start.y), Point(s.end.x, s.end.y));
        }
    }
    state_ = std::make_unique<State>(curves);
}

size_t IsovistVisibilityPolygon::edgeCount() const {
    return state_ == nullptr ? 0 : state_->plan.number_of_edges();
}

bool IsovistVisibilityPolygon::compute(PlanPoint q, const OpenSpaceTest& isOpen,
                                       std::vector<PlanPoint>& outline, Steps steps) {
    outline.clear();
    if (state_ == nullptr || !Finite(q)) {
        return false;
    }
    State& a = *state_;
    if (steps == Steps::Fast) {
        const auto answer = a.expansion.compute(q, *a.exactVertices, outline);
        if (answer != VisibilityExpansion::Answer::NotSettled) {
            return answer == VisibilityExpansion::Answer::Outline;
        }
        ++cgalQueries_;
    }
    const Point query(q.x, q.y);
    const auto found = a.pointLocation().locate(query);
    if (const Face* face = boost::get<Face>(&found)) {
        if ((*face)->is_unbounded()) {
            return false;
        }
        return a.visibleOutline(query, *face, steps, outline);
    }
    std::vector<Side> sides;
    if (const Halfedge* edge = boost::get<Halfedge>(&found)) {
        a.edgeSides(*edge, sides);
    } else if (const Vertex* vertex = boost::get<Vertex>(&found)) {
        if (!(*vertex)->is_isolated()) {
            a.vertexSides(*vertex, sides);
        }
    }
    for (Side& side : sides) {
        side.direction = std::remainder(side.direction, kTwoPi);
        if (side.direction == -std::numbers::pi) {
            side.direction = std::numbers::pi;
        }
    }
    std::stable_sort(sides.begin(), sides.end(),
                     [](const Side& l, const Side& r) { return l.direction < r.direction; });
    for (const Side& side : sides) {
        if (a.probeOpen(q, side.direction, side.halfedge->face(), isOpen)) {
            return a.visibleOutline(query, side.halfedge, steps, outline);
        }
    }
    return false;
}
