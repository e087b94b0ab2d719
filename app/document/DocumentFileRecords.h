// Where the document file's records go to and come from: the container's typed element runs.
//
// The writer adds runs of elements of one type and learns the index of the first; the reader
// asks how many elements a type holds and copies runs back. Both sides work through these small
// interfaces so that the record order can be counted before anything is written, and tested
// without a disk.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

class DocumentRecordSink {
  public:
    virtual ~DocumentRecordSink() = default;
    // Adds `count` elements of `elementSize` bytes to `type`; returns the index of the first
    // (the type's element count before the addition). Adding zero elements adds nothing.
    virtual uint32_t add(int32_t type, uint32_t elementSize, const uint8_t* data,
                         uint32_t count) = 0;
};

class DocumentRecordSource {
  public:
    virtual ~DocumentRecordSource() = default;
    // The count the source declares; a damaged file may declare more than it holds.
    virtual uint32_t elementCount(int32_t type) = 0;
    // Bytes the source really holds (for a container: its size). No run of elements can be
    // longer, whatever count is declared.
    virtual uint64_t heldBytes() = 0;
    // Copies elements first .. first + count - 1 into `out` (count × elementSize bytes); false
    // and nothing copied if they are not all there or the type's element size differs.
    virtual bool get(int32_t type, uint32_t elementSize, uint32_t first, uint32_t count,
                     uint8_t* out) = 0;
};

// Sums what a write would add: element counts per type, bytes of data, blocks and types, so the
// size of the container is known before it is built.
class CountingRecordSink : public DocumentRecordSink {
  public:
    uint32_t add(int32_t type, uint32_t elementSize, const uint8_t* data, uint32_t count) override;

    // Bytes of the container that the additions would make: its 48-byte header, a 28-byte cell
    // per type, each block's data and its 12-byte record.
    uint64_t containerBytes() const;

  private:
    std::map<int32_t, uint64_t> counts_;
    uint64_t dataBytes_ = 0;
    uint64_t blocks_ = 0;
};

// Records in memory, type by type; a sink and a source at once.
class MemoryRecords : public DocumentRecordSink, public DocumentRecordSource {
  public:
    struct Block {
        int32_t type;
        uint32_t elementSize;
        std::vector<uint8_t> bytes;
    };

    uint32_t add(int32_t type, uint32_t elementSize, const uint8_t* data, uint32_t count) override;
    uint32_t elementCount(int32_t type) override;
    uint64_t heldBytes() override;
    bool get(int32_t type, uint32_t elementSize, uint32_t first, uint32_t count,
             uint8_t* out) override;

    // Every addition in order.
    const std::vector<Block>& blocks() const { return blocks_; }

  private:
    std::vector<Block> blocks_;
    std::map<int32_t, std::vector<uint8_t>> data_;
    std::map<int32_t, uint32_t> sizes_;
};

// The library's global memory container (it must be open).
class CellstoreRecords : public DocumentRecordSink, public DocumentRecordSource {
  public:
    uint32_t add(int32_t type, uint32_t elementSize, const uint8_t* data, uint32_t count) override;
    uint32_t elementCount(int32_t type) override;
    uint64_t heldBytes() override;
    bool get(int32_t type, uint32_t elementSize, uint32_t first, uint32_t count,
             uint8_t* out) override;

    // False once an addition failed.
    bool allAdded() const { return allAdded_; }

  private:
    bool allAdded_ = true;
};
