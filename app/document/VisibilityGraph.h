// A graph over grid cells or axial lines, as a square byte adjacency matrix.
#pragma once

#include <cstdint>
#include <vector>

struct CVisibilityGraph {
    int32_t nodeCount = 0;
    // nodeCount * nodeCount bytes, row by row; nonzero where two nodes are adjacent.
    std::vector<uint8_t> matrix;
    int32_t edgeCount = 0;

    void clear() { *this = CVisibilityGraph{}; }

    friend bool operator==(const CVisibilityGraph&, const CVisibilityGraph&) = default;
};
