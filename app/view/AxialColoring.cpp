#include "view/AxialColoring.h"

#include <algorithm>

#include "axial/AxialGeometry.h"
#include "document/DisplayProperties.h"

std::optional<AxialColoring> ColorAxialLines(const std::vector<PlanSegment>& lines,
                                             const std::vector<IsovistRecord>& records,
                                             int32_t property, const ColorScale& scale) {
    const DisplayProperty* shown = FindDisplayProperty(PropertyFamily::Axial, property);
    if (shown == nullptr || property == kAxialNone || lines.empty()) {
        return std::nullopt;
    }
    const bool fromLines = property == kAxialLength;
    if (!fromLines && records.size() != lines.size()) {
        return std::nullopt;
    }
    std::vector<double> values(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        values[i] = fromLines ? LineLength(lines[i]) : DisplayValue(*shown, records[i], nullptr);
    }
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    AxialColoring coloring{*lo, *hi, {}};
    coloring.colors.reserve(values.size());
    for (const double v : values) {
        coloring.colors.push_back(scale.colorOf(v, coloring.minimum, coloring.maximum));
    }
    return coloring;
}
