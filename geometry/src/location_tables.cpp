// Location tables: ascending int32 positions between two bounds, built at a step, aligned to an
// origin, in zones of their own steps, or at a fixed count.
//
// Positions are worked out in 64-bit arithmetic, so that no bounds can overflow, and a table
// is handed out only when every position fits in 32 bits and the memory was granted; otherwise
// the builder fails with no table.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "gonion/gonion.h"

namespace {

constexpr int64_t kMaxCount = std::numeric_limits<int32_t>::max();

void releaseTable(int32_t** table) {
    if (table != nullptr) {
        std::free(*table);
        *table = nullptr;
    }
}

// Fails with no table: count 0, old table freed.
int32_t fail(int32_t* outCount, int32_t** table) {
    if (outCount != nullptr) {
        *outCount = 0;
    }
    releaseTable(table);
    return 0;
}

bool fitsInt32(int64_t v) {
    return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

// Hands the positions out as a new table; 0 when a position does not fit or memory is short.
int32_t publish(const std::vector<int64_t>& positions, int32_t* outCount, int32_t** table) {
    releaseTable(table);
    for (int64_t p : positions) {
        if (!fitsInt32(p)) {
            return fail(outCount, table);
        }
    }
    auto* out = static_cast<int32_t*>(std::malloc(positions.size() * sizeof(int32_t)));
    if (out == nullptr) {
        return fail(outCount, table);
    }
    for (std::size_t i = 0; i < positions.size(); ++i) {
        out[i] = static_cast<int32_t>(positions[i]);
    }
    *table = out;
    *outCount = static_cast<int32_t>(positions.size());
    return 1;
}

int64_t ceilDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) == (b < 0))) ? q + 1 : q;
}

// Ceiling of a double quotient, truncated to an integer; false when it is out of range.
bool ceilQuotient(int64_t a, int64_t b, int64_t& out) {
    const double q = std::ceil(static_cast<double>(a) / static_cast<double>(b));
    if (!(q > -9.0e18 && q < 9.0e18)) {
        return false;
    }
    out = static_cast<int64_t>(q);
    return true;
}

}  // namespace

extern "C" {

GONION_API int32_t zoBuildLoc1D(int32_t lower, int32_t upper, int32_t step, int32_t* outCount,
                                int32_t** table) {
    if (outCount == nullptr || table == nullptr) {
        return 0;
    }
    const int64_t span = static_cast<int64_t>(upper) - lower;
    if (span < 0 || step <= 0) {
        return fail(outCount, table);
    }
    if (span < step) {
        return publish({lower, upper}, outCount, table);
    }
    const int64_t q = span / step;
    const int64_t r = span % step;
    const int64_t count = r == 0 ? q + 1 : q + 2;
    if (count > kMaxCount) {
        return fail(outCount, table);
    }
    std::vector<int64_t> positions;
    positions.reserve(static_cast<std::size_t>(count));
    // The remainder is shared by the two end gaps.
    const int64_t firstGap = r == 0 ? step : (step + r) / 2;
    positions.push_back(lower);
    for (int64_t k = 1; k < count - 1; ++k) {
        positions.push_back(lower + firstGap + (k - 1) * step);
    }
    positions.push_back(upper);
    return publish(positions, outCount, table);
}

GONION_API int32_t zoBuildLoc1DA(int32_t origin, int32_t lower, int32_t upper, int32_t step,
                                 int32_t* outCount, int32_t** table) {
    if (outCount == nullptr || table == nullptr) {
        return 0;
    }
    if (step == 0 || upper < lower) {
        return fail(outCount, table);
    }
    int64_t first = origin;
    if (origin < lower) {
        int64_t k = 0;
        if (!ceilQuotient(static_cast<int64_t>(lower) - origin, step, k)) {
            return fail(outCount, table);
        }
        first = origin + k * step;
    }
    const int64_t end = origin > upper ? origin : upper;
    int64_t count = 0;
    if (!ceilQuotient(end - first, step, count) || count + 1 > kMaxCount) {
        return fail(outCount, table);
    }
    count += 1;
    if (count < 1) {
        releaseTable(table);
        *outCount = 0;
        return 1;
    }
    std::vector<int64_t> positions;
    positions.reserve(static_cast<std::size_t>(count));
    for (int64_t k = 0; k + 1 < count; ++k) {
        positions.push_back(first + k * step);
    }
    positions.push_back(end);
    return publish(positions, outCount, table);
}

GONION_API int32_t zoBuildLoc1DB(int32_t zoneCount, int32_t* breaks, int32_t lower, int32_t upper,
                                 const int32_t* steps, int32_t* outCount, int32_t** table,
                                 int32_t* zoneEnds) {
    if (zoneCount < 1 || breaks == nullptr || steps == nullptr || upper < lower ||
        outCount == nullptr || table == nullptr || zoneEnds == nullptr) {
        return 0;
    }
    const std::size_t n = static_cast<std::size_t>(zoneCount);
    for (std::size_t i = 0; i < n; ++i) {
        if (steps[i] <= 0) {
            return 0;  // a zone without a forward step has no grid
        }
    }
    releaseTable(table);
    // Zone bounds b_0 = lower, the breaks, b_n = upper, each clamped into [lower, upper].
    std::vector<int64_t> bounds(n + 1);
    bounds[0] = lower;
    bounds[n] = upper;
    for (std::size_t i = 1; i < n; ++i) {
        bounds[i] = std::min<int64_t>(std::max(breaks[i - 1], lower), upper);
    }
    // Each inner bound snaps to the grid of the zone before it: a finer or equal zone is
    // extended to its next grid position, a coarser one is cut back.
    for (std::size_t i = 1; i < n; ++i) {
        const int64_t s = steps[i - 1];
        const int64_t r = (bounds[i] - bounds[i - 1]) % s;
        bounds[i] -= r;
        if (r != 0 && steps[i - 1] <= steps[i]) {
            bounds[i] += s;
        }
    }
    std::vector<int64_t> perZone(n);
    int64_t count = 1;
    for (std::size_t i = 0; i < n; ++i) {
        perZone[i] = std::max<int64_t>(0, ceilDiv(bounds[i + 1] - bounds[i], steps[i]));
        count += perZone[i];
    }
    if (count > kMaxCount) {
        return fail(outCount, table);
    }
    std::vector<int64_t> positions;
    positions.reserve(static_cast<std::size_t>(count));
    positions.push_back(lower);
    std::vector<int32_t> ends(n);
    for (std::size_t i = 0; i < n; ++i) {
        for (int64_t k = 1; k <= perZone[i]; ++k) {
            positions.push_back(bounds[i] + k * steps[i]);
        }
        ends[i] = static_cast<int32_t>(positions.size() - 1);
    }
    positions.back() = upper;
    if (publish(positions, outCount, table) == 0) {
        return 0;
    }
    for (std::size_t i = 0; i < n; ++i) {
        zoneEnds[i] = ends[i];
    }
    for (std::size_t i = 1; i < n; ++i) {
        breaks[i - 1] = static_cast<int32_t>(bounds[i]);
    }
    return 1;
}

GONION_API int32_t zoBuildLoc1DC(int32_t lower, int32_t upper, int32_t count, int32_t* outCount,
                                 int32_t** table) {
    if (outCount == nullptr || table == nullptr) {
        return 0;
    }
    if (upper < lower || count < 1) {
        return fail(outCount, table);
    }
    std::vector<int64_t> positions;
    positions.reserve(static_cast<std::size_t>(count));
    if (count == 1) {
        positions.push_back(lower);
    } else {
        const double span = static_cast<double>(upper) - lower;
        for (int32_t i = 0; i + 1 < count; ++i) {
            positions.push_back(lower + static_cast<int64_t>(std::trunc(i * span / (count - 1))));
        }
        positions.push_back(upper);
    }
    return publish(positions, outCount, table);
}

}  // extern "C"
