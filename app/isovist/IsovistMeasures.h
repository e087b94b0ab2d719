// Shape measures of one isovist polygon, and the two statistics used on its radial rays.
#pragma once

#include <cstdint>
#include <span>

#include "document/IsovistRecord.h"
#include "document/PlanTypes.h"

// Fills area, perimeter, centroid, drift, visiblePerimeterRatio, compactness, circularity and
// maxVertexDistance from the record's polygon and origin, in that order (later measures use
// earlier ones). Degenerate polygons are not rejected: with no points the shape fields and the
// centroid become 0 and nothing else changes; fields that cannot be computed for one or two
// points keep their values, and circularity may become infinite or not a number.
void ComputeIsovistMeasures(IsovistRecord& record);

// How the walls under an edge's midpoint are found: every wall in turn (the plain reference),
// or only the walls of the midpoint's cell in a segment grid kept per thread for the walls last
// seen. Both give identical results.
enum class WallSearch { FullScan, Indexed };

// Fills occlusivity: the share of the record's perimeter whose edges have their midpoint on a
// wall. Uses the perimeter already in the record, so it follows ComputeIsovistMeasures.
// `planFingerprint` is the fingerprint of the plan tables the walls belong to (0 when not known):
// with it the indexed search tells the walls it last saw on this thread without comparing them.
void ComputeOcclusivity(IsovistRecord& record, std::span<const PlanSegment> walls,
                        WallSearch search = WallSearch::Indexed, uint64_t planFingerprint = 0);

// The shape measures a display entry may recompute on its own, each by the rule
// ComputeIsovistMeasures / ComputeOcclusivity apply, from the fields already in the record
// (drift from the stored centroid, compactness and circularity from the stored area and
// perimeter).
enum class IsovistShapeMeasure { Perimeter, Drift, Occlusivity, Compactness, Circularity,
                                 VisiblePerimeterRatio };
void RecomputeIsovistMeasure(IsovistRecord& record, IsovistShapeMeasure measure,
                             std::span<const PlanSegment> walls);

// Shannon entropy of the absolute changes from value to value, normalised by ln(n − 1):
// 0 when all values are equal, 1 when all changes are equally large.
double DifferenceEntropy(int32_t n, const double* values);

// Circular autocorrelation of the first n values at the given lag; entry i + lag wraps to
// (i + lag) mod n, so only the n values are read. 1.0 for lag 0; 0 when n ≤ 1, values is null,
// lag < 0, lag ≥ n or the values do not vary.
double Autocorrelation(int32_t n, const double* values, int32_t lag);
