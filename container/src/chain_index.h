// An optional in-memory index of a container's chains, so that looking up a type, finding a
// type's last block and locating element i stop walking the chains from their start (which
// makes building and reading a container of many small blocks quadratic).
//
// The index holds only chains that are well formed: the cell chain ends exactly after the
// header's type count, and a type's records all hold data and add up to its element count.
// Anything else is left to the plain walks, so answers never differ from theirs. Every use
// re-checks the index against the header and the type's cell, which catches stale entries.
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
    int32_t firstAddress = -1;  // the cell's firstAddress when indexed
    uint64_t total = 0;         // elements in all blocks
    std::vector<IndexedBlock> blocks;
};

struct ChainIndex {
    void Clear() {
        cellsValid = false;
        cellOrder.clear();
        cellsByType.clear();
        types.clear();
    }

    bool cellsValid = false;
    zoBinFileHeader header;                            // the header the cell index was built for
    std::vector<int64_t> cellOrder;                    // cell addresses in chain order
    std::unordered_map<int32_t, int64_t> cellsByType;  // first cell of each type number
    std::unordered_map<int32_t, TypeBlocks> types;
};

}  // namespace cellstore::detail
