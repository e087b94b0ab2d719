// Observation points along a path: a walk along the polyline that places points at equal steps,
// either a given number of them between the two ends or one every given distance.
#pragma once

#include <cstdint>

#include "document/PlanTypes.h"

enum class ObservationPointMode { ByNodeCount, ByNodeSpacing };

// What the "Create Observation Points" dialog asks for.
struct ObservationPointRequest {
    ObservationPointMode mode = ObservationPointMode::ByNodeCount;
    int32_t count = 0;     // interior points, the two ends excluded
    double spacing = 0.0;  // distance between points along the path
    bool applyToAllPaths = false;
};

// The stretch of the path the points cover when the offset is used: from `start` to `end`,
// both distances along the path from its first node.
struct PathOffset {
    bool use = false;
    double start = 0.0;
    double end = 0.0;
};

enum class ObservationPointRefusal {
    None,
    IntervalNotPositive,  // spacing mode with a spacing that is not above 0
    InvalidCount,         // count mode with a negative count
    TooManyPoints,        // more than kMaxObservationPoints on one path
};

// A path never carries more points than this, so a tiny spacing cannot exhaust the memory.
inline constexpr int64_t kMaxObservationPoints = 1000000;

// The message of a refusal; empty for None.
const char* ObservationPointRefusalMessage(ObservationPointRefusal refusal);

// The dialog's own checks, before any path is looked at.
ObservationPointRefusal CheckObservationPointRequest(const ObservationPointRequest& request);

// The sum of the path's segment lengths.
double PathLength(const PlanPolygon& path);

// How many points the request places on a path of that length (n + 1 with the step n), or -1
// when that would be more than kMaxObservationPoints or is not a number.
int64_t ObservationPointCount(const ObservationPointRequest& request, const PathOffset& offset,
                              double pathLength);

// The points of one path in walking order. Without the offset the first point is the first
// node; in count mode the points divide the path into count + 1 equal steps, in spacing mode
// one follows every `spacing` and the walk stops at the last whole step. With the offset the
// points cover the stretch from offset start to offset end the same way (an end before the
// start counts as an empty stretch). Distances are measured along the polyline. A point the
// walk cannot place before the last node (rounding at the end of count mode, or an offset
// beyond the path's length) lies on the last node. A path of fewer than 2 nodes gets no
// points. The request must have passed CheckObservationPointRequest and ObservationPointCount.
PlanPolygon PlaceObservationPoints(const PlanPolygon& path, const ObservationPointRequest& request,
                                   const PathOffset& offset);
