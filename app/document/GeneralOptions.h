// The model of the General Options dialog: private copies of the settings, entropy and
// layer-name blocks, edited by the dialog and written back whole only when the user confirms.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "document/DocumentSettings.h"
#include "document/EntropyParams.h"
#include "document/LayerNames.h"

struct GeneralOptionsBlocks {
    DocumentSettings settings;
    EntropyParams entropy;
    LayerNames layerNames;
    friend bool operator==(const GeneralOptionsBlocks&, const GeneralOptionsBlocks&) = default;
};

class CORVDoc;
// The document's three blocks as the dialog opens on them.
GeneralOptionsBlocks GeneralOptionsOf(const CORVDoc& doc);
// OK in the dialog: the three blocks written back whole, then every view redrawn.
void ApplyGeneralOptions(CORVDoc& doc, const GeneralOptionsBlocks& blocks);

// Labels of the dialog's lists, in the order of their stored values.
const std::vector<std::string>& IsovistMethodLabels();
const std::vector<std::string>& UnitLabels();
// The 13 colour buttons' captions, in the order of the colour table.
const std::vector<std::string>& ColorRoleLabels();

// The four names the Layer Names dialog edits: boundary, wall, path, reference line.
using EditableLayerNames = std::array<std::string, 4>;

class GeneralOptionsModel {
  public:
    explicit GeneralOptionsModel(GeneralOptionsBlocks blocks) : blocks_(std::move(blocks)) {}

    DocumentSettings& settings() { return blocks_.settings; }
    const DocumentSettings& settings() const { return blocks_.settings; }
    EntropyParams& entropy() { return blocks_.entropy; }

    // From and To can be typed only with a manual range.
    bool rangeFieldsEnabled() const { return blocks_.settings.scaleRange == 1; }

    uint32_t color(int role) const;
    void setColor(int role, uint32_t colorRef);

    EditableLayerNames layerNamesForEditing() const;
    // Stores the edited names upper-cased (and cut to the field size).
    void acceptLayerNames(const EditableLayerNames& names);

    // The three blocks as the user left them, to be written into the document on OK.
    const GeneralOptionsBlocks& blocks() const { return blocks_; }

  private:
    GeneralOptionsBlocks blocks_;
};

// ASCII letters to upper case; other bytes (UTF-8 included) unchanged.
std::string UpperCaseLayerName(std::string name);
