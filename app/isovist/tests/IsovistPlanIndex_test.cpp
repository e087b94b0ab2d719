// The plan index's bands of height: at any height they list every inner polygon that the
// index's own height test may let through, in ascending order, on plans of ordinary, flat,
// unknown and extreme heights.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "isovist/IsovistEngine.h"
#include "isovist/IsovistPlanIndex.h"
#include "testing/IsovistPlans.h"

namespace {

std::vector<PlanPolygon> ManyPillars(int count, double tallEvery) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> at(1.0, 99.0);
    std::vector<PlanPolygon> polygons{Rectangle(0, 0, 100, 100, false)};
    for (int i = 0; i < count; ++i) {
        const double x = at(random);
        const double y = at(random);
        const double height = i % static_cast<int>(tallEvery) == 0 ? 60.0 : 0.5;
        polygons.push_back(Rectangle(x, y, x + 0.5, std::min(99.5, y + height), true));
    }
    return polygons;
}

// Heights worth probing: every polygon's lowest and highest y, a clearance off them and the
// doubles next to those, and points across the plan and beyond it.
std::vector<double> ProbeHeights(const std::vector<PlanPolygon>& polygons) {
    std::vector<double> ys;
    for (const PlanPolygon& polygon : polygons) {
        for (const PlanPoint& p : polygon.points()) {
            for (const double d : {0.0, 1e-4, -1e-4, 2e-4, -2e-4}) {
                const double y = p.y + d;
                ys.push_back(y);
                ys.push_back(std::nextafter(y, std::numeric_limits<double>::infinity()));
                ys.push_back(std::nextafter(y, -std::numeric_limits<double>::infinity()));
            }
        }
    }
    for (double y = -50.0; y <= 150.0; y += 0.37) {
        ys.push_back(y);
    }
    ys.push_back(-1e300);
    ys.push_back(1e300);
    return ys;
}

TEST(IsovistPlanIndex, BandsListEveryPolygonTheHeightTestLetsThrough) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        std::vector<PlanPolygon> polygons;
    };
    const Case cases[] = {
        {"many small pillars and some tall ones", ManyPillars(400, 25)},
        {"one inner polygon", {Rectangle(0, 0, 10, 10, false), Rectangle(2, 2, 3, 3, true)}},
        {"boundary only", {Rectangle(0, 0, 10, 10, false)}},
        {"flat pillars on one line",
         {Rectangle(0, 0, 10, 10, false), PlanPolygon({{1, 5}, {2, 5}, {3, 5}}),
          PlanPolygon({{4, 5}, {6, 5}, {5, 5}})}},
        {"a pillar of unknown height",
         {Rectangle(0, 0, 10, 10, false), Rectangle(2, 2, 3, 3, true),
          PlanPolygon({{4, 4}, {5, nan}, {6, 4}}), Rectangle(7, 8, 8, 9, true)}},
        {"coordinates too large for the clearance",
         {Rectangle(0, 0, 1e300, 1e300, false), Rectangle(1e299, 1e299, 2e299, 2e299, true),
          Rectangle(5e299, 3e299, 6e299, 9e299, true)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const IsovistTestPlan plan(c.polygons);
        IsovistPlanIndex index;
        index.prepare(plan.tables());
        ASSERT_EQ(index.polygonCount(), c.polygons.size());
        size_t listed = 0;
        for (const double y : ProbeHeights(c.polygons)) {
            if (!std::isfinite(y)) {
                continue;
            }
            const std::span<const int32_t> near = index.innerPolygonsNear(y);
            ASSERT_TRUE(std::is_sorted(near.begin(), near.end())) << y;
            listed += near.size();
            for (size_t i = 1; i < c.polygons.size(); ++i) {
                if (index.mayContain(i, PlanPoint{0.5, y})) {
                    ASSERT_TRUE(std::binary_search(near.begin(), near.end(), static_cast<int32_t>(i)))
                        << "polygon " << i << " missing at y = " << y;
                }
            }
        }
        if (c.polygons.size() > 1) {
            EXPECT_GT(listed, 0u);
        }
    }
}

// The bands do list fewer polygons than the plan holds where the pillars are spread out.
TEST(IsovistPlanIndex, BandsNarrowTheSearch) {
    const IsovistTestPlan plan(ManyPillars(400, 1000));
    IsovistPlanIndex index;
    index.prepare(plan.tables());
    EXPECT_LT(index.innerPolygonsNear(50.0).size(), 40u);
}

}  // namespace
