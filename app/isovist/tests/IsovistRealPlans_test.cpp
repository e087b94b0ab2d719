// The fast isovist search against the plain full scan on the real plans of the shared plan
// folder (skipped when it is not there): cell centres of a half-unit grid, wall vertices and
// points on wall edges, by both methods, bit for bit.
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
#include "isovist/IsovistEngine.h"
#include "isovist/tests/IsovistSameResult.h"
#include "testing/IsovistPlans.h"

namespace {

struct RealPlan {
    const char* file;
    const char* boundaryLayer;  // nullptr: a rectangle around the walls
    const char* wallLayer;
    int lattice;     // sample points per side of the lattice
    int vertexStep;  // every this many plan vertices is an observation point
};

std::optional<IsovistTestPlan> LoadPlan(const RealPlan& plan) {
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

std::vector<PlanPoint> SamplePoints(const IsovistTestPlan& plan, const RealPlan& real) {
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

class IsovistRealPlans : public ::testing::TestWithParam<RealPlan> {};

TEST_P(IsovistRealPlans, FastSearchMatchesTheFullScan) {
    const RealPlan& real = GetParam();
    const auto plan = LoadPlan(real);
    if (!plan) {
        GTEST_SKIP() << "the plan " << real.file << " is not available";
    }
    const std::vector<PlanPoint> points = SamplePoints(*plan, real);
    IsovistScratch scratch;
    IsovistResult fast;
    IsovistResult reference;
    int computed = 0;
    for (const int32_t method : {0, 1}) {
        for (const PlanPoint p : points) {
            ComputeIsovistAt(plan->tables(), p, method, scratch, fast, CandidateSearch::Indexed);
            ComputeIsovistAt(plan->tables(), p, method, scratch, reference,
                           CandidateSearch::FullScan);
            ASSERT_TRUE(IdenticalResults(fast, reference))
                << real.file << " method " << method << " at " << p.x << ", " << p.y;
            ASSERT_TRUE(SameOcclusivity(fast, plan->segments))
                << real.file << " method " << method << " at " << p.x << ", " << p.y;
            computed += fast.outcome == IsovistResult::Outcome::Computed ? 1 : 0;
        }
    }
    EXPECT_GT(computed, real.lattice * real.lattice / 2) << real.file;
}

INSTANTIATE_TEST_SUITE_P(
    SharedPlans, IsovistRealPlans,
    ::testing::Values(RealPlan{"rawseeds_bicocca_floor.dxf", "valid_area", "M", 6, 1500},
                      RealPlan{"tuebingen_sand_floor.dxf", "valid_area", "walls", 14, 40},
                      RealPlan{"vga_rooms_100x100.dxf", "BOUNDARY", "WALLS", 20, 1},
                      RealPlan{"barcelona_pavilion_plan.dxf", nullptr, "Walls", 20, 3}),
    [](const auto& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

}  // namespace
