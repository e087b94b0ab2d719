#include "document/DxfPlanReaders.h"

#include <gtest/gtest.h>

#include <cmath>

#include "document/tests/DxfTextBuilder.h"

namespace {

using Points = std::vector<PlanPoint>;

const Points kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};

DxfDrawing Entities(const std::function<void(DxfTextBuilder&)>& add) {
    DxfTextBuilder dxf;
    dxf.beginEntities();
    add(dxf);
    dxf.endEntities().end();
    return DxfDrawing(dxf.text());
}

std::vector<Points> PointsOf(const PolygonList& list) {
    std::vector<Points> all;
    for (const PlanPolygon& polygon : list.items()) {
        all.push_back(polygon.points());
    }
    return all;
}

TEST(DxfPlanReaders, PointsAreEqualWithinTheTolerance) {
    EXPECT_TRUE(DxfPointsEqual({1, 1}, {1 + 2e-8, 1 - 2e-8}));
    EXPECT_FALSE(DxfPointsEqual({1, 1}, {1 + 3e-8, 1}));
    EXPECT_FALSE(DxfPointsEqual({1, 1}, {1, 1 + 3e-8}));
}

TEST(DxfPlanReaders, BoundaryIsTheFirstPolylineWithoutARepeatedLastVertex) {
    Points repeated = kSquare;
    repeated.push_back({0, 1e-9});
    const auto drawing = Entities([&](DxfTextBuilder& d) {
        d.polyline("other", {{5, 5}, {6, 6}, {7, 5}}).polyline("B", repeated);
        d.polyline("B", {{0, 0}, {1, 0}, {1, 1}});
    });
    const auto boundary = ReadBoundaryPolygon(drawing, "b");
    ASSERT_TRUE(boundary.polygon);
    EXPECT_FALSE(boundary.refusedFor);
    EXPECT_EQ(boundary.polygon->points(), kSquare);
}

TEST(DxfPlanReaders, BoundaryKeepsATwoVertexRepeat) {
    const auto drawing = Entities([](DxfTextBuilder& d) { d.polyline("B", {{1, 1}, {1, 1}}); });
    EXPECT_EQ(ReadBoundaryPolygon(drawing, "B").polygon->count(), 2);
    EXPECT_FALSE(ReadBoundaryPolygon(drawing, "other").polygon);
}

TEST(DxfPlanReaders, WallPolylinesByClosedFlagAndRepeat) {
    struct Case {
        const char* name;
        Points vertices;
        bool closed;
        std::vector<Points> expected;
    };
    const Case cases[] = {
        {"closed square is one polygon", kSquare, true, {kSquare}},
        {"open square is four edges, the last back to the first",
         kSquare,
         false,
         {{{0, 0}, {10, 0}}, {{10, 0}, {10, 10}}, {{10, 10}, {0, 10}}, {{0, 10}, {0, 0}}}},
        {"open with a repeated last vertex is one polygon",
         {{0, 0}, {10, 0}, {10, 10}, {0, 0}},
         false,
         {{{0, 0}, {10, 0}, {10, 10}}}},
        {"open two-vertex line gives the edge twice",
         {{0, 0}, {5, 0}},
         false,
         {{{0, 0}, {5, 0}}, {{5, 0}, {0, 0}}}},
        {"a lone vertex is no wall", {{3, 3}}, true, {}},
    };
    for (const Case& c : cases) {
        const auto drawing =
            Entities([&](DxfTextBuilder& d) { d.polyline("W", c.vertices, c.closed); });
        PolygonList walls;
        AppendWallPolygons(drawing, "W", walls);
        EXPECT_EQ(PointsOf(walls), c.expected) << c.name;
    }
}

TEST(DxfPlanReaders, WallsReadPolylinesThenLinesThenCircles) {
    const auto drawing = Entities([](DxfTextBuilder& d) {
        d.circle("W", {0, 0}, 1).line("W", {1, 2}, {3, 4}).polyline("W", kSquare, true);
    });
    PolygonList walls;
    walls.append(PlanPolygon());
    AppendWallPolygons(drawing, "W", walls);
    ASSERT_EQ(walls.count(), 4);
    EXPECT_TRUE(walls[0].empty());
    EXPECT_EQ(walls[1].points(), kSquare);
    EXPECT_EQ(walls[2].points(), (Points{{1, 2}, {3, 4}}));
    EXPECT_EQ(walls[3].count(), 8);
}

TEST(DxfPlanReaders, CircleBecomesAnOctagonFromAngleZero) {
    const PlanPolygon octagon = CircleOctagon({{0, 0}, 1});
    const double h = std::sqrt(0.5);
    const Points expected = {{1, 0}, {h, h}, {0, 1}, {-h, h}, {-1, 0}, {-h, -h}, {0, -1}, {h, -h}};
    ASSERT_EQ(octagon.count(), 8);
    for (int k = 0; k < 8; ++k) {
        EXPECT_NEAR(octagon[k].x, expected[static_cast<size_t>(k)].x, 1e-15) << k;
        EXPECT_NEAR(octagon[k].y, expected[static_cast<size_t>(k)].y, 1e-15) << k;
    }
    const PlanPolygon moved = CircleOctagon({{10, 20}, 2});
    EXPECT_EQ(moved[0], (PlanPoint{12, 20}));
    EXPECT_NEAR(moved[2].y, 22, 1e-15);
}

TEST(DxfPlanReaders, PathsDropARepeatedLastVertexAndStayOpen) {
    const auto drawing = Entities([](DxfTextBuilder& d) {
        d.polyline("P", {{0, 0}, {1, 0}, {0, 0}}).polyline("P", {{0, 0}, {2, 0}, {2, 2}}, true);
    });
    PolygonList paths;
    AppendPaths(drawing, "P", paths);
    EXPECT_EQ(PointsOf(paths), (std::vector<Points>{{{0, 0}, {1, 0}}, {{0, 0}, {2, 0}, {2, 2}}}));
}

TEST(DxfPlanReaders, PointsAreCircleCentres) {
    const auto drawing = Entities([](DxfTextBuilder& d) {
        d.circle("Pts", {1, 2}, 5).circle("Pts", {3, 4}, 0).line("Pts", {0, 0}, {1, 1});
    });
    std::vector<PlanPoint> points = {{9, 9}};
    AppendCircleCentres(drawing, "PTS", points);
    EXPECT_EQ(points, (Points{{9, 9}, {1, 2}, {3, 4}}));
}

TEST(DxfPlanReaders, AxialSegmentsFromPolylinesWithoutClosingThenLines) {
    const auto drawing = Entities([](DxfTextBuilder& d) {
        d.line("A", {5, 5}, {6, 6}).polyline("A", {{0, 0}, {1, 0}, {1, 1}}, true);
    });
    std::vector<PlanSegment> axial;
    AppendAxialSegments(drawing, "A", axial);
    const std::vector<PlanSegment> expected = {
        {{0, 0}, {1, 0}}, {{1, 0}, {1, 1}}, {{5, 5}, {6, 6}}};
    EXPECT_EQ(axial, expected);
}

}  // namespace
