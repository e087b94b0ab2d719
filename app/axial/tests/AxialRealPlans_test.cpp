// The indexed generators and pair search against the plain reference on real plans of the
// shared plan folder (skipped when it is not there): the same lines in the same order, the
// same graph, the same measures bit for bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <variant>

#include "axial/AxialAnalysis.h"
#include "axial/AxialMapGeneration.h"
#include "axial/tests/AxialTestPlans.h"
#include "document/DxfDrawing.h"
#include "document/DxfImportSteps.h"
#include "document/DxfPlanReaders.h"

namespace {

struct RealPlan {
    const char* file;
    std::vector<const char*> wallLayers;  // with a rectangle around them as the boundary
};

std::optional<AxialTestPlan> Load(const RealPlan& plan) {
    auto loaded = DxfDrawing::load((std::filesystem::path(ORVELLE_PLANS_DIR) / plan.file).string());
    if (!std::holds_alternative<DxfDrawing>(loaded)) {
        return std::nullopt;
    }
    PolygonList walls;
    for (const char* layer : plan.wallLayers) {
        AppendWallPolygons(std::get<DxfDrawing>(loaded), layer, walls);
    }
    if (walls.empty()) {
        return std::nullopt;
    }
    PlanExtent e{INFINITY, -INFINITY, INFINITY, -INFINITY};
    for (const PlanPolygon& wall : walls.items()) {
        for (const PlanPoint& p : wall.points()) {
            e = {std::min(e.minX, p.x), std::max(e.maxX, p.x), std::min(e.minY, p.y),
                 std::max(e.maxY, p.y)};
        }
    }
    PolygonList polygons;
    polygons.append(*BoundaryAroundExtent(e));
    for (const PlanPolygon& wall : walls.items()) {
        polygons.append(wall);
    }
    OrientPlanPolygons(polygons);
    return AxialTestPlan(polygons.items());
}

TEST(AxialRealPlans, IndexedEqualsReference) {
    const RealPlan plans[] = {
        {"depthmapx_gallery.dxf", {"0"}},
        {"jupedsim_gallery.dxf", {"jps-walkablearea", "jps-obstacles"}},
        {"barcelona_pavilion_plan.dxf", {"Walls"}},
        {"depthmapx_rooms.dxf", {"0"}},
    };
    int loaded = 0;
    for (const RealPlan& real : plans) {
        SCOPED_TRACE(real.file);
        const std::optional<AxialTestPlan> plan = Load(real);
        if (!plan) {
            continue;
        }
        ++loaded;
        for (AxialMapKind kind : {AxialMapKind::Reduced, AxialMapKind::AllLines}) {
            const auto reference = Generate(*plan, kind, AxialMapMethod::Reference);
            const auto indexed = Generate(*plan, kind, AxialMapMethod::Indexed);
            ASSERT_EQ(indexed, reference);
            EXPECT_EQ(BuildAxialGraph(indexed, AxialGraphMethod::Indexed),
                      BuildAxialGraph(indexed, AxialGraphMethod::Reference));
            if (kind == AxialMapKind::Reduced) {
                EXPECT_EQ(
                    AnalyseAxialLines(indexed, 3).records,
                    AnalyseAxialLines(indexed, 3,
                                      {AxialGraphMethod::Reference, GraphMeasureMethod::Reference})
                        .records);
            }
        }
    }
    if (loaded == 0) {
        GTEST_SKIP() << "no shared plans in " << ORVELLE_PLANS_DIR;
    }
}

}  // namespace
