#include "document/DxfDropSurvey.h"

#include <algorithm>
#include <unordered_map>

#include "document/DxfPairReader.h"
#include "document/DxfPlanReaders.h"

std::vector<LayerDrops> SurveyDroppedEntities(const DxfDrawing& drawing,
                                              const std::vector<std::string>& layerNames) {
    return GroupDropsByLayer(layerNames,
                             [&](const DxfDropSink& sink) { drawing.readDroppedEntities(sink); });
}

std::vector<LayerDrops> GroupDropsByLayer(const std::vector<std::string>& layerNames,
                                          const std::function<void(const DxfDropSink&)>& scan) {
    std::vector<LayerDrops> drops(layerNames.size());
    // Readers compare names trimmed and ignoring case; so does the survey.
    std::unordered_multimap<std::string, size_t> rowsByName;
    for (size_t i = 0; i < layerNames.size(); ++i) {
        rowsByName.emplace(UpperAscii(TrimDxf(layerNames[i])), i);
    }
    scan([&](DxfDroppedEntity&& entity) {
        const auto [first, last] = rowsByName.equal_range(UpperAscii(TrimDxf(entity.layer)));
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
        std::stable_sort(
            layer.listed.begin(), layer.listed.end(),
            [](const DxfDroppedEntity& a, const DxfDroppedEntity& b) { return a.line < b.line; });
    }
    return drops;
}

std::vector<LayerDrops> SurveyDroppedEntities(const DxfAllEntitiesReading& reading,
                                              const std::vector<std::string>& layerNames) {
    return GroupDropsByLayer(layerNames, [&](const DxfDropSink& sink) {
        for (const DxfDroppedEntity& entity : reading.dropped) {
            sink(DxfDroppedEntity(entity));
        }
    });
}

namespace {

// The lines of the layers and kinds that `reads(layer, kind)` picks.
template <class Reads>
std::vector<std::string> LinesOf(const std::vector<std::string>& names,
                                 const std::vector<LayerDrops>& drops, Reads reads) {
    std::vector<std::string> lines;
    const size_t layers = std::min(drops.size(), names.size());
    for (size_t i = 0; i < layers; ++i) {
        for (const DxfDroppedEntity& entity : drops[i].listed) {
            if (reads(i, entity.kind)) {
                lines.push_back(DxfDroppedEntityText(entity));
            }
        }
        size_t more = 0;
        for (size_t kind = 0; kind < drops[i].unlisted.size(); ++kind) {
            if (reads(i, static_cast<DxfEntityKind>(kind))) {
                more += drops[i].unlisted[kind];
            }
        }
        if (more > 0) {
            lines.push_back("... and " + std::to_string(more) + " more on layer " +
                            ShownLayerName(names[i]));
        }
    }
    return lines;
}

}  // namespace

std::vector<std::string> DroppedEntityLines(const LayerTable& table,
                                            const std::vector<LayerDrops>& drops) {
    return LinesOf(table.names, drops, [&](size_t layer, DxfEntityKind kind) {
        return layer < table.roles.size() && RoleReadsEntity(table.roles[layer], kind);
    });
}

std::vector<std::string> AllDroppedEntityLines(const std::vector<std::string>& layerNames,
                                               const std::vector<LayerDrops>& drops) {
    return LinesOf(layerNames, drops, [](size_t, DxfEntityKind) { return true; });
}
