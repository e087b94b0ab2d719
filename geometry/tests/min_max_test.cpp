// Minimum and maximum of strided arrays.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gonion/gonion.h"

namespace {

TEST(MinMax, StrideSelectsEveryOtherDouble) {
    const double block[] = {1.0, 100.0, 5.0, 200.0, 3.0, 300.0};
    double result = 0;
    EXPECT_EQ(zoGetMaxValueF(3, 16, block, &result), 1);
    EXPECT_EQ(result, 5.0);
    EXPECT_EQ(zoGetMinValueF(3, 16, block, &result), 1);
    EXPECT_EQ(result, 1.0);
}

TEST(MinMax, IntegersCompareSigned) {
    const int32_t values[] = {3, -7, 12, 0};
    int32_t result = 0;
    EXPECT_EQ(zoGetMaxValue(4, 4, values, &result), 1);
    EXPECT_EQ(result, 12);
    EXPECT_EQ(zoGetMinValue(4, 4, values, &result), 1);
    EXPECT_EQ(result, -7);
}

TEST(MinMax, BadArgumentsWriteNothing) {
    const double values[] = {1, 2};
    const int32_t ints[] = {1, 2};
    double result = 42;
    int32_t iresult = 42;
    EXPECT_EQ(zoGetMaxValueF(0, 8, values, &result), 0);
    EXPECT_EQ(zoGetMinValueF(2, 7, values, &result), 0);
    EXPECT_EQ(zoGetMaxValueF(2, 8, nullptr, &result), 0);
    EXPECT_EQ(result, 42);
    EXPECT_EQ(zoGetMaxValue(0, 4, ints, &iresult), 0);
    EXPECT_EQ(zoGetMinValue(2, 3, ints, &iresult), 0);
    EXPECT_EQ(zoGetMinValue(2, 4, nullptr, &iresult), 0);
    EXPECT_EQ(iresult, 42);
    EXPECT_EQ(zoGetMaxValueF(2, 8, values, nullptr), 0);
    EXPECT_EQ(zoGetMinValue(2, 4, ints, nullptr), 0);
}

TEST(MinMax, OddStrideIsReadSafely) {
    // Values packed at a 12-byte stride, so every other one is misaligned.
    std::vector<unsigned char> bytes(3 * 12);
    const double values[] = {4.0, -1.0, 9.0};
    for (int i = 0; i < 3; ++i) {
        std::memcpy(bytes.data() + 12 * i, &values[i], 8);
    }
    double result = 0;
    const double* base = reinterpret_cast<const double*>(bytes.data());
    EXPECT_EQ(zoGetMaxValueF(3, 12, base, &result), 1);
    EXPECT_EQ(result, 9.0);
}

}  // namespace
