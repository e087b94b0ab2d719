// The subcommands of orvelle-cli. Each returns the process's exit status: 0 on success, 1 on a
// user error after a one-line message on stderr. Results go to `out`.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

struct ImportOptions {
    std::vector<std::string> roles;  // "LAYER=ROLE"
    bool createBoundary = false;
    bool outermostBoundary = false;
    // Read arcs, old-style polylines and blocks too.
    bool allEntities = false;
};

struct IsovistOptions {
    std::string at;      // "X,Y"
    std::string method;  // a name of CliIsovistMethod, or empty for the document's setting
    bool json = false;
};

struct GridCliOptions {
    double span = 0.0;
    std::string offsets;  // "X0,Y0,X1,Y1": lower-left x, y, upper-right x, y; empty for zeros
    bool graph = false;
    int depth = 3;
    std::string method;  // a name of CliIsovistMethod, or empty for the document's setting
    std::string output;  // the document to write, or empty
    std::string csv;     // the grid export to write, or empty
    bool report = false;  // the grid report instead of the summary
    bool json = false;
    int threads = 0;  // 0: every core
    // After the run: the user values (one line per effective cell), the point count of the
    // document's custom points or of the circles of another drawing (on the layers named, or
    // on every layer), and the depths from the cell under a point written as CSV.
    std::string values;
    bool pointCount = false;
    std::string pointsFrom;
    std::vector<std::string> pointLayers;
    std::string depthFrom;  // "X,Y"
    std::string depthCsv;
};

int RunLayers(const std::string& drawingPath, FILE* out);
// Per layer: name, automatic role, entities read and not read (tab-separated); the account of
// what is not read and the suggested unit on stderr. `allEntities` counts with the option on.
int RunLayers(const std::string& drawingPath, bool allEntities, FILE* out);
int RunImport(const std::string& drawingPath, const ImportOptions& options,
              const std::string& outputPath, FILE* out);
int RunIsovist(const std::string& PlanPath, const ImportOptions& importOptions,
               const IsovistOptions& options, FILE* out);
int RunInfo(const std::string& documentPath, FILE* out);
// Lays the grid with the options and runs the grid analysis; the computation time goes to
// stderr with the run's messages, the summary (or with `report` the grid report, as the
// Analysis Summary dialog shows it) to `out`. With `csv` the grid export is written, the same
// bytes as the desktop program's export, whole or not at all.
int RunGrid(const std::string& PlanPath, const ImportOptions& importOptions,
            const GridCliOptions& options, FILE* out);

struct AxialCliOptions {
    std::string generate;   // "all", "reduced" or empty
    std::string linesFrom;  // a drawing whose axial-line layers are added, or empty
    bool analyse = false;
    int depth = 0;        // Integration-n depth; 0 for the document's
    std::string output;   // the document to write, or empty
    std::string csv;      // the axial export to write, or empty
    bool json = false;
};
// Brings axial lines into the plan (its own, another drawing's, a generated map), optionally
// runs the axial analysis, and writes the export, the document and a summary (or JSON with
// every line's measures) to `out`.
int RunAxial(const std::string& PlanPath, const ImportOptions& importOptions,
             const AxialCliOptions& options, FILE* out);

struct PathCliOptions {
    int path = 1;  // "Path-K", from 1
    // Create Observation Points: exactly one of count and spacing is given.
    std::optional<int> count;
    std::optional<double> spacing;
    bool allPaths = false;
    std::string offset;  // "START,END" along the path, or empty for no offset
    std::optional<double> viewAngle;
    std::string method;  // "exact", "radial" or empty for the document's setting
    std::string values;  // user values, one line per observation point
    std::string csv;          // the path export to write, or empty
    std::string allPathsCsv;  // the all-paths export to write, or empty
    bool report = false;      // the path report instead of the summary
    bool json = false;
    std::string output;  // the document to write, or empty
};

// Places observation points on path K, computes their isovists, then applies the view angle
// and the user values when asked; writes the exports and the document, and prints the
// summary, the path report or the points with their measures as JSON to `out`.
int RunPath(const std::string& PlanPath, const ImportOptions& importOptions,
            const PathCliOptions& options, FILE* out);
