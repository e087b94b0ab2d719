// Location tables.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "gonion/gonion.h"

namespace {

// Owns a table handed out by a builder.
struct Table {
    int32_t* data = nullptr;
    int32_t count = -1;
    ~Table() { std::free(data); }
    std::vector<int32_t> values() const {
        return data == nullptr ? std::vector<int32_t>{} : std::vector<int32_t>(data, data + count);
    }
};

using V = std::vector<int32_t>;

struct StepCase {
    int32_t lower, upper, step;
    int32_t result;
    V positions;
};

void PrintTo(const StepCase& c, std::ostream* os) {
    *os << "from " << c.lower << " to " << c.upper << " by " << c.step << " gives " << c.result;
}

class BuildLoc1D : public testing::TestWithParam<StepCase> {};

TEST_P(BuildLoc1D, Positions) {
    const auto& c = GetParam();
    Table t;
    EXPECT_EQ(zoBuildLoc1D(c.lower, c.upper, c.step, &t.count, &t.data), c.result);
    EXPECT_EQ(t.values(), c.positions);
    EXPECT_EQ(t.count, static_cast<int32_t>(c.positions.size()));
}

INSTANTIATE_TEST_SUITE_P(Cases, BuildLoc1D,
                         testing::Values(StepCase{0, 10, 3, 1, V{0, 2, 5, 8, 10}},
                                         StepCase{0, 9, 3, 1, V{0, 3, 6, 9}},
                                         StepCase{0, 2, 3, 1, V{0, 2}}, StepCase{5, 4, 1, 0, V{}},
                                         StepCase{0, 10, 0, 0, V{}},
                                         // Remainder 3 of step 4: end gaps 3 and 4.
                                         StepCase{-5, 10, 4, 1, V{-5, -2, 2, 6, 10}},
                                         StepCase{7, 7, 2, 1, V{7, 7}}));

TEST(BuildLoc1D, RandomBoundsKeepTheGapRules) {
    std::mt19937 rng(8);
    std::uniform_int_distribution<int32_t> bound(-1000, 1000);
    std::uniform_int_distribution<int32_t> stepOf(1, 200);
    for (int trial = 0; trial < 500; ++trial) {
        int32_t a = bound(rng);
        int32_t b = bound(rng);
        if (a > b)
            std::swap(a, b);
        const int32_t s = stepOf(rng);
        Table t;
        ASSERT_EQ(zoBuildLoc1D(a, b, s, &t.count, &t.data), 1);
        const V p = t.values();
        ASSERT_GE(p.size(), 2u);
        EXPECT_EQ(p.front(), a);
        EXPECT_EQ(p.back(), b);
        if (b - a < s)
            continue;
        const int32_t r = (b - a) % s;
        for (std::size_t i = 2; i + 1 < p.size(); ++i) {
            EXPECT_EQ(p[i] - p[i - 1], s);
        }
        if (r != 0) {
            EXPECT_EQ(p[1] - p[0], (s + r) / 2);
            EXPECT_EQ(p.back() - p[p.size() - 2], s + r - (s + r) / 2);
        }
    }
}

TEST(BuildLoc1D, ExtremeBoundsDoNotOverflow) {
    // Span 2^32 - 1 at step 2^31 - 1: q = 2, r = 1, first gap 2^30, last gap 2^30.
    Table t;
    EXPECT_EQ(zoBuildLoc1D(INT32_MIN, INT32_MAX, INT32_MAX, &t.count, &t.data), 1);
    EXPECT_EQ(t.values(), (V{INT32_MIN, INT32_MIN + (1 << 30), (1 << 30) - 1, INT32_MAX}));
}

TEST(BuildLoc1D, OldTableIsReplacedOrFreed) {
    Table t;
    ASSERT_EQ(zoBuildLoc1D(0, 10, 5, &t.count, &t.data), 1);
    ASSERT_EQ(zoBuildLoc1D(0, 4, 2, &t.count, &t.data), 1);  // frees the first table
    EXPECT_EQ(t.values(), (V{0, 2, 4}));
    EXPECT_EQ(zoBuildLoc1D(1, 0, 2, &t.count, &t.data), 0);  // frees the second
    EXPECT_EQ(t.data, nullptr);
    EXPECT_EQ(t.count, 0);
}

TEST(BuildLoc1DA, AlignedToTheOrigin) {
    Table t;
    EXPECT_EQ(zoBuildLoc1DA(0, 1, 10, 3, &t.count, &t.data), 1);
    EXPECT_EQ(t.values(), (V{3, 6, 9, 10}));
    EXPECT_EQ(zoBuildLoc1DA(20, 1, 10, 3, &t.count, &t.data), 1);
    EXPECT_EQ(t.values(), (V{20}));
    // The origin inside the bounds starts the table.
    EXPECT_EQ(zoBuildLoc1DA(4, 1, 10, 3, &t.count, &t.data), 1);
    EXPECT_EQ(t.values(), (V{4, 7, 10}));
    EXPECT_EQ(zoBuildLoc1DA(-7, 0, 8, 5, &t.count, &t.data), 1);
    EXPECT_EQ(t.values(), (V{3, 8}));
    EXPECT_EQ(zoBuildLoc1DA(0, 1, 10, 0, &t.count, &t.data), 0);
    EXPECT_EQ(t.count, 0);
    EXPECT_EQ(t.data, nullptr);
    EXPECT_EQ(zoBuildLoc1DA(0, 10, 1, 3, &t.count, &t.data), 0);
}

TEST(BuildLoc1DA, RandomBoundsStayOnTheOriginGrid) {
    std::mt19937 rng(12);
    std::uniform_int_distribution<int32_t> value(-500, 500);
    std::uniform_int_distribution<int32_t> stepOf(1, 50);
    for (int trial = 0; trial < 500; ++trial) {
        const int32_t o = value(rng);
        int32_t a = value(rng);
        int32_t b = value(rng);
        if (a > b)
            std::swap(a, b);
        const int32_t s = stepOf(rng);
        Table t;
        ASSERT_EQ(zoBuildLoc1DA(o, a, b, s, &t.count, &t.data), 1);
        const V p = t.values();
        if (o > b) {
            EXPECT_EQ(p, (V{o}));
            continue;
        }
        ASSERT_FALSE(p.empty());
        EXPECT_EQ(p.back(), b);
        for (std::size_t i = 0; i + 1 < p.size(); ++i) {
            EXPECT_EQ(((p[i] - o) % s + s) % s, 0) << "off the origin grid";
            EXPECT_GE(p[i], std::max(a, o));
            EXPECT_LT(p[i], p[i + 1]);
        }
    }
}

TEST(BuildLoc1DB, ZonesWithTheirOwnSteps) {
    // Zones [0, 10) step 2 and [10, 20] step 5; the break 10 is on the first grid.
    Table t;
    int32_t breaks[] = {10};
    const int32_t steps[] = {2, 5};
    int32_t ends[2] = {-1, -1};
    ASSERT_EQ(zoBuildLoc1DB(2, breaks, 0, 20, steps, &t.count, &t.data, ends), 1);
    EXPECT_EQ(t.values(), (V{0, 2, 4, 6, 8, 10, 15, 20}));
    EXPECT_EQ(ends[0], 5);
    EXPECT_EQ(ends[1], 7);
    EXPECT_EQ(breaks[0], 10);
}

TEST(BuildLoc1DB, BreaksSnapToTheZoneBefore) {
    const int32_t fineThenCoarse[] = {3, 10};
    const int32_t coarseThenFine[] = {4, 2};
    Table t;
    int32_t ends[2];
    // Step 3 then 10: the finer first zone is extended from 7 to its next position, 9.
    int32_t breaks[] = {7};
    ASSERT_EQ(zoBuildLoc1DB(2, breaks, 0, 26, fineThenCoarse, &t.count, &t.data, ends), 1);
    EXPECT_EQ(breaks[0], 9);
    EXPECT_EQ(t.values(), (V{0, 3, 6, 9, 19, 26}));  // 29 is replaced by the upper bound
    EXPECT_EQ(ends[0], 3);
    EXPECT_EQ(ends[1], 5);
    // Step 4 then 2: the coarser first zone is cut back from 7 to 4.
    breaks[0] = 7;
    ASSERT_EQ(zoBuildLoc1DB(2, breaks, 0, 12, coarseThenFine, &t.count, &t.data, ends), 1);
    EXPECT_EQ(breaks[0], 4);
    EXPECT_EQ(t.values(), (V{0, 4, 6, 8, 10, 12}));
    EXPECT_EQ(ends[0], 1);
    EXPECT_EQ(ends[1], 5);
}

TEST(BuildLoc1DB, BadArguments) {
    Table t;
    int32_t breaks[] = {5};
    const int32_t steps[] = {2, 2};
    const int32_t zeroStep[] = {0, 2};
    int32_t ends[2];
    EXPECT_EQ(zoBuildLoc1DB(0, breaks, 0, 10, steps, &t.count, &t.data, ends), 0);
    EXPECT_EQ(zoBuildLoc1DB(2, nullptr, 0, 10, steps, &t.count, &t.data, ends), 0);
    EXPECT_EQ(zoBuildLoc1DB(2, breaks, 0, 10, nullptr, &t.count, &t.data, ends), 0);
    EXPECT_EQ(zoBuildLoc1DB(2, breaks, 10, 0, steps, &t.count, &t.data, ends), 0);
    EXPECT_EQ(zoBuildLoc1DB(2, breaks, 0, 10, zeroStep, &t.count, &t.data, ends), 0);
    EXPECT_EQ(t.data, nullptr);
}

TEST(BuildLoc1DC, FixedCount) {
    Table t;
    EXPECT_EQ(zoBuildLoc1DC(0, 10, 4, &t.count, &t.data), 1);
    EXPECT_EQ(t.values(), (V{0, 3, 6, 10}));
    EXPECT_EQ(zoBuildLoc1DC(-10, 10, 3, &t.count, &t.data), 1);
    EXPECT_EQ(t.values(), (V{-10, 0, 10}));
    EXPECT_EQ(zoBuildLoc1DC(5, 9, 2, &t.count, &t.data), 1);
    EXPECT_EQ(t.values(), (V{5, 9}));
    EXPECT_EQ(zoBuildLoc1DC(5, 9, 1, &t.count, &t.data), 1);
    EXPECT_EQ(t.values(), (V{5}));
    EXPECT_EQ(zoBuildLoc1DC(10, 0, 4, &t.count, &t.data), 0);
    EXPECT_EQ(t.count, 0);
    EXPECT_EQ(t.data, nullptr);
}

}  // namespace
