// How the results of a path are shown at its observation points: the shown property's value of
// every point, its range, and per point a circle whose radius and fill follow the path display
// method ("By Radius", "By Area", "By Color", "By Radius+Color", "By Area+Color"). No drawing.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "document/IsovistRecord.h"
#include "document/PlanTypes.h"
#include "view/ColorScale.h"

struct PathPointMark {
    PlanPoint centre;
    int32_t radius = 0;  // logical units
    bool filled = false;
    uint32_t color = 0;  // of the fill; outlines use the current pen
};

struct PathResultMarks {
    double minimum = 0.0;
    double maximum = 0.0;
    std::vector<PathPointMark> marks;  // empty when all values are equal
};

// Empty when the property shows nothing: no records, an unknown code, or a radial property
// without one radial result per record. Circles whose radius is not positive are left out.
std::optional<PathResultMarks> MarkPathResults(const std::vector<IsovistRecord>& records,
                                               const std::vector<RadialStats>& radialStats,
                                               int32_t property, int32_t method,
                                               int32_t circleRadius, const ColorScale& scale);
