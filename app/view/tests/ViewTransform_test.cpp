#include "view/ViewTransform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

ViewTransform At(double ox, double oy, double scale) {
    ViewTransform t;
    t.originX = ox;
    t.originY = oy;
    t.scale = scale;
    return t;
}

TEST(ViewZoom, ZoomInMovesOriginByWholePixels) {
    ViewTransform t = At(100, 200, 1.0);
    t.pickedLogicalX = 10.0;
    ZoomIn(t, 400, 300);
    EXPECT_DOUBLE_EQ(t.scale, 1.1);
    // dx = (200 - 100) * 0.1 = 10, dy = (150 - 200) * 0.1 = -5.
    EXPECT_EQ(t.originX, 90.0);
    EXPECT_EQ(t.originY, 205.0);
    EXPECT_DOUBLE_EQ(t.pickedLogicalX, 11.0);
}

TEST(ViewZoom, InThenOutRestoresScaleAndOriginUpToPixels) {
    ViewTransform t = At(37, 512, 0.75);
    for (int i = 0; i < 5; ++i) {
        ZoomIn(t, 801, 603);
    }
    for (int i = 0; i < 5; ++i) {
        ZoomOut(t, 801, 603);
    }
    EXPECT_NEAR(t.scale, 0.75, 1e-12);
    EXPECT_NEAR(t.originX, 37, 5);
    EXPECT_NEAR(t.originY, 512, 5);
}

TEST(ViewZoom, WheelTowardsThenAwayRestoresScale) {
    ViewTransform t = At(0, 550, 2.0);
    WheelZoom(t, -120, 10, 20, 800, 600);
    EXPECT_NEAR(t.scale, 2.0 / 1.1, 1e-12);
    WheelZoom(t, 120, 10, 20, 800, 600);
    EXPECT_NEAR(t.scale, 2.0, 1e-12);
    EXPECT_NEAR(t.originX, 0, 2);
    EXPECT_NEAR(t.originY, 550, 2);
}

TEST(ViewZoom, WheelKeepsThePointUnderTheCursorRoughlyStill) {
    // Zoom in at the centre behaves as the plain zoom; off centre the origin shifts by a tenth.
    ViewTransform centre = At(100, 200, 1.0);
    WheelZoom(centre, 120, 200, 150, 400, 300);
    ViewTransform plain = At(100, 200, 1.0);
    ZoomIn(plain, 400, 300);
    EXPECT_EQ(centre, plain);
    ViewTransform corner = At(100, 200, 1.0);
    WheelZoom(corner, 120, 0, 0, 400, 300);
    EXPECT_EQ(corner.originX, plain.originX + 20);
    EXPECT_EQ(corner.originY, plain.originY + 15);
}

TEST(ViewExtent, FitsHandComputedPlan) {
    ViewTransform t;
    ZoomExtent(t, PlanExtent{0, 10, 0, 20}, 400, 300);
    // r = min(400 / 10, 300 / 20) = 15, so the scale is 30; the centre (5, 10) lies at logical
    // (150, 300), device (57, -113), and moves to the client centre (200, 150).
    EXPECT_DOUBLE_EQ(t.scale, 30.0);
    EXPECT_EQ(t.originX, 143.0);
    EXPECT_EQ(t.originY, 263.0);
}

struct DegenerateCase {
    const char* name;
    PlanExtent extent;
    double expectedScale;
};

// Names the case in test listings (instead of dumping its bytes).
void PrintTo(const DegenerateCase& c, std::ostream* os) {
    *os << c.name;
}

class DegenerateExtent : public testing::TestWithParam<DegenerateCase> {};

TEST_P(DegenerateExtent, KeepsAFiniteScale) {
    ViewTransform t = At(0, 0, 0.5);
    ZoomExtent(t, GetParam().extent, 400, 300);
    EXPECT_TRUE(std::isfinite(t.originX));
    EXPECT_TRUE(std::isfinite(t.originY));
    EXPECT_NEAR(t.scale, GetParam().expectedScale, 1e-12) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Plans, DegenerateExtent,
    testing::Values(DegenerateCase{"empty", {0, 0, 0, 0}, 0.5},
                    DegenerateCase{"vertical line", {5, 5, 0, 100}, 2.0 * 300 / 100},
                    DegenerateCase{"horizontal line", {0, 40, 7, 7}, 2.0 * 400 / 40},
                    DegenerateCase{"single point", {3, 3, 4, 4}, 0.5}));

TEST(ViewPick, ConvertsDeviceToLogicalAndPlan) {
    ViewTransform t = At(100, 200, 2.0);
    // 189 px is 500.06 logical units; 378 px is 1000.13; y is flipped.
    PickAt(t, DevicePoint{289, -178});
    EXPECT_EQ(t.pickedLogicalIntX, 500);
    EXPECT_EQ(t.pickedLogicalIntY, 1000);
    EXPECT_EQ(t.pickedLogicalX, 500.0);
    EXPECT_EQ(t.pickedPlanX, 250.0);
    EXPECT_EQ(t.pickedPlanY, 500.0);
}

TEST(ViewPick, PlanPointDrawsBackNearTheClick) {
    ViewTransform t = At(13, 477, 0.0374);
    PickAt(t, DevicePoint{321, 99});
    const double lx = PlanToLogical(t.pickedPlanX, t.scale);
    const double ly = PlanToLogical(t.pickedPlanY, t.scale);
    EXPECT_NEAR(LogicalToDeviceX(t, lx), 321, 1.0);
    EXPECT_NEAR(LogicalToDeviceY(t, ly), 99, 1.0);
}

TEST(ViewTransformRepair, ReplacesUnusableValues) {
    ViewTransform t = At(std::numeric_limits<double>::quiet_NaN(), 5, 0.0);
    EXPECT_TRUE(RepairViewTransform(t));
    EXPECT_EQ(t.originX, 0.0);
    EXPECT_EQ(t.originY, 5.0);
    EXPECT_EQ(t.scale, 1.0);
    EXPECT_FALSE(RepairViewTransform(t));
    ViewTransform negative = At(0, 0, -3.0);
    EXPECT_TRUE(RepairViewTransform(negative));
}

TEST(ViewTransformMath, PlanToLogicalTruncatesAndClamps) {
    EXPECT_EQ(PlanToLogical(2.99, 1.0), 2);
    EXPECT_EQ(PlanToLogical(-2.99, 1.0), -2);
    EXPECT_EQ(PlanToLogical(1e300, 1.0), INT32_MAX);
    EXPECT_EQ(PlanToLogical(-1e300, 1.0), INT32_MIN);
    EXPECT_EQ(PlanToLogical(std::numeric_limits<double>::quiet_NaN(), 1.0), 0);
}

}  // namespace
