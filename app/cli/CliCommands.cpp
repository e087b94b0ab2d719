#include "cli/CliCommands.h"

#include <charconv>
#include <cmath>
#include <span>
#include <variant>

#include "cli/CliIsovistMethod.h"
#include "cli/CliPlan.h"
#include "cli/CliUi.h"
#include "cli/JsonText.h"
#include "document/DocumentFile.h"
#include "document/DxfAllEntities.h"
#include "document/DxfDrawing.h"
#include "document/DxfDrawingAccount.h"
#include "document/DxfDropSurvey.h"
#include "document/DxfPairReader.h"

namespace {

std::optional<PlanPoint> ParsePoint(const std::string& text) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return std::nullopt;
    }
    const std::string_view all(text);
    const auto x = ParseDxfDouble(all.substr(0, comma));
    const auto y = ParseDxfDouble(all.substr(comma + 1));
    // The whole text must be the two numbers, not just start with them.
    auto isNumber = [](std::string_view part) {
        part = TrimDxf(part);
        double value = 0;
        if (!part.empty() && part.front() == '+') {
            part.remove_prefix(1);
        }
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
        return error == std::errc() && end == part.data() + part.size();
    };
    if (!x || !y || !isNumber(all.substr(0, comma)) || !isNumber(all.substr(comma + 1))) {
        return std::nullopt;
    }
    return PlanPoint{*x, *y};
}

struct Measure {
    const char* text;  // as printed in the text form
    const char* key;   // as keyed in JSON
    double value;
};

std::vector<Measure> ShapeMeasures(const IsovistRecord& r) {
    return {{"area", "area", r.area},
            {"perimeter", "perimeter", r.perimeter},
            {"drift", "drift", r.drift},
            {"occlusivity", "occlusivity", r.occlusivity},
            {"visible perimeter ratio", "visiblePerimeterRatio", r.visiblePerimeterRatio},
            {"compactness", "compactness", r.compactness},
            {"circularity", "circularity", r.circularity},
            {"max vertex distance", "maxVertexDistance", r.maxVertexDistance}};
}

std::vector<Measure> RadialMeasures(const RadialStats& s) {
    return {{"radial ray count", "rayCount", s.rayCount},
            {"radial sum", "sum", s.sum},
            {"radial mean", "mean", s.mean},
            {"radial variance", "variance", s.variance},
            {"radial standard deviation", "standardDeviation", s.standardDeviation},
            {"radial max", "max", s.max},
            {"radial min", "min", s.min},
            {"radial difference entropy", "differenceEntropy", s.differenceEntropy},
            {"radial elongation", "elongation", s.elongation},
            {"radial autocorrelation", "autocorrelation", s.autocorrelation},
            {"radial max bidirectional", "maxBidirectional", s.maxBidirectional},
            {"radial min bidirectional", "minBidirectional", s.minBidirectional}};
}

void PrintMeasures(FILE* out, const std::vector<Measure>& measures) {
    for (const Measure& m : measures) {
        std::fprintf(out, "%s: %s\n", m.text, NumberText(m.value).c_str());
    }
}

JsonObject MeasuresJson(const std::vector<Measure>& measures) {
    JsonObject json;
    for (const Measure& m : measures) {
        json.number(m.key, m.value);
    }
    return json;
}

std::string PointText(const PlanPoint& p) {
    return NumberText(p.x) + ", " + NumberText(p.y);
}

void PrintIsovistText(FILE* out, const CORVDoc& doc, bool radial) {
    const IsovistRecord& r = doc.m_pointIsovist;
    std::fprintf(out, "at: %s\n", PointText(r.origin).c_str());
    std::fprintf(out, "method: %s\n", IsovistMethodName(doc.m_settings.m_isovistMethod).c_str());
    std::fprintf(out, "vertices: %d\n", r.polygon.count());
    std::fprintf(out, "centroid: %s\n", PointText(r.centroid).c_str());
    PrintMeasures(out, ShapeMeasures(r));
    if (radial) {
        PrintMeasures(out, RadialMeasures(doc.m_pointRadialStats));
    }
}

void PrintIsovistJson(FILE* out, const CORVDoc& doc, bool radial) {
    const IsovistRecord& r = doc.m_pointIsovist;
    JsonObject json;
    json.point("at", r.origin);
    json.text("method", IsovistMethodName(doc.m_settings.m_isovistMethod));
    json.number("vertices", r.polygon.count());
    json.point("centroid", r.centroid);
    json.object("measures", MeasuresJson(ShapeMeasures(r)));
    if (radial) {
        json.object("radialStats", MeasuresJson(RadialMeasures(doc.m_pointRadialStats)));
    } else {
        json.null("radialStats");
    }
    json.pointList("polygon", r.polygon.points());
    std::fprintf(out, "%s\n", json.str().c_str());
}

void PrintPlanSummary(FILE* out, const CORVDoc& doc) {
    const int32_t polygons = doc.m_planPolygons.count();
    std::fprintf(out, "boundary vertices: %d\n", polygons > 0 ? doc.m_planPolygons[0].count() : 0);
    std::fprintf(out, "wall polygons: %d\n", polygons > 0 ? polygons - 1 : 0);
    std::fprintf(out, "wall segments: %d\n", doc.m_wallSegmentCount);
    std::fprintf(out, "paths: %d\n", doc.m_paths.count());
    std::fprintf(out, "custom points: %d\n", static_cast<int>(doc.m_customPoints.size()));
    std::fprintf(out, "axial lines: %d\n", static_cast<int>(doc.m_axialLines.size()));
    std::fprintf(out, "reference lines: %d\n", doc.m_referenceLines.count());
    const PlanExtent& e = doc.m_planExtent;
    std::fprintf(out, "extent: %s %s %s %s\n", NumberText(e.minX).c_str(),
                 NumberText(e.maxX).c_str(), NumberText(e.minY).c_str(),
                 NumberText(e.maxY).c_str());
}

}  // namespace

int RunLayers(const std::string& drawingPath, FILE* out) {
    return RunLayers(drawingPath, false, out);
}

int RunLayers(const std::string& drawingPath, bool allEntities, FILE* out) {
    auto loaded = DxfDrawing::load(drawingPath);
    if (auto* error = std::get_if<std::string>(&loaded)) {
        PrintError(*error);
        return 1;
    }
    const DxfDrawing& drawing = std::get<DxfDrawing>(loaded);
    const LayerTable table = MakeLayerTable(drawing.readLayerNames(), true);
    const DxfAllEntitiesReading all = ReadAllEntities(drawing);
    const std::vector<LayerDrops> drops = allEntities ? SurveyDroppedEntities(all, table.names)
                                                      : SurveyDroppedEntities(drawing, table.names);
    const std::vector<LayerEntityCounts> counts =
        CountLayerEntities(table.names, all, drops, allEntities);
    for (int i = 0; i < table.count(); ++i) {
        const auto row = static_cast<size_t>(i);
        std::fprintf(out, "%s\t%s\t%zu\t%zu\n", table.names[row].c_str(),
                     LayerRoleLabel(table.roles[row]), counts[row].read, counts[row].notRead);
    }
    // Every layer's, as any of them may be given a role.
    PrintDroppedEntities(AllDroppedEntityLines(table.names, drops));
    PrintDrawingAccount(NotReadAccount(table.names, all, allEntities),
                        SuggestedUnitText(ReadInsUnits(drawing.text())));
    return 0;
}

int RunImport(const std::string& drawingPath, const ImportOptions& options,
              const std::string& outputPath, FILE* out) {
    if (OutputIsInput(drawingPath, outputPath)) {
        return 1;
    }
    CliUi ui;
    if (!ApplyImportOptions(options, ui)) {
        return 1;
    }
    CORVDoc doc(ui);
    if (doc.ImportDxfFile(drawingPath) != CORVDoc::ImportOutcome::Imported) {
        return 1;
    }
    if (!SaveDocumentOrSay(doc, outputPath)) {
        return 1;
    }
    PrintPlanSummary(out, doc);
    return 0;
}

int RunIsovist(const std::string& PlanPath, const ImportOptions& importOptions,
               const IsovistOptions& options, FILE* out) {
    const auto point = ParsePoint(options.at);
    if (!point) {
        PrintError("--at wants two numbers X,Y; got \"" + options.at + "\"");
        return 1;
    }
    CliUi ui;
    CORVDoc doc(ui);
    if (!LoadPlanWith(PlanPath, importOptions, ui, doc)) {
        return 1;
    }
    if (!options.method.empty()) {
        doc.m_settings.m_isovistMethod = IsovistMethodOfName(options.method);
    }
    doc.ComputePointIsovist(point->x, point->y);
    if (doc.m_radialLines.empty()) {
        PrintError("No isovist at " + options.at +
                   ": the point is not in the open space of the plan");
        return 1;
    }
    doc.MeasurePointIsovist();
    const IsovistRecord& record = doc.m_pointIsovist;
    if (!std::isfinite(doc.m_isovistArea) || !std::isfinite(record.perimeter) ||
        !std::isfinite(doc.m_isovistCentroid.x) || !std::isfinite(doc.m_isovistCentroid.y)) {
        // Coordinates so large that their squares overflow give no usable result.
        PrintError("The isovist at " + options.at +
                   " cannot be measured: the plan's coordinates are too large");
        return 1;
    }
    const bool radial = doc.m_settings.m_isovistMethod == kApproximateRadialMethod;
    if (options.json) {
        PrintIsovistJson(out, doc, radial);
    } else {
        PrintIsovistText(out, doc, radial);
    }
    return 0;
}

int RunInfo(const std::string& documentPath, FILE* out) {
    CliUi ui;
    CORVDoc doc(ui);
    if (!doc.OpenDocument(documentPath)) {
        return 1;
    }
    PrintPlanSummary(out, doc);
    std::fprintf(out, "grid cells: %d\n", doc.m_grid.count);
    std::fprintf(out, "unit index: %d\n", doc.m_settings.m_unit);
    std::fprintf(out, "isovist method: %s\n", IsovistMethodName(doc.m_settings.m_isovistMethod).c_str());
    return 0;
}
