// The rays of the radial isovist method: 1441 rays a quarter of a degree apart, the last one
// closing the outline, each a direction vector 10 units long.
#pragma once

#include <cmath>
#include <numbers>

inline constexpr int kIsovistRayCount = 1441;
inline constexpr double kIsovistRayStep = std::numbers::pi / 720.0;
inline constexpr double kIsovistDirectionLength = 10.0;

inline double IsovistRayAngle(int ray) {
    return ray * kIsovistRayStep;
}

inline void IsovistRayDirection(int ray, double& dx, double& dy) {
    const double theta = IsovistRayAngle(ray);
    dx = kIsovistDirectionLength * std::cos(theta);
    dy = kIsovistDirectionLength * std::sin(theta);
}
