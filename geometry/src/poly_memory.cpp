#include "poly_memory.h"

#include <cstdlib>
#include <cstring>

namespace gonion::poly {

bool assignPolygon(zoPolygon* polygon, const Ring& ring) {
    releasePolygon(polygon);
    if (ring.empty())
        return true;
    auto* points = static_cast<zoPoint*>(std::malloc(ring.size() * sizeof(zoPoint)));
    if (points == nullptr)
        return false;
    std::memcpy(points, ring.data(), ring.size() * sizeof(zoPoint));
    polygon->points = points;
    polygon->count = static_cast<int32_t>(ring.size());
    return true;
}

void releasePolygon(zoPolygon* polygon) {
    std::free(polygon->points);
    polygon->points = nullptr;
    polygon->count = 0;
}

zoPolygonList makeList() {
    zoPolygonList list{nullptr, 0, 0};
    list.items = static_cast<zoPolygon*>(std::calloc(kInitialListCapacity, sizeof(zoPolygon)));
    if (list.items != nullptr)
        list.capacity = kInitialListCapacity;
    return list;
}

zoPolygonList* newList() {
    auto* list = static_cast<zoPolygonList*>(std::malloc(sizeof(zoPolygonList)));
    if (list != nullptr)
        *list = makeList();
    return list;
}

bool appendPolygon(zoPolygonList* list, const Ring& ring) {
    if (list->items == nullptr)
        list->capacity = 0;
    if (list->count >= list->capacity) {
        const int32_t capacity = (list->capacity < 1 ? 1 : list->capacity) * 2;
        auto* items = static_cast<zoPolygon*>(
            std::realloc(list->items, static_cast<std::size_t>(capacity) * sizeof(zoPolygon)));
        if (items == nullptr)
            return false;
        list->items = items;
        list->capacity = capacity;
    }
    zoPolygon polygon{nullptr, 0};
    if (!assignPolygon(&polygon, ring))
        return false;
    list->items[list->count++] = polygon;
    return true;
}

void clearList(zoPolygonList* list) {
    for (int32_t i = 0; list->items != nullptr && i < list->count; ++i)
        releasePolygon(&list->items[i]);
    list->count = 0;
}

void releaseList(zoPolygonList* list) {
    clearList(list);
    std::free(list->items);
    *list = zoPolygonList{nullptr, 0, 0};
}

zoRegion* newRegion() {
    auto* region = static_cast<zoRegion*>(std::malloc(sizeof(zoRegion)));
    if (region == nullptr)
        return nullptr;
    region->outline = zoPolygon{nullptr, 0};
    region->holes = makeList();
    return region;
}

void releaseRegion(zoRegion* region) {
    releasePolygon(&region->outline);
    releaseList(&region->holes);
}

Ring ringOf(const zoPolygon& polygon) {
    if (polygon.points == nullptr || polygon.count <= 0)
        return {};
    return Ring(polygon.points, polygon.points + polygon.count);
}

}  // namespace gonion::poly

extern "C" {

GONION_API void zoPolyPointsFree(zoPolygonList* list) {
    if (list == nullptr)
        return;
    gonion::poly::releaseList(list);
    std::free(list);
}

GONION_API void zoPolyOpenFree(zoRegion* region) {
    if (region == nullptr)
        return;
    gonion::poly::releaseRegion(region);
    std::free(region);
}
}
