#include "document/DxfImportSteps.h"

#include <algorithm>
#include <cmath>

#include "gonion/gonion.h"

namespace {

bool IsInside(const PlanPolygon& polygon, const PlanPoint& point) {
    return zoHitTestPG(polygon.count(), PlanPolygon::kStride, polygon.xs(), polygon.ys(), point.x,
                       point.y) == 1;
}

bool IsClockwise(const PlanPolygon& polygon) {
    return zoPolyIsCW(polygon.count(), PlanPolygon::kStride, polygon.xs(), polygon.ys()) == 1;
}

}  // namespace

std::optional<PlanPolygon> BoundaryAroundExtent(const PlanExtent& e) {
    if (!(e.maxX > e.minX) || !(e.maxY > e.minY)) {
        return std::nullopt;
    }
    const double left = 1.1 * e.minX - 0.1 * e.maxX;
    const double right = 1.1 * e.maxX - 0.1 * e.minX;
    const double bottom = 1.1 * e.minY - 0.1 * e.maxY;
    const double top = 1.1 * e.maxY - 0.1 * e.minY;
    return PlanPolygon({{left, bottom}, {right, bottom}, {right, top}, {left, top}});
}

void MoveOutermostPolygonFirst(PolygonList& polygons) {
    const int32_t count = polygons.count();
    std::vector<bool> marked(static_cast<size_t>(count), false);
    for (int32_t i = 0; i < count; ++i) {
        const PlanPolygon& outer = polygons[i];
        if (marked[static_cast<size_t>(i)]) {
            continue;
        }
        if (outer.count() < 2) {
            marked[static_cast<size_t>(i)] = true;
            continue;
        }
        for (int32_t j = i + 1; j < count; ++j) {
            const PlanPolygon& other = polygons[j];
            if (other.count() < 2) {
                continue;
            }
            const bool t1 = IsInside(outer, other[0]);
            const bool t2 = IsInside(outer, other[1]);
            const bool t3 = IsInside(other, outer[0]);
            const bool t4 = IsInside(other, outer[1]);
            if (t1 || t2) {
                if (!t3 && !t4) {
                    marked[static_cast<size_t>(j)] = true;
                }
            } else if (!t3 && !t4) {
                marked[static_cast<size_t>(i)] = true;
                marked[static_cast<size_t>(j)] = true;
            } else {
                marked[static_cast<size_t>(i)] = true;
            }
        }
    }
    if (std::count(marked.begin(), marked.end(), false) != 1) {
        return;
    }
    const auto unmarked = std::find(marked.begin(), marked.end(), false) - marked.begin();
    if (unmarked != 0) {
        std::swap(polygons[0], polygons[static_cast<int32_t>(unmarked)]);
    }
}

void OrientPlanPolygons(PolygonList& polygons) {
    for (int32_t i = 0; i < polygons.count(); ++i) {
        PlanPolygon& polygon = polygons[i];
        if (polygon.empty()) {
            continue;
        }
        const bool wantClockwise = i != 0;
        if (IsClockwise(polygon) != wantClockwise) {
            std::reverse(polygon.points().begin(), polygon.points().end());
        }
    }
}

std::pair<double, double> AxialLineLengthRange(const std::vector<PlanSegment>& lines) {
    if (lines.empty()) {
        return {0.0, 0.0};
    }
    double shortest = INFINITY;
    double longest = 0.0;
    for (const PlanSegment& line : lines) {
        const double dx = line.end.x - line.start.x;
        const double dy = line.end.y - line.start.y;
        const double length = std::sqrt(dx * dx + dy * dy);
        shortest = std::min(shortest, length);
        longest = std::max(longest, length);
    }
    return {shortest, longest};
}
