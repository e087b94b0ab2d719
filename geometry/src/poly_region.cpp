// Union of two regions with holes: the outlines are united, each hole loses what the other
// region's outline covers, and holes of both regions keep their common parts.
#include <algorithm>
#include <vector>

#include "no_throw.h"
#include "poly_boolean.h"
#include "poly_memory.h"
#include "poly_overlay.h"

namespace gonion::poly {
namespace {

Ring reversed(Ring ring) {
    std::reverse(ring.begin(), ring.end());
    return ring;
}

// Cuts the holes of one region by the other region's outline. Holes that the outline touches
// or covers are collected in `touched` for the hole-against-hole step. False when the other
// outline lies wholly inside a hole: the union would be an island in a hole, which a region
// cannot hold.
bool cutHoles(const zoRegion& region, const Ring& otherOutline, std::vector<Ring>& holes,
              std::vector<Ring>& touched) {
    for (int32_t i = 0; i < region.holes.count; ++i) {
        const zoPolygon& hole = region.holes.items[i];
        const Ring ring = cleanRing(ringOf(hole));
        if (ring.empty())
            continue;  // a hole without area takes nothing away
        std::vector<Ring> pieces;
        switch (subtractRings(ring, otherOutline, pieces)) {
            case 2:
                for (Ring& piece : pieces)
                    holes.push_back(reversed(std::move(piece)));
                touched.push_back(ring);
                break;
            case 3:
                return false;
            case 1:
                touched.push_back(ring);
                break;
            default:
                holes.push_back(ringOf(hole));
                break;
        }
    }
    return true;
}

bool regionUnion(const zoRegion& first, const zoRegion& second, Ring& outline,
                 std::vector<Ring>& holes) {
    const Ring a = cleanRing(ringOf(first.outline));
    const Ring b = cleanRing(ringOf(second.outline));
    if (a.empty() || b.empty())
        return false;
    if (unionRings(a, b, outline, holes) != 1)
        return false;
    if (first.holes.items == nullptr && first.holes.count > 0)
        return false;
    if (second.holes.items == nullptr && second.holes.count > 0)
        return false;
    std::vector<Ring> touchedFirst, touchedSecond;
    if (!cutHoles(first, b, holes, touchedFirst))
        return false;
    if (!cutHoles(second, a, holes, touchedSecond))
        return false;
    for (const Ring& holeA : touchedFirst) {
        for (const Ring& holeB : touchedSecond) {
            std::vector<Ring> pieces;
            intersectRings(holeA, holeB, pieces);
            for (Ring& piece : pieces)
                holes.push_back(reversed(std::move(piece)));
        }
    }
    return true;
}

}  // namespace
}  // namespace gonion::poly

extern "C" GONION_API int32_t zoPolyOpenUnion(const zoRegion* first, const zoRegion* second,
                                              zoRegion** result) {
    using namespace gonion::poly;
    if (result == nullptr)
        return 0;
    *result = nullptr;
    if (first == nullptr || second == nullptr)
        return 0;
    zoRegion* region = newRegion();
    if (region == nullptr)
        return 0;
    *result = region;
    const bool done = gonion::NoThrow(false, [&] {
        Ring outline;
        std::vector<Ring> holes;
        bool ok = regionUnion(*first, *second, outline, holes) &&
                  assignPolygon(&region->outline, outline);
        for (std::size_t i = 0; ok && i < holes.size(); ++i) {
            ok = appendPolygon(&region->holes, holes[i]);
        }
        return ok;
    });
    if (done)
        return 1;
    zoPolyOpenFree(region);
    *result = nullptr;
    return 0;
}
