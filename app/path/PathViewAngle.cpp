#include "path/PathViewAngle.h"

#include <cmath>

#include "isovist/ViewCone.h"

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

// The unit vector from a to b; (0, 0) when they coincide.
PlanPoint UnitStep(const PlanPoint& a, const PlanPoint& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 0.0)) {
        return PlanPoint{};
    }
    return PlanPoint{dx / length, dy / length};
}

}  // namespace

std::vector<double> PathHeadings(std::span<const PlanPoint> origins) {
    const size_t n = origins.size();
    std::vector<PlanPoint> steps(n);
    for (size_t i = 0; i + 1 < n; ++i) {
        steps[i] = UnitStep(origins[i], origins[i + 1]);
    }
    if (n >= 2) {
        steps[n - 1] = steps[n - 2];
    }
    std::vector<double> headings(n);
    for (size_t i = 0; i < n; ++i) {
        PlanPoint h = steps[i];
        if (i > 0 && i + 1 < n) {
            h = PlanPoint{steps[i - 1].x + steps[i].x, steps[i - 1].y + steps[i].y};
        }
        headings[i] = std::atan2(h.y, h.x) * kDegreesPerRadian;
    }
    return headings;
}

void ApplyPathViewAngle(std::span<IsovistRecord> records, double angle,
                        std::span<const PlanSegment> walls) {
    std::vector<PlanPoint> origins;
    origins.reserve(records.size());
    for (const IsovistRecord& record : records) {
        origins.push_back(record.origin);
    }
    const std::vector<double> headings = PathHeadings(origins);
    for (size_t i = 0; i < records.size(); ++i) {
        ApplyViewCone(records[i], records[i], headings[i], angle / 2.0, walls);
    }
}
