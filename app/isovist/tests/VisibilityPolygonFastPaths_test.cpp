// The visibility-polygon method's fast steps against their plain references on hand-made rooms
// and the real plans of the shared plan folder (skipped when it is not there), bit for bit: the
// expansion over the flat triangulation (and, for points on edges and vertices, CGAL's query
// with sight-line ends rounded as they are made and the outline recorded from the query),
// against CGAL's query with exact ends rounded on output and the outline walked in its output
// arrangement.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>
#include <vector>

#include "isovist/IsovistEngine.h"
#include "isovist/IsovistVisibilityPolygon.h"
#include "isovist/tests/RealPlanSamples.h"
#include "testing/IsovistPlans.h"

namespace {

using Steps = IsovistVisibilityPolygon::Steps;

bool SameOutline(const std::vector<PlanPoint>& a, const std::vector<PlanPoint>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::bit_cast<uint64_t>(a[i].x) != std::bit_cast<uint64_t>(b[i].x) ||
            std::bit_cast<uint64_t>(a[i].y) != std::bit_cast<uint64_t>(b[i].y)) {
            return false;
        }
    }
    return true;
}

// Where in `b` the first vertex of `a` lies (-1: nowhere), for the failure message.
int Offset(const std::vector<PlanPoint>& a, const std::vector<PlanPoint>& b) {
    for (size_t i = 0; !a.empty() && i < b.size(); ++i) {
        if (b[i] == a[0]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Every open side counts as open: the comparison is of the query, not of the validity test.
bool AnyOpen(PlanPoint) {
    return true;
}

// Compares both extractions at every point; returns how many points saw a region, and in
// `cgalQueries` how many the fast steps left to CGAL's query.
int CompareExtractions(const IsovistTestPlan& plan, const std::vector<PlanPoint>& points,
                       const std::string& name, size_t* cgalQueries = nullptr) {
    IsovistVisibilityPolygon visibility;
    visibility.prepare(plan.tables());
    std::vector<PlanPoint> recorded;
    std::vector<PlanPoint> walked;
    int seen = 0;
    for (const PlanPoint p : points) {
        const bool a = visibility.compute(p, AnyOpen, recorded, Steps::Fast);
        const bool b = visibility.compute(p, AnyOpen, walked, Steps::Reference);
        EXPECT_EQ(a, b) << name << " at " << p.x << ", " << p.y;
        EXPECT_TRUE(SameOutline(recorded, walked))
            << name << " at " << p.x << ", " << p.y << ": " << recorded.size() << " vs "
            << walked.size() << " vertices, first recorded at walked " << Offset(recorded, walked);
        seen += a ? 1 : 0;
    }
    if (cgalQueries != nullptr) {
        *cgalQueries = visibility.cgalQueryCount();
    }
    return seen;
}

TEST(VisibilityPolygonFastPaths, RecordedOutlineIsTheArrangementsOnHandMadeRooms) {
    struct Case {
        const char* name;
        IsovistTestPlan plan;
        std::vector<PlanPoint> points;
    };
    const Case cases[] = {
        {"Square", IsovistTestPlan({Rectangle(0, 0, 10, 10, false)}), {{5, 5}, {9, 1}, {0, 5}}},
        // Inside, on the pillar's faces and corners, on the boundary.
        {"Pillar",
         IsovistTestPlan({Rectangle(0, 0, 20, 10, false), Rectangle(12, 4, 14, 6, true)}),
         {{5, 5}, {17.3, 1.1}, {14, 5}, {14, 4}, {12, 6}, {20, 5}, {10, 0}}},
        // Collinear vertices along sight lines, a free wall and points on it.
        {"FreeWall",
         IsovistTestPlan({Rectangle(0, 0, 10, 10, false), PlanPolygon({{2, 5}, {8, 5}})}),
         {{5, 2}, {5, 5}, {5, 8}, {2, 2}}},
        {"Pillars", RoomWithPillars(200, 3), {PillarRoomGap(1, 2), PillarRoomGap(3, 0)}},
    };
    for (const Case& c : cases) {
        EXPECT_GT(CompareExtractions(c.plan, c.points, c.name), 0) << c.name;
    }
}

class VisibilityPolygonRealPlans : public ::testing::TestWithParam<RealPlan> {};

TEST_P(VisibilityPolygonRealPlans, RecordedOutlineIsTheArrangements) {
    const RealPlan& real = GetParam();
    const auto plan = LoadPlan(real);
    if (!plan) {
        GTEST_SKIP() << "the plan " << real.file << " is not available";
    }
    const std::vector<PlanPoint> points = SamplePoints(*plan, real);
    size_t cgalQueries = 0;
    EXPECT_GT(CompareExtractions(*plan, points, real.file, &cgalQueries),
              real.lattice * real.lattice / 2);
    // The triangulation's walk settles nearly every lattice point: CGAL's query is for points
    // on an edge or a vertex, as the wall samples after the lattice mostly are.
    const size_t lattice = static_cast<size_t>(real.lattice) * static_cast<size_t>(real.lattice);
    EXPECT_LE(cgalQueries, points.size() - lattice + lattice / 20)
        << cgalQueries << " of " << points.size();
}

INSTANTIATE_TEST_SUITE_P(
    SharedPlans, VisibilityPolygonRealPlans,
    ::testing::Values(RealPlan{"rawseeds_bicocca_floor.dxf", "valid_area", "M", 30, 50},
                      RealPlan{"tuebingen_sand_floor.dxf", "valid_area", "walls", 20, 20},
                      RealPlan{"vga_rooms_100x100.dxf", "BOUNDARY", "WALLS", 20, 1},
                      RealPlan{"barcelona_pavilion_plan.dxf", nullptr, "Walls", 20, 3}),
    RealPlanName);

}  // namespace
