#include <gtest/gtest.h>

#include <cstring>

#include "document/IsovistRecord.h"

namespace {

// Little-endian bytes of a few doubles, written out by hand.
constexpr uint8_t kOne[8] = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};       // 1.0
constexpr uint8_t kTwo[8] = {0, 0, 0, 0, 0, 0, 0x00, 0x40};       // 2.0
constexpr uint8_t kMinus1p5[8] = {0, 0, 0, 0, 0, 0, 0xF8, 0xBF};  // -1.5
constexpr uint8_t kMinusOne[8] = {0, 0, 0, 0, 0, 0, 0xF0, 0xBF};  // -1.0

void ExpectBytes(const uint8_t* actual, const uint8_t* expected, std::size_t n, std::size_t at) {
    for (std::size_t i = 0; i < n; ++i) {
        EXPECT_EQ(actual[at + i], expected[i]) << "byte " << at + i;
    }
}

TEST(IsovistRecordImage, NewRecordIsAllZero) {
    const auto image = StoreIsovistRecord(IsovistRecord{}, 0);
    for (std::size_t i = 0; i < image.size(); ++i) {
        EXPECT_EQ(image[i], 0) << "byte " << i;
    }
}

TEST(IsovistRecordImage, GoldenOffsetsIncludingUnalignedDoubles) {
    IsovistRecord r;
    r.polygon.resize(3);
    r.area = 1.0;
    r.origin = {2.0, -1.0};
    r.circularity = -1.5;
    r.graphMeasures.connectivity = 0x01020304;
    r.graphMeasures.meanDepth = 2.0;            // offset 108: not a multiple of 8
    r.graphMeasures.globalConnectivityE = 1.0;  // 196
    r.depthFromCurrent = -1;
    r.pathCount = 7;
    r.radialStatsIndex = 0x10;
    r.maxVertexDistance = -1.5;

    const auto image = StoreIsovistRecord(r, 0x0A0B0C0D);
    uint8_t expected[256] = {};
    const uint8_t head[8] = {0x0D, 0x0C, 0x0B, 0x0A, 3, 0, 0, 0};
    std::memcpy(expected, head, 8);
    std::memcpy(expected + 8, kOne, 8);
    std::memcpy(expected + 32, kTwo, 8);
    std::memcpy(expected + 40, kMinusOne, 8);
    std::memcpy(expected + 96, kMinus1p5, 8);
    const uint8_t connectivity[4] = {0x04, 0x03, 0x02, 0x01};
    std::memcpy(expected + 104, connectivity, 4);
    std::memcpy(expected + 108, kTwo, 8);
    std::memcpy(expected + 196, kOne, 8);
    const uint8_t counts[12] = {0xFF, 0xFF, 0xFF, 0xFF, 7, 0, 0, 0, 0x10, 0, 0, 0};
    std::memcpy(expected + 204, counts, 12);
    std::memcpy(expected + 216, kMinus1p5, 8);
    ExpectBytes(image.data(), expected, 256, 0);
}

TEST(IsovistRecordImage, EveryFieldRoundTrips) {
    IsovistRecord r;
    double next = 0.5;
    auto v = [&next] { return next += 1.25; };
    r.area = v();
    r.perimeter = v();
    r.drift = v();
    r.origin = {v(), v()};
    r.centroid = {v(), v()};
    r.occlusivity = v();
    r.visiblePerimeterRatio = v();
    r.compactness = v();
    r.userValue = v();
    r.circularity = v();
    auto& g = r.graphMeasures;
    g.connectivity = -42;
    for (double* d :
         {&g.meanDepth, &g.control, &g.relativeAsymmetry, &g.realRelativeAsymmetry, &g.integration,
          &g.integrationN, &g.controllability, &g.pointCount, &g.averageNeighbourControl,
          &g.globalE, &g.globalRelativeE, &g.globalConnectivityE}) {
        *d = v();
    }
    r.depthFromCurrent = -3;
    r.pathCount = 11;
    r.radialStatsIndex = 12345;
    r.maxVertexDistance = v();
    r.polygon = PlanPolygon({{1, 2}, {3, 4}});

    const auto loaded = LoadIsovistRecord(StoreIsovistRecord(r, 99));
    EXPECT_EQ(loaded.firstPointIndex, 99);
    EXPECT_EQ(loaded.pointCount, 2);
    EXPECT_TRUE(loaded.record.polygon.empty());
    IsovistRecord withoutPoints = r;
    withoutPoints.polygon = PlanPolygon{};
    EXPECT_EQ(loaded.record, withoutPoints);
}

TEST(IsovistRecordImage, HostileCountIsPassedThroughUntouched) {
    IsovistRecordImage image{};
    image[4] = 0xFF;
    image[5] = 0xFF;
    image[6] = 0xFF;
    image[7] = 0xFF;
    EXPECT_EQ(LoadIsovistRecord(image).pointCount, -1);
}

TEST(RadialStatsImage, FieldKAtOffset8kRestZero) {
    RadialStats s;
    s.rayCount = 1440.0;
    s.mean = 2.0;
    s.minBidirectional = -1.5;
    const auto image = StoreRadialStats(s);
    const uint8_t k1440[8] = {0, 0, 0, 0, 0, 0x80, 0x96, 0x40};
    ExpectBytes(image.data(), k1440, 8, 0);
    ExpectBytes(image.data(), kTwo, 8, 16);
    ExpectBytes(image.data(), kMinus1p5, 8, 88);
    for (std::size_t i = 96; i < image.size(); ++i) {
        EXPECT_EQ(image[i], 0) << "byte " << i;
    }
}

TEST(RadialStatsImage, RoundTrips) {
    RadialStats s{1440.0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(LoadRadialStats(StoreRadialStats(s)), s);
}

}  // namespace
