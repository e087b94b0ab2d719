// A uniform grid of cells over a set of segments: each segment is listed in every cell that
// it passes through, widened by a margin, so that a point found on a segment (up to rounding)
// finds the segment in its cell. Walking a query segment visits the cells it passes through,
// widened by the same margin, from its start towards its end.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "document/PlanTypes.h"

class SegmentGrid {
  public:
    SegmentGrid() = default;
    // `members` are indices into `segments` of the segments to list; their coordinates must
    // be finite. `margin` widens segments and queries alike.
    SegmentGrid(std::span<const PlanSegment> segments, std::span<const int32_t> members,
                double margin);

    // Calls visit(list of segment indices) for every cell near the query segment, nearest to
    // `from` first, until visit returns true; returns whether it did. A segment may be listed
    // in several of the cells visited.
    template <class Visit>
    bool walk(const PlanPoint& from, const PlanPoint& to, Visit&& visit) const {
        if (nx_ == 0) {
            return false;
        }
        return walkCells(from, to, [&](int32_t cell) {
            const auto begin = static_cast<size_t>(cellStart_[static_cast<size_t>(cell)]);
            const auto end = static_cast<size_t>(cellStart_[static_cast<size_t>(cell) + 1]);
            return begin != end &&
                   visit(std::span<const int32_t>(cellMembers_).subspan(begin, end - begin));
        });
    }

  private:
    int32_t column(double x) const;
    int32_t row(double y) const;
    // The cells along the segment widened by the margin, column by column.
    template <class OnCell>
    bool walkCells(const PlanPoint& from, const PlanPoint& to, OnCell&& onCell) const;

    double originX_ = 0.0;
    double originY_ = 0.0;
    double cell_ = 1.0;
    double margin_ = 0.0;
    int32_t nx_ = 0;
    int32_t ny_ = 0;
    std::vector<int64_t> cellStart_;  // nx * ny + 1 offsets into cellMembers_
    std::vector<int32_t> cellMembers_;
};

#include "axial/SegmentGridWalk.h"
