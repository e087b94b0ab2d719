#include "document/GeneralOptions.h"

#include "document/CORVDoc.h"
#include "document/UnitNames.h"

namespace {

bool ValidRole(int role) {
    return role >= 0 && role < kColorCount;
}

constexpr LayerNames::Field kEditableFields[] = {LayerNames::kBoundary, LayerNames::kWall,
                                                 LayerNames::kPath, LayerNames::kReferenceLine};

}  // namespace

const std::vector<std::string>& IsovistMethodLabels() {
    static const std::vector<std::string> labels = {"Exact - Node", "Approximate - Radial",
                                                    "Exact - Visibility Polygon"};
    return labels;
}

const std::vector<std::string>& UnitLabels() {
    // The list offers every unit the unit names know, in index order.
    static const std::vector<std::string> labels = [] {
        std::vector<std::string> names;
        for (int32_t unit = 0; !UnitName(unit).empty(); ++unit) {
            names.push_back(UnitName(unit));
        }
        return names;
    }();
    return labels;
}

const std::vector<std::string>& ColorRoleLabels() {
    static const std::vector<std::string> labels = {"Background",      "Walls",
                                                    "Point Isovist",   "Path Isovist",
                                                    "Markers",         "Grid",
                                                    "Paths",           "Path (current)",
                                                    "Path Text",       "Observation Points",
                                                    "Reference Lines", "Custom Points",
                                                    "Axial Lines"};
    return labels;
}

uint32_t GeneralOptionsModel::color(int role) const {
    return ValidRole(role) ? blocks_.settings.m_colors[static_cast<size_t>(role)] : 0u;
}

void GeneralOptionsModel::setColor(int role, uint32_t colorRef) {
    if (ValidRole(role)) {
        blocks_.settings.m_colors[static_cast<size_t>(role)] = colorRef & 0x00FFFFFFu;
    }
}

EditableLayerNames GeneralOptionsModel::layerNamesForEditing() const {
    EditableLayerNames names;
    for (size_t i = 0; i < names.size(); ++i) {
        names[i] = blocks_.layerNames.names[kEditableFields[i]];
    }
    return names;
}

void GeneralOptionsModel::acceptLayerNames(const EditableLayerNames& names) {
    for (size_t i = 0; i < names.size(); ++i) {
        blocks_.layerNames.set(kEditableFields[i], UpperCaseLayerName(names[i]));
    }
}

std::string UpperCaseLayerName(std::string name) {
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return name;
}

GeneralOptionsBlocks GeneralOptionsOf(const CORVDoc& doc) {
    return GeneralOptionsBlocks{doc.m_settings, doc.m_entropyParams, doc.m_layerNames};
}

void ApplyGeneralOptions(CORVDoc& doc, const GeneralOptionsBlocks& blocks) {
    doc.m_settings = blocks.settings;
    doc.m_entropyParams = blocks.entropy;
    doc.m_layerNames = blocks.layerNames;
    doc.ui().redrawAll();
}
