// Stored images of IsovistRecord (256 bytes) and RadialStats (800 bytes), little-endian.
#include <utility>

#include "document/LittleEndian.h"
#include "document/IsovistRecord.h"

namespace {

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
template <typename Record, typename DoubleIo, typename IntIo>
void VisitRecordFields(Record& r, DoubleIo doubleAt, IntIo intAt) {
    doubleAt(8, r.area);
    doubleAt(16, r.perimeter);
    doubleAt(24, r.drift);
    doubleAt(32, r.origin.x);
    doubleAt(40, r.origin.y);
    doubleAt(48, r.centroid.x);
    doubleAt(56, r.centroid.y);
    doubleAt(64, r.occlusivity);
    doubleAt(72, r.visiblePerimeterRatio);
    doubleAt(80, r.compactness);
    doubleAt(88, r.userValue);
    doubleAt(96, r.circularity);
    auto& g = r.graphMeasures;
    intAt(104, g.connectivity);
    doubleAt(108, g.meanDepth);
    doubleAt(116, g.control);
    doubleAt(124, g.relativeAsymmetry);
    doubleAt(132, g.realRelativeAsymmetry);
    doubleAt(140, g.integration);
    doubleAt(148, g.integrationN);
    doubleAt(156, g.controllability);
    doubleAt(164, g.pointCount);
    doubleAt(172, g.averageNeighbourControl);
    doubleAt(180, g.globalE);
    doubleAt(188, g.globalRelativeE);
    doubleAt(196, g.globalConnectivityE);
    intAt(204, r.depthFromCurrent);
    intAt(208, r.pathCount);
    intAt(212, r.radialStatsIndex);
    doubleAt(216, r.maxVertexDistance);
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
    le::PutI32(image, 0, firstPointIndex);
    le::PutI32(image, 4, record.polygon.count());
    VisitRecordFields(
        record, [&image](std::size_t at, double v) { le::PutF64(image, at, v); },
        [&image](std::size_t at, int32_t v) { le::PutI32(image, at, v); });
    return image;
}

LoadedIsovistRecord LoadIsovistRecord(const IsovistRecordImage& image) {
    LoadedIsovistRecord loaded;
    loaded.firstPointIndex = le::I32At(image, 0);
    loaded.pointCount = le::I32At(image, 4);
    VisitRecordFields(
        loaded.record, [&image](std::size_t at, double& v) { v = le::F64At(image, at); },
        [&image](std::size_t at, int32_t& v) { v = le::I32At(image, at); });
    return loaded;
}

RadialStatsImage StoreRadialStats(const RadialStats& stats) {
    RadialStatsImage image{};
    const auto fields = StatsFields(stats);
    for (std::size_t k = 0; k < fields.size(); ++k) {
        le::PutF64(image, 8 * k, *fields[k]);
    }
    return image;
}

RadialStats LoadRadialStats(const RadialStatsImage& image) {
    RadialStats stats;
    const auto fields = StatsFields(stats);
    for (std::size_t k = 0; k < fields.size(); ++k) {
        *fields[k] = le::F64At(image, 8 * k);
    }
    return stats;
}
