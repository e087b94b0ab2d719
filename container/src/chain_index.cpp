// ContainerCore's use of the chain index: building it from well-formed chains, answering from
// it, and keeping it up to date as blocks and cells are appended.
#include <algorithm>

#include "container_core.h"

namespace cellstore::detail {

void ContainerCore::ForgetIndex() {
    if (m_index != nullptr)
        m_index->Clear();
}

bool ContainerCore::CellsIndexed() {
    if (m_index == nullptr)
        return false;
    ChainIndex& index = *m_index;
    if (index.cellsValid && index.header.typeCount == m_header.typeCount &&
        index.header.firstCell == m_header.firstCell)
        return true;
    index.Clear();
    if (m_header.typeCount < 0 || static_cast<uint64_t>(m_header.typeCount) > MaxCells())
        return false;
    int64_t address = m_header.firstCell;
    zoBinFileTypeCell cell;
    for (int32_t i = 0; i < m_header.typeCount; ++i) {
        if (!ReadCell(address, cell))
            return false;
        index.cellOrder.push_back(address);
        index.cellsByType.emplace(cell.typeNo, address);  // the first cell of a number wins
        address = cell.nextCell;
    }
    if (address != kNone)
        return false;  // the chain goes on past the type count, or a count of 0 has a cell
    index.header = m_header;
    index.cellsValid = true;
    return true;
}

const TypeBlocks* ContainerCore::IndexedBlocks(const zoBinFileTypeCell& cell) {
    if (m_index == nullptr)
        return nullptr;
    auto found = m_index->types.find(cell.typeNo);
    if (found != m_index->types.end() && found->second.firstAddress == cell.firstAddress &&
        found->second.total == cell.elementCount)
        return &found->second;
    TypeBlocks entry;
    entry.firstAddress = cell.firstAddress;
    int64_t address = cell.firstAddress;
    const uint64_t maxRecords = MaxRecords();
    zoBinFileDataAddress record;
    while (address != kNone) {
        if (entry.blocks.size() >= maxRecords || !ReadRecord(address, record) ||
            record.address < 0 || record.count == 0) {
            m_index->types.erase(cell.typeNo);
            return nullptr;
        }
        entry.blocks.push_back({address, record, entry.total});
        entry.total += record.count;
        address = record.next;
    }
    if (entry.blocks.empty() || entry.total != cell.elementCount) {
        m_index->types.erase(cell.typeNo);
        return nullptr;
    }
    return &(m_index->types[cell.typeNo] = std::move(entry));
}

void ContainerCore::NoteLinkedBlock(const zoBinFileTypeCell& cell, uint64_t totalBefore,
                                    int64_t placed, const zoBinFileDataAddress& record,
                                    bool filledPlaceholder) {
    if (m_index == nullptr)
        return;
    auto found = m_index->types.find(cell.typeNo);
    bool usable = record.address >= 0 && record.count > 0 && !filledPlaceholder;
    if (usable && cell.firstAddress == placed) {
        // The type's first block.
        TypeBlocks entry;
        entry.firstAddress = cell.firstAddress;
        entry.total = record.count;
        entry.blocks.push_back({placed, record, 0});
        m_index->types[cell.typeNo] = std::move(entry);
        return;
    }
    if (usable && found != m_index->types.end() &&
        found->second.firstAddress == cell.firstAddress && found->second.total == totalBefore) {
        TypeBlocks& entry = found->second;
        entry.blocks.back().record.next = static_cast<int32_t>(placed);
        entry.blocks.push_back({placed, record, entry.total});
        entry.total += record.count;
        return;
    }
    if (found != m_index->types.end())
        m_index->types.erase(found);
}

}  // namespace cellstore::detail
