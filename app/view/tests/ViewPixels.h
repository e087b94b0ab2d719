// The device pixel of a plan point under the view's transform, for tests that check a render.
#pragma once

#include <QPoint>
#include <cmath>

#include "view/ViewTransform.h"

inline QPoint DeviceOf(const ViewTransform& t, double x, double y) {
    return QPoint(static_cast<int>(std::lround(LogicalToDeviceX(t, PlanToLogical(x, t.scale)))),
                  static_cast<int>(std::lround(LogicalToDeviceY(t, PlanToLogical(y, t.scale)))));
}
