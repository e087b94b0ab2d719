// The region visible from a point, by triangular expansion over the plan's constrained
// triangulation held in flat arrays: each query walks to the triangle holding the point and
// expands sight wedges through its unconstrained edges, deciding with exact orientations on
// doubles. The expansion is the one CGAL's triangular-expansion query performs (regularised:
// no needles), step for step and output for output, on the very triangulation it builds, so
// the outline is the same, vertex for vertex; it skips CGAL's handle and lazy-number costs.
//
// Points outside the triangulation or in the plan's unbounded face see no region; points this
// walk does not settle (on an edge or a vertex of the triangulation, or a walk that does not
// end) are left to the caller.
//
// The few plan vertices that are not doubles (where walls cross) are decided and met exactly by
// the caller's `ExactPredicates`.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "document/PlanTypes.h"
#include "isovist/RoundedCrossing.h"

class VisibilityExpansion {
  public:
    struct Vertex {
        PlanPoint at;      // the nearest doubles of the exact point
        PointWithin range; // the doubles around it (a single double when it is one)
        bool isDouble = true;
    };
    // A finite triangle, counter-clockwise: neighbour i (-1 for an infinite one) lies across the
    // edge opposite vertex i, and has this triangle as its neighbour `mirror[i]`.
    struct Triangle {
        std::array<int32_t, 3> vertex{};
        std::array<int32_t, 3> neighbor{};
        std::array<uint8_t, 3> mirror{};
        uint8_t constrained = 0;  // bit i: the edge opposite vertex i is a plan segment
        bool bounded = false;     // in a bounded face of the plan
        bool isConstrained(int i) const { return (constrained >> i & 1) != 0; }
    };

    // Exact answers for triples with a vertex that is not a double.
    class ExactPredicates {
      public:
        virtual ~ExactPredicates() = default;
        // The sign of the turn q -> a -> b: 1 counter-clockwise, -1 clockwise, 0 collinear.
        virtual int orientation(PlanPoint q, int32_t a, int32_t b) const = 0;
        // Where the sight line from q through b meets the line through s and t, rounded to the
        // nearest doubles.
        virtual PlanPoint crossing(PlanPoint q, int32_t b, int32_t s, int32_t t) const = 0;
    };

    VisibilityExpansion() = default;
    // The triangles must form a triangulation of the vertices' convex hull; their bounded flags
    // are set here from the constrained edges.
    VisibilityExpansion(std::vector<Vertex> vertices, std::vector<Triangle> triangles);

    enum class Answer { Outline, NoRegion, NotSettled };
    // The region visible from q as CGAL's query hands its vertices out, rotated to start at the
    // last one (where the query's output arrangement starts its region).
    Answer compute(PlanPoint q, const ExactPredicates& exact, std::vector<PlanPoint>& outline) const;

  private:
    // The triangle whose closure holds q, kOutside when q lies outside the triangulation, kGaveUp
    // for a point not finite or a walk that does not end; `onBoundary` tells whether q lies on
    // one of its edges.
    static constexpr int32_t kOutside = -1;
    static constexpr int32_t kGaveUp = -2;
    int32_t locate(PlanPoint q, const ExactPredicates& exact, bool& onBoundary) const;
    int orientation(PlanPoint q, int32_t a, int32_t b, const ExactPredicates& exact) const;
    PlanPoint crossing(PlanPoint q, int32_t b, int32_t s, int32_t t,
                       const ExactPredicates& exact) const;
    void markBounded();
    void buildHints();
    int32_t walk(PlanPoint q, int32_t from, const ExactPredicates* exact, bool& onBoundary) const;

    struct Query;
    void expand(Query& query, int32_t left, int32_t right, int32_t triangle, int edge) const;

    std::vector<Vertex> vertices_;
    std::vector<Triangle> triangles_;
    // A triangle near each cell's centre of a grid over the vertices, where walks start.
    std::vector<int32_t> hints_;
    double minX_ = 0.0, minY_ = 0.0, cellWidth_ = 1.0, cellHeight_ = 1.0;
    int32_t columns_ = 0, rows_ = 0;
};
