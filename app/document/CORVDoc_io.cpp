// The document's DXF imports: the full import that replaces the plan and the three smaller
// imports that add paths, custom points or axial lines.
#include <filesystem>
#include <variant>

#include "document/BoundaryCrossing.h"
#include "document/CORVDoc.h"
#include "document/DxfAllEntities.h"
#include "document/DxfDrawing.h"
#include "document/DxfDrawingAccount.h"
#include "document/DxfDropSurvey.h"
#include "document/DxfImportSteps.h"
#include "document/DxfPlanReaders.h"
#include "document/LayerDialogModel.h"

namespace {

constexpr const char* kDxfFilter = "Drawing Exchange Format (*.dxf)|*.dxf|All Files (*.*)|*.*||";
constexpr const char* kDxfExtension = "dxf";

// The drawing and its layer table; empty (after a message) when it cannot be read.
std::optional<DxfDrawing> openDrawing(const std::string& path, DocumentUi& ui) {
    auto loaded = DxfDrawing::load(path);
    if (auto* error = std::get_if<std::string>(&loaded)) {
        ui.message(*error);
        return std::nullopt;
    }
    return std::get<DxfDrawing>(std::move(loaded));
}

void resizeObservationPointLists(CORVDoc& doc) {
    while (doc.m_observationPoints.count() < doc.m_paths.count()) {
        doc.m_observationPoints.append(PlanPolygon());
    }
}

// Without lines the length range keeps its previous values.
void refreshAxialLines(CORVDoc& doc) {
    doc.m_axialLineCount = static_cast<int32_t>(doc.m_axialLines.size());
    if (!doc.m_axialLines.empty()) {
        std::tie(doc.m_shortestAxialLineLength, doc.m_longestAxialLineLength) =
            axialLineLengthRange(doc.m_axialLines);
    }
}

// The dialog's model: the layers with their first roles, what the readers would drop and what
// the drawing holds that is not read, with the option off and on.
LayerDialogModel layerDialogModel(const DxfDrawing& drawing, const DxfAllEntitiesReading& all,
                                  LayerDialogMode mode) {
    LayerDialogModel model;
    model.mode = mode;
    model.table = makeLayerTable(drawing.readLayerNames(), mode == LayerDialogMode::FullImport);
    model.droppedEntities = surveyDroppedEntities(drawing, model.table.names);
    model.droppedEntitiesAll = surveyDroppedEntities(all, model.table.names);
    model.notReadOff = notReadAccount(model.table.names, all, false);
    model.notReadOn = notReadAccount(model.table.names, all, true);
    model.suggestedUnit = suggestedUnitText(readInsUnits(drawing.text()));
    return model;
}

// The shapes of the option "Read arcs, old-style polylines and blocks", when it is on.
const DxfAllEntitiesReading* furtherEntities(const LayerDialogModel& model,
                                             const DxfAllEntitiesReading& all) {
    return model.readAllEntities ? &all : nullptr;
}

void readLayer(CORVDoc& doc, const DxfDrawing& drawing, const DxfAllEntitiesReading* all,
               const std::string& layer, LayerRole role) {
    if (all) {
        const DxfLayerShapes& shapes = all->layer(layer);
        switch (role) {
            case LayerRole::Wall:
                appendWallPolygons(shapes, doc.m_planPolygons);
                break;
            case LayerRole::Path:
                appendPaths(shapes, doc.m_paths);
                resizeObservationPointLists(doc);
                break;
            case LayerRole::Point:
                appendCircleCentres(shapes, doc.m_customPoints);
                doc.m_customPointCount = static_cast<int32_t>(doc.m_customPoints.size());
                break;
            case LayerRole::AxialLine:
                appendAxialSegments(shapes, doc.m_axialLines);
                doc.m_axialLineCount = static_cast<int32_t>(doc.m_axialLines.size());
                break;
            case LayerRole::ReferenceLine:
                appendWallPolygons(shapes, doc.m_referenceLines);
                break;
            case LayerRole::Ignore:
            case LayerRole::Boundary:
                break;
        }
        return;
    }
    switch (role) {
        case LayerRole::Ignore:
            break;
        case LayerRole::Boundary:
            // Read by the full import before it resets the document (readBoundaryLayer).
            break;
        case LayerRole::Wall:
            appendWallPolygons(drawing, layer, doc.m_planPolygons);
            break;
        case LayerRole::Path:
            appendPaths(drawing, layer, doc.m_paths);
            resizeObservationPointLists(doc);
            break;
        case LayerRole::Point:
            appendCircleCentres(drawing, layer, doc.m_customPoints);
            doc.m_customPointCount = static_cast<int32_t>(doc.m_customPoints.size());
            break;
        case LayerRole::AxialLine:
            appendAxialSegments(drawing, layer, doc.m_axialLines);
            doc.m_axialLineCount = static_cast<int32_t>(doc.m_axialLines.size());
            break;
        case LayerRole::ReferenceLine:
            appendWallPolygons(drawing, layer, doc.m_referenceLines);
            break;
    }
}

// The boundary of the chosen layer (left empty when the layer has no polyline), read before the
// document is reset so that a refused boundary leaves the document as it was. False (after the
// message) when refused.
bool readBoundaryLayer(const DxfDrawing& drawing, const DxfAllEntitiesReading* all,
                       const LayerTable& table, DocumentUi& ui, PlanPolygon& boundary) {
    for (int i = 0; i < table.count(); ++i) {
        if (table.roles[static_cast<size_t>(i)] != LayerRole::Boundary) {
            continue;
        }
        const std::string& layer = table.names[static_cast<size_t>(i)];
        BoundaryReading reading =
            all ? readBoundaryPolygon(all->layer(layer)) : readBoundaryPolygon(drawing, layer);
        if (reading.refusedFor) {
            ui.message(boundaryRefusalMessage(*reading.refusedFor));
            return false;
        }
        if (reading.polygon) {
            boundary = std::move(*reading.polygon);
        }
        return true;
    }
    return true;
}

// The questions after the readers when polygon 0 has no area yet.
void askForBoundary(CORVDoc& doc) {
    DocumentUi& ui = doc.ui();
    PolygonList& polygons = doc.m_planPolygons;
    if (ui.askYesNo("No boundary is found\nDo you want to create one?")) {
        if (auto rectangle = boundaryAroundExtent(doc.m_planExtent)) {
            polygons[0] = std::move(*rectangle);
        }
        return;
    }
    if (ui.askYesNo("Do you want to assign the outermost wall polygon as a boundary?") &&
        polygons.count() > 1) {
        polygons[0] = std::move(polygons.items().back());
        polygons.items().pop_back();
        moveOutermostPolygonFirst(polygons);
    }
}

}  // namespace

void CORVDoc::OnImportDxf() {
    while (const auto path = m_ui->chooseOpenFile(kDxfFilter, kDxfExtension)) {
        if (ImportDxfFile(*path) != ImportOutcome::Cancelled) {
            return;
        }
    }
}

CORVDoc::ImportOutcome CORVDoc::ImportDxfFile(const std::string& path) {
    const auto drawing = openDrawing(path, *m_ui);
    if (!drawing) {
        return ImportOutcome::Failed;
    }
    const DxfAllEntitiesReading all = readAllEntities(*drawing);
    LayerDialogModel model = layerDialogModel(*drawing, all, LayerDialogMode::FullImport);
    if (model.table.names.empty()) {
        m_ui->message("No layers are found in the drawing");
        return ImportOutcome::Failed;
    }
    if (!m_ui->chooseLayerRoles(model)) {
        return ImportOutcome::Cancelled;
    }

    const DxfAllEntitiesReading* further = furtherEntities(model, all);
    PlanPolygon boundary;
    if (!readBoundaryLayer(*drawing, further, model.table, *m_ui, boundary)) {
        return ImportOutcome::Failed;
    }

    ResetDocument();
    m_planPolygons.append(std::move(boundary));
    for (int i = 0; i < model.table.count(); ++i) {
        readLayer(*this, *drawing, further, model.table.names[static_cast<size_t>(i)],
                  model.table.roles[static_cast<size_t>(i)]);
    }
    ComputePlanExtent();
    if (m_planPolygons[0].count() < 3) {
        askForBoundary(*this);
    }
    if (m_planPolygons[0].count() < 3) {
        m_ui->message("No boundary is found");
        ResetDocument();
        return ImportOutcome::Failed;
    }

    ComputePlanExtent();
    orientPlanPolygons(m_planPolygons);
    RebuildWallTables();
    refreshAxialLines(*this);
    // A bow-tie boundary is imported as drawn; the user is told where to mend it.
    if (const auto crossing = findBoundaryCrossing(m_planPolygons[0])) {
        m_ui->message(boundaryCrossingMessage(crossing->at));
    }
    SetTitle(std::filesystem::path(path).filename().string());
    m_documentPath = path + ".ovx";
    m_ui->showGeneralOptions();
    m_ui->postZoomExtent();
    m_ui->redrawAll();
    return ImportOutcome::Imported;
}

namespace {

struct SmallerImport {
    LayerDialogMode mode;
    const char* question;
    bool needsPlan;
};

constexpr SmallerImport kPathImport{
    LayerDialogMode::Paths,
    "Paths already exist.\nClick YES to add new paths.\nClick NO to remove existing paths.", true};
constexpr SmallerImport kPointImport{
    LayerDialogMode::Points,
    "Points already exist.\nClick YES to add new points.\nClick NO to remove existing points.",
    true};
constexpr SmallerImport kAxialImport{LayerDialogMode::AxialLines,
                                     "Axial lines already exist.\nClick YES to add new axial "
                                     "lines.\nClick NO to remove existing axial lines.",
                                     false};

bool targetHoldsData(const CORVDoc& doc, LayerDialogMode mode) {
    switch (mode) {
        case LayerDialogMode::Paths:
            return !doc.m_paths.empty();
        case LayerDialogMode::Points:
            return !doc.m_customPoints.empty();
        case LayerDialogMode::AxialLines:
            return !doc.m_axialLines.empty();
        case LayerDialogMode::FullImport:
            break;
    }
    return false;
}

void removeTargetData(CORVDoc& doc, LayerDialogMode mode) {
    switch (mode) {
        case LayerDialogMode::Paths:
            doc.m_paths.clear();
            doc.m_observationPoints.clear();
            doc.m_pathIsovists.clear();
            doc.m_pathRadialStats.clear();  // they belong to the records just removed
            doc.m_currentPath = -1;
            break;
        case LayerDialogMode::Points:
            doc.m_customPoints.clear();
            doc.m_customPointCount = 0;
            break;
        case LayerDialogMode::AxialLines:
            doc.m_axialLines.clear();
            doc.m_axialLineCount = 0;
            break;
        case LayerDialogMode::FullImport:
            break;
    }
}

// One run of a smaller import; false when the layer dialog was cancelled, so that the command
// runs again.
bool runSmallerImport(CORVDoc& doc, const SmallerImport& import) {
    DocumentUi& ui = doc.ui();
    if (import.needsPlan && doc.m_planPolygons.empty()) {
        ui.message("No boundary found");
        return true;
    }
    if (targetHoldsData(doc, import.mode) && !ui.askYesNo(import.question)) {
        removeTargetData(doc, import.mode);
    }
    const auto path = ui.chooseOpenFile(kDxfFilter, kDxfExtension);
    if (!path) {
        return true;
    }
    const auto drawing = openDrawing(*path, ui);
    if (!drawing) {
        return true;
    }
    const DxfAllEntitiesReading all = readAllEntities(*drawing);
    LayerDialogModel model = layerDialogModel(*drawing, all, import.mode);
    if (!ui.chooseLayerRoles(model)) {
        return false;
    }
    const LayerRole role = roleOfMode(import.mode);
    for (int i = 0; i < model.table.count(); ++i) {
        if (model.table.roles[static_cast<size_t>(i)] == role) {
            readLayer(doc, *drawing, furtherEntities(model, all),
                      model.table.names[static_cast<size_t>(i)], role);
        }
    }
    if (import.mode == LayerDialogMode::AxialLines) {
        doc.m_axialGraph.clear();
        doc.m_axialLineRecords.assign(doc.m_axialLines.size(), IsovistRecord{});
        refreshAxialLines(doc);
    }
    ui.redrawAll();
    return true;
}

void repeatUntilDone(CORVDoc& doc, const SmallerImport& import) {
    while (!runSmallerImport(doc, import)) {
    }
}

}  // namespace

void CORVDoc::OnImportPathsFromDxf() {
    repeatUntilDone(*this, kPathImport);
}
void CORVDoc::OnImportPointsFromDxf() {
    repeatUntilDone(*this, kPointImport);
}
void CORVDoc::OnImportAxialLinesFromDxf() {
    repeatUntilDone(*this, kAxialImport);
}
