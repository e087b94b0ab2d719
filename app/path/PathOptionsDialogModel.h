// The logic of the two path dialogs: "Path Options" (the current path with its length, and the
// path display options) and "Create Observation Points" (the mode and its one field).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/PlanTypes.h"
#include "path/ObservationPoints.h"

struct PathOptionsDialogModel {
    // "Path-%d" for 1 ... number of paths.
    std::vector<std::string> pathEntries;
    std::vector<double> pathLengths;
    int32_t selectedPath = -1;  // an index of pathEntries, or -1 for none
    int32_t circleRadius = 20;
    int32_t displayMethod = 0;  // an index of DisplayMethodLabels()
    bool useOffset = false;
    double offsetStart = 0.0;
    double offsetEnd = 0.0;

    // The entries and lengths of `paths`, the selection on `currentPath` (none when it is not
    // one of them).
    static PathOptionsDialogModel ForPaths(const PolygonList& paths, int32_t currentPath);
    // "Length": the selected path's length "%.4f"; empty with no selection.
    std::string lengthText() const;
    // Selects an entry (-1 or an index out of range selects none).
    void selectPath(int32_t index);
};

// "By Radius", "By Area", "By Color", "By Radius+Color", "By Area+Color".
const std::vector<std::string>& DisplayMethodLabels();

struct ObservationPointsDialogModel {
    // "Count" is selected when the dialog opens; both fields start at 0, "Apply to all paths"
    // off.
    ObservationPointRequest request;

    // Only the selected mode's field takes input.
    bool countFieldEnabled() const { return request.mode == ObservationPointMode::ByNodeCount; }
    bool spacingFieldEnabled() const {
        return request.mode == ObservationPointMode::ByNodeSpacing;
    }
};
