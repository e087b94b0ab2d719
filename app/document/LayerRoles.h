// Layer roles of the DXF import: what each layer of a drawing becomes in the plan.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class LayerRole : uint8_t {
    Ignore = 0,
    Boundary = 1,
    Wall = 2,
    Path = 3,
    Point = 4,
    AxialLine = 5,
    ReferenceLine = 6,
};

inline constexpr int kLayerRoleCount = 7;

// "Ignore", "Boundary", "Wall", "Path", "Point", "Axial line", "Reference line".
const char* LayerRoleLabel(LayerRole role);
// The role whose label matches `text` ignoring case, also accepting the label without its space
// ("axialline") and with a dash ("reference-line"), as typed on a command line.
std::optional<LayerRole> LayerRoleFromText(std::string_view text);

// The role a layer gets when the import dialog opens, from fragments of its upper-cased name.
LayerRole AutomaticLayerRole(std::string_view layerName);

// The drawing's layers in table order with one role each.
struct LayerTable {
    std::vector<std::string> names;
    std::vector<LayerRole> roles;

    int count() const { return static_cast<int>(names.size()); }
    int countWithRole(LayerRole role) const;
};

// A table of the names, every role Ignore or chosen automatically.
LayerTable MakeLayerTable(std::vector<std::string> names, bool chooseAutomatically);
