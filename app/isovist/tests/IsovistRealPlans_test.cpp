// The fast isovist search against the plain full scan on the real plans of the shared plan
// folder (skipped when it is not there): cell centres of a half-unit grid, wall vertices and
// points on wall edges, by both methods, bit for bit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "isovist/IsovistEngine.h"
#include "isovist/tests/IsovistSameResult.h"
#include "isovist/tests/RealPlanSamples.h"
#include "testing/IsovistPlans.h"

namespace {

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
    RealPlanName);

}  // namespace
