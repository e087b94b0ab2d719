// Entropies of values and of their changes, binned by thresholds.
#include "path/PathEntropy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

const std::vector<double> kLengths{0, 3, 12, 25, 140};  // the default set 0

TEST(PathEntropy, BinOfAValue) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double value;
        size_t bin;
    };
    const Case cases[] = {
        {0, 0},     {2.999, 0}, {3, 1},   {11, 1},  {12, 2},   {24.5, 2},
        {25, 3},    {139, 3},   {140, 4}, {1e9, 4},
        {-0.5, 4},  // below the first threshold: the last bin
        {nan, 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EntropyBin(c.value, kLengths), c.bin) << c.value;
    }
    // Unsorted thresholds are used as stored: the interval [5, 1) holds nothing.
    const std::vector<double> unsorted{5, 1, 10};
    EXPECT_EQ(EntropyBin(7, unsorted), 1u);
    EXPECT_EQ(EntropyBin(0, unsorted), 2u);
    EXPECT_EQ(EntropyBin(12, unsorted), 2u);
}

TEST(PathEntropy, EntropyOfValues) {
    const double ln5 = std::log(5.0);
    struct Case {
        const char* name;
        std::vector<double> values;
        std::vector<double> thresholds;
        double entropy;
    };
    const Case cases[] = {
        {"four values in one bin", {4, 5, 6, 11.9}, kLengths, 0.0},
        {"one value per bin of five", {1, 5, 20, 30, 150}, kLengths, 1.0},
        {"two bins of two", {1, 2, 30, 31}, kLengths, std::log(2.0) / ln5},
        // 3 of 4 in bin 0, 1 in the last bin (below the first threshold).
        {"a value below the first threshold", {1, 1, 1, -1}, kLengths,
         -(0.75 * std::log(0.75) + 0.25 * std::log(0.25)) / ln5},
        {"no values", {}, kLengths, 0.0},
        {"no thresholds", {1, 2}, {}, 0.0},
        {"one threshold", {1, 2}, {0}, 0.0},
        {"two thresholds, two bins", {0.1, 0.9}, {0, 0.5}, 1.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(EntropyOfValues(c.values, c.thresholds), c.entropy, 1e-15) << c.name;
    }
}

TEST(PathEntropy, EntropyOfDifferencesDividesByThePointCount) {
    const double ln5 = std::log(5.0);
    struct Case {
        const char* name;
        std::vector<double> values;
        double entropy;
    };
    const Case cases[] = {
        // One change of 1 counts 1/2: -(1/2) ln(1/2) / ln 5.
        {"two points", {7, 8}, -0.5 * std::log(0.5) / ln5},
        // Changes 1, 1: both in bin 0, p = 2/3.
        {"three points, equal changes", {0, 1, 2}, -(2.0 / 3.0) * std::log(2.0 / 3.0) / ln5},
        // Changes |0 - 30| = 30 (bin 3), |30 - 26| = 4 (bin 1), |26 - 26| = 0 (bin 0).
        {"changes taken absolute", {0, 30, 26, 26}, -3 * 0.25 * std::log(0.25) / ln5},
        {"one point", {3}, 0.0},
        {"no points", {}, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(EntropyOfDifferences(c.values, kLengths), c.entropy, 1e-15) << c.name;
    }
}

}  // namespace
