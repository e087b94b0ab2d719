// Random access to the bytes of a container, wherever they live (memory file or stream).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

class zoMemFile;

namespace cellstore::detail {

class ByteStore {
  public:
    virtual ~ByteStore() = default;
    virtual uint64_t Size() = 0;
    // False, with nothing or a part transferred, when the run does not fit or I/O fails.
    virtual bool ReadAt(uint64_t offset, void* buffer, size_t length) = 0;
    virtual bool WriteAt(uint64_t offset, const void* data, size_t length) = 0;
};

class MemFileStore final : public ByteStore {
  public:
    explicit MemFileStore(zoMemFile& file) : m_file(file) {}
    uint64_t Size() override;
    bool ReadAt(uint64_t offset, void* buffer, size_t length) override;
    bool WriteAt(uint64_t offset, const void* data, size_t length) override;

  private:
    zoMemFile& m_file;
};

class StreamStore final : public ByteStore {
  public:
    explicit StreamStore(FILE* stream) : m_stream(stream) {}
    uint64_t Size() override;
    bool ReadAt(uint64_t offset, void* buffer, size_t length) override;
    bool WriteAt(uint64_t offset, const void* data, size_t length) override;

  private:
    FILE* m_stream;
};

}  // namespace cellstore::detail
