#include "document/DxfDropSurvey.h"

#include <algorithm>
#include <unordered_map>

#include "document/DxfPairReader.h"
#include "document/DxfPlanReaders.h"

std::vector<LayerDrops> surveyDroppedEntities(const DxfDrawing& drawing,
                                              const std::vector<std::string>& layerNames) {
    std::vector<LayerDrops> drops(layerNames.size());
    // Readers compare names trimmed and ignoring case; so does the survey.
    std::unordered_multimap<std::string, size_t> rowsByName;
    for (size_t i = 0; i < layerNames.size(); ++i) {
        rowsByName.emplace(upperAscii(trimDxf(layerNames[i])), i);
    }
    drawing.readDroppedEntities([&](DxfDroppedEntity&& entity) {
        const auto [first, last] = rowsByName.equal_range(upperAscii(entity.layer));
        for (auto row = first; row != last; ++row) {
            LayerDrops& layer = drops[row->second];
            if (layer.listed.size() < LayerDrops::kMaxListed) {
                layer.listed.push_back(entity);
            } else {
                ++layer.unlisted[static_cast<size_t>(entity.kind)];
            }
        }
    });
    // The scan reports kind by kind; a layer's list reads best in file order.
    for (LayerDrops& layer : drops) {
        std::stable_sort(layer.listed.begin(), layer.listed.end(),
                         [](const DxfDroppedEntity& a, const DxfDroppedEntity& b) {
                             return a.line < b.line;
                         });
    }
    return drops;
}

std::vector<std::string> droppedEntityLines(const LayerTable& table,
                                            const std::vector<LayerDrops>& drops) {
    std::vector<std::string> lines;
    const size_t layers = std::min(drops.size(), table.roles.size());
    for (size_t i = 0; i < layers; ++i) {
        const LayerRole role = table.roles[i];
        for (const DxfDroppedEntity& entity : drops[i].listed) {
            if (roleReadsEntity(role, entity.kind)) {
                lines.push_back(dxfDroppedEntityText(entity));
            }
        }
        size_t more = 0;
        for (size_t kind = 0; kind < drops[i].unlisted.size(); ++kind) {
            if (roleReadsEntity(role, static_cast<DxfEntityKind>(kind))) {
                more += drops[i].unlisted[kind];
            }
        }
        if (more > 0) {
            lines.push_back("... and " + std::to_string(more) + " more on layer " +
                            shownLayerName(table.names[i]));
        }
    }
    return lines;
}
