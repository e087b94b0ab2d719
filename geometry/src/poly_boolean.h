// Union, intersection and difference of two clean rings (see cleanRing), in any orientation.
// Results and codes are those of the exported functions.
#ifndef GONION_POLY_BOOLEAN_H
#define GONION_POLY_BOOLEAN_H

#include <cstdint>
#include <vector>

#include "poly_primitives.h"

namespace gonion::poly {

// 1 with the outline (counter-clockwise) and the holes (clockwise); 0 disjoint or no outline.
int32_t unionRings(const Ring& first, const Ring& second, Ring& outline, std::vector<Ring>& holes);

// 1 with at least one counter-clockwise piece; 0 none.
int32_t intersectRings(const Ring& first, const Ring& second, std::vector<Ring>& pieces);

// 0 disjoint or nothing traced; 1 nothing left; 2 traced pieces; 3 the second inside the
// first (pieces: the outline, then the hole clockwise).
int32_t subtractRings(const Ring& first, const Ring& second, std::vector<Ring>& pieces);

}  // namespace gonion::poly

#endif
