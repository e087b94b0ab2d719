// Everything a plan document holds: the plan, every analysis result and the stored blocks,
// each member at the value a new document has. CORVDoc adds the commands; a reset makes the
// content new again except for the few values kept across it (see CORVDoc::ResetDocument), so
// a member added here is reset without being listed anywhere.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "document/AnalysisGrid.h"
#include "document/DocumentSettings.h"
#include "document/EliminationOptions.h"
#include "document/EntropyParams.h"
#include "document/IsovistRecord.h"
#include "document/LayerNames.h"
#include "document/PlanTypes.h"
#include "document/SavedViewState.h"
#include "document/VisibilityGraph.h"

struct DocumentContent {
    // ---- plan geometry ----
    std::vector<PlanPoint> m_wallVertices;
    int32_t m_wallVertexCount = 0;
    std::vector<PlanSegment> m_wallSegments;  // obstacle set of every isovist
    int32_t m_wallSegmentCount = 0;
    std::vector<PlanSegment> m_axialLines;
    int32_t m_axialLineCount = 0;
    // Polygon 0 is the boundary; polygons 1 onward are closed wall polygons.
    PolygonList m_planPolygons;
    EliminationOptions m_eliminationOptions;  // construction only
    PlanExtent m_planExtent;
    // The two document integers stored after the wall counts (1 after construction).
    std::array<int32_t, 2> m_wallTableFlags{1, 1};
    // Shortest and longest axial line length.
    double m_shortestAxialLineLength = 0.0;
    double m_longestAxialLineLength = 0.0;
    // The document integer stored after the axial lines.
    int32_t m_axialLinesReserved = 0;
    // The two document integers stored after the elimination options.
    std::array<int32_t, 2> m_eliminationReserved{0, 0};

    // ---- point isovist ----
    std::vector<PlanSegment> m_radialLines;  // of the last computed isovist
    PlanPoint m_isovistOrigin;
    double m_isovistArea = 0.0;
    PlanPoint m_isovistCentroid;
    IsovistRecord m_pointIsovist;  // created empty, not reset
    RadialStats m_pointRadialStats;
    PlanPoint m_lastPointIsovistAt;

    // ---- grid ----
    CAnalysisGrid m_grid;
    // The grid integer stored after the grid record, and the grid results flag.
    int32_t m_gridReserved = 0;
    int32_t m_gridResultsValid = 0;
    double m_gridSpan = 100.0;  // the grid options' span size
    int32_t m_gridDisplayProperty = 1;
    std::vector<RadialStats> m_gridRadialStats;
    CVisibilityGraph m_gridGraph;
    CVisibilityGraph m_axialGraph;
    GridCellIndex m_currentCell;
    PlanPoint m_pickedPoint;

    // ---- paths ----
    PolygonList m_paths;
    PolygonList m_observationPoints;  // entry i: the observation points of path i
    std::vector<IsovistRecord> m_pathIsovists;
    std::vector<RadialStats> m_pathRadialStats;
    int32_t m_currentPath = -1;
    int32_t m_pathDisplayProperty = 0;

    // ---- other plan content ----
    PolygonList m_referenceLines;
    std::vector<PlanPoint> m_customPoints;
    int32_t m_customPointCount = 0;
    std::vector<IsovistRecord> m_axialLineRecords;
    int32_t m_selectedAxialLine = -1;

    // ---- stored blocks ----
    DocumentSettings m_settings;
    SavedViewState m_savedViewState;
    EntropyParams m_entropyParams;
    LayerNames m_layerNames;

    // The document's file path; empty for a new document.
    std::string m_documentPath;

};
