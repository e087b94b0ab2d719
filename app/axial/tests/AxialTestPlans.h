// Small plans for the axial tests: a holder of polygons with the vertex and wall tables the
// generators read, and random plans full of the degenerate cases (shared and collinear
// vertices, walls on one line, right turns).
#pragma once

#include <random>
#include <vector>

#include "axial/AxialMapGeneration.h"
#include "document/PlanTypes.h"

struct AxialTestPlan {
    std::vector<PlanPolygon> polygons;
    std::vector<PlanPoint> vertices;
    std::vector<PlanSegment> walls;

    explicit AxialTestPlan(std::vector<PlanPolygon> plan) : polygons(std::move(plan)) {
        for (const PlanPolygon& polygon : polygons) {
            const auto& p = polygon.points();
            for (size_t j = 0; j < p.size(); ++j) {
                vertices.push_back(p[j]);
                walls.push_back(PlanSegment{p[j], p[(j + 1) % p.size()]});
            }
        }
    }
    AxialPlan plan() const { return AxialPlan{polygons, vertices, walls}; }
};

inline PlanPolygon Ring(std::vector<PlanPoint> points) {
    return PlanPolygon(std::move(points));
}

inline std::vector<PlanSegment> Generate(const AxialTestPlan& plan, AxialMapKind kind,
                                         AxialMapMethod method,
                                         std::vector<PlanSegment> lines = {}) {
    GenerateAxialMap(plan.plan(), kind, lines, method);
    return lines;
}

// A boundary ring of random lattice points (so with right turns and collinear runs) and a few
// wall polygons of 2 to 5 lattice points, some repeated or shared with the boundary.
inline AxialTestPlan RandomLatticePlan(uint32_t seed, int side = 8) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> coordinate(0, side);
    std::uniform_int_distribution<int> count(2, 5);
    std::uniform_int_distribution<int> walls(0, 4);
    auto point = [&] {
        return PlanPoint{static_cast<double>(coordinate(random)),
                         static_cast<double>(coordinate(random))};
    };
    std::vector<PlanPolygon> polygons;
    std::vector<PlanPoint> boundary;
    const int boundaryCount = 3 + count(random);
    for (int i = 0; i < boundaryCount; ++i) {
        boundary.push_back(point());
    }
    polygons.push_back(Ring(boundary));
    const int wallCount = walls(random);
    for (int w = 0; w < wallCount; ++w) {
        std::vector<PlanPoint> ring;
        const int n = count(random);
        for (int i = 0; i < n; ++i) {
            ring.push_back(point());
        }
        polygons.push_back(Ring(ring));
    }
    return AxialTestPlan(std::move(polygons));
}

// A rectangular boundary with axis-parallel rectangular walls on a lattice: many candidates
// through vertices and along wall lines far apart.
inline AxialTestPlan RandomRoomsPlan(uint32_t seed, int rooms = 6) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> coordinate(1, 19);
    std::uniform_int_distribution<int> size(1, 4);
    std::vector<PlanPolygon> polygons{Ring({{0, 0}, {20, 0}, {20, 20}, {0, 20}})};
    for (int r = 0; r < rooms; ++r) {
        const double x = coordinate(random);
        const double y = coordinate(random);
        const double w = size(random);
        const double h = size(random);
        polygons.push_back(Ring({{x, y}, {x, y + h}, {x + w, y + h}, {x + w, y}}));
    }
    return AxialTestPlan(std::move(polygons));
}
