// orvelle-cli axial: axial lines imported, generated and analysed, with the axial export.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <variant>

#include "cli/CliCommands.h"
#include "cli/CliPlan.h"
#include "cli/CliUi.h"
#include "cli/JsonText.h"
#include "document/DocumentFile.h"
#include "document/DurableFile.h"
#include "document/DxfDrawing.h"
#include "document/LayerRoles.h"

namespace {

const char* kImportQuestion =
    "Axial lines already exist.\nClick YES to add new axial lines.\nClick NO to remove existing "
    "axial lines.";
const char* kGenerateQuestion =
    "Axial lines already exist.\nClick YES to add new lines.\nClick NO to remove existing lines.";
const char* kScaleQuestion = "Do you want to switch the scale into the axial analysis mode?";

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    const auto pa = std::filesystem::weakly_canonical(a, error);
    const auto pb = error ? std::filesystem::path{} : std::filesystem::weakly_canonical(b, error);
    return !error && pa == pb;
}

std::string MeasuresJson(const CORVDoc& doc, double generateSeconds, double analyseSeconds) {
    JsonObject head;
    head.number("lineCount", static_cast<double>(doc.m_axialLines.size()));
    head.number("edgeCount", doc.m_axialGraph.edgeCount());
    head.number("generateSeconds", generateSeconds);
    head.number("analyseSeconds", analyseSeconds);
    std::string text = head.str();
    text.pop_back();  // the closing brace: the line list follows
    text += ", \"lines\": [";
    for (size_t i = 0; i < doc.m_axialLines.size(); ++i) {
        const PlanSegment& line = doc.m_axialLines[i];
        JsonObject o;
        o.point("start", line.start);
        o.point("end", line.end);
        if (i < doc.m_axialLineRecords.size()) {
            const GraphMeasureBlock& b = doc.m_axialLineRecords[i].graphMeasures;
            o.number("connectivity", b.connectivity);
            o.number("meanDepth", b.meanDepth);
            o.number("control", b.control);
            o.number("controllability", b.controllability);
            o.number("relativeAsymmetry", b.relativeAsymmetry);
            o.number("realRelativeAsymmetry", b.realRelativeAsymmetry);
            o.number("integration", b.integration);
            o.number("integrationN", b.integrationN);
            o.number("averageNeighbourControl", b.averageNeighbourControl);
            o.number("globalE", b.globalE);
            o.number("globalRelativeE", b.globalRelativeE);
            o.number("globalConnectivityE", b.globalConnectivityE);
        }
        text += (i == 0 ? "" : ", ") + o.str();
    }
    return text + "]}\n";
}

// The roles for the axial import of another drawing: the automatic axial-line layers and the
// --role choices that name its layers. False (after a message) when no layer gets the role.
bool ChooseAxialLayers(const std::string& drawingPath, CliUi& ui) {
    auto loaded = DxfDrawing::load(drawingPath);
    if (auto* error = std::get_if<std::string>(&loaded)) {
        PrintError(*error);
        return false;
    }
    const std::map<std::string, LayerRole> given = ui.roleOverrides;
    ui.roleOverrides.clear();
    ui.roleOfOtherLayers.reset();
    bool any = false;
    for (const std::string& name : std::get<DxfDrawing>(loaded).readLayerNames()) {
        const auto chosen = given.find(name);
        const LayerRole role = chosen != given.end() ? chosen->second : AutomaticLayerRole(name);
        ui.roleOverrides[name] = role;
        any = any || role == LayerRole::AxialLine;
    }
    if (!any) {
        PrintError("The drawing " + drawingPath +
                   " has no axial-line layer; name one with --role LAYER=axial-line");
    }
    return any;
}

}  // namespace

int RunAxial(const std::string& PlanPath, const ImportOptions& importOptions,
             const AxialCliOptions& options, FILE* out) {
    if (options.depth < 0) {
        PrintError("--depth wants a whole number greater than 0");
        return 1;
    }
    for (const std::string* output : {&options.output, &options.csv}) {
        if (!output->empty() && OutputIsInput(PlanPath, *output)) {
            return 1;
        }
    }
    if (!options.output.empty() && !options.csv.empty() && SameFile(options.output, options.csv)) {
        PrintError("Two outputs name the same file " + options.csv + "; choose two paths");
        return 1;
    }
    CliUi ui;
    CORVDoc doc(ui);
    if (!LoadPlanWith(PlanPath, importOptions, ui, doc)) {
        return 1;
    }
    if (!options.linesFrom.empty()) {
        // Added to the plan's own lines.
        if (!ChooseAxialLayers(options.linesFrom, ui)) {
            return 1;
        }
        ui.answers[kImportQuestion] = true;
        ui.openFileAnswers = {options.linesFrom};
        const int before = ui.messagesShown;
        doc.OnImportAxialLinesFromDxf();
        if (ui.messagesShown != before) {
            return 1;
        }
    }
    const auto generateStart = std::chrono::steady_clock::now();
    if (options.generate == "all") {
        ui.answers[kGenerateQuestion] = false;
        doc.OnGenerateAllLineAxialMap();
    } else if (options.generate == "reduced") {
        ui.answers[kGenerateQuestion] = false;
        doc.OnGenerateReducedAxialMap();
    }
    const double generateSeconds = options.generate.empty() ? 0.0 : SecondsSince(generateStart);
    double analyseSeconds = 0.0;
    if (options.analyse) {
        if (options.depth > 0) {
            doc.m_settings.integrationDepth = options.depth;
        }
        ui.answers[kScaleQuestion] = true;
        const auto start = std::chrono::steady_clock::now();
        const int before = ui.messagesShown;
        doc.OnRunAxialAnalysis();
        analyseSeconds = SecondsSince(start);
        if (ui.messagesShown != before) {
            return 1;  // refused, with its message on stderr
        }
    }
    if (!options.output.empty()) {
        if (!SaveDocumentOrSay(doc, options.output)) {
            return 1;
        }
    }
    if (!options.csv.empty()) {
        if (doc.m_axialLines.empty()) {
            PrintError("There are no axial lines");
            return 1;
        }
        if (doc.WriteAxialCsv(options.csv) != FileWriteOutcome::Written) {
            PrintError(doc.m_axialLineRecords.empty() ||
                               doc.m_axialLineRecords.size() == doc.m_axialLines.size()
                           ? "Cannot write the axial export " + options.csv
                           : std::string("Internal error"));
            return 1;
        }
    }
    if (options.json) {
        const std::string text = MeasuresJson(doc, generateSeconds, analyseSeconds);
        std::fwrite(text.data(), 1, text.size(), out);
    } else {
        std::fprintf(out, "axial lines: %zu\n", doc.m_axialLines.size());
        if (!options.generate.empty()) {
            std::fprintf(out, "generation: %.2f s\n", generateSeconds);
        }
        if (options.analyse) {
            std::fprintf(out, "axial graph: %d edges\nanalysis: %.2f s\n",
                         doc.m_axialGraph.edgeCount(), analyseSeconds);
        }
    }
    if (std::fflush(out) != 0 || std::ferror(out) != 0) {
        PrintError("Cannot write the results to the output");
        return 1;
    }
    return 0;
}
