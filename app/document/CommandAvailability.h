// Which commands are available and which toggles are checked, derived from the document's state.
//
// The shell asks this each time it refreshes its menus and toolbars; the answer depends only on a
// small snapshot of the document, so the rules are tested without any window system.
#pragma once

#include <array>
#include <cstdint>

#include "document/DocumentSettings.h"

enum class CommandId {
    FileNew,
    FileOpen,
    ImportDxf,
    FileSave,
    FileSaveAs,
    Exit,
    ViewToolbar,
    ViewStatusBar,
    ShowHide,
    ZoomExtent,
    ZoomIn,
    ZoomOut,
    Pan,
    PointIsovistAt,
    PointIsovistProperties,
    PointIsovistSubdivision,
    GridOptions,
    InitializeGrid,
    CreateGridIsovist,
    GridProperty,  // with the grid display property code
    GridUserDefined,
    GridCellProperties,
    GridExportCsv,
    GridReport,
    ImportCustomPoints,
    PathOptions,
    CreateObservationPoints,
    CreatePathIsovist,
    ApplyViewAngle,
    PathProperty,  // with the path display property code
    PathUserDefined,
    ViewPathData,
    PathExportCsv,
    PathExportAllCsv,
    PathReport,
    ImportPath,
    ImportAxialLines,
    RunAxialAnalysis,
    AxialProperty,  // with the axial display property code
    AxialExportCsv,
    GenerateAllLineAxialMap,
    GenerateReducedAxialMap,
    GeneralOptions,
    About,
    SpaceSubdivisions,
    ShowToggle,  // with the index of the show flag
    ExportImage,  // the window's "Export Image...": the view as PNG or SVG
};

// One command: its id and, for the families above, the property code or flag index.
struct Command {
    CommandId id = CommandId::FileNew;
    int32_t code = 0;
    friend bool operator==(const Command&, const Command&) = default;
};

// Grid stage bits.
inline constexpr int32_t kGridOptionsAccepted = 1;
inline constexpr int32_t kGridInitialised = 2;
inline constexpr int32_t kGridIsovistsComputed = 4;

// What the availability rules read from the document (and the view's pan mode).
struct CommandContext {
    int32_t gridStage = 0;
    bool graphMeasuresCalculated = false;
    int32_t isovistMethod = kExactNodeMethod;
    int32_t currentPath = -1;
    int32_t currentPathObservationPointCount = 0;
    int32_t pathIsovistCount = 0;
    int32_t pathCount = 0;
    bool currentCellExists = false;
    bool panMode = false;
    std::array<int32_t, kShowFlagCount> show{};
    int32_t gridDisplayProperty = 1;
    int32_t pathDisplayProperty = 0;
    int32_t axialDisplayProperty = 0;
};

struct CommandState {
    bool enabled = true;
    bool checked = false;
    friend bool operator==(const CommandState&, const CommandState&) = default;
};

CommandState CommandStateOf(const Command& command, const CommandContext& context);

class CORVDoc;
// The document's side of the context; the view adds its pan mode.
CommandContext CommandContextOf(const CORVDoc& doc, bool panMode);

// Property families, by display code.
bool IsGridGraphProperty(int32_t code);
bool IsGridRadialProperty(int32_t code);
bool IsPathRadialProperty(int32_t code);
