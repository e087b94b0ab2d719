// The reading of a drawing with the option "Read arcs, old-style polylines and blocks": one
// pass over the BLOCKS and ENTITIES sections gives, per layer, the shapes the readers take
// (LWPOLYLINE with bulges, old-style POLYLINE, LINE, CIRCLE, ARC, and every shape of the blocks
// placed by INSERT), the entities that cannot be read and why, and a count of every entity of
// the ENTITIES section by layer and type (so that the import can tell what it does not read,
// with the option on or off).
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "document/DxfBlocks.h"
#include "document/DxfDrawing.h"
#include "document/DxfShapes.h"

struct DxfAllEntitiesReading {
    // By layer name upper-cased and trimmed, as the readers compare names.
    std::map<std::string, DxfLayerShapes> layers;
    // Unreadable entities in file order (those inside blocks once, where the block is read);
    // at most kMaxDropsKept, the rest counted in droppedBeyond.
    static constexpr size_t kMaxDropsKept = 10'000;
    std::vector<DxfDroppedEntity> dropped;
    size_t droppedBeyond = 0;
    // Every entity of the ENTITIES section by layer and type, layers and types in the order met.
    std::vector<DxfTypeCount> entities;
    // Entities of kinds not read inside the placed blocks, by the layer they land on.
    std::vector<DxfTypeCount> unreadInBlocks;
    // The bounds the blocks reached, as sentences.
    std::vector<std::string> limitNotes;

    // The shapes of a layer (empty when it has none).
    const DxfLayerShapes& layer(std::string_view name) const;
};

DxfAllEntitiesReading ReadAllEntities(const DxfDrawing& drawing);
