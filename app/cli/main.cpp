// orvelle-cli: plan analysis from the command line.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>

#include "cli/CliCommands.h"
#include "cli/CliIsovistMethod.h"
#include "cli/CliUi.h"

namespace {

void AddImportOptions(CLI::App& command, ImportOptions& options) {
    command.add_option("--role", options.roles,
                       "Give a layer a role: LAYER=ROLE, ROLE one of ignore, boundary, wall, "
                       "path, point, axial-line, reference-line (repeatable)");
    auto* create = command.add_flag("--create-boundary", options.createBoundary,
                                    "Without a boundary, make one around the plan's extent");
    auto* outermost =
        command.add_flag("--outermost-boundary", options.outermostBoundary,
                         "Without a boundary, take the outermost wall polygon as the boundary");
    create->excludes(outermost);
    command.add_flag("--all-entities", options.allEntities,
                     "Read arcs, old-style polylines and blocks too");
}

// --method: the isovist calculation method by its name, checked against the one table.
void AddMethodOption(CLI::App& command, std::string& method) {
    command.add_option("--method", method, IsovistMethodHelp())
        ->check(CLI::IsMember(IsovistMethodNames()));
}

int RunOf(int argc, char** argv) {
    CLI::App app("Orvelle: spatial analysis of architectural plans", "orvelle-cli");
    app.require_subcommand(1);

    std::string drawing, plan, output;
    ImportOptions importOptions;
    IsovistOptions isovistOptions;

    auto* layers = app.add_subcommand("layers", "List a drawing's layers and automatic roles");
    layers->add_option("PLAN.dxf", drawing, "The drawing")->required();
    layers->add_flag("--all-entities", importOptions.allEntities,
                     "Count arcs, old-style polylines and blocks as read (as the import does "
                     "with --all-entities)");
    layers->footer("Prints per layer: name, automatic role, entities read, entities not read "
                   "(tab-separated).");

    auto* import = app.add_subcommand("import", "Import a drawing and save it as a document");
    import->add_option("PLAN.dxf", drawing, "The drawing")->required();
    AddImportOptions(*import, importOptions);
    import->add_option("-o,--output", output, "The document file to write (.ovx)")->required();

    auto* isovist = app.add_subcommand("isovist", "The isovist at a point with its measures");
    isovist->add_option("PLAN", plan, "A drawing (.dxf) or a document (.ovx)")->required();
    isovist->add_option("--at", isovistOptions.at, "The point: X,Y")->required();
    AddMethodOption(*isovist, isovistOptions.method);
    isovist->add_flag("--json", isovistOptions.json, "Write the result as JSON");
    AddImportOptions(*isovist, importOptions);

    GridCliOptions gridOptions;
    auto* grid = app.add_subcommand(
        "grid", "Lay a grid over a plan and compute the isovist of every cell, optionally with "
                "the visibility graph and its measures");
    grid->add_option("PLAN", plan, "A drawing (.dxf) or a document (.ovx)")->required();
    grid->add_option("--span", gridOptions.span, "The side of one square cell")->required();
    grid->add_option("--offsets", gridOptions.offsets,
                     "Added to the plan extent: lower-left X0,Y0 and upper-right X1,Y1");
    grid->add_flag("--graph", gridOptions.graph,
                   "Also build the visibility graph and its measures (at most 46340 cells)");
    grid->add_option("--depth", gridOptions.depth, "The depth n of Integration-n (default 3)");
    AddMethodOption(*grid, gridOptions.method);
    grid->add_option("-o,--output", gridOptions.output, "Save the document with the results");
    grid->add_option("--csv", gridOptions.csv,
                     "Write the effective cells and their measures as comma-separated values");
    auto* gridJson = grid->add_flag("--json", gridOptions.json, "Write the summary as JSON");
    grid->add_flag("--report", gridOptions.report,
                   "Print the grid report (CR LF line ends) instead of the summary")
        ->excludes(gridJson);
    grid->add_option("--threads", gridOptions.threads, "Threads to use (default: every core)")
        ->check(CLI::PositiveNumber);
    grid->add_option("--values", gridOptions.values,
                     "A text file of user values, one line per effective cell");
    grid->add_flag("--point-count", gridOptions.pointCount,
                   "Count the document's custom points per cell");
    grid->add_option("--points-from", gridOptions.pointsFrom,
                     "Count the circle centres of this drawing per cell (replacing the "
                     "document's custom points)");
    grid->add_option("--points-layer", gridOptions.pointLayers,
                     "A layer of --points-from that holds the points (default: every layer)");
    auto* depthFrom = grid->add_option("--depth-from", gridOptions.depthFrom,
                                       "X,Y: every cell's depth from the cell under this point "
                                       "(needs --graph)");
    grid->add_option("--depth-csv", gridOptions.depthCsv,
                     "Where --depth-from writes the cell index and depth of every effective cell")
        ->needs(depthFrom);
    depthFrom->needs(grid->get_option("--depth-csv"));
    AddImportOptions(*grid, importOptions);

    AxialCliOptions axialOptions;
    auto* axial = app.add_subcommand(
        "axial", "Axial lines of a plan: import, generate, analyse and export them");
    axial->add_option("PLAN", plan,
                      "A drawing (.dxf; its axial-line layers give the lines) or a document (.ovx)")
        ->required();
    axial->add_option("--generate", axialOptions.generate,
                      "Generate the all-line or the reduced axial map; it replaces any lines "
                      "the plan has (the question whether to keep them is answered No)")
        ->check(CLI::IsMember({"all", "reduced"}));
    axial->add_option("--lines-from", axialOptions.linesFrom,
                      "Add the lines of another drawing's axial-line layers (.dxf): the layers "
                      "whose names contain AX, or those given with --role LAYER=axial-line");
    axial->add_flag("--analyse", axialOptions.analyse,
                    "Run the axial analysis (the colour scale is switched to the axial lines)");
    axial->add_option("--depth", axialOptions.depth,
                      "The depth n of Integration-n (default: the document's, 3 when new)");
    axial->add_option("--csv", axialOptions.csv,
                      "Write the axial export (lines only when nothing was analysed and the "
                      "document holds no line records)");
    axial->add_flag("--json", axialOptions.json,
                    "Write the line count and every line's measures as JSON");
    axial->add_option("-o,--output", axialOptions.output, "Save the document (.ovx)");
    AddImportOptions(*axial, importOptions);

    PathCliOptions pathOptions;
    auto* path = app.add_subcommand(
        "path", "Observation points along a path and their isovists, with the view angle, user "
                "values, the path exports and the path report");
    path->add_option("PLAN", plan, "A drawing (.dxf, paths from its path layers) or a document "
                                   "(.ovx)")
        ->required();
    path->add_option("--path", pathOptions.path, "The path K, as Path-K (default 1)")
        ->check(CLI::PositiveNumber);
    auto* pathCount = path->add_option("--count", pathOptions.count,
                                       "Observation points between the two ends");
    auto* pathSpacing =
        path->add_option("--spacing", pathOptions.spacing, "One observation point every D");
    pathCount->excludes(pathSpacing);
    path->add_flag("--all", pathOptions.allPaths, "Create the observation points on every path");
    path->add_option("--offset", pathOptions.offset,
                     "START,END: the points cover this stretch, as distances along the path");
    path->add_option("--view-angle", pathOptions.viewAngle,
                     "Narrow each isovist to this full angle (degrees) around the walking "
                     "direction");
    AddMethodOption(*path, pathOptions.method);
    path->add_option("--values", pathOptions.values,
                     "A text file of user values, one line per observation point");
    path->add_option("--csv", pathOptions.csv, "Write the path export (comma-separated values)");
    path->add_option("--all-paths-csv", pathOptions.allPathsCsv,
                     "Write the export of every path (recomputed path by path)");
    auto* pathJson = path->add_flag("--json", pathOptions.json,
                                    "Write the observation points and their measures as JSON");
    path->add_flag("--report", pathOptions.report,
                   "Print the path report (CR LF line ends) instead of the summary")
        ->excludes(pathJson);
    path->add_option("-o,--output", pathOptions.output, "Save the document with the results");
    AddImportOptions(*path, importOptions);

    auto* info = app.add_subcommand("info", "Summarise a document file");
    info->add_option("PLAN.ovx", plan, "The document")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {
            return app.exit(error);  // --help
        }
        PrintError(error.what());
        return 1;
    }

    if (layers->parsed()) {
        return RunLayers(drawing, importOptions.allEntities, stdout);
    }
    if (import->parsed()) {
        return RunImport(drawing, importOptions, output, stdout);
    }
    if (isovist->parsed()) {
        return RunIsovist(plan, importOptions, isovistOptions, stdout);
    }
    if (grid->parsed()) {
        return RunGrid(plan, importOptions, gridOptions, stdout);
    }
    if (axial->parsed()) {
        return RunAxial(plan, importOptions, axialOptions, stdout);
    }
    if (path->parsed()) {
        return RunPath(plan, importOptions, pathOptions, stdout);
    }
    return RunInfo(plan, stdout);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return RunOf(argc, argv);
    } catch (const std::exception& error) {
        PrintError(error.what());
        return 1;
    }
}
