#include "axial/AxialLineSet.h"

#include <cmath>

#include "axial/AxialGeometry.h"

namespace {

// Wider than the tolerance, so coinciding points lie in the same or neighbouring cells.
constexpr double kCell = 1e-6;
constexpr double kLargestHashed = 1e12;

uint64_t KeyOf(int64_t cx, int64_t cy) {
    const auto x = static_cast<uint64_t>(cx);
    const auto y = static_cast<uint64_t>(cy);
    return x * 0x9E3779B97F4A7C15ull ^ (y + 0x632BE59BD9B4E019ull + (x << 6) + (x >> 2));
}

}  // namespace

AxialLineSet::AxialLineSet(const std::vector<PlanSegment>& lines) {
    for (const PlanSegment& line : lines) {
        add(line);
    }
}

bool AxialLineSet::cellOf(const PlanPoint& p, int64_t& cx, int64_t& cy) {
    if (!(std::fabs(p.x) <= kLargestHashed && std::fabs(p.y) <= kLargestHashed)) {
        return false;
    }
    cx = static_cast<int64_t>(std::floor(p.x / kCell));
    cy = static_cast<int64_t>(std::floor(p.y / kCell));
    return true;
}

void AxialLineSet::add(const PlanSegment& line) {
    const auto index = static_cast<uint32_t>(lines_.size());
    lines_.push_back(line);
    int64_t cx = 0;
    int64_t cy = 0;
    if (cellOf(line.start, cx, cy)) {
        byCell_[KeyOf(cx, cy)].push_back(index);
    } else {
        unhashed_.push_back(index);
    }
}

// A line whose start coincides with `start` and whose end coincides with `end`.
bool AxialLineSet::startsNear(const PlanPoint& start, const PlanPoint& end) const {
    int64_t cx = 0;
    int64_t cy = 0;
    if (!cellOf(start, cx, cy)) {
        // Near the edge of the hashed range a coinciding start may be hashed: compare all.
        for (const PlanSegment& other : lines_) {
            if (PointsCoincide(other.start, start) && PointsCoincide(other.end, end)) {
                return true;
            }
        }
        return false;
    }
    for (int64_t dy = -1; dy <= 1; ++dy) {
        for (int64_t dx = -1; dx <= 1; ++dx) {
            const auto found = byCell_.find(KeyOf(cx + dx, cy + dy));
            if (found == byCell_.end()) {
                continue;
            }
            for (uint32_t i : found->second) {
                const PlanSegment& other = lines_[i];
                if (PointsCoincide(other.start, start) && PointsCoincide(other.end, end)) {
                    return true;
                }
            }
        }
    }
    return false;
}

bool AxialLineSet::contains(const PlanSegment& line) const {
    if (startsNear(line.start, line.end) || startsNear(line.end, line.start)) {
        return true;
    }
    for (uint32_t i : unhashed_) {
        if (LinesEqual(lines_[i], line)) {
            return true;
        }
    }
    return false;
}
