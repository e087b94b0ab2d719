#include "document/CommandAvailability.h"

#include <algorithm>

#include "document/CORVDoc.h"
#include "document/DisplayProperties.h"

namespace {

bool hasStage(const CommandContext& c, int32_t bit) {
    return (c.gridStage & bit) != 0;
}

bool gridPropertyEnabled(int32_t code, const CommandContext& c) {
    if (!hasStage(c, kGridIsovistsComputed)) {
        return false;
    }
    if (isGridGraphProperty(code)) {
        return c.graphMeasuresCalculated;
    }
    if (isGridRadialProperty(code)) {
        return c.isovistMethod == kApproximateRadialMethod;
    }
    return true;
}

bool currentPathHasPoints(const CommandContext& c) {
    return c.currentPath >= 0 && c.currentPathObservationPointCount > 0;
}

bool enabled(const Command& command, const CommandContext& c) {
    const bool pathIsovists = c.pathIsovistCount > 0;
    switch (command.id) {
        case CommandId::InitializeGrid:
            return hasStage(c, kGridOptionsAccepted);
        case CommandId::CreateGridIsovist:
            return hasStage(c, kGridInitialised);
        case CommandId::GridExportCsv:
        case CommandId::GridReport:
        case CommandId::GridUserDefined:
            return hasStage(c, kGridIsovistsComputed);
        case CommandId::GridProperty:
            return gridPropertyEnabled(command.code, c);
        case CommandId::GridCellProperties:
            return c.currentCellExists;
        case CommandId::CreateObservationPoints:
            return c.currentPath >= 0;
        case CommandId::CreatePathIsovist:
        case CommandId::PathUserDefined:
            return currentPathHasPoints(c);
        case CommandId::ViewPathData:
        case CommandId::ApplyViewAngle:
        case CommandId::PathExportCsv:
        case CommandId::PathReport:
            return pathIsovists;
        case CommandId::PathProperty:
            return pathIsovists && (!isPathRadialProperty(command.code) ||
                                    c.isovistMethod == kApproximateRadialMethod);
        case CommandId::PathExportAllCsv:
            return c.pathCount > 0;
        default:
            return true;
    }
}

bool checked(const Command& command, const CommandContext& c) {
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

bool isGridGraphProperty(int32_t code) {
    const DisplayProperty* p = findDisplayProperty(PropertyFamily::Grid, code);
    return p != nullptr && p->graphMeasure;
}

bool isGridRadialProperty(int32_t code) {
    const DisplayProperty* p = findDisplayProperty(PropertyFamily::Grid, code);
    return p != nullptr && p->radial;
}

bool isPathRadialProperty(int32_t code) {
    const DisplayProperty* p = findDisplayProperty(PropertyFamily::Path, code);
    return p != nullptr && p->radial;
}

CommandState commandState(const Command& command, const CommandContext& context) {
    return CommandState{enabled(command, context), checked(command, context)};
}

CommandContext commandContext(const CORVDoc& doc, bool panMode) {
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
