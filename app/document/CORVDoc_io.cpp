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
std::optional<DxfDrawing> OpenDrawing(const std::string& path, DocumentUi& ui) {
    auto loaded = DxfDrawing::load(path);
    if (auto* error = std::get_if<std::string>(&loaded)) {
        ui.message(*error);
        return std::nullopt;
    }
    return std::get<DxfDrawing>(std::move(loaded));
}

void ResizeObservationPointLists(CORVDoc& doc) {
    while (doc.m_observationPoints.count() < doc.m_paths.count()) {
        doc.m_observationPoints.append(PlanPolygon());
    }
}

// Without lines the length range keeps its previous values.
void RefreshAxialLines(CORVDoc& doc) {
    doc.m_axialLineCount = static_cast<int32_t>(doc.m_axialLines.size());
    if (!doc.m_axialLines.empty()) {
        std::tie(doc.m_shortestAxialLineLength, doc.m_longestAxialLineLength) =
            AxialLineLengthRange(doc.m_axialLines);
    }
}

// The dialog's model: the layers with their first roles, what the readers would drop and what
// the drawing holds that is not read, with the option off and on.
LayerDialogModel LayerDialogModelOf(const DxfDrawing& drawing, const DxfAllEntitiesReading& all,
                                  LayerDialogMode mode) {
    LayerDialogModel model;
    model.mode = mode;
    model.table = MakeLayerTable(drawing.readLayerNames(), mode == LayerDialogMode::FullImport);
    model.droppedEntities = SurveyDroppedEntities(drawing, model.table.names);
    model.droppedEntitiesAll = SurveyDroppedEntities(all, model.table.names);
    model.notReadOff = NotReadAccount(model.table.names, all, false);
    model.notReadOn = NotReadAccount(model.table.names, all, true);
    model.suggestedUnit = SuggestedUnitText(ReadInsUnits(drawing.text()));
    return model;
}

// The shapes of the option "Read arcs, old-style polylines and blocks", when it is on.
const DxfAllEntitiesReading* FurtherEntities(const LayerDialogModel& model,
                                             const DxfAllEntitiesReading& all) {
    return model.readAllEntities ? &all : nullptr;
}

void ReadLayer(CORVDoc& doc, const DxfDrawing& drawing, const DxfAllEntitiesReading* all,
               const std::string& layer, LayerRole role) {
    if (all) {
        const DxfLayerShapes& shapes = all->layer(layer);
        switch (role) {
            case LayerRole::Wall:
                AppendWallPolygons(shapes, doc.m_planPolygons);
                break;
            case LayerRole::Path:
                AppendPaths(shapes, doc.m_paths);
                ResizeObservationPointLists(doc);
                break;
            case LayerRole::Point:
                AppendCircleCentres(shapes, doc.m_customPoints);
                doc.m_customPointCount = static_cast<int32_t>(doc.m_customPoints.size());
                break;
            case LayerRole::AxialLine:
                AppendAxialSegments(shapes, doc.m_axialLines);
                doc.m_axialLineCount = static_cast<int32_t>(doc.m_axialLines.size());
                break;
            case LayerRole::ReferenceLine:
                AppendWallPolygons(shapes, doc.m_referenceLines);
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
            // Read by the full import before it resets the document (ReadBoundaryLayer).
            break;
        case LayerRole::Wall:
            AppendWallPolygons(drawing, layer, doc.m_planPolygons);
            break;
        case LayerRole::Path:
            AppendPaths(drawing, layer, doc.m_paths);
            ResizeObservationPointLists(doc);
            break;
        case LayerRole::Point:
            AppendCircleCentres(drawing, layer, doc.m_customPoints);
            doc.m_customPointCount = static_cast<int32_t>(doc.m_customPoints.size());
            break;
        case LayerRole::AxialLine:
            AppendAxialSegments(drawing, layer, doc.m_axialLines);
            doc.m_axialLineCount = static_cast<int32_t>(doc.m_axialLines.size());
            break;
        case LayerRole::ReferenceLine:
            AppendWallPolygons(drawing, layer, doc.m_referenceLines);
            break;
    }
}

// The boundary of the chosen layer (left empty when the layer has no polyline), read before the
// document is reset so that a refused boundary leaves the document as it was. False (after the
// message) when refused.
bool ReadBoundaryLayer(const DxfDrawing& drawing, const DxfAllEntitiesReading* all,
                       const LayerTable& table, DocumentUi& ui, PlanPolygon& boundary) {
    for (int i = 0; i < table.count(); ++i) {
        if (table.roles[static_cast<size_t>(i)] != LayerRole::Boundary) {
            continue;
        }
        const std::string& layer = table.names[static_cast<size_t>(i)];
        BoundaryReading reading =
            all ? ReadBoundaryPolygon(all->layer(layer)) : ReadBoundaryPolygon(drawing, layer);
        if (reading.refusedFor) {
            ui.message(BoundaryRefusalMessage(*reading.refusedFor));
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
void AskForBoundary(CORVDoc& doc) {
    DocumentUi& ui = doc.ui();
    PolygonList& polygons = doc.m_planPolygons;
    if (ui.askYesNo("No boundary is found\nDo you want to create one?")) {
        if (auto rectangle = BoundaryAroundExtent(doc.m_planExtent)) {
            polygons[0] = std::move(*rectangle);
        }
        return;
    }
    if (ui.askYesNo("Do you want to assign the outermost wall polygon as a boundary?") &&
        polygons.count() > 1) {
        polygons[0] = std::move(polygons.items().back());
        polygons.items().pop_back();
        MoveOutermostPolygonFirst(polygons);
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
    const auto drawing = OpenDrawing(path, *m_ui);
    if (!drawing) {
        return ImportOutcome::Failed;
    }
    const DxfAllEntitiesReading all = ReadAllEntities(*drawing);
    LayerDialogModel model = LayerDialogModelOf(*drawing, all, LayerDialogMode::FullImport);
    if (model.table.names.empty()) {
        m_ui->message("No layers are found in the drawing");
        return ImportOutcome::Failed;
    }
    if (!m_ui->chooseLayerRoles(model)) {
        return ImportOutcome::Cancelled;
    }

    const DxfAllEntitiesReading* further = FurtherEntities(model, all);
    PlanPolygon boundary;
    if (!ReadBoundaryLayer(*drawing, further, model.table, *m_ui, boundary)) {
        return ImportOutcome::Failed;
    }

    ResetDocument();
    m_planPolygons.append(std::move(boundary));
    for (int i = 0; i < model.table.count(); ++i) {
        ReadLayer(*this, *drawing, further, model.table.names[static_cast<size_t>(i)],
                  model.table.roles[static_cast<size_t>(i)]);
    }
    ComputePlanExtent();
    if (m_planPolygons[0].count() < 3) {
        AskForBoundary(*this);
    }
    if (m_planPolygons[0].count() < 3) {
        m_ui->message("No boundary is found");
        ResetDocument();
        return ImportOutcome::Failed;
    }

    ComputePlanExtent();
    OrientPlanPolygons(m_planPolygons);
    RebuildWallTables();
    RefreshAxialLines(*this);
    // A bow-tie boundary is imported as drawn; the user is told where to mend it.
    if (const auto crossing = FindBoundaryCrossing(m_planPolygons[0])) {
        m_ui->message(BoundaryCrossingMessage(crossing->at));
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

bool TargetHoldsData(const CORVDoc& doc, LayerDialogMode mode) {
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

void RemoveTargetData(CORVDoc& doc, LayerDialogMode mode) {
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
bool RunSmallerImport(CORVDoc& doc, const SmallerImport& import) {
    DocumentUi& ui = doc.ui();
    if (import.needsPlan && doc.m_planPolygons.empty()) {
        ui.message("No boundary found");
        return true;
    }
    if (TargetHoldsData(doc, import.mode) && !ui.askYesNo(import.question)) {
        RemoveTargetData(doc, import.mode);
    }
    const auto path = ui.chooseOpenFile(kDxfFilter, kDxfExtension);
    if (!path) {
        return true;
    }
    const auto drawing = OpenDrawing(*path, ui);
    if (!drawing) {
        return true;
    }
    const DxfAllEntitiesReading all = ReadAllEntities(*drawing);
    LayerDialogModel model = LayerDialogModelOf(*drawing, all, import.mode);
    if (!ui.chooseLayerRoles(model)) {
        return false;
    }
    const LayerRole role = RoleOfMode(import.mode);
    for (int i = 0; i < model.table.count(); ++i) {
        if (model.table.roles[static_cast<size_t>(i)] == role) {
            ReadLayer(doc, *drawing, FurtherEntities(model, all),
                      model.table.names[static_cast<size_t>(i)], role);
        }
    }
    if (import.mode == LayerDialogMode::AxialLines) {
        doc.m_axialGraph.clear();
        doc.m_axialLineRecords.assign(doc.m_axialLines.size(), IsovistRecord{});
        RefreshAxialLines(doc);
    }
    ui.redrawAll();
    return true;
}

void RepeatUntilDone(CORVDoc& doc, const SmallerImport& import) {
    while (!RunSmallerImport(doc, import)) {
    }
}

}  // namespace

void CORVDoc::OnImportPathsFromDxf() {
    RepeatUntilDone(*this, kPathImport);
}
void CORVDoc::OnImportPointsFromDxf() {
    RepeatUntilDone(*this, kPointImport);
}
void CORVDoc::OnImportAxialLinesFromDxf() {
    RepeatUntilDone(*this, kAxialImport);
}
