// Observation points along a path: counts, spacings, bends, offsets and the walk's end.
#include "path/ObservationPoints.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using Mode = ObservationPointMode;

ObservationPointRequest ByCount(int32_t count) {
    return {Mode::ByNodeCount, count, 0.0, false};
}
ObservationPointRequest BySpacing(double spacing) {
    return {Mode::ByNodeSpacing, 0, spacing, false};
}

const PlanPolygon kStraight({{0, 0}, {10, 0}});         // length 10 along +x
const PlanPolygon kBend({{0, 0}, {4, 0}, {4, 6}});      // length 10, a right turn at 4
const PlanPolygon kRepeated({{0, 0}, {0, 0}, {10, 0}});  // a zero-length first segment

TEST(ObservationPoints, PlacedAlongThePolyline) {
    struct Case {
        const char* name;
        const PlanPolygon& path;
        ObservationPointRequest request;
        PathOffset offset;
        std::vector<PlanPoint> expected;
    };
    const Case cases[] = {
        {"count 0: both ends", kStraight, ByCount(0), {}, {{0, 0}, {10, 0}}},
        {"count 3: five points 2.5 apart", kStraight, ByCount(3), {},
         {{0, 0}, {2.5, 0}, {5, 0}, {7.5, 0}, {10, 0}}},
        {"spacing 3: 0, 3, 6, 9", kStraight, BySpacing(3), {}, {{0, 0}, {3, 0}, {6, 0}, {9, 0}}},
        {"spacing equal to the length", kStraight, BySpacing(10), {}, {{0, 0}, {10, 0}}},
        {"spacing longer than the path", kStraight, BySpacing(20), {}, {{0, 0}}},
        {"spacing 3 round a bend", kBend, BySpacing(3), {}, {{0, 0}, {3, 0}, {4, 2}, {4, 5}}},
        {"count 1 round a bend", kBend, ByCount(1), {}, {{0, 0}, {4, 1}, {4, 6}}},
        {"count 4 with a point on the bend", kBend, ByCount(4), {},
         {{0, 0}, {2, 0}, {4, 0}, {4, 2}, {4, 4}, {4, 6}}},
        {"a zero-length segment is walked past", kRepeated, BySpacing(5), {},
         {{0, 0}, {5, 0}, {10, 0}}},
        {"offset 2..8, count 2", kStraight, ByCount(2), {true, 2, 8},
         {{2, 0}, {4, 0}, {6, 0}, {8, 0}}},
        {"offset 2..8, spacing 4", kStraight, BySpacing(4), {true, 2, 8}, {{2, 0}, {6, 0}}},
        {"offset round a bend", kBend, BySpacing(2), {true, 3, 7}, {{3, 0}, {4, 1}, {4, 3}}},
        {"offset end beyond the path: the rest on the last node", kStraight, BySpacing(4),
         {true, 4, 16}, {{4, 0}, {8, 0}, {10, 0}, {10, 0}}},
        {"offset start beyond the path", kStraight, ByCount(0), {true, 12, 14},
         {{10, 0}, {10, 0}}},
        {"offset end before its start: all at the start", kStraight, ByCount(1), {true, 8, 2},
         {{8, 0}, {8, 0}, {8, 0}}},
        {"offset start below 0 starts at the first node", kStraight, ByCount(1), {true, -5, 5},
         {{0, 0}, {5, 0}, {10, 0}}},
        {"the offset ignores the path's length", kStraight, ByCount(0), {true, 0, 4},
         {{0, 0}, {4, 0}}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(CheckObservationPointRequest(c.request), ObservationPointRefusal::None) << c.name;
        const PlanPolygon points = PlaceObservationPoints(c.path, c.request, c.offset);
        ASSERT_EQ(points.count(), static_cast<int32_t>(c.expected.size())) << c.name;
        EXPECT_EQ(ObservationPointCount(c.request, c.offset, PathLength(c.path)),
                  points.count())
            << c.name;
        for (int32_t i = 0; i < points.count(); ++i) {
            EXPECT_NEAR(points[i].x, c.expected[static_cast<size_t>(i)].x, 1e-12) << c.name;
            EXPECT_NEAR(points[i].y, c.expected[static_cast<size_t>(i)].y, 1e-12) << c.name;
        }
    }
}

// Steps that do not add up exactly (0.1 on a path of length 1) still give count + 2 points,
// the last on the last node.
TEST(ObservationPoints, CountModeEndsOnTheLastNode) {
    const PlanPolygon path({{0, 0}, {0.3, 0.4}, {0.3, 0.9}});  // length 1
    for (int32_t count : {2, 6, 9, 29, 99}) {
        const PlanPolygon points = PlaceObservationPoints(path, ByCount(count), {});
        ASSERT_EQ(points.count(), count + 2);
        EXPECT_NEAR(points[count + 1].x, 0.3, 1e-12);
        EXPECT_NEAR(points[count + 1].y, 0.9, 1e-12);
        EXPECT_EQ(points[0], (PlanPoint{0, 0}));
    }
}

TEST(ObservationPoints, RequestsRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        ObservationPointRequest request;
        ObservationPointRefusal refusal;
        const char* message;
    };
    const Case cases[] = {
        {BySpacing(0), ObservationPointRefusal::IntervalNotPositive, "Interval not positive"},
        {BySpacing(-1), ObservationPointRefusal::IntervalNotPositive, "Interval not positive"},
        {BySpacing(nan), ObservationPointRefusal::IntervalNotPositive, "Interval not positive"},
        {ByCount(-1), ObservationPointRefusal::InvalidCount, "Invalid value for count"},
        // The other mode's field is not looked at.
        {{Mode::ByNodeCount, 0, -5.0, false}, ObservationPointRefusal::None, ""},
        {{Mode::ByNodeSpacing, -5, 1.0, false}, ObservationPointRefusal::None, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckObservationPointRequest(c.request), c.refusal) << c.message;
        EXPECT_STREQ(ObservationPointRefusalMessage(c.refusal), c.message);
    }
}

TEST(ObservationPoints, TooManyPointsAreCountedNotPlaced) {
    const double length = 10.0;
    EXPECT_EQ(ObservationPointCount(BySpacing(1e-9), {}, length), -1);
    EXPECT_EQ(ObservationPointCount(BySpacing(0.5), {}, length), 21);
    EXPECT_EQ(ObservationPointCount(ByCount(999999), {}, length), -1);
    EXPECT_EQ(ObservationPointCount(ByCount(std::numeric_limits<int32_t>::max()), {}, length), -1);
    EXPECT_EQ(ObservationPointCount(ByCount(999998), {}, length), 1000000);
    EXPECT_EQ(ObservationPointCount(BySpacing(1.0), {}, std::numeric_limits<double>::infinity()),
              -1);
    EXPECT_EQ(PlaceObservationPoints(kStraight, BySpacing(1e-9), {}).count(), 0);
}

TEST(ObservationPoints, PathsTooShortGetNone) {
    EXPECT_EQ(PlaceObservationPoints(PlanPolygon(), ByCount(3), {}).count(), 0);
    EXPECT_EQ(PlaceObservationPoints(PlanPolygon({{1, 1}}), ByCount(3), {}).count(), 0);
    EXPECT_DOUBLE_EQ(PathLength(kBend), 10.0);
    EXPECT_DOUBLE_EQ(PathLength(PlanPolygon({{1, 1}})), 0.0);
    // A path whose nodes all coincide: every point on them.
    const PlanPolygon point({{2, 3}, {2, 3}});
    const PlanPolygon points = PlaceObservationPoints(point, ByCount(2), {});
    ASSERT_EQ(points.count(), 4);
    for (const PlanPoint& p : points.points()) {
        EXPECT_EQ(p, (PlanPoint{2, 3}));
    }
}

}  // namespace
