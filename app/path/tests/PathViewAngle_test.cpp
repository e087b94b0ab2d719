// Headings along a path and the forward view cone of each observation point.
#include "path/PathViewAngle.h"

#include <gtest/gtest.h>

#include <vector>

#include "path/PathIsovists.h"
#include "testing/IsovistPlans.h"

namespace {

TEST(PathViewAngle, HeadingsAreBisectorsOfTheSteps) {
    struct Case {
        const char* name;
        std::vector<PlanPoint> origins;
        std::vector<double> headings;
    };
    const Case cases[] = {
        {"one point heads along +x", {{3, 4}}, {0}},
        {"two points", {{0, 0}, {0, 2}}, {90, 90}},
        {"a right-angle turn", {{0, 0}, {1, 0}, {1, 1}}, {0, 45, 90}},
        {"unequal steps still bisect", {{0, 0}, {5, 0}, {5, 1}}, {0, 45, 90}},
        {"walking back west", {{2, 0}, {1, 0}, {0, 0}}, {180, 180, 180}},
        {"a U-turn has no bisector", {{0, 0}, {1, 0}, {0, 0}}, {0, 0, 180}},
        {"a repeated point adds no direction", {{0, 0}, {0, 0}, {0, 1}}, {0, 90, 90}},
        {"three steps", {{0, 0}, {1, 0}, {1, -1}, {0, -1}}, {0, -45, -135, 180}},
        {"no points", {}, {}},
    };
    for (const Case& c : cases) {
        const std::vector<double> headings = PathHeadings(c.origins);
        ASSERT_EQ(headings.size(), c.headings.size()) << c.name;
        for (size_t i = 0; i < headings.size(); ++i) {
            EXPECT_NEAR(headings[i], c.headings[i], 1e-12) << c.name << " " << i;
        }
    }
}

// With 180 degrees the view is the half of the room ahead of the walking direction.
TEST(PathViewAngle, ConesAheadInASquareRoom) {
    const IsovistTestPlan room({Rectangle(0, 0, 10, 10, false)});
    struct Case {
        const char* name;
        double angle;
        std::vector<PlanPoint> points;
        std::vector<double> areas;
    };
    const Case cases[] = {
        {"walking east", 180, {{2, 5}, {5, 5}, {8, 5}}, {80, 50, 20}},
        {"walking north", 180, {{5, 2}, {5, 8}}, {80, 20}},
        {"walking west", 180, {{8, 3}, {3, 3}}, {80, 30}},
        {"one point looks east", 180, {{4, 6}}, {60}},
        // From (4, 5) the cone edges at -45 and +45 degrees meet y = 0 and y = 10 at x = 9:
        // the triangle (4, 5), (9, 0), (9, 10) of 25 and the strip 9 <= x <= 10 of 10.
        {"a right angle looking east", 90, {{4, 5}}, {35}},
    };
    for (const Case& c : cases) {
        PathIsovistRun run;
        NullProgress progress;
        ComputePathIsovists(room.tables(), c.points, 0, run, progress);
        ApplyPathViewAngle(run.records, c.angle, room.segments);
        for (size_t i = 0; i < c.points.size(); ++i) {
            const IsovistRecord& r = run.records[i];
            EXPECT_NEAR(r.area, c.areas[i], 1e-9) << c.name << " " << i;
            EXPECT_EQ(r.origin, c.points[i]);
            EXPECT_EQ(r.polygon[0], c.points[i]) << "the cone starts at its origin";
        }
    }
    // The single point's cone lies wholly on the +x side.
    PathIsovistRun run;
    NullProgress progress;
    ComputePathIsovists(room.tables(), std::vector<PlanPoint>{{4, 6}}, 0, run, progress);
    ApplyPathViewAngle(run.records, 180.0, room.segments);
    for (const PlanPoint& p : run.records[0].polygon.points()) {
        EXPECT_GE(p.x, 4.0 - 1e-12);
    }
}

}  // namespace
