// Reading the document file: the records by type and running index, every count and index
// checked against what the file declares and holds.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>

#include "cellstore/cellstore.h"
#include "document/DocumentFile.h"
#include "document/DocumentFileLayout.h"

using namespace docfile;

namespace {

// A read copies each record about once; whatever its counts and indices say, the runs one read
// copies never pass this many times the bytes the file holds, plus a fixed allowance for the
// small records (so a document of N bytes makes the reader copy at most 4 N + 64 KiB).
constexpr uint64_t kReadBudgetFactor = 4;
constexpr uint64_t kReadBudgetAllowance = 64 * 1024;

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
