// The logic of the "Layer" dialog, where the user gives each layer of a drawing a role.
// The window system only shows the model and calls these functions.
#pragma once

#include <string>
#include <vector>

#include "document/DxfDroppedEntity.h"
#include "document/LayerRoles.h"

class DocumentUi;

enum class LayerDialogMode : int {
    FullImport = 0,
    Paths = 1,
    Points = 2,
    AxialLines = 3,
};

struct LayerDialogModel {
    LayerDialogMode mode = LayerDialogMode::FullImport;
    LayerTable table;
    // Per layer in table order, the entities the import cannot read; empty for a clean drawing.
    std::vector<LayerDrops> droppedEntities;

    // "Read arcs, old-style polylines and blocks": off unless the user's setting turns it on.
    bool readAllEntities = false;
    // The same account with the option on.
    std::vector<LayerDrops> droppedEntitiesAll;
    // What the drawing holds that is not read (NotReadAccount), with the option off and on.
    std::vector<std::string> notReadOff;
    std::vector<std::string> notReadOn;
    // The drawing's $INSUNITS as a suggested unit; empty when it names none.
    std::string suggestedUnit;
    // Set by the command line: a full import may pass without a Boundary layer (the boundary
    // is then made or found as the answers say).
    bool boundaryMayBeMissing = false;
};

// The account of what is not read, for the option as the model has it.
const std::vector<std::string>& NotReadLines(const LayerDialogModel& model);

// The lines the dialog lists under "Dropped entities:": the unreadable entities of every layer
// whose role would read them, so the list follows the roles as the user changes them.
std::vector<std::string> DroppedEntityLines(const LayerDialogModel& model);

// Whether the radio button of `role` is enabled: every role in the full import, otherwise only
// Ignore and the mode's own role.
bool IsRoleEnabled(LayerDialogMode mode, LayerRole role);

// The role a smaller import reads (Path, Point, Axial line); Ignore in the full import.
LayerRole RoleOfMode(LayerDialogMode mode);

// Checks the choice when OK is pressed: shows the messages and asks the questions of the mode
// through `ui`. True when the dialog may close.
bool AcceptLayerChoice(const LayerDialogModel& model, DocumentUi& ui);
