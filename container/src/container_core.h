// The container format's operations over any byte store: the type-cell chain, block chains,
// appending and locating elements. The agent and both flat families are thin layers on this.
//
// Everything read is checked against the store's real size, and every chain walk is bounded
// by the number of records that could fit in the store, so damaged input ends in a failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "byte_store.h"
#include "cellstore/records.h"
#include "chain_index.h"

namespace cellstore::detail {

constexpr int64_t kNone = -1;

// One element of a variable-size block.
struct Piece {
    const void* bytes;
    uint32_t length;
};

// Where an addition left its type cell (the agent keeps it as its current cell).
struct TouchedCell {
    int64_t address = kNone;
    zoBinFileTypeCell cell;
    int64_t recordAddress = kNone;  // where the addition's block record now lies
    zoBinFileDataAddress record;    // the record built for the addition
};

enum class SizeRule { MustMatch, Any };

class ContainerCore {
  public:
    ContainerCore(ByteStore& store, zoBinFileHeader& header, ChainIndex* index = nullptr)
        : m_store(store), m_header(header), m_index(index) {}

    bool ReadHeader();
    bool WriteHeader();
    bool WriteEmptyContainer();

    bool ReadCell(int64_t address, zoBinFileTypeCell& cell);
    bool WriteCell(int64_t address, const zoBinFileTypeCell& cell);
    bool ReadRecord(int64_t address, zoBinFileDataAddress& record);
    bool WriteRecord(int64_t address, const zoBinFileDataAddress& record);
    // Appends bytes at the end; their address, or kNone if the container would pass its limit.
    int64_t Append(const void* data, size_t length);

    // Cell chain.
    int64_t CellAddressAt(int64_t index);
    // Address of the first cell with `typeNo` (its contents in `cell` if given), or kNone.
    int64_t FindCell(int typeNo, zoBinFileTypeCell* cell = nullptr);
    // The cells of the chain in order (as many as the header counts and the store can hold).
    std::vector<zoBinFileTypeCell> Cells();
    std::vector<int32_t> TypeNumbers();
    // Appends a cell and links it; a container's first cell goes to `firstCellAt` when that is
    // not kNone, else to the end.
    bool AppendCell(const zoBinFileTypeCell& cell, int64_t* address, int64_t firstCellAt);

    // Block chains.
    int64_t LastRecordAddress(const zoBinFileTypeCell& cell);
    bool RecordAt(const zoBinFileTypeCell& cell, int64_t n, zoBinFileDataAddress& record);
    // Links a block record into the type's chain and rewrites the cell; the address at which
    // the record now lies (a filled placeholder keeps its own), kNone on failure.
    int64_t LinkBlock(int64_t cellAddress, zoBinFileTypeCell& cell,
                      const zoBinFileDataAddress& record);
    int64_t FixedElementAddress(const zoBinFileTypeCell& cell, uint32_t index,
                                int64_t* recordAddress);
    int64_t VarElementAddress(const zoBinFileTypeCell& cell, uint32_t index,
                              int64_t* recordAddress);
    int64_t VarAddressInBlock(const zoBinFileDataAddress& record, uint32_t n);
    int64_t NextVarAddress(int64_t address);
    // The length word at `address`, when the element's bytes (length × unitSize) fit in the
    // store.
    bool VarLengthAt(int64_t address, uint32_t unitSize, uint32_t& length);
    // The raw length word at `address`, whether or not its bytes fit.
    bool ReadLengthWord(int64_t address, uint32_t& length);

    // Reads.
    bool ReadFixedRun(const zoBinFileTypeCell& cell, void* buffer, int64_t first, uint32_t count);
    // Walks `count` variable elements from `first`, calling visit(address, length) for each;
    // false as soon as the chain ends early or `visit` returns false.
    template <class Visit>
    bool VisitVarRun(const zoBinFileTypeCell& cell, uint32_t first, uint32_t count, Visit&& visit);

    // Additions.
    bool AddFixed(const void* data, int typeNo, uint32_t elementSize, uint32_t count,
                  uint32_t* firstIndex, SizeRule rule, int64_t firstCellAt, TouchedCell* touched);
    bool AddVariable(int typeNo, int32_t sizeField, const std::vector<Piece>& elements,
                     uint32_t* firstIndex, int64_t firstCellAt, TouchedCell* touched);

    // The block that holds element `index` of the type, found by walking the records.
    struct BlockPlace {
        int64_t recordAddress = kNone;
        zoBinFileDataAddress record;
        uint32_t indexInBlock = 0;
    };
    bool LocateBlock(const zoBinFileTypeCell& cell, uint32_t index, BlockPlace& place);

    zoBinFileHeader& Header() { return m_header; }
    ByteStore& Store() { return m_store; }

    // Upper bounds on how many cells or records the store can hold: a longer walk must loop.
    uint64_t MaxCells();
    uint64_t MaxRecords();

  private:
    // The index's answers, when it can give them (see chain_index.h).
    bool Indexed();
    bool BuildIndex();
    TypeBlocks* IndexedBlocks(const zoBinFileTypeCell& cell);
    void NoteAppendedCell(int32_t typeNo, int64_t address);
    void NoteLinkedBlock(const zoBinFileTypeCell& cell, uint64_t totalBefore, int64_t placed,
                         const zoBinFileDataAddress& record, bool filledPlaceholder);
    void ForgetIndex();

    // Links a record without touching the index.
    int64_t LinkRecord(int64_t cellAddress, zoBinFileTypeCell& cell,
                       const zoBinFileDataAddress& record, bool& filledPlaceholder);
    bool LinkAddition(int64_t cellAddress, zoBinFileTypeCell& cell,
                      const zoBinFileDataAddress& record, TouchedCell* touched);
    int64_t EnsureType(int typeNo, const zoBinFileTypeCell& fresh, int64_t firstCellAt,
                       zoBinFileTypeCell& cell);

    ByteStore& m_store;
    zoBinFileHeader& m_header;
    ChainIndex* m_index;
};

template <class Visit>
bool ContainerCore::VisitVarRun(const zoBinFileTypeCell& cell, uint32_t first, uint32_t count,
                                Visit&& visit) {
    if (count == 0)
        return true;
    BlockPlace place;
    if (!LocateBlock(cell, first, place))
        return false;
    zoBinFileDataAddress record = place.record;
    uint32_t inBlock = place.indexInBlock;
    int64_t address = VarAddressInBlock(record, inBlock);
    if (address == kNone)
        return false;
    uint32_t left = record.count - inBlock;
    uint64_t hops = 0;
    const uint64_t maxHops = MaxRecords();
    while (count > 0) {
        while (left == 0) {
            if (record.next == kNone || ++hops > maxHops || !ReadRecord(record.next, record))
                return false;
            address = record.address;
            left = record.count;
        }
        uint32_t length = 0;
        if (!VarLengthAt(address, 1, length))
            return false;
        if (!visit(address, length))
            return false;
        address += 4 + static_cast<int64_t>(length);
        --left;
        --count;
    }
    return true;
}

}  // namespace cellstore::detail
