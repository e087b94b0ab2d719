// The account of what a DXF import drops: every LWPOLYLINE, LINE and CIRCLE on the listed layers
// that the readers skip as unreadable, gathered once when the drawing is opened so that the
// layer dialog can show it while the roles are chosen.
#pragma once

#include <string>
#include <vector>

#include "document/DxfAllEntities.h"
#include "document/DxfDrawing.h"
#include "document/DxfDroppedEntity.h"
#include "document/LayerRoles.h"

// One entry per name (table order); entities on layers not listed are left out. A layer listed
// twice (names equal but for case) gets the same entries twice, as both would be read.
std::vector<LayerDrops> SurveyDroppedEntities(const DxfDrawing& drawing,
                                              const std::vector<std::string>& layerNames);

// The same for the entities the option "Read arcs, old-style polylines and blocks" drops.
std::vector<LayerDrops> SurveyDroppedEntities(const DxfAllEntitiesReading& reading,
                                              const std::vector<std::string>& layerNames);
// Drops a scan hands to its sink, grouped by the listed names.
std::vector<LayerDrops> GroupDropsByLayer(const std::vector<std::string>& layerNames,
                                          const std::function<void(const DxfDropSink&)>& scan);

// The report lines of the layers whose role reads the dropped kind, in table order and file
// order within a layer; a layer with more than it lists ends with a count line. `drops` may be
// shorter than the table (missing entries count as clean).
std::vector<std::string> DroppedEntityLines(const LayerTable& table,
                                            const std::vector<LayerDrops>& drops);
// The same for every layer, whatever its role would read.
std::vector<std::string> AllDroppedEntityLines(const std::vector<std::string>& layerNames,
                                               const std::vector<LayerDrops>& drops);
