// The layout of the document file's records, shared by its writer (DocumentFileWrite.cpp) and
// its reader (DocumentFileRead.cpp) and by nothing else: record types and element sizes, the
// images of points and segments, and the running indices of the document's integers and doubles.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "document/LittleEndian.h"
#include "document/PlanTypes.h"

namespace docfile {

// Record types and their element sizes.
enum RecordType : int32_t {
    kVersionType = 1,
    kIntegerType = 2,
    kDoubleType = 3,
    kPointType = 10,
    kSegmentType = 11,
    kPolygonType = 14,
    kIsovistType = 15,
    kGridCellType = 16,
    kGridType = 17,
    kViewStateType = 18,
    kSettingsType = 19,
    kRadialStatsType = 20,
    kEntropyType = 21,
    kLayerNamesType = 22,
    kGraphHeaderType = 23,
    kGridMatrixType = 24,
    kAxialMatrixType = 25,
    kPathDisplayType = 101,
};

constexpr uint32_t kPointSize = 16;
constexpr uint32_t kSegmentSize = 32;
constexpr uint32_t kPolygonRecordSize = 8;
constexpr uint32_t kGridCellSize = 292;
constexpr uint32_t kGridRecordSize = 40;
constexpr uint32_t kGraphHeaderSize = 16;

using Bytes = std::vector<uint8_t>;

// ---------------------------------------------------------------------------------------------
// Element images.
//
// type 10, point (16):     0 x f64 | 8 y f64
// type 11, segment (32):   0 start x | 8 start y | 16 end x | 24 end y      (f64 each)
// type 14, polygon (8):    0 first point index in type 10 u32 | 4 point count i32
// type 16, grid cell (292): 0 x min | 8 x max | 16 y min | 24 y max (f64) | 32 effective i32 |
//                          36 the cell's isovist as a type-15 image (256)
// type 17, grid (40):      0 first cell index in type 16 u32 | 4 cell count i32 | 8 nx i32 |
//                          12 ny i32 | 16 span f64 | 24 origin x f64 | 32 origin y f64
// type 23, graph (16):     0 node count i32 | 4 matrix bytes i32 | 8 matrix pointer (0) |
//                          12 edge count i32
// ---------------------------------------------------------------------------------------------

inline Bytes PointImages(std::span<const PlanPoint> points) {
    Bytes bytes(points.size() * kPointSize);
    for (size_t i = 0; i < points.size(); ++i) {
        le::PutF64(bytes, i * kPointSize, points[i].x);
        le::PutF64(bytes, i * kPointSize + 8, points[i].y);
    }
    return bytes;
}

inline std::vector<PlanPoint> PointsFromImages(std::span<const uint8_t> bytes) {
    std::vector<PlanPoint> points(bytes.size() / kPointSize);
    for (size_t i = 0; i < points.size(); ++i) {
        points[i] = {le::F64At(bytes, i * kPointSize), le::F64At(bytes, i * kPointSize + 8)};
    }
    return points;
}

inline Bytes SegmentImages(std::span<const PlanSegment> segments) {
    Bytes bytes(segments.size() * kSegmentSize);
    for (size_t i = 0; i < segments.size(); ++i) {
        const size_t at = i * kSegmentSize;
        le::PutF64(bytes, at, segments[i].start.x);
        le::PutF64(bytes, at + 8, segments[i].start.y);
        le::PutF64(bytes, at + 16, segments[i].end.x);
        le::PutF64(bytes, at + 24, segments[i].end.y);
    }
    return bytes;
}

inline std::vector<PlanSegment> SegmentsFromImages(std::span<const uint8_t> bytes) {
    std::vector<PlanSegment> segments(bytes.size() / kSegmentSize);
    for (size_t i = 0; i < segments.size(); ++i) {
        const size_t at = i * kSegmentSize;
        segments[i] = {{le::F64At(bytes, at), le::F64At(bytes, at + 8)},
                       {le::F64At(bytes, at + 16), le::F64At(bytes, at + 24)}};
    }
    return segments;
}


// The document's integers (type 2) and doubles (type 3) by their running index: the writer
// names the slot of every value it writes and checks it is the next one, the reader finds
// each value by the same name, so the two cannot drift apart.
enum IntegerIndex : uint32_t {
    kWallVertexCount = 0,
    kWallSegmentCount = 1,
    kWallTableFlags = 2,  // two integers
    kAxialLineCount = 4,
    kFirstAxialLine = 5,
    kAxialLinesReserved = 6,
    kPlanPolygonCount = 7,
    kEliminationFirst = 8,
    kEliminationTolerance = 9,
    kEliminationConnectivity = 10,
    kEliminationReserved = 11,  // two integers
    kRadialLineCount = 13,
    kFirstRadialLine = 14,
    kRadialLinesReserved = 15,
    kGridReserved = 16,
    kGridResultsValid = 17,
    kGridResultsReserved = 18,
    kGridDisplayProperty = 19,
    kPathCount = 20,
    kFirstPath = 21,
    kObservationListCount = 22,
    kFirstObservationList = 23,
    kPathIsovistCount = 24,
    kFirstPathIsovist = 25,
    kCurrentPath = 26,
    kReferenceLineCount = 27,
    kFirstReferenceLine = 28,
    kPathRadialStatsCount = 29,
    kFirstPathRadialStats = 30,
    kGridRadialStatsCount = 31,
    kFirstGridRadialStats = 32,
    kAxialRecordCount = 33,
    kFirstAxialRecord = 34,
};

// Doubles of type 3 by their running index.
enum RealIndex : uint32_t {
    kShortestAxialLine = 0,
    kLongestAxialLine = 1,
    kEliminationToleranceValue = 2,
    kPlanExtent = 3,  // min x, max x, min y, max y
    kIsovistOrigin = 7,  // x, y
    kIsovistArea = 9,
    kIsovistCentroid = 10,  // x, y
    kGridSpan = 12,
};

// The cellstore page size of document files.
constexpr unsigned kPageSize = 65536;

}  // namespace docfile
