#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "isovist/IsovistSubdivision.h"

namespace {

std::vector<PlanSegment> SquareWalls() {
    const PlanPoint c[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    return {{c[0], c[1]}, {c[1], c[2]}, {c[2], c[3]}, {c[3], c[0]}};
}

// The 10 x 10 room's point isovist as the reduced radial method leaves it.
IsovistRecord SquareRoomIsovist(PlanPoint origin) {
    IsovistRecord r;
    r.polygon = PlanPolygon({{10, 10}, {0, 10}, {0, 0}, {10, 0}});
    r.origin = origin;
    return r;
}

class SquareRoomSubdivision : public ::testing::Test {
  protected:
    std::vector<PlanSegment> walls = SquareWalls();
    IsovistRecord pointIsovist = SquareRoomIsovist({5, 5});
    IsovistSubdivision subdivision{pointIsovist, walls, 0};
};

// Four sectors from 0° are the room's four quarters: each a 5 x 5 square with two sight-line
// sides (so half its outline is wall) and its far corner √50 from the origin.
TEST_F(SquareRoomSubdivision, FourSectorsAreTheRoomsQuarters) {
    ASSERT_TRUE(subdivision.Generate(0, 4));
    ASSERT_EQ(subdivision.sectors().size(), 4u);
    const PlanPoint farCorners[] = {{10, 10}, {0, 10}, {0, 0}, {10, 0}};
    for (std::size_t k = 0; k < 4; ++k) {
        const IsovistRecord& s = subdivision.sectors()[k];
        EXPECT_EQ(s.polygon.count(), 4) << k;
        EXPECT_EQ(s.polygon[0], (PlanPoint{5, 5})) << k;
        EXPECT_EQ(s.polygon[2], farCorners[k]) << k;
        EXPECT_NEAR(s.area, 25.0, 1e-12) << k;
        EXPECT_NEAR(s.perimeter, 20.0, 1e-12) << k;
        EXPECT_NEAR(s.occlusivity, 0.5, 1e-12) << k;
        EXPECT_NEAR(s.visiblePerimeterRatio, 0.5, 1e-12) << k;
        EXPECT_NEAR(s.drift, std::sqrt(12.5), 1e-12) << k;
        EXPECT_NEAR(s.maxVertexDistance, std::sqrt(50.0), 1e-12) << k;
    }
    // The document's isovist is untouched.
    EXPECT_EQ(pointIsovist.polygon.count(), 4);
    EXPECT_EQ(pointIsovist.area, 0.0);
}

TEST_F(SquareRoomSubdivision, CountsOfOneOrLessDoNothing) {
    ASSERT_TRUE(subdivision.Generate(0, 4));
    EXPECT_FALSE(subdivision.Generate(0, 1));
    EXPECT_FALSE(subdivision.Generate(0, 0));
    EXPECT_FALSE(subdivision.Generate(0, IsovistSubdivision::kMaxSubdivisions + 1));
    EXPECT_EQ(subdivision.sectors().size(), 4u);
}

TEST_F(SquareRoomSubdivision, ListRowsAndHeadingFollowTheSelectedMeasure) {
    ASSERT_TRUE(subdivision.Generate(0, 4));
    EXPECT_EQ(subdivision.Heading(), "Area (mm\xC2\xB2)");
    const auto rows = subdivision.Rows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[3].index, "3");
    EXPECT_EQ(rows[3].value, "25.0000");

    subdivision.SelectMeasure(6);
    EXPECT_EQ(subdivision.Heading(), "Max Radial (mm)");
    EXPECT_EQ(subdivision.Rows()[0].value, "7.0711");
    subdivision.SelectMeasure(7);  // outside the box: ignored
    EXPECT_EQ(subdivision.Heading(), "Max Radial (mm)");
    subdivision.SelectMeasure(3);
    EXPECT_EQ(subdivision.Heading(), "Occlusivity");
}

TEST(IsovistSubdivisionHeadings, NamesAndUnits) {
    const std::vector<std::string> names = {
        "Area", "Perimeter", "Drift", "Occlusivity", "Compactness", "Circularity", "Max Radial"};
    EXPECT_EQ(SubdivisionMeasureNames(), names);
    EXPECT_EQ(SubdivisionMeasureHeading(SubdivisionMeasure::Area, 4), "Area (ft\xC2\xB2)");
    EXPECT_EQ(SubdivisionMeasureHeading(SubdivisionMeasure::Perimeter, 1), "Perimeter (cm)");
    EXPECT_EQ(SubdivisionMeasureHeading(SubdivisionMeasure::Drift, 2), "Drift (m)");
    EXPECT_EQ(SubdivisionMeasureHeading(SubdivisionMeasure::Compactness, 3), "Compactness");
    EXPECT_EQ(SubdivisionMeasureHeading(SubdivisionMeasure::Circularity, 3), "Circularity");
}

TEST_F(SquareRoomSubdivision, SummaryText) {
    ASSERT_TRUE(subdivision.Generate(0, 4));
    auto block = [](const std::string& heading, const std::string& value) {
        std::string text = "\r\n" + heading + "\r\n";
        for (int k = 0; k < 4; ++k) {
            text += std::to_string(k) + "\t" + value + "\r\n";
        }
        return text;
    };
    const std::string expected =
        "Conterclockwise starting from the segment 0\r\n" + block("Area (mm\xC2\xB2)", "25.0000") +
        block("Perimeter (mm)", "20.0000") + block("Drift (mm)", "3.5355") +
        block("Occlusivity", "0.5000") + block("Compactness", "1.2500") +
        block("Circularity", "16.0000") + block("Max Radial (mm)", "7.0711");
    EXPECT_EQ(subdivision.SummaryText(), expected);
}

// From (2, 5) the quarters from 0° have areas 40, 10, 10, 40: radii R, R/2, R/2, R.
TEST(IsovistSubdivisionDiagram, RadiiScaleWithTheRootOfTheMeasure) {
    const std::vector<PlanSegment> walls = SquareWalls();
    const IsovistRecord pointIsovist = SquareRoomIsovist({2, 5});
    IsovistSubdivision subdivision(pointIsovist, walls, 0);
    ASSERT_TRUE(subdivision.Generate(30, 4));  // cones from 30°: 30-120, 120-210, ...
    ASSERT_TRUE(subdivision.Generate(0, 4));
    const auto slices = subdivision.Diagram(80);
    ASSERT_EQ(slices.size(), 4u);
    const double expectedRadii[] = {80, 40, 40, 80};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(slices[k].startAngle, 90.0 * k);
        EXPECT_EQ(slices[k].endAngle, 90.0 * (k + 1));
        EXPECT_NEAR(slices[k].radius, expectedRadii[k], 1e-9) << k;
    }
}

TEST(IsovistSubdivisionDiagram, SlicesStartAtTheStartAngle) {
    const std::vector<PlanSegment> walls = SquareWalls();
    const IsovistRecord pointIsovist = SquareRoomIsovist({5, 5});
    IsovistSubdivision subdivision(pointIsovist, walls, 0);
    ASSERT_TRUE(subdivision.Generate(-45, 3));
    const auto slices = subdivision.Diagram(10);
    ASSERT_EQ(slices.size(), 3u);
    EXPECT_EQ(slices[0].startAngle, -45.0);
    EXPECT_EQ(slices[2].endAngle, 315.0);
}

// Without a computed point isovist the sectors are empty; the diagram stays drawable.
TEST(IsovistSubdivisionDiagram, NoIsovistGivesEmptySectorsAndZeroRadii) {
    const IsovistRecord none;
    IsovistSubdivision subdivision(none, {}, 0);
    ASSERT_TRUE(subdivision.Generate(0, 4));
    for (const IsovistRecord& s : subdivision.sectors()) {
        EXPECT_TRUE(s.polygon.empty());
        EXPECT_EQ(s.area, 0.0);
    }
    for (int measure = 0; measure < kSubdivisionMeasureCount; ++measure) {
        subdivision.SelectMeasure(measure);
        for (const auto& slice : subdivision.Diagram(50)) {
            EXPECT_EQ(slice.radius, 0.0);
        }
    }
}

// Negative or non-finite values have no real root; they are drawn with radius 0 rather than
// making the whole diagram not a number. Empty sectors keep the source's circularity and
// max radial, so those carry the values here.
TEST(IsovistSubdivisionDiagram, ValuesWithoutARealRootGetRadiusZero) {
    IsovistRecord stale;
    stale.circularity = -4.0;
    stale.maxVertexDistance = std::numeric_limits<double>::infinity();
    IsovistSubdivision subdivision(stale, {}, 0);
    ASSERT_TRUE(subdivision.Generate(0, 3));
    for (int measure : {5, 6}) {
        subdivision.SelectMeasure(measure);
        for (const auto& slice : subdivision.Diagram(50)) {
            EXPECT_EQ(slice.radius, 0.0) << measure;
        }
    }
}

}  // namespace
