#include "document/LayerDialogModel.h"

#include "document/DocumentUi.h"
#include "document/DxfDropSurvey.h"

std::vector<std::string> droppedEntityLines(const LayerDialogModel& model) {
    return droppedEntityLines(
        model.table, model.readAllEntities ? model.droppedEntitiesAll : model.droppedEntities);
}

const std::vector<std::string>& notReadLines(const LayerDialogModel& model) {
    return model.readAllEntities ? model.notReadOn : model.notReadOff;
}

LayerRole roleOfMode(LayerDialogMode mode) {
    switch (mode) {
        case LayerDialogMode::Paths:
            return LayerRole::Path;
        case LayerDialogMode::Points:
            return LayerRole::Point;
        case LayerDialogMode::AxialLines:
            return LayerRole::AxialLine;
        case LayerDialogMode::FullImport:
            break;
    }
    return LayerRole::Ignore;
}

bool isRoleEnabled(LayerDialogMode mode, LayerRole role) {
    return mode == LayerDialogMode::FullImport || role == LayerRole::Ignore ||
           role == roleOfMode(mode);
}

bool acceptLayerChoice(const LayerDialogModel& model, DocumentUi& ui) {
    const LayerTable& table = model.table;
    if (model.mode == LayerDialogMode::FullImport) {
        const int boundaries = table.countWithRole(LayerRole::Boundary);
        if (boundaries == 0 && !model.boundaryMayBeMissing) {
            ui.message("Please select a boundary layer");
            return false;
        }
        if (boundaries > 1) {
            ui.message("There are multiple layers for boundary");
            return false;
        }
        if (table.countWithRole(LayerRole::Wall) == 0) {
            return ui.askYesNo("No wall layers are selected.\nDo you want to continue anyway?");
        }
        return true;
    }
    if (model.mode == LayerDialogMode::AxialLines &&
        table.countWithRole(LayerRole::AxialLine) == 0) {
        return ui.askYesNo("No layers are selected.\nDo you want to continue anyway?");
    }
    return true;
}
