#include "document/DxfDroppedEntity.h"

const char* DxfEntityName(DxfEntityKind kind) {
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

std::string ShownLayerName(const std::string& name) {
    constexpr size_t kShownBytes = 80;
    const bool cut = name.size() > kShownBytes;
    return "\"" + name.substr(0, kShownBytes) + (cut ? "...\"" : "\"");
}

std::string DxfDroppedEntityText(const DxfDroppedEntity& entity) {
    std::string text = DxfEntityName(entity.kind);
    text += " on layer " + ShownLayerName(entity.layer) + ", line " + std::to_string(entity.line);
    if (!entity.handle.empty()) {
        text += ", handle " + entity.handle;
    }
    return text + ": " + entity.detail;
}
