#include "isovist/IsovistSegmentGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Cells per segment, and the most cells along one side.
constexpr double kCellsPerSegment = 2.0;
constexpr int32_t kMaxCellsPerSide = 2048;
// On average a segment may fill this many cells.
constexpr int64_t kMaxRegistrationsPerSegment = 64;
// Plans with coordinates beyond this are left to the plain scan: the crossing arithmetic's
// rounding grows with the coordinates and the margin below is sized for plans up to here.
constexpr double kMaxCoordinate = 1e6;
// The margin relative to the largest coordinate (and at least 1 unit's worth).
constexpr double kRelativeMargin = 1e-7;
}  // namespace

bool IsovistSegmentGrid::build(std::span<const PlanSegment> segments) {
    usable_ = false;
    offsets_.clear();
    entries_.clear();
    nx_ = 0;
    ny_ = 0;
    if (segments.empty()) {
        return false;
    }
    double minX = segments[0].start.x;
    double maxX = minX;
    double minY = segments[0].start.y;
    double maxY = minY;
    for (const PlanSegment& s : segments) {
        for (const PlanPoint p : {s.start, s.end}) {
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || std::abs(p.x) > kMaxCoordinate ||
                std::abs(p.y) > kMaxCoordinate) {
                return false;
            }
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    const double largest = std::max({std::abs(minX), std::abs(maxX), std::abs(minY), std::abs(maxY),
                                     maxX - minX, maxY - minY, 1.0});
    margin_ = kRelativeMargin * largest;
    // The grid reaches a little past the outermost boxes, so every widened box lies inside.
    originX_ = minX - 2.0 * margin_;
    originY_ = minY - 2.0 * margin_;
    const double width = maxX - minX + 4.0 * margin_;
    const double height = maxY - minY + 4.0 * margin_;
    const double cells = kCellsPerSegment * static_cast<double>(segments.size());
    cellSize_ = std::max(
        {std::sqrt(width * height / cells), width / kMaxCellsPerSide, height / kMaxCellsPerSide});
    nx_ = static_cast<int32_t>(width / cellSize_) + 1;
    ny_ = static_cast<int32_t>(height / cellSize_) + 1;

    // Count, then fill in table order, so each cell lists its segments ascending.
    offsets_.assign(static_cast<size_t>(nx_) * static_cast<size_t>(ny_) + 1, 0);
    auto forEachCell = [&](const PlanSegment& s, auto action) {
        const int32_t x0 = column(std::min(s.start.x, s.end.x) - margin_);
        const int32_t x1 = column(std::max(s.start.x, s.end.x) + margin_);
        const int32_t y0 = row(std::min(s.start.y, s.end.y) - margin_);
        const int32_t y1 = row(std::max(s.start.y, s.end.y) + margin_);
        for (int32_t iy = y0; iy <= y1; ++iy) {
            for (int32_t ix = x0; ix <= x1; ++ix) {
                action(static_cast<size_t>(iy) * static_cast<size_t>(nx_) +
                       static_cast<size_t>(ix));
            }
        }
    };
    // Long diagonal walls fill many cells; a plan full of them is left to the plain scan rather
    // than given a grid of unbounded size.
    int64_t registrations = 0;
    for (const PlanSegment& s : segments) {
        const int64_t columns = column(std::max(s.start.x, s.end.x) + margin_) -
                                column(std::min(s.start.x, s.end.x) - margin_) + 1;
        const int64_t rows = row(std::max(s.start.y, s.end.y) + margin_) -
                             row(std::min(s.start.y, s.end.y) - margin_) + 1;
        registrations += columns * rows;
    }
    if (registrations > kMaxRegistrationsPerSegment * static_cast<int64_t>(segments.size())) {
        offsets_.clear();
        return false;
    }
    for (const PlanSegment& s : segments) {
        forEachCell(s, [&](size_t c) { ++offsets_[c + 1]; });
    }
    for (size_t c = 1; c < offsets_.size(); ++c) {
        offsets_[c] += offsets_[c - 1];
    }
    entries_.resize(static_cast<size_t>(offsets_.back()));
    std::vector<int32_t> fill(offsets_.begin(), offsets_.end() - 1);
    for (size_t i = 0; i < segments.size(); ++i) {
        forEachCell(segments[i], [&](size_t c) {
            entries_[static_cast<size_t>(fill[c]++)] = static_cast<int32_t>(i);
        });
    }
    usable_ = true;
    return true;
}

bool IsovistSegmentGrid::contains(PlanPoint p) const {
    return usable_ && p.x >= originX_ && p.y >= originY_ && p.x < originX_ + nx_ * cellSize_ &&
           p.y < originY_ + ny_ * cellSize_;
}

std::span<const int32_t> IsovistSegmentGrid::cell(int32_t ix, int32_t iy) const {
    const size_t c = static_cast<size_t>(iy) * static_cast<size_t>(nx_) + static_cast<size_t>(ix);
    const auto begin = static_cast<size_t>(offsets_[c]);
    const auto end = static_cast<size_t>(offsets_[c + 1]);
    return std::span<const int32_t>(entries_).subspan(begin, end - begin);
}

int32_t IsovistSegmentGrid::column(double x) const {
    const double position = std::floor((x - originX_) / cellSize_);
    return static_cast<int32_t>(std::clamp(position, 0.0, static_cast<double>(nx_ - 1)));
}

int32_t IsovistSegmentGrid::row(double y) const {
    const double position = std::floor((y - originY_) / cellSize_);
    return static_cast<int32_t>(std::clamp(position, 0.0, static_cast<double>(ny_ - 1)));
}

double IsovistSegmentGrid::distanceTo(double edge, double from, double u) {
    if (u == 0.0) {
        return std::numeric_limits<double>::infinity();
    }
    return (edge - from) / u;
}
