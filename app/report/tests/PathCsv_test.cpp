// The path exports' text, byte for byte: header, rows, forms and the all-paths sections.
#include "report/PathCsv.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<IsovistRecord> TwoRecords() {
    IsovistRecord a;
    a.origin = {5, 5};
    a.centroid = {5, 5};
    a.area = 100;
    a.perimeter = 40;
    a.occlusivity = 1;
    a.compactness = 2.5;
    a.circularity = 16;
    IsovistRecord b;
    b.origin = {1.5, -2};
    b.centroid = {0.1234567, 3};
    b.area = -1;  // a degenerate isovist prints as stored
    return {a, b};
}

RadialStats SomeStats() {
    RadialStats s;
    s.mean = 5;
    s.max = 7.5;
    s.min = 2;
    s.variance = 3.25;
    s.elongation = 0.5;
    s.autocorrelation = -0.75;
    return s;
}

const std::string kShortHeader =
    "Point Index, Origin x (mm), Origin y (mm), Centroid x (mm), Centroid y (mm), "
    "Area (mm\xA9\xF7), Perimeter (mm), Drift (mm), Occlusivity, Compactness, Circularity\r\n";
const std::string kRow0 =
    "0, 5.000000, 5.000000, 5.000000, 5.000000, 100.000000, 40.000000, 0.000000, 1.000000, "
    "2.500000, 16.000000";
const std::string kRow1 =
    "1, 1.500000, -2.000000, 0.123457, 3.000000, -1.000000, 0.000000, 0.000000, 0.000000, "
    "0.000000, 0.000000";

TEST(PathCsv, ShortForm) {
    EXPECT_EQ(PathCsvText(TwoRecords(), {}, 0, 0), kShortHeader + kRow0 + "\r\n" + kRow1 + "\r\n");
}

TEST(PathCsv, RadialForm) {
    const std::string header =
        "Point Index, Origin x (ft), Origin y (ft), Centroid x (ft), Centroid y (ft), "
        "Area (ft\xA9\xF7), Perimeter (ft), Drift (ft), Occlusivity, Compactness, Circularity, "
        "Mean Radial (ft), Max Radial (ft), Min Radial (ft), Complexity (ft\xA9\xF7), "
        "Elongation, Autocorrelation\r\n";
    // The second record has no statistics: -1 in each radial column.
    EXPECT_EQ(PathCsvText(TwoRecords(), std::vector<RadialStats>{SomeStats()}, 1, 4),
              header + kRow0 + ", 5.000000, 7.500000, 2.000000, 3.250000, 0.500000, -0.750000\r\n" +
                  kRow1 +
                  ", -1.000000, -1.000000, -1.000000, -1.000000, -1.000000, -1.000000\r\n");
}

TEST(PathCsv, UnitsAndMethodsOutsideTheirRanges) {
    // No header for an unknown unit; the rows are still written.
    EXPECT_EQ(PathCsvText(TwoRecords(), {}, 0, 5), kRow0 + "\r\n" + kRow1 + "\r\n");
    EXPECT_EQ(PathCsvText(TwoRecords(), {}, 3, 0), "");
    EXPECT_EQ(PathCsvText({}, {}, 0, 1).substr(0, 30), "Point Index, Origin x (cm), Or");
}

TEST(PathCsv, AllPathsSection) {
    const std::vector<IsovistRecord> records = TwoRecords();
    EXPECT_EQ(AllPathsCsvSection(2, std::span(records).first(1), {}, 0, 0),
              "Path-2\r\n" + kShortHeader + kRow0 + "\r\n\r\n\r\n");
    EXPECT_EQ(AllPathsCsvSection(1, {}, {}, 0, 0), "Path-1\r\n" + kShortHeader + "\r\n\r\n");
}

}  // namespace
