// Determinant, transpose and inverse.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "gonion/gonion.h"

namespace {

std::vector<double> identity(int n) {
    std::vector<double> m(static_cast<std::size_t>(n * n), 0.0);
    for (int i = 0; i < n; ++i) {
        m[static_cast<std::size_t>(i * n + i)] = 1.0;
    }
    return m;
}

TEST(Determinant, SmallOrders) {
    EXPECT_EQ(zoGetDeterminant(nullptr, 0), 0.0);
    const double one[] = {-3.5};
    EXPECT_EQ(zoGetDeterminant(one, 1), -3.5);
    const double two[] = {4, 7, 2, 6};
    EXPECT_EQ(zoGetDeterminant(two, 2), 10.0);
    EXPECT_EQ(zoGetDeterminant(identity(3).data(), 3), 1.0);
    // Hand-expanded along the first row: 2(0*1 - 5*(-2)) - 1(3*1 - 5*4) + 1(3*(-2) - 0*4) = 31.
    const double three[] = {2, 1, 1, 3, 0, 5, 4, -2, 1};
    EXPECT_DOUBLE_EQ(zoGetDeterminant(three, 3), 31.0);
}

TEST(Determinant, LargerOrders) {
    auto swapped = identity(4);
    std::swap(swapped[0], swapped[4]);
    std::swap(swapped[1], swapped[5]);
    EXPECT_EQ(zoGetDeterminant(swapped.data(), 4), -1.0);
    // Upper triangular: the product of the diagonal.
    const double upper[] = {2, 9, 9, 9, 9, 0,  3, 9, 9, 9, 0, 0, 1,
                            9, 9, 0, 0, 0, -1, 9, 0, 0, 0, 0, 5};
    EXPECT_DOUBLE_EQ(zoGetDeterminant(upper, 5), -30.0);
    // Two equal rows.
    const double singular[] = {1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4, 9, 9, 9, 1};
    EXPECT_EQ(zoGetDeterminant(singular, 4), 0.0);
}

TEST(Transpose, RectangularAndSquare) {
    const double source[] = {1, 2, 3, 4, 5, 6};  // 2 x 3
    double destination[6] = {};
    zoGetTranspose(source, destination, 2, 3);
    EXPECT_EQ(std::vector<double>(destination, destination + 6),
              (std::vector<double>{1, 4, 2, 5, 3, 6}));
    double square[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    zoGetTransposeSquare(square, 3);
    EXPECT_EQ(std::vector<double>(square, square + 9),
              (std::vector<double>{1, 4, 7, 2, 5, 8, 3, 6, 9}));
    double untouched[] = {7};
    zoGetTranspose(source, untouched, 0, 3);
    EXPECT_EQ(untouched[0], 7);
}

TEST(Inverse, TwoByTwo) {
    const double m[] = {4, 7, 2, 6};
    double inverse[4];
    zoGetInverseMatrix(m, inverse, 2, 10.0);
    EXPECT_DOUBLE_EQ(inverse[0], 0.6);
    EXPECT_DOUBLE_EQ(inverse[1], -0.7);
    EXPECT_DOUBLE_EQ(inverse[2], -0.2);
    EXPECT_DOUBLE_EQ(inverse[3], 0.4);
}

TEST(Inverse, OrderOneIsTheReciprocal) {
    const double m[] = {4};
    double inverse[1] = {0};
    zoGetInverseMatrix(m, inverse, 1, zoGetDeterminant(m, 1));
    EXPECT_EQ(inverse[0], 0.25);
}

TEST(Inverse, TimesTheMatrixGivesIdentity) {
    std::mt19937 rng(4);
    std::uniform_real_distribution<double> value(-5.0, 5.0);
    for (int n = 2; n <= 6; ++n) {
        const auto un = static_cast<std::size_t>(n);
        std::vector<double> m(un * un);
        for (double& v : m) {
            v = value(rng);
        }
        for (std::size_t i = 0; i < un; ++i) {
            m[i * un + i] += 10.0;  // well conditioned
        }
        std::vector<double> inverse(un * un);
        zoGetInverseMatrix(m.data(), inverse.data(), n, zoGetDeterminant(m.data(), n));
        for (std::size_t i = 0; i < un; ++i) {
            for (std::size_t j = 0; j < un; ++j) {
                double sum = 0;
                for (std::size_t k = 0; k < un; ++k) {
                    sum += m[i * un + k] * inverse[k * un + j];
                }
                EXPECT_NEAR(sum, i == j ? 1.0 : 0.0, 1e-12) << "order " << n;
            }
        }
        // In place gives the same.
        std::vector<double> inPlace = m;
        zoGetInverseMatrix(inPlace.data(), inPlace.data(), n, zoGetDeterminant(m.data(), n));
        EXPECT_EQ(inPlace, inverse);
    }
}

}  // namespace
