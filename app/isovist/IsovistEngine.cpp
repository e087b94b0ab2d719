#include "isovist/IsovistEngine.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

#include "gonion/gonion.h"
#include "isovist/IsovistRays.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr int kRayCount = kIsovistRayCount;
// Crossings this close to the start of a sight line (0.01 plan units) do not count.
constexpr double kMinSquaredDistance = 0.0001;
// Angular tolerance of the extension search past a visible vertex.
constexpr double kExtensionTolerance = 2.220446049250313e-8;
constexpr double kDirectionLength = kIsovistDirectionLength;
// The reference test carries the shifted angle from one segment to the next, which can move
// it by a few units in the last place. Within this margin of an interval end the indexed
// search does not trust its own verdict and falls back to the reference scan.
constexpr double kAmbiguityMargin = 1e-12;

constexpr uint8_t kFlagTurnsLeftToRight = 0x12;
constexpr uint8_t kFlagTurnsRightToLeft = 0x21;

double SquaredDistance(double ax, double ay, double bx, double by) {
    const double dx = ax - bx;
    const double dy = ay - by;
    return dx * dx + dy * dy;
}

bool IsOnSegment(PlanPoint p, const PlanSegment& s) {
    return zoIsPointOnSeg(p.x, p.y, s.start.x, s.start.y, s.end.x, s.end.y) != 0;
}

bool IsOnSegmentOrEnd(PlanPoint p, const PlanSegment& s) {
    return zoIsPointOnSeg2(p.x, p.y, s.start.x, s.start.y, s.end.x, s.end.y) != 0;
}

int32_t HitTest(const PlanPolygon& polygon, PlanPoint p) {
    return zoHitTestPG(polygon.count(), PlanPolygon::kStride, polygon.xs(), polygon.ys(), p.x, p.y);
}

// Inside the boundary (polygon 0) and outside every wall polygon. With an index, polygons that
// certainly do not hold the point are not hit-tested.
bool IsValidPoint(const PlanTables& plan, PlanPoint p, const IsovistPlanIndex* index) {
    auto inside = [&](size_t i) {
        return (index == nullptr || index->mayContain(i, p)) && HitTest(plan.polygons[i], p) != 0;
    };
    if (plan.polygons.empty() || !inside(0)) {
        return false;
    }
    return !IsovistPlanIndex::AnyInnerPolygonHolds(index, plan.polygons.size(), p, inside);
}

// The angular interval of segment i as seen from p, into the angle table.
void ComputeInterval(const PlanSegment& s, PlanPoint p, double& lo, double& hi) {
    const double a = std::atan2(s.start.y - p.y, s.start.x - p.x);
    const double b = std::atan2(s.end.y - p.y, s.end.x - p.x);
    lo = std::min(a, b);
    hi = std::max(a, b);
    if (hi - lo > std::numbers::pi) {
        // The segment straddles the direction of angle +-pi.
        const double oldLo = lo;
        lo = hi;
        hi = oldLo + kTwoPi;
    }
}

// Starts a request's angle table with no entry computed.
void StartAngleTable(std::span<const PlanSegment> segments, IsovistScratch& scratch) {
    scratch.lo.resize(segments.size());
    scratch.hi.resize(segments.size());
    scratch.angleStamp.resize(segments.size(), 0);
    if (++scratch.requestStamp == 0) {
        std::fill(scratch.angleStamp.begin(), scratch.angleStamp.end(), 0);
        scratch.requestStamp = 1;
    }
}

// Entry i of the angle table, computed on first use in the request.
void EnsureInterval(std::span<const PlanSegment> segments, PlanPoint p, IsovistScratch& scratch,
                    size_t i) {
    if (scratch.angleStamp[i] != scratch.requestStamp) {
        ComputeInterval(segments[i], p, scratch.lo[i], scratch.hi[i]);
        scratch.angleStamp[i] = scratch.requestStamp;
    }
}

void CompleteAngleTable(std::span<const PlanSegment> segments, PlanPoint p,
                        IsovistScratch& scratch) {
    for (size_t i = 0; i < segments.size(); ++i) {
        EnsureInterval(segments, p, scratch, i);
    }
}

// The angle-in-interval test as the reference scan runs it: the angle is shifted by whole
// turns into the interval and stays shifted for the next segment. `tolerance` widens the
// accepted range after the shift.
bool InIntervalCarried(double& angle, double lo, double hi, double tolerance) {
    while (angle > hi) {
        angle -= kTwoPi;
    }
    while (angle < lo) {
        angle += kTwoPi;
    }
    return lo - tolerance <= angle && angle <= hi + tolerance;
}

enum class Verdict { Candidate, NotCandidate, Ambiguous };

// The same test on a fresh angle, computed modulo a whole turn; Ambiguous where the carried
// angle of the reference scan could decide otherwise.
Verdict Classify(double angle, double lo, double hi, double tolerance) {
    const double fromLo = std::remainder(angle - lo, kTwoPi);  // exact, in [-pi, pi]
    if (std::abs(fromLo) < kAmbiguityMargin) {
        return Verdict::Ambiguous;
    }
    const double offset = fromLo < 0.0 ? fromLo + kTwoPi : fromLo;  // in (0, 2 pi)
    const double limit = hi - lo + tolerance;
    if (std::abs(offset - limit) < kAmbiguityMargin) {
        return Verdict::Ambiguous;
    }
    return offset <= limit ? Verdict::Candidate : Verdict::NotCandidate;
}

// classify without the library remainder where the verdict is clear: the offset from lo is
// brought into [0, 2 pi) by one whole turn, which differs from classify's exact offset by a unit
// in the last place at most; within twice the ambiguity margin of an end, classify decides.
Verdict ClassifyQuickly(double angle, double lo, double hi, double tolerance) {
    constexpr double kClear = 2.0 * kAmbiguityMargin;
    double offset = angle - lo;
    if (!(offset >= -kTwoPi && offset < 2.0 * kTwoPi)) {
        return Classify(angle, lo, hi, tolerance);
    }
    if (offset < 0.0) {
        offset += kTwoPi;
    } else if (offset >= kTwoPi) {
        offset -= kTwoPi;
    }
    const double limit = hi - lo + tolerance;
    if (offset < kClear || offset > kTwoPi - kClear || std::abs(offset - limit) < kClear) {
        return Classify(angle, lo, hi, tolerance);
    }
    return offset <= limit ? Verdict::Candidate : Verdict::NotCandidate;
}

// Nearest crossing along one sight line, keeping the first in table order on equal distances.
struct NearestCrossing {
    bool found = false;
    PlanPoint point;
    double nearestSquared = 0.0;

    void offer(double x, double y, PlanPoint from) {
        const double d2 = SquaredDistance(x, y, from.x, from.y);
        if (d2 > kMinSquaredDistance && (!found || d2 < nearestSquared)) {
            found = true;
            point = PlanPoint{x, y};
            nearestSquared = d2;
        }
    }

    // Offers where the half-line from `from` along (dx, dy) meets segment s, if it does.
    void offerHalfLine(PlanPoint from, double dx, double dy, const PlanSegment& s) {
        double x = 0.0;
        double y = 0.0;
        if (zoGetCrossPointHLS(from.x, from.y, dx, dy, s.start.x, s.start.y, s.end.x, s.end.y, &x,
                               &y) == 1) {
            offer(x, y, from);
        }
    }
};

// Visits the candidate segments of one sight line in table order. `skip` tells whether a
// segment is passed over whatever its candidacy (then an ambiguous verdict does not matter).
class CandidateWalker {
  public:
    CandidateWalker(const PlanTables& plan, const IsovistScratch& scratch, CandidateSearch search)
        : plan_(plan), scratch_(scratch), search_(search) {}

    template <typename Skip, typename Visit>
    void forEach(double angle, double tolerance, Skip skip, Visit visit) const {
        if (search_ == CandidateSearch::Indexed && walkIndexed(angle, tolerance, skip, visit)) {
            return;
        }
        double carried = angle;
        for (size_t i = 0; i < plan_.wallSegments.size(); ++i) {
            if (InIntervalCarried(carried, scratch_.lo[i], scratch_.hi[i], tolerance) && !skip(i)) {
                visit(i);
            }
        }
    }

  private:
    // False when an ambiguous segment matters; nothing has been visited then.
    template <typename Skip, typename Visit>
    bool walkIndexed(double angle, double tolerance, Skip skip, Visit visit) const {
        const auto candidates = scratch_.index.candidates(angle);
        for (const int32_t i : candidates) {
            const auto s = static_cast<size_t>(i);
            if (ClassifyQuickly(angle, scratch_.lo[s], scratch_.hi[s], tolerance) ==
                    Verdict::Ambiguous &&
                !skip(s)) {
                return false;
            }
        }
        for (const int32_t i : candidates) {
            const auto s = static_cast<size_t>(i);
            if (ClassifyQuickly(angle, scratch_.lo[s], scratch_.hi[s], tolerance) ==
                    Verdict::Candidate &&
                !skip(s)) {
                visit(s);
            }
        }
        return true;
    }

    const PlanTables& plan_;
    const IsovistScratch& scratch_;
    CandidateSearch search_;
};

// The nearest wall crossing of ray k from p, over the candidates `walker` yields.
NearestCrossing CastRay(std::span<const PlanSegment> segments, PlanPoint p,
                        const CandidateWalker& walker, int k) {
    double dx = 0.0;
    double dy = 0.0;
    IsovistRayDirection(k, dx, dy);
    NearestCrossing nearest;
    walker.forEach(
        IsovistRayAngle(k), 0.0, [&](size_t i) { return IsOnSegment(p, segments[i]); },
        [&](size_t i) { nearest.offerHalfLine(p, dx, dy, segments[i]); });
    return nearest;
}

void ComputeRadial(const PlanTables& plan, PlanPoint p, const CandidateWalker& walker,
                   std::vector<PlanSegment>& lines) {
    for (int k = 0; k < kRayCount; ++k) {
        const NearestCrossing nearest = CastRay(plan.wallSegments, p, walker, k);
        if (nearest.found) {
            lines.push_back(PlanSegment{p, nearest.point});
        }
    }
}

// The nearest crossing of one ray among segments met in any order: the smallest distance, and
// on equal distances the lowest table index, which is the crossing the table-order scan keeps.
struct NearestIndexedCrossing {
    bool found = false;
    PlanPoint point;
    double nearestSquared = 0.0;
    size_t index = 0;

    void offer(double x, double y, PlanPoint from, size_t i) {
        const double d2 = SquaredDistance(x, y, from.x, from.y);
        if (d2 > kMinSquaredDistance &&
            (!found || d2 < nearestSquared || (d2 == nearestSquared && i < index))) {
            found = true;
            point = PlanPoint{x, y};
            nearestSquared = d2;
            index = i;
        }
    }
};

bool WithinBox(double x, double y, const PlanSegment& s, double margin) {
    return std::min(s.start.x, s.end.x) - margin <= x &&
           x <= std::max(s.start.x, s.end.x) + margin &&
           std::min(s.start.y, s.end.y) - margin <= y && y <= std::max(s.start.y, s.end.y) + margin;
}

// The radial method's rays walked through the segment grid from the observation point. Every
// segment a ray meets gets the reference's test (its interval, computed on first use, and the
// point-on-segment skip) and the same crossing call; the walk stops once the nearest crossing
// lies before the next cell. Where the test of a met segment is too close to call, or a
// crossing lands outside its segment's box, that ray is cast by the plain table-order scan.
class RadialWalk {
  public:
    RadialWalk(const PlanTables& plan, PlanPoint p, IsovistScratch& scratch)
        : segments_(plan.wallSegments),
          p_(p),
          scratch_(scratch),
          grid_(scratch.planIndex.grid()),
          reference_(plan, scratch, CandidateSearch::FullScan) {
        scratch_.rayStamp.resize(segments_.size(), 0);
    }

    void cast(std::vector<PlanSegment>& lines) {
        for (int k = 0; k < kRayCount; ++k) {
            NearestIndexedCrossing nearest;
            if (walkRay(k, nearest)) {
                if (nearest.found) {
                    lines.push_back(PlanSegment{p_, nearest.point});
                }
                continue;
            }
            const PlanPoint point = castByScan(k);
            if (scanFound_) {
                lines.push_back(PlanSegment{p_, point});
            }
        }
    }

  private:
    // False when the ray must be cast by the plain scan.
    bool walkRay(int k, NearestIndexedCrossing& nearest) {
        if (++scratch_.rayCounter == 0) {
            std::fill(scratch_.rayStamp.begin(), scratch_.rayStamp.end(), 0);
            scratch_.rayCounter = 1;
        }
        const double theta = IsovistRayAngle(k);
        double dx = 0.0;
        double dy = 0.0;
        IsovistRayDirection(k, dx, dy);
        for (const int32_t i : scratch_.planIndex.nearlyParallel(k)) {
            if (!consider(static_cast<size_t>(i), theta, dx, dy, false, nearest)) {
                return false;
            }
        }
        const double margin = grid_.margin();
        bool decided = true;
        grid_.walk(
            p_, dx / kDirectionLength, dy / kDirectionLength,
            [&](std::span<const int32_t> cell, double exit) {
                for (const int32_t i : cell) {
                    if (!consider(static_cast<size_t>(i), theta, dx, dy, true, nearest)) {
                        decided = false;
                        return false;
                    }
                }
                const double clear = exit - margin;
                return !(nearest.found && clear > 0.0 && nearest.nearestSquared < clear * clear);
            });
        return decided;
    }

    // False when this segment leaves the ray undecided.
    bool consider(size_t i, double theta, double dx, double dy, bool checkBox,
                  NearestIndexedCrossing& nearest) {
        if (scratch_.rayStamp[i] == scratch_.rayCounter) {
            return true;
        }
        scratch_.rayStamp[i] = scratch_.rayCounter;
        EnsureInterval(segments_, p_, scratch_, i);
        const Verdict verdict = ClassifyQuickly(theta, scratch_.lo[i], scratch_.hi[i], 0.0);
        if (verdict == Verdict::NotCandidate || IsOnSegment(p_, segments_[i])) {
            return true;
        }
        if (verdict == Verdict::Ambiguous) {
            return false;
        }
        const PlanSegment& s = segments_[i];
        double x = 0.0;
        double y = 0.0;
        if (zoGetCrossPointHLS(p_.x, p_.y, dx, dy, s.start.x, s.start.y, s.end.x, s.end.y, &x,
                               &y) != 1) {
            return true;
        }
        if (checkBox && !WithinBox(x, y, s, grid_.margin())) {
            return false;
        }
        nearest.offer(x, y, p_, i);
        return true;
    }

    PlanPoint castByScan(int k) {
        CompleteAngleTable(segments_, p_, scratch_);
        const NearestCrossing nearest = CastRay(segments_, p_, reference_, k);
        scanFound_ = nearest.found;
        return nearest.point;
    }

    std::span<const PlanSegment> segments_;
    PlanPoint p_;
    IsovistScratch& scratch_;
    const IsovistSegmentGrid& grid_;
    CandidateWalker reference_;
    bool scanFound_ = false;
};

// Orientation code of the edge from `from` to `to` as seen from p: 2 counter-clockwise,
// 1 clockwise, 0 pointing at p.
uint8_t EdgeCode(PlanPoint p, PlanPoint from, PlanPoint to) {
    const double s = (to.y - p.y) * (from.x - p.x) - (from.y - p.y) * (to.x - p.x);
    if (s > 0.0) {
        return 2;
    }
    return s < 0.0 ? 1 : 0;
}

void BuildVertexTable(const PlanTables& plan, PlanPoint p,
                      std::vector<IsovistScratch::Vertex>& vertices) {
    vertices.clear();
    for (const PlanPolygon& polygon : plan.polygons) {
        const auto& u = polygon.points();
        const size_t m = u.size();
        for (size_t j = 0; j < m; ++j) {
            const PlanPoint previous = u[(j + m - 1) % m];
            const PlanPoint next = u[(j + 1) % m];
            IsovistScratch::Vertex v;
            v.point = u[j];
            v.flags =
                static_cast<uint8_t>(16 * EdgeCode(p, previous, u[j]) + EdgeCode(p, u[j], next));
            const double dx = u[j].x - p.x;
            const double dy = u[j].y - p.y;
            v.angle = std::atan2(dy, dx);
            v.distance = std::sqrt(dx * dx + dy * dy);
            vertices.push_back(v);
        }
    }
}

// Orders by a key that puts not-a-number after every number, so the sort always sees a strict
// weak order even for damaged coordinates.
bool KeyLess(double a, double b) {
    const bool aNan = std::isnan(a);
    const bool bNan = std::isnan(b);
    if (aNan || bNan) {
        return !aNan && bNan;
    }
    return a < b;
}

bool VertexLess(const IsovistScratch::Vertex& a, const IsovistScratch::Vertex& b) {
    if (KeyLess(a.angle, b.angle)) {
        return true;
    }
    if (KeyLess(b.angle, a.angle)) {
        return false;
    }
    return KeyLess(a.distance, b.distance);
}

bool HasAngleTie(const std::vector<IsovistScratch::Vertex>& sorted) {
    for (size_t i = 1; i < sorted.size(); ++i) {
        if (sorted[i].angle == sorted[i - 1].angle) {
            return true;
        }
    }
    return false;
}

// Two entries of equal angle in the unsorted table, by hashing the angles (not-a-number
// never equals anything; -0 equals +0): the same verdict as HasAngleTie after sorting.
bool HasAngleTieUnsorted(const std::vector<IsovistScratch::Vertex>& vertices,
                         std::vector<uint64_t>& keys) {
    // A not-a-number pattern marks free slots: no key has it.
    constexpr uint64_t kFree = 0x7FF8000000000000ull;
    size_t size = 16;
    while (size < 2 * vertices.size()) {
        size *= 2;
    }
    keys.assign(size, kFree);
    for (const IsovistScratch::Vertex& v : vertices) {
        if (std::isnan(v.angle)) {
            continue;
        }
        const uint64_t key = std::bit_cast<uint64_t>(v.angle == 0.0 ? 0.0 : v.angle);
        size_t slot = static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 20) & (size - 1);
        while (keys[slot] != kFree) {
            if (keys[slot] == key) {
                return true;
            }
            slot = (slot + 1) & (size - 1);
        }
        keys[slot] = key;
    }
    return false;
}

// False when two plan vertices lie on one sight line (the caller then uses the radial method).
bool ComputeExact(const PlanTables& plan, PlanPoint p, IsovistScratch& scratch,
                  const CandidateWalker& walker, bool tieBeforeSort,
                  std::vector<PlanSegment>& lines) {
    BuildVertexTable(plan, p, scratch.vertices);
    if (tieBeforeSort && HasAngleTieUnsorted(scratch.vertices, scratch.angleKeys)) {
        return false;
    }
    std::sort(scratch.vertices.begin(), scratch.vertices.end(), VertexLess);
    if (!tieBeforeSort && HasAngleTie(scratch.vertices)) {
        return false;
    }
    const auto segments = plan.wallSegments;
    for (const IsovistScratch::Vertex& vertex : scratch.vertices) {
        const PlanPoint v = vertex.point;
        NearestCrossing occluder;
        walker.forEach(
            vertex.angle, 0.0,
            [&](size_t i) {
                return IsOnSegmentOrEnd(p, segments[i]) || IsOnSegmentOrEnd(v, segments[i]);
            },
            [&](size_t i) {
                const PlanSegment& s = segments[i];
                double x = 0.0;
                double y = 0.0;
                if (zoGetCrossPointSS(p.x, p.y, v.x, v.y, s.start.x, s.start.y, s.end.x, s.end.y,
                                      &x, &y) == 1) {
                    occluder.offer(x, y, p);
                }
            });
        if (occluder.found) {
            lines.push_back(PlanSegment{p, occluder.point});
            continue;
        }
        if (vertex.flags != kFlagTurnsLeftToRight && vertex.flags != kFlagTurnsRightToLeft) {
            lines.push_back(PlanSegment{p, v});
            continue;
        }
        // The plan turns back at v as seen from p: the sight line continues past it.
        const double dx = kDirectionLength * std::cos(vertex.angle);
        const double dy = kDirectionLength * std::sin(vertex.angle);
        NearestCrossing extension;
        walker.forEach(
            vertex.angle, kExtensionTolerance,
            [&](size_t i) { return IsOnSegmentOrEnd(p, segments[i]); },
            [&](size_t i) { extension.offerHalfLine(v, dx, dy, segments[i]); });
        if (!extension.found) {
            continue;
        }
        if (vertex.flags == kFlagTurnsLeftToRight) {
            lines.push_back(PlanSegment{p, extension.point});
            lines.push_back(PlanSegment{p, v});
        } else {
            lines.push_back(PlanSegment{p, v});
            lines.push_back(PlanSegment{p, extension.point});
        }
    }
    return true;
}

const double* EndXs(const std::vector<PlanSegment>& lines) {
    return lines.empty() ? nullptr : &lines[0].end.x;
}

const double* EndYs(const std::vector<PlanSegment>& lines) {
    return lines.empty() ? nullptr : &lines[0].end.y;
}

constexpr uint32_t kLineStride = sizeof(PlanSegment);

// Drops repeated and collinear ends (with at least 3 lines), keeping the order.
void ReduceRadialLines(PlanPoint p, IsovistScratch& scratch, std::vector<PlanSegment>& lines) {
    const auto n = static_cast<int32_t>(lines.size());
    if (n < 3) {
        return;
    }
    scratch.reducedX.resize(lines.size());
    scratch.reducedY.resize(lines.size());
    int32_t reduced = -1;
    zoReducePG(n, kLineStride, EndXs(lines), EndYs(lines), &reduced, scratch.reducedX.data(),
               scratch.reducedY.data());
    if (reduced < 0 || reduced > n) {
        return;
    }
    lines.resize(static_cast<size_t>(reduced));
    for (size_t i = 0; i < lines.size(); ++i) {
        lines[i] = PlanSegment{p, PlanPoint{scratch.reducedX[i], scratch.reducedY[i]}};
    }
}

// A bit pattern no computation produces, to see whether the centroid was written.
const double kNotWritten = std::bit_cast<double>(uint64_t{0x7FF8DEADBEEF0001});

void FinishPolygon(PlanPoint p, IsovistScratch& scratch, IsovistResult& result) {
    ReduceRadialLines(p, scratch, result.radialLines);
    const auto n = static_cast<int32_t>(result.radialLines.size());
    result.area =
        zoGetGeoAreaPGF(n, kLineStride, EndXs(result.radialLines), EndYs(result.radialLines));
    double cx = kNotWritten;
    double cy = kNotWritten;
    zoGetGeoCentPGF(n, kLineStride, EndXs(result.radialLines), EndYs(result.radialLines), &cx, &cy);
    if (std::bit_cast<uint64_t>(cx) != std::bit_cast<uint64_t>(kNotWritten)) {
        result.centroid = PlanPoint{cx, cy};
    }
}

// Rotates the outline to start where the node method's sorted sight lines start: at the smallest
// angle; of several ends on that sight line (a wall end and the wall behind it), at the one
// that follows the outline's previous sight line.
void StartAtSmallestAngle(PlanPoint p, std::vector<PlanPoint>& outline,
                          std::vector<double>& angles) {
    constexpr double kSameSightLine = 1e-12;
    const size_t n = outline.size();
    if (n == 0) {
        return;
    }
    angles.resize(n);
    for (size_t i = 0; i < n; ++i) {
        angles[i] = std::atan2(outline[i].y - p.y, outline[i].x - p.x);
    }
    const double smallest = *std::min_element(angles.begin(), angles.end());
    auto onFirstSightLine = [&](size_t i) { return angles[i] <= smallest + kSameSightLine; };
    for (size_t i = 0; i < n; ++i) {
        if (onFirstSightLine(i) && !onFirstSightLine((i + n - 1) % n)) {
            std::rotate(outline.begin(), outline.begin() + static_cast<std::ptrdiff_t>(i),
                        outline.end());
            return;
        }
    }
}

// False when the point has no open side (then it counts as not valid).
bool ComputeVisibilityPolygon(const PlanTables& plan, PlanPoint p, IsovistScratch& scratch,
                              const IsovistPlanIndex* index, std::vector<PlanSegment>& lines) {
    scratch.visibility.prepare(plan);
    const auto isOpen = [&plan, index](PlanPoint probe) {
        return IsValidPoint(plan, probe, index);
    };
    if (!scratch.visibility.compute(p, isOpen, scratch.outline)) {
        return false;
    }
    StartAtSmallestAngle(p, scratch.outline, scratch.outlineAngles);
    for (const PlanPoint w : scratch.outline) {
        lines.push_back(PlanSegment{p, w});
    }
    return true;
}

}  // namespace

void ComputeIsovistAt(const PlanTables& plan, PlanPoint point, int32_t method,
                    IsovistScratch& scratch, IsovistResult& result, CandidateSearch search) {
    result.origin = point;
    result.usedRadialMethod = false;
    result.unreducedRadialLines.clear();
    result.radialLines.clear();
    result.area = 0.0;
    result.centroid.reset();

    if (plan.wallSegments.empty() || plan.wallVertexCount < 1) {
        result.outcome = IsovistResult::Outcome::NoWalls;
        return;
    }
    const bool fast = search == CandidateSearch::Indexed;
    if (fast) {
        scratch.planIndex.prepare(plan);
    }
    if (!IsValidPoint(plan, point, fast ? &scratch.planIndex : nullptr)) {
        result.outcome = IsovistResult::Outcome::InvalidPoint;
        result.centroid = point;
        return;
    }
    if (method != 0 && method != 1 && method != 2) {
        result.outcome = IsovistResult::Outcome::UnknownMethod;
        return;
    }
    if (method == 2) {
        if (!ComputeVisibilityPolygon(plan, point, scratch, fast ? &scratch.planIndex : nullptr,
                                      result.radialLines)) {
            result.outcome = IsovistResult::Outcome::InvalidPoint;
            result.centroid = point;
            return;
        }
        result.outcome = IsovistResult::Outcome::Computed;
        FinishPolygon(point, scratch, result);
        return;
    }
    result.outcome = IsovistResult::Outcome::Computed;

    // The walk fills the angle table as it meets segments; everything else needs it whole.
    StartAngleTable(plan.wallSegments, scratch);
    bool tableComplete = false;
    auto completeTable = [&] {
        if (!tableComplete) {
            CompleteAngleTable(plan.wallSegments, point, scratch);
            if (fast) {
                scratch.index.build(scratch.lo, scratch.hi);
            }
            tableComplete = true;
        }
    };
    const bool walkRays = fast && scratch.planIndex.grid().contains(point);
    if (!walkRays) {
        completeTable();
    }
    const CandidateWalker walker(plan, scratch, search);

    bool exactDone = false;
    // Two coinciding plan vertices lie on one sight line from any (finite) point: the exact
    // method would fall back after building and sorting its vertex table.
    const bool certainTie = fast && scratch.planIndex.hasRepeatedVertex() &&
                            std::isfinite(point.x) && std::isfinite(point.y);
    if (method == 0 && !certainTie) {
        completeTable();
        exactDone = ComputeExact(plan, point, scratch, walker, fast, result.radialLines);
        if (!exactDone) {
            result.radialLines.clear();
        }
    }
    if (!exactDone) {
        result.usedRadialMethod = true;
        if (walkRays) {
            RadialWalk(plan, point, scratch).cast(result.unreducedRadialLines);
        } else {
            ComputeRadial(plan, point, walker, result.unreducedRadialLines);
        }
        result.radialLines = result.unreducedRadialLines;
    }
    FinishPolygon(point, scratch, result);
}
