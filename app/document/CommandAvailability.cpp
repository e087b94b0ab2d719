#include "document/CommandAvailability.h"

#include <algorithm>

#include "document/CORVDoc.h"
#include "document/DisplayProperties.h"

namespace {

bool HasStage(const CommandContext& c, int32_t bit) {
    return (c.gridStage & bit) != 0;
}

bool GridPropertyEnabled(int32_t code, const CommandContext& c) {
    if (!HasStage(c, kGridIsovistsComputed)) {
        return false;
    }
    if (IsGridGraphProperty(code)) {
        return c.graphMeasuresCalculated;
    }
    if (IsGridRadialProperty(code)) {
        return c.isovistMethod == kApproximateRadialMethod;
    }
    return true;
}

bool CurrentPathHasPoints(const CommandContext& c) {
    return c.currentPath >= 0 && c.currentPathObservationPointCount > 0;
}

bool Enabled(const Command& command, const CommandContext& c) {
    const bool pathIsovists = c.pathIsovistCount > 0;
    switch (command.id) {
        case CommandId::InitializeGrid:
            return HasStage(c, kGridOptionsAccepted);
        case CommandId::CreateGridIsovist:
            return HasStage(c, kGridInitialised);
        case CommandId::GridExportCsv:
        case CommandId::GridReport:
        case CommandId::GridUserDefined:
            return HasStage(c, kGridIsovistsComputed);
        case CommandId::GridProperty:
            return GridPropertyEnabled(command.code, c);
        case CommandId::GridCellProperties:
            return c.currentCellExists;
        case CommandId::CreateObservationPoints:
            return c.currentPath >= 0;
        case CommandId::CreatePathIsovist:
        case CommandId::PathUserDefined:
            return CurrentPathHasPoints(c);
        case CommandId::ViewPathData:
        case CommandId::ApplyViewAngle:
        case CommandId::PathExportCsv:
        case CommandId::PathReport:
            return pathIsovists;
        case CommandId::PathProperty:
            return pathIsovists && (!IsPathRadialProperty(command.code) ||
                                    c.isovistMethod == kApproximateRadialMethod);
        case CommandId::PathExportAllCsv:
            return c.pathCount > 0;
        default:
            return true;
    }
}

bool Checked(const Command& command, const CommandContext& c) {
    switch (command.id) {
        case CommandId::Pan:
            return c.panMode;
        case CommandId::ShowToggle:
            return command.code >= 0 && command.code < kShowFlagCount &&
                   c.show[static_cast<size_t>(command.code)] != 0;
        case CommandId::GridProperty:
            return c.gridDisplayProperty == command.code;
        case CommandId::PathProperty:
            return c.pathDisplayProperty == command.code;
        case CommandId::AxialProperty:
            return c.axialDisplayProperty == command.code;
        default:
            return false;
    }
}

}  // namespace

bool IsGridGraphProperty(int32_t code) {
    const DisplayProperty* p = FindDisplayProperty(PropertyFamily::Grid, code);
    return p != nullptr && p->graphMeasure;
}

bool IsGridRadialProperty(int32_t code) {
    const DisplayProperty* p = FindDisplayProperty(PropertyFamily::Grid, code);
    return p != nullptr && p->radial;
}

bool IsPathRadialProperty(int32_t code) {
    const DisplayProperty* p = FindDisplayProperty(PropertyFamily::Path, code);
    return p != nullptr && p->radial;
}

CommandState CommandStateOf(const Command& command, const CommandContext& context) {
    return CommandState{Enabled(command, context), Checked(command, context)};
}

CommandContext CommandContextOf(const CORVDoc& doc, bool panMode) {
    CommandContext c;
    c.gridStage = doc.m_settings.gridState();
    c.graphMeasuresCalculated = doc.m_settings.calculateGraphMeasures != 0;
    c.isovistMethod = doc.m_settings.m_isovistMethod;
    c.currentPath = doc.m_currentPath;
    if (doc.m_currentPath >= 0 && doc.m_currentPath < doc.m_observationPoints.count()) {
        c.currentPathObservationPointCount = doc.m_observationPoints[doc.m_currentPath].count();
    }
    c.pathIsovistCount = static_cast<int32_t>(doc.m_pathIsovists.size());
    c.pathCount = doc.m_paths.count();
    c.currentCellExists = doc.m_grid.cellAt(doc.m_currentCell) != nullptr;
    c.panMode = panMode;
    c.show = doc.m_settings.m_show;
    c.gridDisplayProperty = doc.m_gridDisplayProperty;
    c.pathDisplayProperty = doc.m_pathDisplayProperty;
    c.axialDisplayProperty = doc.m_settings.m_axialDisplayProperty;
    return c;
}
