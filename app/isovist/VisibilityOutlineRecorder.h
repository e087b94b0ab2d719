// The output of CGAL's triangular-expansion visibility query without an arrangement. The query
// hands its region's vertices, in order, to an output arrangement type it is templated on: the
// first vertex into the unbounded face, then one edge from the previous vertex to each next
// one, then the edge closing the region. This stand-in takes exactly those calls and keeps
// each vertex, converted by `convert` the moment it is handed out, so a query allocates no
// arrangement records. NotingArrangement (below) is the real arrangement that notes the same
// conversions, the reference the recorder is tested against.
//
// Included by IsovistVisibilityPolygon.cpp only, after the kernel and before the visibility
// header, which must see the overload at the end.
#pragma once

#include <cstdlib>
#include <unordered_map>
#include <vector>

#include <CGAL/Arrangement_2.h>

template <typename Point, typename Segment, typename Converted, typename Convert>
class VisibilityOutlineRecorder {
  public:
    explicit VisibilityOutlineRecorder(Convert convert) : convert_(convert) {}

    // The region's vertices in the order handed out.
    const std::vector<Converted>& vertices() const { return vertices_; }

    struct Vertex {};
    using Vertex_handle = const Vertex*;
    struct Halfedge {
        Vertex_handle to;
        Vertex_handle target() const { return to; }
    };
    struct Halfedge_handle {
        Halfedge edge;
        const Halfedge* operator->() const { return &edge; }
    };
    struct Face {
        bool unbounded;
        bool is_unbounded() const { return unbounded; }
    };
    // Two faces: the unbounded one (faces_begin()), then the region.
    class Face_handle {
      public:
        explicit Face_handle(const Face* face) : face_(face) {}
        const Face* operator->() const { return face_; }
        Face_handle& operator++() {
            ++face_;
            return *this;
        }

      private:
        const Face* face_;
    };

    void clear() { vertices_.clear(); }
    Face_handle unbounded_face() const { return Face_handle(&faces_[0]); }
    Face_handle faces_begin() const { return Face_handle(&faces_[0]); }
    size_t number_of_faces() const { return 2; }
    Vertex_handle insert_in_face_interior(const Point& p, Face_handle) {
        vertices_.push_back(convert_(p));
        return &vertex_;
    }
    Halfedge_handle insert_from_left_vertex(const Segment& s, Vertex_handle) { return add(s); }
    Halfedge_handle insert_from_right_vertex(const Segment& s, Vertex_handle) { return add(s); }
    Halfedge_handle insert_at_vertices(const Segment&, Vertex_handle, Vertex_handle) {
        return Halfedge_handle{{&vertex_}};
    }

  private:
    Halfedge_handle add(const Segment& s) {
        vertices_.push_back(convert_(s.target()));
        return Halfedge_handle{{&vertex_}};
    }

    Convert convert_;
    std::vector<Converted> vertices_;
    Vertex vertex_;
    Face faces_[2] = {{true}, {false}};
};

// CGAL's output arrangement itself, noting each new vertex's point converted by `convert` at
// the moment the query hands it out (before the arrangement works on it), by vertex.
template <typename Arrangement, typename Converted, typename Convert>
class NotingArrangement : public Arrangement {
  public:
    explicit NotingArrangement(Convert convert) : convert_(convert) {}

    using Point = typename Arrangement::Point_2;
    using Segment = typename Arrangement::X_monotone_curve_2;
    using typename Arrangement::Face_handle;
    using typename Arrangement::Halfedge_handle;
    using typename Arrangement::Vertex_const_handle;
    using typename Arrangement::Vertex_handle;

    // The converted point of a vertex of the arrangement.
    const Converted& noted(Vertex_const_handle v) const { return noted_.at(&*v); }

    void clear() {
        Arrangement::clear();
        noted_.clear();
    }
    Vertex_handle insert_in_face_interior(const Point& p, Face_handle f) {
        const Converted c = convert_(p);
        const Vertex_handle v = Arrangement::insert_in_face_interior(p, f);
        noted_[&*v] = c;
        return v;
    }
    Halfedge_handle insert_from_left_vertex(const Segment& s, Vertex_handle v) {
        const Converted c = convert_(s.target());
        return note(Arrangement::insert_from_left_vertex(s, v), c);
    }
    Halfedge_handle insert_from_right_vertex(const Segment& s, Vertex_handle v) {
        const Converted c = convert_(s.target());
        return note(Arrangement::insert_from_right_vertex(s, v), c);
    }

  private:
    Halfedge_handle note(Halfedge_handle h, const Converted& c) {
        noted_[&*h->target()] = c;
        return h;
    }

    Convert convert_;
    std::unordered_map<const void*, Converted> noted_;
};

namespace CGAL {
// Only the unregularised query (needles kept) inserts its output this way; the recorder serves
// the regularised one, so this never runs.
template <typename Point, typename Segment, typename Converted, typename Convert, typename Iterator>
void insert_non_intersecting_curves(VisibilityOutlineRecorder<Point, Segment, Converted, Convert>&,
                                    Iterator, Iterator) {
    std::abort();
}
}  // namespace CGAL
