// Properties of the polygon boolean operations over many random polygon pairs: the area
// identities, output vertices on the input outlines, orientation of the results, and GEOS as an
// independent oracle of the areas.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <string>

#include "poly_test_support.h"

#ifdef ORVELLE_HAVE_GEOS
#include <geos_c.h>
#endif

using namespace polytest;

namespace {

// A star-shaped polygon around (cx, cy): angles jittered around an even spacing, so it is
// simple and, with random radii, in general position against another one.
Ring randomStar(std::mt19937& random, double cx, double cy, int count, double minRadius,
                double maxRadius) {
    const double pi = 3.14159265358979323846;
    std::uniform_real_distribution<double> jitter(-0.4, 0.4);
    std::uniform_real_distribution<double> radius(minRadius, maxRadius);
    Ring ring;
    for (int k = 0; k < count; ++k) {
        const double angle = (k + jitter(random)) * 2 * pi / count;
        const double r = radius(random);
        ring.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
    }
    return ring;
}

double distanceToSegment(zoPoint p, zoPoint a, zoPoint b) {
    const double sx = b.x - a.x, sy = b.y - a.y;
    double t = ((p.x - a.x) * sx + (p.y - a.y) * sy) / (sx * sx + sy * sy);
    t = std::fmax(0.0, std::fmin(1.0, t));
    return std::hypot(p.x - (a.x + t * sx), p.y - (a.y + t * sy));
}

// True when p is a vertex of one of the inputs or lies on one of their edges.
bool onInputOutline(zoPoint p, const Ring& a, const Ring& b) {
    for (const Ring* ring : {&a, &b}) {
        for (std::size_t i = 0; i < ring->size(); ++i) {
            const zoPoint& v = (*ring)[i];
            if (v.x == p.x && v.y == p.y)
                return true;
            const double tolerance = 1e-9 + 1e-14 * (std::fabs(p.x) + std::fabs(p.y));
            if (distanceToSegment(p, v, (*ring)[(i + 1) % ring->size()]) < tolerance)
                return true;
        }
    }
    return false;
}

struct Areas {
    double unionArea;
    double intersectionArea;
    double differenceArea;
};

#ifdef ORVELLE_HAVE_GEOS
class Geos {
  public:
    Geos() : context_(GEOS_init_r()) {}
    ~Geos() { GEOS_finish_r(context_); }
    Geos(const Geos&) = delete;
    Geos& operator=(const Geos&) = delete;

    Areas areas(const Ring& a, const Ring& b) {
        GEOSGeometry* ga = polygon(a);
        GEOSGeometry* gb = polygon(b);
        Areas result{area(GEOSUnion_r(context_, ga, gb)),
                     area(GEOSIntersection_r(context_, ga, gb)),
                     area(GEOSDifference_r(context_, ga, gb))};
        GEOSGeom_destroy_r(context_, ga);
        GEOSGeom_destroy_r(context_, gb);
        return result;
    }

    GEOSContextHandle_t context_;

    GEOSGeometry* polygon(const Ring& ring) {
        GEOSCoordSequence* sequence =
            GEOSCoordSeq_create_r(context_, static_cast<unsigned>(ring.size() + 1), 2);
        for (std::size_t i = 0; i <= ring.size(); ++i) {
            const zoPoint& p = ring[i % ring.size()];
            GEOSCoordSeq_setXY_r(context_, sequence, static_cast<unsigned>(i), p.x, p.y);
        }
        GEOSGeometry* shell = GEOSGeom_createLinearRing_r(context_, sequence);
        return GEOSGeom_createPolygon_r(context_, shell, nullptr, 0);
    }

    bool simple(const Ring& ring) {
        GEOSGeometry* g = polygon(ring);
        const bool valid = GEOSisValid_r(context_, g) == 1;
        GEOSGeom_destroy_r(context_, g);
        return valid;
    }

  private:
    double area(GEOSGeometry* geometry) {
        double value = -1;
        GEOSArea_r(context_, geometry, &value);
        GEOSGeom_destroy_r(context_, geometry);
        return value;
    }
};
#endif

void expectOrientation(const std::vector<Ring>& rings, bool counterClockwise) {
    for (const Ring& ring : rings)
        EXPECT_EQ(signedArea(ring) > 0, counterClockwise);
}

// Computes the three areas through the library and checks each result's vertices and
// orientation on the way.
Areas libraryAreas(const Ring& a, const Ring& b) {
    const double areaA = std::fabs(signedArea(a)), areaB = std::fabs(signedArea(b));
    Areas areas{};
    const RegionResult u = polygonUnion(a, b);
    if (u.code == 1) {
        areas.unionArea = signedArea(u.outline()) - totalArea(u.holes());
        expectOrientation({u.outline()}, true);
        expectOrientation(u.holes(), false);
        for (const zoPoint& p : u.outline())
            EXPECT_TRUE(onInputOutline(p, a, b));
    } else {
        areas.unionArea = areaA + areaB;  // disjoint
    }
    const ListResult i = intersection(a, b);
    EXPECT_EQ(i.code, i.rings().empty() ? 0 : 1);
    areas.intersectionArea = totalArea(i.rings());
    expectOrientation(i.rings(), true);
    const ListResult d = difference(a, b);
    switch (d.code) {
        case 0:
            areas.differenceArea = areaA;
            break;
        case 1:
            areas.differenceArea = 0;
            break;
        case 2:
            areas.differenceArea = totalArea(d.rings());
            expectOrientation(d.rings(), true);
            break;
        case 3:
            areas.differenceArea = areaA - areaB;
            break;
        default:
            ADD_FAILURE() << "difference code " << d.code;
    }
    for (const ListResult* result : {&i, &d}) {
        for (const Ring& ring : result->rings()) {
            for (const zoPoint& p : ring)
                EXPECT_TRUE(onInputOutline(p, a, b));
        }
    }
    return areas;
}

// Pairs of random star-shaped polygons, at unit scale near the origin and at the scale of a
// plan drawn in millimetres far from it.
struct Placement {
    const char* name;
    double origin;
    double scale;
};

void PrintTo(const Placement& p, std::ostream* os) {
    *os << p.name;
}

class PolyProperties : public testing::TestWithParam<Placement> {};

TEST_P(PolyProperties, RandomPairsInGeneralPosition) {
    const Placement placement = GetParam();
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> offset(-1.6, 1.6);
    std::uniform_int_distribution<int> count(3, 40);
    auto place = [&](Ring ring) {
        for (zoPoint& p : ring) {
            p.x = placement.origin + placement.scale * p.x;
            p.y = placement.origin + placement.scale * p.y;
        }
        return ring;
    };
#ifdef ORVELLE_HAVE_GEOS
    Geos geos;
#endif
    for (int trial = 0; trial < 400; ++trial) {
        SCOPED_TRACE(trial);
        const Ring a = place(randomStar(random, 0, 0, count(random), 0.3, 1.5));
        Ring b = place(randomStar(random, offset(random), offset(random), count(random), 0.3, 1.5));
        if (trial % 3 == 1)
            b = reversed(b);  // every operation takes either orientation
        const double areaA = std::fabs(signedArea(a)), areaB = std::fabs(signedArea(b));
        const Areas areas = libraryAreas(a, b);
        const double tolerance = 1e-9 * (areaA + areaB);
        EXPECT_NEAR(areas.unionArea + areas.intersectionArea, areaA + areaB, tolerance);
        EXPECT_NEAR(areas.differenceArea, areaA - areas.intersectionArea, tolerance);
#ifdef ORVELLE_HAVE_GEOS
        const Areas oracle = geos.areas(a, b);
        EXPECT_NEAR(areas.unionArea, oracle.unionArea, tolerance);
        EXPECT_NEAR(areas.intersectionArea, oracle.intersectionArea, tolerance);
        EXPECT_NEAR(areas.differenceArea, oracle.differenceArea, tolerance);
#endif
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, PolyProperties,
                         testing::Values(Placement{"Unit", 0.0, 1.0},
                                         Placement{"Millimetres", 250000.0, 4000.0}),
                         [](const testing::TestParamInfo<Placement>& info) {
                             return info.param.name;
                         });

std::string describe(const Ring& ring) {
    std::ostringstream text;
    for (const zoPoint& p : ring)
        text << '(' << p.x << ',' << p.y << ')';
    return text.str();
}

// Polygons on a coarse integer grid meet in every degenerate way: shared and overlapping
// edges, vertices on edges and on vertices, repeated vertices, self-intersections. Every call
// must end with a valid code; for simple pairs the areas must still hold.
TEST(PolyDegenerate, GridPolygonsMeetingInEveryWay) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(0, 5);
    std::uniform_int_distribution<int> count(3, 8);
    auto grid = [&]() {
        Ring ring;
        const int n = count(random);
        for (int k = 0; k < n; ++k)
            ring.push_back({double(coordinate(random)), double(coordinate(random))});
        return ring;
    };
#ifdef ORVELLE_HAVE_GEOS
    Geos geos;
    int compared = 0;
#endif
    for (int trial = 0; trial < 4000; ++trial) {
        SCOPED_TRACE(trial);
        const Ring a = grid(), b = grid();
        const RegionResult u = polygonUnion(a, b);
        EXPECT_TRUE(u.code == 0 || u.code == 1);
        const ListResult i = intersection(a, b);
        EXPECT_TRUE(i.code == 0 || i.code == 1);
        const ListResult d = difference(a, b);
        EXPECT_TRUE(d.code >= 0 && d.code <= 3);
#ifdef ORVELLE_HAVE_GEOS
        if (!geos.simple(a) || !geos.simple(b))
            continue;
        ++compared;
        const double areaA = std::fabs(signedArea(a)), areaB = std::fabs(signedArea(b));
        const Areas areas = libraryAreas(a, b);
        const Areas oracle = geos.areas(a, b);
        EXPECT_NEAR(areas.unionArea, oracle.unionArea, 1e-9) << "union";
        EXPECT_NEAR(areas.intersectionArea, oracle.intersectionArea, 1e-9) << "intersection";
        EXPECT_NEAR(areas.differenceArea, oracle.differenceArea, 1e-9)
            << "difference " << d.code << " " << describe(a) << " - " << describe(b);
        (void)areaA;
        (void)areaB;
#endif
    }
#ifdef ORVELLE_HAVE_GEOS
    EXPECT_GT(compared, 300);
#endif
}

}  // namespace
