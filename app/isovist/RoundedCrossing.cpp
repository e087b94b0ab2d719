#include "isovist/RoundedCrossing.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace {

using Wide = long double;

// Unit roundoff of the wide type: each operation, rounded to nearest, is off by at most this
// fraction of its result (no wide result here can underflow or overflow: the inputs are doubles).
constexpr Wide kUnit = std::numeric_limits<Wide>::epsilon() / 2;

// The double nearest to a value known to lie within `error` of `value`, if every value in that
// range rounds to the same double (rounding is monotone, so the ends decide).
std::optional<double> Settled(Wide value, Wide error) {
    // The bounds are computed in the wide type themselves: widened by their own rounding.
    const Wide margin = error + 2 * kUnit * std::fabs(value);
    const auto low = static_cast<double>(value - margin);
    const auto high = static_cast<double>(value + margin);
    if (!(low == high)) {
        return std::nullopt;
    }
    return low;
}

}  // namespace

std::optional<PlanPoint> RoundedLineCrossing(PlanPoint q, PlanPoint b, PlanPoint s, PlanPoint t) {
    // The crossing is q + lambda (b - q), lambda = cross(s - q, t - s) / cross(b - q, t - s).
    // Each difference of two doubles is off by kUnit of its size at most; each product and
    // the difference of the two then add kUnit of their own, so a cross product is off by at
    // most 4 kUnit times the sum of its products' sizes to first order: 5 kUnit leaves room
    // for the second-order terms and for the sizes being computed ones.
    if (std::fegetround() != FE_TONEAREST) {
        return std::nullopt;
    }
    const Wide ux = Wide(b.x) - q.x;
    const Wide uy = Wide(b.y) - q.y;
    const Wide vx = Wide(t.x) - s.x;
    const Wide vy = Wide(t.y) - s.y;
    const Wide wx = Wide(s.x) - q.x;
    const Wide wy = Wide(s.y) - q.y;
    const Wide numerator = wx * vy - wy * vx;
    const Wide denominator = ux * vy - uy * vx;
    const Wide numeratorError = 5 * kUnit * (std::fabs(wx * vy) + std::fabs(wy * vx));
    const Wide denominatorError = 5 * kUnit * (std::fabs(ux * vy) + std::fabs(uy * vx));
    if (!(denominatorError < std::fabs(denominator) / 4) || !std::isfinite(numerator)) {
        return std::nullopt;
    }
    // |N/D - N'/D'| <= (|N'| eD + |D'| eN) / (|D'| (|D'| - eD)), doubled for the rounding of
    // the bound itself, plus the division's own rounding.
    const Wide lambda = numerator / denominator;
    const Wide absD = std::fabs(denominator);
    const Wide lambdaError =
        2 * (std::fabs(numerator) * denominatorError + absD * numeratorError) /
            (absD * (absD - denominatorError)) +
        2 * kUnit * std::fabs(lambda);
    // x = q.x + u.x lambda: the error of lambda carried by u.x (itself off by kUnit), then the
    // product's and the sum's rounding; doubled again for the bound's own rounding.
    auto coordinate = [&](double origin, Wide u) -> std::optional<double> {
        const Wide along = u * lambda;
        const Wide value = origin + along;
        const Wide error =
            2 * (std::fabs(u) * lambdaError * (1 + 2 * kUnit) +
                 4 * kUnit * (std::fabs(along) + std::fabs(Wide(origin)) + std::fabs(value)));
        return Settled(value, error);
    };
    // A coordinate both points of a line share is the crossing's own, exactly.
    const std::optional<double> x = vx == 0 ? std::optional<double>(s.x)
                                    : ux == 0 ? std::optional<double>(q.x)
                                              : coordinate(q.x, ux);
    const std::optional<double> y = vy == 0 ? std::optional<double>(s.y)
                                    : uy == 0 ? std::optional<double>(q.y)
                                              : coordinate(q.y, uy);
    if (!x || !y) {
        return std::nullopt;
    }
    return PlanPoint{*x + 0.0, *y + 0.0};
}
