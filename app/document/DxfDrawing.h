// The parts of a DXF drawing the import reads: the layer table and the LWPOLYLINE, LINE and
// CIRCLE entities of the ENTITIES section, each read into plain values per layer.
//
// Every reader starts again at the top of the text, as a drawing is read once per layer and
// role. Entities that are cut off, malformed (a value that is not a number, a vertex count never
// reached) or on other layers are skipped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "document/PlanTypes.h"

struct DxfPolyline {
    std::vector<PlanPoint> vertices;
    int32_t closedFlag = 0;
};

struct DxfCircle {
    PlanPoint centre;
    double radius = 0.0;
};

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

    // Complete LWPOLYLINEs on the layer, in file order; `limit` stops after that many.
    std::vector<DxfPolyline> readPolylines(std::string_view layer, size_t limit = SIZE_MAX) const;
    std::vector<PlanSegment> readLines(std::string_view layer) const;
    std::vector<DxfCircle> readCircles(std::string_view layer) const;

  private:
    std::string text_;
};
