// Stored images of IsovistRecord (256 bytes) and RadialStats (800 bytes), little-endian.
#include <bit>
#include <utility>

#include "isovist/IsovistRecord.h"

namespace {

void PutInt32(uint8_t* out, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

int32_t GetInt32(const uint8_t* in) {
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) {
        bits |= static_cast<uint32_t>(in[i]) << (8 * i);
    }
    return static_cast<int32_t>(bits);
}

void PutDouble(uint8_t* out, double value) {
    const auto bits = std::bit_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i) {
        out[i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

double GetDouble(const uint8_t* in) {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) {
        bits |= static_cast<uint64_t>(in[i]) << (8 * i);
    }
    return std::bit_cast<double>(bits);
}

// Every field of the record image except the polygon's point index and count.
// Fields are packed on 4-byte boundaries, so the doubles from 108 on are not 8-aligned.
//
//  offset width field                 offset width field
//    0     4   first point index        124    8   relative asymmetry
//    4     4   point count (signed)     132    8   real relative asymmetry
//    8     8   area                     140    8   integration
//   16     8   perimeter                148    8   integration-n
//   24     8   drift                    156    8   controllability
//   32    16   origin x, y              164    8   point count
//   48    16   centroid x, y            172    8   average neighbour control
//   64     8   occlusivity              180    8   global E
//   72     8   visiblePerimeterRatio    188    8   global relative E
//   80     8   compactness              196    8   global connectivity E
//   88     8   userValue                204    4   depthFromCurrent (signed)
//   96     8   circularity              208    4   pathCount (signed)
//  104     4   connectivity (signed)    212    4   radialStatsIndex (signed)
//  108     8   mean depth               216    8   maxVertexDistance
//  116     8   control                  224   32   reserved, zero
template <typename Record, typename Bytes, typename DoubleIo, typename IntIo>
void VisitRecordFields(Record& r, Bytes* image, DoubleIo doubleAt, IntIo intAt) {
    doubleAt(image + 8, r.area);
    doubleAt(image + 16, r.perimeter);
    doubleAt(image + 24, r.drift);
    doubleAt(image + 32, r.origin.x);
    doubleAt(image + 40, r.origin.y);
    doubleAt(image + 48, r.centroid.x);
    doubleAt(image + 56, r.centroid.y);
    doubleAt(image + 64, r.occlusivity);
    doubleAt(image + 72, r.visiblePerimeterRatio);
    doubleAt(image + 80, r.compactness);
    doubleAt(image + 88, r.userValue);
    doubleAt(image + 96, r.circularity);
    auto& g = r.graphMeasures;
    intAt(image + 104, g.connectivity);
    doubleAt(image + 108, g.meanDepth);
    doubleAt(image + 116, g.control);
    doubleAt(image + 124, g.relativeAsymmetry);
    doubleAt(image + 132, g.realRelativeAsymmetry);
    doubleAt(image + 140, g.integration);
    doubleAt(image + 148, g.integrationN);
    doubleAt(image + 156, g.controllability);
    doubleAt(image + 164, g.pointCount);
    doubleAt(image + 172, g.averageNeighbourControl);
    doubleAt(image + 180, g.globalE);
    doubleAt(image + 188, g.globalRelativeE);
    doubleAt(image + 196, g.globalConnectivityE);
    intAt(image + 204, r.depthFromCurrent);
    intAt(image + 208, r.pathCount);
    intAt(image + 212, r.radialStatsIndex);
    doubleAt(image + 216, r.maxVertexDistance);
}

// Radial statistics: field k is the double at offset 8·k; bytes 96 to 799 are reserved, zero.
template <typename Stats>
std::array<decltype(&std::declval<Stats&>().sum), 12> StatsFields(Stats& s) {
    return {&s.rayCount,
            &s.sum,
            &s.mean,
            &s.variance,
            &s.standardDeviation,
            &s.max,
            &s.min,
            &s.differenceEntropy,
            &s.elongation,
            &s.autocorrelation,
            &s.maxBidirectional,
            &s.minBidirectional};
}

}  // namespace

IsovistRecordImage StoreIsovistRecord(const IsovistRecord& record, int32_t firstPointIndex) {
    IsovistRecordImage image{};
    PutInt32(image.data(), firstPointIndex);
    PutInt32(image.data() + 4, record.polygon.count());
    VisitRecordFields(
        record, image.data(), [](uint8_t* at, double v) { PutDouble(at, v); },
        [](uint8_t* at, int32_t v) { PutInt32(at, v); });
    return image;
}

LoadedIsovistRecord LoadIsovistRecord(const IsovistRecordImage& image) {
    LoadedIsovistRecord loaded;
    loaded.firstPointIndex = GetInt32(image.data());
    loaded.pointCount = GetInt32(image.data() + 4);
    VisitRecordFields(
        loaded.record, image.data(), [](const uint8_t* at, double& v) { v = GetDouble(at); },
        [](const uint8_t* at, int32_t& v) { v = GetInt32(at); });
    return loaded;
}

RadialStatsImage StoreRadialStats(const RadialStats& stats) {
    RadialStatsImage image{};
    const auto fields = StatsFields(stats);
    for (std::size_t k = 0; k < fields.size(); ++k) {
        PutDouble(image.data() + 8 * k, *fields[k]);
    }
    return image;
}

RadialStats LoadRadialStats(const RadialStatsImage& image) {
    RadialStats stats;
    const auto fields = StatsFields(stats);
    for (std::size_t k = 0; k < fields.size(); ++k) {
        *fields[k] = GetDouble(image.data() + 8 * k);
    }
    return stats;
}
