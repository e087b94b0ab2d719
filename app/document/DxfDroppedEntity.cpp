#include "document/DxfDroppedEntity.h"

const char* dxfEntityName(DxfEntityKind kind) {
    switch (kind) {
        case DxfEntityKind::Polyline:
            return "LWPOLYLINE";
        case DxfEntityKind::Line:
            return "LINE";
        case DxfEntityKind::Circle:
            return "CIRCLE";
        case DxfEntityKind::Arc:
            return "ARC";
        case DxfEntityKind::OldPolyline:
            return "POLYLINE";
        case DxfEntityKind::Insert:
            return "INSERT";
    }
    return "?";
}

std::string shownLayerName(const std::string& name) {
    constexpr size_t kShownBytes = 80;
    const bool cut = name.size() > kShownBytes;
    return "\"" + name.substr(0, kShownBytes) + (cut ? "...\"" : "\"");
}

std::string dxfDroppedEntityText(const DxfDroppedEntity& entity) {
    std::string text = dxfEntityName(entity.kind);
    text += " on layer " + shownLayerName(entity.layer) + ", line " + std::to_string(entity.line);
    if (!entity.handle.empty()) {
        text += ", handle " + entity.handle;
    }
    return text + ": " + entity.detail;
}
