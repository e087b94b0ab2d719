// Crossings of a polygon outline with a segment or a line.
//
// A crossing is kept unless it repeats one kept before it: removing, for each kept point in
// turn, every later point close to it leaves exactly the points that are close to no earlier
// kept point, so the points are filtered as they are found.
#include "polygon_crossings.h"

#include "gonion/gonion.h"

namespace {

// Appends distinct points to caller arrays that have room for one point per edge.
class DistinctOutput {
  public:
    DistinctOutput(double* xs, double* ys) : xs_(xs), ys_(ys) {}

    void add(double x, double y) {
        if (!gonion::repeatsAny(xs_, ys_, count_, x, y)) {
            xs_[count_] = x;
            ys_[count_] = y;
            ++count_;
        }
    }
    int32_t count() const { return count_; }

  private:
    double* xs_;
    double* ys_;
    int32_t count_ = 0;
};

// Checks the arguments, then lets findCrossings(out) fill the distinct points. 1 done, 0 bad
// arguments (out count not written).
template <class FindCrossings>
int32_t collectDistinct(const gonion::DoublePolygon& pg, int32_t* outCount, double* outXs,
                        double* outYs, FindCrossings findCrossings) {
    if (!pg.valid(3) || outCount == nullptr || outXs == nullptr || outYs == nullptr) {
        return 0;
    }
    DistinctOutput out(outXs, outYs);
    findCrossings(out);
    *outCount = out.count();
    return 1;
}

}  // namespace

extern "C" {

GONION_API int32_t zoGetCrossPointPS(int32_t count, uint32_t stride, const double* xs,
                                     const double* ys, double ax, double ay, double bx, double by,
                                     int32_t* outCount, double* outXs, double* outYs) {
    const gonion::DoublePolygon pg{count, stride, xs, ys};
    return collectDistinct(pg, outCount, outXs, outYs, [&](DistinctOutput& out) {
        gonion::forEachEdge(pg, [&](double x0, double y0, double x1, double y1) {
            double x;
            double y;
            // An edge along the segment (result 2) adds no point.
            if (gonion::crossSegmentSegment(ax, ay, bx, by, x0, y0, x1, y1, x, y) == 1) {
                out.add(x, y);
            }
        });
    });
}

GONION_API int32_t zoGetCrossPointPL(int32_t count, uint32_t stride, const double* xs,
                                     const double* ys, double px, double py, double dx, double dy,
                                     int32_t* outCount, double* outXs, double* outYs) {
    const gonion::DoublePolygon pg{count, stride, xs, ys};
    return collectDistinct(pg, outCount, outXs, outYs, [&](DistinctOutput& out) {
        gonion::forEachLineCrossing(pg, px, py, dx, dy,
                                    [&out](double x, double y) { out.add(x, y); });
    });
}

}  // extern "C"
