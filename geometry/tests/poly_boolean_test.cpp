// Union, intersection and difference of simple polygons: configurations settled without
// tracing, traced results, result codes and ownership of the returned memory.
#include <gtest/gtest.h>

#include "poly_test_support.h"

using namespace polytest;

namespace {

const Ring kSquare = rectangle(0, 0, 10, 10);
const Ring kShifted = rectangle(5, 5, 15, 15);
const Ring kInner = rectangle(2, 2, 8, 8);
const Ring kFar = rectangle(20, 20, 30, 30);

TEST(PolyUnion, OverlappingSquaresTraceTheEightCorners) {
    const RegionResult result = polygonUnion(kSquare, kShifted);
    ASSERT_EQ(result.code, 1);
    const Ring expected{{0, 0}, {10, 0}, {10, 5}, {15, 5}, {15, 15}, {5, 15}, {5, 10}, {0, 10}};
    EXPECT_EQ(result.outline().size(), 8u);
    EXPECT_TRUE(sameCycle(result.outline(), expected));
    EXPECT_TRUE(result.holes().empty());
}

TEST(PolyUnion, DisjointSquaresFail) {
    EXPECT_EQ(polygonUnion(kSquare, kFar).code, 0);
}

TEST(PolyUnion, NestedPolygonsGiveTheOuterOne) {
    const RegionResult inner = polygonUnion(kSquare, kInner);
    ASSERT_EQ(inner.code, 1);
    EXPECT_TRUE(sameCycle(inner.outline(), kSquare));
    const RegionResult outer = polygonUnion(kInner, kSquare);
    ASSERT_EQ(outer.code, 1);
    EXPECT_TRUE(sameCycle(outer.outline(), kSquare));
}

TEST(PolyUnion, ClockwiseInputStillGivesTheUnion) {
    const RegionResult result = polygonUnion(reversed(kSquare), reversed(kShifted));
    ASSERT_EQ(result.code, 1);
    EXPECT_DOUBLE_EQ(signedArea(result.outline()), 175.0);
    EXPECT_TRUE(result.holes().empty());
}

TEST(PolyUnion, ReplacesWhatTheRegionHeld) {
    RegionResult result = polygonUnion(kSquare, kShifted);
    ASSERT_EQ(result.code, 1);
    const zoPolygon a = view(kSquare), b = view(kInner);
    zoRegion* target = result.region.get();
    ASSERT_EQ(zoPolyUnion(&a, &b, &target), 1);
    EXPECT_TRUE(sameCycle(result.outline(), kSquare));
}

TEST(PolyUnion, UShapeClosedByABarHasAHole) {
    // A U open at the top, closed by a bar across its arms: the gap between the arms becomes
    // a clockwise hole.
    const Ring u{{0, 0}, {30, 0}, {30, 20}, {20, 20}, {20, 10}, {10, 10}, {10, 20}, {0, 20}};
    const Ring bar = rectangle(-5, 15, 35, 25);
    const RegionResult result = polygonUnion(u, bar);
    ASSERT_EQ(result.code, 1);
    ASSERT_EQ(result.holes().size(), 1u);
    const Ring hole = result.holes()[0];
    EXPECT_DOUBLE_EQ(signedArea(hole), -50.0);
    EXPECT_DOUBLE_EQ(signedArea(result.outline()), 40.0 * 10 + 30 * 15);
}

TEST(PolyUnion, WritesIntoAZeroedRegionOfTheCaller) {
    // A region the caller allocated zeroed: its empty hole list grows from capacity 1 to 2.
    RegionPtr region(static_cast<zoRegion*>(std::calloc(1, sizeof(zoRegion))));
    const Ring u{{0, 0}, {30, 0}, {30, 20}, {20, 20}, {20, 10}, {10, 10}, {10, 20}, {0, 20}};
    const Ring bar = rectangle(-5, 15, 35, 25);
    const zoPolygon pu = view(u), pbar = view(bar);
    zoRegion* target = region.get();
    ASSERT_EQ(zoPolyUnion(&pu, &pbar, &target), 1);
    EXPECT_EQ(region->holes.count, 1);
    EXPECT_EQ(region->holes.capacity, 2);
    EXPECT_EQ(region->outline.count, 8);
}

TEST(PolyIntersection, NestedAndDisjoint) {
    const ListResult nested = intersection(kSquare, kInner);
    ASSERT_EQ(nested.code, 1);
    ASSERT_EQ(nested.rings().size(), 1u);
    EXPECT_TRUE(sameCycle(nested.rings()[0], kInner));

    const ListResult disjoint = intersection(kSquare, kFar);
    EXPECT_EQ(disjoint.code, 0);
    ASSERT_NE(disjoint.list, nullptr);
    EXPECT_EQ(disjoint.list->count, 0);
    EXPECT_EQ(disjoint.list->capacity, 16);
}

TEST(PolyIntersection, OverlappingSquares) {
    const ListResult result = intersection(kSquare, kShifted);
    ASSERT_EQ(result.code, 1);
    ASSERT_EQ(result.rings().size(), 1u);
    EXPECT_TRUE(sameCycle(result.rings()[0], rectangle(5, 5, 10, 10)));
}

TEST(PolyIntersection, SameListForEitherOrientation) {
    const ListResult reference = intersection(kSquare, kShifted);
    ASSERT_EQ(reference.rings().size(), 1u);
    const Ring firsts[] = {kSquare, reversed(kSquare)};
    const Ring seconds[] = {kShifted, reversed(kShifted)};
    for (const Ring& a : firsts) {
        for (const Ring& b : seconds) {
            const ListResult result = intersection(a, b);
            EXPECT_EQ(result.code, 1);
            ASSERT_EQ(result.rings().size(), 1u);
            EXPECT_TRUE(sameCycle(result.rings()[0], reference.rings()[0]));
        }
    }
}

TEST(PolyIntersection, PieceMadeOfCrossingPointsOnly) {
    // A square and the same square turned by 45 degrees about its centre and scaled so that
    // neither holds a vertex of the other: the octagon has crossing points only.
    const Ring square = rectangle(-1, -1, 1, 1);
    const Ring diamond{{1.3, 0}, {0, 1.3}, {-1.3, 0}, {0, -1.3}};
    const ListResult result = intersection(square, diamond);
    ASSERT_EQ(result.code, 1);
    ASSERT_EQ(result.rings().size(), 1u);
    EXPECT_EQ(result.rings()[0].size(), 8u);
    // The square minus four corner triangles with legs 0.7.
    EXPECT_NEAR(signedArea(result.rings()[0]), 4 - 4 * 0.5 * 0.7 * 0.7, 1e-12);
}

TEST(PolyIntersection, TwoPiecesFromAUAndABar) {
    const Ring u{{0, 0}, {30, 0}, {30, 20}, {20, 20}, {20, 10}, {10, 10}, {10, 20}, {0, 20}};
    const Ring bar = rectangle(-5, 15, 35, 25);
    const ListResult result = intersection(u, bar);
    ASSERT_EQ(result.code, 1);
    ASSERT_EQ(result.rings().size(), 2u);
    for (const Ring& piece : result.rings())
        EXPECT_DOUBLE_EQ(signedArea(piece), 50.0);
}

TEST(PolySubtract, ResultCodesOfTheSettledConfigurations) {
    const ListResult hole = difference(kSquare, kInner);
    ASSERT_EQ(hole.code, 3);
    ASSERT_EQ(hole.rings().size(), 2u);
    EXPECT_TRUE(sameCycle(hole.rings()[0], kSquare));
    EXPECT_TRUE(sameCycle(hole.rings()[1], reversed(kInner)));

    const ListResult nothing = difference(kInner, kSquare);
    EXPECT_EQ(nothing.code, 1);
    EXPECT_EQ(nothing.list->count, 0);

    const ListResult disjoint = difference(kSquare, kFar);
    EXPECT_EQ(disjoint.code, 0);
    EXPECT_EQ(disjoint.list->count, 0);

    const ListResult same = difference(kSquare, reversed(kSquare));
    EXPECT_EQ(same.code, 1);
}

TEST(PolySubtract, OverlappingSquaresLeaveAnL) {
    const ListResult result = difference(kSquare, kShifted);
    ASSERT_EQ(result.code, 2);
    ASSERT_EQ(result.rings().size(), 1u);
    const Ring expected{{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 10}, {0, 10}};
    EXPECT_TRUE(sameCycle(result.rings()[0], expected));
}

TEST(PolySubtract, ManyPiecesGrowTheList) {
    // A comb of 20 teeth cuts a bar into 21 pieces: the list doubles from 16 to 32.
    const Ring bar = rectangle(0, 0, 41, 2);
    Ring comb{{-1, -1}, {-1, -2}, {42, -2}, {42, -1}};
    for (int tooth = 19; tooth >= 0; --tooth) {
        const double x = 2.0 * tooth + 1.5;
        comb.push_back({x + 1, -1});
        comb.push_back({x + 1, 3});
        comb.push_back({x, 3});
        comb.push_back({x, -1});
    }
    const ListResult result = difference(bar, comb);
    ASSERT_EQ(result.code, 2);
    EXPECT_EQ(result.list->count, 21);
    EXPECT_EQ(result.list->capacity, 32);
    EXPECT_DOUBLE_EQ(totalArea(result.rings()), 41 * 2 - 20 * 2);
}

TEST(PolyBoolean, BadArgumentsFailAndStillHandOutAList) {
    const Ring twoPoints{{0, 0}, {1, 1}};
    const Ring repeated{{0, 0}, {0, 0}, {1, 1}, {1, 1}};
    const Ring collinear{{0, 0}, {1, 1}, {2, 2}};
    const zoPolygon square = view(kSquare);
    const zoPolygon nullPoints{nullptr, 4};
    for (const Ring& bad : {twoPoints, repeated, collinear}) {
        EXPECT_EQ(intersection(kSquare, bad).code, 0);
        EXPECT_NE(intersection(bad, kSquare).list, nullptr);
        EXPECT_EQ(difference(bad, kSquare).code, 0);
        EXPECT_EQ(polygonUnion(kSquare, bad).code, 0);
    }
    zoPolygonList* list = nullptr;
    EXPECT_EQ(zoPolyIntersection(&square, &nullPoints, &list), 0);
    ASSERT_NE(list, nullptr);
    zoPolyPointsFree(list);
    list = nullptr;
    EXPECT_EQ(zoPolySubtract(nullptr, &square, &list), 0);
    ASSERT_NE(list, nullptr);
    zoPolyPointsFree(list);
    EXPECT_EQ(zoPolyIntersection(&square, &square, nullptr), 0);
    EXPECT_EQ(zoPolyUnion(&square, &square, nullptr), 0);
    zoRegion* noRegion = nullptr;
    EXPECT_EQ(zoPolyUnion(&square, &square, &noRegion), 0);
    zoPolyPointsFree(nullptr);
    zoPolyOpenFree(nullptr);
}

TEST(PolyBoolean, RepeatedVerticesAreIgnored) {
    const Ring square{{0, 0}, {10, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    const ListResult result = intersection(square, kShifted);
    ASSERT_EQ(result.code, 1);
    EXPECT_TRUE(sameCycle(result.rings()[0], rectangle(5, 5, 10, 10)));
}

struct TouchCase {
    const char* name;
    Ring second;
    int32_t unionCode;
    double unionArea;
    int32_t intersectionCode;
    double intersectionArea;
    int32_t differenceCode;
    double differenceArea;
};

void PrintTo(const TouchCase& c, std::ostream* os) {
    *os << c.name;
}

class PolyTouching : public testing::TestWithParam<TouchCase> {};

TEST_P(PolyTouching, SharedEdgesAndVertices) {
    const TouchCase& c = GetParam();
    const RegionResult u = polygonUnion(kSquare, c.second);
    EXPECT_EQ(u.code, c.unionCode);
    if (u.code == 1) {
        EXPECT_DOUBLE_EQ(signedArea(u.outline()) - totalArea(u.holes()), c.unionArea);
    }
    const ListResult i = intersection(kSquare, c.second);
    EXPECT_EQ(i.code, c.intersectionCode);
    EXPECT_DOUBLE_EQ(totalArea(i.rings()), c.intersectionArea);
    const ListResult d = difference(kSquare, c.second);
    EXPECT_EQ(d.code, c.differenceCode);
    if (d.code == 2) {
        EXPECT_DOUBLE_EQ(totalArea(d.rings()), c.differenceArea);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PolyTouching,
    testing::Values(TouchCase{"CornerToCorner", rectangle(10, 10, 20, 20), 0, 0, 0, 0, 0, 0},
                    TouchCase{"EdgeToEdge", rectangle(10, 0, 20, 10), 1, 200, 0, 0, 2, 100},
                    TouchCase{"PartOfAnEdge", rectangle(10, 2, 20, 8), 1, 160, 0, 0, 2, 100},
                    TouchCase{"InsideOnACorner", rectangle(0, 0, 5, 5), 1, 100, 1, 25, 2, 75},
                    TouchCase{"InsideAlongAnEdge", rectangle(3, 0, 6, 4), 1, 100, 1, 12, 2, 88},
                    TouchCase{"Identical", rectangle(0, 0, 10, 10), 1, 100, 1, 100, 1, 0},
                    TouchCase{"SameEdgeOverhanging", rectangle(5, 0, 15, 10), 1, 150, 1, 50, 2, 50},
                    TouchCase{"TriangleOnTheDiagonal", Ring{{0, 0}, {10, 0}, {0, 10}}, 1, 100, 1,
                              50, 2, 50},
                    TouchCase{"ApexOnAnEdge", Ring{{5, 10}, {15, 20}, {-5, 20}}, 0, 0, 0, 0, 0, 0}),
    [](const testing::TestParamInfo<TouchCase>& info) { return info.param.name; });

}  // namespace

namespace {

// Input that is not a simple polygon still gets an answer code and releasable memory.
TEST(PolyBoolean, SelfIntersectingAndSpikyInputEndCleanly) {
    const Ring figureEight{{0, 0}, {10, 10}, {10, 0}, {0, 10}};
    const Ring spike{{0, 0}, {10, 0}, {10, 10}, {20, 10}, {10, 10}, {0, 10}};
    const Ring backAndForth{{0, 0}, {10, 0}, {0, 0}, {0, 10}};
    for (const Ring& odd : {figureEight, spike, backAndForth}) {
        for (const Ring& other : {kSquare, kShifted, odd}) {
            const RegionResult u = polygonUnion(odd, other);
            EXPECT_TRUE(u.code == 0 || u.code == 1);
            const ListResult i = intersection(odd, other);
            EXPECT_TRUE(i.code == 0 || i.code == 1);
            EXPECT_EQ(i.code == 1, !i.rings().empty());
            const ListResult d = difference(other, odd);
            EXPECT_TRUE(d.code >= 0 && d.code <= 3);
        }
    }
}

}  // namespace
