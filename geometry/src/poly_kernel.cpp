// Kernel of a polygon: the polygon cut, at every reflex vertex, by the half-planes left of the
// vertex's two edge lines. Each half-plane is a piece of a frame around the polygon.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "no_throw.h"
#include "poly_boolean.h"
#include "poly_overlay.h"

namespace gonion::poly {
namespace {

using Frame = std::array<zoPoint, 4>;

// The bounding box widened by a tenth of its larger side, corners counter-clockwise from
// (max x, min y); side k runs from corner k to corner k + 1.
Frame cuttingFrame(const Ring& polygon) {
    double minX = polygon[0].x, maxX = polygon[0].x, minY = polygon[0].y, maxY = polygon[0].y;
    for (const zoPoint& p : polygon) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const double margin = 0.1 * std::max(maxX - minX, maxY - minY);
    minX -= margin;
    minY -= margin;
    maxX += margin;
    maxY += margin;
    return Frame{zoPoint{maxX, minY}, zoPoint{maxX, maxY}, zoPoint{minX, maxY},
                 zoPoint{minX, minY}};
}

// The first frame side (0..3) hit by the half-line from p along (dx, dy), or -1.
int frameHit(const Frame& frame, zoPoint p, double dx, double dy, zoPoint* hit) {
    for (int k = 0; k < 4; ++k) {
        const zoPoint& a = frame[k];
        const zoPoint& b = frame[(k + 1) % 4];
        if (zoGetCrossPointHLS(p.x, p.y, dx, dy, a.x, a.y, b.x, b.y, &hit->x, &hit->y) == 1) {
            return k;
        }
    }
    return -1;
}

// The part of the frame left of the directed line through p along (dx, dy), as a
// counter-clockwise polygon; empty when the line misses the frame.
Ring leftOfLine(const Frame& frame, zoPoint p, double dx, double dy) {
    zoPoint forward{}, backward{};
    const int forwardSide = frameHit(frame, p, dx, dy, &forward);
    const int backwardSide = frameHit(frame, p, -dx, -dy, &backward);
    if (forwardSide < 0 || backwardSide < 0)
        return {};
    Ring cut{forward};
    for (int k = (forwardSide + 1) % 4, steps = 0; steps < 4; k = (k + 1) % 4, ++steps) {
        cut.push_back(frame[k]);
        if (k == backwardSide)
            break;
    }
    cut.push_back(backward);
    return cut;
}

bool isReflex(const Ring& polygon, std::size_t i) {
    const std::size_t n = polygon.size();
    const zoPoint& p = polygon[i];
    const zoPoint& prev = polygon[(i + n - 1) % n];
    const zoPoint& next = polygon[(i + 1) % n];
    return cross(prev.x - p.x, prev.y - p.y, next.x - p.x, next.y - p.y) > 0;
}

// Cuts the candidate by the half-plane left of one edge line; false when the kernel is empty.
bool cutByEdge(const Frame& frame, zoPoint vertex, zoPoint from, zoPoint to, Ring& candidate) {
    double dx = to.x - from.x, dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    if (length == 0)
        return true;  // a repeated vertex has no edge line
    if (length < 1.0) {
        dx /= length;
        dy /= length;
    }
    const Ring cut = cleanRing(leftOfLine(frame, vertex, dx, dy));
    const Ring current = cleanRing(candidate);
    if (cut.empty() || current.empty())
        return false;
    std::vector<Ring> pieces;
    intersectRings(current, cut, pieces);
    if (pieces.size() != 1)
        return false;
    candidate = reduceRing(pieces.front());
    return true;
}

int32_t kernel(const Ring& given, Ring& result) {
    // Reflex vertices are found for counter-clockwise polygons; a clockwise one is reversed
    // first, or every convex corner would look reflex and the kernel would come out empty.
    // Repeated vertices are dropped too: a corner written twice has no angle, and its reflex
    // edges would never cut.
    const Ring distinct = withoutRepeats(given);
    const Ring polygon =
        signedArea2(distinct) < 0 ? Ring(distinct.rbegin(), distinct.rend()) : distinct;
    const std::size_t n = polygon.size();
    std::vector<bool> reflex(n);
    for (std::size_t i = 0; i < n; ++i)
        reflex[i] = isReflex(polygon, i);
    if (std::none_of(reflex.begin(), reflex.end(), [](bool r) { return r; })) {
        result = given;
        return 2;
    }
    const Frame frame = cuttingFrame(polygon);
    Ring candidate = polygon;
    for (std::size_t i = 0; i < n; ++i) {
        if (!reflex[i])
            continue;
        const zoPoint& p = polygon[i];
        const zoPoint& prev = polygon[(i + n - 1) % n];
        const zoPoint& next = polygon[(i + 1) % n];
        if (!cutByEdge(frame, p, prev, p, candidate))
            return 0;
        if (!cutByEdge(frame, p, p, next, candidate))
            return 0;
    }
    result = std::move(candidate);
    return 1;
}

}  // namespace
}  // namespace gonion::poly

extern "C" GONION_API int32_t zoGetPolyKernel(int32_t count, const double* xs, const double* ys,
                                              int32_t* outCount, double* outXs, double* outYs) {
    using namespace gonion::poly;
    if (count < 1 || xs == nullptr || ys == nullptr)
        return 0;
    if (outCount == nullptr || outXs == nullptr || outYs == nullptr)
        return 0;
    return gonion::NoThrow<int32_t>(0, [&]() -> int32_t {
        Ring polygon(static_cast<std::size_t>(count));
        for (int32_t i = 0; i < count; ++i)
            polygon[i] = zoPoint{xs[i], ys[i]};
        Ring result;
        const int32_t code = kernel(polygon, result);
        // The caller's arrays hold count points; a larger answer is refused, not overrun.
        if (code == 0 || result.size() > static_cast<std::size_t>(count))
            return 0;
        *outCount = static_cast<int32_t>(result.size());
        for (std::size_t i = 0; i < result.size(); ++i) {
            outXs[i] = result[i].x;
            outYs[i] = result[i].y;
        }
        return code;
    });
}
