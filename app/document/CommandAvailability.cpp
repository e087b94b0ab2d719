#include "document/CommandAvailability.h"

#include <algorithm>

#include "document/CORVDoc.h"

namespace {

bool contains(std::initializer_list<int32_t> codes, int32_t code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

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
    // Connectivity, Mean Depth, Relative Asymmetry, Control ... Global Connectivity E,
    // Controllability, Integration-n and Depth from current cell.
    return contains({9, 10, 11, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28}, code);
}

bool isGridRadialProperty(int32_t code) {
    // Complexity, Max/Mean/Min Radial, Elongation, Autocorrelation and the bidirectional radials.
    return contains({12, 13, 14, 15, 16, 17, 30, 31}, code);
}

bool isPathRadialProperty(int32_t code) {
    // Elongation, Complexity, Autocorrelation, Max/Mean/Min Radial.
    return contains({8, 9, 10, 11, 12, 13}, code);
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
    const CAnalysisGrid& grid = doc.m_grid;
    const GridCellIndex cell = doc.m_currentCell;
    c.currentCellExists = cell.column >= 0 && cell.column < grid.nx && cell.row >= 0 &&
                          cell.row < grid.ny &&
                          static_cast<size_t>(cell.row) * static_cast<size_t>(grid.nx) +
                                  static_cast<size_t>(cell.column) <
                              grid.cells.size();
    c.panMode = panMode;
    c.show = doc.m_settings.m_show;
    c.gridDisplayProperty = doc.m_gridDisplayProperty;
    c.pathDisplayProperty = doc.m_pathDisplayProperty;
    c.axialDisplayProperty = doc.m_settings.m_axialDisplayProperty;
    return c;
}
