// Blocks of a drawing and their placement: the BLOCK definitions of the BLOCKS section, and the
// INSERTs that place them, nested, as arrays, scaled, turned and mirrored.
//
// Entities on layer "0" inside a block take the layer of the INSERT that places them (through
// every level of nesting). Bounded against hostile drawings: nesting deeper than
// kMaxBlockNesting and a block that places itself (directly or through others) are refused;
// at most kMaxBlockCopies copies are placed in all and at most kMaxPlacedVertices vertices
// made by them; what goes beyond is not read and the reading says so.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "document/DxfEntityParts.h"

inline constexpr int kMaxBlockNesting = 16;
inline constexpr int64_t kMaxBlockCopies = 1'000'000;
inline constexpr int64_t kMaxPlacedVertices = 2'000'000;

// An entity of a kind the readers do not read, kept inside a block so that each placement
// can count it on the layer it lands on.
struct DxfUnreadEntity {
    std::string type;
    std::string layer;
};

using DxfBlockItem = std::variant<DxfShape, DxfInsert, DxfUnreadEntity, DxfDroppedEntity>;

struct DxfBlock {
    std::string name;  // as written
    PlanPoint base;
    std::vector<DxfBlockItem> items;
};

// Block definitions by upper-cased name (the first of equal names counts).
using DxfBlockTable = std::map<std::string, DxfBlock>;

// Counts of entities of one type on one layer.
struct DxfTypeCount {
    std::string layer;  // as first written
    std::string type;
    size_t count = 0;
};

// What the placed shapes, counts and refusals go to.
class DxfShapeSink {
  public:
    virtual ~DxfShapeSink() = default;
    virtual void shape(const DxfShape& shape, const std::string& layer,
                       const DxfPlacement& placement) = 0;
    virtual void dropped(DxfDroppedEntity&& entity) = 0;
    // An entity of a kind not read, inside a placed block.
    virtual void unreadInBlock(const std::string& layer, const std::string& type) = 0;
};

// Places items (of the ENTITIES section or a block) through the blocks, within the bounds.
class DxfBlockPlacer {
  public:
    DxfBlockPlacer(const DxfBlockTable& blocks, DxfShapeSink& sink)
        : blocks_(blocks), sink_(sink) {}

    void placeTopLevel(const std::vector<DxfBlockItem>& items);

    // The notes of the bounds reached, empty when none was.
    std::vector<std::string> limitNotes() const;

  private:
    void place(const std::vector<DxfBlockItem>& items, const DxfPlacement& placement,
               const std::string* layerOfZero, int depth);
    void placeInsert(const DxfInsert& insert, const DxfPlacement& placement,
                     const std::string* layerOfZero, int depth);
    void refuse(const DxfInsert& insert, const std::string& layer, std::string detail);

    const DxfBlockTable& blocks_;
    DxfShapeSink& sink_;
    std::vector<const DxfBlock*> open_;  // the blocks being placed, outermost first
    int64_t copies_ = 0;
    int64_t vertices_ = 0;
    bool copiesLimited_ = false;
    bool verticesLimited_ = false;
};

// Whether a layer name is "0" (trimmed), the layer whose block entities take the INSERT's.
bool IsLayerZero(std::string_view layer);
