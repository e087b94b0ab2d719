// Helpers for the polygon boolean operation tests: building polygons, owning results and
// comparing rings up to their starting point.
#ifndef GONION_TESTS_POLY_TEST_SUPPORT_H
#define GONION_TESTS_POLY_TEST_SUPPORT_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "gonion/gonion.h"

namespace polytest {

using Ring = std::vector<zoPoint>;

inline Ring rectangle(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

inline Ring reversed(Ring ring) {
    std::reverse(ring.begin(), ring.end());
    return ring;
}

// A polygon that borrows the ring's points (the functions under test only read inputs).
inline zoPolygon view(const Ring& ring) {
    return zoPolygon{const_cast<zoPoint*>(ring.data()), static_cast<int32_t>(ring.size())};
}

inline Ring ringOf(const zoPolygon& polygon) {
    if (polygon.points == nullptr)
        return {};
    return Ring(polygon.points, polygon.points + polygon.count);
}

inline std::vector<Ring> ringsOf(const zoPolygonList* list) {
    std::vector<Ring> rings;
    for (int32_t i = 0; list != nullptr && i < list->count; ++i)
        rings.push_back(ringOf(list->items[i]));
    return rings;
}

inline double signedArea(const Ring& ring) {
    double sum = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const zoPoint& p = ring[i];
        const zoPoint& q = ring[(i + 1) % ring.size()];
        sum += p.x * q.y - p.y * q.x;
    }
    return sum / 2;
}

inline double totalArea(const std::vector<Ring>& rings) {
    double sum = 0;
    for (const Ring& ring : rings)
        sum += std::fabs(signedArea(ring));
    return sum;
}

// Equal as cyclic sequences: the same points in the same order from some starting point.
inline bool sameCycle(const Ring& a, const Ring& b) {
    if (a.size() != b.size())
        return false;
    const std::size_t n = a.size();
    for (std::size_t shift = 0; shift < n; ++shift) {
        bool equal = true;
        for (std::size_t i = 0; i < n && equal; ++i) {
            equal = a[i].x == b[(i + shift) % n].x && a[i].y == b[(i + shift) % n].y;
        }
        if (equal)
            return true;
    }
    return n == 0;
}

struct ListFree {
    void operator()(zoPolygonList* list) const { zoPolyPointsFree(list); }
};
struct RegionFree {
    void operator()(zoRegion* region) const { zoPolyOpenFree(region); }
};
using ListPtr = std::unique_ptr<zoPolygonList, ListFree>;
using RegionPtr = std::unique_ptr<zoRegion, RegionFree>;

struct ListResult {
    int32_t code;
    ListPtr list;
    std::vector<Ring> rings() const { return ringsOf(list.get()); }
};

inline ListResult intersection(const Ring& a, const Ring& b) {
    const zoPolygon pa = view(a), pb = view(b);
    zoPolygonList* list = nullptr;
    const int32_t code = zoPolyIntersection(&pa, &pb, &list);
    return ListResult{code, ListPtr(list)};
}

inline ListResult difference(const Ring& a, const Ring& b) {
    const zoPolygon pa = view(a), pb = view(b);
    zoPolygonList* list = nullptr;
    const int32_t code = zoPolySubtract(&pa, &pb, &list);
    return ListResult{code, ListPtr(list)};
}

// An empty region for zoPolyUnion to write into, made the library's way.
inline RegionPtr emptyRegion() {
    const Ring square = rectangle(0, 0, 1, 1);
    zoRegion shell{view(square), zoPolygonList{nullptr, 0, 0}};
    zoRegion* region = nullptr;
    zoPolyOpenUnion(&shell, &shell, &region);
    return RegionPtr(region);
}

struct RegionResult {
    int32_t code;
    RegionPtr region;
    Ring outline() const { return ringOf(region->outline); }
    std::vector<Ring> holes() const { return ringsOf(&region->holes); }
};

inline RegionResult polygonUnion(const Ring& a, const Ring& b) {
    RegionPtr region = emptyRegion();
    const zoPolygon pa = view(a), pb = view(b);
    zoRegion* target = region.get();
    const int32_t code = zoPolyUnion(&pa, &pb, &target);
    return RegionResult{code, std::move(region)};
}

}  // namespace polytest

#endif
