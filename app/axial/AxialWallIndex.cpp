#include "axial/AxialWallIndex.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "axial/AxialGeometry.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kAngleBin = 1e-6;
// Relative rounding allowance for angles and offsets (far above the few ulps they carry).
constexpr double kRounding = 1e-12;

bool FinitePoint(const PlanPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool ZeroLength(const PlanSegment& s) {
    // The geometry library finds no common point with a segment this short.
    return std::fabs(s.end.x - s.start.x) <= kAxialTolerance &&
           std::fabs(s.end.y - s.start.y) <= kAxialTolerance;
}

// The direction of from -> to as an angle in [0, pi) and the unit vector of that angle.
struct LineDirection {
    double angle = 0.0;
    double ux = 1.0;
    double uy = 0.0;
};

LineDirection DirectionOf(const PlanPoint& from, const PlanPoint& to) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    LineDirection d;
    d.angle = std::atan2(dy, dx);
    d.ux = dx / length;
    d.uy = dy / length;
    if (d.angle < 0.0 || d.angle >= kPi) {
        d.angle = d.angle < 0.0 ? d.angle + kPi : d.angle - kPi;
        d.ux = -d.ux;
        d.uy = -d.uy;
    }
    d.angle = std::clamp(d.angle, 0.0, std::nextafter(kPi, 0.0));
    return d;
}

int64_t BinOf(double angle) {
    return static_cast<int64_t>(std::floor(angle / kAngleBin));
}

}  // namespace

AxialWallIndex::AxialWallIndex(std::span<const PlanSegment> walls) : walls_(walls) {
    std::vector<int32_t> gridded;
    double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
    for (size_t k = 0; k < walls.size(); ++k) {
        const PlanSegment& w = walls[k];
        if (!FinitePoint(w.start) || !FinitePoint(w.end)) {
            plainWalls_.push_back(static_cast<int32_t>(k));
            continue;
        }
        if (ZeroLength(w)) {
            continue;  // blocks nothing
        }
        gridded.push_back(static_cast<int32_t>(k));
        minX = std::min({minX, w.start.x, w.end.x});
        maxX = std::max({maxX, w.start.x, w.end.x});
        minY = std::min({minY, w.start.y, w.end.y});
        maxY = std::max({maxY, w.start.y, w.end.y});
    }
    if (gridded.empty()) {
        return;
    }
    const double span = std::max(maxX - minX, maxY - minY);
    const double magnitude =
        std::max({std::fabs(minX), std::fabs(maxX), std::fabs(minY), std::fabs(maxY)});
    if (!std::isfinite(span) || !std::isfinite(magnitude)) {
        plainWalls_.insert(plainWalls_.end(), gridded.begin(), gridded.end());
        return;
    }
    const double margin = 1e-9 * (span + magnitude) + 4.0 * kAxialTolerance;
    grid_ = SegmentGrid(walls, gridded, margin);

    centreX_ = 0.5 * (minX + maxX);
    centreY_ = 0.5 * (minY + maxY);
    radius_ = std::hypot(maxX - minX, maxY - minY);
    shortLength_ = std::max(1e-6 * radius_, 1e-12);
    for (int32_t k : gridded) {
        const PlanSegment& w = walls[static_cast<size_t>(k)];
        if (LineLength(w) < shortLength_) {
            shortWalls_.push_back(k);
            continue;
        }
        const LineDirection d = DirectionOf(w.start, w.end);
        const double offset = d.ux * (w.start.y - centreY_) - d.uy * (w.start.x - centreX_);
        lines_.push_back({BinOf(d.angle), offset, k});
    }
    std::sort(lines_.begin(), lines_.end(), [](const LineEntry& a, const LineEntry& b) {
        return a.bin != b.bin ? a.bin < b.bin : a.offset < b.offset;
    });
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (i == 0 || lines_[i].bin != lines_[i - 1].bin) {
            binKeys_.push_back(lines_[i].bin);
            binStart_.push_back(i);
        }
    }
    binStart_.push_back(lines_.size());
}

bool AxialWallIndex::blocks(const PlanPoint& from, const PlanPoint& to,
                            AxialWallScratch& scratch) const {
    if (ZeroLength({from, to})) {
        return false;  // the library finds no common point with any wall
    }
    for (int32_t k : plainWalls_) {
        if (WallBlocks(from, to, walls_[static_cast<size_t>(k)])) {
            return true;
        }
    }
    if (!FinitePoint(from) || !FinitePoint(to)) {
        return AnyWallBlocks(from, to, walls_);
    }
    // Walls crossing the candidate, nearest to its start first.
    if (scratch.testedIn.size() != walls_.size()) {
        scratch.testedIn.assign(walls_.size(), 0);
        scratch.query = 0;
    }
    if (++scratch.query == 0) {
        std::fill(scratch.testedIn.begin(), scratch.testedIn.end(), 0);
        scratch.query = 1;
    }
    const uint32_t query = scratch.query;
    if (grid_.walk(from, to, [&](std::span<const int32_t> cellWalls) {
            for (int32_t k : cellWalls) {
                uint32_t& tested = scratch.testedIn[static_cast<size_t>(k)];
                if (tested != query) {
                    tested = query;
                    if (WallBlocks(from, to, walls_[static_cast<size_t>(k)])) {
                        return true;
                    }
                }
            }
            return false;
        })) {
        return true;
    }
    return blockedAlongLine(from, to);
}

// Walls on the candidate's line, however far away.
bool AxialWallIndex::blockedAlongLine(const PlanPoint& from, const PlanPoint& to) const {
    const double length = LineLength({from, to});
    if (!(length >= shortLength_)) {
        return AnyWallBlocks(from, to, walls_);
    }
    for (int32_t k : shortWalls_) {
        if (WallBlocks(from, to, walls_[static_cast<size_t>(k)])) {
            return true;
        }
    }
    // The library joins two segments on one line when |cross(wall, candidate)| and
    // |cross(wall start - from, candidate)| are at most its tolerance: the directions then
    // differ by at most about tolerance / (both lengths), and the wall's start lies within
    // tolerance / length of the candidate's line.
    const double sinBound = 2.0 * kAxialTolerance / (length * shortLength_) + kRounding;
    if (sinBound >= 0.5) {
        return AnyWallBlocks(from, to, walls_);
    }
    const double angleWindow = std::asin(sinBound) * (1.0 + 1e-9) + kRounding;
    const double reach = radius_ + std::hypot(from.x - centreX_, from.y - centreY_);
    const double offsetWindow =
        2.0 * kAxialTolerance / length + angleWindow * reach + kRounding * reach;
    const LineDirection d = DirectionOf(from, to);
    const double offset = d.ux * (from.y - centreY_) - d.uy * (from.x - centreX_);
    const double low = d.angle - angleWindow;
    const double high = d.angle + angleWindow;
    if (blockedInWindow(from, to, low, high, offset - offsetWindow, offset + offsetWindow)) {
        return true;
    }
    // Across the ends of [0, pi) a direction turns round and its offset changes sign.
    if (low < 0.0 &&
        blockedInWindow(from, to, low + kPi, kPi, -offset - offsetWindow, -offset + offsetWindow)) {
        return true;
    }
    return high >= kPi && blockedInWindow(from, to, 0.0, high - kPi, -offset - offsetWindow,
                                          -offset + offsetWindow);
}

bool AxialWallIndex::blockedInWindow(const PlanPoint& from, const PlanPoint& to, double angleLow,
                                     double angleHigh, double offsetLow, double offsetHigh) const {
    const int64_t binLow = BinOf(std::max(angleLow, 0.0));
    const int64_t binHigh = BinOf(angleHigh);
    auto key = std::lower_bound(binKeys_.begin(), binKeys_.end(), binLow);
    for (; key != binKeys_.end() && *key <= binHigh; ++key) {
        const auto b = static_cast<size_t>(key - binKeys_.begin());
        const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(binStart_[b]);
        const auto last = lines_.begin() + static_cast<std::ptrdiff_t>(binStart_[b + 1]);
        auto it = std::lower_bound(first, last, offsetLow,
                                   [](const LineEntry& e, double v) { return e.offset < v; });
        for (; it != last && it->offset <= offsetHigh; ++it) {
            if (WallBlocks(from, to, walls_[static_cast<size_t>(it->wall)])) {
                return true;
            }
        }
    }
    return false;
}
