// Even-odd location of points against a ring, for points off the ring's outline.
#ifndef GONION_POLY_RING_PARITY_H
#define GONION_POLY_RING_PARITY_H

#include <cstdint>
#include <vector>

#include "poly_primitives.h"

namespace gonion::poly {

// True when a rightward ray from (px, py) crosses the ring an odd number of times (the
// half-open rule on y counts a vertex on the ray once). Every edge is tested.
bool insideRingByTestingAll(const Ring& ring, double px, double py);

// The same answers, with the edges sorted into horizontal bands so that a query tests only
// the edges of its band. Falls back to testing every edge when the bands would take too much
// memory (long edges spanning many bands).
class RingParity {
  public:
    explicit RingParity(const Ring& ring);
    bool inside(double px, double py) const;

  private:
    const Ring& ring_;
    double minY_ = 0;
    double bandHeight_ = 0;
    int32_t bandCount_ = 0;
    std::vector<int32_t> bandStart_;  // edges of band k: bandEdges_[bandStart_[k] .. [k+1])
    std::vector<int32_t> bandEdges_;

    int32_t band(double y) const;
};

}  // namespace gonion::poly

#endif
