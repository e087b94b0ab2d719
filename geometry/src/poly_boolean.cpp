#include "poly_boolean.h"

#include <cmath>

#include "no_throw.h"
#include "poly_memory.h"
#include "poly_overlay.h"

namespace gonion::poly {

int32_t unionRings(const Ring& first, const Ring& second, Ring& outline, std::vector<Ring>& holes) {
    outline.clear();
    holes.clear();
    // Both rings are made counter-clockwise: clockwise input would otherwise trace the
    // complement of the answer.
    const Ring a = oriented(first, true);
    const Ring b = oriented(second, true);
    Overlay result = overlay(a, b, Operation::Union);
    switch (result.configuration) {
        case Configuration::Disjoint:
            return 0;
        case Configuration::SecondInsideFirst:
        case Configuration::Coincident:
            outline = a;
            return 1;
        case Configuration::FirstInsideSecond:
            outline = b;
            return 1;
        case Configuration::Traced:
            break;
    }
    // Touching pieces could trace more than one counter-clockwise ring; the largest is the
    // outline.
    double outlineArea = 0;
    for (Ring& ring : result.rings) {
        const double area = signedArea2(ring);
        if (area < 0) {
            holes.push_back(std::move(ring));
        } else if (outline.empty() || area > outlineArea) {
            outline = std::move(ring);
            outlineArea = area;
        }
    }
    return outline.size() >= 3 ? 1 : 0;
}

int32_t intersectRings(const Ring& first, const Ring& second, std::vector<Ring>& pieces) {
    pieces.clear();
    const Ring a = oriented(first, true);
    const Ring b = oriented(second, true);
    Overlay result = overlay(a, b, Operation::Intersection);
    switch (result.configuration) {
        case Configuration::Disjoint:
            return 0;
        case Configuration::SecondInsideFirst:
            pieces.push_back(b);
            return 1;
        case Configuration::FirstInsideSecond:
        case Configuration::Coincident:
            pieces.push_back(a);
            return 1;
        case Configuration::Traced:
            break;
    }
    pieces = std::move(result.rings);
    return pieces.empty() ? 0 : 1;
}

int32_t subtractRings(const Ring& first, const Ring& second, std::vector<Ring>& pieces) {
    pieces.clear();
    const Ring a = oriented(first, true);
    const Ring b = oriented(second, false);
    Overlay result = overlay(a, b, Operation::Difference);
    switch (result.configuration) {
        case Configuration::Disjoint:
            return 0;
        case Configuration::SecondInsideFirst:
            pieces.push_back(a);
            pieces.push_back(b);
            return 3;
        case Configuration::FirstInsideSecond:
        case Configuration::Coincident:
            return 1;
        case Configuration::Traced:
            break;
    }
    pieces = std::move(result.rings);
    if (!pieces.empty())
        return 2;
    // Nothing traced although the rings meet: when no vertex of the first lies outside the
    // second, the second covers it and nothing is left. Reporting "disjoint" here would keep
    // a covered polygon whole.
    return result.firstReachesOutside ? 0 : 1;
}

namespace {

bool usable(const zoPolygon* polygon) {
    return polygon != nullptr && polygon->points != nullptr && polygon->count >= 3;
}

using ListOperation = int32_t (*)(const Ring&, const Ring&, std::vector<Ring>&);

// Shared body of intersection and difference: the list is allocated and stored before
// anything is checked, so the caller always has one to release.
int32_t intoNewList(const zoPolygon* first, const zoPolygon* second, zoPolygonList** result,
                    ListOperation operation) {
    if (result == nullptr)
        return 0;
    *result = newList();
    if (*result == nullptr || !usable(first) || !usable(second))
        return 0;
    return NoThrow<int32_t>(0, [&]() -> int32_t {
        const Ring a = cleanRing(ringOf(*first));
        const Ring b = cleanRing(ringOf(*second));
        if (a.empty() || b.empty())
            return 0;
        std::vector<Ring> pieces;
        const int32_t code = operation(a, b, pieces);
        for (const Ring& piece : pieces) {
            if (!appendPolygon(*result, piece))
                return 0;
        }
        return code;
    });
}

}  // namespace

}  // namespace gonion::poly

extern "C" {

GONION_API int32_t zoPolyUnion(const zoPolygon* first, const zoPolygon* second, zoRegion** region) {
    using namespace gonion::poly;
    if (region == nullptr || *region == nullptr || !usable(first) || !usable(second))
        return 0;
    zoRegion* target = *region;
    releasePolygon(&target->outline);
    clearList(&target->holes);
    return gonion::NoThrow<int32_t>(0, [&]() -> int32_t {
        const Ring a = cleanRing(ringOf(*first));
        const Ring b = cleanRing(ringOf(*second));
        if (a.empty() || b.empty())
            return 0;
        Ring outline;
        std::vector<Ring> holes;
        if (unionRings(a, b, outline, holes) != 1)
            return 0;
        if (!assignPolygon(&target->outline, outline))
            return 0;
        for (const Ring& hole : holes) {
            if (!appendPolygon(&target->holes, hole))
                return 0;
        }
        return 1;
    });
}

GONION_API int32_t zoPolyIntersection(const zoPolygon* first, const zoPolygon* second,
                                      zoPolygonList** result) {
    return gonion::poly::intoNewList(first, second, result, gonion::poly::intersectRings);
}

GONION_API int32_t zoPolySubtract(const zoPolygon* first, const zoPolygon* second,
                                  zoPolygonList** result) {
    return gonion::poly::intoNewList(first, second, result, gonion::poly::subtractRings);
}
}
