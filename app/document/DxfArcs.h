// Arcs as chains of straight pieces: the ARC entity and the bulges of polyline vertices.
//
// Every arc is cut into pieces of equal angle, at most kArcAngleStep each: a quarter circle
// becomes 8 pieces, a half circle 16, a whole one 32. The chord of a piece then stays within
// r·(1 − cos(π/32)) ≈ 0.0048·r of the arc, under a two-hundredth of the radius, whatever the
// drawing's scale; and no arc ever gives more than 32 pieces, so a hostile bulge or angle
// cannot make many points.
#pragma once

#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "document/PlanTypes.h"

inline constexpr double kArcAngleStep = std::numbers::pi / 16.0;
inline constexpr int kMaxArcPieces = 32;

// The number of pieces of an arc sweeping `sweep` radians (0 < sweep <= 2π): the fewest of at
// most kArcAngleStep each.
int ArcPieceCount(double sweep);

// The counter-clockwise sweep in radians from the start to the end angle, both in degrees as
// an ARC gives them; equal angles (after whole turns) sweep the whole circle. Empty when an
// angle is not finite.
std::optional<double> ArcSweep(double startDegrees, double endDegrees);

// The points of an ARC from its start to its end angle (counter-clockwise), both ends
// included: pieces + 1 points.
std::vector<PlanPoint> ArcPoints(const PlanPoint& centre, double radius, double startDegrees,
                                 double sweep);

// The points strictly between `from` and `to` on the arc of bulge `bulge` (the tangent of a
// quarter of the included angle, positive counter-clockwise). Empty for a bulge of 0 or
// coinciding ends: the piece is straight.
std::vector<PlanPoint> BulgePoints(const PlanPoint& from, const PlanPoint& to, double bulge);

// The vertices with the points of each bulged piece put in between: bulges[i] bends the piece
// from vertex i to vertex i + 1, and with `closed` the last one bends the piece back to the
// first vertex (whose points then end the list). `bulges` is as long as `vertices`.
std::vector<PlanPoint> PolylineWithArcs(const std::vector<PlanPoint>& vertices,
                                        const std::vector<double>& bulges, bool closed);
