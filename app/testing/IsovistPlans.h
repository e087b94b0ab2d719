// Plans for isovist tests and benchmarks: a plain holder of polygons with the wall tables the
// engine reads, and a generator of rooms full of pillars.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "document/PlanTypes.h"
#include "isovist/IsovistEngine.h"
#include "isovist/PlanFingerprint.h"

// Polygon 0 is the boundary (counter-clockwise), the rest are walls (clockwise).
struct IsovistTestPlan {
    std::vector<PlanPolygon> polygons;
    std::vector<PlanSegment> segments;
    int32_t vertexCount = 0;

    explicit IsovistTestPlan(std::vector<PlanPolygon> plan) : polygons(std::move(plan)) {
        for (const PlanPolygon& polygon : polygons) {
            const auto& u = polygon.points();
            for (size_t j = 0; j < u.size(); ++j) {
                segments.push_back(PlanSegment{u[j], u[(j + 1) % u.size()]});
            }
            vertexCount += polygon.count();
        }
    }

    PlanTables tables() const {
        return WithFingerprint(PlanTables{polygons, segments, vertexCount});
    }
};

inline PlanPolygon Rectangle(double x0, double y0, double x1, double y1, bool clockwise) {
    if (clockwise) {
        return PlanPolygon({{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}});
    }
    return PlanPolygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

// A square room with pillars (4 wall segments each) on a jittered lattice, so that the plan has
// about `segmentCount` wall segments. Pillars never touch each other or the boundary.
inline IsovistTestPlan RoomWithPillars(int segmentCount, uint32_t seed) {
    const int pillars = std::max(0, (segmentCount - 4) / 4);
    int perRow = 1;
    while (perRow * perRow < pillars) {
        ++perRow;
    }
    const double cell = 10.0;
    const double side = perRow * cell + cell;
    std::vector<PlanPolygon> polygons{Rectangle(0, 0, side, side, false)};
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> jitter(0.0, 3.0);
    std::uniform_real_distribution<double> size(1.0, 4.0);
    for (int i = 0; i < pillars; ++i) {
        const double x = cell * (1 + i % perRow) + jitter(random) - 1.5;
        const double y = cell * (1 + i / perRow) + jitter(random) - 1.5;
        polygons.push_back(Rectangle(x, y, x + size(random), y + size(random), true));
    }
    return IsovistTestPlan(std::move(polygons));
}

// A free spot between the pillars of RoomWithPillars (the centre of a lattice gap).
inline PlanPoint PillarRoomGap(int column, int row) {
    return PlanPoint{10.0 * column + 7.0, 10.0 * row + 7.0};
}
