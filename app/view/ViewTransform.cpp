#include "view/ViewTransform.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Device-to-logical and logical-to-device conversions round to whole units, as the drawing
// interface's own conversions do.
int32_t DeviceToLogical(double devicePixels) {
    return static_cast<int32_t>(std::lround(devicePixels / kPixelsPerLogicalUnit));
}
int32_t LogicalToDevice(double logical) {
    return static_cast<int32_t>(std::lround(logical * kPixelsPerLogicalUnit));
}

bool Usable(double v) {
    return std::isfinite(v) && v > 0.0;
}

// Logical units per plan unit that fit the extent into the client area (twice the pixel ratio,
// as the plan is drawn at that many logical units). A zero width or height falls back to the
// other dimension; a point-like or empty plan keeps the current scale.
double ExtentScale(const PlanExtent& e, int width, int height, double current) {
    const double rx = static_cast<double>(width) / (e.maxX - e.minX);
    const double ry = static_cast<double>(height) / (e.maxY - e.minY);
    double r = 0.0;
    if (Usable(rx) && Usable(ry)) {
        r = rx < ry ? rx : ry;
    } else if (Usable(rx)) {
        r = rx;
    } else if (Usable(ry)) {
        r = ry;
    } else {
        return Usable(current) ? current : 1.0;
    }
    return 2.0 * r;
}

}  // namespace

int32_t PlanToLogical(double planCoordinate, double scale) {
    const double v = std::trunc(planCoordinate * scale);
    // Values past the 32-bit range (absurd zooms or hostile files) are clamped, not overflowed.
    if (!(v > -2147483648.0)) {
        return v != v ? 0 : INT32_MIN;
    }
    if (v > 2147483647.0) {
        return INT32_MAX;
    }
    return static_cast<int32_t>(v);
}

double LogicalToDeviceX(const ViewTransform& t, double lx) {
    return t.originX + lx * kPixelsPerLogicalUnit;
}
double LogicalToDeviceY(const ViewTransform& t, double ly) {
    return t.originY - ly * kPixelsPerLogicalUnit;
}

void ZoomBy(ViewTransform& t, double f, int width, int height) {
    t.scale *= f;
    const double dx = (width * 0.5 - t.originX) * (f - 1.0);
    const double dy = (height * 0.5 - t.originY) * (f - 1.0);
    t.pickedLogicalX *= f;
    t.pickedLogicalY *= f;
    t.originX -= std::trunc(dx);
    t.originY -= std::trunc(dy);
}

void ZoomIn(ViewTransform& t, int width, int height) {
    ZoomBy(t, kZoomStep, width, height);
}
void ZoomOut(ViewTransform& t, int width, int height) {
    ZoomBy(t, 1.0 / kZoomStep, width, height);
}

void ZoomExtent(ViewTransform& t, const PlanExtent& extent, int width, int height) {
    const double s = ExtentScale(extent, width, height, t.scale);
    const double centreLogicalX = std::trunc((extent.minX + extent.maxX) * s * 0.5);
    const double centreLogicalY = std::trunc((extent.minY + extent.maxY) * s * 0.5);
    const int32_t centreDeviceX = LogicalToDevice(centreLogicalX);
    const int32_t centreDeviceY = -LogicalToDevice(centreLogicalY);
    const double clientCentreX = std::trunc(width * 0.5);
    const double clientCentreY = std::trunc(height * 0.5);
    if (Usable(t.scale)) {
        ZoomBy(t, s / t.scale, width, height);
    } else {
        t.scale = s;
    }
    t.originX = clientCentreX - centreDeviceX;
    t.originY = clientCentreY - centreDeviceY;
}

void WheelZoom(ViewTransform& t, int delta, int cx, int cy, int width, int height) {
    const double offsetX = cx - width * 0.5;
    const double offsetY = cy - height * 0.5;
    if (delta < 1) {
        ZoomOut(t, width, height);
        t.originX += std::trunc(offsetX * (1.0 / 11.0));
        t.originY += std::trunc(offsetY * (1.0 / 11.0));
    } else {
        ZoomIn(t, width, height);
        t.originX -= std::trunc(offsetX * 0.1);
        t.originY -= std::trunc(offsetY * 0.1);
    }
}

void PanBy(ViewTransform& t, int dx, int dy) {
    t.originX += dx;
    t.originY += dy;
}

void PickAt(ViewTransform& t, DevicePoint p) {
    const int32_t lx = DeviceToLogical(p.x - t.originX);
    const int32_t ly = -DeviceToLogical(p.y - t.originY);
    t.pickedLogicalIntX = lx;
    t.pickedLogicalIntY = ly;
    t.pickedLogicalX = lx;
    t.pickedLogicalY = ly;
    t.pickedPlanX = lx / t.scale;
    t.pickedPlanY = ly / t.scale;
}

bool RepairViewTransform(ViewTransform& t) {
    bool changed = false;
    for (double* v : {&t.originX, &t.originY, &t.pickedLogicalX, &t.pickedLogicalY}) {
        if (!std::isfinite(*v)) {
            *v = 0.0;
            changed = true;
        }
    }
    if (!Usable(t.scale)) {
        t.scale = 1.0;
        changed = true;
    }
    return changed;
}

void InitialOrigin(ViewTransform& t, int clientHeight) {
    t.originX = 0.0;
    t.originY = clientHeight - 50.0;
}
