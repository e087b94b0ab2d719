#include "axial/AxialGeometry.h"

#include <gonion/gonion.h>

AxialCorner MakeCorner(const PlanPoint& prev, const PlanPoint& cur, const PlanPoint& next) {
    AxialCorner c;
    c.cur = cur;
    c.ax = cur.x - prev.x;
    c.ay = cur.y - prev.y;
    c.bx = next.x - cur.x;
    c.by = next.y - cur.y;
    c.turn = zoGetVectorCross(c.ax, c.ay, c.bx, c.by);
    return c;
}

bool IsCornerTarget(const AxialCorner& corner, const PlanPoint& q) {
    const double dx = q.x - corner.cur.x;
    const double dy = q.y - corner.cur.y;
    const double c1 = zoGetVectorCross(corner.ax, corner.ay, dx, dy);
    const double c2 = zoGetVectorCross(corner.bx, corner.by, dx, dy);
    if (c1 > 0.0 && c2 > 0.0) {
        return true;
    }
    return corner.turn < 0.0 && (c1 > 0.0 || c2 > 0.0);
}

bool WallBlocks(const PlanPoint& from, const PlanPoint& to, const PlanSegment& wall) {
    double x = 0.0;
    double y = 0.0;
    const int32_t result = zoGetCrossPointSS(from.x, from.y, to.x, to.y, wall.start.x, wall.start.y,
                                             wall.end.x, wall.end.y, &x, &y);
    if (result == 2) {
        return true;
    }
    if (result != 1) {
        return false;
    }
    const PlanPoint common{x, y};
    return !PointsCoincide(common, from) && !PointsCoincide(common, to);
}

bool AnyWallBlocks(const PlanPoint& from, const PlanPoint& to, std::span<const PlanSegment> walls) {
    for (const PlanSegment& wall : walls) {
        if (WallBlocks(from, to, wall)) {
            return true;
        }
    }
    return false;
}
