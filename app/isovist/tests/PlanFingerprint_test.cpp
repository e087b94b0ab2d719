// The plan fingerprint and the plan caches of the isovist scratch: any change of the plan's
// contents gives another fingerprint, and a scratch that has seen a plan rebuilds its caches
// when one coordinate moves, whether the tables carry a fingerprint or not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "IsovistSameResult.h"
#include "isovist/IsovistEngine.h"
#include "isovist/PlanFingerprint.h"
#include "testing/IsovistPlans.h"

namespace {

IsovistTestPlan RoomWithPillar() {
    return IsovistTestPlan({Rectangle(0, 0, 20, 10, false), Rectangle(12, 4, 14, 6, true)});
}

// Moves vertex `vertex` of polygon `polygon` by (dx, dy) in place: the polygon tables and the
// wall table keep their memory, as an edit of the document's plan does.
void MoveInPlace(IsovistTestPlan& plan, size_t polygon, size_t vertex, double dx, double dy) {
    plan.polygons[polygon].points()[vertex].x += dx;
    plan.polygons[polygon].points()[vertex].y += dy;
    const IsovistTestPlan rebuilt(plan.polygons);
    ASSERT_EQ(rebuilt.segments.size(), plan.segments.size());
    std::copy(rebuilt.segments.begin(), rebuilt.segments.end(), plan.segments.begin());
}

TEST(PlanFingerprint, EveryChangeOfTheContentsGivesAnotherFingerprint) {
    const IsovistTestPlan base = RoomWithPillar();
    const uint64_t baseFingerprint = PlanFingerprint(base.tables());
    struct Case {
        const char* name;
        std::function<PlanTables(IsovistTestPlan&)> change;
    };
    // Each change keeps the plan's memory (same vectors) where it can, as an edit in place does.
    const Case cases[] = {
        {"OneUlpOfOneVertex",
         [](IsovistTestPlan& p) {
             p.polygons[1].points()[2].x = std::nextafter(14.0, 15.0);
             return p.tables();
         }},
        {"ZeroToMinusZero",
         [](IsovistTestPlan& p) {
             p.polygons[0].points()[0].x = -0.0;
             return p.tables();
         }},
        {"OneSegmentEnd",
         [](IsovistTestPlan& p) {
             p.segments[5].end.y = 4.5;
             return p.tables();
         }},
        {"TwoSegmentsSwapped",
         [](IsovistTestPlan& p) {
             std::swap(p.segments[0], p.segments[1]);
             return p.tables();
         }},
        {"VertexCount",
         [](IsovistTestPlan& p) {
             PlanTables t = p.tables();
             t.wallVertexCount = 7;
             return WithFingerprint(t);
         }},
        {"SameVerticesOtherPolygonSplit",
         [](IsovistTestPlan& p) {
             std::vector<PlanPoint> all = p.polygons[0].points();
             const auto& pillar = p.polygons[1].points();
             all.insert(all.end(), pillar.begin(), pillar.begin() + 1);
             p.polygons = {PlanPolygon(all),
                           PlanPolygon(std::vector<PlanPoint>(pillar.begin() + 1, pillar.end()))};
             return p.tables();
         }},
        {"NoSegments",
         [](IsovistTestPlan& p) {
             p.segments.clear();
             return p.tables();
         }},
    };
    for (const Case& c : cases) {
        IsovistTestPlan changed = base;
        const PlanTables tables = c.change(changed);
        EXPECT_NE(PlanFingerprint(tables), baseFingerprint) << c.name;
        EXPECT_EQ(tables.fingerprint == 0 ? PlanFingerprint(tables) : tables.fingerprint,
                  PlanFingerprint(tables))
            << c.name;
    }
    // Equal contents in other memory: the same fingerprint; never the "not known" 0.
    const IsovistTestPlan copy = RoomWithPillar();
    EXPECT_EQ(copy.tables().fingerprint, baseFingerprint);
    EXPECT_NE(baseFingerprint, 0u);
    EXPECT_NE(PlanFingerprint(PlanTables{}), 0u);
}

TEST(PlanFingerprint, OnlyKnownEqualFingerprintsAreTrusted) {
    PlanTables plan;
    const struct {
        uint64_t cached;
        uint64_t given;
        bool trusted;
    } cases[] = {{0, 0, false}, {5, 0, false}, {0, 5, false}, {5, 6, false}, {5, 5, true}};
    for (const auto& c : cases) {
        plan.fingerprint = c.given;
        EXPECT_EQ(SameKnownFingerprint(c.cached, plan), c.trusted) << c.cached << " " << c.given;
    }
}

// A scratch that computed isovists of a plan, then gets the plan with one coordinate moved in
// place (tables made anew, or the old tables without a fingerprint), gives what a fresh
// scratch gives; and back.
TEST(PlanFingerprint, ScratchRebuildsWhenOneCoordinateMoves) {
    const IsovistTestPlan base = RoomWithPillar();
    struct Edit {
        const char* name;
        size_t polygon;
        size_t vertex;
        double dx;
        double dy;
    };
    // The pillar's corner (12, 4) moves to (11, 3.5); the boundary's corner (20, 10) to (22, 10).
    const Edit edits[] = {{"PillarCorner", 1, 0, -1.0, -0.5}, {"BoundaryCorner", 0, 2, 2.0, 0.0}};
    const PlanPoint points[] = {{5, 5}, {5, 2}, {13, 2}};
    for (const Edit& e : edits) {
        for (const bool fingerprinted : {true, false}) {
            for (const int32_t method : {0, 1, 2}) {
                for (const PlanPoint p : points) {
                    IsovistScratch scratch;
                    IsovistResult before;
                    IsovistTestPlan plan = base;
                    PlanTables tables = plan.tables();
                    tables.fingerprint = fingerprinted ? tables.fingerprint : 0;
                    ComputeIsovistAt(tables, p, method, scratch, before);
                    MoveInPlace(plan, e.polygon, e.vertex, e.dx, e.dy);
                    PlanTables movedTables = fingerprinted ? plan.tables() : tables;
                    IsovistResult reused;
                    ComputeIsovistAt(movedTables, p, method, scratch, reused);
                    IsovistScratch fresh;
                    IsovistResult expected;
                    ComputeIsovistAt(movedTables, p, method, fresh, expected);
                    EXPECT_TRUE(IdenticalResults(reused, expected))
                        << e.name << " method " << method << " at " << p.x << "," << p.y;
                    EXPECT_NE(before.area, reused.area) << e.name << " method " << method;
                    // And back: the caches follow the plan in both directions.
                    MoveInPlace(plan, e.polygon, e.vertex, -e.dx, -e.dy);
                    ComputeIsovistAt(fingerprinted ? plan.tables() : tables, p, method, scratch,
                                     reused);
                    EXPECT_TRUE(IdenticalResults(reused, before)) << e.name << " back";
                }
            }
        }
    }
}

}  // namespace
