// Helpers for document-file tests: whole-file reads and writes, a member-by-member comparison
// of two documents and a document filled with a little of everything that is stored.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "document/CORVDoc.h"

using Bytes = std::vector<uint8_t>;

inline Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// Compares every stored member (the point isovist record, its radial statistics and the custom
// points are not stored).
inline void ExpectSameStoredMembers(const CORVDoc& a, const CORVDoc& b) {
    EXPECT_EQ(a.m_wallVertices, b.m_wallVertices);
    EXPECT_EQ(a.m_wallVertexCount, b.m_wallVertexCount);
    EXPECT_EQ(a.m_wallSegments, b.m_wallSegments);
    EXPECT_EQ(a.m_wallSegmentCount, b.m_wallSegmentCount);
    EXPECT_EQ(a.m_wallTableFlags, b.m_wallTableFlags);
    EXPECT_EQ(a.m_shortestAxialLineLength, b.m_shortestAxialLineLength);
    EXPECT_EQ(a.m_longestAxialLineLength, b.m_longestAxialLineLength);
    EXPECT_EQ(a.m_axialLines, b.m_axialLines);
    EXPECT_EQ(a.m_axialLineCount, b.m_axialLineCount);
    EXPECT_EQ(a.m_axialLinesReserved, b.m_axialLinesReserved);
    EXPECT_EQ(a.m_planPolygons, b.m_planPolygons);
    EXPECT_EQ(a.m_eliminationOptions, b.m_eliminationOptions);
    EXPECT_EQ(a.m_eliminationReserved, b.m_eliminationReserved);
    EXPECT_EQ(a.m_planExtent, b.m_planExtent);
    EXPECT_EQ(a.m_radialLines, b.m_radialLines);
    EXPECT_EQ(a.m_isovistOrigin, b.m_isovistOrigin);
    EXPECT_EQ(a.m_isovistArea, b.m_isovistArea);
    EXPECT_EQ(a.m_isovistCentroid, b.m_isovistCentroid);
    EXPECT_EQ(a.m_grid, b.m_grid);
    EXPECT_EQ(a.m_gridReserved, b.m_gridReserved);
    EXPECT_EQ(a.m_gridResultsValid, b.m_gridResultsValid);
    EXPECT_EQ(a.m_gridSpan, b.m_gridSpan);
    EXPECT_EQ(a.m_gridDisplayProperty, b.m_gridDisplayProperty);
    EXPECT_EQ(a.m_gridRadialStats, b.m_gridRadialStats);
    EXPECT_EQ(a.m_gridGraph, b.m_gridGraph);
    EXPECT_EQ(a.m_axialGraph, b.m_axialGraph);
    EXPECT_EQ(a.m_paths, b.m_paths);
    EXPECT_EQ(a.m_observationPoints, b.m_observationPoints);
    EXPECT_EQ(a.m_pathIsovists, b.m_pathIsovists);
    EXPECT_EQ(a.m_pathRadialStats, b.m_pathRadialStats);
    EXPECT_EQ(a.m_currentPath, b.m_currentPath);
    EXPECT_EQ(a.m_pathDisplayProperty, b.m_pathDisplayProperty);
    EXPECT_EQ(a.m_referenceLines, b.m_referenceLines);
    EXPECT_EQ(a.m_axialLineRecords, b.m_axialLineRecords);
    EXPECT_EQ(a.m_settings, b.m_settings);
    EXPECT_EQ(a.m_savedViewState, b.m_savedViewState);
    EXPECT_EQ(a.m_entropyParams, b.m_entropyParams);
    EXPECT_EQ(a.m_layerNames, b.m_layerNames);
}

inline IsovistRecord SampleIsovist(double seed, int points) {
    IsovistRecord record;
    std::vector<PlanPoint> polygon;
    for (int i = 0; i < points; ++i) {
        polygon.push_back({seed + i, seed - i});
    }
    record.polygon = PlanPolygon(polygon);
    record.area = seed * 3;
    record.perimeter = seed + 0.25;
    record.origin = {seed, seed / 2};
    record.graphMeasures.connectivity = static_cast<int32_t>(seed);
    record.graphMeasures.meanDepth = -1.0;
    record.pathCount = 7;
    record.maxVertexDistance = seed * 1.5;
    return record;
}

// A document holding something in every stored member.
inline void FillEveryStoredMember(CORVDoc& doc) {
    doc.m_planPolygons.append(PlanPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
    doc.m_planPolygons.append(PlanPolygon({{2, 2}, {3, 3}, {4, 2}}));
    doc.RebuildWallTables();
    doc.ComputePlanExtent();
    doc.m_wallTableFlags = {3, 4};
    doc.m_axialLines = {{{0, 0}, {1, 1}}, {{2, 2}, {5, 6}}};
    doc.m_axialLineCount = 2;
    doc.m_shortestAxialLineLength = 1.25;
    doc.m_longestAxialLineLength = 5.0;
    doc.m_axialLinesReserved = 9;
    doc.m_eliminationOptions = {0, 1, 0.75, 3};
    doc.m_eliminationReserved = {5, 6};
    doc.m_radialLines = {{{1, 1}, {2, 1}}, {{1, 1}, {1, 2}}, {{1, 1}, {0, 1}}};
    doc.m_isovistOrigin = {1, 1};
    doc.m_isovistArea = 12.5;
    doc.m_isovistCentroid = {1.5, 1.25};

    doc.m_grid.nx = 2;
    doc.m_grid.ny = 1;
    doc.m_grid.count = 2;
    doc.m_grid.span = 5;
    doc.m_grid.originX = -1;
    doc.m_grid.originY = -2;
    doc.m_grid.cells.resize(2);
    doc.m_grid.cells[0] = {0, 5, 0, 5, 1, SampleIsovist(4, 5)};
    doc.m_grid.cells[1] = {5, 10, 0, 5, 0, IsovistRecord{}};
    doc.m_gridReserved = 11;
    doc.m_gridResultsValid = 1;
    doc.m_gridSpan = 5;
    doc.m_gridDisplayProperty = 4;
    doc.m_gridRadialStats = {RadialStats{360, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
    doc.m_gridGraph.initialise(2);
    doc.m_gridGraph.addEdge(0, 1);
    doc.m_axialGraph.initialise(1);

    doc.m_paths.append(PlanPolygon({{1, 1}, {8, 8}}));
    doc.m_paths.append(PlanPolygon({{1, 8}, {8, 1}, {5, 5}}));
    doc.m_observationPoints.append(PlanPolygon({{1, 1}, {4, 4}}));
    doc.m_observationPoints.append(PlanPolygon());
    doc.m_pathIsovists = {SampleIsovist(2, 3), SampleIsovist(3, 0)};
    doc.m_pathRadialStats = {RadialStats{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, RadialStats{}};
    doc.m_currentPath = 1;
    doc.m_pathDisplayProperty = 3;
    doc.m_referenceLines.append(PlanPolygon({{0, 5}, {10, 5}}));
    doc.m_axialLineRecords = {SampleIsovist(5, 0), SampleIsovist(6, 2)};
    doc.m_settings.m_unit = 2;
    doc.m_settings.m_show[3] = 0;
    doc.m_savedViewState.scale = 2.5;
    doc.m_entropyParams.append(6, 42.0);
    doc.m_layerNames.set(0, "OUTLINE");
}
