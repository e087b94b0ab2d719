// The path report, byte for byte, from records whose entropies and statistics are worked out
// by hand: the binning of every block, the normalised pairs and the radial blocks.
#include "report/PathReport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Values {
    double area, perimeter, drift, occlusivity, compactness, circularity;
};

std::vector<IsovistRecord> RecordsOf(const std::vector<Values>& values) {
    std::vector<IsovistRecord> records;
    for (const Values& v : values) {
        IsovistRecord r;
        r.area = v.area;
        r.perimeter = v.perimeter;
        r.drift = v.drift;
        r.occlusivity = v.occlusivity;
        r.compactness = v.compactness;
        r.circularity = v.circularity;
        records.push_back(r);
    }
    return records;
}

// Areas 10, 30, 500 fall in bins 0, 1 and 2 of the area set (ln 3 / ln 5 = 0.6826...); their
// changes 20 and 470 in bins 0 and 2, each counting 1/3; and so on for every block.
const std::vector<IsovistRecord> kRecords = RecordsOf({
    {10, 2, 1, 0.1, 0.5, 2},
    {30, 4, 1, 0.5, 7.5, 8},
    {500, 5, 30, 0.95, 7.5, 16},
});

const char* const kShortReport =
    "Number of Observation Points: 3\r\n"
    "\r\n"
    "Area\r\n"
    "\tSum:\t540.0000\r\n"
    "\tMean:\t180.0000\r\n"
    "\tVariance:\t76900.0000\r\n"
    "\tS.D.:\t277.3085\r\n"
    "\tEntropy:\t0.6826061945\t(based on absolute value)\r\n"
    "\tEntropy:\t0.4550707963\t(based on difference)\r\n"
    "\t[After Normailzation]\r\n"
    "\tEntropy:\t0.3954884891\r\n"
    "\tEntropy:\t0.4550707963\r\n"
    "\r\n"
    "Perimeter\r\n"
    "\tSum:\t11.0000\r\n"
    "\tMean:\t3.6667\r\n"
    "\tVariance:\t2.3333\r\n"
    "\tS.D.:\t1.5275\r\n"
    "\tEntropy:\t0.3954884891\r\n"
    "\tEntropy:\t0.1679530909\r\n"
    "\r\n"
    "Drift\r\n"
    "\tSum:\t32.0000\r\n"
    "\tMean:\t10.6667\r\n"
    "\tVariance:\t280.3333\r\n"
    "\tS.D.:\t16.7432\r\n"
    "\tEntropy:\t0.3954884891\r\n"
    "\tEntropy:\t0.4550707963\r\n"
    "\t[After Normailzation]\r\n"
    "\tEntropy:\t0.3954884891\r\n"
    "\tEntropy:\t0.4550707963\r\n"
    "\r\n"
    "Occlusivity\r\n"
    "\tSum:\t1.5500\r\n"
    "\tMean:\t0.5167\r\n"
    "\tVariance:\t0.1808\r\n"
    "\tS.D.:\t0.4252\r\n"
    "\tEntropy:\t0.6826061945\r\n"
    "\tEntropy:\t0.1679530909\r\n"
    "\r\n"
    "Compactness\r\n"
    "\tSum:\t15.5000\r\n"
    "\tMean:\t5.1667\r\n"
    "\tVariance:\t16.3333\r\n"
    "\tS.D.:\t4.0415\r\n"
    "\t[After Normailzation]\r\n"
    "\tEntropy:\t0.3954884891\r\n"
    "\tEntropy:\t0.4550707963\r\n"
    "\r\n"
    "Circularity\r\n"
    "\tSum:\t26.0000\r\n"
    "\tMean:\t8.6667\r\n"
    "\tVariance:\t49.3333\r\n"
    "\tS.D.:\t7.0238\r\n"
    "\t[After Normailzation]\r\n"
    "\tEntropy:\t0.6826061945\r\n"
    "\tEntropy:\t0.4550707963\r\n";

const char* const kRadialBlocks =
    "\r\n"
    "Mean radial\r\n"
    "\tSum:\t35.0000\r\n"
    "\tMean:\t11.6667\r\n"
    "\tVariance:\t82.3333\r\n"
    "\tS.D.:\t9.0738\r\n"
    "\tEntropy:\t0.3954884891\r\n"
    "\tEntropy:\t0.4550707963\r\n"
    "\r\n"
    "Complexity\r\n"
    "\tSum:\t2.5100\r\n"
    "\tMean:\t0.8367\r\n"
    "\tVariance:\t1.0750\r\n"
    "\tS.D.:\t1.0368\r\n"
    "\r\n"
    "Elongation\r\n"
    "\tSum:\t1.6000\r\n"
    "\tMean:\t0.5333\r\n"
    "\tVariance:\t0.1108\r\n"
    "\tS.D.:\t0.3329\r\n"
    "\tEntropy:\t0.6826061945\r\n"
    "\tEntropy:\t0.4550707963\r\n"
    "\r\n"
    "Autocorrelation (10 degree)\r\n"
    "\tSum:\t0.1000\r\n"
    "\tMean:\t0.0333\r\n"
    "\tVariance:\t0.3733\r\n"
    "\tS.D.:\t0.6110\r\n"
    "\t[Based on actual values]\r\n"
    "\tEntropy:\t0.6826061945\r\n"
    "\tEntropy:\t0.4550707963\r\n"
    "\t[Based on absolute values]\r\n"
    "\tEntropy:\t0.6826061945\r\n"
    "\tEntropy:\t0.4550707963\r\n";

std::vector<RadialStats> RadialStatsOf() {
    const double mean[] = {2, 20, 13};
    const double variance[] = {5, 60, 5};  // complexity: 0.5, 2 and 0.01
    const double elongation[] = {0.25, 0.9, 0.45};
    const double autocorrelation[] = {-0.5, 0.7, -0.1};
    std::vector<RadialStats> stats(3);
    for (size_t i = 0; i < 3; ++i) {
        stats[i].mean = mean[i];
        stats[i].variance = variance[i];
        stats[i].elongation = elongation[i];
        stats[i].autocorrelation = autocorrelation[i];
    }
    return stats;
}

TEST(PathReport, ExactMethodBlocks) {
    EXPECT_EQ(PathReportText(kRecords, {}, 0, EntropyParams{}), kShortReport);
    // The radial statistics count only with the radial method.
    EXPECT_EQ(PathReportText(kRecords, RadialStatsOf(), 0, EntropyParams{}), kShortReport);
}

TEST(PathReport, RadialMethodAddsItsBlocks) {
    EXPECT_EQ(PathReportText(kRecords, RadialStatsOf(), 1, EntropyParams{}),
              std::string(kShortReport) + kRadialBlocks);
    // Without exactly one RadialStats per record the radial blocks are left out.
    std::vector<RadialStats> two = RadialStatsOf();
    two.pop_back();
    EXPECT_EQ(PathReportText(kRecords, two, 1, EntropyParams{}), kShortReport);
}

TEST(PathReport, OnePointAndNoPoints) {
    EXPECT_EQ(PathReportText({}, {}, 0, EntropyParams{}), "");
    const std::string text =
        PathReportText(RecordsOf({{50, 10, 0, 0.5, 0, 4}}), {}, 0, EntropyParams{});
    const std::string start =
        "Number of Observation Points: 1\r\n\r\nArea\r\n\tSum:\t50.0000\r\n\tMean:\t50.0000\r\n"
        "\tVariance:\t0.0000\r\n\tS.D.:\t0.0000\r\n";
    EXPECT_EQ(text.substr(0, start.size()), start);
    // Compactness 0 has no largest value to divide by: the normalised values are 0, in one bin.
    const size_t compactness = text.find("Compactness\r\n");
    ASSERT_NE(compactness, std::string::npos);
    EXPECT_NE(text.find("\t[After Normailzation]\r\n\tEntropy:\t0.0000000000\r\n\tEntropy:\t"
                        "0.0000000000\r\n",
                        compactness),
              std::string::npos);
    EXPECT_EQ(text.find("nan"), std::string::npos);
}

TEST(PathReport, EditedSetsAreUsed) {
    EntropyParams params;
    params.sets[1] = {0};  // one threshold: no spread to measure
    const std::string text = PathReportText(kRecords, {}, 0, params);
    EXPECT_NE(text.find("\tEntropy:\t0.0000000000\t(based on absolute value)\r\n"
                        "\tEntropy:\t0.0000000000\t(based on difference)\r\n"),
              std::string::npos);
}

}  // namespace
