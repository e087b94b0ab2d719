// What the fast isovist paths know of a plan, independent of the observation point: the
// segment grid, the sight lines of the radial method that run nearly along some wall, the
// height of every polygon and whether two plan vertices coincide.
//
// Kept in the scratch and rebuilt only when the plan differs, bit for bit, from the one it was
// built for (a grid of isovists reuses it for every cell): told by the plan's fingerprint when
// both are known, by comparing the plan whole otherwise.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "document/PlanTypes.h"
#include "isovist/IsovistSegmentGrid.h"

struct PlanTables;

class IsovistPlanIndex {
  public:
    // Brings the index up to date with `plan`; cheap when the plan is unchanged.
    void prepare(const PlanTables& plan);

    const IsovistSegmentGrid& grid() const { return grid_; }

    // Two plan vertices with identical coordinates (none of them not-a-number): they lie on one
    // sight line from every point.
    bool hasRepeatedVertex() const { return hasRepeatedVertex_; }

    // False when polygon `polygon` certainly does not hold p: p lies clearly above or below it,
    // so the hit test's first (horizontal) test line meets none of its edges.
    bool mayContain(size_t polygon, PlanPoint p) const;

    // Polygons 1, 2, ... (the plan's inner polygons), ascending, among which are all for which
    // mayContain may be true at height y (a finite number): those whose height, widened as
    // mayContain widens it, reaches y's band of the plan's height, and those of unknown height.
    std::span<const int32_t> innerPolygonsNear(double y) const;
    // The number of polygons the index was built for.
    size_t polygonCount() const { return heights_.size(); }

    // Whether `holds(i)` is true for any inner polygon i of `polygonCount` polygons at p: with an
    // index built for that many (may be null), only the polygons listed near p's height are
    // asked (every other one certainly does not hold p), otherwise every one in turn.
    template <typename Holds>
    static bool AnyInnerPolygonHolds(const IsovistPlanIndex* index, size_t polygonCount,
                                     PlanPoint p, Holds holds);

    // The segments that run so nearly along ray k of the radial method that their crossing with
    // it is poorly conditioned; such a crossing may land away from the segment, so these are
    // tried on every walk of that ray (rays as in IsovistRays.h).
    std::span<const int32_t> nearlyParallel(int32_t ray) const;

  private:
    bool sameAs(const PlanTables& plan) const;
    void rebuild(const PlanTables& plan);

    bool built_ = false;
    uint64_t fingerprint_ = 0;  // of the plan built for, 0 when not known
    std::vector<PlanSegment> segments_;  // copies, to see whether the plan changed
    std::vector<PlanPoint> vertices_;
    std::vector<int32_t> polygonSizes_;

    IsovistSegmentGrid grid_;
    bool hasRepeatedVertex_ = false;
    struct Height {
        double low = 0.0;
        double high = 0.0;
        bool known = false;  // false: a coordinate not finite, always tested
    };
    std::vector<Height> heights_;
    // Inner polygons by band of height: band b holds bandEntries_[bandOffsets_[b] ...
    // bandOffsets_[b + 1]); bands of equal width from bandLow_.
    void buildBands();
    int32_t bandOf(double y) const;
    double bandLow_ = 0.0;
    double bandWidth_ = 1.0;
    int32_t bandCount_ = 1;
    std::vector<int32_t> bandOffsets_;
    std::vector<int32_t> bandEntries_;
    std::vector<int32_t> parallelOffsets_;  // kIsovistRayCount + 1 prefix sums
    std::vector<int32_t> parallelEntries_;
};

template <typename Holds>
bool IsovistPlanIndex::AnyInnerPolygonHolds(const IsovistPlanIndex* index, size_t polygonCount,
                                            PlanPoint p, Holds holds) {
    if (index != nullptr && index->polygonCount() == polygonCount && std::isfinite(p.y)) {
        for (const int32_t i : index->innerPolygonsNear(p.y)) {
            if (holds(static_cast<size_t>(i))) {
                return true;
            }
        }
        return false;
    }
    for (size_t i = 1; i < polygonCount; ++i) {
        if (holds(i)) {
            return true;
        }
    }
    return false;
}
