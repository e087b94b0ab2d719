#include "document/LayerDialogModel.h"

#include "document/DocumentUi.h"
#include "document/DxfDropSurvey.h"

std::vector<std::string> DroppedEntityLines(const LayerDialogModel& model) {
    return DroppedEntityLines(
        model.table, model.readAllEntities ? model.droppedEntitiesAll : model.droppedEntities);
}

const std::vector<std::string>& NotReadLines(const LayerDialogModel& model) {
    return model.readAllEntities ? model.notReadOn : model.notReadOff;
}

LayerRole RoleOfMode(LayerDialogMode mode) {
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

bool IsRoleEnabled(LayerDialogMode mode, LayerRole role) {
    return mode == LayerDialogMode::FullImport || role == LayerRole::Ignore ||
           role == RoleOfMode(mode);
}

bool AcceptLayerChoice(const LayerDialogModel& model, DocumentUi& ui) {
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
