#include "document/DxfArcs.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

}  // namespace

int ArcPieceCount(double sweep) {
    // The small give keeps a sweep of exactly k steps (90°, 180°) from rounding up to k + 1.
    const double steps = std::ceil(sweep / kArcAngleStep * (1.0 - 1e-12));
    return std::clamp(static_cast<int>(std::isfinite(steps) ? steps : 1.0), 1, kMaxArcPieces);
}

std::optional<double> ArcSweep(double startDegrees, double endDegrees) {
    if (!std::isfinite(startDegrees) || !std::isfinite(endDegrees)) {
        return std::nullopt;
    }
    double sweep = std::fmod(std::fmod(endDegrees, 360.0) - std::fmod(startDegrees, 360.0), 360.0);
    if (sweep <= 0.0) {
        sweep += 360.0;
    }
    return sweep * kDegree;
}

std::vector<PlanPoint> ArcPoints(const PlanPoint& centre, double radius, double startDegrees,
                                 double sweep) {
    const int pieces = ArcPieceCount(sweep);
    const double start = std::fmod(startDegrees, 360.0) * kDegree;
    std::vector<PlanPoint> points;
    points.reserve(static_cast<size_t>(pieces) + 1);
    for (int k = 0; k <= pieces; ++k) {
        const double angle = start + sweep * k / pieces;
        points.push_back(
            {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
    return points;
}

std::vector<PlanPoint> BulgePoints(const PlanPoint& from, const PlanPoint& to, double bulge) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double chord = std::hypot(dx, dy);
    if (bulge == 0.0 || !std::isfinite(bulge) || !(chord > 0.0)) {
        return {};
    }
    // Included angle θ = 4·atan(bulge), in (−2π, 2π); the centre lies on the chord's normal at
    // the distance (chord / 2)·cot(θ / 2) from its midpoint.
    const double included = 4.0 * std::atan(bulge);
    const double half = included / 2.0;
    const double radius = chord / (2.0 * std::fabs(std::sin(half)));
    const double offset = chord / 2.0 / std::tan(half);
    const PlanPoint centre{(from.x + to.x) / 2.0 - offset * dy / chord,
                           (from.y + to.y) / 2.0 + offset * dx / chord};
    const double start = std::atan2(from.y - centre.y, from.x - centre.x);
    const int pieces = ArcPieceCount(std::fabs(included));
    std::vector<PlanPoint> points;
    points.reserve(static_cast<size_t>(pieces) - 1);
    for (int k = 1; k < pieces; ++k) {
        const double angle = start + included * k / pieces;
        points.push_back(
            {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
    return points;
}

std::vector<PlanPoint> PolylineWithArcs(const std::vector<PlanPoint>& vertices,
                                        const std::vector<double>& bulges, bool closed) {
    std::vector<PlanPoint> points;
    points.reserve(vertices.size());
    for (size_t i = 0; i < vertices.size(); ++i) {
        points.push_back(vertices[i]);
        const bool last = i + 1 == vertices.size();
        if (i < bulges.size() && bulges[i] != 0.0 && (!last || closed)) {
            const std::vector<PlanPoint> bend =
                BulgePoints(vertices[i], vertices[last ? 0 : i + 1], bulges[i]);
            points.insert(points.end(), bend.begin(), bend.end());
        }
    }
    return points;
}
