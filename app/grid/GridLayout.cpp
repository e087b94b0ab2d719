#include "grid/GridLayout.h"

#include <cmath>
#include <limits>

#include <gonion/gonion.h>
#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>

#include "isovist/IsovistEngine.h"
#include "isovist/IsovistPlanIndex.h"

namespace {

constexpr double kMaxCount = static_cast<double>(std::numeric_limits<int32_t>::max());

// The most cells a grid may have: every cell is a record of about 300 bytes before its
// isovist's vertices, so this bounds the grid at a few gigabytes. The finest grids real plans
// need (a large floor at a tenth of its usual span) stay well below it, and a mistyped span
// is refused instead of exhausting the machine's memory.
constexpr double kMaxGridCells = 10'000'000;

GridLayoutResult Refused(GridLayoutRefusal why) {
    GridLayoutResult result;
    result.refusal = why;
    return result;
}

bool HitsPolygon(const PlanPolygon& polygon, PlanPoint p) {
    return zoHitTestPG(polygon.count(), PlanPolygon::kStride, polygon.xs(), polygon.ys(), p.x,
                       p.y) == 1;
}

}  // namespace

GridLayoutResult LayOutGrid(const PlanExtent& planExtent, const GridLayoutOptions& options) {
    const double span = options.span;
    if (!std::isfinite(span) || !(span > 0.0)) {
        return Refused(GridLayoutRefusal::BadSpan);
    }
    const double minX = planExtent.minX + options.lowerLeftOffsetX;
    const double maxX = planExtent.maxX + options.upperRightOffsetX;
    const double minY = planExtent.minY + options.lowerLeftOffsetY;
    const double maxY = planExtent.maxY + options.upperRightOffsetY;
    const double width = maxX - minX;
    const double height = maxY - minY;
    if (!std::isfinite(minX) || !std::isfinite(minY) || !std::isfinite(width) ||
        !std::isfinite(height) || !(width > 0.0) || !(height > 0.0)) {
        return Refused(GridLayoutRefusal::EmptyExtent);
    }
    const double columns = std::ceil(width / span);
    const double rows = std::ceil(height / span);
    if (!(columns <= kMaxCount) || !(rows <= kMaxCount) || !(columns * rows <= kMaxGridCells)) {
        return Refused(GridLayoutRefusal::TooManyCells);
    }
    CAnalysisGrid grid;
    grid.nx = static_cast<int32_t>(columns);
    grid.ny = static_cast<int32_t>(rows);
    grid.count = grid.nx * grid.ny;
    grid.span = span;
    grid.originX = minX;
    grid.originY = minY;
    grid.cells.resize(static_cast<size_t>(grid.count));
    for (int32_t row = 0; row < grid.ny; ++row) {
        for (int32_t col = 0; col < grid.nx; ++col) {
            CGridCell& cell = grid.cells[static_cast<size_t>(row) * grid.nx + col];
            cell.xMin = minX + col * span;
            cell.xMax = minX + (col + 1) * span;
            cell.yMin = minY + row * span;
            cell.yMax = minY + (row + 1) * span;
        }
    }
    GridLayoutResult result;
    result.grid = std::move(grid);
    return result;
}

PlanPoint CellCentre(const CGridCell& cell) {
    return {(cell.xMin + cell.xMax) / 2, (cell.yMin + cell.yMax) / 2};
}

bool IsEffectivePoint(std::span<const PlanPolygon> planPolygons, PlanPoint p,
                      const IsovistPlanIndex* index) {
    if (planPolygons.empty() || !HitsPolygon(planPolygons[0], p)) {
        return false;
    }
    const PlanPolygon& boundary = planPolygons[0];
    const int32_t m = boundary.count();
    for (int32_t k = 0; k < m; ++k) {
        const PlanPoint a = boundary[k];
        const PlanPoint b = boundary[(k + 1) % m];
        if (zoIsPointOnSeg(p.x, p.y, a.x, a.y, b.x, b.y) != 0) {
            return false;
        }
    }
    return !IsovistPlanIndex::AnyInnerPolygonHolds(
        index, planPolygons.size(), p, [&](size_t w) { return HitsPolygon(planPolygons[w], p); });
}

void MarkEffectiveCells(CAnalysisGrid& grid, std::span<const PlanPolygon> planPolygons) {
    // The polygons' heights are all the index is asked for here: no wall segments.
    PlanTables polygonsOnly;
    polygonsOnly.polygons = planPolygons;
    IsovistPlanIndex index;
    index.prepare(polygonsOnly);
    // Each cell's mark is its own: the cells are split among the cores.
    tbb::parallel_for(tbb::blocked_range<size_t>(0, grid.cells.size()), [&](const auto& range) {
        for (size_t i = range.begin(); i != range.end(); ++i) {
            CGridCell& cell = grid.cells[i];
            cell.effective = IsEffectivePoint(planPolygons, CellCentre(cell), &index) ? 1 : 0;
        }
    });
}
