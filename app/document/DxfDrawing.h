// The parts of a DXF drawing the import reads: the layer table and the LWPOLYLINE, LINE and
// CIRCLE entities of the ENTITIES section, each read into plain values per layer.
//
// Every reader starts again at the top of the text, as a drawing is read once per layer and
// role. Entities on other layers are skipped silently. Entities that cannot be read are skipped
// and told to the drop sink when one is given: cut off by the end of the file, a value that is no
// number, a coordinate or radius out of range, a vertex count never reached or below 2, codes in
// an order that never completes the entity.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "document/DxfDroppedEntity.h"
#include "document/PlanTypes.h"

// Coordinates and radii are refused beyond this magnitude (and when NaN or infinite): squares of
// coordinate differences (at most 4e30), their sums over a plan and the products of the area and
// crossing formulas then stay far from overflow, however many vertices a plan has.
inline constexpr double kMaxDxfCoordinate = 1e15;

struct DxfPolyline {
    std::vector<PlanPoint> vertices;  // at least 2
    int32_t closedFlag = 0;
};

struct DxfCircle {
    PlanPoint centre;
    double radius = 0.0;
    // A circle of a placed block is drawn through the block's map: its octagon's offsets from
    // the centre go through this linear part (a, b, c, d) of the placement.
    std::array<double, 4> outlineMap{1.0, 0.0, 0.0, 1.0};
};

// Why a value cannot be read, as the drop reports tell it.
struct DxfValueProblem {
    DxfDropReason reason = DxfDropReason::Incomplete;
    std::string detail;
};
// "group C value "V" is not a number".
DxfValueProblem DxfNotANumber(std::string_view code, std::string_view rawValue);
// A coordinate, radius or angle: the number of `value` within kMaxDxfCoordinate into `result`,
// or why not (no number; out of range, NaN or infinite).
std::optional<DxfValueProblem> ReadDxfBounded(std::string_view code, std::string_view value,
                                              std::string_view rawValue, double& result);

class DxfDrawing {
  public:
    static constexpr int kMaxLayers = 256;
    static constexpr size_t kMaxLayerNameBytes = 1023;
    // Larger files are refused before they are read into memory.
    static constexpr uintmax_t kMaxFileBytes = uintmax_t{1} << 30;

    explicit DxfDrawing(std::string text) : text_(std::move(text)) {}

    // Reads the file whole. On failure the result holds the message to show.
    static std::variant<DxfDrawing, std::string> load(const std::string& path);

    // Layer names as written (case kept, trailing white space removed), at most 256, from the
    // first layer table only.
    std::vector<std::string> readLayerNames() const;

    // Complete LWPOLYLINEs on the layer, in file order; `limit` stops after that many. The
    // entities skipped on the way go to `dropped` when it is given.
    std::vector<DxfPolyline> readPolylines(std::string_view layer, size_t limit = SIZE_MAX,
                                           const DxfDropSink& dropped = {}) const;
    std::vector<PlanSegment> readLines(std::string_view layer) const;
    std::vector<DxfCircle> readCircles(std::string_view layer) const;

    // Every LWPOLYLINE, LINE and CIRCLE of any layer that the readers above skip as unreadable:
    // first the polylines, then the lines, then the circles, each kind in file order.
    void readDroppedEntities(const DxfDropSink& dropped) const;

    // The drawing's text, for the readers of the further entities.
    std::string_view text() const { return text_; }

  private:
    std::string text_;
};
