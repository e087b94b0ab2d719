// The one table of the properties the view can colour: per family (grid cells, path points,
// axial lines) and code, the name, the menu entry, how the status bar prints a picked value,
// how the value is read from a record and which colouring rules apply. Menus, availability,
// the view, the exports and the reports read it instead of keeping their own code lists.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "document/IsovistRecord.h"

enum class PropertyFamily { Grid, Path, Axial };

// The grid codes that commands name: what a run shows first, and the entries that compute
// their values before they show them.
inline constexpr int32_t kGridArea = 1;
inline constexpr int32_t kGridUserDefined = 6;
inline constexpr int32_t kGridPointCount = 18;
inline constexpr int32_t kGridDepthFromCurrentCell = 27;
inline constexpr int32_t kAxialNone = 0;
inline constexpr int32_t kAxialLength = 1;

// How the status bar prints a picked cell's value before " @ x, y".
enum class StatusFormat {
    Integer,        // "%d"
    TwoDecimals,    // "%.2f"
    ThreeDecimals,  // "%.3f"
    Empty,          // the status text is emptied
};

struct DisplayProperty {
    PropertyFamily family = PropertyFamily::Grid;
    int32_t code = 0;
    const char* name = "";
    // The entry in its Show ... Properties menu; null where the property has no entry of its own.
    const char* menuLabel = nullptr;
    StatusFormat status = StatusFormat::ThreeDecimals;
    bool integerValued = false;
    // Colouring raises a negative minimum to 0 and leaves cells with negative values undrawn.
    bool negativeMinimumRaised = false;
    // Needs the graph measures of the run.
    bool graphMeasure = false;
    // Read from the radial statistics (only with the radial method) instead of the record.
    bool radial = false;
    double (*recordValue)(const IsovistRecord&) = nullptr;  // non-radial properties
    double (*radialValue)(const RadialStats&) = nullptr;    // radial properties
};

// Every property of a family in code order.
std::span<const DisplayProperty> DisplayPropertiesOf(PropertyFamily family);
// The property with that code, or null.
const DisplayProperty* FindDisplayProperty(PropertyFamily family, int32_t code);

// The value a property shows for one record and, for radial properties, its radial statistics.
double DisplayValue(const DisplayProperty& property, const IsovistRecord& record,
                    const RadialStats* radial);

// The status-bar text of a picked grid cell: the value by the property's format, then
// " @ %.1f, %.1f" with the cell's centre; empty for the properties that show nothing.
std::string GridPickStatusText(const DisplayProperty& property, double value, PlanPoint centre);
