// The banded parity test must answer exactly as testing every edge does.
#include <gtest/gtest.h>

#include <random>

// Internal to the library (hidden there), so compiled into the test directly.
#include "../src/poly_ring_parity.cpp"

namespace {

using gonion::poly::insideRingByTestingAll;
using gonion::poly::Ring;
using gonion::poly::RingParity;

TEST(PolyRingParity, BandsMatchTestingEveryEdge) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> count(3, 300);
    std::uniform_real_distribution<double> coordinate(-10, 10);
    std::uniform_int_distribution<int> grid(-4, 4);
    for (int trial = 0; trial < 400; ++trial) {
        const bool onGrid = trial % 2 == 0;
        auto value = [&]() { return onGrid ? double(grid(random)) : coordinate(random); };
        Ring ring;
        const int n = count(random);
        for (int k = 0; k < n; ++k)
            ring.push_back({value(), value()});
        const RingParity parity(ring);
        for (int q = 0; q < 200; ++q) {
            // Queries on grid points hit vertices and horizontal edges; others fall anywhere,
            // including outside the ring's y range.
            const double x = q % 2 == 0 ? double(grid(random)) : 1.3 * coordinate(random);
            const double y = q % 2 == 0 ? double(grid(random)) : 1.3 * coordinate(random);
            ASSERT_EQ(parity.inside(x, y), insideRingByTestingAll(ring, x, y)) << trial << " " << q;
        }
    }
}

TEST(PolyRingParity, SquareByHand) {
    const Ring square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_TRUE(insideRingByTestingAll(square, 5, 5));
    EXPECT_FALSE(insideRingByTestingAll(square, 15, 5));
    EXPECT_FALSE(insideRingByTestingAll(square, 5, -1));
}

}  // namespace
