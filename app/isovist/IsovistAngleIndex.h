// An angular bucket index over the segment angle table of one isovist request.
//
// The circle of directions is cut into equal buckets; each wall segment is registered, in
// table order, in every bucket that its angle interval (slightly widened) touches. The
// segments of one bucket are then a superset of the candidates of any direction in it, in
// ascending table order, so a sight line looks at a handful of segments instead of all.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

class IsovistAngleIndex {
  public:
    // How far each interval is widened on both sides (radians). It covers the extension
    // search's tolerance, the ambiguity margin and the rounding of bucket positions.
    static constexpr double kWidening = 1e-7;

    // Registers segment i with the interval [lo[i], hi[i]] (hi - lo at most pi, angles as the
    // segment angle table gives them). Intervals that are not finite are never candidates and
    // are left out.
    void build(std::span<const double> lo, std::span<const double> hi);

    // Indices of the segments registered in the bucket of `angle`, ascending.
    std::span<const int32_t> candidates(double angle) const;

  private:
    int32_t bucketOf(double angle) const;

    int32_t bucketCount_ = 0;
    double bucketWidth_ = 0.0;
    std::vector<int32_t> offsets_;  // bucketCount_ + 1 prefix sums into entries_
    std::vector<int32_t> entries_;
    std::vector<int32_t> firstBucket_;  // per segment, -1 when not registered
    std::vector<int32_t> bucketSpan_;   // per segment, number of buckets covered
    std::vector<int32_t> fill_;
};
