// The operations shared by the stream and memory function families. Each reads the file header
// from the store, works, and writes the header back when it changed.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "byte_store.h"
#include "container_core.h"

namespace cellstore::detail {

// Where the container's first type cell goes: the memory family places it at offset 48, the
// stream family at the end of the file (the same place after an initialisation).
struct FlatTarget {
    ByteStore& store;
    int64_t firstCellAt;
    int stringTypeNo;
    ChainIndex* index;  // kept between calls by the memory family; null for streams
};

// How a stored string of length 0 reads: the stream family refuses it, the memory family
// returns it as empty.
enum class EmptyString { Refuse, Accept };

// Runs `body` on a core whose header was read from the store, and writes the header back if
// the body changed it (a new type), also when the body itself failed.
template <class Body>
auto WithHeader(const FlatTarget& target, Body&& body)
    -> decltype(body(std::declval<ContainerCore&>())) {
    zoBinFileHeader header;
    ContainerCore core(target.store, header, target.index);
    if (!core.ReadHeader())
        return 0;
    const zoBinFileHeader before = header;
    auto result = body(core);
    bool changed = before.typeCount != header.typeCount || before.firstCell != header.firstCell;
    if (changed && !core.WriteHeader())
        return 0;
    return result;
}

int FlatInit(const FlatTarget& target);
int FlatAddData(const FlatTarget& target, const void* data, int typeNo, uint32_t elementSize,
                uint32_t count, uint32_t* firstIndex);
// `expectedSize` 0 accepts any recorded element size.
int FlatGetData(const FlatTarget& target, void* buffer, int typeNo, int first, uint32_t count,
                uint32_t expectedSize);
uint32_t FlatElementCount(const FlatTarget& target, int typeNo);
int FlatAvailableTypeNo(const FlatTarget& target, int* usable);
int FlatIsAvailableTypeNo(const FlatTarget& target, int typeNo);

template <class Char>
int FlatAddString(const FlatTarget& target, const Char* text, uint32_t* index);
template <class Char>
int FlatGetString(const FlatTarget& target, uint32_t n, Char*& text, EmptyString empty);
template <class Char>
int FlatGetStringInto(const FlatTarget& target, uint32_t n, Char* text, EmptyString empty);
uint32_t FlatStringLength(const FlatTarget& target, uint32_t n);

// Adds strings as one variable-size block of `typeNo` (a new type: element size 1, variable).
int FlatAddStrings(const FlatTarget& target, int typeNo, const std::vector<Piece>& texts,
                   uint32_t* firstIndex);

// Calls visit(core, address, length) for strings first .. first+count-1 of a variable-size
// type; 0 if the type is missing or fixed-size, the run passes its element count, or the
// chain ends early.
template <class Visit>
int FlatVisitStrings(const FlatTarget& target, int typeNo, uint32_t count, uint32_t first,
                     Visit&& visit) {
    return WithHeader(target, [&](ContainerCore& core) {
        zoBinFileTypeCell cell;
        if (core.FindCell(typeNo, &cell) == kNone || cell.variable == 0 ||
            static_cast<uint64_t>(first) + count > cell.elementCount)
            return 0;
        return core.VisitVarRun(
                   cell, first, count,
                   [&](int64_t address, uint32_t length) { return visit(core, address, length); })
                   ? 1
                   : 0;
    });
}

}  // namespace cellstore::detail
