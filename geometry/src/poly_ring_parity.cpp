#include "poly_ring_parity.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace gonion::poly {

namespace {

// Toggles the parity when edge a-b crosses the rightward ray from (px, py).
bool crossesRay(const zoPoint& a, const zoPoint& b, double px, double py) {
    if ((a.y > py) == (b.y > py))
        return false;
    const double x = a.x + (py - a.y) * (b.x - a.x) / (b.y - a.y);
    return px < x;
}

}  // namespace

bool insideRingByTestingAll(const Ring& ring, double px, double py) {
    bool inside = false;
    const std::size_t n = ring.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (crossesRay(ring[i], ring[(i + 1) % n], px, py))
            inside = !inside;
    }
    return inside;
}

// An edge can cross the ray only when py lies within its y range, and band() is monotone,
// so every such edge is listed in the query's band.
RingParity::RingParity(const Ring& ring) : ring_(ring) {
    const std::size_t n = ring.size();
    if (n < 16)
        return;
    auto [low, high] = std::minmax_element(
        ring.begin(), ring.end(), [](const zoPoint& a, const zoPoint& b) { return a.y < b.y; });
    minY_ = low->y;
    const double height = high->y - low->y;
    if (!(height > 0))
        return;
    // As many bands as edges (at most 4096), halved while long edges would list too often.
    std::size_t total = 0;
    for (bandCount_ = static_cast<int32_t>(std::min<std::size_t>(n, 4096)); bandCount_ >= 4;
         bandCount_ /= 2) {
        bandHeight_ = height / bandCount_;
        total = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const zoPoint& a = ring[i];
            const zoPoint& b = ring[(i + 1) % n];
            total +=
                static_cast<std::size_t>(band(std::max(a.y, b.y)) - band(std::min(a.y, b.y)) + 1);
        }
        if (total <= 8 * n)
            break;
    }
    if (bandCount_ < 4) {
        bandCount_ = 0;  // long edges everywhere: testing every edge is as cheap
        return;
    }
    std::vector<int32_t> counts(static_cast<std::size_t>(bandCount_) + 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const zoPoint& a = ring[i];
        const zoPoint& b = ring[(i + 1) % n];
        const int32_t first = band(std::min(a.y, b.y)), last = band(std::max(a.y, b.y));
        for (int32_t k = first; k <= last; ++k)
            ++counts[static_cast<std::size_t>(k)];
    }
    bandStart_.assign(counts.size(), 0);
    for (std::size_t k = 1; k < counts.size(); ++k)
        bandStart_[k] = bandStart_[k - 1] + counts[k - 1];
    bandEdges_.resize(total);
    std::vector<int32_t> fill(bandStart_.begin(), bandStart_.end() - 1);
    for (std::size_t i = 0; i < n; ++i) {
        const zoPoint& a = ring[i];
        const zoPoint& b = ring[(i + 1) % n];
        const int32_t first = band(std::min(a.y, b.y)), last = band(std::max(a.y, b.y));
        for (int32_t k = first; k <= last; ++k) {
            bandEdges_[static_cast<std::size_t>(fill[static_cast<std::size_t>(k)]++)] =
                static_cast<int32_t>(i);
        }
    }
}

int32_t RingParity::band(double y) const {
    const double position = std::floor((y - minY_) / bandHeight_);
    if (!(position > 0))
        return 0;
    if (position >= bandCount_ - 1)
        return bandCount_ - 1;
    return static_cast<int32_t>(position);
}

bool RingParity::inside(double px, double py) const {
    if (bandCount_ == 0)
        return insideRingByTestingAll(ring_, px, py);
    const std::size_t n = ring_.size();
    const auto k = static_cast<std::size_t>(band(py));
    bool inside = false;
    for (int32_t e = bandStart_[k]; e < bandStart_[k + 1]; ++e) {
        const auto i = static_cast<std::size_t>(bandEdges_[static_cast<std::size_t>(e)]);
        if (crossesRay(ring_[i], ring_[(i + 1) % n], px, py))
            inside = !inside;
    }
    return inside;
}

}  // namespace gonion::poly
