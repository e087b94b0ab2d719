#include "document/LayerRoles.h"

#include <algorithm>
#include <array>

#include "document/DxfPairReader.h"

namespace {

constexpr std::array<const char*, kLayerRoleCount> kLabels = {
    "Ignore", "Boundary", "Wall", "Path", "Point", "Axial line", "Reference line"};

struct Fragment {
    std::string_view text;
    LayerRole role;
};

// Searched in this order; the first fragment found decides.
constexpr std::array<Fragment, 7> kFragments = {{
    {"BOUND", LayerRole::Boundary},
    {"WAL", LayerRole::Wall},
    {"PATH", LayerRole::Path},
    {"POINT", LayerRole::Point},
    {"AX", LayerRole::AxialLine},
    {"GLINE", LayerRole::ReferenceLine},
    {"REF", LayerRole::ReferenceLine},
}};

std::string WithoutSeparators(std::string_view text) {
    std::string kept;
    for (const char c : text) {
        if (c != ' ' && c != '-' && c != '_') {
            kept.push_back(c);
        }
    }
    return UpperAscii(kept);
}

}  // namespace

const char* LayerRoleLabel(LayerRole role) {
    const auto index = static_cast<size_t>(role);
    return index < kLabels.size() ? kLabels[index] : kLabels[0];
}

std::optional<LayerRole> LayerRoleFromText(std::string_view text) {
    const std::string wanted = WithoutSeparators(text);
    for (int i = 0; i < kLayerRoleCount; ++i) {
        if (WithoutSeparators(kLabels[static_cast<size_t>(i)]) == wanted) {
            return static_cast<LayerRole>(i);
        }
    }
    return std::nullopt;
}

LayerRole AutomaticLayerRole(std::string_view layerName) {
    const std::string upper = UpperAscii(layerName);
    for (const Fragment& fragment : kFragments) {
        if (upper.find(fragment.text) != std::string::npos) {
            return fragment.role;
        }
    }
    return LayerRole::Ignore;
}

int LayerTable::countWithRole(LayerRole role) const {
    return static_cast<int>(std::count(roles.begin(), roles.end(), role));
}

LayerTable MakeLayerTable(std::vector<std::string> names, bool chooseAutomatically) {
    LayerTable table;
    table.roles.reserve(names.size());
    for (const std::string& name : names) {
        table.roles.push_back(chooseAutomatically ? AutomaticLayerRole(name) : LayerRole::Ignore);
    }
    table.names = std::move(names);
    return table;
}
