#include "document/DocumentCommands.h"

#include "document/CORVDoc.h"

namespace {

// Grid entries that only choose what is shown: the area and every value the grid run stores.
bool ShowsStoredGridValue(int32_t code) {
    return code == 1 || (code >= 9 && code <= 17) || (code >= 19 && code <= 26) ||
           (code >= 28 && code <= 31);
}

// Grid entries that recompute one shape measure before showing it.
bool ShowsRecomputedShapeMeasure(int32_t code) {
    return (code >= 2 && code <= 5) || code == 7 || code == 8;
}

// The property family of a property command, if it is one.
bool PropertyFamilyOf(CommandId id, PropertyFamily& family) {
    switch (id) {
        case CommandId::GridProperty:
            family = PropertyFamily::Grid;
            return true;
        case CommandId::PathProperty:
            family = PropertyFamily::Path;
            return true;
        case CommandId::AxialProperty:
            family = PropertyFamily::Axial;
            return true;
        default:
            return false;
    }
}

// The document operation of a command, or false when the document has none for it.
// With a null document only the table is consulted.
bool Dispatch(CORVDoc* doc, const Command& command) {
    auto with = [doc](auto&& operation) {
        if (doc != nullptr) {
            operation();
        }
        return true;
    };
    PropertyFamily family{};
    if (PropertyFamilyOf(command.id, family)) {
        if (FindDisplayProperty(family, command.code) == nullptr) {
            return false;
        }
        if (family == PropertyFamily::Grid) {
            switch (command.code) {
                case kGridDepthFromCurrentCell:
                    return with([&] { doc->OnGridDepthFromCurrentCell(); });
                case kGridPointCount:
                    return with([&] { doc->OnGridPointCount(); });
                case kGridUserDefined:
                    return with([&] { doc->OnGridUserDefined(); });
                default:
                    break;
            }
            if (ShowsRecomputedShapeMeasure(command.code)) {
                return with([&] { doc->OnGridShapeMeasure(command.code); });
            }
            if (!ShowsStoredGridValue(command.code)) {
                return false;
            }
        }
        return with([&] { SetDisplayProperty(*doc, family, command.code); });
    }
    switch (command.id) {
        case CommandId::GridOptions:
            return with([&] { doc->OnGridOptions(); });
        case CommandId::GridUserDefined:
            return with([&] { doc->OnGridUserDefined(); });
        case CommandId::GridCellProperties:
            return with([&] { doc->OnGridCellProperties(); });
        case CommandId::InitializeGrid:
            return with([&] { doc->OnInitializeGrid(); });
        case CommandId::CreateGridIsovist:
            return with([&] { doc->OnCreateGridIsovist(); });
        case CommandId::GridExportCsv:
            return with([&] { doc->OnExportGridCsv(); });
        case CommandId::GridReport:
            return with([&] { doc->OnGridReport(); });
        case CommandId::FileSave:
            return with([&] { doc->OnFileSave(); });
        case CommandId::FileSaveAs:
            return with([&] { doc->OnFileSaveAs(); });
        case CommandId::ImportDxf:
            return with([&] { doc->OnImportDxf(); });
        case CommandId::ImportPath:
            return with([&] { doc->OnImportPathsFromDxf(); });
        case CommandId::ImportCustomPoints:
            return with([&] { doc->OnImportPointsFromDxf(); });
        case CommandId::ImportAxialLines:
            return with([&] { doc->OnImportAxialLinesFromDxf(); });
        case CommandId::PointIsovistAt:
            return with([&] { doc->OnPointIsovistAt(); });
        case CommandId::PointIsovistProperties:
            return with([&] { doc->OnPointIsovistProperties(); });
        case CommandId::PointIsovistSubdivision:
            return with([&] { doc->OnPointIsovistSubdivision(); });
        case CommandId::RunAxialAnalysis:
            return with([&] { doc->OnRunAxialAnalysis(); });
        case CommandId::GenerateAllLineAxialMap:
            return with([&] { doc->OnGenerateAllLineAxialMap(); });
        case CommandId::GenerateReducedAxialMap:
            return with([&] { doc->OnGenerateReducedAxialMap(); });
        case CommandId::AxialExportCsv:
            return with([&] { doc->OnExportAxialCsv(); });
        case CommandId::ShowToggle:
            if (command.code < 0 || command.code >= kShowFlagCount) {
                return false;
            }
            return with([&] { ToggleShowFlag(*doc, command.code); });
        case CommandId::PathOptions:
            return with([&] { doc->OnPathOptions(); });
        case CommandId::CreateObservationPoints:
            return with([&] { doc->OnCreateObservationPoints(); });
        case CommandId::CreatePathIsovist:
            return with([&] { doc->OnCreatePathIsovist(); });
        case CommandId::ApplyViewAngle:
            return with([&] { doc->OnApplyViewAngle(); });
        case CommandId::PathUserDefined:
            return with([&] { doc->OnPathUserDefined(); });
        case CommandId::ViewPathData:
            return with([&] { doc->OnViewPathData(); });
        case CommandId::PathExportCsv:
            return with([&] { doc->OnExportPathCsv(); });
        case CommandId::PathExportAllCsv:
            return with([&] { doc->OnExportAllPathsCsv(); });
        case CommandId::PathReport:
            return with([&] { doc->OnPathReport(); });
        default:
            return false;
    }
}

}  // namespace

bool IsDocumentCommand(const Command& command) {
    return Dispatch(nullptr, command);
}

bool RunDocumentCommand(CORVDoc& doc, const Command& command) {
    if (!CommandStateOf(command, CommandContextOf(doc, false)).enabled) {
        return false;
    }
    return Dispatch(&doc, command);
}

void SetDisplayProperty(CORVDoc& doc, PropertyFamily family, int32_t code) {
    switch (family) {
        case PropertyFamily::Grid:
            doc.m_gridDisplayProperty = code;
            break;
        case PropertyFamily::Path:
            doc.m_pathDisplayProperty = code;
            break;
        case PropertyFamily::Axial:
            doc.m_settings.m_axialDisplayProperty = code;
            break;
    }
    doc.ui().redrawAll();
}

void ToggleShowFlag(CORVDoc& doc, int flag) {
    int32_t& value = doc.m_settings.m_show[static_cast<size_t>(flag)];
    value = value != 0 ? 0 : 1;
    doc.ui().redrawAll();
}
