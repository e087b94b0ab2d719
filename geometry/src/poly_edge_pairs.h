// Pairs of edges of two rings whose bounding boxes overlap: the only pairs that can meet.
#ifndef GONION_POLY_EDGE_PAIRS_H
#define GONION_POLY_EDGE_PAIRS_H

#include <cstdint>
#include <utility>
#include <vector>

#include "poly_primitives.h"

namespace gonion::poly {

struct EdgeBox {
    double minX, minY, maxX, maxY;
};

using EdgePair = std::pair<int32_t, int32_t>;

// Box of every edge i (vertex i to vertex i + 1, the last closing the ring), widened by margin.
std::vector<EdgeBox> edgeBoxes(const Ring& ring, double margin);

// Every pair (i, j) of a box of `first` and a box of `second` that overlap (touching counts),
// in ascending order of i, then j. Found by a sweep over x.
std::vector<EdgePair> overlappingPairs(const std::vector<EdgeBox>& first,
                                       const std::vector<EdgeBox>& second);

// The same pairs by testing every pair: the reference the sweep is checked against.
std::vector<EdgePair> overlappingPairsByTestingAll(const std::vector<EdgeBox>& first,
                                                   const std::vector<EdgeBox>& second);

}  // namespace gonion::poly

#endif
