// The visibility-polygon method's plan data: the arrangement of every boundary and wall segment,
// its triangulation for visibility queries and a point location, all in exact arithmetic.
//
// Kept in the isovist scratch (one per thread: a query writes into the object's own working
// state) and rebuilt only when the plan differs, bit for bit, from the one it was built for
// (told by the plan's fingerprint when both are known, by comparing the segments otherwise).
// The geometry kernel stays inside the .cpp; this header is all the rest of the program sees.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "document/PlanTypes.h"

struct PlanTables;

class IsovistVisibilityPolygon {
  public:
    IsovistVisibilityPolygon();
    ~IsovistVisibilityPolygon();
    // A copy is a cache of its own, empty until it is prepared.
    IsovistVisibilityPolygon(const IsovistVisibilityPolygon&);
    IsovistVisibilityPolygon& operator=(const IsovistVisibilityPolygon&);
    IsovistVisibilityPolygon(IsovistVisibilityPolygon&&) noexcept;
    IsovistVisibilityPolygon& operator=(IsovistVisibilityPolygon&&) noexcept;

    // Brings the arrangement up to date with `plan`; cheap when the plan is unchanged. Segments
    // of zero length or with a coordinate that is not finite are left out.
    void prepare(const PlanTables& plan);

    // Tells whether a point lies in the open space of the plan (the isovist validity test).
    using OpenSpaceTest = std::function<bool(PlanPoint)>;

    // The outline of the region visible from `q`, counter-clockwise, its exact vertices each
    // rounded to the nearest doubles, in the order the query gives (the caller chooses the
    // start). False, with `outline` empty, when `q`
    // is not finite, lies in no bounded face, or lies on an edge or vertex with no open side.
    //
    // A point on an edge or a vertex of the drawing sees into one of the faces beside it: each
    // side is probed with `isOpen` at a point just off `q` inside that face, and of the open
    // sides the one whose probe direction has the smallest angle (-pi, pi] is taken. So a point
    // on a free-standing wall sees the side below (or right of) it, a point on the outline of a
    // wall polygon that the validity test accepts the side away from the wall, a point at a
    // wall polygon's corner the wedge outside it. The free end of a free-standing wall has no
    // side (the triangulation's walk cannot start there): false.
    //
    // The steps of the query. Fast expands CGAL's query over a flat copy of its triangulation
    // with exact orientations on doubles, where the point lies inside one of its triangles (or
    // outside them all); elsewhere it runs CGAL's query, which rounds each sight line's end to
    // the nearest doubles as it makes it (in extended precision where that settles it) and
    // records the vertices as it hands them out. Reference, the plain one, lets CGAL's query
    // construct the ends exactly and build its output arrangement, rounds each vertex to the
    // nearest doubles as it is handed out and walks the arrangement's region. Both give the same
    // outline, bit for bit, from the same vertex.
    enum class Steps { Fast, Reference };
    bool compute(PlanPoint q, const OpenSpaceTest& isOpen, std::vector<PlanPoint>& outline,
                 Steps steps = Steps::Fast);

    // Number of arrangement edges (0 before the first prepare); for benchmarks and tests.
    size_t edgeCount() const;
    // Fast queries since the last rebuild that the triangulation's own walk left to CGAL's
    // query (points on an edge or a vertex of the triangulation, or a walk that gave up); for
    // benchmarks and tests.
    size_t cgalQueryCount() const { return cgalQueries_; }

  private:
    bool sameAs(const PlanTables& plan) const;

    struct State;
    std::unique_ptr<State> state_;
    std::vector<PlanSegment> segments_;  // copies, to see whether the plan changed
    uint64_t fingerprint_ = 0;           // of the plan built for, 0 when not known
    size_t cgalQueries_ = 0;
};
