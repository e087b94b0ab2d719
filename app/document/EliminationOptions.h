// The values of the Elimination Options dialog for axial map generation.
#pragma once

#include <cstdint>

struct EliminationOptions {
    int32_t removeOverlappedLines = 1;
    int32_t removeOverlappedLinesWithTolerance = 1;
    double tolerance = 0.5;
    int32_t minimumConnectivity = 2;

    friend bool operator==(const EliminationOptions&, const EliminationOptions&) = default;
};
