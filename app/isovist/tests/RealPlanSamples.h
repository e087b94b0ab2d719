// The real plans of the shared plan folder as the isovist tests take them, and the points the
// tests observe them from: cell centres of a half-unit grid, wall vertices and edge midpoints.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "document/DxfDrawing.h"
#include "document/DxfImportSteps.h"
#include "document/DxfPlanReaders.h"
#include "testing/IsovistPlans.h"

struct RealPlan {
    const char* file;
    const char* boundaryLayer;  // nullptr: a rectangle around the walls
    const char* wallLayer;
    int lattice;     // sample points per side of the lattice
    int vertexStep;  // every this many plan vertices is an observation point
};

inline std::optional<IsovistTestPlan> LoadPlan(const RealPlan& plan) {
    const auto path = std::filesystem::path(ORVELLE_PLANS_DIR) / plan.file;
    auto loaded = DxfDrawing::load(path.string());
    if (!std::holds_alternative<DxfDrawing>(loaded)) {
        return std::nullopt;
    }
    const DxfDrawing& drawing = std::get<DxfDrawing>(loaded);
    PolygonList walls;
    AppendWallPolygons(drawing, plan.wallLayer, walls);
    PolygonList polygons;
    std::optional<PlanPolygon> boundary;
    if (plan.boundaryLayer != nullptr) {
        boundary = ReadBoundaryPolygon(drawing, plan.boundaryLayer).polygon;
    } else if (walls.count() > 0) {
        double minX = walls.items()[0][0].x, maxX = minX;
        double minY = walls.items()[0][0].y, maxY = minY;
        for (const PlanPolygon& wall : walls.items()) {
            for (const PlanPoint& p : wall.points()) {
                minX = std::min(minX, p.x);
                maxX = std::max(maxX, p.x);
                minY = std::min(minY, p.y);
                maxY = std::max(maxY, p.y);
            }
        }
        boundary = Rectangle(minX - 1, minY - 1, maxX + 1, maxY + 1, false);
    }
    if (!boundary) {
        return std::nullopt;
    }
    polygons.append(*boundary);
    for (const PlanPolygon& wall : walls.items()) {
        polygons.append(wall);
    }
    OrientPlanPolygons(polygons);
    return IsovistTestPlan(polygons.items());
}

inline std::vector<PlanPoint> SamplePoints(const IsovistTestPlan& plan, const RealPlan& real) {
    const PlanPolygon& boundary = plan.polygons[0];
    double minX = boundary[0].x, maxX = minX, minY = boundary[0].y, maxY = minY;
    for (const PlanPoint& p : boundary.points()) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    // Centres of half-unit cells laid from the lower-left corner, as the grid analysis has them.
    const int columns = static_cast<int>((maxX - minX) / 0.5) + 1;
    const int rows = static_cast<int>((maxY - minY) / 0.5) + 1;
    std::vector<PlanPoint> points;
    for (int j = 0; j < real.lattice; ++j) {
        for (int i = 0; i < real.lattice; ++i) {
            const int column = (2 * i + 1) * columns / (2 * real.lattice);
            const int row = (2 * j + 1) * rows / (2 * real.lattice);
            points.push_back({minX + (column + 0.5) * 0.5, minY + (row + 0.5) * 0.5});
        }
    }
    for (size_t i = 0; i < plan.segments.size(); i += static_cast<size_t>(real.vertexStep)) {
        const PlanSegment& s = plan.segments[i];
        points.push_back(s.start);
        points.push_back({(s.start.x + s.end.x) / 2, (s.start.y + s.end.y) / 2});
    }
    return points;
}

// The test name of a shared plan: its file name without the extension.
inline std::string RealPlanName(const ::testing::TestParamInfo<RealPlan>& info) {
    const std::string name = info.param.file;
    return name.substr(0, name.find('.'));
}
