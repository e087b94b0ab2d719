// The document's grid commands: Grid Options, Initialize Grid, Create Grid Isovist (the grid
// run with its passes behind the Progress dialog), the display entries that compute their
// values first, and the current cell's depth and properties.
#include <chrono>
#include <cstdio>

#include "document/CORVDoc.h"
#include "document/CommandAvailability.h"
#include "document/DisplayProperties.h"
#include "grid/GraphMeasures.h"
#include "grid/GridCellValues.h"
#include "grid/GridDepth.h"
#include "grid/GridIsovists.h"
#include "grid/GridLayout.h"
#include "grid/GridOptionsDialogModel.h"
#include "grid/GridPathCounts.h"
#include "grid/GridVisibilityGraph.h"
#include "isovist/IsovistEngine.h"
#include "isovist/IsovistPropertiesText.h"

namespace {


const char* RefusalMessage(GridLayoutRefusal refusal) {
    switch (refusal) {
        case GridLayoutRefusal::BadSpan:
            return "The span size must be a number greater than 0";
        case GridLayoutRefusal::EmptyExtent:
            return "The grid offsets leave no area to cover";
        case GridLayoutRefusal::TooManyCells:
            return "The span size is too small: the grid would have too many cells";
        case GridLayoutRefusal::None:
            break;
    }
    return "";
}

// What the grid run computes, kept apart from the document until it is published.
struct GridRunResult {
    CAnalysisGrid grid;
    std::vector<RadialStats> radialStats;
    CVisibilityGraph graph;
    double seconds = 0.0;
};

GridLayoutOptions GridOptionsOf(const CORVDoc& doc) {
    const auto& offsets = doc.m_settings.gridCornerOffsets;
    return GridLayoutOptions{doc.m_gridSpan, offsets[0], offsets[1], offsets[2], offsets[3]};
}


// The display codes of the shape measures an entry recomputes before it shows them.
std::optional<IsovistShapeMeasure> ShapeMeasureOf(int32_t code) {
    switch (code) {
        case 2:
            return IsovistShapeMeasure::Perimeter;
        case 3:
            return IsovistShapeMeasure::Drift;
        case 4:
            return IsovistShapeMeasure::Occlusivity;
        case 5:
            return IsovistShapeMeasure::Compactness;
        case 7:
            return IsovistShapeMeasure::Circularity;
        case 8:
            return IsovistShapeMeasure::VisiblePerimeterRatio;
        default:
            return std::nullopt;
    }
}


}  // namespace

void CORVDoc::OnGridOptions() {
    GridOptionsDialogModel model;
    model.planWidth = m_planExtent.maxX - m_planExtent.minX;
    model.planHeight = m_planExtent.maxY - m_planExtent.minY;
    model.span = m_gridSpan;
    model.offsets = m_settings.gridCornerOffsets;
    model.integrationDepth = m_settings.integrationDepth;
    model.calculateGraphMeasures = m_settings.calculateGraphMeasures;
    model.refresh();
    if (!m_ui->runGridOptions(model)) {
        return;
    }
    m_gridSpan = model.span;
    m_settings.gridCornerOffsets = model.offsets;
    m_settings.integrationDepth = model.integrationDepth;
    m_settings.calculateGraphMeasures = model.calculateGraphMeasures != 0 ? 1 : 0;
    m_settings.setGridState(kGridOptionsAccepted);
    m_ui->redrawAll();
}

bool CORVDoc::OnInitializeGrid() {
    WaitCursor wait(*m_ui);
    GridLayoutResult layout = LayOutGrid(m_planExtent, GridOptionsOf(*this));
    if (!layout.grid) {
        // The old grid is kept: a refused layout changes nothing.
        m_ui->message(RefusalMessage(layout.refusal));
        return false;
    }
    MarkEffectiveCells(*layout.grid, m_planPolygons.items());
    m_grid = std::move(*layout.grid);
    m_currentCell = GridCellIndex{};
    m_gridResultsValid = 0;
    m_settings.setGridState(static_cast<uint8_t>(m_settings.gridState() | kGridInitialised));
    m_ui->redrawAll();
    return true;
}

void CORVDoc::OnCreateGridIsovist() {
    if (m_grid.count < 1) {
        if (!m_ui->askYesNo("A grid is not found.\nClick yes to create one.") ||
            !OnInitializeGrid()) {
            return;
        }
    }
    const bool graph = m_settings.calculateGraphMeasures != 0;
    if (graph) {
        if (m_grid.count > CVisibilityGraph::kMaxGridNodes) {
            m_ui->message(
                "There are too many cells.\nThe graph analysis requires the number of cells to "
                "be smaller than 46340.");
            return;
        }
        if (!m_ui->askYesNo("The graph analysis may take several hours depending on the grid "
                            "resolution.\nDo you want to proceed?")) {
            return;
        }
    }

    // The run reads the plan (unchanged while the modal dialog is up) and its own copy of the
    // grid; the document takes the results only in publish, on the interface thread.
    auto result = std::make_shared<GridRunResult>();
    result->grid = m_grid;
    const PlanTables plan = isovistPlanTables();
    const int32_t method = m_settings.m_isovistMethod;
    const int32_t depth = m_settings.integrationDepth;
    const std::span<const PlanPolygon> paths = m_paths.items();
    LongTask task;
    task.work = [result, plan, method, depth, graph, paths](ProgressSink& progress) {
        const auto start = std::chrono::steady_clock::now();
        CAnalysisGrid& grid = result->grid;
        progress.beginPass(graph ? "Pass 1/5" : "Pass 1/2", 0, grid.nx);
        ComputeGridIsovists(grid, plan, method, result->radialStats, progress);
        if (graph && !progress.stopRequested()) {
            progress.beginPass("Pass 2/5", 0, grid.count);
            result->graph = BuildGridVisibilityGraph(grid, progress);
            progress.setPosition(grid.count);
            if (!progress.stopRequested()) {
                ComputeGridGraphMeasures(grid, result->graph, depth, progress,
                                         GraphMeasurePasses{"Pass 3/5", "Pass 4/5"});
            }
        }
        if (progress.stopRequested()) {
            return;  // cancelled: the result is dropped and the document keeps its grid
        }
        progress.beginPass(graph ? "Pass 5/5" : "Pass 2/2", 0, grid.count);
        CountPathsThroughCells(grid, paths, progress);
        progress.setPosition(grid.count);
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        result->seconds = static_cast<double>(elapsed.count()) * 0.001;
    };
    task.publish = [this, result] {
        m_grid = std::move(result->grid);
        m_gridRadialStats = std::move(result->radialStats);
        m_gridGraph = std::move(result->graph);
        m_gridDisplayProperty = kGridArea;
        m_gridResultsValid = 1;
        char text[128];
        std::snprintf(text, sizeof text, "Computation Time = %.2f seconds \n", result->seconds);
        m_ui->message(text);
        m_ui->redrawAll();
    };
    // Closed with OK (run or not): the isovists count as computed. Cancel keeps the state.
    if (m_ui->runProgressDialog(task)) {
        m_settings.setGridState(
            static_cast<uint8_t>(m_settings.gridState() | kGridIsovistsComputed));
    }
    m_ui->redrawAll();
}

void CORVDoc::OnGridDepthFromCurrentCell() {
    if (m_settings.calculateGraphMeasures == 0) {
        m_ui->message("Graph measures are not included in the current analysis");
        return;
    }
    switch (ComputeDepthFromCell(m_grid, m_gridGraph, m_currentCell)) {
        case DepthFromCellOutcome::InvalidCell:
            m_ui->message("Invalid cell");
            return;
        case DepthFromCellOutcome::NotEffective:
            m_ui->message("Pick a valid cell first");
            return;
        case DepthFromCellOutcome::GraphMismatch:
            // A graph that does not match the grid (e.g. from an older run): nothing to show.
            return;
        case DepthFromCellOutcome::Done:
            break;
    }
    m_gridDisplayProperty = kGridDepthFromCurrentCell;
    m_ui->redrawAll();
}

void CORVDoc::OnGridShapeMeasure(int32_t code) {
    const std::optional<IsovistShapeMeasure> measure = ShapeMeasureOf(code);
    if (!measure) {
        return;
    }
    RecomputeGridMeasure(m_grid, *measure, WallSegments());
    m_gridDisplayProperty = code;
    m_ui->redrawAll();
}

void CORVDoc::OnGridPointCount() {
    if (m_grid.cells.empty() || m_grid.nx < 1 || m_grid.ny < 1) {
        return;
    }
    CountPointsInCells(m_grid, m_customPoints);
    m_gridDisplayProperty = kGridPointCount;
    m_ui->redrawAll();
}

void CORVDoc::OnGridUserDefined() {
    if (m_grid.cells.empty()) {
        return;
    }
    const std::optional<std::vector<double>> values =
        ChooseUserValues(*m_ui, static_cast<size_t>(m_grid.effectiveCount()));
    if (!values) {
        return;
    }
    if (!AssignUserValues(m_grid, *values)) {
        m_ui->message("Number of data is not consistent");
        return;
    }
    m_gridDisplayProperty = kGridUserDefined;
    m_ui->redrawAll();
}

void CORVDoc::OnGridCellProperties() {
    const CGridCell* cell = m_grid.cellAt(m_currentCell);
    if (cell == nullptr) {
        m_ui->message("Invalid cell");
        return;
    }
    if (cell->effective == 0) {
        m_ui->message("Pick a valid cell first");
        return;
    }
    RadialStats stats;
    const int32_t index = cell->isovist.radialStatsIndex;
    if (m_settings.m_isovistMethod == kRadialMethod && index >= 0 &&
        static_cast<size_t>(index) < m_gridRadialStats.size()) {
        stats = m_gridRadialStats[static_cast<size_t>(index)];
    }
    const IsovistProperties dialog(cell->isovist, stats, true, m_settings.m_isovistMethod,
                                   m_settings.m_unit);
    m_ui->showIsovistProperties(dialog.Texts());
}
