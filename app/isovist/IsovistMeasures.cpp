#include "isovist/IsovistMeasures.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "gonion/gonion.h"
#include "isovist/IsovistSegmentGrid.h"

namespace {

// Below this a cross product counts as zero: the geometry library's tolerance.
constexpr double kTolerance = 2.220446049250313e-8;

double Distance(const PlanPoint& a, const PlanPoint& b) {
    return std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
}

const PlanPoint& NextVertex(const PlanPolygon& polygon, int32_t i) {
    return polygon[i + 1 == polygon.count() ? 0 : i + 1];
}

double PolygonPerimeter(const PlanPolygon& w) {
    const int32_t n = w.count();
    double perimeter = 0.0;
    for (int32_t i = 0; i + 1 < n; ++i) {
        perimeter += Distance(w[i], w[i + 1]);
    }
    if (n >= 3) {
        perimeter += Distance(w[n - 1], w[0]);
    }
    return perimeter;
}

// Sum of the lengths of the edges that lie along a sight line from the origin.
double RadialEdgeLength(const PlanPolygon& w, const PlanPoint& origin) {
    double length = 0.0;
    for (int32_t i = 0; i < w.count(); ++i) {
        const PlanPoint& p = w[i];
        const PlanPoint& q = NextVertex(w, i);
        const double ax = p.x - origin.x;
        const double ay = p.y - origin.y;
        const double bx = q.x - origin.x;
        const double by = q.y - origin.y;
        if (std::fabs(ax * by - ay * bx) < kTolerance) {
            length += Distance(p, q);
        }
    }
    return length;
}

double MaxVertexDistance(const PlanPolygon& w, const PlanPoint& origin) {
    double largest = 0.0;
    for (const PlanPoint& p : w.points()) {
        const double d = Distance(origin, p);
        if (d > largest) {
            largest = d;
        }
    }
    return largest;
}

bool OnWall(double x, double y, const PlanSegment& wall) {
    return zoIsPointOnSeg(x, y, wall.start.x, wall.start.y, wall.end.x, wall.end.y) != 0;
}

// Below this many walls the plain scan is as quick as the grid.
constexpr size_t kGridFromWalls = 64;

// The segment grid of the walls last seen on this thread: a grid of isovists measures every
// cell against the same walls. A point the library counts as on a wall lies within twice its
// tolerance of the wall's box, which is well inside the grid's widening: only the walls of the
// point's cell can hold it, and none holds a point outside the grid.
const IsovistSegmentGrid* WallGrid(std::span<const PlanSegment> walls, uint64_t fingerprint) {
    thread_local std::vector<PlanSegment> seen;
    thread_local uint64_t seenFingerprint = 0;
    thread_local IsovistSegmentGrid grid;
    thread_local bool built = false;
    const bool same = built && seen.size() == walls.size() &&
                      ((fingerprint != 0 && fingerprint == seenFingerprint) ||
                       std::memcmp(seen.data(), walls.data(), walls.size_bytes()) == 0);
    if (!same) {
        seen.assign(walls.begin(), walls.end());
        grid.build(seen);
        built = true;
    }
    seenFingerprint = fingerprint;
    return grid.usable() ? &grid : nullptr;
}

bool MidpointOnAnyWall(const PlanPoint& p, const PlanPoint& q, std::span<const PlanSegment> walls,
                       const IsovistSegmentGrid* grid) {
    const double mx = (p.x + q.x) * 0.5;
    const double my = (p.y + q.y) * 0.5;
    if (grid == nullptr || !std::isfinite(mx) || !std::isfinite(my)) {
        return std::any_of(walls.begin(), walls.end(),
                           [&](const PlanSegment& wall) { return OnWall(mx, my, wall); });
    }
    if (!grid->contains({mx, my})) {
        return false;
    }
    const auto cell = grid->cellHolding({mx, my});
    return std::any_of(cell.begin(), cell.end(),
                       [&](int32_t i) { return OnWall(mx, my, walls[static_cast<size_t>(i)]); });
}

void RecomputePerimeter(IsovistRecord& r) {
    if (r.polygon.count() >= 2) {
        r.perimeter = PolygonPerimeter(r.polygon);
    }
}

void RecomputeDrift(IsovistRecord& r) {
    r.drift = Distance(r.origin, r.centroid);
}

void RecomputeVisiblePerimeterRatio(IsovistRecord& r) {
    if (r.polygon.count() >= 3) {
        r.visiblePerimeterRatio = 1.0 - RadialEdgeLength(r.polygon, r.origin) / r.perimeter;
    }
}

void RecomputeCompactness(IsovistRecord& r) {
    if (r.perimeter > 0.0) {
        r.compactness = r.area / r.perimeter;
    }
}

void RecomputeCircularity(IsovistRecord& r) {
    r.circularity = r.perimeter * r.perimeter / r.area;
}

}  // namespace

void ComputeIsovistMeasures(IsovistRecord& r) {
    const PlanPolygon& w = r.polygon;
    const int32_t n = w.count();
    if (n == 0) {
        r.area = 0.0;
        r.perimeter = 0.0;
        r.drift = 0.0;
        r.occlusivity = 0.0;
        r.visiblePerimeterRatio = 0.0;
        r.compactness = 0.0;
        r.centroid = PlanPoint{};
        return;
    }
    if (n >= 2) {
        r.area = zoGetGeoAreaPGF(n, PlanPolygon::kStride, w.xs(), w.ys());
    }
    RecomputePerimeter(r);
    zoGetGeoCentPGF(n, PlanPolygon::kStride, w.xs(), w.ys(), &r.centroid.x, &r.centroid.y);
    RecomputeDrift(r);
    RecomputeVisiblePerimeterRatio(r);
    RecomputeCompactness(r);
    RecomputeCircularity(r);
    r.maxVertexDistance = MaxVertexDistance(w, r.origin);
}

void ComputeOcclusivity(IsovistRecord& r, std::span<const PlanSegment> walls, WallSearch search,
                        uint64_t planFingerprint) {
    const PlanPolygon& w = r.polygon;
    if (w.count() < 3 || r.perimeter == 0.0) {
        r.occlusivity = 0.0;
        return;
    }
    const IsovistSegmentGrid* grid =
        search == WallSearch::Indexed && walls.size() >= kGridFromWalls
            ? WallGrid(walls, planFingerprint)
            : nullptr;
    double onWalls = 0.0;
    for (int32_t i = 0; i < w.count(); ++i) {
        const PlanPoint& p = w[i];
        const PlanPoint& q = NextVertex(w, i);
        if (MidpointOnAnyWall(p, q, walls, grid)) {
            onWalls += Distance(p, q);
        }
    }
    r.occlusivity = onWalls / r.perimeter;
}

double DifferenceEntropy(int32_t n, const double* values) {
    // With fewer than three values the normaliser ln(n − 1) is zero or negative; a single
    // change carries no information, so the entropy is 0 rather than not a number.
    if (values == nullptr || n < 3) {
        return 0.0;
    }
    double total = 0.0;
    for (int32_t i = 0; i + 1 < n; ++i) {
        total += std::fabs(values[i + 1] - values[i]);
    }
    const double normaliser = std::log(static_cast<double>(n - 1));
    double entropy = 0.0;
    for (int32_t i = 0; i + 1 < n; ++i) {
        if (values[i + 1] != values[i]) {
            const double p = std::fabs(values[i + 1] - values[i]) / total;
            entropy -= p * std::log(p) / normaliser;
        }
    }
    return entropy;
}

double Autocorrelation(int32_t n, const double* values, int32_t lag) {
    if (n <= 1 || values == nullptr) {
        return 0.0;
    }
    if (lag == 0) {
        return 1.0;
    }
    if (lag < 0 || lag >= n) {
        return 0.0;
    }
    double sum = 0.0;
    for (int32_t i = 0; i < n; ++i) {
        sum += values[i];
    }
    const double mean = sum / n;
    double squares = 0.0;
    for (int32_t i = 0; i < n; ++i) {
        squares += (values[i] - mean) * (values[i] - mean);
    }
    const double variance = squares / (n - 1);
    double products = 0.0;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t lagged = (i + lag) % n;
        products += (values[lagged] - mean) * (values[i] - mean);
    }
    if (variance == 0.0) {
        return 0.0;
    }
    return (products / n) / variance;
}

void RecomputeIsovistMeasure(IsovistRecord& r, IsovistShapeMeasure measure,
                             std::span<const PlanSegment> walls) {
    switch (measure) {
        case IsovistShapeMeasure::Perimeter:
            RecomputePerimeter(r);
            return;
        case IsovistShapeMeasure::Drift:
            RecomputeDrift(r);
            return;
        case IsovistShapeMeasure::Occlusivity:
            ComputeOcclusivity(r, walls);
            return;
        case IsovistShapeMeasure::Compactness:
            RecomputeCompactness(r);
            return;
        case IsovistShapeMeasure::Circularity:
            RecomputeCircularity(r);
            return;
        case IsovistShapeMeasure::VisiblePerimeterRatio:
            RecomputeVisiblePerimeterRatio(r);
            return;
    }
}
