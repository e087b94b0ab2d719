// Polygon reduction.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "gonion/gonion.h"

namespace {

struct Points {
    std::vector<double> x;
    std::vector<double> y;
    bool operator==(const Points&) const = default;
};

Points reduce(const Points& in) {
    Points out{std::vector<double>(in.x.size(), -99), std::vector<double>(in.x.size(), -99)};
    int32_t n = -1;
    zoReducePG(static_cast<int32_t>(in.x.size()), 8, in.x.data(), in.y.data(), &n, out.x.data(),
               out.y.data());
    out.x.resize(static_cast<std::size_t>(std::max(n, 0)));
    out.y.resize(static_cast<std::size_t>(std::max(n, 0)));
    return out;
}

// Straight from the description: erase the middle of each repeated or collinear triple and
// look at the same position again.
Points referenceReduce(Points p) {
    auto repeats = [&](std::size_t a, std::size_t b) {
        return std::fabs(p.x[b] - p.x[a]) < 1e-6 && std::fabs(p.y[b] - p.y[a]) < 1e-6;
    };
    auto collinear = [&](std::size_t a, std::size_t b, std::size_t c) {
        return std::fabs((p.y[b] - p.y[a]) * (p.x[c] - p.x[b]) -
                         (p.y[c] - p.y[b]) * (p.x[b] - p.x[a])) < 1e-6;
    };
    auto erase = [&](std::size_t i) {
        p.x.erase(p.x.begin() + static_cast<std::ptrdiff_t>(i));
        p.y.erase(p.y.begin() + static_cast<std::ptrdiff_t>(i));
    };
    std::size_t i = 2;
    while (i < p.x.size()) {
        if (repeats(i - 1, i) || collinear(i - 2, i - 1, i)) {
            erase(i - 1);
            if (p.x.size() < 3) {
                break;
            }
        } else {
            ++i;
        }
    }
    std::size_t n = p.x.size();
    if (n > 2 && collinear(n - 1, 0, 1)) {
        erase(0);
    }
    n = p.x.size();
    if (n > 2 && collinear(n - 2, n - 1, 0)) {
        erase(n - 1);
    }
    return p;
}

TEST(ReducePG, SquareWithRepeatAndMidpoint) {
    const Points in{{0, 1, 2, 2, 2, 0}, {0, 0, 0, 2, 2, 2}};
    EXPECT_EQ(reduce(in), (Points{{0, 2, 2, 0}, {0, 0, 2, 2}}));
}

TEST(ReducePG, CollinearFirstAndLastVerticesGo) {
    // Vertex 0 sits mid-edge; the last vertex sits mid-edge of the closing edge.
    EXPECT_EQ(reduce(Points{{1, 2, 2, 0, 0}, {0, 0, 2, 2, 0}}),
              (Points{{2, 2, 0, 0}, {0, 2, 2, 0}}));
    EXPECT_EQ(reduce(Points{{0, 2, 2, 0, 0}, {0, 0, 2, 2, 1}}),
              (Points{{0, 2, 2, 0}, {0, 0, 2, 2}}));
}

TEST(ReducePG, TooFewVerticesWriteNothing) {
    const double xs[] = {0, 1};
    int32_t n = -5;
    double out[2] = {-1, -1};
    zoReducePG(2, 8, xs, xs, &n, out, out);
    EXPECT_EQ(n, -5);
    EXPECT_EQ(out[0], -1);
}

TEST(ReducePG, AllCollinearCollapses) {
    const Points out = reduce(Points{{0, 1, 2, 3}, {0, 0, 0, 0}});
    EXPECT_EQ(out, referenceReduce(Points{{0, 1, 2, 3}, {0, 0, 0, 0}}));
    EXPECT_LT(out.x.size(), 3u);
}

TEST(ReducePG, MatchesStraightforwardWalkOnRandomPolygons) {
    // Coordinates on a coarse lattice make repeats and collinear runs frequent.
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coord(0, 3);
    for (int trial = 0; trial < 5000; ++trial) {
        Points in;
        const int n = 3 + trial % 12;
        for (int i = 0; i < n; ++i) {
            in.x.push_back(coord(rng) * 0.5);
            in.y.push_back(coord(rng) * 0.5);
        }
        ASSERT_EQ(reduce(in), referenceReduce(in)) << "trial " << trial;
    }
}

TEST(ReducePL, DoesNothing) {
    const double xs[] = {0, 1, 2};
    int32_t n = -5;
    double out[3] = {-1, -1, -1};
    zoReducePL(3, 8, xs, xs, &n, out, out);
    EXPECT_EQ(n, -5);
    EXPECT_EQ(out[0], -1);
}

}  // namespace
