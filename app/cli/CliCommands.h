// The subcommands of orvelle-cli. Each returns the process's exit status: 0 on success, 1 on a
// user error after a one-line message on stderr. Results go to `out`.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

struct ImportOptions {
    std::vector<std::string> roles;  // "LAYER=ROLE"
    bool createBoundary = false;
    bool outermostBoundary = false;
};

struct IsovistOptions {
    std::string at;      // "X,Y"
    std::string method;  // "exact", "radial" or empty for the document's setting
    bool json = false;
};

int runLayers(const std::string& drawingPath, FILE* out);
int runImport(const std::string& drawingPath, const ImportOptions& options,
              const std::string& outputPath, FILE* out);
int runIsovist(const std::string& planPath, const ImportOptions& importOptions,
               const IsovistOptions& options, FILE* out);
int runInfo(const std::string& documentPath, FILE* out);
