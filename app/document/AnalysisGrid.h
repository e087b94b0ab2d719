// The analysis grid: square cells laid over the plan, each carrying the isovist at its centre.
#pragma once

#include <cstddef>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "document/IsovistRecord.h"

// A grid cell address (column, row); it need not name an existing cell.
struct GridCellIndex {
    int32_t column = -1;  // (-1, -1): no current cell
    int32_t row = -1;

    friend bool operator==(const GridCellIndex&, const GridCellIndex&) = default;
};

struct CGridCell {
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
    int32_t effective = 0;  // 1 when the cell's centre lies in the analysable space
    IsovistRecord isovist;

    friend bool operator==(const CGridCell&, const CGridCell&) = default;
};

// Cell (col, row) has index row * nx + col.
struct CAnalysisGrid {
    std::vector<CGridCell> cells;
    int32_t count = 0;  // nx * ny
    int32_t nx = 0;
    int32_t ny = 0;
    double span = 0.0;
    double originX = 0.0;
    double originY = 0.0;

    // The cell at (column, row), or null when that names no existing cell.
    const CGridCell* cellAt(GridCellIndex cell) const {
        if (cell.column < 0 || cell.column >= nx || cell.row < 0 || cell.row >= ny) {
            return nullptr;
        }
        const size_t index = static_cast<size_t>(cell.row) * static_cast<size_t>(nx) +
                             static_cast<size_t>(cell.column);
        return index < cells.size() ? &cells[index] : nullptr;
    }

    // The cell address a picked point (x, y) names: column (x - originX) / span and row
    // (y - originY) / span, each truncated toward zero. It need not be an existing cell; empty
    // without a positive span or for a point so far away that the address does not fit.
    std::optional<GridCellIndex> addressOf(double x, double y) const {
        if (!(span > 0.0)) {
            return std::nullopt;
        }
        const double column = std::trunc((x - originX) / span);
        const double row = std::trunc((y - originY) / span);
        if (!(std::fabs(column) <= 1e9 && std::fabs(row) <= 1e9)) {
            return std::nullopt;
        }
        return GridCellIndex{static_cast<int32_t>(column), static_cast<int32_t>(row)};
    }

    // The number of effective cells.
    int32_t effectiveCount() const {
        int32_t n = 0;
        for (const CGridCell& cell : cells) {
            n += cell.effective != 0 ? 1 : 0;
        }
        return n;
    }

    // No cells, zero counts and span, origin (0, 0).
    void clear() { *this = CAnalysisGrid{}; }

    friend bool operator==(const CAnalysisGrid&, const CAnalysisGrid&) = default;
};
