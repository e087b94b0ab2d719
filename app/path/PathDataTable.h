// What the "Path Isovist Data" dialog shows: the current path's name and a table of every path
// isovist's values.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/IsovistRecord.h"

struct PathDataColumn {
    std::string title;
    int width = 80;
};

struct PathDataTable {
    std::string currentPath;  // "Path-%d", shown in "Current Path:"
    std::vector<PathDataColumn> columns;
    std::vector<std::vector<std::string>> rows;  // one per record, one text per column
};

// "Index" (width 50), then (width 80) Origin X/Y and Centroid X/Y with the unit, Area with the
// area unit, Perimeter and Drift with the unit, Occlusivity, Compactness, Circularity and, with
// the radial method, Mean/Max/Min Radial with the unit, Complexity, Elongation and
// Autocorrelation. A unit outside 0..4 adds nothing to the titles. Rows: the index from 0, then
// each value "%.4f"; radial values come from radialStats[i], empty where it has no entry.
PathDataTable MakePathDataTable(int32_t currentPath, std::span<const IsovistRecord> records,
                                std::span<const RadialStats> radialStats, int32_t isovistMethod,
                                int32_t unit);
