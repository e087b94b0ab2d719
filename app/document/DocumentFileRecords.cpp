#include "document/DocumentFileRecords.h"

#include <algorithm>
#include <climits>
#include <cstddef>

#include "cellstore/cellstore.h"

namespace {

constexpr uint64_t kContainerHeaderBytes = 48;
constexpr uint64_t kTypeCellBytes = 28;
constexpr uint64_t kBlockRecordBytes = 12;

}  // namespace

uint32_t CountingRecordSink::add(int32_t type, uint32_t elementSize, const uint8_t*,
                                 uint32_t count) {
    const auto known = counts_.find(type);
    const auto first = static_cast<uint32_t>(known == counts_.end() ? 0 : known->second);
    if (count > 0) {
        counts_[type] += count;
        dataBytes_ += uint64_t{elementSize} * count;
        ++blocks_;
    }
    return first;
}

uint64_t CountingRecordSink::containerBytes() const {
    return kContainerHeaderBytes + kTypeCellBytes * counts_.size() + dataBytes_ +
           kBlockRecordBytes * blocks_;
}

uint32_t MemoryRecords::add(int32_t type, uint32_t elementSize, const uint8_t* data,
                            uint32_t count) {
    const uint32_t first = elementCount(type);
    if (count == 0) {
        return first;
    }
    sizes_.try_emplace(type, elementSize);
    const size_t bytes = size_t{elementSize} * count;
    blocks_.push_back({type, elementSize, std::vector<uint8_t>(data, data + bytes)});
    auto& all = data_[type];
    all.insert(all.end(), data, data + bytes);
    return first;
}

uint32_t MemoryRecords::elementCount(int32_t type) {
    const auto size = sizes_.find(type);
    if (size == sizes_.end() || size->second == 0) {
        return 0;
    }
    return static_cast<uint32_t>(data_[type].size() / size->second);
}

uint64_t MemoryRecords::heldBytes() {
    uint64_t total = 0;
    for (const auto& [type, bytes] : data_) {
        total += bytes.size();
    }
    return total;
}

bool MemoryRecords::get(int32_t type, uint32_t elementSize, uint32_t first, uint32_t count,
                        uint8_t* out) {
    const auto size = sizes_.find(type);
    const uint32_t available = elementCount(type);
    if (size == sizes_.end() || size->second != elementSize || first > available ||
        count > available - first) {
        return false;
    }
    const auto& all = data_[type];
    std::copy_n(all.begin() + static_cast<std::ptrdiff_t>(size_t{first} * elementSize),
                size_t{count} * elementSize, out);
    return true;
}

uint32_t CellstoreRecords::add(int32_t type, uint32_t elementSize, const uint8_t* data,
                               uint32_t count) {
    unsigned first = zoBfGetElementCountM(type);
    if (count == 0) {
        return first;
    }
    if (zoBfAddDataM(data, type, elementSize, count, &first) != 1) {
        allAdded_ = false;
    }
    return first;
}

uint32_t CellstoreRecords::elementCount(int32_t type) {
    return zoBfGetElementCountM(type);
}

uint64_t CellstoreRecords::heldBytes() {
    return zoBfGetMemoryFileM().GetSize();
}

bool CellstoreRecords::get(int32_t type, uint32_t elementSize, uint32_t first, uint32_t count,
                           uint8_t* out) {
    if (first > static_cast<uint32_t>(INT_MAX)) {
        return false;
    }
    return zoBfGetDataM(out, type, static_cast<int>(first), count, elementSize) == 1;
}
