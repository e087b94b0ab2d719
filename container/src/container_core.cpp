#include "container_core.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

#include "byte_order.h"
#include "layout.h"

namespace cellstore::detail {

namespace {
constexpr uint64_t kMaxCount = std::numeric_limits<uint32_t>::max();
}

uint64_t ContainerCore::MaxCells() {
    uint64_t size = m_store.Size();
    return size < kFirstObjectOffset ? 0 : (size - kFirstObjectOffset) / kCellSize;
}

uint64_t ContainerCore::MaxRecords() {
    return m_store.Size() / kRecordSize;
}

bool ContainerCore::ReadHeader() {
    unsigned char bytes[kFileHeaderSize];
    if (!m_store.ReadAt(kFileHeaderOffset, bytes, sizeof bytes))
        return false;
    m_header = DecodeHeader(bytes);
    return true;
}

bool ContainerCore::WriteHeader() {
    unsigned char bytes[kFileHeaderSize];
    EncodeHeader(m_header, bytes);
    return m_store.WriteAt(kFileHeaderOffset, bytes, sizeof bytes);
}

bool ContainerCore::WriteEmptyContainer() {
    const unsigned char zeros[kTopHeaderSize] = {};
    m_header = zoBinFileHeader{};
    return m_store.WriteAt(0, zeros, sizeof zeros) && WriteHeader();
}

bool ContainerCore::ReadCell(int64_t address, zoBinFileTypeCell& cell) {
    unsigned char bytes[kCellSize];
    if (address < 0 || !m_store.ReadAt(static_cast<uint64_t>(address), bytes, sizeof bytes))
        return false;
    cell = DecodeCell(bytes);
    return true;
}

bool ContainerCore::WriteCell(int64_t address, const zoBinFileTypeCell& cell) {
    unsigned char bytes[kCellSize];
    EncodeCell(cell, bytes);
    return address >= 0 && m_store.WriteAt(static_cast<uint64_t>(address), bytes, sizeof bytes);
}

bool ContainerCore::ReadRecord(int64_t address, zoBinFileDataAddress& record) {
    unsigned char bytes[kRecordSize];
    if (address < 0 || !m_store.ReadAt(static_cast<uint64_t>(address), bytes, sizeof bytes))
        return false;
    record = DecodeRecord(bytes);
    return true;
}

bool ContainerCore::WriteRecord(int64_t address, const zoBinFileDataAddress& record) {
    unsigned char bytes[kRecordSize];
    EncodeRecord(record, bytes);
    return address >= 0 && m_store.WriteAt(static_cast<uint64_t>(address), bytes, sizeof bytes);
}

int64_t ContainerCore::Append(const void* data, size_t length) {
    uint64_t end = m_store.Size();
    if (end + length > kMaxContainerSize || !m_store.WriteAt(end, data, length))
        return kNone;
    return static_cast<int64_t>(end);
}

int64_t ContainerCore::CellAddressAt(int64_t index) {
    if (index < 0 || index >= m_header.typeCount || static_cast<uint64_t>(index) >= MaxCells())
        return kNone;
    if (Indexed())
        return m_index->cellOrder[static_cast<size_t>(index)];
    int64_t address = m_header.firstCell;
    zoBinFileTypeCell cell;
    for (int64_t i = 0; i < index; ++i) {
        if (!ReadCell(address, cell) || cell.nextCell == kNone)
            return kNone;
        address = cell.nextCell;
    }
    return address < 0 ? kNone : address;
}

int64_t ContainerCore::FindCell(int typeNo, zoBinFileTypeCell* found) {
    if (Indexed()) {
        auto at = m_index->cellsByType.find(typeNo);
        zoBinFileTypeCell cell;
        if (at == m_index->cellsByType.end() || !ReadCell(at->second, cell))
            return kNone;
        if (found != nullptr)
            *found = cell;
        return at->second;
    }
    uint64_t limit = std::min<uint64_t>(std::max(m_header.typeCount, 0), MaxCells());
    int64_t address = m_header.firstCell;
    zoBinFileTypeCell cell;
    for (uint64_t i = 0; i < limit && address != kNone; ++i) {
        if (!ReadCell(address, cell))
            return kNone;
        if (cell.typeNo == typeNo) {
            if (found != nullptr)
                *found = cell;
            return address;
        }
        address = cell.nextCell;
    }
    return kNone;
}

std::vector<zoBinFileTypeCell> ContainerCore::Cells() {
    std::vector<zoBinFileTypeCell> cells;
    uint64_t limit = std::min<uint64_t>(std::max(m_header.typeCount, 0), MaxCells());
    int64_t address = m_header.firstCell;
    zoBinFileTypeCell cell;
    // A damaged chain may lead back to a cell it passed: it ends there, so that no cell is
    // listed twice.
    std::unordered_set<int64_t> visited;
    for (uint64_t i = 0; i < limit && address != kNone; ++i) {
        if (!visited.insert(address).second || !ReadCell(address, cell))
            break;
        cells.push_back(cell);
        address = cell.nextCell;
    }
    return cells;
}

std::vector<int32_t> ContainerCore::TypeNumbers() {
    std::vector<int32_t> numbers;
    for (const zoBinFileTypeCell& cell : Cells())
        numbers.push_back(cell.typeNo);
    return numbers;
}

bool ContainerCore::AppendCell(const zoBinFileTypeCell& cell, int64_t* address,
                               int64_t firstCellAt) {
    if (cell.nextCell != kNone)
        return false;
    const bool indexed = Indexed();
    int64_t placed;
    if (m_header.typeCount == 0 && m_header.firstCell == kNone) {
        if (firstCellAt != kNone) {
            placed = WriteCell(firstCellAt, cell) ? firstCellAt : kNone;
        } else {
            unsigned char bytes[kCellSize];
            EncodeCell(cell, bytes);
            placed = Append(bytes, sizeof bytes);
        }
        if (placed == kNone)
            return false;
        m_header.typeCount = 1;
        m_header.firstCell = static_cast<int32_t>(placed);
    } else if (m_header.typeCount > 0 && m_header.firstCell != kNone) {
        int64_t lastAddress = CellAddressAt(m_header.typeCount - 1);
        zoBinFileTypeCell last;
        if (!ReadCell(lastAddress, last))
            return false;
        unsigned char bytes[kCellSize];
        EncodeCell(cell, bytes);
        placed = Append(bytes, sizeof bytes);
        if (placed == kNone)
            return false;
        last.nextCell = static_cast<int32_t>(placed);
        if (!WriteCell(lastAddress, last))
            return false;
        ++m_header.typeCount;
    } else {
        return false;
    }
    if (indexed)
        NoteAppendedCell(cell.typeNo, placed);
    if (address != nullptr)
        *address = placed;
    return true;
}

int64_t ContainerCore::LastRecordAddress(const zoBinFileTypeCell& cell) {
    if (TypeBlocks* indexed = IndexedBlocks(cell))
        return indexed->blocks.back().recordAddress;
    int64_t address = cell.firstAddress;
    uint64_t sum = 0;
    const uint64_t maxHops = MaxRecords();
    zoBinFileDataAddress record;
    for (uint64_t hops = 0; hops <= maxHops; ++hops) {
        if (!ReadRecord(address, record))
            return kNone;
        if (record.next == kNone)
            return address;
        sum += record.count;
        if (sum > cell.elementCount)
            return kNone;
        address = record.next;
    }
    return kNone;
}

bool ContainerCore::RecordAt(const zoBinFileTypeCell& cell, int64_t n,
                             zoBinFileDataAddress& record) {
    if (n < 0 || static_cast<uint64_t>(n) >= MaxRecords())
        return false;
    if (!ReadRecord(cell.firstAddress, record))
        return false;
    for (int64_t i = 0; i < n; ++i) {
        if (record.next == kNone || !ReadRecord(record.next, record))
            return false;
    }
    return true;
}

int64_t ContainerCore::LinkBlock(int64_t cellAddress, zoBinFileTypeCell& cell,
                                 const zoBinFileDataAddress& record) {
    const uint64_t totalBefore = cell.elementCount;
    bool filledPlaceholder = false;
    int64_t placed = LinkRecord(cellAddress, cell, record, filledPlaceholder);
    if (placed == kNone)
        ForgetIndex();  // a half-done link may have changed the chain
    else
        NoteLinkedBlock(cell, totalBefore, placed, record, filledPlaceholder);
    return placed;
}

int64_t ContainerCore::LinkRecord(int64_t cellAddress, zoBinFileTypeCell& cell,
                                  const zoBinFileDataAddress& record, bool& filledPlaceholder) {
    unsigned char bytes[kRecordSize];
    EncodeRecord(record, bytes);
    if (cell.firstAddress == kNone) {
        int64_t placed = Append(bytes, sizeof bytes);
        if (placed == kNone)
            return kNone;
        cell.firstAddress = static_cast<int32_t>(placed);
        cell.elementCount += record.count;
        return WriteCell(cellAddress, cell) ? placed : kNone;
    }
    int64_t lastAddress = LastRecordAddress(cell);
    zoBinFileDataAddress last;
    if (!ReadRecord(lastAddress, last))
        return kNone;
    int64_t result;
    if (last.address == kNone) {
        // An empty placeholder takes the block in place.
        last.address = record.address;
        last.count = record.count;
        result = lastAddress;
        filledPlaceholder = true;
    } else {
        result = Append(bytes, sizeof bytes);
        if (result == kNone)
            return kNone;
        last.next = static_cast<int32_t>(result);
    }
    if (!WriteRecord(lastAddress, last))
        return kNone;
    cell.elementCount += record.count;
    cell.extraBlocks += 1;
    return WriteCell(cellAddress, cell) ? result : kNone;
}

bool ContainerCore::LocateBlock(const zoBinFileTypeCell& cell, uint32_t index, BlockPlace& place) {
    if (TypeBlocks* indexed = IndexedBlocks(cell)) {
        if (index >= indexed->total)
            return false;
        const IndexedBlock& block = indexed->blocks[FindBlock(*indexed, index)];
        place.recordAddress = block.recordAddress;
        place.record = block.record;
        place.indexInBlock = static_cast<uint32_t>(index - block.firstIndex);
        return true;
    }
    zoBinFileDataAddress record;
    int64_t recordAddress = cell.firstAddress;
    if (!ReadRecord(recordAddress, record) || record.count == 0)
        return false;  // a chain that starts with an empty placeholder holds no element
    // Index of the last element of the current block.
    uint64_t last = record.count - 1ULL;
    const uint64_t maxHops = MaxRecords();
    for (uint64_t hops = 0; last < cell.elementCount && hops <= maxHops; ++hops) {
        if (last >= index) {
            place.recordAddress = recordAddress;
            place.record = record;
            place.indexInBlock = static_cast<uint32_t>(index - (last + 1 - record.count));
            return true;
        }
        if (record.next == kNone)
            return false;
        recordAddress = record.next;
        if (!ReadRecord(recordAddress, record))
            return false;
        last += record.count;
    }
    return false;
}

int64_t ContainerCore::FixedElementAddress(const zoBinFileTypeCell& cell, uint32_t index,
                                           int64_t* recordAddress) {
    BlockPlace place;
    if (cell.elementSize <= 0 || !LocateBlock(cell, index, place) || place.record.address < 0)
        return kNone;
    if (recordAddress != nullptr)
        *recordAddress = place.recordAddress;
    return place.record.address +
           static_cast<int64_t>(cell.elementSize) * static_cast<int64_t>(place.indexInBlock);
}

int64_t ContainerCore::VarElementAddress(const zoBinFileTypeCell& cell, uint32_t index,
                                         int64_t* recordAddress) {
    BlockPlace place;
    if (!LocateBlock(cell, index, place))
        return kNone;
    if (recordAddress != nullptr)
        *recordAddress = place.recordAddress;
    return VarAddressInBlock(place.record, place.indexInBlock);
}

int64_t ContainerCore::VarAddressInBlock(const zoBinFileDataAddress& record, uint32_t n) {
    if (n >= record.count || record.address < 0)
        return kNone;
    int64_t address = record.address;
    for (uint32_t i = 0; i < n && address != kNone; ++i)
        address = NextVarAddress(address);
    return address;
}

int64_t ContainerCore::NextVarAddress(int64_t address) {
    uint32_t length = 0;
    if (!VarLengthAt(address, 1, length))
        return kNone;
    return address + kLengthWordSize + length;
}

bool ContainerCore::ReadLengthWord(int64_t address, uint32_t& length) {
    unsigned char word[kLengthWordSize];
    if (address < 0 || !m_store.ReadAt(static_cast<uint64_t>(address), word, sizeof word))
        return false;
    length = GetU32(word);
    return true;
}

bool ContainerCore::VarLengthAt(int64_t address, uint32_t unitSize, uint32_t& length) {
    uint32_t stored = 0;
    if (!ReadLengthWord(address, stored))
        return false;
    uint64_t end =
        static_cast<uint64_t>(address) + kLengthWordSize + static_cast<uint64_t>(stored) * unitSize;
    if (end > m_store.Size())
        return false;
    length = stored;
    return true;
}

bool ContainerCore::ReadFixedRun(const zoBinFileTypeCell& cell, void* buffer, int64_t first,
                                 uint32_t count) {
    if (buffer == nullptr || first < 0 || cell.elementSize <= 0 ||
        static_cast<uint64_t>(first) + count > cell.elementCount)
        return false;
    BlockPlace place;
    if (!LocateBlock(cell, static_cast<uint32_t>(first), place) || place.record.address < 0)
        return false;
    const uint64_t size = static_cast<uint64_t>(cell.elementSize);
    auto* out = static_cast<unsigned char*>(buffer);
    zoBinFileDataAddress record = place.record;
    uint64_t from = static_cast<uint64_t>(record.address) + size * place.indexInBlock;
    uint64_t take = std::min<uint64_t>(record.count - place.indexInBlock, count);
    uint64_t left = count;
    const uint64_t maxHops = MaxRecords();
    for (uint64_t hops = 0;; ++hops) {
        if (!m_store.ReadAt(from, out, take * size))
            return false;
        out += take * size;
        left -= take;
        if (left == 0)
            return true;
        if (record.next == kNone || hops >= maxHops || !ReadRecord(record.next, record) ||
            record.address < 0)
            return false;
        from = static_cast<uint64_t>(record.address);
        take = std::min<uint64_t>(record.count, left);
    }
}

int64_t ContainerCore::EnsureType(int typeNo, const zoBinFileTypeCell& fresh, int64_t firstCellAt,
                                  zoBinFileTypeCell& cell) {
    int64_t address = FindCell(typeNo, &cell);
    if (address != kNone)
        return address;
    if (!AppendCell(fresh, &address, firstCellAt) || !ReadCell(address, cell))
        return kNone;
    return address;
}

bool ContainerCore::LinkAddition(int64_t cellAddress, zoBinFileTypeCell& cell,
                                 const zoBinFileDataAddress& record, TouchedCell* touched) {
    int64_t recordAddress = LinkBlock(cellAddress, cell, record);
    if (recordAddress == kNone)
        return false;
    if (touched != nullptr)
        *touched = {cellAddress, cell, recordAddress, record};
    return true;
}

bool ContainerCore::AddFixed(const void* data, int typeNo, uint32_t elementSize, uint32_t count,
                             uint32_t* firstIndex, SizeRule rule, int64_t firstCellAt,
                             TouchedCell* touched) {
    if (data == nullptr || elementSize == 0 || count == 0 ||
        elementSize > static_cast<uint32_t>(std::numeric_limits<int32_t>::max()))
        return false;
    const uint64_t bytes = static_cast<uint64_t>(elementSize) * count;
    // Refuse up front what could not fit, so that a refusal writes nothing.
    if (m_store.Size() + kCellSize + bytes + kRecordSize > kMaxContainerSize)
        return false;
    zoBinFileTypeCell fresh;
    fresh.typeNo = typeNo;
    fresh.elementSize = static_cast<int32_t>(elementSize);
    zoBinFileTypeCell cell;
    int64_t cellAddress = EnsureType(typeNo, fresh, firstCellAt, cell);
    if (cellAddress == kNone)
        return false;
    if (rule == SizeRule::MustMatch &&
        (cell.variable != 0 || cell.elementSize != static_cast<int32_t>(elementSize)))
        return false;
    if (cell.elementCount + static_cast<uint64_t>(count) > kMaxCount)
        return false;
    if (firstIndex != nullptr)
        *firstIndex = cell.elementCount;
    int64_t address = Append(data, bytes);
    if (address == kNone)
        return false;
    zoBinFileDataAddress record{static_cast<int32_t>(address), count, -1};
    return LinkAddition(cellAddress, cell, record, touched);
}

bool ContainerCore::AddVariable(int typeNo, int32_t sizeField, const std::vector<Piece>& elements,
                                uint32_t* firstIndex, int64_t firstCellAt, TouchedCell* touched) {
    if (elements.empty() || elements.size() > kMaxCount)
        return false;
    uint64_t bytes = 0;
    for (const Piece& piece : elements)
        bytes += kLengthWordSize + static_cast<uint64_t>(piece.length);
    if (m_store.Size() + kCellSize + bytes + kRecordSize > kMaxContainerSize)
        return false;
    zoBinFileTypeCell fresh;
    fresh.typeNo = typeNo;
    fresh.elementSize = sizeField;
    fresh.variable = 1;
    zoBinFileTypeCell cell;
    int64_t cellAddress = EnsureType(typeNo, fresh, firstCellAt, cell);
    if (cellAddress == kNone || cell.variable != 1 ||
        cell.elementCount + static_cast<uint64_t>(elements.size()) > kMaxCount)
        return false;
    if (firstIndex != nullptr)
        *firstIndex = cell.elementCount;
    std::vector<unsigned char> block(bytes);
    unsigned char* at = block.data();
    for (const Piece& piece : elements) {
        PutU32(at, piece.length);
        if (piece.length > 0)
            std::copy_n(static_cast<const unsigned char*>(piece.bytes), piece.length, at + 4);
        at += kLengthWordSize + piece.length;
    }
    int64_t address = Append(block.data(), block.size());
    if (address == kNone)
        return false;
    zoBinFileDataAddress record{static_cast<int32_t>(address),
                                static_cast<uint32_t>(elements.size()), -1};
    return LinkAddition(cellAddress, cell, record, touched);
}

}  // namespace cellstore::detail
