// The description of one isovist (its polygon and shape measures, followed by room for the
// graph measures) and the statistics of the radial rays of one isovist, with their stored
// byte images.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "document/PlanTypes.h"

// Graph measures of one node of a visibility or axial graph; −1 marks an undefined value.
struct GraphMeasureBlock {
    int32_t connectivity = 0;
    double meanDepth = 0.0;
    double control = 0.0;
    double relativeAsymmetry = 0.0;
    double realRelativeAsymmetry = 0.0;
    double integration = 0.0;
    double integrationN = 0.0;
    double controllability = 0.0;
    double pointCount = 0.0;
    double averageNeighbourControl = 0.0;
    double globalE = 0.0;
    double globalRelativeE = 0.0;
    double globalConnectivityE = 0.0;

    friend bool operator==(const GraphMeasureBlock&, const GraphMeasureBlock&) = default;
};

// One isovist: a new record is all zero with an empty polygon. Copying copies the points.
struct IsovistRecord {
    PlanPolygon polygon;  // ends of the radial lines, counter-clockwise
    double area = 0.0;
    double perimeter = 0.0;
    double drift = 0.0;  // distance from origin to centroid
    PlanPoint origin;
    PlanPoint centroid;
    double occlusivity = 0.0;            // share of the perimeter lying on walls
    double visiblePerimeterRatio = 0.0;  // share of the perimeter that is not a sight line
    double compactness = 0.0;            // area / perimeter
    double userValue = 0.0;              // supplied by the user; nothing computes it
    double circularity = 0.0;            // perimeter² / area
    GraphMeasureBlock graphMeasures;
    int32_t depthFromCurrent = 0;
    int32_t pathCount = 0;
    int32_t radialStatsIndex = 0;
    double maxVertexDistance = 0.0;

    friend bool operator==(const IsovistRecord&, const IsovistRecord&) = default;
};

// Statistics of the ray lengths of one isovist computed by the radial method.
struct RadialStats {
    double rayCount = 0.0;
    double sum = 0.0;
    double mean = 0.0;
    double variance = 0.0;
    double standardDeviation = 0.0;
    double max = 0.0;
    double min = 0.0;
    double differenceEntropy = 0.0;
    double elongation = 0.0;
    double autocorrelation = 0.0;
    double maxBidirectional = 0.0;
    double minBidirectional = 0.0;

    friend bool operator==(const RadialStats&, const RadialStats&) = default;
};

// ---- stored images ----

inline constexpr std::size_t kIsovistRecordImageSize = 256;
inline constexpr std::size_t kRadialStatsImageSize = 800;

using IsovistRecordImage = std::array<uint8_t, kIsovistRecordImageSize>;
using RadialStatsImage = std::array<uint8_t, kRadialStatsImageSize>;

// The 256-byte image of a record. The polygon's points are stored elsewhere by the caller:
// the image holds `firstPointIndex` (where the caller put them) and the point count.
IsovistRecordImage StoreIsovistRecord(const IsovistRecord& record, int32_t firstPointIndex);

// A record read back from its image; its polygon is empty. The point index and count are
// exactly as stored (untrusted: the caller checks them before reading any points).
struct LoadedIsovistRecord {
    IsovistRecord record;
    int32_t firstPointIndex = 0;
    int32_t pointCount = 0;
};
LoadedIsovistRecord LoadIsovistRecord(const IsovistRecordImage& image);

RadialStatsImage StoreRadialStats(const RadialStats& stats);
RadialStats LoadRadialStats(const RadialStatsImage& image);
