#include "document/DxfOldPolyline.h"

#include "document/DxfArcs.h"
#include "document/DxfPairReader.h"

namespace {

constexpr int32_t kClosed = 1;
constexpr int32_t kPolygonMesh = 16;
constexpr int32_t kPolyfaceMesh = 64;
constexpr int32_t kSplineFramePoint = 16;

}  // namespace

void DxfOldPolyline::start(const DxfEntityText& header) {
    *this = DxfOldPolyline();
    active_ = true;
    shape_.kind = DxfEntityKind::OldPolyline;
    shape_.layer = header.layer();
    shape_.line = header.line;
    shape_.handle = header.handle();
    const auto flags = ParseDxfInteger(header.first(70).value_or("0"));
    if (!flags) {
        problem_ = DxfNotANumber("70", *header.first(70));
        return;
    }
    if ((*flags & (kPolygonMesh | kPolyfaceMesh)) != 0) {
        problem_ = DxfValueProblem{DxfDropReason::Refused, "a mesh, not a plan outline"};
        return;
    }
    shape_.closedFlag = *flags & kClosed;
    auto extrusion = ReadExtrusion(header);
    if (auto* problem = std::get_if<DxfValueProblem>(&extrusion)) {
        problem_ = std::move(*problem);
        return;
    }
    mirrored_ = std::get<bool>(extrusion);
}

void DxfOldPolyline::addVertex(const DxfEntityText& vertex) {
    if (!active_ || problem_) {
        return;
    }
    const auto flags = ParseDxfInteger(vertex.first(70).value_or("0"));
    if (flags && (*flags & kSplineFramePoint) != 0) {
        return;
    }
    if (vertices_.size() >= kMaxVertices) {
        problem_ = DxfValueProblem{DxfDropReason::Refused,
                                   "more than " + std::to_string(kMaxVertices) + " vertices"};
        return;
    }
    double x = 0.0, y = 0.0, bulge = 0.0;
    const auto xText = vertex.first(10), yText = vertex.first(20);
    if (!xText || !yText) {
        problem_ = DxfValueProblem{DxfDropReason::Incomplete, "a VERTEX without group 10 or 20"};
        return;
    }
    if (auto problem = ReadDxfBounded("10", *xText, *xText, x)) {
        problem_ = std::move(problem);
    } else if (auto problem = ReadDxfBounded("20", *yText, *yText, y)) {
        problem_ = std::move(problem);
    } else if (const auto bulgeText = vertex.first(42)) {
        if (auto problem = ReadDxfBounded("42", *bulgeText, *bulgeText, bulge)) {
            problem_ = std::move(problem);
        }
    }
    if (!problem_) {
        vertices_.push_back({x, y});
        bulges_.push_back(bulge);
    }
}

DxfEntityReading DxfOldPolyline::drop(DxfDropReason reason, std::string detail) {
    return DxfDroppedEntity{
        DxfEntityKind::OldPolyline, shape_.layer, shape_.line, shape_.handle, reason,
        std::move(detail)};
}

DxfEntityReading DxfOldPolyline::finish(bool atSeqend) {
    active_ = false;
    if (problem_) {
        return drop(problem_->reason, std::move(problem_->detail));
    }
    if (!atSeqend) {
        return drop(DxfDropReason::Incomplete, "no SEQEND after its vertices");
    }
    if (vertices_.size() < 2) {
        return drop(DxfDropReason::TooFewVertices,
                    std::to_string(vertices_.size()) + " vertices (a polyline needs at least 2)");
    }
    shape_.points = PolylineWithArcs(vertices_, bulges_, shape_.closedFlag != 0);
    if (mirrored_) {
        for (PlanPoint& p : shape_.points) {
            p.x = -p.x;
        }
    }
    if (!DxfPointsInRange(shape_.points)) {
        return drop(DxfDropReason::OutOfRange, "a point of a bulge is out of range");
    }
    return std::move(shape_);
}
