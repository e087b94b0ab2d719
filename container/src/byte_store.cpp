#include "byte_store.h"

#include <sys/types.h>

#include <limits>

#include "cellstore/memfile.h"

namespace cellstore::detail {

namespace {
constexpr uint64_t kMaxMemoryOffset = std::numeric_limits<uint32_t>::max();
}

uint64_t MemFileStore::Size() {
    return m_file.GetSize();
}

bool MemFileStore::ReadAt(uint64_t offset, void* buffer, size_t length) {
    if (length == 0)
        return offset <= m_file.GetSize();
    if (offset > kMaxMemoryOffset || length > kMaxMemoryOffset)
        return false;
    return m_file.ReadAt(buffer, offset, static_cast<unsigned>(length)) == 1;
}

bool MemFileStore::WriteAt(uint64_t offset, const void* data, size_t length) {
    if (length == 0)
        return true;
    if (offset > kMaxMemoryOffset || length > kMaxMemoryOffset)
        return false;
    return m_file.WriteAt(data, offset, static_cast<unsigned>(length)) == 1;
}

uint64_t StreamStore::Size() {
    if (fseeko(m_stream, 0, SEEK_END) != 0)
        return 0;
    off_t end = ftello(m_stream);
    return end < 0 ? 0 : static_cast<uint64_t>(end);
}

// A run that passes the end is refused before anything is copied.
bool StreamStore::ReadAt(uint64_t offset, void* buffer, size_t length) {
    if (length == 0)
        return true;
    if (offset + length < offset || offset + length > Size())
        return false;
    if (offset > static_cast<uint64_t>(std::numeric_limits<off_t>::max()) ||
        fseeko(m_stream, static_cast<off_t>(offset), SEEK_SET) != 0)
        return false;
    return fread(buffer, 1, length, m_stream) == length;
}

bool StreamStore::WriteAt(uint64_t offset, const void* data, size_t length) {
    if (length == 0)
        return true;
    if (offset > static_cast<uint64_t>(std::numeric_limits<off_t>::max()) ||
        fseeko(m_stream, static_cast<off_t>(offset), SEEK_SET) != 0)
        return false;
    return fwrite(data, 1, length, m_stream) == length && fflush(m_stream) == 0;
}

}  // namespace cellstore::detail
