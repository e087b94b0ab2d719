// Union of regions with holes.
#include <gtest/gtest.h>

#include "poly_test_support.h"

using namespace polytest;

namespace {

struct RegionInput {
    Ring outline;
    std::vector<Ring> holes;
    std::vector<zoPolygon> holeViews;
    zoRegion region{};

    RegionInput(Ring outlineRing, std::vector<Ring> holeRings)
        : outline(std::move(outlineRing)), holes(std::move(holeRings)) {
        for (const Ring& hole : holes)
            holeViews.push_back(view(hole));
        const auto count = static_cast<int32_t>(holeViews.size());
        region = zoRegion{view(outline), zoPolygonList{holeViews.data(), count, count}};
    }
};

RegionResult regionUnion(const RegionInput& a, const RegionInput& b) {
    zoRegion* result = nullptr;
    const int32_t code = zoPolyOpenUnion(&a.region, &b.region, &result);
    return RegionResult{code, RegionPtr(result)};
}

double holeArea(const RegionResult& result) {
    return totalArea(result.holes());
}

TEST(PolyOpenUnion, HoleLosesWhatTheOtherOutlineCovers) {
    const RegionInput a(rectangle(0, 0, 10, 10), {reversed(rectangle(2, 2, 8, 8))});
    const RegionInput b(rectangle(5, 5, 15, 15), {});
    const RegionResult result = regionUnion(a, b);
    ASSERT_EQ(result.code, 1);
    EXPECT_DOUBLE_EQ(signedArea(result.outline()), 175.0);
    ASSERT_EQ(result.holes().size(), 1u);
    EXPECT_DOUBLE_EQ(signedArea(result.holes()[0]), -(36.0 - 9.0));
}

TEST(PolyOpenUnion, HolesOfBothKeepTheirCommonPart) {
    const RegionInput a(rectangle(0, 0, 10, 10), {reversed(rectangle(4, 4, 8, 8))});
    const RegionInput b(rectangle(5, 5, 15, 15), {reversed(rectangle(6, 6, 9, 9))});
    const RegionResult result = regionUnion(a, b);
    ASSERT_EQ(result.code, 1);
    // [4,8]² minus [5,15]² (7) and [4,8]² ∩ [6,9]² (4); [6,9]² lies inside a's outline.
    ASSERT_EQ(result.holes().size(), 2u);
    EXPECT_DOUBLE_EQ(holeArea(result), 11.0);
    for (const Ring& hole : result.holes())
        EXPECT_LT(signedArea(hole), 0);
}

TEST(PolyOpenUnion, UntouchedHoleIsKeptAsGiven) {
    const Ring hole{{1, 3}, {1, 1}, {3, 1}, {3, 3}};
    const RegionInput a(rectangle(0, 0, 10, 10), {hole});
    const RegionInput b(rectangle(5, 5, 15, 15), {});
    const RegionResult result = regionUnion(a, b);
    ASSERT_EQ(result.code, 1);
    ASSERT_EQ(result.holes().size(), 1u);
    EXPECT_EQ(result.holes()[0].size(), hole.size());
    EXPECT_TRUE(sameCycle(result.holes()[0], hole));
    EXPECT_EQ(result.region->holes.capacity, 16);
}

TEST(PolyOpenUnion, IslandInAHoleFails) {
    const RegionInput a(rectangle(0, 0, 10, 10), {reversed(rectangle(2, 2, 8, 8))});
    const RegionInput b(rectangle(4, 4, 6, 6), {});
    zoRegion* result = reinterpret_cast<zoRegion*>(&result);
    EXPECT_EQ(zoPolyOpenUnion(&a.region, &b.region, &result), 0);
    EXPECT_EQ(result, nullptr);
}

TEST(PolyOpenUnion, FailuresStoreNothing) {
    const RegionInput a(rectangle(0, 0, 10, 10), {});
    const RegionInput far(rectangle(20, 20, 30, 30), {});
    const RegionInput flat(Ring{{0, 0}, {1, 1}, {2, 2}}, {});
    zoRegion* result = nullptr;
    EXPECT_EQ(zoPolyOpenUnion(&a.region, &far.region, &result), 0);
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(zoPolyOpenUnion(&a.region, &flat.region, &result), 0);
    EXPECT_EQ(zoPolyOpenUnion(nullptr, &a.region, &result), 0);
    EXPECT_EQ(zoPolyOpenUnion(&a.region, &a.region, nullptr), 0);
    EXPECT_EQ(result, nullptr);
}

TEST(PolyOpenUnion, RegionFeedsPolygonUnion) {
    // The region handed out by one union can take the result of a polygon union.
    const RegionInput a(rectangle(0, 0, 10, 10), {});
    const RegionInput b(rectangle(5, 5, 15, 15), {});
    RegionResult result = regionUnion(a, b);
    ASSERT_EQ(result.code, 1);
    const Ring u{{0, 0}, {30, 0}, {30, 20}, {20, 20}, {20, 10}, {10, 10}, {10, 20}, {0, 20}};
    const Ring bar = rectangle(-5, 15, 35, 25);
    const zoPolygon pu = view(u), pbar = view(bar);
    zoRegion* target = result.region.get();
    ASSERT_EQ(zoPolyUnion(&pu, &pbar, &target), 1);
    EXPECT_EQ(result.holes().size(), 1u);
}

}  // namespace
