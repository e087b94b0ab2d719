// Bit-for-bit comparison of two isovist results, for the differential tests.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <cstdint>
#include <vector>

#include "isovist/IsovistEngine.h"
#include "isovist/RadialStatistics.h"

inline bool sameBits(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

inline bool sameLines(const std::vector<PlanSegment>& a, const std::vector<PlanSegment>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (!sameBits(a[i].end.x, b[i].end.x) || !sameBits(a[i].end.y, b[i].end.y) ||
            !sameBits(a[i].start.x, b[i].start.x) || !sameBits(a[i].start.y, b[i].start.y)) {
            return false;
        }
    }
    return true;
}

inline ::testing::AssertionResult identical(const IsovistResult& a, const IsovistResult& b) {
    if (a.outcome != b.outcome || a.usedRadialMethod != b.usedRadialMethod) {
        return ::testing::AssertionFailure() << "outcome or method differs";
    }
    if (!sameLines(a.unreducedRadialLines, b.unreducedRadialLines)) {
        return ::testing::AssertionFailure()
               << "unreduced lines differ (" << a.unreducedRadialLines.size() << " vs "
               << b.unreducedRadialLines.size() << ")";
    }
    if (!sameLines(a.radialLines, b.radialLines)) {
        return ::testing::AssertionFailure() << "radial lines differ";
    }
    if (!sameBits(a.area, b.area) || a.centroid.has_value() != b.centroid.has_value() ||
        (a.centroid &&
         (!sameBits(a.centroid->x, b.centroid->x) || !sameBits(a.centroid->y, b.centroid->y)))) {
        return ::testing::AssertionFailure() << "area or centroid differs";
    }
    RadialStats statsA;
    RadialStats statsB;
    const bool hasA = ComputeRadialStats(a.unreducedRadialLines, statsA);
    const bool hasB = ComputeRadialStats(b.unreducedRadialLines, statsB);
    if (hasA != hasB || std::memcmp(&statsA, &statsB, sizeof(RadialStats)) != 0) {
        return ::testing::AssertionFailure() << "radial statistics differ";
    }
    return ::testing::AssertionSuccess();
}
