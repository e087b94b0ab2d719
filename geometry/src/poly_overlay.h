// The overlay of two polygon rings behind union, intersection and difference: meeting points,
// their classification, the configuration of the pair and the tracing of result rings.
#ifndef GONION_POLY_OVERLAY_H
#define GONION_POLY_OVERLAY_H

#include <vector>

#include "poly_primitives.h"

namespace gonion::poly {

enum class Operation { Union, Intersection, Difference };

// How the two rings meet. The first four settle the answer without tracing.
enum class Configuration {
    Disjoint = 0,
    SecondInsideFirst = 1,
    FirstInsideSecond = 2,
    Coincident = 3,
    Traced = 4,
};

struct Overlay {
    Configuration configuration = Configuration::Disjoint;
    std::vector<Ring> rings;           // traced rings of at least 3 points (Traced only)
    bool firstReachesOutside = false;  // a vertex of the first ring lies outside the second
};

// Both rings must be clean (see cleanRing) and oriented for the operation: counter-clockwise,
// except the second ring of a difference, which is clockwise.
Overlay overlay(const Ring& first, const Ring& second, Operation operation);

// The ring without repeated consecutive points (equal within the tolerance), the closing
// point included.
Ring withoutRepeats(const Ring& ring);

// The ring without repeated consecutive points (the closing point included); empty when fewer
// than 3 points remain or the ring has no area.
Ring cleanRing(const Ring& ring);

// The ring in the wanted orientation, reversed when needed.
Ring oriented(Ring ring, bool counterClockwise);

}  // namespace gonion::poly

#endif
