// Point in polygon by counting crossings along one of twelve lines through the point.
#include <array>
#include <cmath>

#include "gonion/gonion.h"
#include "point_set.h"
#include "polygon_crossings.h"

namespace {

struct Direction {
    double dx;
    double dy;
};

// Lines at 0, 15, ..., 165 degrees; the first one that meets the outline an even number of
// times (not through a vertex or along an edge) decides.
const std::array<Direction, 12>& testDirections() {
    static const std::array<Direction, 12> directions = [] {
        std::array<Direction, 12> d{};
        for (int k = 0; k < 12; ++k) {
            const double angle = k * 0.2617993877991494;
            d[static_cast<std::size_t>(k)] = {10.0 * std::cos(angle), 10.0 * std::sin(angle)};
        }
        return d;
    }();
    return directions;
}

// Sorting the crossings with the point (x, then y; the point after equal crossings) and taking
// the point's position is the same as counting the crossings that sort before it.
int32_t crossingsBefore(const gonion::DistinctPoints& crossings, double px, double py) {
    int32_t before = 0;
    crossings.forEach([&](double x, double y) {
        if (x < px || (x == px && y <= py)) {
            ++before;
        }
    });
    return before;
}

}  // namespace

extern "C" {

GONION_API int32_t zoHitTestPG(int32_t count, uint32_t stride, const double* xs, const double* ys,
                               double px, double py) {
    const gonion::DoublePolygon pg{count, stride, xs, ys};
    if (!pg.valid(3)) {
        return 0;
    }
    gonion::DistinctPoints crossings;
    for (const Direction& d : testDirections()) {
        crossings.clear();
        gonion::forEachLineCrossing(pg, px, py, d.dx, d.dy,
                                    [&crossings](double x, double y) { crossings.add(x, y); });
        const int32_t m = crossings.size();
        if (m % 2 != 0) {
            continue;
        }
        if (m == 0) {
            return 0;
        }
        return crossingsBefore(crossings, px, py) % 2 != 0 ? 1 : 0;
    }
    return 0;
}

}  // extern "C"
