// Allocation of the polygon types handed to callers. Everything is allocated with malloc and
// released with free so that the library's own release functions match any allocation here.
#ifndef GONION_POLY_MEMORY_H
#define GONION_POLY_MEMORY_H

#include "gonion/gonion.h"
#include "poly_primitives.h"

namespace gonion::poly {

// A list starts with room for this many polygons and doubles when full.
inline constexpr int32_t kInitialListCapacity = 16;

// Replaces *polygon's points with a copy of ring (the old points are released).
bool assignPolygon(zoPolygon* polygon, const Ring& ring);
void releasePolygon(zoPolygon* polygon);

// A fresh list with the initial capacity (an empty list on allocation failure).
zoPolygonList makeList();
zoPolygonList* newList();
// Appends a copy of ring; false when memory ran out (the list is unchanged then).
bool appendPolygon(zoPolygonList* list, const Ring& ring);
// Releases every polygon and empties the list, keeping its storage.
void clearList(zoPolygonList* list);
// Releases every polygon and the item array.
void releaseList(zoPolygonList* list);

zoRegion* newRegion();
void releaseRegion(zoRegion* region);

Ring ringOf(const zoPolygon& polygon);

}  // namespace gonion::poly

#endif
