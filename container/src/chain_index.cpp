// ContainerCore's use of the chain index: building it from a well-formed container, answering
// from it, and following the appends.
#include <algorithm>
#include <utility>

#include "container_core.h"
#include "layout.h"

namespace cellstore::detail {

void ContainerCore::ForgetIndex() {
    if (m_index != nullptr)
        m_index->Clear();
}

bool ContainerCore::Indexed() {
    if (m_index == nullptr)
        return false;
    ChainIndex& index = *m_index;
    if (index.state != ChainIndex::State::Unknown && index.header.typeCount == m_header.typeCount &&
        index.header.firstCell == m_header.firstCell)
        return index.state == ChainIndex::State::Valid;
    index.Clear();
    index.header = m_header;
    index.state = BuildIndex() ? ChainIndex::State::Valid : ChainIndex::State::Unusable;
    if (index.state != ChainIndex::State::Valid) {
        index.cellOrder.clear();
        index.cellsByType.clear();
        index.types.clear();
    }
    return index.state == ChainIndex::State::Valid;
}

bool ContainerCore::BuildIndex() {
    ChainIndex& index = *m_index;
    if (m_header.typeCount < 0 || static_cast<uint64_t>(m_header.typeCount) > MaxCells())
        return false;
    std::vector<std::pair<int64_t, int64_t>> ranges;  // [start, end) of every cell and record
    const uint64_t maxRecords = MaxRecords();
    int64_t address = m_header.firstCell;
    zoBinFileTypeCell cell;
    for (int32_t i = 0; i < m_header.typeCount; ++i) {
        if (!ReadCell(address, cell) || !index.cellsByType.emplace(cell.typeNo, address).second)
            return false;
        index.cellOrder.push_back(address);
        ranges.emplace_back(address, address + kCellSize);
        TypeBlocks blocks;
        blocks.firstAddress = cell.firstAddress;
        zoBinFileDataAddress record;
        for (int64_t at = cell.firstAddress; at != kNone; at = record.next) {
            if (ranges.size() > maxRecords + MaxCells() || !ReadRecord(at, record) ||
                record.address < 0 || record.count == 0)
                return false;
            blocks.blocks.push_back({at, record, blocks.total});
            blocks.total += record.count;
            ranges.emplace_back(at, at + kRecordSize);
        }
        if (blocks.total != cell.elementCount)
            return false;
        if (!blocks.blocks.empty())
            index.types.emplace(cell.typeNo, std::move(blocks));
        address = cell.nextCell;
    }
    if (address != kNone)
        return false;  // the chain goes on past the type count, or a count of 0 has a cell
    std::sort(ranges.begin(), ranges.end());
    for (size_t i = 0; i < ranges.size(); ++i) {
        int64_t floor = i == 0 ? kFirstObjectOffset : ranges[i - 1].second;
        if (ranges[i].first < floor)
            return false;
    }
    return true;
}

TypeBlocks* ContainerCore::IndexedBlocks(const zoBinFileTypeCell& cell) {
    if (!Indexed())
        return nullptr;
    auto found = m_index->types.find(cell.typeNo);
    if (found == m_index->types.end())
        return nullptr;
    if (found->second.firstAddress != cell.firstAddress ||
        found->second.total != cell.elementCount) {
        m_index->state = ChainIndex::State::Unusable;  // changed behind the index's back
        return nullptr;
    }
    return &found->second;
}

size_t FindBlock(TypeBlocks& type, uint64_t index) {
    auto holds = [&](size_t b) {
        const IndexedBlock& block = type.blocks[b];
        return block.firstIndex <= index && index < block.firstIndex + block.record.count;
    };
    size_t hit = type.lastHit;
    if (hit < type.blocks.size() && holds(hit))
        return hit;
    if (hit + 1 < type.blocks.size() && holds(hit + 1))
        return type.lastHit = hit + 1;
    auto after = std::upper_bound(
        type.blocks.begin(), type.blocks.end(), index,
        [](uint64_t i, const IndexedBlock& block) { return i < block.firstIndex; });
    return type.lastHit = static_cast<size_t>(after - type.blocks.begin()) - 1;
}

void ContainerCore::NoteAppendedCell(int32_t typeNo, int64_t address) {
    m_index->cellOrder.push_back(address);
    m_index->cellsByType.emplace(typeNo, address);
    m_index->header = m_header;
}

void ContainerCore::NoteLinkedBlock(const zoBinFileTypeCell& cell, uint64_t totalBefore,
                                    int64_t placed, const zoBinFileDataAddress& record,
                                    bool filledPlaceholder) {
    if (m_index == nullptr || m_index->state != ChainIndex::State::Valid)
        return;
    TypeBlocks& entry = m_index->types[cell.typeNo];
    bool firstBlock = entry.blocks.empty() && totalBefore == 0 && cell.firstAddress == placed;
    bool nextBlock = !entry.blocks.empty() && entry.total == totalBefore &&
                     entry.firstAddress == cell.firstAddress;
    if (filledPlaceholder || record.address < 0 || record.count == 0 ||
        !(firstBlock || nextBlock)) {
        m_index->Clear();
        return;
    }
    if (firstBlock)
        entry.firstAddress = cell.firstAddress;
    else
        entry.blocks.back().record.next = static_cast<int32_t>(placed);
    entry.blocks.push_back({placed, record, entry.total});
    entry.total += record.count;
}

}  // namespace cellstore::detail
