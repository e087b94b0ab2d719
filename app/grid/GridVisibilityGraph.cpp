#include "grid/GridVisibilityGraph.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <optional>
#include <vector>

#include <gonion/gonion.h>
#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_for.h>

#include "grid/GridLayout.h"

namespace {

// The hit test's first line through a point runs along (10, 0): its crossings with an outline
// depend only on the point's y, so one crossing search serves a whole row of centres.
constexpr double kRowDirectionX = 10.0;
constexpr double kRowDirectionY = 0.0;
// Rows this far (or farther) beyond an outline's y range have no crossings with it; the
// crossing search's tolerances reach about 1.5e-5.
constexpr double kRowMargin = 1e-3;
// Coordinates beyond this might overflow in the crossing arithmetic; such grids use the
// reference.
constexpr double kSafeMagnitude = 1e150;

bool HitsIsovist(const PlanPolygon& polygon, PlanPoint p) {
    return zoHitTestPG(polygon.count(), PlanPolygon::kStride, polygon.xs(), polygon.ys(), p.x,
                       p.y) == 1;
}

bool TakesPart(const CGridCell& cell) {
    return cell.effective != 0 && cell.isovist.polygon.count() >= 1;
}

// Calls seen(j) for every effective cell j < i whose centre the hit test puts inside cell i's
// isovist, in ascending j.
template <class Seen>
void ForEachCellSeenByHitTest(const CAnalysisGrid& grid, int32_t i, Seen&& seen) {
    const PlanPolygon& polygon = grid.cells[static_cast<size_t>(i)].isovist.polygon;
    for (int32_t j = 0; j < i; ++j) {
        const CGridCell& other = grid.cells[static_cast<size_t>(j)];
        if (other.effective != 0 && HitsIsovist(polygon, CellCentre(other))) {
            seen(j);
        }
    }
}

CVisibilityGraph BuildReference(const CAnalysisGrid& grid, ProgressSink& progress) {
    CVisibilityGraph graph;
    graph.initialise(grid.count);
    for (int32_t i = 0; i < grid.count && !progress.stopRequested(); ++i) {
        progress.setPosition(i);
        if (TakesPart(grid.cells[static_cast<size_t>(i)])) {
            ForEachCellSeenByHitTest(grid, i, [&](int32_t j) { graph.addEdge(i, j); });
        }
    }
    return graph;
}

// The centre coordinates of a regular grid: every cell of column c has centre x columnX[c],
// every cell of row r centre y rowY[r]. Empty when the cells do not line up so (a grid read
// from a damaged file) or a coordinate is not safely finite.
struct CentreLines {
    std::vector<double> columnX;
    std::vector<double> rowY;
};

bool Safe(double v) {
    return std::isfinite(v) && std::fabs(v) < kSafeMagnitude;
}

std::optional<CentreLines> RegularCentres(const CAnalysisGrid& grid) {
    CentreLines lines;
    for (int32_t col = 0; col < grid.nx; ++col) {
        lines.columnX.push_back(CellCentre(grid.cells[static_cast<size_t>(col)]).x);
    }
    for (int32_t row = 0; row < grid.ny; ++row) {
        lines.rowY.push_back(CellCentre(grid.cells[static_cast<size_t>(row) * grid.nx]).y);
    }
    for (int32_t row = 0; row < grid.ny; ++row) {
        for (int32_t col = 0; col < grid.nx; ++col) {
            const PlanPoint c = CellCentre(grid.cells[static_cast<size_t>(row) * grid.nx + col]);
            if (!(c.x == lines.columnX[static_cast<size_t>(col)]) ||
                !(c.y == lines.rowY[static_cast<size_t>(row)]) || !Safe(c.x) || !Safe(c.y)) {
                return std::nullopt;
            }
        }
    }
    return lines;
}

bool SafePolygon(const PlanPolygon& polygon) {
    return std::all_of(polygon.points().begin(), polygon.points().end(),
                       [](const PlanPoint& p) { return Safe(p.x) && Safe(p.y); });
}

struct RowScratch {
    std::vector<double> xs;
    std::vector<double> ys;
};

void SetLowerBit(std::span<uint64_t> row, int32_t j) {
    row[static_cast<size_t>(j / CVisibilityGraph::kBitsPerWord)] |=
        uint64_t{1} << (j % CVisibilityGraph::kBitsPerWord);
}

// Row i of the lower triangle: the cells j < i whose centre lies in cell i's isovist.
void FillIsovistRow(const CAnalysisGrid& grid, const CentreLines& lines, int32_t i,
                    RowScratch& scratch, std::span<uint64_t> bits) {
    const PlanPolygon& polygon = grid.cells[static_cast<size_t>(i)].isovist.polygon;
    const int32_t count = polygon.count();
    if (count < 3) {
        return;  // the hit test refuses such outlines
    }
    double minY = polygon[0].y;
    double maxY = polygon[0].y;
    for (const PlanPoint& p : polygon.points()) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    scratch.xs.resize(static_cast<size_t>(count));
    scratch.ys.resize(static_cast<size_t>(count));
    const int32_t lastRow = i / grid.nx;
    for (int32_t row = 0; row <= lastRow; ++row) {
        const double y = lines.rowY[static_cast<size_t>(row)];
        if (y < minY - kRowMargin || y > maxY + kRowMargin) {
            continue;  // no crossings: the hit test says outside
        }
        const int32_t columns = row < lastRow ? grid.nx : i % grid.nx;
        const size_t rowStart = static_cast<size_t>(row) * grid.nx;
        int32_t m = 0;
        zoGetCrossPointPL(count, PlanPolygon::kStride, polygon.xs(), polygon.ys(), lines.columnX[0],
                          y, kRowDirectionX, kRowDirectionY, &m, scratch.xs.data(),
                          scratch.ys.data());
        if (m == 0) {
            continue;
        }
        for (int32_t col = 0; col < columns; ++col) {
            const CGridCell& other = grid.cells[rowStart + col];
            if (other.effective == 0) {
                continue;
            }
            const double x = lines.columnX[static_cast<size_t>(col)];
            bool inside = false;
            if (m % 2 != 0) {
                inside = HitsIsovist(polygon, {x, y});  // the line runs through a vertex
            } else {
                // The hit test's rule: inside when an odd number of crossings sort before the
                // point (by x, then y, the point after equal crossings).
                int32_t before = 0;
                for (int32_t k = 0; k < m; ++k) {
                    const double cx = scratch.xs[static_cast<size_t>(k)];
                    if (cx < x || (cx == x && scratch.ys[static_cast<size_t>(k)] <= y)) {
                        ++before;
                    }
                }
                inside = before % 2 != 0;
            }
            if (inside) {
                SetLowerBit(bits, static_cast<int32_t>(rowStart) + col);
            }
        }
    }
}

CVisibilityGraph BuildByRowFill(const CAnalysisGrid& grid, const CentreLines& lines,
                                ProgressSink& progress) {
    CVisibilityGraph graph;
    graph.initialise(grid.count);
    tbb::enumerable_thread_specific<RowScratch> scratches;
    std::atomic<int32_t> done{0};
    tbb::parallel_for(int32_t{0}, grid.count, [&](int32_t i) {
        if (progress.stopRequested()) {
            return;  // the run is dropped: the remaining rows are skipped
        }
        const CGridCell& cell = grid.cells[static_cast<size_t>(i)];
        if (TakesPart(cell)) {
            if (SafePolygon(cell.isovist.polygon)) {
                FillIsovistRow(grid, lines, i, scratches.local(), graph.lowerRowForWriting(i));
            } else {
                const std::span<uint64_t> bits = graph.lowerRowForWriting(i);
                ForEachCellSeenByHitTest(grid, i, [&](int32_t j) { SetLowerBit(bits, j); });
            }
        }
        progress.setPosition(done.fetch_add(1, std::memory_order_relaxed) + 1);
    });
    graph.completeFromLowerTriangle();
    return graph;
}

}  // namespace

CVisibilityGraph BuildGridVisibilityGraph(const CAnalysisGrid& grid, ProgressSink& progress,
                                          GridGraphMethod method) {
    CVisibilityGraph graph;
    if (grid.count < 1 || grid.count > CVisibilityGraph::kMaxGridNodes || grid.nx < 1 ||
        grid.ny < 1 || static_cast<int64_t>(grid.nx) * grid.ny != grid.count ||
        grid.cells.size() != static_cast<size_t>(grid.count)) {
        return graph;
    }
    if (method == GridGraphMethod::RowFill) {
        if (const auto lines = RegularCentres(grid)) {
            graph = BuildByRowFill(grid, *lines, progress);
            progress.setPosition(grid.count);
            return graph;
        }
    }
    graph = BuildReference(grid, progress);
    progress.setPosition(grid.count);
    return graph;
}
