#include "isovist/RoundedCrossing.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace {

using Wide = long double;

// Unit roundoff of the wide type: each operation, rounded to nearest, is off by at most this
// fraction of its result (no wide result here can underflow or overflow: the inputs are doubles).
constexpr Wide kUnit = std::numeric_limits<Wide>::epsilon() / 2;

// A wide value and a bound on its distance from the exact value it stands for. Each operation
// adds the propagated bounds of its operands and its own rounding; the bounds' own arithmetic
// is rounded too, which the final doubling covers many times over.
struct Bounded {
    Wide value;
    Wide error;
};

Bounded Within(double low, double high, long double centre = 0.0L, long double radius = -1.0L) {
    if (radius >= 0) {
        return {centre, radius};
    }
    // One double is exact; of a range, the middle and half width are given their rounding.
    if (low == high) {
        return {Wide(low), 0};
    }
    const Wide middle = (Wide(low) + Wide(high)) / 2;
    const Wide rounding = kUnit * (std::fabs(Wide(low)) + std::fabs(Wide(high)));
    return {middle, (Wide(high) - Wide(low)) / 2 + rounding};
}

Bounded operator-(Bounded a, Bounded b) {
    const Wide v = a.value - b.value;
    return {v, a.error + b.error + kUnit * std::fabs(v)};
}

Bounded operator+(Bounded a, Bounded b) {
    const Wide v = a.value + b.value;
    return {v, a.error + b.error + kUnit * std::fabs(v)};
}

Bounded operator*(Bounded a, Bounded b) {
    const Wide v = a.value * b.value;
    return {v, std::fabs(a.value) * b.error + std::fabs(b.value) * a.error + a.error * b.error +
                   kUnit * std::fabs(v)};
}

// a / b for |b| clear of its error: |a/b - a'/b'| <= (|a'| eb + |b'| ea) / (|b'| (|b'| - eb)).
std::optional<Bounded> Divide(Bounded a, Bounded b) {
    const Wide absB = std::fabs(b.value);
    if (!(b.error < absB / 4)) {
        return std::nullopt;
    }
    const Wide v = a.value / b.value;
    return Bounded{v, (std::fabs(a.value) * b.error + absB * a.error) / (absB * (absB - b.error)) +
                          kUnit * std::fabs(v)};
}

Bounded WithinX(const PointWithin& p) {
    return Within(p.lowX, p.highX, p.centreX, p.radiusX);
}

Bounded WithinY(const PointWithin& p) {
    return Within(p.lowY, p.highY, p.centreY, p.radiusY);
}

// The double nearest to every value within the doubled bound, if there is one (rounding is
// monotone, so the ends decide); the ends are widened by their own rounding.
std::optional<double> Settled(Bounded x) {
    const Wide margin = 2 * x.error + 2 * kUnit * std::fabs(x.value);
    const auto low = static_cast<double>(x.value - margin);
    const auto high = static_cast<double>(x.value + margin);
    if (!(low == high) || !std::isfinite(low)) {
        return std::nullopt;
    }
    return low + 0.0;
}

}  // namespace

std::optional<PlanPoint> RoundedLineCrossingWithin(PointWithin q, PointWithin b, PointWithin s,
                                                   PointWithin t) {
    if (std::fegetround() != FE_TONEAREST) {
        return std::nullopt;
    }
    // The crossing is q + lambda (b - q), lambda = cross(s - q, t - s) / cross(b - q, t - s).
    const Bounded qx = WithinX(q);
    const Bounded qy = WithinY(q);
    const Bounded ux = WithinX(b) - qx;
    const Bounded uy = WithinY(b) - qy;
    const Bounded sx = WithinX(s);
    const Bounded sy = WithinY(s);
    const Bounded vx = WithinX(t) - sx;
    const Bounded vy = WithinY(t) - sy;
    // A coordinate both points of a line share exactly is the crossing's own; on an edge
    // along an axis, lambda follows from that coordinate alone (the other end's range plays
    // no part).
    auto exactlyShared = [](double lowA, double highA, double lowB, double highB) {
        return lowA == highA && lowB == highB && lowA == lowB;
    };
    const bool horizontal = exactlyShared(s.lowY, s.highY, t.lowY, t.highY);
    const bool vertical = exactlyShared(s.lowX, s.highX, t.lowX, t.highX);
    const std::optional<Bounded> lambda =
        horizontal ? Divide(sy - qy, uy)
        : vertical ? Divide(sx - qx, ux)
                   : Divide((sx - qx) * vy - (sy - qy) * vx, ux * vy - uy * vx);
    if (!lambda) {
        return std::nullopt;
    }
    const std::optional<double> x = exactlyShared(s.lowX, s.highX, t.lowX, t.highX) ? s.lowX + 0.0
                                    : exactlyShared(q.lowX, q.highX, b.lowX, b.highX)
                                        ? q.lowX + 0.0
                                        : Settled(qx + ux * *lambda);
    const std::optional<double> y = exactlyShared(s.lowY, s.highY, t.lowY, t.highY) ? s.lowY + 0.0
                                    : exactlyShared(q.lowY, q.highY, b.lowY, b.highY)
                                        ? q.lowY + 0.0
                                        : Settled(qy + uy * *lambda);
    if (!x || !y) {
        return std::nullopt;
    }
    return PlanPoint{*x, *y};
}

std::optional<int> OrientationWithin(PointWithin q, PointWithin a, PointWithin b) {
    if (std::fegetround() != FE_TONEAREST) {
        return std::nullopt;
    }
    const Bounded qx = WithinX(q);
    const Bounded qy = WithinY(q);
    const Bounded turn = (WithinX(a) - qx) * (WithinY(b) - qy) - (WithinY(a) - qy) * (WithinX(b) - qx);
    // Doubled as the rounding's bound is (its own arithmetic is rounded too).
    if (std::fabs(turn.value) > 2 * turn.error) {
        return turn.value > 0 ? 1 : -1;
    }
    return std::nullopt;
}

void NarrowWithin(double nearest, double truncatedDifference, long double& centre,
                  long double& radius) {
    centre = Wide(nearest) + Wide(truncatedDifference);
    // The truncation, the sum's rounding, and a subnormal difference's absolute error.
    radius = std::ldexp(std::fabs(Wide(truncatedDifference)), -51) + 2 * kUnit * std::fabs(centre) +
             std::numeric_limits<double>::denorm_min();
}

std::optional<PlanPoint> RoundedLineCrossing(PlanPoint q, PlanPoint b, PlanPoint s, PlanPoint t) {
    return RoundedLineCrossingWithin(ExactlyAt(q), ExactlyAt(b), ExactlyAt(s), ExactlyAt(t));
}
