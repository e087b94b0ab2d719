#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>
#include <string>

#include "cellstore/memfile.h"
#include "utf16_name.h"

namespace {

constexpr uint32_t kInitialTableEntries = 16;
constexpr int32_t kInitialGrowthStep = 16;
// Past a million entries a step the table grows by that much at a time.
constexpr uint64_t kMaxGrowthStep = uint64_t{1} << 20;
constexpr uint64_t kMaxFileSize = std::numeric_limits<uint32_t>::max();

// pwrite/pread until done; false on an error or (for reads) a premature end of file.
bool WriteFully(int descriptor, const char* bytes, size_t length, off_t offset) {
    while (length > 0) {
        ssize_t written = pwrite(descriptor, bytes, length, offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        length -= static_cast<size_t>(written);
        offset += written;
    }
    return true;
}

bool ReadFully(int descriptor, char* bytes, size_t length, off_t offset) {
    while (length > 0) {
        ssize_t got = pread(descriptor, bytes, length, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytes += got;
        length -= static_cast<size_t>(got);
        offset += got;
    }
    return true;
}

}  // namespace

zoMemFile::zoMemFile() {
    NewTable();
}

zoMemFile::zoMemFile(const zoMemFile& other) {
    NewTable();
    CopyContentsFrom(other);
}

zoMemFile& zoMemFile::operator=(const zoMemFile& other) {
    if (this != &other) {
        Clear();
        NewTable();
        CopyContentsFrom(other);
    }
    return *this;
}

zoMemFile::~zoMemFile() {
    Clear();
}

// A new table is the table of a fresh file: the growth step starts again too. Were it kept, it
// would double on every load until it wrapped around (see AddPage).
void zoMemFile::NewTable() {
    m_growthStep = kInitialGrowthStep;
    m_capacity = kInitialTableEntries;
    m_pages = new (std::nothrow) char*[m_capacity]();
    if (m_pages == nullptr)
        m_capacity = 0;
}

// Deep copy: own pages with the same bytes. If memory runs out the copy stays empty.
void zoMemFile::CopyContentsFrom(const zoMemFile& other) {
    m_pageSize = other.m_pageSize;
    for (uint32_t i = 0; i < other.m_pageCount; ++i) {
        if (!AddPage()) {
            Clear();
            NewTable();
            return;
        }
        std::memcpy(m_pages[i], other.m_pages[i], m_pageSize);
    }
    m_size = other.m_size;
    m_position = other.m_position;
}

void zoMemFile::ReInit() {
    Clear();
    NewTable();
}

void zoMemFile::Clear() {
    for (uint32_t i = 0; i < m_pageCount; ++i)
        delete[] m_pages[i];
    delete[] m_pages;
    m_pages = nullptr;
    m_pageCount = 0;
    m_size = 0;
    m_position = 0;
}

void zoMemFile::SetBufSize(unsigned n) {
    if (m_pageCount == 0)
        m_pageSize = n == 0 ? 1 : n;
}

int zoMemFile::Seek(int offset, int origin) {
    int64_t base;
    switch (origin) {
        case 0:
            if (offset < 0)
                return 1;
            base = 0;
            break;
        case 1:
            base = m_position;
            break;
        case 2:
            base = m_size;
            break;
        default:
            return 1;
    }
    int64_t target = base + offset;
    if (target < 0 || static_cast<uint64_t>(target) > kMaxFileSize)
        return 1;
    m_position = static_cast<uint32_t>(target);
    return 0;
}

void zoMemFile::CopyOut(char* bytes, uint32_t length) const {
    uint64_t at = m_position;
    while (length > 0) {
        uint32_t inPage = static_cast<uint32_t>(at % m_pageSize);
        uint32_t piece = std::min(length, m_pageSize - inPage);
        std::memcpy(bytes, m_pages[at / m_pageSize] + inPage, piece);
        bytes += piece;
        at += piece;
        length -= piece;
    }
}

void zoMemFile::CopyIn(const char* bytes, uint32_t length) {
    uint64_t at = m_position;
    while (length > 0) {
        uint32_t inPage = static_cast<uint32_t>(at % m_pageSize);
        uint32_t piece = std::min(length, m_pageSize - inPage);
        std::memcpy(m_pages[at / m_pageSize] + inPage, bytes, piece);
        bytes += piece;
        at += piece;
        length -= piece;
    }
}

int zoMemFile::Read(void* buffer, unsigned length) {
    if (buffer == nullptr)
        return 0;
    if (length == 0)
        return 1;
    if (static_cast<uint64_t>(m_position) + length > m_size)
        return 0;
    CopyOut(static_cast<char*>(buffer), length);
    m_position += length;
    return 1;
}

int zoMemFile::Write(const void* data, unsigned length) {
    if (data == nullptr)
        return 0;
    if (length == 0)
        return 1;
    uint64_t end = static_cast<uint64_t>(m_position) + length;
    if (end > kMaxFileSize)
        return 0;
    while (static_cast<uint64_t>(m_pageCount) * m_pageSize < end) {
        if (!AddPage())
            return 0;
    }
    CopyIn(static_cast<const char*>(data), length);
    m_position = static_cast<uint32_t>(end);
    m_size = std::max(m_size, m_position);
    return 1;
}

int zoMemFile::ReadAt(void* buffer, unsigned long offset, unsigned length) {
    if (offset > kMaxFileSize)
        return 0;
    uint32_t saved = m_position;
    m_position = static_cast<uint32_t>(offset);
    int result = Read(buffer, length);
    m_position = saved;
    return result;
}

int zoMemFile::WriteAt(const void* data, unsigned long offset, unsigned length) {
    if (offset > kMaxFileSize)
        return 0;
    uint32_t saved = m_position;
    m_position = static_cast<uint32_t>(offset);
    int result = Write(data, length);
    m_position = saved;
    return result;
}

void* zoMemFile::operator[](unsigned offset) {
    if (offset >= m_size)
        return nullptr;
    return m_pages[offset / m_pageSize] + offset % m_pageSize;
}

int zoMemFile::OpenFile(const char* name, int openFlags, int permission) {
    m_descriptor = name == nullptr ? -1 : open(name, openFlags, permission);
    return m_descriptor;
}

int zoMemFile::OpenFile(const char16_t* name, int openFlags, int permission) {
    std::string narrow;
    if (!cellstore::detail::Utf16ToUtf8(name, narrow))
        return m_descriptor = -1;
    return OpenFile(narrow.c_str(), openFlags, permission);
}

int zoMemFile::FromHandle(int descriptor) {
    m_descriptor = descriptor;
    return m_descriptor;
}

// The number is forgotten: a later save must not write into whatever file reuses it.
int zoMemFile::CloseFile() {
    if (m_descriptor < 0)
        return -1;
    int result = close(m_descriptor);
    m_descriptor = -1;
    return result == 0 ? 0 : -1;
}

int zoMemFile::LoadFile() {
    if (m_descriptor < 0)
        return 0;
    off_t length = lseek(m_descriptor, 0, SEEK_END);
    if (length < 0 || static_cast<uint64_t>(length) > kMaxFileSize)
        return 0;
    ReInit();
    uint64_t total = static_cast<uint64_t>(length);
    for (uint64_t offset = 0; offset < total; offset += m_pageSize) {
        uint32_t piece = static_cast<uint32_t>(std::min<uint64_t>(m_pageSize, total - offset));
        if (!AddPage() ||
            !ReadFully(m_descriptor, m_pages[m_pageCount - 1], piece, static_cast<off_t>(offset))) {
            ReInit();
            return 0;
        }
        m_size += piece;
    }
    return 1;
}

int zoMemFile::SaveFile() {
    if (m_descriptor < 0)
        return 0;
    if (m_pageCount == 0 || m_size == 0)
        return 1;
    for (uint64_t offset = 0; offset < m_size; offset += m_pageSize) {
        uint32_t piece = static_cast<uint32_t>(std::min<uint64_t>(m_pageSize, m_size - offset));
        if (!WriteFully(m_descriptor, m_pages[offset / m_pageSize], piece,
                        static_cast<off_t>(offset)))
            return 0;
    }
    return 1;
}

int zoMemFile::GetCurPageIndex() const {
    return GetPageIndex(m_position);
}

int zoMemFile::GetPageIndex(unsigned long offset) const {
    return static_cast<int>(offset / m_pageSize);
}

char* zoMemFile::GetPage(unsigned index) const {
    return index < m_pageCount ? m_pages[index] : nullptr;
}

int zoMemFile::AddPage() {
    if (m_pages == nullptr) {
        NewTable();
        if (m_pages == nullptr)
            return 0;
    }
    if (m_pageCount == std::numeric_limits<uint32_t>::max())
        return 0;
    char* page = new (std::nothrow) char[m_pageSize]();
    if (page == nullptr)
        return 0;
    if (m_pageCount >= m_capacity) {
        // Computed wide and capped: a step that wrapped around to zero or below would leave the
        // table no larger than the pages it holds, and the new page would be written past its
        // end (heap corruption, then a double free).
        const uint64_t step = static_cast<uint64_t>(std::max<int32_t>(m_growthStep, 1));
        const uint64_t wide = std::min<uint64_t>(uint64_t{m_capacity} + step,
                                                 std::numeric_limits<uint32_t>::max());
        const uint32_t grown = static_cast<uint32_t>(wide);
        if (grown <= m_pageCount) {
            delete[] page;
            return 0;
        }
        char** table = new (std::nothrow) char*[grown]();
        if (table == nullptr) {
            delete[] page;
            return 0;
        }
        std::copy(m_pages, m_pages + m_pageCount, table);
        delete[] m_pages;
        m_pages = table;
        m_capacity = grown;
        m_growthStep = static_cast<int32_t>(std::min(step * 2, kMaxGrowthStep));
    }
    m_pages[m_pageCount++] = page;
    return 1;
}

int zoMemFile::ClearPage(unsigned index) {
    if (index >= m_pageCount)
        return 0;
    delete[] m_pages[index];
    m_pages[index] = nullptr;
    return 1;
}
