// An entity of a drawing that the import cannot read, with where it is and why, as the import
// reports it to the user.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The last three are read only with the option to read arcs, old-style polylines and blocks.
enum class DxfEntityKind : uint8_t { Polyline, Line, Circle, Arc, OldPolyline, Insert };
inline constexpr size_t kDxfEntityKindCount = 6;

// "LWPOLYLINE", "LINE", "CIRCLE", "ARC", "POLYLINE" or "INSERT", as the drawing names the kind.
const char* DxfEntityName(DxfEntityKind kind);

enum class DxfDropReason : uint8_t {
    NotANumber,      // a value the readers need is no number
    OutOfRange,      // a coordinate or radius beyond the coordinate bound, NaN or infinite
    TooFewVertices,  // a polyline of fewer than 2 vertices
    Incomplete,      // the entity ended before its values were complete
    CutOff,          // the file ended inside the entity
    Refused,         // a block that cannot be placed, an extrusion off the z axis, a limit hit
};

struct DxfDroppedEntity {
    DxfEntityKind kind = DxfEntityKind::Polyline;
    std::string layer;   // as written in the file (cut when very long)
    size_t line = 0;     // line of the entity's "0" group code in the file, from 1
    std::string handle;  // group 5 of the entity; empty when it has none
    DxfDropReason reason = DxfDropReason::Incomplete;
    std::string detail;  // the reason in words, naming the group and value when there is one
};

// One short line, e.g.
//   LWPOLYLINE on layer "WALLS", line 120, handle 2F: vertex count 5 never reached (4 read)
// (without ", handle …" when the entity has no handle).
std::string DxfDroppedEntityText(const DxfDroppedEntity& entity);
// A layer name as the report lines show it: quoted, cut after 80 bytes.
std::string ShownLayerName(const std::string& name);

// Receives the dropped entities of a scan, in file order.
using DxfDropSink = std::function<void(DxfDroppedEntity&&)>;

// The dropped entities of one layer: the first ones listed in file order, the rest only counted
// per kind, so that a drawing of millions of broken entities stays a short report.
struct LayerDrops {
    static constexpr size_t kMaxListed = 100;
    std::vector<DxfDroppedEntity> listed;
    std::array<size_t, kDxfEntityKindCount> unlisted{};  // by DxfEntityKind
};
