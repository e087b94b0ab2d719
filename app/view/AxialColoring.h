// The colour of each axial line for the shown axial property: the range over all lines and
// each line's colour in it. "None" (and an unknown code) colours nothing: every line is drawn
// in the Axial Lines colour. No drawing: the painter batches the result.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "document/IsovistRecord.h"
#include "document/PlanTypes.h"
#include "view/ColorScale.h"

struct AxialColoring {
    double minimum = 0.0;
    double maximum = 0.0;
    std::vector<uint32_t> colors;  // one per line, in line order
};

// "Length" is measured on the lines themselves, so it colours lines that have no analysis
// records yet; the other properties need one record per line and colour nothing without.
std::optional<AxialColoring> ColorAxialLines(const std::vector<PlanSegment>& lines,
                                             const std::vector<IsovistRecord>& records,
                                             int32_t property, const ColorScale& scale);
