// Polygon area, centroid and orientation.
#include <cmath>

#include "gonion/gonion.h"
#include "strided.h"

namespace {

using gonion::DoublePolygon;
using IntPolygon = gonion::StridedPolygon<int32_t>;
// Exact accumulator for integer shoelace terms (each term needs 64 bits plus a sign).
__extension__ using Wide = __int128;

// Shoelace sum of doubles, closing edge last.
double shoelaceSum(const DoublePolygon& pg) {
    double sum = 0.0;
    for (int32_t i = 0; i < pg.count; ++i) {
        const int32_t j = pg.next(i);
        sum += pg.x(i) * pg.y(j) - pg.x(j) * pg.y(i);
    }
    return sum;
}

// One integer shoelace term. Products of 32-bit values fit in 64 bits; their difference
// may not, so it is widened to 128 bits. The result is exact: no wrap-around.
Wide integerTerm(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    return static_cast<Wide>(static_cast<int64_t>(x0) * y1) -
           static_cast<Wide>(static_cast<int64_t>(x1) * y0);
}

Wide integerShoelaceSum(const IntPolygon& pg) {
    Wide sum = 0;
    for (int32_t i = 0; i < pg.count; ++i) {
        const int32_t j = pg.next(i);
        sum += integerTerm(pg.x(i), pg.y(i), pg.x(j), pg.y(j));
    }
    return sum;
}

// Centroid from the signed shoelace sum; writes nothing for a zero area.
template <class Polygon, class TermFn>
void writeCentroid(const Polygon& pg, double signedSum, TermFn term, double* cx, double* cy) {
    if (std::fabs(signedSum) * 0.5 == 0.0) {
        return;
    }
    double sx = 0.0;
    double sy = 0.0;
    for (int32_t i = 0; i < pg.count; ++i) {
        term(i, pg.next(i), sx, sy);
    }
    const double signedArea = signedSum * 0.5;
    *cx = sx * (1.0 / 6.0) / signedArea;
    *cy = sy * (1.0 / 6.0) / signedArea;
}

}  // namespace

extern "C" {

GONION_API double zoGetGeoAreaPGF(int32_t count, uint32_t stride, const double* xs,
                                  const double* ys) {
    const DoublePolygon pg{count, stride, xs, ys};
    if (!pg.valid(3)) {
        return -1.0;
    }
    return std::fabs(shoelaceSum(pg)) * 0.5;
}

GONION_API double zoGetGeoAreaPG(int32_t count, uint32_t stride, const int32_t* xs,
                                 const int32_t* ys) {
    const IntPolygon pg{count, stride, xs, ys};
    if (!pg.valid(3)) {
        return -1.0;
    }
    return std::fabs(static_cast<double>(integerShoelaceSum(pg))) * 0.5;
}

GONION_API void zoGetGeoCentPGF(int32_t count, uint32_t stride, const double* xs, const double* ys,
                                double* cx, double* cy) {
    const DoublePolygon pg{count, stride, xs, ys};
    if (!pg.valid(3) || cx == nullptr || cy == nullptr) {
        return;
    }
    writeCentroid(
        pg, shoelaceSum(pg),
        [&pg](int32_t i, int32_t j, double& sx, double& sy) {
            const double w = pg.x(i) * pg.y(j) - pg.x(j) * pg.y(i);
            sx += (pg.x(i) + pg.x(j)) * w;
            sy += (pg.y(i) + pg.y(j)) * w;
        },
        cx, cy);
}

GONION_API void zoGetGeoCentPG(int32_t count, uint32_t stride, const int32_t* xs, const int32_t* ys,
                               double* cx, double* cy) {
    const IntPolygon pg{count, stride, xs, ys};
    if (!pg.valid(3) || cx == nullptr || cy == nullptr) {
        return;
    }
    writeCentroid(
        pg, static_cast<double>(integerShoelaceSum(pg)),
        [&pg](int32_t i, int32_t j, double& sx, double& sy) {
            const double w = static_cast<double>(integerTerm(pg.x(i), pg.y(i), pg.x(j), pg.y(j)));
            sx += static_cast<double>(static_cast<int64_t>(pg.x(i)) + pg.x(j)) * w;
            sy += static_cast<double>(static_cast<int64_t>(pg.y(i)) + pg.y(j)) * w;
        },
        cx, cy);
}

GONION_API int32_t zoPolyIsCW(int32_t count, uint32_t stride, const double* xs, const double* ys) {
    const DoublePolygon pg{count, stride, xs, ys};
    if (!pg.valid(1)) {
        return 0;
    }
    double sum = 0.0;
    for (int32_t i = 0; i < pg.count; ++i) {
        const int32_t j = pg.next(i);
        sum += zoGetVectorCross(pg.x(i), pg.y(i), pg.x(j), pg.y(j));
    }
    return sum < 0.0 ? 1 : 0;
}

}  // extern "C"
