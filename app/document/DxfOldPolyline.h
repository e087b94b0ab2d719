// The old-style POLYLINE of a drawing: a POLYLINE entity, its VERTEX entities and SEQEND.
// Read as a 2D polyline (70 bit 1 closed), with the bulges of its vertices as arcs; polygon
// and polyface meshes are refused, spline frame points skipped.
#pragma once

#include <optional>

#include "document/DxfEntityParts.h"

class DxfOldPolyline {
  public:
    // A polyline of more vertices than this is refused, so that one entity cannot fill memory.
    static constexpr size_t kMaxVertices = 2'000'000;

    // Starts with the POLYLINE entity (drops what came before).
    void start(const DxfEntityText& header);
    bool active() const { return active_; }
    void addVertex(const DxfEntityText& vertex);
    // Ends the polyline: complete at its SEQEND, dropped when another entity or the end of the
    // section comes first.
    DxfEntityReading finish(bool atSeqend);

  private:
    DxfEntityReading drop(DxfDropReason reason, std::string detail);

    bool active_ = false;
    DxfShape shape_;
    bool mirrored_ = false;
    std::vector<PlanPoint> vertices_;
    std::vector<double> bulges_;
    std::optional<DxfValueProblem> problem_;
};
