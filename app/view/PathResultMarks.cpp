#include "view/PathResultMarks.h"

#include <algorithm>
#include <cmath>

#include "document/DisplayProperties.h"

namespace {

enum DisplayMethod : int32_t { kByRadius, kByArea, kByColor, kByRadiusColor, kByAreaColor };

// The circle radius of a value, truncated toward zero; nullopt when it is not a usable size.
std::optional<int32_t> RadiusOf(int32_t method, double value, double maximum, int32_t r) {
    double radius = 0.0;
    switch (method) {
        case kByRadius:
        case kByRadiusColor:
            radius = r * value / maximum;
            break;
        case kByArea:
        case kByAreaColor:
            radius = std::sqrt(value / maximum) * r;
            break;
        case kByColor:
            radius = r;
            break;
        default:
            return std::nullopt;
    }
    if (!(radius >= 1.0) || radius > 1e9) {
        return std::nullopt;
    }
    return static_cast<int32_t>(std::trunc(radius));
}

}  // namespace

std::optional<PathResultMarks> MarkPathResults(const std::vector<IsovistRecord>& records,
                                               const std::vector<RadialStats>& radialStats,
                                               int32_t property, int32_t method,
                                               int32_t circleRadius, const ColorScale& scale) {
    const DisplayProperty* shown = FindDisplayProperty(PropertyFamily::Path, property);
    if (shown == nullptr || records.empty() ||
        (shown->radial && radialStats.size() != records.size())) {
        return std::nullopt;
    }
    std::vector<double> values(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        values[i] = DisplayValue(*shown, records[i], shown->radial ? &radialStats[i] : nullptr);
    }
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    PathResultMarks result{*lo, *hi, {}};
    if (!(result.maximum - result.minimum > 0.0)) {
        return result;
    }
    const bool filled = method == kByColor || method == kByRadiusColor || method == kByAreaColor;
    for (size_t i = 0; i < records.size(); ++i) {
        const std::optional<int32_t> radius =
            RadiusOf(method, values[i], result.maximum, circleRadius);
        if (!radius) {
            continue;
        }
        result.marks.push_back(PathPointMark{
            records[i].origin, *radius, filled,
            filled ? scale.colorOf(values[i], result.minimum, result.maximum) : 0u});
    }
    return result;
}
