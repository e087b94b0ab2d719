// Calls the geometry library on numbers decoded from arbitrary bytes: areas, centroids,
// reduction, point-on-segment tests, every crossing, the distances, the hit tests, shortest
// paths, matrices, location tables, the polygon booleans and the kernel.
//
// The first byte picks how numbers are decoded:
//   0 grid: multiples of 1/1024 within +-2048. Differences of such numbers and their products
//     are exact or far above the library's zero tolerance, so every documented result must be
//     finite: anything else aborts.
//   1 bounded: any finite double within +-1e6. Results are only checked for their codes, as
//     a near-zero determinant may legitimately give huge values.
//   2 raw: any bit pattern, NaN and infinities included. Only codes and memory are checked.
// In every mode a result code outside the documented set aborts.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gonion/gonion.h"

namespace {

enum class Mode { Grid, Bounded, Raw };

class Decoder {
  public:
    Decoder(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    uint32_t u32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value = value << 8 | byte();
        }
        return value;
    }
    uint64_t u64() { return static_cast<uint64_t>(u32()) << 32 | u32(); }
    bool done() const { return at_ >= size_; }

    // A count in [low, high].
    int32_t count(int32_t low, int32_t high) { return low + byte() % (high - low + 1); }

    double number(Mode mode) {
        if (mode == Mode::Grid) {
            const int32_t steps = static_cast<int32_t>(u32()) >> 10;  // within +-2^21
            return steps / 1024.0;
        }
        const uint8_t kind = byte();
        if (mode == Mode::Raw && kind >= 200) {
            static const double kSpecial[] = {NAN, INFINITY, -INFINITY, 0.0, -0.0, 5e-324,
                                              1.7976931348623157e308, -1e300, 1e-300, 2.2e-8};
            return kSpecial[kind % 10];
        }
        if (kind < 128) {  // small integers make coincidences and collinear points likely
            return static_cast<int8_t>(byte());
        }
        double value;
        const uint64_t bits = u64();
        std::memcpy(&value, &bits, sizeof value);
        if (mode == Mode::Bounded && !(std::fabs(value) <= 1e6)) {
            value = std::isfinite(value) ? std::fmod(value, 1e6) : 0.0;
        }
        return value;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool OneOf(int32_t code, std::initializer_list<int32_t> codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

struct Ring {
    std::vector<double> xs, ys;
    std::vector<zoPoint> points;
    int32_t count() const { return static_cast<int32_t>(xs.size()); }
    zoPolygon view() { return zoPolygon{points.data(), count()}; }
};

Ring RingOf(Decoder& in, Mode mode, int32_t low, int32_t high) {
    Ring r;
    const int32_t n = in.count(low, high);
    for (int32_t i = 0; i < n; ++i) {
        const double x = in.number(mode), y = in.number(mode);
        r.xs.push_back(x);
        r.ys.push_back(y);
        r.points.push_back(zoPoint{x, y});
    }
    return r;
}

class Calls {
  public:
    Calls(Decoder& in, Mode mode) : in_(in), mode_(mode), exact_(mode == Mode::Grid) {}

    double n() { return in_.number(mode_); }
    void finite(double value) { Check(!exact_ || std::isfinite(value)); }
    void finite(const double* values, int32_t count) {
        for (int32_t i = 0; i < count; ++i) {
            finite(values[i]);
        }
    }

    void polygonMeasures() {
        Ring r = RingOf(in_, mode_, 0, 24);
        const double area = zoGetGeoAreaPGF(r.count(), 8, r.xs.data(), r.ys.data());
        Check(std::isnan(area) || area >= 0.0 || area == -1.0);
        finite(area);
        double cx = 1.0, cy = 1.0;
        zoGetGeoCentPGF(r.count(), 8, r.xs.data(), r.ys.data(), &cx, &cy);
        finite(cx);
        finite(cy);
        if (r.count() >= 1) {
            Check(OneOf(zoPolyIsCW(r.count(), 8, r.xs.data(), r.ys.data()), {0, 1}));
        }
        std::vector<double> outX(r.xs.size()), outY(r.ys.size());
        int32_t outCount = -1;
        zoReducePG(r.count(), 8, r.xs.data(), r.ys.data(), &outCount, outX.data(), outY.data());
        Check(outCount == -1 ? r.count() < 3 : outCount >= 0 && outCount <= r.count());
        if (outCount > 0) {
            finite(outX.data(), outCount);
            finite(outY.data(), outCount);
        }
        double extreme = 0.0;
        Check(zoGetMaxValueF(r.count(), 8, r.xs.data(), &extreme) == (r.count() >= 1 ? 1 : 0));
        Check(zoGetMinValueF(r.count(), 8, r.ys.data(), &extreme) == (r.count() >= 1 ? 1 : 0));
        std::vector<int32_t> ints(r.xs.size());
        for (size_t i = 0; i < ints.size(); ++i) {
            ints[i] = static_cast<int32_t>(in_.u32());
        }
        int32_t intExtreme = 0;
        zoGetMaxValue(r.count(), 4, ints.data(), &intExtreme);
        zoGetMinValue(r.count(), 4, ints.data(), &intExtreme);
        const double intArea = zoGetGeoAreaPG(r.count(), 4, ints.data(), ints.data());
        Check(std::isfinite(intArea));
        zoGetGeoCentPG(r.count(), 4, ints.data(), ints.data(), &cx, &cy);
    }

    void pointOnSegment() {
        const double px = n(), py = n(), ax = n(), ay = n(), bx = n(), by = n();
        Check(OneOf(zoIsPointOnSeg(px, py, ax, ay, bx, by), {0, 1, 2, 3}));
        Check(OneOf(zoIsPointOnSeg2(px, py, ax, ay, bx, by), {0, 1, 2, 3}));
        Check(OneOf(zoIsPointOnSegTol(px, py, ax, ay, bx, by, n()), {0, 1}));
    }

    void lineCrossings() {
        const double a[8] = {n(), n(), n(), n(), n(), n(), n(), n()};
        double x = 0.0, y = 0.0, x2 = 0.0, y2 = 0.0;
        if (zoGetCrossPointLL(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], &x, &y) == 1) {
            finite(x);
            finite(y);
        }
        const int32_t ls = zoGetCrossPointLS(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], &x, &y);
        Check(OneOf(ls, {0, 1}));
        if (ls == 1) {
            finite(x);
            finite(y);
        }
        const int32_t hls =
            zoGetCrossPointHLS(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], &x, &y);
        Check(OneOf(hls, {0, 1}));
        if (hls == 1) {
            finite(x);
            finite(y);
        }
        const int32_t ss = zoGetCrossPointSS(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], &x, &y);
        Check(OneOf(ss, {0, 1, 2}));
        if (ss == 1) {
            finite(x);
            finite(y);
        }
        const int32_t ss2 =
            zoGetCrossPointSS2(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], &x, &y, &x2, &y2);
        Check(OneOf(ss2, {-2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        if (ss2 >= 3) {
            finite(x);
            finite(y);
        }
        if (ss2 >= 7) {
            finite(x2);
            finite(y2);
        }
    }

    void polygonCrossings() {
        Ring r = RingOf(in_, mode_, 0, 16);
        std::vector<double> outX(r.xs.size() + 1), outY(r.ys.size() + 1);
        const double a[4] = {n(), n(), n(), n()};
        int32_t count = -1;
        const int32_t ps = zoGetCrossPointPS(r.count(), 8, r.xs.data(), r.ys.data(), a[0], a[1],
                                             a[2], a[3], &count, outX.data(), outY.data());
        Check(ps == (r.count() >= 3 ? 1 : 0));
        if (ps == 1) {
            Check(count >= 0 && count <= r.count());
            finite(outX.data(), count);
            finite(outY.data(), count);
        }
        count = -1;
        const int32_t pl = zoGetCrossPointPL(r.count(), 8, r.xs.data(), r.ys.data(), a[0], a[1],
                                             a[2], a[3], &count, outX.data(), outY.data());
        Check(pl == (r.count() >= 3 ? 1 : 0));
        if (pl == 1) {
            Check(count >= 0 && count <= r.count());
            finite(outX.data(), count);
            finite(outY.data(), count);
        }
    }

    void circleCrossings() {
        const double m[3] = {n(), n(), n()};
        const double a[4] = {n(), n(), n(), n()};
        const double r2 = n();
        double xs[2] = {0, 0}, ys[2] = {0, 0};
        const auto points = [&](int32_t code, int32_t count) {
            if (code == 1 || code == 2) {
                Check(count >= 1 && count <= 2);
                finite(xs, count);
                finite(ys, count);
            }
        };
        int32_t count = 0;
        int32_t code = zoGetCrossPointCL(m[0], m[1], m[2], a[0], a[1], a[2], a[3], &count, xs, ys);
        Check(OneOf(code, {0, 1, 2}));
        points(code, count);
        code = zoGetCrossPointCC(m[0], m[1], m[2], a[0], a[1], r2, &count, xs, ys);
        Check(OneOf(code, {0, 1, 2}));
        points(code, count);
        code = zoGetCrossPointCS(m[0], m[1], m[2], a[0], a[1], a[2], a[3], &count, xs, ys);
        Check(OneOf(code, {0, 1, 2}));
        points(code, count);
    }

    void distances() {
        const double l[4] = {n(), n(), n(), n()};
        const double q[2] = {n(), n()};
        const double e[2] = {n(), n()};
        const double angle = n();
        const bool direction = l[2] != 0.0 || l[3] != 0.0;
        double side = 0.0, fx = 0.0, fy = 0.0, distance = 0.0, hx = 0.0, hy = 0.0;
        finite(zoGetDistLP2(l[0], l[1], l[2], l[3], q[0], q[1]));
        // The foot needs a direction that is not zero.
        if (direction) {
            finite(zoGetDistLP2CP(l[0], l[1], l[2], l[3], q[0], q[1], &fx, &fy));
            finite(fx);
            finite(fy);
        }
        finite(zoGetDistLPA2(l[0], l[1], l[2], l[3], q[0], q[1], &side));
        finite(side);
        finite(zoGetDistLPB2(l[0], l[1], l[2], l[3], q[0], q[1], &side, &fx, &fy));
        const auto hit = [&](int32_t code) {
            if (code >= 1) {
                finite(distance);
                Check(!exact_ || distance >= 0.0);
                finite(hx);
                finite(hy);
            }
        };
        int32_t code = zoGetDistLP2Vector(l[0], l[1], l[2], l[3], q[0], q[1], e[0], e[1],
                                          &distance, &hx, &hy);
        Check(OneOf(code, {-1, 0, 1, 2}));
        hit(code);
        code = zoGetDistLP2Angle(l[0], l[1], l[2], l[3], q[0], q[1], angle, &distance, &hx, &hy);
        Check(OneOf(code, {-1, 0, 1, 2}));
        code = zoGetDistSP2Vector(l[0], l[1], l[2], l[3], q[0], q[1], e[0], e[1], &distance, &hx,
                                  &hy);
        Check(OneOf(code, {-3, -2, -1, 0, 1, 2, 3}));
        hit(code);
        code = zoGetDistSP2Angle(l[0], l[1], l[2], l[3], q[0], q[1], angle, &distance, &hx, &hy);
        Check(OneOf(code, {-3, -2, -1, 0, 1, 2, 3}));
        zoGetDistLP2Vector(l[0], l[1], l[2], l[3], q[0], q[1], e[0], e[1], nullptr, nullptr,
                           nullptr);
        zoGetDistSP2Vector(l[0], l[1], l[2], l[3], q[0], q[1], e[0], e[1], nullptr, nullptr,
                           nullptr);
    }

    void hitTests() {
        Ring r = RingOf(in_, mode_, 0, 16);
        Check(OneOf(zoHitTestPG(r.count(), 8, r.xs.data(), r.ys.data(), n(), n()), {0, 1}));
        const int32_t nx = in_.count(0, 6), ny = in_.count(0, 6);
        std::vector<double> columns(static_cast<size_t>(nx)), rows(static_cast<size_t>(ny));
        for (double& c : columns) {
            c = n();
        }
        for (double& row : rows) {
            row = n();
        }
        // The columns must ascend: NaN has no place in an order, so raw numbers are sorted
        // only when they are comparable.
        if (std::all_of(columns.begin(), columns.end(), [](double v) { return !std::isnan(v); })) {
            std::sort(columns.begin(), columns.end());
            std::vector<uint8_t> mask(static_cast<size_t>(nx * ny) + 1, 7);
            zoHitTestPG2CGrid(r.count(), 8, r.xs.data(), r.ys.data(), nx, ny, columns.data(),
                              rows.data(), mask.data());
            if (r.count() >= 3) {
                for (int32_t i = 0; i < nx * ny; ++i) {
                    Check(mask[static_cast<size_t>(i)] <= 1);
                }
            }
            Check(mask.back() == 7);
        }
    }

    void shortestPaths() {
        const int32_t count = in_.count(0, 8);
        const int32_t type = in_.count(0, 5);
        const auto cells = static_cast<size_t>(count * count);
        std::vector<uint8_t> adjacency(cells);
        for (uint8_t& a : adjacency) {
            a = in_.byte() & 1;
        }
        std::vector<double> weights(cells + 1);  // room for every weight type
        for (size_t i = 0; i < cells; ++i) {
            const uint32_t bits = in_.u32();
            switch (type) {
                case 0: reinterpret_cast<int8_t*>(weights.data())[i] = static_cast<int8_t>(bits); break;
                case 1: reinterpret_cast<int16_t*>(weights.data())[i] = static_cast<int16_t>(bits); break;
                case 2: reinterpret_cast<int32_t*>(weights.data())[i] = static_cast<int32_t>(bits >> 8); break;
                case 3: reinterpret_cast<float*>(weights.data())[i] = static_cast<float>(n()); break;
                default: weights[i] = n(); break;
            }
        }
        std::vector<double> distances(static_cast<size_t>(count) + 1, -7.0);
        std::vector<uint8_t> reached(static_cast<size_t>(count) + 1, 7);
        const int32_t source = static_cast<int8_t>(in_.byte());
        zoGraphSP(source, count, 0, adjacency.data(), type, weights.data(), distances.data(),
                  reached.data());
        Check(distances[static_cast<size_t>(count)] == -7.0 && reached[static_cast<size_t>(count)] == 7);
        for (int32_t i = 0; i < count; ++i) {
            Check(reached[static_cast<size_t>(i)] <= 1);
        }
    }

    void matrices() {
        const int32_t order = in_.count(0, 5);
        std::vector<double> m(static_cast<size_t>(order * order) + 1), out(m.size());
        for (double& v : m) {
            v = exact_ ? static_cast<int8_t>(in_.byte()) : n();  // a grid determinant may overflow
        }
        const double determinant = zoGetDeterminant(m.data(), order);
        finite(determinant);
        zoGetInverseMatrix(m.data(), out.data(), order, determinant);
        zoGetTransposeSquare(m.data(), order);
        const int32_t rows = in_.count(0, 4), columns = in_.count(0, 4);
        std::vector<double> source(static_cast<size_t>(rows * columns)), target(source.size());
        for (double& v : source) {
            v = n();
        }
        zoGetTranspose(source.data(), target.data(), rows, columns);
        zoR2RGB(n(), n(), n(), in_.byte() % 4);
    }

    void locationTables() {
        // Bounds within +-2^16 keep every table small.
        const auto bound = [&] { return static_cast<int32_t>(in_.u32()) >> 15; };
        const int32_t lower = bound(), upper = bound(), origin = bound();
        const int32_t step = static_cast<int32_t>(in_.u32()) >> 20;
        const bool wide = step > 0 && upper >= lower && (static_cast<int64_t>(upper) - lower) / step > 4096;
        if (wide) {
            return;
        }
        int32_t* table = nullptr;
        int32_t count = -1;
        if (zoBuildLoc1D(lower, upper, step, &count, &table) == 1) {
            Check(count >= 0);
        }
        if (zoBuildLoc1DA(origin, lower, upper, step, &count, &table) == 1) {
            Check(count >= 0);
        }
        if (zoBuildLoc1DC(lower, upper, in_.count(0, 64), &count, &table) == 1) {
            Check(count >= 0);
        }
        const int32_t zones = in_.count(1, 4);
        std::vector<int32_t> breaks(static_cast<size_t>(zones)), steps(static_cast<size_t>(zones)),
            ends(static_cast<size_t>(zones));
        for (int32_t i = 0; i < zones; ++i) {
            breaks[static_cast<size_t>(i)] = bound();
            steps[static_cast<size_t>(i)] = std::max(1, (upper - lower) / 16 + (in_.byte() % 4));
        }
        if (zoBuildLoc1DB(zones, breaks.data(), lower, upper, steps.data(), &count, &table,
                          ends.data()) == 1) {
            Check(count >= 0);
        }
        std::free(table);
    }

    void booleans() {
        Ring a = RingOf(in_, mode_, 0, 12), b = RingOf(in_, mode_, 0, 12);
        const zoPolygon first = a.view(), second = b.view();
        const auto finitePolygon = [&](const zoPolygon& p) {
            Check(p.count >= 0 && (p.count == 0 || p.points != nullptr));
            for (int32_t i = 0; i < p.count; ++i) {
                finite(p.points[i].x);
                finite(p.points[i].y);
            }
        };
        const auto finiteList = [&](const zoPolygonList* list) {
            Check(list != nullptr && list->count >= 0 && list->count <= list->capacity);
            for (int32_t i = 0; i < list->count; ++i) {
                finitePolygon(list->items[i]);
            }
        };

        auto* region = static_cast<zoRegion*>(std::calloc(1, sizeof(zoRegion)));
        Check(region != nullptr);
        zoRegion* target = region;
        const int32_t joined = zoPolyUnion(&first, &second, &target);
        Check(OneOf(joined, {0, 1}));
        if (joined == 1) {
            Check(region->outline.count >= 3);
            finitePolygon(region->outline);
            finiteList(&region->holes);
        }
        zoPolyOpenFree(region);

        zoPolygonList* pieces = nullptr;
        Check(OneOf(zoPolyIntersection(&first, &second, &pieces), {0, 1}));
        finiteList(pieces);
        zoPolyPointsFree(pieces);
        pieces = nullptr;
        const int32_t left = zoPolySubtract(&first, &second, &pieces);
        Check(OneOf(left, {0, 1, 2, 3}));
        finiteList(pieces);
        if (left == 3) {
            Check(pieces->count == 2);
        }
        zoPolyPointsFree(pieces);

        // Regions: the two rings as outlines, each with up to two holes.
        std::vector<Ring> holes;
        std::vector<zoPolygon> views[2];
        zoRegion regions[2] = {{first, {}}, {second, {}}};
        for (int r = 0; r < 2; ++r) {
            const int32_t holeCount = in_.count(0, 2);
            for (int32_t h = 0; h < holeCount; ++h) {
                holes.push_back(RingOf(in_, mode_, 0, 8));
            }
        }
        size_t next = 0;
        for (int r = 0; r < 2; ++r) {
            const int32_t holeCount = in_.count(0, 2);
            for (int32_t h = 0; h < holeCount && next < holes.size(); ++h) {
                views[r].push_back(holes[next++].view());
            }
            const auto count = static_cast<int32_t>(views[r].size());
            regions[r].holes = zoPolygonList{views[r].data(), count, count};
        }
        zoRegion* merged = nullptr;
        const int32_t code = zoPolyOpenUnion(&regions[0], &regions[1], &merged);
        Check(OneOf(code, {0, 1}));
        Check(code == 1 ? merged != nullptr : merged == nullptr);
        if (merged != nullptr) {
            finitePolygon(merged->outline);
            finiteList(&merged->holes);
            zoPolyOpenFree(merged);
        }
    }

    void kernel() {
        Ring r = RingOf(in_, mode_, 0, 16);
        std::vector<double> outX(r.xs.size()), outY(r.ys.size());
        int32_t count = -1;
        const int32_t code =
            zoGetPolyKernel(r.count(), r.xs.data(), r.ys.data(), &count, outX.data(), outY.data());
        Check(OneOf(code, {0, 1, 2}));
        if (code != 0) {
            Check(count >= 0 && count <= r.count());
            finite(outX.data(), count);
            finite(outY.data(), count);
        }
    }

  private:
    Decoder& in_;
    Mode mode_;
    bool exact_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Decoder in(data, size);
    const uint8_t head = in.byte();
    const Mode mode = head % 3 == 0 ? Mode::Grid : head % 3 == 1 ? Mode::Bounded : Mode::Raw;
    Calls calls(in, mode);
    // Each following byte picks the next call, so inputs are sequences of calls.
    for (int step = 0; step < 16 && !in.done(); ++step) {
        switch (in.byte() % 12) {
            case 0: calls.polygonMeasures(); break;
            case 1: calls.pointOnSegment(); break;
            case 2: calls.lineCrossings(); break;
            case 3: calls.polygonCrossings(); break;
            case 4: calls.circleCrossings(); break;
            case 5: calls.distances(); break;
            case 6: calls.hitTests(); break;
            case 7: calls.shortestPaths(); break;
            case 8: calls.matrices(); break;
            case 9: calls.locationTables(); break;
            case 10: calls.booleans(); break;
            default: calls.kernel(); break;
        }
    }
    return 0;
}
