// The exact arrangement as the oracle of the node method: on plans where the node method does
// not fall back to rays (disjoint closed wall polygons in general position), both give the same
// area. The one known cause of disagreement, the node rule that ignores crossings nearer than
// 0.01 to the viewpoint, is tested on its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "isovist/IsovistEngine.h"
#include "testing/IsovistPlans.h"

namespace {

constexpr int32_t kNode = 0;
constexpr int32_t kVisibility = 2;
constexpr double kIgnoredCrossingDistance = 0.01;

// A room (a quadrilateral with random corners) holding one random star-shaped wall polygon,
// clockwise, in each cell of a lattice of 10-unit cells; polygons keep at least 2 units apart.
IsovistTestPlan RandomPlan(std::mt19937& random, int perRow) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double side = 10.0 * perRow;
    std::vector<PlanPolygon> polygons{PlanPolygon({{-unit(random), -unit(random)},
                                                   {side + unit(random), -unit(random)},
                                                   {side + unit(random), side + unit(random)},
                                                   {-unit(random), side + unit(random)}})};
    for (int cell = 0; cell < perRow * perRow; ++cell) {
        const double cx = 10.0 * (cell % perRow) + 5.0 + 2.0 * unit(random) - 1.0;
        const double cy = 10.0 * (cell / perRow) + 5.0 + 2.0 * unit(random) - 1.0;
        const int corners = 3 + static_cast<int>(unit(random) * 5.0);
        // One corner in each of `corners` equal sectors, clockwise: no two consecutive corners
        // are half a turn apart, so the polygon is simple.
        const double sector = 2.0 * std::numbers::pi / corners;
        std::vector<PlanPoint> points;
        for (int k = corners; k-- > 0;) {
            const double a = sector * (k + unit(random));
            const double r = 0.5 + 2.5 * unit(random);
            points.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
        }
        polygons.emplace_back(points);
    }
    return IsovistTestPlan(std::move(polygons));
}

double DistanceToSegment(PlanPoint p, const PlanSegment& s) {
    const double dx = s.end.x - s.start.x;
    const double dy = s.end.y - s.start.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((p.x - s.start.x) * dx + (p.y - s.start.y) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (s.start.x + t * dx), p.y - (s.start.y + t * dy));
}

double DistanceToWalls(const IsovistTestPlan& plan, PlanPoint p) {
    double nearest = INFINITY;
    for (const PlanSegment& s : plan.segments) {
        nearest = std::min(nearest, DistanceToSegment(p, s));
    }
    return nearest;
}

struct Comparison {
    int compared = 0;
    int fellBack = 0;
    std::vector<std::string> disagreements;
    // Disagreements of the second known cause (below), with the corner the node method lost.
    std::vector<std::string> lostCorners;
    int nodeSmaller = 0;  // disagreements where the node method's area is the smaller
};

// The second known cause: the reduction of the node method's outline drops a seen plan corner b
// when the crossing of a hidden vertex's sight line lands on the next wall a hair (4e-7) from
// b, so that the extension point before b, b and that crossing pass its collinearity test.
// Then a plan vertex of the exact outline is missing from the node method's outline.
bool LostAPlanCorner(const IsovistTestPlan& plan, const IsovistResult& node,
                     const IsovistResult& visibility, PlanPoint& corner) {
    for (const PlanSegment& line : visibility.radialLines) {
        const PlanPoint w = line.end;
        const bool planVertex = std::any_of(plan.segments.begin(), plan.segments.end(),
                                            [&](const PlanSegment& s) { return s.start == w; });
        const bool kept = std::any_of(node.radialLines.begin(), node.radialLines.end(),
                                      [&](const PlanSegment& l) { return l.end == w; });
        if (planVertex && !kept) {
            corner = w;
            return true;
        }
    }
    return false;
}

// Compares both methods at random valid points of random plans; `near` picks the points within
// the ignored crossing distance of a wall (true) or clear of every wall (false).
Comparison CompareAtRandomPoints(uint32_t seed, int plans, int pointsPerPlan, bool near) {
    std::mt19937 random(seed);
    Comparison out;
    IsovistScratch nodeScratch;
    IsovistScratch visibilityScratch;
    IsovistResult node;
    IsovistResult visibility;
    for (int planIndex = 0; planIndex < plans; ++planIndex) {
        const int perRow = 2 + planIndex % 4;
        const IsovistTestPlan plan = RandomPlan(random, perRow);
        std::uniform_real_distribution<double> coordinate(-1.0, 10.0 * perRow + 1.0);
        std::uniform_int_distribution<size_t> anySegment(0, plan.segments.size() - 1);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        for (int tried = 0, kept = 0; kept < pointsPerPlan && tried < 100 * pointsPerPlan;
             ++tried) {
            PlanPoint p{coordinate(random), coordinate(random)};
            if (near) {
                // A point just off a random wall, at most 0.01 from it.
                const PlanSegment& s = plan.segments[anySegment(random)];
                const double t = unit(random);
                const double angle = unit(random) * 2.0 * std::numbers::pi;
                const double r = kIgnoredCrossingDistance * unit(random);
                p = {s.start.x + t * (s.end.x - s.start.x) + r * std::cos(angle),
                     s.start.y + t * (s.end.y - s.start.y) + r * std::sin(angle)};
            }
            if ((DistanceToWalls(plan, p) <= kIgnoredCrossingDistance) != near) {
                continue;
            }
            ComputeIsovistAt(plan.tables(), p, kNode, nodeScratch, node);
            if (node.outcome != IsovistResult::Outcome::Computed) {
                continue;
            }
            ++kept;
            if (node.usedRadialMethod) {
                ++out.fellBack;
                continue;
            }
            ComputeIsovistAt(plan.tables(), p, kVisibility, visibilityScratch, visibility);
            ++out.compared;
            if (visibility.outcome != IsovistResult::Outcome::Computed ||
                std::abs(visibility.area - node.area) > 1e-9 * std::abs(visibility.area)) {
                char text[256];
                std::snprintf(text, sizeof text,
                              "plan %d point (%.17g, %.17g), %.3g from a wall: node %.17g, "
                              "visibility polygon %.17g",
                              planIndex, p.x, p.y, DistanceToWalls(plan, p), node.area,
                              visibility.area);
                out.nodeSmaller += node.area < visibility.area ? 1 : 0;
                PlanPoint corner;
                if (std::abs(visibility.area - node.area) < 1e-7 * std::abs(visibility.area) &&
                    LostAPlanCorner(plan, node, visibility, corner)) {
                    std::snprintf(text + std::strlen(text), sizeof text - std::strlen(text),
                                  "; corner (%.17g, %.17g) reduced away", corner.x, corner.y);
                    out.lostCorners.emplace_back(text);
                } else {
                    out.disagreements.emplace_back(text);
                }
            }
        }
    }
    return out;
}

TEST(NodeMethodOracle, AreasAgreeAwayFromTheWalls) {
    const Comparison c = CompareAtRandomPoints(20261207, 60, 40, false);
    for (const std::string& d : c.disagreements) {
        ADD_FAILURE() << d;
    }
    EXPECT_EQ(c.fellBack, 0);
    EXPECT_GT(c.compared, 2000);
    // The reduction's cause is rare (one isovist in this run) and costs a few parts in 1e9.
    EXPECT_LE(c.lostCorners.size(), 3u);
    for (const std::string& d : c.lostCorners) {
        std::printf("known cause: %s\n", d.c_str());
    }
    std::printf("compared %d isovists: %zu unexplained disagreements, %zu corners reduced away\n",
                c.compared, c.disagreements.size(), c.lostCorners.size());
}

// Within 0.01 of a wall the node method ignores the crossings of that wall and sees through
// it where its sight lines meet the wall that close: its area is then larger, never smaller.
TEST(NodeMethodOracle, NearAWallTheNodeMethodSeesThroughIt) {
    const Comparison c = CompareAtRandomPoints(7, 30, 20, true);
    EXPECT_GT(c.compared, 400);
    EXPECT_FALSE(c.disagreements.empty());
    EXPECT_EQ(c.nodeSmaller, 0);
    std::printf("near walls: compared %d isovists, %zu disagreements\n", c.compared,
                c.disagreements.size());
}

TEST(NodeMethodOracle, PointJustBelowAPillar) {
    // A 2 x 2 pillar in a 10 x 10 room, the point 0.005 below its bottom face. Seen exactly,
    // the pillar hides everything above the rays through its bottom corners, which meet the
    // side walls at y = 4.02: visible = 40 + 2 * (0.5 * 4 * 0.02) = 40.08.
    const IsovistTestPlan plan({Rectangle(0, 0, 10, 10, false), Rectangle(4, 4, 6, 6, true)});
    const PlanPoint p{5, 3.995};
    IsovistScratch scratch;
    IsovistResult visibility;
    ComputeIsovistAt(plan.tables(), p, kVisibility, scratch, visibility);
    EXPECT_NEAR(visibility.area, 40.08, 1e-9);
    // The node method's sight lines to the top corners cross the bottom face 0.0056 from the
    // point: ignored, so it reports them seen through the pillar.
    IsovistResult node;
    ComputeIsovistAt(plan.tables(), p, kNode, scratch, node);
    ASSERT_FALSE(node.usedRadialMethod);
    EXPECT_GT(node.area, visibility.area + 1.0);
    // From 0.02 below the face the rule no longer matters.
    const PlanPoint clear{5, 3.98};
    ComputeIsovistAt(plan.tables(), clear, kNode, scratch, node);
    ComputeIsovistAt(plan.tables(), clear, kVisibility, scratch, visibility);
    ASSERT_FALSE(node.usedRadialMethod);
    EXPECT_NEAR(node.area, visibility.area, 1e-9 * visibility.area);
}

}  // namespace
