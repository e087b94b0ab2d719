#include "document/DxfBlocks.h"

#include <algorithm>

#include "document/DxfPairReader.h"

bool IsLayerZero(std::string_view layer) {
    return TrimDxf(layer) == "0";
}

void DxfBlockPlacer::placeTopLevel(const std::vector<DxfBlockItem>& items) {
    place(items, DxfPlacement(), nullptr, 0);
}

void DxfBlockPlacer::place(const std::vector<DxfBlockItem>& items, const DxfPlacement& placement,
                           const std::string* layerOfZero, int depth) {
    auto LayerOf = [&](const std::string& layer) -> const std::string& {
        return layerOfZero && IsLayerZero(layer) ? *layerOfZero : layer;
    };
    for (const DxfBlockItem& item : items) {
        const auto* shape = std::get_if<DxfShape>(&item);
        if (depth > 0) {
            // Every item placed costs at least one unit of the budget, so that neither many
            // copies of large blocks nor blocks of things not read can run for long.
            const int64_t cost =
                shape ? std::max<int64_t>(1, static_cast<int64_t>(shape->points.size())) : 1;
            if (copiesLimited_ || verticesLimited_ || vertices_ + cost > kMaxPlacedVertices) {
                verticesLimited_ = verticesLimited_ || !copiesLimited_;
                return;
            }
            vertices_ += cost;
        }
        if (shape) {
            sink_.shape(*shape, LayerOf(shape->layer), placement);
        } else if (const auto* insert = std::get_if<DxfInsert>(&item)) {
            placeInsert(*insert, placement, layerOfZero, depth);
        } else if (const auto* unread = std::get_if<DxfUnreadEntity>(&item)) {
            sink_.unreadInBlock(LayerOf(unread->layer), unread->type);
        } else if (depth == 0) {
            // Drops inside blocks were told once, when the block was read.
            sink_.dropped(DxfDroppedEntity(std::get<DxfDroppedEntity>(item)));
        }
    }
}

void DxfBlockPlacer::refuse(const DxfInsert& insert, const std::string& layer, std::string detail) {
    sink_.dropped({DxfEntityKind::Insert, layer, insert.line, insert.handle, DxfDropReason::Refused,
                   std::move(detail)});
}

void DxfBlockPlacer::placeInsert(const DxfInsert& insert, const DxfPlacement& placement,
                                 const std::string* layerOfZero, int depth) {
    if (copiesLimited_ || verticesLimited_) {
        return;
    }
    const std::string& layer =
        layerOfZero && IsLayerZero(insert.layer) ? *layerOfZero : insert.layer;
    const std::string shownBlock = "\"" + insert.block.substr(0, 80) + "\"";
    const auto found = blocks_.find(UpperAscii(TrimDxf(insert.block)));
    if (found == blocks_.end()) {
        refuse(insert, layer, "no block named " + shownBlock);
        return;
    }
    const DxfBlock& block = found->second;
    for (const DxfBlock* open : open_) {
        if (open == &block) {
            refuse(insert, layer, "block " + shownBlock + " places itself");
            return;
        }
    }
    if (depth >= kMaxBlockNesting) {
        refuse(insert, layer,
               "blocks nested deeper than " + std::to_string(kMaxBlockNesting) + " levels");
        return;
    }
    open_.push_back(&block);
    for (int32_t row = 0; row < insert.rows; ++row) {
        for (int32_t column = 0; column < insert.columns; ++column) {
            if (copies_ >= kMaxBlockCopies) {
                copiesLimited_ = true;
                open_.pop_back();
                return;
            }
            ++copies_;
            const DxfPlacement copy = placement.after(insert.placement(block.base, column, row));
            place(block.items, copy, &layer, depth + 1);
        }
    }
    open_.pop_back();
}

std::vector<std::string> DxfBlockPlacer::limitNotes() const {
    std::vector<std::string> notes;
    if (copiesLimited_) {
        notes.push_back("The drawing places more than " + std::to_string(kMaxBlockCopies) +
                        " copies of blocks; the copies beyond are not read");
    }
    if (verticesLimited_) {
        notes.push_back("The placed blocks make more than " + std::to_string(kMaxPlacedVertices) +
                        " vertices; the shapes beyond are not read");
    }
    return notes;
}
