#include "isovist/IsovistPlanIndex.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <unordered_set>

#include "isovist/IsovistEngine.h"
#include "isovist/IsovistRays.h"
#include "isovist/PlanFingerprint.h"

namespace {

// The geometry library's tolerance for parallel lines.
constexpr double kParallelTolerance = 2.220446049250313e-8;
// A ray and a segment count as nearly parallel below this sine of their angle.
constexpr double kNearlyParallelSine = 1e-4;
// Clear distance above or below a polygon for the hit test to see no edge at all: the product
// of the two end sides (10 times the distance each) then exceeds the library's tolerance.
constexpr double kClearHeight = 1e-4;

template <typename T>
bool SameBits(std::span<const T> a, std::span<const T> b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size_bytes()) == 0);
}

struct PointBits {
    uint64_t x;
    uint64_t y;
    bool operator==(const PointBits&) const = default;
};

struct PointBitsHash {
    size_t operator()(const PointBits& p) const {
        return static_cast<size_t>(p.x * 0x9E3779B97F4A7C15ull ^ (p.y + 0x632BE59BD9B4E019ull));
    }
};

bool RepeatsAVertex(std::span<const PlanPoint> vertices) {
    std::unordered_set<PointBits, PointBitsHash> seen;
    seen.reserve(vertices.size());
    for (const PlanPoint p : vertices) {
        if (std::isnan(p.x) || std::isnan(p.y)) {
            continue;
        }
        if (!seen.insert({std::bit_cast<uint64_t>(p.x), std::bit_cast<uint64_t>(p.y)}).second) {
            return true;
        }
    }
    return false;
}

// Ray k nearly parallel to s, though not so parallel that the library reports no crossing.
bool RunsAlong(int32_t k, const PlanSegment& s) {
    double dx = 0.0;
    double dy = 0.0;
    IsovistRayDirection(k, dx, dy);
    const double sx = s.end.x - s.start.x;
    const double sy = s.end.y - s.start.y;
    const double cross = dx * sy - dy * sx;
    if (std::abs(cross) < kParallelTolerance) {
        return false;
    }
    const double length = std::sqrt(sx * sx + sy * sy);
    return !(std::abs(cross) >= kNearlyParallelSine * kIsovistDirectionLength * length);
}

// Lists of indices packed into one array: list k is entries[offsets[k] .. offsets[k + 1]).
void PackLists(const std::vector<std::vector<int32_t>>& lists, std::vector<int32_t>& offsets,
               std::vector<int32_t>& entries) {
    offsets.assign(1, 0);
    entries.clear();
    for (const std::vector<int32_t>& list : lists) {
        entries.insert(entries.end(), list.begin(), list.end());
        offsets.push_back(static_cast<int32_t>(entries.size()));
    }
}

// List k of PackLists (which must have packed more than k lists).
std::span<const int32_t> PackedList(const std::vector<int32_t>& offsets,
                                    const std::vector<int32_t>& entries, size_t k) {
    const auto begin = static_cast<size_t>(offsets[k]);
    const auto end = static_cast<size_t>(offsets[k + 1]);
    return std::span<const int32_t>(entries).subspan(begin, end - begin);
}

}  // namespace

void IsovistPlanIndex::prepare(const PlanTables& plan) {
    if (!built_ || !sameAs(plan)) {
        rebuild(plan);
    }
    if (plan.fingerprint != 0) {
        fingerprint_ = plan.fingerprint;
    }
}

bool IsovistPlanIndex::sameAs(const PlanTables& plan) const {
    if (segments_.size() == plan.wallSegments.size() &&
        polygonSizes_.size() == plan.polygons.size() && SameKnownFingerprint(fingerprint_, plan)) {
        return true;
    }
    if (!SameBits<PlanSegment>(segments_, plan.wallSegments) ||
        polygonSizes_.size() != plan.polygons.size()) {
        return false;
    }
    size_t at = 0;
    for (size_t i = 0; i < plan.polygons.size(); ++i) {
        const auto& points = plan.polygons[i].points();
        if (polygonSizes_[i] != static_cast<int32_t>(points.size()) ||
            at + points.size() > vertices_.size() ||
            !SameBits<PlanPoint>(std::span(vertices_).subspan(at, points.size()), points)) {
            return false;
        }
        at += points.size();
    }
    return at == vertices_.size();
}

void IsovistPlanIndex::rebuild(const PlanTables& plan) {
    fingerprint_ = plan.fingerprint;
    segments_.assign(plan.wallSegments.begin(), plan.wallSegments.end());
    vertices_.clear();
    polygonSizes_.clear();
    heights_.clear();
    for (const PlanPolygon& polygon : plan.polygons) {
        const auto& points = polygon.points();
        vertices_.insert(vertices_.end(), points.begin(), points.end());
        polygonSizes_.push_back(static_cast<int32_t>(points.size()));
        Height h;
        h.known = !points.empty();
        if (h.known) {
            h.low = points[0].y;
            h.high = points[0].y;
        }
        for (const PlanPoint p : points) {
            h.known = h.known && std::isfinite(p.x) && std::isfinite(p.y);
            h.low = std::min(h.low, p.y);
            h.high = std::max(h.high, p.y);
        }
        heights_.push_back(h);
    }
    buildBands();
    hasRepeatedVertex_ = RepeatsAVertex(vertices_);
    grid_.build(segments_);

    // Each segment is nearly parallel to at most a few rays: those nearest its direction and
    // the opposite one.
    std::vector<std::vector<int32_t>> perRay(static_cast<size_t>(kIsovistRayCount));
    for (size_t i = 0; i < segments_.size(); ++i) {
        const PlanSegment& s = segments_[i];
        const double direction = std::atan2(s.end.y - s.start.y, s.end.x - s.start.x);
        if (!std::isfinite(direction)) {
            continue;
        }
        const auto nearest = static_cast<int32_t>(std::lround(direction / kIsovistRayStep));
        for (const int32_t base : {nearest, nearest + 720, nearest - 720, nearest + 1440}) {
            for (int32_t k = base - 1; k <= base + 1; ++k) {
                if (k >= 0 && k < kIsovistRayCount && RunsAlong(k, s)) {
                    auto& list = perRay[static_cast<size_t>(k)];
                    if (list.empty() || list.back() != static_cast<int32_t>(i)) {
                        list.push_back(static_cast<int32_t>(i));
                    }
                }
            }
        }
    }
    PackLists(perRay, parallelOffsets_, parallelEntries_);
    built_ = true;
}

bool IsovistPlanIndex::mayContain(size_t polygon, PlanPoint p) const {
    if (polygon >= heights_.size() || !heights_[polygon].known || !std::isfinite(p.x) ||
        !std::isfinite(p.y)) {
        return true;
    }
    const Height& h = heights_[polygon];
    return !(p.y < h.low - kClearHeight || p.y > h.high + kClearHeight);
}

std::span<const int32_t> IsovistPlanIndex::nearlyParallel(int32_t ray) const {
    if (ray < 0 || ray >= kIsovistRayCount ||
        parallelOffsets_.size() != static_cast<size_t>(kIsovistRayCount) + 1) {
        return {};
    }
    return PackedList(parallelOffsets_, parallelEntries_, static_cast<size_t>(ray));
}

std::span<const int32_t> IsovistPlanIndex::innerPolygonsNear(double y) const {
    if (bandOffsets_.size() != static_cast<size_t>(bandCount_) + 1) {
        return {};
    }
    return PackedList(bandOffsets_, bandEntries_, static_cast<size_t>(bandOf(y)));
}

// Rounding is monotone, so a y within a polygon's widened height [a, b] falls in a band between
// bandOf(a) and bandOf(b), in each of which the polygon is listed.
int32_t IsovistPlanIndex::bandOf(double y) const {
    if (bandCount_ <= 1) {
        return 0;
    }
    const double t = (y - bandLow_) / bandWidth_;
    if (!(t >= 0.0)) {
        return 0;
    }
    if (t >= static_cast<double>(bandCount_)) {
        return bandCount_ - 1;
    }
    return static_cast<int32_t>(t);
}

void IsovistPlanIndex::buildBands() {
    // About one band per inner polygon, at most kMaxBands, over the widened heights of those
    // of known height.
    constexpr int32_t kMaxBands = 512;
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    for (size_t i = 1; i < heights_.size(); ++i) {
        if (heights_[i].known) {
            low = std::min(low, heights_[i].low - kClearHeight);
            high = std::max(high, heights_[i].high + kClearHeight);
        }
    }
    const auto inner = static_cast<int32_t>(heights_.empty() ? 0 : heights_.size() - 1);
    bandCount_ = std::clamp(inner, 1, kMaxBands);
    bandLow_ = low;
    bandWidth_ = (high - low) / bandCount_;
    if (!std::isfinite(bandWidth_) || !(bandWidth_ > 0.0)) {
        bandCount_ = 1;
        bandLow_ = 0.0;
        bandWidth_ = 1.0;
    }
    std::vector<std::vector<int32_t>> bands(static_cast<size_t>(bandCount_));
    for (size_t i = 1; i < heights_.size(); ++i) {
        const Height& h = heights_[i];
        const int32_t first = h.known ? bandOf(h.low - kClearHeight) : 0;
        const int32_t last = h.known ? bandOf(h.high + kClearHeight) : bandCount_ - 1;
        for (int32_t b = first; b <= last; ++b) {
            bands[static_cast<size_t>(b)].push_back(static_cast<int32_t>(i));
        }
    }
    PackLists(bands, bandOffsets_, bandEntries_);
}
