// One entity of a drawing read whole, for the option "Read arcs, old-style polylines and
// blocks": its group codes and values are gathered first, then read in any order. Gives the
// shape of a LWPOLYLINE (bulges as arcs), LINE, CIRCLE or ARC, or the placement of an INSERT,
// or why it cannot be read.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "document/DxfShapes.h"

struct DxfGroup {
    int code = -1;           // -1 when the code line is no number
    std::string_view value;  // as written, white space removed at both ends
};

struct DxfEntityText {
    std::string type;  // upper case, e.g. "ARC"
    size_t line = 0;
    std::vector<DxfGroup> groups;  // after the "0" group, in file order

    // The first value of `code`, or the last one (for values a later group corrects).
    std::optional<std::string_view> first(int code) const;
    std::string layer() const;   // group 8, as written; empty without one
    std::string handle() const;  // group 5, cut when long
};

struct DxfInsert {
    std::string block;  // group 2, as written
    std::string layer;
    PlanPoint at;
    double scaleX = 1.0, scaleY = 1.0, rotationDegrees = 0.0;
    int32_t columns = 1, rows = 1;
    double columnSpacing = 0.0, rowSpacing = 0.0;
    bool mirrored = false;  // extrusion towards −z
    size_t line = 0;
    std::string handle;

    // The map of the copy in `column`, `row` from block coordinates (less the base point).
    DxfPlacement placement(const PlanPoint& base, int32_t column, int32_t row) const;
};

// What an entity is to the readers: nothing (a kind they do not read), a shape, a placement,
// or a drop.
using DxfEntityReading = std::variant<std::monostate, DxfShape, DxfInsert, DxfDroppedEntity>;

DxfEntityReading ReadEntityParts(const DxfEntityText& entity);

// Which way the entity's extrusion (210, 220, 230) maps its own coordinates: true for −z (x
// mirrored), false for +z or none; a drop when it points off the z axis or is no number.
std::variant<bool, DxfValueProblem> ReadExtrusion(const DxfEntityText& entity);

// The kinds the readers name in reports, or empty for others.
std::optional<DxfEntityKind> DxfEntityKindOf(std::string_view type);
