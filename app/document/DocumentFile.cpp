#include "document/DocumentFile.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <filesystem>
#include <span>
#include <stdexcept>

#include "cellstore/cellstore.h"
#include "document/DurableFile.h"
#include "document/LittleEndian.h"

namespace {

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
// A read copies each record about once; whatever its counts and indices say, the runs one read
// copies never pass this many times the bytes the file holds, plus a fixed allowance for the
// small records (so a document of N bytes makes the reader copy at most 4 N + 64 KiB).
constexpr uint64_t kReadBudgetFactor = 4;
constexpr uint64_t kReadBudgetAllowance = 64 * 1024;

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

Bytes PointImages(std::span<const PlanPoint> points) {
    Bytes bytes(points.size() * kPointSize);
    for (size_t i = 0; i < points.size(); ++i) {
        le::PutF64(bytes, i * kPointSize, points[i].x);
        le::PutF64(bytes, i * kPointSize + 8, points[i].y);
    }
    return bytes;
}

std::vector<PlanPoint> PointsFromImages(std::span<const uint8_t> bytes) {
    std::vector<PlanPoint> points(bytes.size() / kPointSize);
    for (size_t i = 0; i < points.size(); ++i) {
        points[i] = {le::F64At(bytes, i * kPointSize), le::F64At(bytes, i * kPointSize + 8)};
    }
    return points;
}

Bytes SegmentImages(std::span<const PlanSegment> segments) {
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

std::vector<PlanSegment> SegmentsFromImages(std::span<const uint8_t> bytes) {
    std::vector<PlanSegment> segments(bytes.size() / kSegmentSize);
    for (size_t i = 0; i < segments.size(); ++i) {
        const size_t at = i * kSegmentSize;
        segments[i] = {{le::F64At(bytes, at), le::F64At(bytes, at + 8)},
                       {le::F64At(bytes, at + 16), le::F64At(bytes, at + 24)}};
    }
    return segments;
}

// ---------------------------------------------------------------------------------------------
// Writing.
// ---------------------------------------------------------------------------------------------

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


class RecordWriter {
  public:
    explicit RecordWriter(DocumentRecordSink& sink) : sink_(sink) {}

    uint32_t add(int32_t type, uint32_t elementSize, const Bytes& bytes) {
        return sink_.add(type, elementSize, bytes.data(),
                         static_cast<uint32_t>(bytes.size() / elementSize));
    }
    void integer(uint32_t slot, int32_t value) {
        inStep(slot, integersWritten_);
        Bytes bytes(4);
        le::PutI32(bytes, 0, value);
        add(kIntegerType, 4, bytes);
    }
    void real(uint32_t slot, double value) {
        inStep(slot, realsWritten_);
        Bytes bytes(8);
        le::PutF64(bytes, 0, value);
        add(kDoubleType, 8, bytes);
    }
    // The points of a polygon (when it has any); returns the index of its first point, which
    // is the type's count when nothing was added.
    uint32_t points(const PlanPolygon& polygon) {
        return add(kPointType, kPointSize, PointImages(polygon.points()));
    }
    // Points then polygon record for every polygon; the index of the first record, 0 when the
    // list is empty.
    uint32_t polygonList(const PolygonList& list) {
        uint32_t firstRecord = 0;
        for (int32_t i = 0; i < list.count(); ++i) {
            const uint32_t firstPoint = points(list[i]);
            Bytes record(kPolygonRecordSize);
            le::PutU32(record, 0, firstPoint);
            le::PutI32(record, 4, list[i].count());
            const uint32_t index = add(kPolygonType, kPolygonRecordSize, record);
            if (i == 0) {
                firstRecord = index;
            }
        }
        return firstRecord;
    }
    // Points then record image for every isovist; the index of the first record, 0 when none.
    uint32_t isovistRecords(const std::vector<IsovistRecord>& records) {
        uint32_t firstRecord = 0;
        for (size_t i = 0; i < records.size(); ++i) {
            const uint32_t firstPoint = points(records[i].polygon);
            const IsovistRecordImage image =
                StoreIsovistRecord(records[i], static_cast<int32_t>(firstPoint));
            const uint32_t index =
                add(kIsovistType, kIsovistRecordImageSize, Bytes(image.begin(), image.end()));
            if (i == 0) {
                firstRecord = index;
            }
        }
        return firstRecord;
    }
    // The count in slot `countSlot`, the first record's index in the slot after it.
    void radialStats(uint32_t countSlot, const std::vector<RadialStats>& stats) {
        integer(countSlot, static_cast<int32_t>(stats.size()));
        Bytes bytes;
        bytes.reserve(stats.size() * kRadialStatsImageSize);
        for (const RadialStats& s : stats) {
            const RadialStatsImage image = StoreRadialStats(s);
            bytes.insert(bytes.end(), image.begin(), image.end());
        }
        const uint32_t first = add(kRadialStatsType, kRadialStatsImageSize, bytes);
        integer(countSlot + 1, stats.empty() ? 0 : static_cast<int32_t>(first));
    }
    void grid(const CAnalysisGrid& grid) {
        uint32_t firstCell = 0;
        for (size_t i = 0; i < grid.cells.size(); ++i) {
            const CGridCell& cell = grid.cells[i];
            const bool hasPoints = !cell.isovist.polygon.empty();
            const uint32_t firstPoint = points(cell.isovist.polygon);
            Bytes bytes(kGridCellSize);
            le::PutF64(bytes, 0, cell.xMin);
            le::PutF64(bytes, 8, cell.xMax);
            le::PutF64(bytes, 16, cell.yMin);
            le::PutF64(bytes, 24, cell.yMax);
            le::PutI32(bytes, 32, cell.effective);
            const IsovistRecordImage image =
                StoreIsovistRecord(cell.isovist, hasPoints ? static_cast<int32_t>(firstPoint) : 0);
            std::copy(image.begin(), image.end(), bytes.begin() + 36);
            const uint32_t index = add(kGridCellType, kGridCellSize, bytes);
            if (i == 0) {
                firstCell = index;
            }
        }
        Bytes record(kGridRecordSize);
        le::PutU32(record, 0, firstCell);
        le::PutI32(record, 4, grid.count);
        le::PutI32(record, 8, grid.nx);
        le::PutI32(record, 12, grid.ny);
        le::PutF64(record, 16, grid.span);
        le::PutF64(record, 24, grid.originX);
        le::PutF64(record, 32, grid.originY);
        add(kGridType, kGridRecordSize, record);
    }
    // The byte matrix goes out a row at a time, so that saving a large graph never holds
    // its n * n bytes (2 GB at the largest grid) in memory at once.
    void graph(const CVisibilityGraph& graph, int32_t matrixType) {
        const int32_t n = graph.nodeCount();
        Bytes row(static_cast<size_t>(std::max(n, 0)));
        for (int32_t i = 0; i < n; ++i) {
            graph.byteRow(i, row);
            add(matrixType, 1, row);
        }
        Bytes header(kGraphHeaderSize);
        le::PutI32(header, 0, n);
        le::PutI32(header, 4, static_cast<int32_t>(static_cast<int64_t>(n) * n));
        le::PutU32(header, 8, 0);
        le::PutI32(header, 12, graph.edgeCount());
        add(kGraphHeaderType, kGraphHeaderSize, header);
    }

  private:
    static void inStep(uint32_t slot, uint32_t& written) {
        if (slot != written) {
            throw std::logic_error("the document writer is out of step with its index table");
        }
        ++written;
    }

    DocumentRecordSink& sink_;
    uint32_t integersWritten_ = 0;
    uint32_t realsWritten_ = 0;
};

template <class T>
std::span<const T> FirstOf(const std::vector<T>& items, int32_t count) {
    const size_t n = std::min(items.size(), static_cast<size_t>(std::max(count, 0)));
    return std::span<const T>(items.data(), n);
}

// ---------------------------------------------------------------------------------------------
// Reading.
// ---------------------------------------------------------------------------------------------

class RecordReader {
  public:
    explicit RecordReader(DocumentRecordSource& source)
        : source_(source),
          heldBytes_(source.heldBytes()),
          budget_(kReadBudgetFactor * heldBytes_ + kReadBudgetAllowance) {}

    // Elements first .. first + count - 1 of a type; empty when any is missing. Nothing is
    // allocated before the count is known to be declared by the source and the run to fit in
    // the bytes it really holds and in what is left of the read's budget.
    std::optional<Bytes> run(int32_t type, uint32_t elementSize, int64_t first, int64_t count) {
        const uint32_t available = source_.elementCount(type);
        if (first < 0 || count < 0 || first > available || count > available - first) {
            return missing();
        }
        const uint64_t runBytes = static_cast<uint64_t>(count) * elementSize;
        if (runBytes > heldBytes_ || runBytes > budget_) {
            return missing();
        }
        budget_ -= runBytes;
        Bytes bytes(static_cast<size_t>(count) * elementSize);
        if (count > 0 && !source_.get(type, elementSize, static_cast<uint32_t>(first),
                                      static_cast<uint32_t>(count), bytes.data())) {
            return missing();
        }
        return bytes;
    }
    // Whether a record the writer always writes was missing, damaged or out of bounds.
    bool damaged() const { return damaged_; }
    void markDamaged() { damaged_ = true; }
    std::optional<int32_t> integer(uint32_t index) {
        const auto bytes = run(kIntegerType, 4, index, 1);
        return bytes ? std::optional<int32_t>(le::I32At(*bytes, 0)) : std::nullopt;
    }
    void integerInto(uint32_t index, int32_t& target) {
        if (const auto value = integer(index)) {
            target = *value;
        }
    }
    void realInto(uint32_t index, double& target) {
        if (const auto bytes = run(kDoubleType, 8, index, 1)) {
            target = le::F64At(*bytes, 0);
        }
    }
    std::optional<std::vector<PlanPoint>> points(int64_t first, int64_t count) {
        const auto bytes = run(kPointType, kPointSize, first, count);
        return bytes ? std::optional(PointsFromImages(*bytes)) : std::nullopt;
    }
    // A polygon list of `count` records from `firstRecord`; a record whose points are not in
    // the file gives an empty polygon.
    std::optional<PolygonList> polygonList(int64_t firstRecord, int64_t count) {
        const auto records = run(kPolygonType, kPolygonRecordSize, firstRecord, count);
        if (!records) {
            return std::nullopt;
        }
        PolygonList list;
        for (int64_t i = 0; i < count; ++i) {
            const size_t at = static_cast<size_t>(i) * kPolygonRecordSize;
            auto polygonPoints = points(le::U32At(*records, at), le::I32At(*records, at + 4));
            list.append(
                PlanPolygon(polygonPoints ? std::move(*polygonPoints) : std::vector<PlanPoint>{}));
        }
        return list;
    }
    IsovistRecord isovistFromImage(std::span<const uint8_t> bytes) {
        IsovistRecordImage image{};
        std::copy_n(bytes.begin(), image.size(), image.begin());
        LoadedIsovistRecord loaded = LoadIsovistRecord(image);
        if (loaded.pointCount > 0) {
            if (auto polygonPoints =
                    points(static_cast<uint32_t>(loaded.firstPointIndex), loaded.pointCount)) {
                loaded.record.polygon = PlanPolygon(std::move(*polygonPoints));
            }
        }
        return loaded.record;
    }
    std::optional<std::vector<IsovistRecord>> isovistRecords(int64_t first, int64_t count) {
        const auto bytes = run(kIsovistType, kIsovistRecordImageSize, first, count);
        if (!bytes) {
            return std::nullopt;
        }
        std::vector<IsovistRecord> records;
        records.reserve(static_cast<size_t>(count));
        for (int64_t i = 0; i < count; ++i) {
            records.push_back(isovistFromImage(std::span<const uint8_t>(*bytes).subspan(
                static_cast<size_t>(i) * kIsovistRecordImageSize, kIsovistRecordImageSize)));
        }
        return records;
    }
    std::optional<std::vector<RadialStats>> radialStats(int64_t first, int64_t count) {
        const auto bytes = run(kRadialStatsType, kRadialStatsImageSize, first, count);
        if (!bytes) {
            return std::nullopt;
        }
        std::vector<RadialStats> stats(static_cast<size_t>(count));
        for (size_t i = 0; i < stats.size(); ++i) {
            RadialStatsImage image{};
            std::copy_n(bytes->begin() + static_cast<ptrdiff_t>(i * kRadialStatsImageSize),
                        image.size(), image.begin());
            stats[i] = LoadRadialStats(image);
        }
        return stats;
    }
    std::optional<CAnalysisGrid> grid() {
        const auto record = run(kGridType, kGridRecordSize, 0, 1);
        if (!record) {
            return std::nullopt;
        }
        CAnalysisGrid grid;
        const uint32_t firstCell = le::U32At(*record, 0);
        grid.count = le::I32At(*record, 4);
        grid.nx = le::I32At(*record, 8);
        grid.ny = le::I32At(*record, 12);
        grid.span = le::F64At(*record, 16);
        grid.originX = le::F64At(*record, 24);
        grid.originY = le::F64At(*record, 32);
        // Cells are found by row * nx + column, so the shape must match the cells held.
        if (grid.nx < 0 || grid.ny < 0 ||
            int64_t{grid.nx} * int64_t{grid.ny} != int64_t{grid.count}) {
            return missing();
        }
        const auto cells = run(kGridCellType, kGridCellSize, firstCell, grid.count);
        if (!cells) {
            return std::nullopt;
        }
        grid.cells.resize(static_cast<size_t>(grid.count));
        for (size_t i = 0; i < grid.cells.size(); ++i) {
            const auto image =
                std::span<const uint8_t>(*cells).subspan(i * kGridCellSize, kGridCellSize);
            CGridCell& cell = grid.cells[i];
            cell.xMin = le::F64At(image, 0);
            cell.xMax = le::F64At(image, 8);
            cell.yMin = le::F64At(image, 16);
            cell.yMax = le::F64At(image, 24);
            cell.effective = le::I32At(image, 32);
            cell.isovist = isovistFromImage(image.subspan(36));
        }
        return grid;
    }
    std::optional<CVisibilityGraph> graph(uint32_t headerIndex, int32_t matrixType) {
        const auto header = run(kGraphHeaderType, kGraphHeaderSize, headerIndex, 1);
        if (!header) {
            return std::nullopt;
        }
        const int32_t nodeCount = le::I32At(*header, 0);
        const int32_t matrixBytes = le::I32At(*header, 4);
        const int32_t edgeCount = le::I32At(*header, 12);
        if (nodeCount < 0 || int64_t{nodeCount} * int64_t{nodeCount} != int64_t{matrixBytes}) {
            return std::nullopt;
        }
        auto matrix = run(matrixType, 1, 0, matrixBytes);
        if (!matrix) {
            return std::nullopt;
        }
        return CVisibilityGraph::fromByteMatrix(nodeCount, *matrix, edgeCount);
    }
    template <class Block>
    void blockInto(int32_t type, uint32_t size, Block& target) {
        if (const auto bytes = run(type, size, 0, 1)) {
            target.fromBytes(*bytes);
        }
    }

  private:
    std::nullopt_t missing() {
        damaged_ = true;
        return std::nullopt;
    }

    DocumentRecordSource& source_;
    bool damaged_ = false;
    const uint64_t heldBytes_;
    uint64_t budget_;  // bytes the remaining runs may still copy
};

template <class T>
void AssignWithCount(std::optional<std::vector<T>> read, std::vector<T>& target, int32_t& count) {
    if (read) {
        target = std::move(*read);
        count = static_cast<int32_t>(target.size());
    }
}

bool Finite(const PlanPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool AllFinite(const std::vector<PlanPoint>& points) {
    return std::all_of(points.begin(), points.end(), [](const PlanPoint& p) { return Finite(p); });
}

bool AllFinite(const std::vector<PlanSegment>& segments) {
    return std::all_of(segments.begin(), segments.end(), [](const PlanSegment& s) {
        return Finite(s.start) && Finite(s.end);
    });
}

bool AllFinite(const PolygonList& list) {
    return std::all_of(list.items().begin(), list.items().end(),
                       [](const PlanPolygon& polygon) { return AllFinite(polygon.points()); });
}

// Every coordinate of the plan and its extent is a finite number.
bool CoordinatesFinite(const CORVDoc& doc) {
    const PlanExtent& e = doc.m_planExtent;
    return AllFinite(doc.m_wallVertices) && AllFinite(doc.m_wallSegments) &&
           AllFinite(doc.m_planPolygons) && AllFinite(doc.m_axialLines) &&
           AllFinite(doc.m_radialLines) && AllFinite(doc.m_paths) &&
           AllFinite(doc.m_observationPoints) && AllFinite(doc.m_referenceLines) &&
           std::isfinite(e.minX) && std::isfinite(e.maxX) && std::isfinite(e.minY) &&
           std::isfinite(e.maxY) && Finite(doc.m_isovistOrigin);
}

// Settings written by older versions of the program.
void UpgradeSettings(DocumentSettings& settings, int32_t version) {
    if (version == 1000) {
        if (settings.resultDisplay != 0 && settings.resultDisplay != 1) {
            settings.resultDisplay = 0;
        }
        if (settings.m_scaleMode < 0 || settings.m_scaleMode > 2) {
            settings.m_scaleMode = 0;
        }
        if (settings.scaleRange != 0 && settings.scaleRange != 1) {
            settings.scaleRange = 0;
            settings.scaleFrom = 0.0;
            settings.scaleTo = 0.0;
        }
    }
    if (version == 1000 || version == 1001) {
        settings.legacyRun.fill(100);
        settings.gridStateAndFlags.fill(0);
        settings.m_axialDisplayProperty = 0;
        settings.m_unit = 0;
    }
    for (int32_t& flag : settings.m_show) {
        if (flag != 0 && flag != 1) {
            flag = 1;
        }
    }
}

}  // namespace

void WriteDocumentRecords(const CORVDoc& doc, DocumentRecordSink& sink) {
    RecordWriter w(sink);
    Bytes version(4);
    le::PutI32(version, 0, kDocumentFileVersion);
    w.add(kVersionType, 4, version);
    w.add(kPointType, kPointSize, PointImages(FirstOf(doc.m_wallVertices, doc.m_wallVertexCount)));
    w.add(kSegmentType, kSegmentSize,
          SegmentImages(FirstOf(doc.m_wallSegments, doc.m_wallSegmentCount)));
    w.integer(kWallVertexCount, doc.m_wallVertexCount);
    w.integer(kWallSegmentCount, doc.m_wallSegmentCount);
    w.integer(kWallTableFlags, doc.m_wallTableFlags[0]);
    w.integer(kWallTableFlags + 1, doc.m_wallTableFlags[1]);
    w.real(kShortestAxialLine, doc.m_shortestAxialLineLength);
    w.real(kLongestAxialLine, doc.m_longestAxialLineLength);

    w.integer(kAxialLineCount, static_cast<int32_t>(doc.m_axialLines.size()));
    const uint32_t firstAxial = w.add(kSegmentType, kSegmentSize, SegmentImages(doc.m_axialLines));
    w.integer(kFirstAxialLine, static_cast<int32_t>(firstAxial));
    w.integer(kAxialLinesReserved, doc.m_axialLinesReserved);

    w.integer(kPlanPolygonCount, doc.m_planPolygons.count());
    w.polygonList(doc.m_planPolygons);
    const EliminationOptions& elimination = doc.m_eliminationOptions;
    w.integer(kEliminationFirst, elimination.removeOverlappedLines);
    w.real(kEliminationToleranceValue, elimination.tolerance);
    w.integer(kEliminationTolerance, elimination.removeOverlappedLinesWithTolerance);
    w.integer(kEliminationConnectivity, elimination.minimumConnectivity);
    w.integer(kEliminationReserved, doc.m_eliminationReserved[0]);
    w.integer(kEliminationReserved + 1, doc.m_eliminationReserved[1]);
    w.real(kPlanExtent, doc.m_planExtent.minX);
    w.real(kPlanExtent + 1, doc.m_planExtent.maxX);
    w.real(kPlanExtent + 2, doc.m_planExtent.minY);
    w.real(kPlanExtent + 3, doc.m_planExtent.maxY);

    w.integer(kRadialLineCount, static_cast<int32_t>(doc.m_radialLines.size()));
    const uint32_t firstRadial =
        w.add(kSegmentType, kSegmentSize, SegmentImages(doc.m_radialLines));
    w.integer(kFirstRadialLine, static_cast<int32_t>(firstRadial));
    w.integer(kRadialLinesReserved, 0);
    w.real(kIsovistOrigin, doc.m_isovistOrigin.x);
    w.real(kIsovistOrigin + 1, doc.m_isovistOrigin.y);
    w.real(kIsovistArea, doc.m_isovistArea);
    w.real(kIsovistCentroid, doc.m_isovistCentroid.x);
    w.real(kIsovistCentroid + 1, doc.m_isovistCentroid.y);

    w.grid(doc.m_grid);
    w.integer(kGridReserved, doc.m_gridReserved);
    w.integer(kGridResultsValid, doc.m_gridResultsValid);
    w.integer(kGridResultsReserved, 0);
    w.real(kGridSpan, doc.m_gridSpan);
    w.integer(kGridDisplayProperty, doc.m_gridDisplayProperty);

    w.integer(kPathCount, doc.m_paths.count());
    w.integer(kFirstPath, static_cast<int32_t>(w.polygonList(doc.m_paths)));
    w.integer(kObservationListCount, doc.m_observationPoints.count());
    w.integer(kFirstObservationList, static_cast<int32_t>(w.polygonList(doc.m_observationPoints)));
    w.integer(kPathIsovistCount, static_cast<int32_t>(doc.m_pathIsovists.size()));
    w.integer(kFirstPathIsovist, static_cast<int32_t>(w.isovistRecords(doc.m_pathIsovists)));
    w.integer(kCurrentPath, doc.m_currentPath);

    w.add(kViewStateType, SavedViewState::kImageSize, doc.m_savedViewState.toBytes());
    w.add(kSettingsType, DocumentSettings::kImageSize, doc.m_settings.toBytes());
    w.integer(kReferenceLineCount, doc.m_referenceLines.count());
    w.integer(kFirstReferenceLine, static_cast<int32_t>(w.polygonList(doc.m_referenceLines)));
    Bytes pathDisplay(4);
    le::PutI32(pathDisplay, 0, doc.m_pathDisplayProperty);
    w.add(kPathDisplayType, 4, pathDisplay);

    w.radialStats(kPathRadialStatsCount, doc.m_pathRadialStats);
    w.radialStats(kGridRadialStatsCount, doc.m_gridRadialStats);
    w.add(kEntropyType, EntropyParams::kImageSize, doc.m_entropyParams.toBytes());
    w.add(kLayerNamesType, LayerNames::kImageSize, doc.m_layerNames.toBytes());
    w.graph(doc.m_gridGraph, kGridMatrixType);
    w.graph(doc.m_axialGraph, kAxialMatrixType);
    w.integer(kAxialRecordCount, static_cast<int32_t>(doc.m_axialLineRecords.size()));
    w.integer(kFirstAxialRecord, static_cast<int32_t>(w.isovistRecords(doc.m_axialLineRecords)));
}

bool ReadDocumentRecords(CORVDoc& doc, DocumentRecordSource& source) {
    RecordReader r(source);
    const auto versionBytes = r.run(kVersionType, 4, 0, 1);
    if (!versionBytes) {
        return false;
    }
    const int32_t version = le::I32At(*versionBytes, 0);
    if (version < 1000) {
        return true;
    }
    if (version <= kDocumentFileVersion) {
        const auto count = [&](uint32_t index) { return r.integer(index).value_or(0); };
        AssignWithCount(r.points(0, count(kWallVertexCount)), doc.m_wallVertices,
                        doc.m_wallVertexCount);
        if (auto bytes = r.run(kSegmentType, kSegmentSize, 0, count(kWallSegmentCount))) {
            doc.m_wallSegments = SegmentsFromImages(*bytes);
            doc.m_wallSegmentCount = static_cast<int32_t>(doc.m_wallSegments.size());
        }
        r.integerInto(kWallTableFlags, doc.m_wallTableFlags[0]);
        r.integerInto(kWallTableFlags + 1, doc.m_wallTableFlags[1]);
        r.realInto(kShortestAxialLine, doc.m_shortestAxialLineLength);
        r.realInto(kLongestAxialLine, doc.m_longestAxialLineLength);
        if (auto bytes =
                r.run(kSegmentType, kSegmentSize, count(kFirstAxialLine), count(kAxialLineCount))) {
            doc.m_axialLines = SegmentsFromImages(*bytes);
            doc.m_axialLineCount = static_cast<int32_t>(doc.m_axialLines.size());
        }
        r.integerInto(kAxialLinesReserved, doc.m_axialLinesReserved);
        if (auto list = r.polygonList(0, count(kPlanPolygonCount))) {
            doc.m_planPolygons = std::move(*list);
        }
        EliminationOptions& elimination = doc.m_eliminationOptions;
        r.integerInto(kEliminationFirst, elimination.removeOverlappedLines);
        r.realInto(kEliminationToleranceValue, elimination.tolerance);
        r.integerInto(kEliminationTolerance, elimination.removeOverlappedLinesWithTolerance);
        r.integerInto(kEliminationConnectivity, elimination.minimumConnectivity);
        r.integerInto(kEliminationReserved, doc.m_eliminationReserved[0]);
        r.integerInto(kEliminationReserved + 1, doc.m_eliminationReserved[1]);
        r.realInto(kPlanExtent, doc.m_planExtent.minX);
        r.realInto(kPlanExtent + 1, doc.m_planExtent.maxX);
        r.realInto(kPlanExtent + 2, doc.m_planExtent.minY);
        r.realInto(kPlanExtent + 3, doc.m_planExtent.maxY);

        if (auto bytes = r.run(kSegmentType, kSegmentSize, count(kFirstRadialLine),
                               count(kRadialLineCount))) {
            doc.m_radialLines = SegmentsFromImages(*bytes);
        }
        r.realInto(kIsovistOrigin, doc.m_isovistOrigin.x);
        r.realInto(kIsovistOrigin + 1, doc.m_isovistOrigin.y);
        r.realInto(kIsovistArea, doc.m_isovistArea);
        r.realInto(kIsovistCentroid, doc.m_isovistCentroid.x);
        r.realInto(kIsovistCentroid + 1, doc.m_isovistCentroid.y);

        if (auto grid = r.grid()) {
            doc.m_grid = std::move(*grid);
        } else {
            r.markDamaged();
        }
        r.integerInto(kGridReserved, doc.m_gridReserved);
        r.integerInto(kGridResultsValid, doc.m_gridResultsValid);
        r.realInto(kGridSpan, doc.m_gridSpan);
        r.integerInto(kGridDisplayProperty, doc.m_gridDisplayProperty);

        if (auto paths = r.polygonList(count(kFirstPath), count(kPathCount))) {
            doc.m_paths = std::move(*paths);
        }
        if (auto lists =
                r.polygonList(count(kFirstObservationList), count(kObservationListCount))) {
            doc.m_observationPoints = std::move(*lists);
        }
        if (auto records = r.isovistRecords(count(kFirstPathIsovist), count(kPathIsovistCount))) {
            doc.m_pathIsovists = std::move(*records);
        }
        r.integerInto(kCurrentPath, doc.m_currentPath);
        // A current path that names no path would send the view past the list.
        if (doc.m_currentPath < -1 || doc.m_currentPath >= doc.m_paths.count()) {
            doc.m_currentPath = -1;
        }

        r.blockInto(kViewStateType, SavedViewState::kImageSize, doc.m_savedViewState);
        r.blockInto(kSettingsType, DocumentSettings::kImageSize, doc.m_settings);
        if (auto lines = r.polygonList(count(kFirstReferenceLine), count(kReferenceLineCount))) {
            doc.m_referenceLines = std::move(*lines);
        }
        if (auto bytes = r.run(kPathDisplayType, 4, 0, 1)) {
            doc.m_pathDisplayProperty = le::I32At(*bytes, 0);
        }
        if (auto stats =
                r.radialStats(count(kFirstPathRadialStats), count(kPathRadialStatsCount))) {
            doc.m_pathRadialStats = std::move(*stats);
        }
        if (auto stats =
                r.radialStats(count(kFirstGridRadialStats), count(kGridRadialStatsCount))) {
            doc.m_gridRadialStats = std::move(*stats);
        }
        r.blockInto(kEntropyType, EntropyParams::kImageSize, doc.m_entropyParams);
        r.blockInto(kLayerNamesType, LayerNames::kImageSize, doc.m_layerNames);
        if (auto graph = r.graph(0, kGridMatrixType)) {
            doc.m_gridGraph = std::move(*graph);
        } else {
            r.markDamaged();
        }
        if (auto graph = r.graph(1, kAxialMatrixType)) {
            doc.m_axialGraph = std::move(*graph);
        } else {
            r.markDamaged();
        }
        if (auto records = r.isovistRecords(count(kFirstAxialRecord), count(kAxialRecordCount))) {
            doc.m_axialLineRecords = std::move(*records);
        }
    }
    UpgradeSettings(doc.m_settings, version);
    if (r.damaged() || !CoordinatesFinite(doc)) {
        return false;
    }
    // The wall tables are derived from the plan polygons; a file whose tables disagree with
    // its polygons gets them rebuilt (for a sound file this changes nothing).
    doc.RebuildWallTables();
    return true;
}

namespace {

constexpr unsigned kPageSize = 65536;

}  // namespace

DocumentFileResult SaveDocumentFile(const CORVDoc& doc, const std::string& path,
                                    uint64_t maxContainerBytes) {
    CountingRecordSink counter;
    WriteDocumentRecords(doc, counter);
    if (counter.containerBytes() > maxContainerBytes) {
        return {false, "The document is too large to be saved: its file would pass 2 GB"};
    }
    const FileWriteOutcome outcome =
        ReplaceFileDurably(path, [&doc](const std::string& temporary) {
            zoBfIOMfSetPageSize(kPageSize);
            FILE* stream = zoBfOpenM(temporary.c_str(), "wbx");
            if (stream == nullptr) {
                return FileWriteOutcome::OpenFailed;
            }
            zoBfInitM();
            zoBfSetStringTypeNoM(-1);
            CellstoreRecords records;
            WriteDocumentRecords(doc, records);
            const bool closed = zoBfCloseM(stream) == 0;
            return records.allAdded() && closed ? FileWriteOutcome::Written
                                                : FileWriteOutcome::WriteFailed;
        });
    if (outcome != FileWriteOutcome::Written) {
        return {false, "Cannot save the document to " + path};
    }
    return {true, {}};
}

DocumentFileResult LoadDocumentFile(CORVDoc& doc, const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error) {
        return {false, "Cannot open the document " + path};
    }
    if (size > kMaxContainerBytes) {
        return {false, "The file " + path + " is not an Orvelle document"};
    }
    zoBfIOMfSetPageSize(kPageSize);
    FILE* stream = zoBfOpenM(path.c_str(), "rb");
    if (stream == nullptr) {
        return {false, "Cannot open the document " + path};
    }
    CellstoreRecords records;
    if (records.elementCount(kVersionType) == 0) {
        zoBfCloseM(stream);
        return {false, "The file " + path + " is not an Orvelle document"};
    }
    // Read first into a scratch document, so that a damaged file leaves the document as it was.
    CORVDoc scratch(doc.ui());
    if (!ReadDocumentRecords(scratch, records)) {
        zoBfCloseM(stream);
        return {false, "The file " + path + " is damaged and cannot be opened"};
    }
    doc.ResetDocument();
    ReadDocumentRecords(doc, records);
    zoBfCloseM(stream);
    return {true, {}};
}
