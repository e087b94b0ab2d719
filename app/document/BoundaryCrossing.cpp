#include "document/BoundaryCrossing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <vector>

#include "document/DxfPlanReaders.h"
#include "gonion/gonion.h"

namespace {

constexpr int32_t kSegmentsCross = 1;

struct EdgeBox {
    double minX, maxX, minY, maxY;
};

class Edges {
  public:
    explicit Edges(const PlanPolygon& polygon) : polygon_(polygon), count_(polygon.count()) {
        boxes_.reserve(static_cast<size_t>(count_));
        for (int32_t i = 0; i < count_; ++i) {
            const PlanPoint& a = start(i);
            const PlanPoint& b = end(i);
            finite_ = finite_ && std::isfinite(a.x) && std::isfinite(a.y);
            boxes_.push_back(
                {std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y), std::max(a.y, b.y)});
        }
    }

    // Zero edges when a coordinate is not finite: nothing sensible crosses there, and the sweep's
    // ordering needs numbers.
    int32_t count() const { return finite_ ? count_ : 0; }
    const EdgeBox& box(int32_t i) const { return boxes_[static_cast<size_t>(i)]; }

    // The crossing test both searches share: ranges that meet (inclusive), edges that are not
    // neighbours, a crossing point that is no end point of either; always asked with the lower
    // edge first.
    std::optional<PlanPoint> cross(int32_t i, int32_t j) const {
        const EdgeBox& p = box(i);
        const EdgeBox& q = box(j);
        if (p.maxX < q.minX || q.maxX < p.minX || p.maxY < q.minY || q.maxY < p.minY) {
            return std::nullopt;
        }
        if (j == i + 1 || (i == 0 && j == count_ - 1)) {
            return std::nullopt;
        }
        const PlanPoint &a = start(i), &b = end(i), &u = start(j), &v = end(j);
        PlanPoint at{};
        if (zoGetCrossPointSS(a.x, a.y, b.x, b.y, u.x, u.y, v.x, v.y, &at.x, &at.y) !=
            kSegmentsCross) {
            return std::nullopt;
        }
        // Meeting at an end point is a touch, not a crossing.
        if (DxfPointsEqual(at, a) || DxfPointsEqual(at, b) || DxfPointsEqual(at, u) ||
            DxfPointsEqual(at, v)) {
            return std::nullopt;
        }
        return at;
    }

  private:
    const PlanPoint& start(int32_t i) const { return polygon_[i]; }
    const PlanPoint& end(int32_t i) const { return polygon_[i + 1 == count_ ? 0 : i + 1]; }

    const PlanPolygon& polygon_;
    int32_t count_;
    bool finite_ = true;
    std::vector<EdgeBox> boxes_;
};

bool LowerPair(int32_t i, int32_t j, const std::optional<EdgeCrossing>& best) {
    return !best || i < best->first || (i == best->first && j < best->second);
}

}  // namespace

std::optional<EdgeCrossing> FindBoundaryCrossingByAllPairs(const PlanPolygon& boundary) {
    const Edges edges(boundary);
    for (int32_t i = 0; i < edges.count(); ++i) {
        for (int32_t j = i + 1; j < edges.count(); ++j) {
            if (const auto at = edges.cross(i, j)) {
                return EdgeCrossing{i, j, *at};
            }
        }
    }
    return std::nullopt;
}

std::optional<EdgeCrossing> FindBoundaryCrossing(const PlanPolygon& boundary) {
    const Edges edges(boundary);
    std::vector<int32_t> order(static_cast<size_t>(edges.count()));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](int32_t a, int32_t b) { return edges.box(a).minX < edges.box(b).minX; });
    std::optional<EdgeCrossing> best;
    for (size_t a = 0; a < order.size(); ++a) {
        const int32_t edge = order[a];
        const double reach = edges.box(edge).maxX;
        for (size_t b = a + 1; b < order.size() && edges.box(order[b]).minX <= reach; ++b) {
            const int32_t i = std::min(edge, order[b]);
            const int32_t j = std::max(edge, order[b]);
            if (!LowerPair(i, j, best)) {
                continue;
            }
            if (const auto at = edges.cross(i, j)) {
                best = EdgeCrossing{i, j, *at};
            }
        }
    }
    return best;
}

std::string BoundaryCrossingMessage(const PlanPoint& at) {
    char text[720];  // room for two of the largest doubles printed in full
    std::snprintf(text, sizeof text, "The boundary crosses itself near (%.3f, %.3f)", at.x, at.y);
    return text;
}
