// The shared real plans as the benchmarks read them: the folder comes from the environment
// variable ORVELLE_PLANS_DIR; one boundary layer and one wall layer per plan.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "document/DxfDrawing.h"
#include "document/DxfImportSteps.h"
#include "document/DxfPlanReaders.h"
#include "testing/IsovistPlans.h"

// The drawing `file` of the plans folder; empty with `error` set when the folder or the file
// is missing.
inline std::optional<DxfDrawing> LoadSharedDrawing(const char* file, std::string& error) {
    const char* dir = std::getenv("ORVELLE_PLANS_DIR");
    if (dir == nullptr) {
        error = "set ORVELLE_PLANS_DIR to the plans folder";
        return std::nullopt;
    }
    auto loaded = DxfDrawing::load(std::string(dir) + "/" + file);
    if (auto* message = std::get_if<std::string>(&loaded)) {
        error = *message;
        return std::nullopt;
    }
    return std::move(std::get<DxfDrawing>(loaded));
}

// The plan `file` of the plans folder, its polygons oriented as the import leaves them; empty
// with `error` set when the folder, the file or the boundary is missing.
inline std::optional<IsovistTestPlan> LoadSharedPlan(const char* file, const char* boundaryLayer,
                                                     const char* wallLayer, std::string& error) {
    const auto drawing = LoadSharedDrawing(file, error);
    if (!drawing) {
        return std::nullopt;
    }
    PolygonList polygons;
    auto boundary = ReadBoundaryPolygon(*drawing, boundaryLayer).polygon;
    if (!boundary) {
        error = "no boundary";
        return std::nullopt;
    }
    polygons.append(*boundary);
    AppendWallPolygons(*drawing, wallLayer, polygons);
    OrientPlanPolygons(polygons);
    return IsovistTestPlan(polygons.items());
}

// A plan without a usable boundary layer: the walls of `wallLayers` inside the boundary the
// import creates around their extent, oriented as the import leaves them.
inline std::optional<IsovistTestPlan> LoadSharedPlanWithMadeBoundary(
    const char* file, const std::vector<const char*>& wallLayers, std::string& error) {
    const auto drawing = LoadSharedDrawing(file, error);
    if (!drawing) {
        return std::nullopt;
    }
    PolygonList walls;
    for (const char* layer : wallLayers) {
        AppendWallPolygons(*drawing, layer, walls);
    }
    PlanExtent extent{INFINITY, -INFINITY, INFINITY, -INFINITY};
    for (const PlanPolygon& polygon : walls.items()) {
        for (const PlanPoint& p : polygon.points()) {
            extent = {std::min(extent.minX, p.x), std::max(extent.maxX, p.x),
                      std::min(extent.minY, p.y), std::max(extent.maxY, p.y)};
        }
    }
    auto boundary = BoundaryAroundExtent(extent);
    if (!boundary) {
        error = "no walls";
        return std::nullopt;
    }
    PolygonList polygons;
    polygons.append(*boundary);
    for (const PlanPolygon& polygon : walls.items()) {
        polygons.append(polygon);
    }
    OrientPlanPolygons(polygons);
    return IsovistTestPlan(polygons.items());
}

// The extent of the plan's boundary (polygon 0).
inline PlanExtent BoundaryExtent(const IsovistTestPlan& plan) {
    const PlanPolygon& b = plan.polygons[0];
    PlanExtent extent{b[0].x, b[0].x, b[0].y, b[0].y};
    for (const PlanPoint& p : b.points()) {
        extent = {std::min(extent.minX, p.x), std::max(extent.maxX, p.x),
                  std::min(extent.minY, p.y), std::max(extent.maxY, p.y)};
    }
    return extent;
}
