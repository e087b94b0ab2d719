#include "cli/CliPlan.h"

#include <sys/stat.h>

#include <filesystem>

#include "document/DocumentFile.h"
#include "document/DxfPairReader.h"

namespace {

constexpr const char* kCreateBoundaryQuestion = "No boundary is found\nDo you want to create one?";
constexpr const char* kOutermostQuestion =
    "Do you want to assign the outermost wall polygon as a boundary?";
constexpr const char* kNoWallQuestion =
    "No wall layers are selected.\nDo you want to continue anyway?";

}  // namespace

bool HasDxfExtension(const std::string& path) {
    return EqualsIgnoringCase(std::filesystem::path(path).extension().string(), ".dxf");
}

bool ApplyImportOptions(const ImportOptions& options, CliUi& ui) {
    for (const std::string& text : options.roles) {
        const size_t equals = text.rfind('=');
        const auto role = equals == std::string::npos
                              ? std::nullopt
                              : LayerRoleFromText(std::string_view(text).substr(equals + 1));
        if (!role || equals == 0) {
            PrintError(
                "--role wants LAYER=ROLE with ROLE one of ignore, boundary, wall, path, "
                "point, axial-line, reference-line; got \"" +
                text + "\"");
            return false;
        }
        ui.roleOverrides[text.substr(0, equals)] = *role;
    }
    ui.answers[kCreateBoundaryQuestion] = options.createBoundary;
    ui.answers[kOutermostQuestion] = options.outermostBoundary;
    ui.answers[kNoWallQuestion] = true;
    ui.readAllEntities = options.allEntities;
    // The command line makes or finds the boundary when told to, with or without a Boundary layer.
    ui.boundaryMayBeMissing = options.createBoundary || options.outermostBoundary;
    return true;
}

bool LoadPlan(const std::string& path, CORVDoc& doc) {
    if (HasDxfExtension(path)) {
        return doc.ImportDxfFile(path) == CORVDoc::ImportOutcome::Imported;
    }
    return doc.OpenDocument(path);
}

bool OutputIsInput(const std::string& input, const std::string& output) {
    struct stat in {};
    struct stat out {};
    if (::stat(input.c_str(), &in) != 0 || ::stat(output.c_str(), &out) != 0) {
        return false;  // a missing output is never the input
    }
    if (in.st_dev != out.st_dev || in.st_ino != out.st_ino) {
        return false;
    }
    PrintError("The output " + output + " is the input file; choose another path");
    return true;
}

bool OutputsCollide(const std::string& first, const std::string& second) {
    std::error_code error;
    const auto a = std::filesystem::weakly_canonical(first, error);
    const auto b =
        error ? std::filesystem::path{} : std::filesystem::weakly_canonical(second, error);
    if (error || a != b) {
        return false;
    }
    PrintError("Two outputs name the same file " + second + "; choose two paths");
    return true;
}

bool LoadPlanWith(const std::string& path, const ImportOptions& options, CliUi& ui, CORVDoc& doc) {
    return ApplyImportOptions(options, ui) && LoadPlan(path, doc);
}

bool SaveDocumentOrSay(const CORVDoc& doc, const std::string& path) {
    const DocumentFileResult saved = SaveDocumentFile(doc, path);
    if (!saved.ok) {
        PrintError(saved.message);
    }
    return saved.ok;
}
