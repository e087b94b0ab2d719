// A uniform grid of cells over the wall segments of a plan, and the walk of a sight line
// through it, cell by cell from its start.
//
// Each segment is registered, in table order, in every cell that its bounding box (widened by
// `margin()`) touches, so a cell lists every segment that can meet a sight line inside it,
// ascending. A walk reports, with each cell, the distance along the line at which it leaves
// the cell: a crossing found nearer than that (less the margin) cannot be beaten by a segment
// of a later cell.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "document/PlanTypes.h"

class IsovistSegmentGrid {
  public:
    // False when the plan holds no segment or a coordinate that is not finite or too large;
    // the grid is then unusable and every caller takes the plain scan.
    bool build(std::span<const PlanSegment> segments);

    bool usable() const { return usable_; }
    // How far segment boxes are widened, and how much a walk's distances are trusted.
    double margin() const { return margin_; }
    bool contains(PlanPoint p) const;
    // The lower-left corner of cell (0, 0) and the side of every cell.
    PlanPoint origin() const { return {originX_, originY_}; }
    double cellSize() const { return cellSize_; }
    int32_t columns() const { return nx_; }
    int32_t rows() const { return ny_; }

    // Segment indices registered in cell (ix, iy), ascending.
    std::span<const int32_t> cell(int32_t ix, int32_t iy) const;
    // The same for the cell holding p, which must lie inside the grid.
    std::span<const int32_t> cellHolding(PlanPoint p) const { return cell(column(p.x), row(p.y)); }

    // Walks the cells met by the half-line from `from` along the unit vector (ux, uy), which
    // must lie inside the grid. `visit(cellSegments, exitDistance)` returns false to stop.
    template <typename Visit>
    void walk(PlanPoint from, double ux, double uy, Visit visit) const;

  private:
    int32_t column(double x) const;
    int32_t row(double y) const;
    // Distance along the line from `from` to the grid line at `edge` (coordinate), or infinity.
    static double distanceTo(double edge, double from, double u);

    bool usable_ = false;
    double originX_ = 0.0;
    double originY_ = 0.0;
    double cellSize_ = 1.0;
    double margin_ = 0.0;
    int32_t nx_ = 0;
    int32_t ny_ = 0;
    std::vector<int32_t> offsets_;  // nx_ * ny_ + 1 prefix sums into entries_
    std::vector<int32_t> entries_;
};

template <typename Visit>
void IsovistSegmentGrid::walk(PlanPoint from, double ux, double uy, Visit visit) const {
    int32_t ix = column(from.x);
    int32_t iy = row(from.y);
    const int32_t stepX = ux > 0.0 ? 1 : -1;
    const int32_t stepY = uy > 0.0 ? 1 : -1;
    while (ix >= 0 && ix < nx_ && iy >= 0 && iy < ny_) {
        // The cell's far edges in the walking direction, recomputed from the cell index so that
        // no rounding accumulates along the walk.
        const double edgeX = originX_ + (ux > 0.0 ? ix + 1 : ix) * cellSize_;
        const double edgeY = originY_ + (uy > 0.0 ? iy + 1 : iy) * cellSize_;
        const double exitX = distanceTo(edgeX, from.x, ux);
        const double exitY = distanceTo(edgeY, from.y, uy);
        const double exit = exitX < exitY ? exitX : exitY;
        if (!visit(cell(ix, iy), exit)) {
            return;
        }
        if (exitX < exitY) {
            ix += stepX;
        } else {
            iy += stepY;
        }
    }
}
