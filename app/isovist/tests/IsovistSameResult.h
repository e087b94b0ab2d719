// Bit-for-bit comparison of two isovist results, for the differential tests.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#include "isovist/IsovistEngine.h"
#include "isovist/IsovistMeasures.h"
#include "isovist/RadialStatistics.h"

inline bool SameBits(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

inline bool SameLines(const std::vector<PlanSegment>& a, const std::vector<PlanSegment>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (!SameBits(a[i].end.x, b[i].end.x) || !SameBits(a[i].end.y, b[i].end.y) ||
            !SameBits(a[i].start.x, b[i].start.x) || !SameBits(a[i].start.y, b[i].start.y)) {
            return false;
        }
    }
    return true;
}

inline ::testing::AssertionResult IdenticalResults(const IsovistResult& a, const IsovistResult& b) {
    if (a.outcome != b.outcome || a.usedRadialMethod != b.usedRadialMethod) {
        return ::testing::AssertionFailure() << "outcome or method differs";
    }
    if (!SameLines(a.unreducedRadialLines, b.unreducedRadialLines)) {
        return ::testing::AssertionFailure()
               << "unreduced lines differ (" << a.unreducedRadialLines.size() << " vs "
               << b.unreducedRadialLines.size() << ")";
    }
    if (!SameLines(a.radialLines, b.radialLines)) {
        return ::testing::AssertionFailure() << "radial lines differ";
    }
    if (!SameBits(a.area, b.area) || a.centroid.has_value() != b.centroid.has_value() ||
        (a.centroid &&
         (!SameBits(a.centroid->x, b.centroid->x) || !SameBits(a.centroid->y, b.centroid->y)))) {
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

// The occlusivity of the result's polygon by the wall grid and by the plain scan of all walls.
inline ::testing::AssertionResult SameOcclusivity(const IsovistResult& result,
                                                  std::span<const PlanSegment> walls) {
    if (result.radialLines.size() < 3) {
        return ::testing::AssertionSuccess();
    }
    IsovistRecord indexed;
    indexed.polygon.resize(static_cast<int32_t>(result.radialLines.size()));
    for (size_t i = 0; i < result.radialLines.size(); ++i) {
        indexed.polygon[static_cast<int32_t>(i)] = result.radialLines[i].end;
    }
    indexed.origin = result.origin;
    ComputeIsovistMeasures(indexed);
    IsovistRecord reference = indexed;
    ComputeOcclusivity(indexed, walls, WallSearch::Indexed);
    ComputeOcclusivity(reference, walls, WallSearch::FullScan);
    if (!SameBits(indexed.occlusivity, reference.occlusivity)) {
        return ::testing::AssertionFailure()
               << "occlusivity " << indexed.occlusivity << " vs " << reference.occlusivity;
    }
    return ::testing::AssertionSuccess();
}
