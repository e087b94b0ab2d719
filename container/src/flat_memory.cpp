// The memory family: one global memory file holds the container between zoBfOpenM and
// zoBfCloseM; the disk is touched only there.
#include <fcntl.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "byte_store.h"
#include "cellstore/flat.h"
#include "cellstore/memfile.h"
#include "container_core.h"
#include "flat_ops.h"
#include "layout.h"
#include "no_throw.h"
#include "stdio_open.h"

using namespace cellstore::detail;

namespace {

zoMemFile& MemoryFile() {
    static zoMemFile file;
    return file;
}

// What the index knows about the memory file's chains; forgotten whenever it is refilled.
ChainIndex& MemoryIndex() {
    static ChainIndex index;
    return index;
}

int g_memoryStringTypeNo = -1;
// The page size asked for last; a memory file that still held a closed container when it was
// asked takes it when it is emptied by the next open.
unsigned g_requestedPageSize = 1024;

template <class Result, class Body>
Result OnMemory(Result failure, Body&& body) {
    return NoThrow(failure, [&] {
        MemFileStore store(MemoryFile());
        FlatTarget target{store, kFirstObjectOffset, g_memoryStringTypeNo, &MemoryIndex()};
        return static_cast<Result>(body(target));
    });
}

// Ties a freshly opened stream to the emptied memory file and loads it for reading modes.
// A file that cannot be loaded is closed and gives null, not an empty container.
FILE* AdoptStream(FILE* stream, bool load) {
    zoMemFile& file = MemoryFile();
    file.FromHandle(-1);
    file.ReInit();
    file.SetBufSize(g_requestedPageSize);
    MemoryIndex().Clear();
    if (stream == nullptr)
        return nullptr;
    file.FromHandle(fileno(stream));
    if (load && !file.LoadFile()) {
        file.FromHandle(-1);
        std::fclose(stream);
        return nullptr;
    }
    return stream;
}

bool OpenedReadOnly(int descriptor) {
    int flags = fcntl(descriptor, F_GETFL);
    return flags >= 0 && (flags & O_ACCMODE) == O_RDONLY;
}

}  // namespace

void zoBfIOMfSetPageSize(unsigned size) {
    g_requestedPageSize = size == 0 ? 1 : size;
    MemoryFile().SetBufSize(size);
}

FILE* zoBfOpenM(const char* name, const char* mode) {
    return NoThrow<FILE*>(nullptr,
                          [&] { return AdoptStream(OpenStream(name, mode), ModeReads(mode)); });
}

FILE* zoBfOpenM(const char16_t* name, const char16_t* mode) {
    return NoThrow<FILE*>(nullptr,
                          [&] { return AdoptStream(OpenStream(name, mode), ModeReads(mode)); });
}

int zoBfCloseM(FILE* stream) {
    if (stream == nullptr)
        return EOF;
    zoMemFile& file = MemoryFile();
    int descriptor = file.GetHandle();
    bool saved = descriptor < 0 || OpenedReadOnly(descriptor) || file.SaveFile() == 1;
    file.FromHandle(-1);  // the number dies with the stream
    int closed = std::fclose(stream);
    return saved && closed == 0 ? 0 : EOF;
}

const zoMemFile& zoBfGetMemoryFileM() {
    return MemoryFile();
}

int zoBfInitM() {
    return OnMemory(0, [](FlatTarget& target) { return FlatInit(target); });
}

int zoBfAddDataM(const void* data, int typeNo, unsigned elementSize, unsigned count,
                 unsigned* firstIndex) {
    return OnMemory(0, [&](FlatTarget& target) {
        return FlatAddData(target, data, typeNo, elementSize, count, firstIndex);
    });
}

int zoBfGetDataM(void* buffer, int typeNo, int first, unsigned count) {
    return OnMemory(0, [&](FlatTarget& target) {
        return FlatGetData(target, buffer, typeNo, first, count, 0);
    });
}

int zoBfGetDataM(void* buffer, int typeNo, int first, unsigned count, unsigned elementSize) {
    if (elementSize == 0)
        return 0;
    return OnMemory(0, [&](FlatTarget& target) {
        return FlatGetData(target, buffer, typeNo, first, count, elementSize);
    });
}

unsigned zoBfGetElementCountM(int typeNo) {
    return OnMemory(0u, [&](FlatTarget& target) { return FlatElementCount(target, typeNo); });
}

unsigned zoBfGetTopHeaderLengthM() {
    return kTopHeaderSize;
}

int zoBfGetStringTypeNoM() {
    return g_memoryStringTypeNo;
}

int zoBfSetStringTypeNoM(int typeNo) {
    g_memoryStringTypeNo = typeNo;
    return 1;
}

int zoBfAddStringM(const char* text, unsigned* index) {
    return OnMemory(0, [&](FlatTarget& target) { return FlatAddString(target, text, index); });
}

int zoBfAddStringM(const char16_t* text, unsigned* index) {
    return OnMemory(0, [&](FlatTarget& target) { return FlatAddString(target, text, index); });
}

int zoBfGetStringM(unsigned n, char*& text) {
    return OnMemory(
        0, [&](FlatTarget& target) { return FlatGetString(target, n, text, EmptyString::Accept); });
}

int zoBfGetStringM(unsigned n, char16_t*& text) {
    return OnMemory(
        0, [&](FlatTarget& target) { return FlatGetString(target, n, text, EmptyString::Accept); });
}

int zoBfGetStringAM(unsigned n, char* text) {
    return OnMemory(0, [&](FlatTarget& target) {
        return FlatGetStringInto(target, n, text, EmptyString::Accept);
    });
}

int zoBfGetStringAM(unsigned n, char16_t* text) {
    return OnMemory(0, [&](FlatTarget& target) {
        return FlatGetStringInto(target, n, text, EmptyString::Accept);
    });
}

unsigned zoBfGetStrLengM(unsigned n) {
    return OnMemory(0u, [&](FlatTarget& target) { return FlatStringLength(target, n); });
}

int zoBfAddStringsM(int typeNo, unsigned count, const char** texts, unsigned* firstIndex) {
    if (texts == nullptr || count == 0)
        return 0;
    return OnMemory(0, [&](FlatTarget& target) {
        std::vector<Piece> pieces(count);
        for (unsigned i = 0; i < count; ++i) {
            const char* text = texts[i];
            size_t length = text == nullptr ? 0 : std::strlen(text);
            if (length > kMaxContainerSize)
                return 0;
            pieces[i] = {text, static_cast<uint32_t>(length)};
        }
        return FlatAddStrings(target, typeNo, pieces, firstIndex);
    });
}

int zoBfGetStringsAM(int typeNo, unsigned count, unsigned first, char** texts) {
    if (texts == nullptr)
        return 0;
    return OnMemory(0, [&](FlatTarget& target) {
        unsigned i = 0;
        return FlatVisitStrings(
            target, typeNo, count, first,
            [&](ContainerCore& core, int64_t address, uint32_t length) {
                char* text = texts[i++];
                if (text == nullptr ||
                    !core.Store().ReadAt(static_cast<uint64_t>(address) + 4, text, length))
                    return false;
                text[length] = 0;
                return true;
            });
    });
}

int zoBfGetStringsLengM(int typeNo, unsigned count, unsigned first, unsigned* lengths) {
    if (lengths == nullptr)
        return 0;
    return OnMemory(0, [&](FlatTarget& target) {
        unsigned i = 0;
        return FlatVisitStrings(target, typeNo, count, first,
                                [&](ContainerCore&, int64_t, uint32_t length) {
                                    lengths[i++] = length;
                                    return true;
                                });
    });
}

int zoBfGetAvailableTypeNoM(int* usable) {
    return OnMemory(0, [&](FlatTarget& target) { return FlatAvailableTypeNo(target, usable); });
}

int zoBfIsAvailableTypeNoM(int typeNo) {
    return OnMemory(0, [&](FlatTarget& target) { return FlatIsAvailableTypeNo(target, typeNo); });
}
