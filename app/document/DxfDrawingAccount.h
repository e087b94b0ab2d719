// The account of what a drawing holds that the import does not read, per layer and entity
// type, with the option "Read arcs, old-style polylines and blocks" off or on; the counts of
// entities read and not read per layer; and the drawing's unit ($INSUNITS) as a suggestion.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/DxfAllEntities.h"
#include "document/DxfDroppedEntity.h"

// The option's name, as the layer dialog shows it.
inline constexpr const char* kReadAllEntitiesOption = "Read arcs, old-style polylines and blocks";

// Whether the import reads entities of `type` (upper case): LWPOLYLINE, LINE and CIRCLE, and
// with the option also ARC, POLYLINE and INSERT.
bool ImportReadsEntityType(std::string_view type, bool allEntities);
// Entities that hold no plan geometry (texts, dimensions, viewports, images and the like):
// they are left out of the account.
bool IsAnnotationEntity(std::string_view type);

// The account, e.g.
//   walls: 81 ARC not read; windows: 56 INSERT not read — turn on Read arcs, old-style polylines
//   and blocks
// (the hint only with the option off and something it would read), then one line per bound
// the blocks reached (option on). Layers in the order of `layerNames`, then the others in the
// order met; empty when everything is read.
std::vector<std::string> NotReadAccount(const std::vector<std::string>& layerNames,
                                        const DxfAllEntitiesReading& reading, bool allEntities);

// Entities of the ENTITIES section on one layer: those of the types read, less those dropped
// as unreadable, and the rest (annotations left out).
struct LayerEntityCounts {
    size_t read = 0;
    size_t notRead = 0;
};
// One per name; `dropped` holds per name the entities the readers drop.
std::vector<LayerEntityCounts> CountLayerEntities(const std::vector<std::string>& layerNames,
                                                 const DxfAllEntitiesReading& reading,
                                                 const std::vector<LayerDrops>& dropped,
                                                 bool allEntities);

// $INSUNITS of the HEADER section; empty when the drawing has none.
std::optional<int32_t> ReadInsUnits(std::string_view text);
// The unit index (0 mm, 1 cm, 2 m, 3 in, 4 ft) of an $INSUNITS value; empty for the others.
std::optional<int32_t> UnitOfInsUnits(int32_t insUnits);
// "Suggested unit: m (the drawing's $INSUNITS is 6)", or for a value naming no unit the
// program has "The drawing's $INSUNITS is 7, which names none of mm, cm, m, in, ft"; empty for
// no value or 0 (unitless).
std::string SuggestedUnitText(std::optional<int32_t> insUnits);
