// An optional in-memory index of a container's chains, so that looking up a type, finding a
// type's last block and locating element i stop walking the chains from their start (which
// makes building and reading a container of many small blocks quadratic).
//
// The index is only used for a container whose chains are all well formed: the cell chain ends
// exactly after the header's type count, type numbers are unique, each type's records all hold
// data and add up to its element count, and no cell or record overlaps another or the header.
// Such a container only changes by appending at its end and by rewriting known cells and last
// records, which the index follows; so its answers are the chain walks' answers. Any other
// container is served by the walks alone.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "cellstore/records.h"

namespace cellstore::detail {

struct IndexedBlock {
    int64_t recordAddress;
    zoBinFileDataAddress record;
    uint64_t firstIndex;  // index of the block's first element within the type
};

struct TypeBlocks {
    int32_t firstAddress = -1;  // the cell's firstAddress
    uint64_t total = 0;         // elements in all blocks
    std::vector<IndexedBlock> blocks;
    size_t lastHit = 0;  // the block of the latest lookup: reads mostly go block after block
};

// The block holding element `index` (below the type's total).
size_t FindBlock(TypeBlocks& type, uint64_t index);

struct ChainIndex {
    enum class State { Unknown, Valid, Unusable };

    void Clear() {
        state = State::Unknown;
        cellOrder.clear();
        cellsByType.clear();
        types.clear();
    }

    State state = State::Unknown;
    zoBinFileHeader header;                            // the header the state belongs to
    std::vector<int64_t> cellOrder;                    // cell addresses in chain order
    std::unordered_map<int32_t, int64_t> cellsByType;  // cell address of each type number
    std::unordered_map<int32_t, TypeBlocks> types;     // the blocks of each type with data
};

}  // namespace cellstore::detail
