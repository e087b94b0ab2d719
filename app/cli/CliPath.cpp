// orvelle-cli path: observation points along a path, their isovists, the view angle and user
// values, the path exports and the path report.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "cli/CliCommands.h"
#include "cli/CliIsovistMethod.h"
#include "cli/CliPlan.h"
#include "cli/CliUi.h"
#include "cli/JsonText.h"
#include "document/DocumentFile.h"
#include "document/DurableFile.h"
#include "path/ObservationPoints.h"
#include "report/PathReport.h"

namespace {

constexpr int32_t kPathUserDefinedProperty = 6;

// "START,END": two finite numbers.
bool ParseOffset(const std::string& text, double& start, double& end) {
    const char* p = text.c_str();
    char* stop = nullptr;
    start = std::strtod(p, &stop);
    if (stop == p || *stop != ',' || !std::isfinite(start)) {
        return false;
    }
    p = stop + 1;
    end = std::strtod(p, &stop);
    return stop != p && *stop == '\0' && std::isfinite(end);
}

bool CheckOptions(const std::string& PlanPath, const PathCliOptions& options) {
    if (options.count.has_value() == options.spacing.has_value()) {
        PrintError("Give one of --count and --spacing");
        return false;
    }
    if (options.viewAngle && !std::isfinite(*options.viewAngle)) {
        PrintError("--view-angle wants a number");
        return false;
    }
    const std::string* outputs[] = {&options.output, &options.csv, &options.allPathsCsv};
    for (size_t i = 0; i < std::size(outputs); ++i) {
        if (outputs[i]->empty()) {
            continue;
        }
        if (OutputIsInput(PlanPath, *outputs[i])) {
            return false;
        }
        for (size_t j = 0; j < i; ++j) {
            if (!outputs[j]->empty() && OutputsCollide(*outputs[j], *outputs[i])) {
                return false;
            }
        }
    }
    return true;
}

ObservationPointRequest RequestOf(const PathCliOptions& options) {
    ObservationPointRequest request;
    if (options.count) {
        request.mode = ObservationPointMode::ByNodeCount;
        request.count = *options.count;
    } else {
        request.mode = ObservationPointMode::ByNodeSpacing;
        request.spacing = *options.spacing;
    }
    request.applyToAllPaths = options.allPaths;
    return request;
}

std::string PointJson(size_t index, const IsovistRecord& r, const RadialStats* stats) {
    JsonObject point;
    point.number("index", static_cast<double>(index));
    point.point("at", r.origin);
    point.number("vertices", r.polygon.count());
    point.point("centroid", r.centroid);
    JsonObject measures;
    measures.number("area", r.area);
    measures.number("perimeter", r.perimeter);
    measures.number("drift", r.drift);
    measures.number("occlusivity", r.occlusivity);
    measures.number("compactness", r.compactness);
    measures.number("circularity", r.circularity);
    measures.number("userValue", r.userValue);
    point.object("measures", measures);
    if (stats != nullptr) {
        JsonObject radial;
        radial.number("mean", stats->mean);
        radial.number("max", stats->max);
        radial.number("min", stats->min);
        radial.number("variance", stats->variance);
        radial.number("elongation", stats->elongation);
        radial.number("autocorrelation", stats->autocorrelation);
        point.object("radialStats", radial);
    } else {
        point.null("radialStats");
    }
    return point.str();
}

void PrintJson(FILE* out, const CORVDoc& doc, int path, double seconds) {
    JsonObject summary;
    summary.number("path", path);
    summary.text("method", IsovistMethodName(doc.m_settings.m_isovistMethod));
    const bool radial = doc.m_settings.m_isovistMethod == kApproximateRadialMethod;
    summary.number("seconds", std::round(seconds * 1000.0) / 1000.0);
    std::string points;
    for (size_t i = 0; i < doc.m_pathIsovists.size(); ++i) {
        const RadialStats* stats =
            radial && i < doc.m_pathRadialStats.size() ? &doc.m_pathRadialStats[i] : nullptr;
        points += (i > 0 ? ", " : "") + PointJson(i, doc.m_pathIsovists[i], stats);
    }
    std::string text = summary.str();
    text.insert(text.size() - 1, ", \"points\": [" + points + "]");
    std::fprintf(out, "%s\n", text.c_str());
}

}  // namespace

int RunPath(const std::string& PlanPath, const ImportOptions& importOptions,
            const PathCliOptions& options, FILE* out) {
    if (!CheckOptions(PlanPath, options)) {
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
    if (options.path < 1 || options.path > doc.m_paths.count()) {
        PrintError("The plan has " + std::to_string(doc.m_paths.count()) +
                   " paths; there is no Path-" + std::to_string(options.path));
        return 1;
    }
    doc.m_currentPath = options.path - 1;
    if (!options.offset.empty()) {
        double start = 0.0;
        double end = 0.0;
        if (!ParseOffset(options.offset, start, end)) {
            PrintError("--offset wants START,END; got \"" + options.offset + "\"");
            return 1;
        }
        doc.m_settings.useOffsetFromOrigin = 1;
        doc.m_settings.offsetStart = start;
        doc.m_settings.offsetEnd = end;
    }

    const auto begin = std::chrono::steady_clock::now();
    if (!doc.CreateObservationPoints(RequestOf(options)) || !doc.ComputePathIsovists()) {
        return 1;  // refused, with its message on stderr
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (options.viewAngle) {
        doc.ApplyViewAngle(*options.viewAngle);
    }
    if (!options.values.empty()) {
        ui.openFileAnswers = {options.values};
        doc.OnPathUserDefined();
        if (doc.m_pathDisplayProperty != kPathUserDefinedProperty) {
            return 1;
        }
    }

    if (!options.output.empty()) {
        if (!SaveDocumentOrSay(doc, options.output)) {
            return 1;
        }
    }
    if (!options.csv.empty() && doc.WritePathCsv(options.csv) != FileWriteOutcome::Written) {
        PrintError("Cannot write the path export " + options.csv);
        return 1;
    }
    if (options.report) {
        const std::string text = PathReportText(doc.m_pathIsovists, doc.m_pathRadialStats,
                                                doc.m_settings.m_isovistMethod,
                                                doc.m_entropyParams);
        std::fwrite(text.data(), 1, text.size(), out);
    } else if (options.json) {
        PrintJson(out, doc, options.path, seconds);
    } else {
        std::fprintf(out, "path: Path-%d\n", options.path);
        std::fprintf(out, "observation points: %d\n",
                     static_cast<int>(doc.m_pathIsovists.size()));
        std::fprintf(out, "time: %.2f s\n", seconds);
    }
    // Last: the all-paths export removes the current path's results.
    if (!options.allPathsCsv.empty() &&
        doc.WriteAllPathsCsv(options.allPathsCsv) != FileWriteOutcome::Written) {
        PrintError("Cannot write the all-paths export " + options.allPathsCsv);
        return 1;
    }
    if (std::fflush(out) != 0 || std::ferror(out) != 0) {
        PrintError("Cannot write the results to the output");
        return 1;
    }
    return 0;
}
