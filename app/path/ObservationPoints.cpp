#include "path/ObservationPoints.h"

#include <cmath>
#include <vector>

namespace {

double Distance(const PlanPoint& a, const PlanPoint& b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

// The stretch the points divide: the path's length, or offset end - offset start.
double StretchLength(const PathOffset& offset, double pathLength) {
    if (!offset.use) {
        return pathLength;
    }
    const double length = offset.end - offset.start;
    return length > 0.0 ? length : 0.0;
}

// n: the number of steps; the walk places n + 1 points.
double StepCount(const ObservationPointRequest& request, double stretch) {
    if (request.mode == ObservationPointMode::ByNodeCount) {
        return static_cast<double>(request.count) + 1.0;
    }
    return std::trunc(stretch / request.spacing);
}

double StepLength(const ObservationPointRequest& request, double stretch, int64_t steps) {
    if (request.mode == ObservationPointMode::ByNodeCount) {
        return stretch / static_cast<double>(steps);
    }
    return request.spacing;
}

}  // namespace

const char* ObservationPointRefusalMessage(ObservationPointRefusal refusal) {
    switch (refusal) {
        case ObservationPointRefusal::IntervalNotPositive:
            return "Interval not positive";
        case ObservationPointRefusal::InvalidCount:
            return "Invalid value for count";
        case ObservationPointRefusal::TooManyPoints:
            return "Too many observation points: a path carries at most 1000000";
        case ObservationPointRefusal::None:
            break;
    }
    return "";
}

ObservationPointRefusal CheckObservationPointRequest(const ObservationPointRequest& request) {
    if (request.mode == ObservationPointMode::ByNodeSpacing) {
        return request.spacing > 0.0 ? ObservationPointRefusal::None
                                     : ObservationPointRefusal::IntervalNotPositive;
    }
    return request.count >= 0 ? ObservationPointRefusal::None
                              : ObservationPointRefusal::InvalidCount;
}

double PathLength(const PlanPolygon& path) {
    double length = 0.0;
    for (int32_t i = 0; i + 1 < path.count(); ++i) {
        length += Distance(path[i], path[i + 1]);
    }
    return length;
}

int64_t ObservationPointCount(const ObservationPointRequest& request, const PathOffset& offset,
                              double pathLength) {
    const double steps = StepCount(request, StretchLength(offset, pathLength));
    if (!(steps >= 0.0) || steps + 1.0 > static_cast<double>(kMaxObservationPoints)) {
        return -1;
    }
    return static_cast<int64_t>(steps) + 1;
}

PlanPolygon PlaceObservationPoints(const PlanPolygon& path, const ObservationPointRequest& request,
                                   const PathOffset& offset) {
    const int32_t nodes = path.count();
    const double length = PathLength(path);
    const int64_t total = ObservationPointCount(request, offset, length);
    if (nodes < 2 || total < 1) {
        return PlanPolygon();
    }
    const double step = StepLength(request, StretchLength(offset, length), total - 1);

    std::vector<PlanPoint> points;
    points.reserve(static_cast<size_t>(total));
    PlanPoint position = path[0];
    int32_t next = 1;
    double left = Distance(position, path[next]);
    double gap = step;
    if (offset.use) {
        gap = offset.start > 0.0 ? offset.start : 0.0;
    } else {
        points.push_back(position);
    }
    while (static_cast<int64_t>(points.size()) < total && next < nodes) {
        if (left >= gap) {
            const PlanPoint& to = path[next];
            if (left > 0.0) {
                const double t = gap / left;
                position = PlanPoint{position.x + (to.x - position.x) * t,
                                     position.y + (to.y - position.y) * t};
            }
            points.push_back(position);
            left -= gap;
            gap = step;
            continue;
        }
        gap -= left;
        position = path[next];
        ++next;
        if (next < nodes) {
            left = Distance(position, path[next]);
        }
    }
    // What the walk could not place before the last node lies on it.
    while (static_cast<int64_t>(points.size()) < total) {
        points.push_back(path[nodes - 1]);
    }
    return PlanPolygon(std::move(points));
}
