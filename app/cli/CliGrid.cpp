// orvelle-cli grid: lays the grid over a plan and runs the grid analysis on it.
#include <tbb/global_control.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

#include "cli/CliCommands.h"
#include "cli/CliPlan.h"
#include "cli/CliUi.h"
#include "document/CommandAvailability.h"
#include "document/DocumentFile.h"
#include "report/GridReport.h"

namespace {

// Comma-separated finite numbers, exactly `count` of them.
std::optional<std::vector<double>> parseNumbers(const std::string& text, size_t count) {
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

// True (after a message) when the two outputs name one file: the second would overwrite the
// first.
bool outputsCollide(const std::string& document, const std::string& csv) {
    std::error_code error;
    const auto a = std::filesystem::weakly_canonical(document, error);
    const auto b = error ? std::filesystem::path{} : std::filesystem::weakly_canonical(csv, error);
    if (error || a != b) {
        return false;
    }
    printError("--csv and --output name the same file " + csv + "; choose two paths");
    return true;
}

int effectiveCellCount(const CAnalysisGrid& grid) {
    int n = 0;
    for (const CGridCell& cell : grid.cells) {
        n += cell.effective != 0 ? 1 : 0;
    }
    return n;
}

}  // namespace

int runGrid(const std::string& planPath, const ImportOptions& importOptions,
            const GridCliOptions& options, FILE* out) {
    if (!(options.span > 0.0) || !std::isfinite(options.span)) {
        printError("--span wants a number greater than 0");
        return 1;
    }
    std::optional<std::vector<double>> offsets = std::vector<double>{0, 0, 0, 0};
    if (!options.offsets.empty()) {
        offsets = parseNumbers(options.offsets, 4);
        if (!offsets) {
            printError("--offsets wants four numbers X0,Y0,X1,Y1; got \"" + options.offsets + "\"");
            return 1;
        }
    }
    if (options.depth < 1) {
        printError("--depth wants a whole number greater than 0");
        return 1;
    }
    if (!options.output.empty() && outputIsInput(planPath, options.output)) {
        return 1;
    }
    if (!options.csv.empty()) {
        if (outputIsInput(planPath, options.csv) ||
            (!options.output.empty() && outputsCollide(options.output, options.csv))) {
            return 1;
        }
    }
    std::unique_ptr<tbb::global_control> threads;
    if (options.threads > 0) {
        threads = std::make_unique<tbb::global_control>(
            tbb::global_control::max_allowed_parallelism, static_cast<size_t>(options.threads));
    }

    CliUi ui;
    if (!applyImportOptions(importOptions, ui)) {
        return 1;
    }
    // The run's own question: a script that asks for the graph has answered it.
    ui.answers["The graph analysis may take several hours depending on the grid resolution.\n"
               "Do you want to proceed?"] = true;
    CORVDoc doc(ui);
    if (!loadPlan(planPath, doc)) {
        return 1;
    }
    if (!options.method.empty()) {
        doc.m_settings.m_isovistMethod =
            options.method == "radial" ? kApproximateRadialMethod : kExactNodeMethod;
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

    if (!options.output.empty()) {
        const DocumentFileResult saved = saveDocumentFile(doc, options.output);
        if (!saved.ok) {
            printError(saved.message);
            return 1;
        }
    }
    if (!options.csv.empty() && doc.WriteGridCsv(options.csv) != FileWriteOutcome::Written) {
        // Written whole or not at all: an old file at that path is kept as it was.
        printError("Cannot write the grid export " + options.csv);
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
                     grid.nx, grid.ny, grid.count, effectiveCellCount(grid),
                     doc.m_gridGraph.edgeCount(), seconds);
    } else {
        std::fprintf(out, "grid: %d x %d cells, %d effective\n", grid.nx, grid.ny,
                     effectiveCellCount(grid));
        if (options.graph) {
            std::fprintf(out, "visibility graph: %d edges\n", doc.m_gridGraph.edgeCount());
        }
        std::fprintf(out, "time: %.2f s\n", seconds);
    }
    if (std::fflush(out) != 0 || std::ferror(out) != 0) {
        printError("Cannot write the results to the output");
        return 1;
    }
    return 0;
}
