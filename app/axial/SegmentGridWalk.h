// The cell walk of SegmentGrid (a template, so that each visit is inlined).
#pragma once

#include <algorithm>
#include <cmath>

template <class OnCell>
bool SegmentGrid::walkCells(const PlanPoint& from, const PlanPoint& to, OnCell&& onCell) const {
    const double minX = std::min(from.x, to.x);
    const double maxX = std::max(from.x, to.x);
    const double minY = std::min(from.y, to.y);
    const double maxY = std::max(from.y, to.y);
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    // The segment's y over [x0, x1] (clamped to the segment), widened by the margin.
    auto rowsOver = [&](double x0, double x1, int32_t& r0, int32_t& r1) {
        double y0 = minY;
        double y1 = maxY;
        if (dx != 0.0) {
            const double ya = from.y + (std::clamp(x0, minX, maxX) - from.x) / dx * dy;
            const double yb = from.y + (std::clamp(x1, minX, maxX) - from.x) / dx * dy;
            if (std::isfinite(ya) && std::isfinite(yb)) {  // else: the whole height
                y0 = std::clamp(std::min(ya, yb), minY, maxY);
                y1 = std::clamp(std::max(ya, yb), minY, maxY);
            }
        }
        r0 = row(y0 - margin_);
        r1 = row(y1 + margin_);
    };
    const int32_t c0 = column(minX - margin_);
    const int32_t c1 = column(maxX + margin_);
    const bool leftToRight = from.x <= to.x;
    const bool upwards = from.y <= to.y;
    for (int32_t k = 0; k <= c1 - c0; ++k) {
        const int32_t c = leftToRight ? c0 + k : c1 - k;
        const double cellX0 = originX_ + c * cell_ - margin_;
        const double cellX1 = originX_ + (c + 1) * cell_ + margin_;
        int32_t r0 = 0;
        int32_t r1 = 0;
        rowsOver(cellX0, cellX1, r0, r1);
        for (int32_t m = 0; m <= r1 - r0; ++m) {
            const int32_t r = upwards ? r0 + m : r1 - m;
            if (onCell(r * nx_ + c)) {
                return true;
            }
        }
    }
    return false;
}
