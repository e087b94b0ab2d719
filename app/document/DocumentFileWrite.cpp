// Writing the document file: every member of the document as typed records, in file order.
#include <algorithm>
#include <span>
#include <stdexcept>

#include "cellstore/cellstore.h"
#include "document/DocumentFile.h"
#include "document/DocumentFileLayout.h"
#include "document/DurableFile.h"

using namespace docfile;

namespace {

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
