// orvelle-cli grid: lays the grid over a plan and runs the grid analysis on it.
#include <tbb/global_control.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <memory>
#include <optional>

#include "cli/CliCommands.h"
#include "cli/CliIsovistMethod.h"
#include "cli/CliPlan.h"
#include "cli/CliUi.h"
#include "document/CommandAvailability.h"
#include "document/DisplayProperties.h"
#include "document/DocumentFile.h"
#include "document/DurableFile.h"
#include "report/GridReport.h"

namespace {

// Comma-separated finite numbers, exactly `count` of them.
std::optional<std::vector<double>> ParseNumbers(const std::string& text, size_t count) {
    std::vector<double> values;
    const char* p = text.c_str();
    while (true) {
        char* end = nullptr;
        const double value = std::strtod(p, &end);
        if (end == p || !std::isfinite(value)) {
            return std::nullopt;
        }
        values.push_back(value);
        if (*end == '\0') {
            break;
        }
        if (*end != ',') {
            return std::nullopt;
        }
        p = end + 1;
    }
    if (values.size() != count) {
        return std::nullopt;
    }
    return values;
}

// Every effective cell's index and depth from the current cell, as "%d, %d" lines with CR LF
// ends under the header, written whole or not at all; false (after a message) on failure.
bool WriteDepthCsv(const CAnalysisGrid& grid, const std::string& path) {
    std::string text = "Cell Index, Depth\r\n";
    char line[64];
    for (size_t i = 0; i < grid.cells.size(); ++i) {
        const CGridCell& cell = grid.cells[i];
        if (cell.effective != 0) {
            std::snprintf(line, sizeof line, "%d, %d\r\n", static_cast<int>(i),
                          cell.isovist.depthFromCurrent);
            text += line;
        }
    }
    if (WriteFileDurably(path, text) != FileWriteOutcome::Written) {
        PrintError("Cannot write the depths " + path);
        return false;
    }
    return true;
}

// The grid commands a script asks for after the run, in the order a user would give them;
// false when one of them complained (its message is on stderr).
bool RunFollowUps(CORVDoc& doc, CliUi& ui, const GridCliOptions& options) {
    if (!options.values.empty()) {
        ui.openFileAnswers = {options.values};
        doc.OnGridUserDefined();
        if (doc.m_gridDisplayProperty != kGridUserDefined) {
            return false;
        }
    }
    if (!options.pointsFrom.empty()) {
        ui.roleOverrides.clear();
        ui.roleOfOtherLayers.reset();
        if (options.pointLayers.empty()) {
            ui.roleOfOtherLayers = LayerRole::Point;
        }
        for (const std::string& layer : options.pointLayers) {
            ui.roleOverrides[layer] = LayerRole::Point;
        }
        ui.openFileAnswers = {options.pointsFrom};
        const int before = ui.messagesShown;
        doc.OnImportPointsFromDxf();
        if (ui.messagesShown != before) {
            return false;
        }
    }
    if (options.pointCount || !options.pointsFrom.empty()) {
        doc.OnGridPointCount();
        if (doc.m_gridDisplayProperty != kGridPointCount) {
            return false;
        }
    }
    if (!options.depthFrom.empty()) {
        const auto at = ParseNumbers(options.depthFrom, 2);
        if (!at) {
            PrintError("--depth-from wants a point X,Y; got \"" + options.depthFrom + "\"");
            return false;
        }
        doc.m_currentCell =
            doc.m_grid.addressOf((*at)[0], (*at)[1]).value_or(GridCellIndex{});
        doc.OnGridDepthFromCurrentCell();
        if (doc.m_gridDisplayProperty != kGridDepthFromCurrentCell ||
            !WriteDepthCsv(doc.m_grid, options.depthCsv)) {
            return false;
        }
    }
    return true;
}

}  // namespace

int RunGrid(const std::string& PlanPath, const ImportOptions& importOptions,
            const GridCliOptions& options, FILE* out) {
    if (!(options.span > 0.0) || !std::isfinite(options.span)) {
        PrintError("--span wants a number greater than 0");
        return 1;
    }
    std::optional<std::vector<double>> offsets = std::vector<double>{0, 0, 0, 0};
    if (!options.offsets.empty()) {
        offsets = ParseNumbers(options.offsets, 4);
        if (!offsets) {
            PrintError("--offsets wants four numbers X0,Y0,X1,Y1; got \"" + options.offsets + "\"");
            return 1;
        }
    }
    if (options.depth < 1) {
        PrintError("--depth wants a whole number greater than 0");
        return 1;
    }
    const std::string* outputs[] = {&options.output, &options.csv, &options.depthCsv};
    for (size_t i = 0; i < std::size(outputs); ++i) {
        if (outputs[i]->empty()) {
            continue;
        }
        if (OutputIsInput(PlanPath, *outputs[i])) {
            return 1;
        }
        for (size_t j = 0; j < i; ++j) {
            if (!outputs[j]->empty() && OutputsCollide(*outputs[j], *outputs[i])) {
                return 1;
            }
        }
    }
    std::unique_ptr<tbb::global_control> threads;
    if (options.threads > 0) {
        threads = std::make_unique<tbb::global_control>(
            tbb::global_control::max_allowed_parallelism, static_cast<size_t>(options.threads));
    }

    CliUi ui;
    if (!ApplyImportOptions(importOptions, ui)) {
        return 1;
    }
    // The run's own question: a script that asks for the graph has answered it.
    ui.answers["The graph analysis may take several hours depending on the grid resolution.\n"
               "Do you want to proceed?"] = true;
    CORVDoc doc(ui);
    if (!LoadPlan(PlanPath, doc)) {
        return 1;
    }
    if (!options.method.empty()) {
        doc.m_settings.m_isovistMethod = IsovistMethodOfName(options.method);
    }
    doc.m_gridSpan = options.span;
    for (size_t i = 0; i < 4; ++i) {
        doc.m_settings.gridCornerOffsets[i] = (*offsets)[i];
    }
    doc.m_settings.integrationDepth = options.depth;
    doc.m_settings.calculateGraphMeasures = options.graph ? 1 : 0;
    doc.m_settings.setGridState(kGridOptionsAccepted);

    const auto start = std::chrono::steady_clock::now();
    if (!doc.OnInitializeGrid()) {
        return 1;
    }
    doc.OnCreateGridIsovist();
    if (doc.m_gridResultsValid != 1) {
        return 1;  // refused, with its message on stderr
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!RunFollowUps(doc, ui, options)) {
        return 1;
    }

    if (!options.output.empty()) {
        if (!SaveDocumentOrSay(doc, options.output)) {
            return 1;
        }
    }
    if (!options.csv.empty() && doc.WriteGridCsv(options.csv) != FileWriteOutcome::Written) {
        // Written whole or not at all: an old file at that path is kept as it was.
        PrintError("Cannot write the grid export " + options.csv);
        return 1;
    }
    const CAnalysisGrid& grid = doc.m_grid;
    if (options.report) {
        const std::string text = GridReportText(grid, doc.m_settings.m_unit);
        std::fwrite(text.data(), 1, text.size(), out);
    } else if (options.json) {
        std::fprintf(out,
                     "{\"nx\": %d, \"ny\": %d, \"cells\": %d, \"effectiveCells\": %d, "
                     "\"graphEdges\": %d, \"seconds\": %.3f}\n",
                     grid.nx, grid.ny, grid.count, grid.effectiveCount(),
                     doc.m_gridGraph.edgeCount(), seconds);
    } else {
        std::fprintf(out, "grid: %d x %d cells, %d effective\n", grid.nx, grid.ny,
                     grid.effectiveCount());
        if (options.graph) {
            std::fprintf(out, "visibility graph: %d edges\n", doc.m_gridGraph.edgeCount());
        }
        std::fprintf(out, "time: %.2f s\n", seconds);
    }
    if (std::fflush(out) != 0 || std::ferror(out) != 0) {
        PrintError("Cannot write the results to the output");
        return 1;
    }
    return 0;
}
