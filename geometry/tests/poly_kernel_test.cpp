// Kernel of a polygon: the part from which the whole polygon is visible.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "poly_test_support.h"

using namespace polytest;

namespace {

struct KernelResult {
    int32_t code;
    Ring kernel;
};

KernelResult kernelOf(const Ring& polygon) {
    std::vector<double> xs, ys;
    for (const zoPoint& p : polygon) {
        xs.push_back(p.x);
        ys.push_back(p.y);
    }
    const auto n = static_cast<int32_t>(polygon.size());
    std::vector<double> outXs(polygon.size(), -1), outYs(polygon.size(), -1);
    int32_t count = -1;
    const int32_t code =
        zoGetPolyKernel(n, xs.data(), ys.data(), &count, outXs.data(), outYs.data());
    KernelResult result{code, {}};
    for (int32_t i = 0; code != 0 && i < count; ++i)
        result.kernel.push_back({outXs[i], outYs[i]});
    return result;
}

TEST(PolyKernel, ConvexPolygonIsItsOwnKernel) {
    const Ring pentagon{{0, 0}, {4, 0}, {5, 3}, {2, 5}, {-1, 3}};
    const KernelResult result = kernelOf(pentagon);
    EXPECT_EQ(result.code, 2);
    EXPECT_TRUE(sameCycle(result.kernel, pentagon));
    EXPECT_EQ(result.kernel[0].x, pentagon[0].x);
}

TEST(PolyKernel, LShapeKeepsTheCornerSquare) {
    const Ring l{{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 10}, {0, 10}};
    const KernelResult result = kernelOf(l);
    ASSERT_EQ(result.code, 1);
    EXPECT_TRUE(sameCycle(result.kernel, rectangle(0, 0, 5, 5)));
}

TEST(PolyKernel, ReflexFirstVertex) {
    const Ring l{{5, 5}, {5, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 5}};
    const KernelResult result = kernelOf(l);
    ASSERT_EQ(result.code, 1);
    EXPECT_EQ(result.kernel.size(), 4u);
    EXPECT_DOUBLE_EQ(signedArea(result.kernel), 25.0);
}

TEST(PolyKernel, DartIsCutByItsTwoReflexEdgeLines) {
    // One reflex vertex at (4,2). Its edge lines y = 4 - x/2 and y = x/2 meet the far edges at
    // (16/3, 4/3) and (16/3, 8/3); the kernel is the quadrilateral with the tip (8,2), whose
    // diagonals are 4 and 4/3 long and perpendicular.
    const Ring dart{{0, 0}, {8, 2}, {0, 4}, {4, 2}};
    const KernelResult result = kernelOf(dart);
    ASSERT_EQ(result.code, 1);
    ASSERT_EQ(result.kernel.size(), 4u);
    EXPECT_NEAR(signedArea(result.kernel), 8.0 / 3.0, 1e-12);
    for (const zoPoint& p : result.kernel) {
        const bool corner =
            (std::fabs(p.x - 4) < 1e-12 && std::fabs(p.y - 2) < 1e-12) ||
            (std::fabs(p.x - 8) < 1e-12 && std::fabs(p.y - 2) < 1e-12) ||
            (std::fabs(p.x - 16.0 / 3) < 1e-12 &&
             (std::fabs(p.y - 4.0 / 3) < 1e-12 || std::fabs(p.y - 8.0 / 3) < 1e-12));
        EXPECT_TRUE(corner) << p.x << "," << p.y;
    }
}

TEST(PolyKernel, ClockwiseInputGivesTheSameKernel) {
    const Ring l{{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 10}, {0, 10}};
    const KernelResult result = kernelOf(reversed(l));
    ASSERT_EQ(result.code, 1);
    EXPECT_DOUBLE_EQ(signedArea(result.kernel), 25.0);
    const Ring triangle{{0, 0}, {0, 3}, {4, 0}};
    const KernelResult convex = kernelOf(triangle);
    EXPECT_EQ(convex.code, 2);
    EXPECT_TRUE(sameCycle(convex.kernel, triangle));
}

TEST(PolyKernel, UShapeHasNoKernel) {
    const Ring u{{0, 0}, {30, 0}, {30, 10}, {20, 10}, {20, 2}, {10, 2}, {10, 10}, {0, 10}};
    EXPECT_EQ(kernelOf(u).code, 0);
}

// Independent kernel: a large square clipped by the left half-plane of every edge
// (Sutherland-Hodgman), the kernel being the intersection of all of them.
Ring halfPlaneKernel(const Ring& polygon) {
    Ring kernel = rectangle(-1e4, -1e4, 1e4, 1e4);
    for (std::size_t i = 0; i < polygon.size() && !kernel.empty(); ++i) {
        const zoPoint a = polygon[i];
        const zoPoint b = polygon[(i + 1) % polygon.size()];
        auto side = [&](zoPoint p) {
            return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
        };
        Ring clipped;
        for (std::size_t k = 0; k < kernel.size(); ++k) {
            const zoPoint p = kernel[k];
            const zoPoint q = kernel[(k + 1) % kernel.size()];
            const double sp = side(p), sq = side(q);
            if (sp >= 0)
                clipped.push_back(p);
            if ((sp >= 0) != (sq >= 0)) {
                const double t = sp / (sp - sq);
                clipped.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
            }
        }
        kernel = clipped;
    }
    return kernel;
}

Ring star(int points, double outer, double inner, double turn) {
    Ring ring;
    const double pi = 3.14159265358979323846;
    for (int k = 0; k < 2 * points; ++k) {
        const double angle = turn + k * pi / points;
        const double radius = k % 2 == 0 ? outer : inner;
        ring.push_back({radius * std::cos(angle), radius * std::sin(angle)});
    }
    return ring;
}

TEST(PolyKernel, StarsMatchTheHalfPlaneKernel) {
    struct Case {
        int points;
        double inner;
    };
    for (const Case c : {Case{5, 4.0}, Case{5, 3.0}, Case{6, 6.0}, Case{7, 8.5}, Case{12, 9.0}}) {
        for (const double turn : {0.0, 0.3, 1.2}) {
            const Ring polygon = star(c.points, 10.0, c.inner, turn);
            const KernelResult result = kernelOf(polygon);
            ASSERT_EQ(result.code, 1) << c.points << " " << c.inner << " " << turn;
            EXPECT_NEAR(signedArea(result.kernel), signedArea(halfPlaneKernel(polygon)), 1e-9)
                << c.points << " " << c.inner << " " << turn;
        }
    }
}

TEST(PolyKernel, RandomStarShapedPolygonsMatchTheHalfPlaneKernel) {
    // Vertices at jittered angles around the origin with radii in [0.7, 1.3]: the polygon is
    // star-shaped about the origin, so its kernel holds the origin and is not empty.
    std::mt19937 random(3);
    std::uniform_real_distribution<double> jitter(-0.3, 0.3), radius(0.7, 1.3);
    std::uniform_int_distribution<int> count(4, 30);
    const double pi = 3.14159265358979323846;
    int cut = 0;
    for (int trial = 0; trial < 300; ++trial) {
        Ring polygon;
        const int n = count(random);
        for (int k = 0; k < n; ++k) {
            const double angle = (k + jitter(random)) * 2 * pi / n;
            const double r = radius(random);
            polygon.push_back({r * std::cos(angle), r * std::sin(angle)});
        }
        const KernelResult result = kernelOf(polygon);
        ASSERT_NE(result.code, 0) << trial;
        cut += result.code == 1;
        EXPECT_NEAR(signedArea(result.kernel), signedArea(halfPlaneKernel(polygon)), 1e-9) << trial;
    }
    EXPECT_GT(cut, 200);
}

TEST(PolyKernel, FirstVertexReflexOrNotGivesTheSameKernel) {
    // The same star started at an inner (reflex) vertex and at a tip.
    Ring polygon = star(5, 10.0, 4.0, 0.1);
    const double reference = signedArea(kernelOf(polygon).kernel);
    std::rotate(polygon.begin(), polygon.begin() + 1, polygon.end());
    const KernelResult rotated = kernelOf(polygon);
    ASSERT_EQ(rotated.code, 1);
    EXPECT_NEAR(signedArea(rotated.kernel), reference, 1e-9);
}

TEST(PolyKernel, OddPolygonsEndCleanly) {
    const Ring figureEight{{0, 0}, {10, 10}, {10, 0}, {0, 10}};
    const Ring repeated{{0, 0}, {10, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 5}, {5, 10}, {0, 10}};
    const Ring flat{{0, 0}, {5, 0}, {10, 0}};
    for (const Ring& polygon : {figureEight, repeated, flat}) {
        const KernelResult result = kernelOf(polygon);
        EXPECT_TRUE(result.code >= 0 && result.code <= 2);
        EXPECT_LE(result.kernel.size(), polygon.size());
    }
    EXPECT_DOUBLE_EQ(signedArea(kernelOf(repeated).kernel), 25.0);
}

TEST(PolyKernel, BadArguments) {
    const double xs[3] = {0, 1, 0}, ys[3] = {0, 0, 1};
    double outXs[3], outYs[3];
    int32_t count = 0;
    EXPECT_EQ(zoGetPolyKernel(0, xs, ys, &count, outXs, outYs), 0);
    EXPECT_EQ(zoGetPolyKernel(3, nullptr, ys, &count, outXs, outYs), 0);
    EXPECT_EQ(zoGetPolyKernel(3, xs, nullptr, &count, outXs, outYs), 0);
    EXPECT_EQ(zoGetPolyKernel(3, xs, ys, nullptr, outXs, outYs), 0);
    EXPECT_EQ(zoGetPolyKernel(1, xs, ys, &count, outXs, outYs), 2);
    EXPECT_EQ(count, 1);
}

}  // namespace
