#include "grid/GridCellValues.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <string>

namespace {

// A line holds at most this many characters of a value; the rest of a longer line is skipped.
constexpr size_t kValueCharacters = 255;

// The leading decimal number of `text` (after blanks and an optional '+'), as the C library's
// atof reads it but independent of the locale: 0 when there is none or it is not finite.
double LeadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\v' ||
                               text[i] == '\f' || text[i] == '\r')) {
        ++i;
    }
    if (i < text.size() && text[i] == '+') {
        ++i;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), value);
    (void)end;
    if (error != std::errc() || !std::isfinite(value)) {
        return 0.0;
    }
    return value;
}

// How a point lies on a cell's rectangle: 1 inside, 0.5 on an edge, 0.25 at a corner, 0 off.
double PointShare(const CGridCell& cell, const PlanPoint& p) {
    const bool insideX = cell.xMin < p.x && p.x < cell.xMax;
    const bool insideY = cell.yMin < p.y && p.y < cell.yMax;
    const bool onEdgeX = p.x == cell.xMin || p.x == cell.xMax;
    const bool onEdgeY = p.y == cell.yMin || p.y == cell.yMax;
    if (insideX && insideY) {
        return 1.0;
    }
    if ((onEdgeX && insideY) || (onEdgeY && insideX)) {
        return 0.5;
    }
    return onEdgeX && onEdgeY ? 0.25 : 0.0;
}

double& MeasureField(IsovistRecord& r, IsovistShapeMeasure measure) {
    switch (measure) {
        case IsovistShapeMeasure::Perimeter:
            return r.perimeter;
        case IsovistShapeMeasure::Drift:
            return r.drift;
        case IsovistShapeMeasure::Occlusivity:
            return r.occlusivity;
        case IsovistShapeMeasure::Compactness:
            return r.compactness;
        case IsovistShapeMeasure::Circularity:
            return r.circularity;
        case IsovistShapeMeasure::VisiblePerimeterRatio:
            break;
    }
    return r.visiblePerimeterRatio;
}

}  // namespace

void RecomputeGridMeasure(CAnalysisGrid& grid, IsovistShapeMeasure measure,
                          std::span<const PlanSegment> walls) {
    for (CGridCell& cell : grid.cells) {
        IsovistRecord& record = cell.isovist;
        if (cell.effective == 0) {
            MeasureField(record, measure) = 0.0;
        } else if (measure != IsovistShapeMeasure::Perimeter || record.polygon.count() >= 1) {
            RecomputeIsovistMeasure(record, measure, walls);
        }
    }
}

void CountPointsInCells(CAnalysisGrid& grid, std::span<const PlanPoint> points) {
    if (grid.cells.empty() || grid.nx < 1 || grid.ny < 1) {
        return;
    }
    for (CGridCell& cell : grid.cells) {
        cell.isovist.graphMeasures.pointCount = 0.0;
    }
    if (!(grid.span > 0.0) || !std::isfinite(grid.span)) {
        for (const PlanPoint& p : points) {  // no cell size to divide by: test every cell
            for (CGridCell& cell : grid.cells) {
                cell.isovist.graphMeasures.pointCount += PointShare(cell, p);
            }
        }
        return;
    }
    // A point touches at most the four cells around it; the cell found by division may be one
    // off by rounding, so the shares are tested on the cells around it, in point order.
    for (const PlanPoint& p : points) {
        const double column = std::floor((p.x - grid.originX) / grid.span);
        const double row = std::floor((p.y - grid.originY) / grid.span);
        if (!(column >= -2.0 && column <= grid.nx + 1.0 && row >= -2.0 && row <= grid.ny + 1.0)) {
            continue;  // far outside the grid, or not a number
        }
        const int32_t c0 = std::max(0, static_cast<int32_t>(column) - 1);
        const int32_t c1 = std::min(grid.nx - 1, static_cast<int32_t>(column) + 1);
        const int32_t r0 = std::max(0, static_cast<int32_t>(row) - 1);
        const int32_t r1 = std::min(grid.ny - 1, static_cast<int32_t>(row) + 1);
        for (int32_t r = r0; r <= r1; ++r) {
            for (int32_t c = c0; c <= c1; ++c) {
                const size_t index = static_cast<size_t>(r) * static_cast<size_t>(grid.nx) +
                                     static_cast<size_t>(c);
                if (index < grid.cells.size()) {
                    CGridCell& cell = grid.cells[index];
                    cell.isovist.graphMeasures.pointCount += PointShare(cell, p);
                }
            }
        }
    }
}

std::vector<double> ReadUserValues(std::istream& in, size_t maxValues) {
    std::vector<double> values;
    std::string line;
    bool lineOpen = false;
    char c = 0;
    while (values.size() <= maxValues && in.get(c)) {
        if (c == '\n') {
            values.push_back(LeadingNumber(line));
            line.clear();
            lineOpen = false;
            continue;
        }
        lineOpen = true;
        if (line.size() < kValueCharacters) {
            line.push_back(c);
        }
    }
    if (lineOpen && values.size() <= maxValues) {
        values.push_back(LeadingNumber(line));
    }
    return values;
}

bool AssignUserValues(CAnalysisGrid& grid, std::span<const double> values) {
    if (values.size() != static_cast<size_t>(grid.effectiveCount())) {
        return false;
    }
    size_t next = 0;
    for (CGridCell& cell : grid.cells) {
        if (cell.effective != 0) {
            cell.isovist.userValue = values[next++];
        }
    }
    return true;
}

std::optional<std::vector<double>> ChooseUserValues(DocumentUi& ui, size_t maxValues) {
    static constexpr const char* kUserValuesFilter =
        "Plain Text File (*.txt)|*.txt|All Files (*.*)|*.*||";
    const std::optional<std::string> path = ui.chooseOpenFile(kUserValuesFilter, "txt");
    if (!path) {
        return std::nullopt;
    }
    std::ifstream in(*path, std::ios::binary);
    if (!in) {
        ui.message("The file " + *path + " cannot be opened");
        return std::nullopt;
    }
    std::vector<double> values = ReadUserValues(in, maxValues);
    if (in.bad()) {
        ui.message("The file " + *path + " cannot be read");
        return std::nullopt;
    }
    return values;
}
