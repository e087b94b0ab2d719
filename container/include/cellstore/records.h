// The two fixed records of the container format, as values in memory.
//
// On disk every field is a 32-bit little-endian integer; -1 (all bits set) marks "none".
// The records are encoded and decoded field by field, never copied as structs.
#pragma once

#include <cstdint>

#include "cellstore/export.h"

// One type cell (28 bytes on disk): describes one typed array of the container.
struct CELLSTORE_API zoBinFileTypeCell {
    int32_t typeNo = 0;         // caller-chosen type number, unique in a container
    int32_t elementSize = 0;    // bytes per element (fixed types); size field of variable types
    uint32_t elementCount = 0;  // elements in all blocks of the type
    uint32_t extraBlocks = 0;   // blocks added after the first (bookkeeping only)
    int32_t firstAddress = -1;  // first data-address record, -1 while the type has no data
    int32_t nextCell = -1;      // next type cell of the chain, -1 for the last
    int32_t variable = 0;       // 0 fixed-size elements, 1 length-prefixed elements
};

// One data-address record (12 bytes on disk): one block of a type's chain.
struct CELLSTORE_API zoBinFileDataAddress {
    int32_t address = -1;  // first byte of the block, -1 in an empty placeholder
    uint32_t count = 0;    // elements in the block
    int32_t next = -1;     // the type's next record, -1 for the last
};

// The file header (16 bytes at offset 32).
struct CELLSTORE_API zoBinFileHeader {
    uint32_t cellSize = 28;  // size of a type cell; written, never checked
    int32_t typeCount = 0;   // cells in the chain
    uint32_t reserved = 0;
    int32_t firstCell = -1;  // address of the first type cell, -1 while there are none
};
