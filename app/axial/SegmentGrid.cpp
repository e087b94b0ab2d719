#include "axial/SegmentGrid.h"

#include <algorithm>
#include <cmath>

namespace {

// About this many cells per listed segment, and never more than this many cells a side.
constexpr double kCellsPerSegment = 2.0;
constexpr int32_t kMaxCellsPerSide = 2048;

}  // namespace

SegmentGrid::SegmentGrid(std::span<const PlanSegment> segments, std::span<const int32_t> members,
                         double margin)
    : margin_(margin) {
    if (members.empty()) {
        return;
    }
    double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
    for (int32_t k : members) {
        const PlanSegment& s = segments[static_cast<size_t>(k)];
        minX = std::min({minX, s.start.x, s.end.x});
        maxX = std::max({maxX, s.start.x, s.end.x});
        minY = std::min({minY, s.start.y, s.end.y});
        maxY = std::max({maxY, s.start.y, s.end.y});
    }
    minX -= margin;
    minY -= margin;
    maxX += margin;
    maxY += margin;
    const double width = std::max(maxX - minX, 0.0);
    const double height = std::max(maxY - minY, 0.0);
    const double area = std::max(width * height, 0.0);
    const double wanted = kCellsPerSegment * static_cast<double>(members.size());
    double cell = area > 0.0 ? std::sqrt(area / wanted) : std::max(width, height);
    cell = std::max({cell, width / kMaxCellsPerSide, height / kMaxCellsPerSide});
    if (!(cell > 0.0) || !std::isfinite(cell)) {
        cell = 1.0;
    }
    originX_ = minX;
    originY_ = minY;
    cell_ = cell;
    nx_ = std::clamp(static_cast<int32_t>(std::floor(width / cell)) + 1, 1, kMaxCellsPerSide + 1);
    ny_ = std::clamp(static_cast<int32_t>(std::floor(height / cell)) + 1, 1, kMaxCellsPerSide + 1);

    // Two passes: count the cells' members, then fill them.
    const size_t cellCount = static_cast<size_t>(nx_) * static_cast<size_t>(ny_);
    std::vector<int64_t> counts(cellCount + 1, 0);
    for (int32_t k : members) {
        const PlanSegment& s = segments[static_cast<size_t>(k)];
        walkCells(s.start, s.end, [&](int32_t c) {
            ++counts[static_cast<size_t>(c) + 1];
            return false;
        });
    }
    for (size_t c = 0; c < cellCount; ++c) {
        counts[c + 1] += counts[c];
    }
    cellStart_ = counts;
    cellMembers_.resize(static_cast<size_t>(counts.back()));
    for (int32_t k : members) {
        const PlanSegment& s = segments[static_cast<size_t>(k)];
        walkCells(s.start, s.end, [&](int32_t c) {
            cellMembers_[static_cast<size_t>(counts[static_cast<size_t>(c)]++)] = k;
            return false;
        });
    }
}

// Positions that are not numbers go to the first cell (callers list only finite segments).
int32_t SegmentGrid::column(double x) const {
    const double c = std::floor((x - originX_) / cell_);
    if (std::isnan(c)) {
        return 0;
    }
    return static_cast<int32_t>(std::clamp(c, 0.0, static_cast<double>(nx_ - 1)));
}

int32_t SegmentGrid::row(double y) const {
    const double r = std::floor((y - originY_) / cell_);
    if (std::isnan(r)) {
        return 0;
    }
    return static_cast<int32_t>(std::clamp(r, 0.0, static_cast<double>(ny_ - 1)));
}
