#include <gtest/gtest.h>

#include <string>

#include "isovist/IsovistPropertiesText.h"

namespace {

// The 10 x 10 room seen from its centre; the dialog recomputes everything but occlusivity.
IsovistRecord SquareRoomRecord() {
    IsovistRecord r;
    r.polygon = PlanPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    r.origin = {5, 5};
    r.occlusivity = 0.75;
    r.graphMeasures.connectivity = 12;
    r.graphMeasures.meanDepth = 1.5;
    r.graphMeasures.relativeAsymmetry = -1;
    r.graphMeasures.pointCount = 3;
    r.pathCount = 4;
    return r;
}

RadialStats SomeStats() {
    RadialStats s;
    s.mean = 2.5;
    s.sum = 3600;
    s.standardDeviation = 1.25;
    s.max = 7.07106781;
    s.min = 5;
    s.variance = 1.5625;
    s.elongation = 0.35356;
    s.autocorrelation = -0.1;
    return s;
}

TEST(IsovistPropertiesText, WithoutUnits) {
    const IsovistProperties dialog(SquareRoomRecord(), SomeStats(), false, kRadialMethod, 0);
    const IsovistPropertiesFields f = dialog.Fields(false);
    EXPECT_EQ(f.isovistAt, "5.0000, 5.0000");
    EXPECT_EQ(f.area, "100.0000");
    EXPECT_EQ(f.perimeter, "40.0000");
    EXPECT_EQ(f.drift, "0.0000");
    EXPECT_EQ(f.centroid, "5.0000, 5.0000");
    EXPECT_EQ(f.occlusivity, "0.7500");
    EXPECT_EQ(f.circularity, "16.0000");
    EXPECT_EQ(f.compactness, "2.5000");
    EXPECT_EQ(f.mean, "2.5000");
    EXPECT_EQ(f.sum, "3600.0000");
    EXPECT_EQ(f.standardDeviation, "1.2500");
    EXPECT_EQ(f.maximum, "7.0711");
    EXPECT_EQ(f.minimum, "5.0000");
    EXPECT_EQ(f.variance, "1.5625");
    EXPECT_EQ(f.elongation, "0.3536");
    EXPECT_EQ(f.autocorrelation, "-0.1000");
    EXPECT_EQ(f.connectivity, "");
    EXPECT_EQ(f.meanDepth, "");
}

struct UnitCase {
    int32_t unit;
    const char* name;
};

void PrintTo(const UnitCase& c, std::ostream* os) {
    *os << c.name;
}

class IsovistPropertiesUnits : public ::testing::TestWithParam<UnitCase> {};

TEST_P(IsovistPropertiesUnits, ShowUnitsAddsTheUnitNames) {
    const std::string u = GetParam().name;
    const std::string u2 = u + "\xC2\xB2";  // a real superscript two on screen
    const IsovistProperties dialog(SquareRoomRecord(), SomeStats(), true, kRadialMethod,
                                   GetParam().unit);
    const IsovistPropertiesFields f = dialog.Fields(true);
    EXPECT_EQ(f.isovistAt, "5.0000 " + u + ", 5.0000 " + u);
    EXPECT_EQ(f.area, "100.0000 " + u2);
    EXPECT_EQ(f.perimeter, "40.0000 " + u);
    EXPECT_EQ(f.drift, "0.0000 " + u);
    EXPECT_EQ(f.centroid, "5.0000 " + u + ", 5.0000 " + u);
    EXPECT_EQ(f.occlusivity, "0.7500");
    EXPECT_EQ(f.circularity, "16.0000");
    EXPECT_EQ(f.compactness, "2.5000 (" + u + ")");
    EXPECT_EQ(f.mean, "2.5000 " + u);
    EXPECT_EQ(f.sum, "3600.0000 " + u);
    EXPECT_EQ(f.standardDeviation, "1.2500 " + u);
    EXPECT_EQ(f.maximum, "7.0711 " + u);
    EXPECT_EQ(f.minimum, "5.0000 " + u);
    EXPECT_EQ(f.variance, "1.5625 " + u2);
    EXPECT_EQ(f.elongation, "0.3536");
    EXPECT_EQ(f.autocorrelation, "-0.1000");
    // Graph measures never carry units.
    EXPECT_EQ(f.connectivity, "12");
    EXPECT_EQ(f.pathCount, "4");
    EXPECT_EQ(f.meanDepth, "1.5000");
    EXPECT_EQ(f.relativeAsymmetry, "-1.0000");
    EXPECT_EQ(f.pointCount, "3.0000");
    EXPECT_EQ(f.globalE, "0.0000");
    // Texts() gives both sets, for a dialog that toggles "Show units".
    EXPECT_EQ(dialog.Texts().withUnits, f);
    EXPECT_EQ(dialog.Texts().withoutUnits, dialog.Fields(false));
}

INSTANTIATE_TEST_SUITE_P(AllUnits, IsovistPropertiesUnits,
                         ::testing::Values(UnitCase{0, "mm"}, UnitCase{1, "cm"}, UnitCase{2, "m"},
                                           UnitCase{3, "in"}, UnitCase{4, "ft"}));

TEST(IsovistPropertiesText, ExactMethodLeavesRadialFieldsEmpty) {
    const IsovistProperties dialog(SquareRoomRecord(), SomeStats(), false, 0, 4);
    for (bool units : {false, true}) {
        const IsovistPropertiesFields f = dialog.Fields(units);
        EXPECT_EQ(f.area, units ? "100.0000 ft\xC2\xB2" : "100.0000");
        for (const std::string* text :
             {&f.mean, &f.sum, &f.standardDeviation, &f.maximum, &f.minimum, &f.variance,
              &f.elongation, &f.autocorrelation}) {
            EXPECT_EQ(*text, "");
        }
    }
}

TEST(IsovistPropertiesText, NoIsovistShowsZeros) {
    const IsovistProperties dialog(IsovistRecord{}, RadialStats{}, false, 0, 0);
    const IsovistPropertiesFields f = dialog.Fields(false);
    EXPECT_EQ(f.isovistAt, "0.0000, 0.0000");
    EXPECT_EQ(f.area, "0.0000");
    EXPECT_EQ(f.perimeter, "0.0000");
    EXPECT_EQ(f.compactness, "0.0000");
    EXPECT_EQ(f.circularity, "0.0000");
}

TEST(IsovistPropertiesText, CopyIsMeasuredButTheCallersRecordIsNot) {
    const IsovistRecord original = SquareRoomRecord();
    const IsovistProperties dialog(original, SomeStats(), false, 0, 0);
    EXPECT_EQ(dialog.record().area, 100.0);
    EXPECT_EQ(original.area, 0.0);
}

TEST(IsovistPropertiesText, RowsFollowTheDialogOrder) {
    const IsovistProperties dialog(SquareRoomRecord(), SomeStats(), true, kRadialMethod, 2);
    const auto rows = IsovistPropertiesRows(dialog.Fields(true));
    ASSERT_EQ(rows.size(), 30u);
    EXPECT_STREQ(rows[0].label, "Isovist at");
    EXPECT_EQ(rows[1].text, "100.0000 m\xC2\xB2");
    EXPECT_STREQ(rows[13].label, "Variance (Complexity)");
    EXPECT_STREQ(rows[13].group, "Radial data");
    EXPECT_STREQ(rows[29].label, "Point Count");
    EXPECT_EQ(rows[29].text, "3.0000");
}

}  // namespace
