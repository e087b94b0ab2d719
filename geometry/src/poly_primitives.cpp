#include "poly_primitives.h"

#include <cmath>
#include <cstddef>

namespace gonion::poly {

double signedArea2(const Ring& ring) {
    double sum = 0;
    const std::size_t n = ring.size();
    for (std::size_t i = 0; i < n; ++i) {
        const zoPoint& p = ring[i];
        const zoPoint& q = ring[(i + 1) % n];
        sum += cross(p.x, p.y, q.x, q.y);
    }
    return sum;
}

Ring reduceRing(const Ring& ring) {
    if (ring.size() < 3)
        return ring;
    Ring reduced(ring.size());
    std::vector<double> xs(ring.size()), ys(ring.size());
    int32_t count = 0;
    zoReducePG(static_cast<int32_t>(ring.size()), sizeof(zoPoint), &ring[0].x, &ring[0].y, &count,
               xs.data(), ys.data());
    reduced.resize(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < reduced.size(); ++i)
        reduced[i] = zoPoint{xs[i], ys[i]};
    return reduced;
}

}  // namespace gonion::poly
