// Marks the nodes of a rectangular grid that lie inside a polygon, one scanline per row.
//
// Each row's inside intervals come from a half-open crossing rule: an edge counts when its end
// points lie on different sides of "above the row" (y > row). A vertex on the row is so
// counted once when the outline crosses there and twice or not at all when it only touches,
// which keeps the crossings paired. The outline's own points on the row (vertices and
// horizontal edges within the tolerance) are added as closed intervals, so that nodes on the
// boundary are marked, as the ends of every crossing pair are.
#include <algorithm>
#include <cmath>
#include <vector>

#include "crossings.h"
#include "gonion/gonion.h"
#include "polygon_crossings.h"

namespace {

using gonion::kEpsilon;

struct Interval {
    double from;
    double to;
};

// x where the edge crosses the row; an end point within the tolerance is used as it stands.
double rowCrossing(double row, double x0, double y0, double x1, double y1) {
    if (std::fabs(y0 - row) < kEpsilon) {
        return x0;
    }
    if (std::fabs(y1 - row) < kEpsilon) {
        return x1;
    }
    double x = 0.0;
    double y = 0.0;
    // Always found for finite end points on either side; NaN (dropped) otherwise.
    if (gonion::crossLineSegment(0.0, row, 1.0, 0.0, x0, y0, x1, y1, x, y) == 1) {
        return x;
    }
    return std::nan("");
}

// NaN bounds (from non-finite vertices) would break the ordering of the row, so they are left
// out.
void addInterval(std::vector<Interval>& intervals, double from, double to) {
    if (!std::isnan(from) && !std::isnan(to)) {
        intervals.push_back({from, to});
    }
}

// Sorted, merged intervals of the polygon on one row.
void rowIntervals(const gonion::DoublePolygon& pg, double row, std::vector<double>& crossings,
                  std::vector<Interval>& intervals) {
    crossings.clear();
    intervals.clear();
    gonion::forEachEdge(pg, [&](double x0, double y0, double x1, double y1) {
        if ((y0 > row) != (y1 > row)) {
            const double x = rowCrossing(row, x0, y0, x1, y1);
            if (!std::isnan(x)) {
                crossings.push_back(x);
            }
        }
        const bool onRow0 = std::fabs(y0 - row) < kEpsilon;
        const bool onRow1 = std::fabs(y1 - row) < kEpsilon;
        if (onRow0 && onRow1) {
            addInterval(intervals, std::min(x0, x1), std::max(x0, x1));
        } else if (onRow0) {
            addInterval(intervals, x0, x0);
        }
    });
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
        addInterval(intervals, crossings[i], crossings[i + 1]);
    }
    std::sort(intervals.begin(), intervals.end(),
              [](const Interval& a, const Interval& b) { return a.from < b.from; });
    std::size_t merged = 0;
    for (const Interval& next : intervals) {
        if (merged > 0 && next.from <= intervals[merged - 1].to) {
            intervals[merged - 1].to = std::max(intervals[merged - 1].to, next.to);
        } else {
            intervals[merged++] = next;
        }
    }
    intervals.resize(merged);
}

// One forward walk over the ascending columns.
void markRow(const std::vector<Interval>& intervals, int32_t nx, const double* columns,
             uint8_t* maskRow) {
    int32_t column = 0;
    for (const Interval& in : intervals) {
        while (column < nx && columns[column] < in.from) {
            ++column;
        }
        while (column < nx && columns[column] <= in.to) {
            maskRow[column++] = 1;
        }
    }
}

}  // namespace

extern "C" {

GONION_API void zoHitTestPG2CGrid(int32_t count, uint32_t stride, const double* xs,
                                  const double* ys, int32_t nx, int32_t ny, const double* columns,
                                  const double* rows, uint8_t* mask) {
    if (nx < 1 || ny < 1 || columns == nullptr || rows == nullptr || mask == nullptr) {
        return;
    }
    const std::size_t width = static_cast<std::size_t>(nx);
    std::fill(mask, mask + width * static_cast<std::size_t>(ny), uint8_t{0});
    const gonion::DoublePolygon pg{count, stride, xs, ys};
    if (!pg.valid(3)) {
        return;
    }
    std::vector<double> crossings;
    std::vector<Interval> intervals;
    for (int32_t j = 0; j < ny; ++j) {
        rowIntervals(pg, rows[j], crossings, intervals);
        markRow(intervals, nx, columns, mask + static_cast<std::size_t>(j) * width);
    }
}

}  // extern "C"
