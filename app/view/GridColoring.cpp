#include "view/GridColoring.h"

#include "document/DisplayProperties.h"

namespace {

struct CellValue {
    int32_t index;
    double value;
};

// The shown value of every effective cell that has one, in cell order.
std::optional<std::vector<CellValue>> EffectiveValues(const CAnalysisGrid& grid,
                                                      const std::vector<RadialStats>& radialStats,
                                                      const DisplayProperty& property) {
    if (property.radial && radialStats.empty()) {
        return std::nullopt;
    }
    std::vector<CellValue> values;
    size_t effectiveIndex = 0;
    for (size_t i = 0; i < grid.cells.size(); ++i) {
        const CGridCell& cell = grid.cells[i];
        if (cell.effective == 0) {
            continue;
        }
        const RadialStats* radial = nullptr;
        if (property.radial) {
            // The radial results hold one entry per effective cell of the run, in cell order.
            if (effectiveIndex >= radialStats.size()) {
                break;
            }
            radial = &radialStats[effectiveIndex];
        }
        ++effectiveIndex;
        values.push_back(
            CellValue{static_cast<int32_t>(i), DisplayValue(property, cell.isovist, radial)});
    }
    return values;
}

}  // namespace

std::optional<GridColoring> ColorGridCells(const CAnalysisGrid& grid,
                                           const std::vector<RadialStats>& radialStats,
                                           int32_t property, const ColorScale& scale) {
    const DisplayProperty* shown = FindDisplayProperty(PropertyFamily::Grid, property);
    if (shown == nullptr) {
        return std::nullopt;
    }
    const std::optional<std::vector<CellValue>> values = EffectiveValues(grid, radialStats, *shown);
    if (!values || values->empty()) {
        return std::nullopt;
    }
    GridColoring coloring;
    coloring.minimum = values->front().value;
    coloring.maximum = values->front().value;
    for (const CellValue& v : *values) {
        coloring.minimum = v.value < coloring.minimum ? v.value : coloring.minimum;
        coloring.maximum = v.value > coloring.maximum ? v.value : coloring.maximum;
    }
    const bool skipNegative = shown->negativeMinimumRaised;
    if (skipNegative && coloring.minimum < 0.0) {
        coloring.minimum = 0.0;
    }
    coloring.cells.reserve(values->size());
    for (const CellValue& v : *values) {
        if (skipNegative && v.value < 0.0) {
            continue;
        }
        coloring.cells.push_back(
            GridCellColor{v.index, scale.colorOf(v.value, coloring.minimum, coloring.maximum)});
    }
    return coloring;
}
