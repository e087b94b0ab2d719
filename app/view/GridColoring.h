// Which grid cells are coloured, and in which colour, for the shown grid property: the range
// over the effective cells (a negative minimum raised to 0 for the depth-like measures, whose
// negative values mean "undefined" and stay undrawn), radial properties read from the radial
// results in the order of the effective cells. No drawing: the painter batches the result.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "document/AnalysisGrid.h"
#include "view/ColorScale.h"

struct GridCellColor {
    int32_t index = 0;  // into the grid's cells
    uint32_t color = 0;
};

struct GridColoring {
    double minimum = 0.0;
    double maximum = 0.0;
    std::vector<GridCellColor> cells;
};

// Empty when the property draws nothing: a code outside 1..31, a radial property without
// radial results, or a grid without effective cells.
std::optional<GridColoring> ColorGridCells(const CAnalysisGrid& grid,
                                           const std::vector<RadialStats>& radialStats,
                                           int32_t property, const ColorScale& scale);
