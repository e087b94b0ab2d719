#include "document/DxfEntityParts.h"

#include <cmath>
#include <numbers>

#include "document/DxfArcs.h"
#include "document/DxfPairReader.h"

namespace {

// The values an entity needs, each read once with its problem kept for the report.
class Values {
  public:
    explicit Values(const DxfEntityText& entity) : entity_(entity) {}

    // A bounded number of `code`; `fallback` when absent (no value at all without fallback).
    std::optional<double> number(int code, std::optional<double> fallback = std::nullopt) {
        const auto text = entity_.first(code);
        if (!text) {
            if (!fallback && !problem_) {
                problem_ =
                    DxfValueProblem{DxfDropReason::Incomplete, "no group " + std::to_string(code)};
            }
            return fallback;
        }
        double value = 0.0;
        if (auto problem = ReadDxfBounded(std::to_string(code), *text, *text, value)) {
            if (!problem_) {
                problem_ = std::move(problem);
            }
            return std::nullopt;
        }
        return value;
    }
    std::optional<int32_t> integer(int code, int32_t fallback) {
        const auto text = entity_.first(code);
        if (!text) {
            return fallback;
        }
        const auto value = ParseDxfInteger(*text);
        if (!value && !problem_) {
            problem_ = DxfNotANumber(std::to_string(code), *text);
        }
        return value;
    }
    void fail(DxfDropReason reason, std::string detail) {
        if (!problem_) {
            problem_ = DxfValueProblem{reason, std::move(detail)};
        }
    }
    const std::optional<DxfValueProblem>& problem() const { return problem_; }

  private:
    const DxfEntityText& entity_;
    std::optional<DxfValueProblem> problem_;
};

DxfDroppedEntity DropOf(const DxfEntityText& entity, DxfEntityKind kind, DxfValueProblem problem) {
    return {kind,           entity.layer(),           entity.line, entity.handle(),
            problem.reason, std::move(problem.detail)};
}

DxfShape ShapeOf(const DxfEntityText& entity, DxfEntityKind kind) {
    DxfShape shape;
    shape.kind = kind;
    shape.layer = entity.layer();
    shape.line = entity.line;
    shape.handle = entity.handle();
    return shape;
}

void Mirror(std::vector<PlanPoint>& points) {
    for (PlanPoint& p : points) {
        p.x = -p.x;
    }
}

// LWPOLYLINE: 90 the vertex count, 70 bit 1 closed, 10/20 a vertex, 42 the bulge of the piece
// from the vertex before it to the next.
DxfEntityReading ReadLwPolyline(const DxfEntityText& entity, bool mirrored) {
    Values values(entity);
    const auto count = values.integer(90, -1);
    const auto flags = values.integer(70, 0);
    if (!count || !flags) {
        return DropOf(entity, DxfEntityKind::Polyline, *values.problem());
    }
    if (*count < 2) {
        return DropOf(entity, DxfEntityKind::Polyline,
                      {*count < 0 ? DxfDropReason::Incomplete : DxfDropReason::TooFewVertices,
                       *count < 0 ? "no vertex count (group 90)"
                                  : "vertex count " + std::to_string(*count) +
                                        " (a polyline needs at least 2)"});
    }
    std::vector<PlanPoint> vertices;
    std::vector<double> bulges;
    double x = 0.0;
    bool hasX = false;
    for (const DxfGroup& group : entity.groups) {
        if (static_cast<int64_t>(vertices.size()) == *count && group.code != 42) {
            break;
        }
        double value = 0.0;
        if (group.code == 10 || group.code == 20 || group.code == 42) {
            if (auto problem =
                    ReadDxfBounded(std::to_string(group.code), group.value, group.value, value)) {
                return DropOf(entity, DxfEntityKind::Polyline, std::move(*problem));
            }
        }
        if (group.code == 10) {
            x = value;
            hasX = true;
        } else if (group.code == 20) {
            if (!hasX) {
                return DropOf(entity, DxfEntityKind::Polyline,
                              {DxfDropReason::Incomplete, "group 20 came before its group 10"});
            }
            vertices.push_back({x, value});
            bulges.push_back(0.0);
            hasX = false;
        } else if (group.code == 42 && !bulges.empty()) {
            bulges.back() = value;
        }
    }
    if (static_cast<int64_t>(vertices.size()) < *count) {
        return DropOf(entity, DxfEntityKind::Polyline,
                      {DxfDropReason::Incomplete, "vertex count " + std::to_string(*count) +
                                                      " never reached (" +
                                                      std::to_string(vertices.size()) + " read)"});
    }
    DxfShape shape = ShapeOf(entity, DxfEntityKind::Polyline);
    shape.closedFlag = *flags & 1;
    shape.points = PolylineWithArcs(vertices, bulges, shape.closedFlag != 0);
    if (mirrored) {
        Mirror(shape.points);
    }
    if (!DxfPointsInRange(shape.points)) {
        return DropOf(entity, DxfEntityKind::Polyline,
                      {DxfDropReason::OutOfRange, "a point of a bulge is out of range"});
    }
    return shape;
}

DxfEntityReading ReadLine(const DxfEntityText& entity) {
    Values values(entity);
    const auto x0 = values.number(10), y0 = values.number(20);
    const auto x1 = values.number(11), y1 = values.number(21);
    if (values.problem()) {
        return DropOf(entity, DxfEntityKind::Line, *values.problem());
    }
    DxfShape shape = ShapeOf(entity, DxfEntityKind::Line);
    shape.points = {{*x0, *y0}, {*x1, *y1}};
    return shape;
}

DxfEntityReading ReadCircleOrArc(const DxfEntityText& entity, DxfEntityKind kind, bool mirrored) {
    Values values(entity);
    const auto x = values.number(10), y = values.number(20), radius = values.number(40);
    std::optional<double> start, end;
    if (kind == DxfEntityKind::Arc) {
        start = values.number(50);
        end = values.number(51);
        if (radius && !(*radius > 0.0)) {
            values.fail(DxfDropReason::Refused, "radius " +
                                                    std::string(entity.first(40)->substr(0, 32)) +
                                                    " (an arc needs a radius above 0)");
        }
    }
    if (values.problem()) {
        return DropOf(entity, kind, *values.problem());
    }
    DxfShape shape = ShapeOf(entity, kind);
    shape.radius = *radius;
    if (kind == DxfEntityKind::Circle) {
        shape.points = {{*x, *y}};
    } else {
        shape.points = ArcPoints({*x, *y}, *radius, *start, *ArcSweep(*start, *end));
    }
    if (mirrored) {
        Mirror(shape.points);
    }
    if (!DxfPointsInRange(shape.points)) {
        return DropOf(entity, kind,
                      {DxfDropReason::OutOfRange, "a point of the arc is out of range"});
    }
    return shape;
}

DxfEntityReading ReadInsert(const DxfEntityText& entity, bool mirrored) {
    Values values(entity);
    DxfInsert insert;
    const auto name = entity.first(2);
    if (!name || name->empty()) {
        return DropOf(entity, DxfEntityKind::Insert,
                      {DxfDropReason::Incomplete, "no block name (group 2)"});
    }
    insert.block = std::string(*name);
    const auto x = values.number(10), y = values.number(20);
    const auto scaleX = values.number(41, 1.0), scaleY = values.number(42, 1.0);
    const auto rotation = values.number(50, 0.0);
    const auto columns = values.integer(70, 1), rows = values.integer(71, 1);
    const auto columnSpacing = values.number(44, 0.0), rowSpacing = values.number(45, 0.0);
    if (values.problem()) {
        return DropOf(entity, DxfEntityKind::Insert, *values.problem());
    }
    insert.layer = entity.layer();
    insert.at = {*x, *y};
    insert.scaleX = *scaleX;
    insert.scaleY = *scaleY;
    insert.rotationDegrees = *rotation;
    // A count of 0 (or below) is the usual way of writing one copy.
    insert.columns = std::max(*columns, 1);
    insert.rows = std::max(*rows, 1);
    insert.columnSpacing = *columnSpacing;
    insert.rowSpacing = *rowSpacing;
    insert.mirrored = mirrored;
    insert.line = entity.line;
    insert.handle = entity.handle();
    return insert;
}

}  // namespace

std::optional<std::string_view> DxfEntityText::first(int code) const {
    for (const DxfGroup& group : groups) {
        if (group.code == code) {
            return group.value;
        }
    }
    return std::nullopt;
}

std::string DxfEntityText::layer() const {
    return std::string(
        first(8).value_or(std::string_view()).substr(0, DxfDrawing::kMaxLayerNameBytes + 1));
}

std::string DxfEntityText::handle() const {
    constexpr size_t kShown = 80;
    const std::string_view raw = first(5).value_or(std::string_view());
    return std::string(raw.substr(0, kShown)) + (raw.size() > kShown ? "..." : "");
}

DxfPlacement DxfInsert::placement(const PlanPoint& base, int32_t column, int32_t row) const {
    const double angle = rotationDegrees * std::numbers::pi / 180.0;
    const double cosine = std::cos(angle);
    const double sine = std::sin(angle);
    // Scaled about the base point, turned, then moved to the insertion point and along the
    // array's turned columns and rows; an extrusion towards −z mirrors the result in x.
    const double ox = column * columnSpacing;
    const double oy = row * rowSpacing;
    DxfPlacement p;
    p.a = cosine * scaleX;
    p.b = -sine * scaleY;
    p.c = sine * scaleX;
    p.d = cosine * scaleY;
    p.e = at.x + cosine * ox - sine * oy - (p.a * base.x + p.b * base.y);
    p.f = at.y + sine * ox + cosine * oy - (p.c * base.x + p.d * base.y);
    return mirrored ? DxfPlacement::mirrorX().after(p) : p;
}

std::variant<bool, DxfValueProblem> ReadExtrusion(const DxfEntityText& entity) {
    Values values(entity);
    const auto x = values.number(210, 0.0), y = values.number(220, 0.0),
               z = values.number(230, 1.0);
    if (values.problem()) {
        return *values.problem();
    }
    const double length = std::sqrt(*x * *x + *y * *y + *z * *z);
    // Within the arbitrary-axis rule's 1/64 of the z axis the entity's x axis stays the
    // drawing's (or its mirror image).
    if (!(length > 0.0) || std::fabs(*x) >= length / 64.0 || std::fabs(*y) >= length / 64.0) {
        return DxfValueProblem{DxfDropReason::Refused,
                               "extrusion off the z axis (the drawing is not a plan view there)"};
    }
    return *z < 0.0;
}

DxfEntityReading ReadEntityParts(const DxfEntityText& entity) {
    const auto kind = DxfEntityKindOf(entity.type);
    if (!kind || *kind == DxfEntityKind::OldPolyline) {
        return std::monostate{};
    }
    bool mirrored = false;
    if (*kind != DxfEntityKind::Line) {
        auto extrusion = ReadExtrusion(entity);
        if (auto* problem = std::get_if<DxfValueProblem>(&extrusion)) {
            return DropOf(entity, *kind, std::move(*problem));
        }
        mirrored = std::get<bool>(extrusion);
    }
    switch (*kind) {
        case DxfEntityKind::Polyline:
            return ReadLwPolyline(entity, mirrored);
        case DxfEntityKind::Line:
            return ReadLine(entity);
        case DxfEntityKind::Circle:
        case DxfEntityKind::Arc:
            return ReadCircleOrArc(entity, *kind, mirrored);
        case DxfEntityKind::Insert:
            return ReadInsert(entity, mirrored);
        case DxfEntityKind::OldPolyline:
            break;
    }
    return std::monostate{};
}

std::optional<DxfEntityKind> DxfEntityKindOf(std::string_view type) {
    for (size_t k = 0; k < kDxfEntityKindCount; ++k) {
        const auto kind = static_cast<DxfEntityKind>(k);
        if (type == DxfEntityName(kind)) {
            return kind;
        }
    }
    return std::nullopt;
}
