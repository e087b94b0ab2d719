#include "poly_overlay.h"

#include "poly_edge_pairs.h"
#include "poly_ring_parity.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace gonion::poly {

namespace {

enum class Location : int8_t { Outside, Inside, OnBoundary };

// Up to this many edge pairs, testing every pair is faster than sorting for a sweep.
constexpr std::size_t kSmallPairCount = 400;

// A vertex of one ring: an input vertex or a meeting point inserted into one of its edges.
struct Node {
    double x;
    double y;
    int32_t prev;
    int32_t next;
    uint8_t owner;
    Location location;
    int32_t crossing;  // index into the crossing records, -1 for an ordinary vertex
    bool visited;
};

// Classification bytes of a crossing, per ring: 0 the ring leaves back along the other ring's
// arriving edge, 1 both rings leave together along a shared edge, 2 the ring continues outside
// the other polygon, 3 inside it (for counter-clockwise rings).
struct Crossing {
    std::array<int32_t, 2> node{-1, -1};
    std::array<uint8_t, 2> side{0, 0};
    std::array<bool, 2> used{false, false};
    uint8_t kind = 0;  // 0 vertex on vertex, 1 vertex on edge, 3 proper crossing
};

// Where a meeting point sits on one ring: on input vertex `index`, or inside edge `index` at
// parameter t.
struct RingPosition {
    bool isVertex;
    int32_t index;
    double t;
};

struct EdgeInsert {
    double t;
    zoPoint point;
    int32_t crossing;
};

struct Vec {
    double x, y;
};

Vec unit(double x, double y) {
    const double length = std::hypot(x, y);
    return length > 0 ? Vec{x / length, y / length} : Vec{0, 0};
}

double crossV(Vec a, Vec b) {
    return cross(a.x, a.y, b.x, b.y);
}
double dotV(Vec a, Vec b) {
    return dot(a.x, a.y, b.x, b.y);
}

// True when v leaves the corner (in, out) of a counter-clockwise ring towards its outside.
bool pointsOutOfCorner(Vec in, Vec out, Vec v) {
    const double k1 = crossV(in, out);
    const double k2 = crossV(in, v);
    const double k3 = crossV(out, v);
    return k1 > 0 ? (k2 < 0 || k3 < 0) : (k2 < 0 && k3 < 0);
}

double edgeParameter(zoPoint p, zoPoint a, zoPoint b) {
    const double sx = b.x - a.x, sy = b.y - a.y;
    return dot(p.x - a.x, p.y - a.y, sx, sy) / dot(sx, sy, sx, sy);
}

bool samePoint(zoPoint a, zoPoint b) {
    return std::fabs(a.x - b.x) < kEpsilon && std::fabs(a.y - b.y) < kEpsilon;
}

class OverlayBuilder {
  public:
    OverlayBuilder(const Ring& first, const Ring& second, Operation operation)
        : rings_{&first, &second}, operation_(operation) {
        for (int r = 0; r < 2; ++r) {
            vertexCrossing_[r].assign(rings_[r]->size(), -1);
            edgeInserts_[r].resize(rings_[r]->size());
        }
    }

    Overlay run() {
        findMeetingPoints();
        buildNodes();
        classifyCrossings();
        locateVertices();
        Overlay result;
        result.configuration = configuration();
        if (result.configuration == Configuration::Traced)
            result.rings = trace();
        return result;
    }

  private:
    const std::array<const Ring*, 2> rings_;
    const Operation operation_;
    std::array<std::vector<int32_t>, 2> vertexCrossing_;
    std::array<std::vector<std::vector<EdgeInsert>>, 2> edgeInserts_;
    std::array<std::vector<Node>, 2> nodes_;
    std::vector<Crossing> crossings_;

    zoPoint vertex(int r, std::size_t i) const {
        const Ring& ring = *rings_[r];
        return ring[i % ring.size()];
    }

    bool positionFree(int r, const RingPosition& position, zoPoint point) const {
        if (position.isVertex)
            return vertexCrossing_[r][position.index] < 0;
        for (const EdgeInsert& insert : edgeInserts_[r][position.index]) {
            if (samePoint(insert.point, point))
                return false;
        }
        return true;
    }

    // Records a meeting point unless one of its positions is already taken (possible only for
    // rings that touch themselves); each ring position carries at most one crossing.
    void addCrossing(uint8_t kind, RingPosition first, RingPosition second, zoPoint point) {
        const std::array<RingPosition, 2> positions{first, second};
        for (int r = 0; r < 2; ++r) {
            if (!positionFree(r, positions[r], point))
                return;
        }
        const auto index = static_cast<int32_t>(crossings_.size());
        Crossing crossing;
        crossing.kind = kind;
        crossings_.push_back(crossing);
        for (int r = 0; r < 2; ++r) {
            const RingPosition& p = positions[r];
            if (p.isVertex) {
                vertexCrossing_[r][p.index] = index;
            } else {
                edgeInserts_[r][p.index].push_back(EdgeInsert{p.t, point, index});
            }
        }
    }

    // Every pair of edges (i of the first ring, j of the second) whose boxes overlap, in
    // ascending order: vertices on vertices, vertices on edges, then proper crossings of edges
    // that do not touch at an end point. The boxes are widened by twice the tolerance: a point
    // that the on-segment test accepts lies within the tolerance of the segment.
    void findMeetingPoints() {
        const Ring& a = *rings_[0];
        const Ring& b = *rings_[1];
        const double margin = 2 * kEpsilon;
        const std::vector<EdgeBox> boxesA = edgeBoxes(a, margin), boxesB = edgeBoxes(b, margin);
        // Both searches give the same pairs in the same order; small rings skip the sweep.
        const std::vector<EdgePair> pairs = a.size() * b.size() <= kSmallPairCount
                                                ? overlappingPairsByTestingAll(boxesA, boxesB)
                                                : overlappingPairs(boxesA, boxesB);
        for (const auto& [i, j] : pairs) {
            const zoPoint a0 = vertex(0, i), a1 = vertex(0, i + 1);
            const zoPoint b0 = vertex(1, j), b1 = vertex(1, j + 1);
            const int32_t a0OnB = pointOnSegment(a0, b0, b1);
            const int32_t a1OnB = pointOnSegment(a1, b0, b1);
            const int32_t b0OnA = pointOnSegment(b0, a0, a1);
            const int32_t b1OnA = pointOnSegment(b1, a0, a1);
            if (a0OnB == 2) {
                addCrossing(0, {true, i, 0}, {true, j, 0}, a0);
            } else if (a0OnB == 1) {
                addCrossing(1, {true, i, 0}, {false, j, edgeParameter(a0, b0, b1)}, a0);
            }
            if (b0OnA == 1) {
                addCrossing(1, {false, i, edgeParameter(b0, a0, a1)}, {true, j, 0}, b0);
            }
            if (a0OnB == 0 && a1OnB == 0 && b0OnA == 0 && b1OnA == 0) {
                addProperCrossing(i, j, a0, a1, b0, b1);
            }
        }
    }

    void addProperCrossing(int32_t i, int32_t j, zoPoint a0, zoPoint a1, zoPoint b0, zoPoint b1) {
        const double s1x = a1.x - a0.x, s1y = a1.y - a0.y;
        const double s2x = b1.x - b0.x, s2y = b1.y - b0.y;
        const double denominator = cross(s1x, s1y, s2x, s2y);
        if (std::fabs(denominator) < kEpsilon)
            return;  // parallel: overlaps meet at end points
        const double wx = b0.x - a0.x, wy = b0.y - a0.y;
        const double t = cross(wx, wy, s2x, s2y) / denominator;
        const double u = cross(wx, wy, s1x, s1y) / denominator;
        if (!(t > 0 && t < 1 && u > 0 && u < 1))
            return;
        const zoPoint x{a0.x + t * s1x, a0.y + t * s1y};
        // A crossing this close to an end point is a touch the on-segment test did not see;
        // skipping it keeps every meeting point a single record.
        if (samePoint(x, a0) || samePoint(x, a1) || samePoint(x, b0) || samePoint(x, b1))
            return;
        addCrossing(3, {false, i, t}, {false, j, u}, x);
    }

    void buildNodes() {
        for (int r = 0; r < 2; ++r) {
            const Ring& ring = *rings_[r];
            std::vector<Node>& nodes = nodes_[r];
            for (std::size_t i = 0; i < ring.size(); ++i) {
                nodes.push_back(Node{ring[i].x, ring[i].y, -1, -1, static_cast<uint8_t>(r),
                                     Location::Outside, vertexCrossing_[r][i], false});
                std::vector<EdgeInsert>& inserts = edgeInserts_[r][i];
                std::stable_sort(
                    inserts.begin(), inserts.end(),
                    [](const EdgeInsert& p, const EdgeInsert& q) { return p.t < q.t; });
                for (const EdgeInsert& insert : inserts) {
                    nodes.push_back(Node{insert.point.x, insert.point.y, -1, -1,
                                         static_cast<uint8_t>(r), Location::OnBoundary,
                                         insert.crossing, false});
                }
            }
            const auto n = static_cast<int32_t>(nodes.size());
            for (int32_t k = 0; k < n; ++k) {
                nodes[k].prev = (k + n - 1) % n;
                nodes[k].next = (k + 1) % n;
                if (nodes[k].crossing >= 0)
                    crossings_[nodes[k].crossing].node[r] = k;
            }
        }
    }

    Vec incoming(int r, int32_t k) const {
        const Node& node = nodes_[r][k];
        const Node& prev = nodes_[r][node.prev];
        return unit(node.x - prev.x, node.y - prev.y);
    }

    Vec outgoing(int r, int32_t k) const {
        const Node& node = nodes_[r][k];
        const Node& next = nodes_[r][node.next];
        return unit(next.x - node.x, next.y - node.y);
    }

    // A point inserted into an edge gets that edge's direction as both its incoming and its
    // outgoing vector, so a vertex lying on the other ring's edge is classified exactly like a
    // vertex meeting a vertex whose two edges run straight on. Directions are unit vectors, so
    // the parallel tests compare angles.
    void classifyCrossings() {
        for (Crossing& c : crossings_) {
            const Vec aIn = incoming(0, c.node[0]), aOut = outgoing(0, c.node[0]);
            const Vec bIn = incoming(1, c.node[1]), bOut = outgoing(1, c.node[1]);
            if (c.kind == 3) {
                const bool firstTurnsLeft = crossV(aOut, bOut) > 0;
                c.side =
                    firstTurnsLeft ? std::array<uint8_t, 2>{2, 3} : std::array<uint8_t, 2>{3, 2};
                continue;
            }
            if (std::fabs(crossV(aOut, bOut)) < kEpsilon && dotV(aOut, bOut) > 0) {
                c.side = {1, 1};
                continue;
            }
            const bool firstBacktracks =
                std::fabs(crossV(aOut, bIn)) < kEpsilon && dotV(aOut, bIn) < 0;
            const bool secondBacktracks =
                std::fabs(crossV(aIn, bOut)) < kEpsilon && dotV(aIn, bOut) < 0;
            c.side[0] = firstBacktracks ? 0 : (pointsOutOfCorner(bIn, bOut, aOut) ? 2 : 3);
            c.side[1] = secondBacktracks ? 0 : (pointsOutOfCorner(aIn, aOut, bOut) ? 2 : 3);
        }
    }

    // Vertices that meet the other ring lie on its outline; the rest are tested for parity.
    void locateVertices() {
        for (int r = 0; r < 2; ++r) {
            const RingParity other(*rings_[1 - r]);
            for (Node& node : nodes_[r]) {
                if (node.crossing >= 0) {
                    node.location = Location::OnBoundary;
                } else {
                    node.location =
                        other.inside(node.x, node.y) ? Location::Inside : Location::Outside;
                }
            }
        }
    }

    bool allPlainVertices(int r, Location location) const {
        return std::all_of(nodes_[r].begin(), nodes_[r].end(),
                           [&](const Node& n) { return n.location == location; });
    }

    Configuration configuration() const {
        if (crossings_.empty()) {
            if (allPlainVertices(1, Location::Inside))
                return Configuration::SecondInsideFirst;
            if (allPlainVertices(0, Location::Inside))
                return Configuration::FirstInsideSecond;
            return Configuration::Disjoint;
        }
        const bool allShared =
            std::all_of(crossings_.begin(), crossings_.end(),
                        [](const Crossing& c) { return c.side[0] <= 1 && c.side[1] <= 1; });
        if (allShared)
            return Configuration::Coincident;
        const std::array<uint8_t, 2> pattern = crossings_.front().side;
        const bool uniform = std::all_of(crossings_.begin(), crossings_.end(),
                                         [&](const Crossing& c) { return c.side == pattern; });
        if (!uniform)
            return Configuration::Traced;
        using P = std::array<uint8_t, 2>;
        // With the second ring reversed for the difference, its bytes swap meaning.
        const bool difference = operation_ == Operation::Difference;
        if (pattern == (difference ? P{3, 2} : P{2, 2}))
            return Configuration::Disjoint;
        if (pattern == (difference ? P{3, 3} : P{2, 3}))
            return Configuration::SecondInsideFirst;
        if (pattern == (difference ? P{2, 2} : P{3, 2}))
            return Configuration::FirstInsideSecond;
        return Configuration::Traced;
    }

    uint8_t primaryByte() const { return operation_ == Operation::Union ? 2 : 3; }

    // The side a walk takes at a crossing: the primary byte first (2 for the union, 3 for the
    // others), then a shared edge, the first ring before the second; a side is taken only once.
    int chooseSide(const Crossing& c, bool primaryOnly) const {
        for (const uint8_t wanted : {primaryByte(), uint8_t{1}}) {
            for (int r = 0; r < 2; ++r) {
                if (!c.used[r] && c.side[r] == wanted)
                    return r;
            }
            if (primaryOnly)
                break;
        }
        return -1;
    }

    bool startsWalk(int r, const Node& node) const {
        if (node.crossing >= 0 || node.visited)
            return false;
        switch (operation_) {
            case Operation::Union:
                return node.location == Location::Outside;
            case Operation::Intersection:
                return node.location == Location::Inside;
            case Operation::Difference:
                return r == 0 && node.location == Location::Outside;
        }
        return false;
    }

    // Follows the result boundary from a start record until it comes back to a visited record
    // or to its start. Every step consumes an unvisited vertex or an unused crossing side, so
    // the walk ends within the bound.
    Ring walk(int startRing, int32_t startNode) {
        Ring ring;
        int r = startRing;
        int32_t k = startNode;
        const int32_t startCrossing = nodes_[r][k].crossing;
        const std::size_t bound = nodes_[0].size() + nodes_[1].size() + 2 * crossings_.size() + 2;
        for (std::size_t step = 0; step < bound; ++step) {
            Node& node = nodes_[r][k];
            if (node.crossing < 0) {
                if (node.visited)
                    break;
                node.visited = true;
                ring.push_back(zoPoint{node.x, node.y});
                k = node.next;
            } else {
                Crossing& c = crossings_[node.crossing];
                const int side = chooseSide(c, false);
                if (side < 0)
                    break;
                c.used[side] = true;
                ring.push_back(zoPoint{node.x, node.y});
                r = side;
                k = nodes_[r][c.node[r]].next;
            }
            if (startCrossing >= 0 && nodes_[r][k].crossing == startCrossing)
                break;
        }
        return ring;
    }

    std::vector<Ring> trace() {
        std::vector<Ring> rings;
        auto keep = [&](Ring&& ring) {
            if (ring.size() >= 3)
                rings.push_back(std::move(ring));
        };
        for (int r = 0; r < 2; ++r) {
            for (int32_t k = 0; k < static_cast<int32_t>(nodes_[r].size()); ++k) {
                if (startsWalk(r, nodes_[r][k]))
                    keep(walk(r, k));
            }
        }
        // A result ring may consist of meeting points only (two crossing bars, say), so every
        // crossing with an unused side that belongs to the result starts a walk too.
        for (const Crossing& c : crossings_) {
            const int side = chooseSide(c, true);
            if (side >= 0)
                keep(walk(side, c.node[side]));
        }
        return rings;
    }
};

}  // namespace

Overlay overlay(const Ring& first, const Ring& second, Operation operation) {
    return OverlayBuilder(first, second, operation).run();
}

Ring withoutRepeats(const Ring& ring) {
    Ring kept;
    kept.reserve(ring.size());
    for (const zoPoint& p : ring) {
        if (kept.empty() || !samePoint(kept.back(), p))
            kept.push_back(p);
    }
    while (kept.size() > 1 && samePoint(kept.back(), kept.front()))
        kept.pop_back();
    return kept;
}

Ring cleanRing(const Ring& ring) {
    for (const zoPoint& p : ring) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return {};
    }
    Ring clean = withoutRepeats(ring);
    if (clean.size() < 3 || signedArea2(clean) == 0)
        return {};
    return clean;
}

Ring oriented(Ring ring, bool counterClockwise) {
    const bool isCounterClockwise = signedArea2(ring) >= 0;
    if (isCounterClockwise != counterClockwise)
        std::reverse(ring.begin(), ring.end());
    return ring;
}

}  // namespace gonion::poly
