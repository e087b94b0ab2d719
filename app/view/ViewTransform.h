// The plan view's viewing transform and the arithmetic of zooming, panning and picking.
//
// Logical space is 0.1 mm per unit with y growing upwards; a plan point (x, y) sits at the logical
// point (trunc(x * scale), trunc(y * scale)), and a logical point sits at origin + (lx, -ly) * k
// device pixels, k being kPixelsPerLogicalUnit.
#pragma once

#include <cstdint>

#include "document/PlanTypes.h"
#include "document/SavedViewState.h"

// Device pixels per 0.1 mm at the nominal 96 pixels per inch.
inline constexpr double kPixelsPerLogicalUnit = 96.0 / 254.0;
inline constexpr double kZoomStep = 1.1;
inline constexpr int kArrowPanStep = 30;

struct DevicePoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

// The transform is the document's saved view state itself: the view keeps its own copy and the
// two are copied into each other whole.
using ViewTransform = SavedViewState;

// Plan to logical units, truncated toward zero.
int32_t PlanToLogical(double planCoordinate, double scale);
// Logical units to device pixels, relative to the origin.
double LogicalToDeviceX(const ViewTransform& t, double lx);
double LogicalToDeviceY(const ViewTransform& t, double ly);

// Zoom by factor f about the centre of a width x height client area.
void ZoomBy(ViewTransform& t, double f, int width, int height);
void ZoomIn(ViewTransform& t, int width, int height);
void ZoomOut(ViewTransform& t, int width, int height);

// Fits the extent into the client area; a degenerate extent keeps a finite, positive scale.
void ZoomExtent(ViewTransform& t, const PlanExtent& extent, int width, int height);

// One wheel step at cursor (cx, cy): delta >= 1 zooms in, below 1 zooms out, about the cursor.
void WheelZoom(ViewTransform& t, int delta, int cx, int cy, int width, int height);

// Moves the origin by whole device pixels.
void PanBy(ViewTransform& t, int dx, int dy);

// Records a click at device point p as the picked point, in logical and plan units.
void PickAt(ViewTransform& t, DevicePoint p);

// Replaces values no view can work with (a non-finite origin, a scale that is not a finite
// positive number), as a damaged document file may hold; returns true when something changed.
bool RepairViewTransform(ViewTransform& t);

// The origin a fresh view starts with: x = 0, y = client bottom - 50 pixels.
void InitialOrigin(ViewTransform& t, int clientHeight);
