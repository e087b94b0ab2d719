// The stream family: the container is read and written in place in an open stdio stream.
#include <cstdio>

#include "byte_store.h"
#include "cellstore/flat.h"
#include "container_core.h"
#include "flat_ops.h"
#include "layout.h"
#include "no_throw.h"
#include "stdio_open.h"

using namespace cellstore::detail;

namespace {

int g_streamStringTypeNo = -1;

// Runs a stream operation; a null stream gives the failure value.
template <class Result, class Body>
Result OnStream(FILE* stream, Result failure, Body&& body) {
    if (stream == nullptr)
        return failure;
    return NoThrow(failure, [&] {
        StreamStore store(stream);
        FlatTarget target{store, kNone, g_streamStringTypeNo, nullptr};
        return static_cast<Result>(body(target));
    });
}

}  // namespace

FILE* zoBfOpen(const char* name, const char* mode) {
    return OpenStream(name, mode);
}

FILE* zoBfOpen(const char16_t* name, const char16_t* mode) {
    return NoThrow<FILE*>(nullptr, [&] { return OpenStream(name, mode); });
}

int zoBfClose(FILE* stream) {
    return stream == nullptr ? EOF : std::fclose(stream);
}

int zoBfInit(FILE* stream) {
    return OnStream(stream, 0, [](FlatTarget& target) { return FlatInit(target); });
}

int zoBfAddData(FILE* stream, const void* data, int typeNo, unsigned elementSize, unsigned count,
                unsigned* firstIndex) {
    return OnStream(stream, 0, [&](FlatTarget& target) {
        return FlatAddData(target, data, typeNo, elementSize, count, firstIndex);
    });
}

int zoBfGetData(FILE* stream, void* buffer, int typeNo, int first, unsigned count) {
    return OnStream(stream, 0, [&](FlatTarget& target) {
        return FlatGetData(target, buffer, typeNo, first, count, 0);
    });
}

int zoBfGetData(FILE* stream, void* buffer, int typeNo, int first, unsigned count,
                unsigned elementSize) {
    if (elementSize == 0)
        return 0;
    return OnStream(stream, 0, [&](FlatTarget& target) {
        return FlatGetData(target, buffer, typeNo, first, count, elementSize);
    });
}

unsigned zoBfGetElementCount(FILE* stream, int typeNo) {
    return OnStream(stream, 0u,
                    [&](FlatTarget& target) { return FlatElementCount(target, typeNo); });
}

int zoBfGetStringTypeNo() {
    return g_streamStringTypeNo;
}

int zoBfSetStringTypeNo(int typeNo) {
    g_streamStringTypeNo = typeNo;
    return 1;
}

int zoBfAddString(FILE* stream, const char* text, unsigned* index) {
    return OnStream(stream, 0,
                    [&](FlatTarget& target) { return FlatAddString(target, text, index); });
}

int zoBfAddString(FILE* stream, const char16_t* text, unsigned* index) {
    return OnStream(stream, 0,
                    [&](FlatTarget& target) { return FlatAddString(target, text, index); });
}

int zoBfGetString(FILE* stream, unsigned n, char*& text) {
    return OnStream(stream, 0, [&](FlatTarget& target) {
        return FlatGetString(target, n, text, EmptyString::Refuse);
    });
}

int zoBfGetString(FILE* stream, unsigned n, char16_t*& text) {
    return OnStream(stream, 0, [&](FlatTarget& target) {
        return FlatGetString(target, n, text, EmptyString::Refuse);
    });
}

int zoBfGetStringA(FILE* stream, unsigned n, char* text) {
    return OnStream(stream, 0, [&](FlatTarget& target) {
        return FlatGetStringInto(target, n, text, EmptyString::Refuse);
    });
}

int zoBfGetStringA(FILE* stream, unsigned n, char16_t* text) {
    return OnStream(stream, 0, [&](FlatTarget& target) {
        return FlatGetStringInto(target, n, text, EmptyString::Refuse);
    });
}

unsigned zoBfGetStrLeng(FILE* stream, unsigned n) {
    return OnStream(stream, 0u, [&](FlatTarget& target) { return FlatStringLength(target, n); });
}

int zoBfGetAvailableTypeNo(FILE* stream, int* usable) {
    return OnStream(stream, 0,
                    [&](FlatTarget& target) { return FlatAvailableTypeNo(target, usable); });
}

int zoBfIsAvailableTypeNo(FILE* stream, int typeNo) {
    return OnStream(stream, 0,
                    [&](FlatTarget& target) { return FlatIsAvailableTypeNo(target, typeNo); });
}

unsigned zoBfGetTopHeaderLength() {
    return kTopHeaderSize;
}
