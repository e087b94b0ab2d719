#include "flat_ops.h"

#include <algorithm>
#include <limits>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "byte_order.h"
#include "container_core.h"
#include "layout.h"

namespace cellstore::detail {

namespace {

// Address of string n under the string type, or kNone.
int64_t LocateString(ContainerCore& core, int stringTypeNo, uint32_t n) {
    zoBinFileTypeCell cell;
    if (core.FindCell(stringTypeNo, &cell) == kNone || cell.elementSize <= 0)
        return kNone;
    return core.VarElementAddress(cell, n, nullptr);
}

// The `length` characters stored after the length word at `address` (16-bit little-endian
// units for wide text).
template <class Char>
bool ReadChars(ContainerCore& core, int64_t address, uint32_t length, std::vector<Char>& out) {
    std::vector<unsigned char> bytes(static_cast<size_t>(length) * sizeof(Char));
    if (!core.Store().ReadAt(static_cast<uint64_t>(address) + 4, bytes.data(), bytes.size()))
        return false;
    out.resize(length);
    for (uint32_t i = 0; i < length; ++i) {
        if constexpr (sizeof(Char) == 1)
            out[i] = static_cast<Char>(bytes[i]);
        else
            out[i] = static_cast<Char>(GetU16(&bytes[2 * i]));
    }
    return true;
}

template <class Char>
size_t TextLength(const Char* text) {
    return std::char_traits<Char>::length(text);
}

}  // namespace

int FlatInit(const FlatTarget& target) {
    if (target.index != nullptr)
        target.index->Clear();
    zoBinFileHeader header;
    ContainerCore core(target.store, header, target.index);
    return core.WriteEmptyContainer() ? 1 : 0;
}

int FlatAddData(const FlatTarget& target, const void* data, int typeNo, uint32_t elementSize,
                uint32_t count, uint32_t* firstIndex) {
    if (data == nullptr || elementSize == 0 || count == 0)
        return 0;
    // Strings of different lengths share the string type, one block each, so only there the
    // element size is free; elsewhere a mismatched size would corrupt every later read.
    SizeRule rule = typeNo == target.stringTypeNo ? SizeRule::Any : SizeRule::MustMatch;
    return WithHeader(target, [&](ContainerCore& core) {
        return core.AddFixed(data, typeNo, elementSize, count, firstIndex, rule, target.firstCellAt,
                             nullptr)
                   ? 1
                   : 0;
    });
}

int FlatGetData(const FlatTarget& target, void* buffer, int typeNo, int first, uint32_t count,
                uint32_t expectedSize) {
    return WithHeader(target, [&](ContainerCore& core) {
        zoBinFileTypeCell cell;
        if (buffer == nullptr || first < 0 || core.FindCell(typeNo, &cell) == kNone)
            return 0;
        if (expectedSize != 0 && cell.elementSize != static_cast<int64_t>(expectedSize))
            return 0;
        return core.ReadFixedRun(cell, buffer, first, count) ? 1 : 0;
    });
}

uint32_t FlatElementCount(const FlatTarget& target, int typeNo) {
    return WithHeader(target, [&](ContainerCore& core) -> uint32_t {
        zoBinFileTypeCell cell;
        return core.FindCell(typeNo, &cell) == kNone ? 0 : cell.elementCount;
    });
}

int FlatAvailableTypeNo(const FlatTarget& target, int* usable) {
    return WithHeader(target, [&](ContainerCore& core) {
        std::vector<int32_t> numbers = core.TypeNumbers();
        if (numbers.empty())
            return 0;
        std::sort(numbers.begin(), numbers.end());
        numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
        int64_t proposal = static_cast<int64_t>(numbers.back()) + 1;
        for (size_t i = 0; i + 1 < numbers.size(); ++i) {
            if (numbers[i + 1] != numbers[i] + 1) {
                proposal = static_cast<int64_t>(numbers[i]) + 1;
                break;
            }
        }
        if (proposal > std::numeric_limits<int32_t>::max())
            return 0;  // every number from the smallest up is taken
        if (usable != nullptr)
            *usable = proposal == numbers.front() || proposal == target.stringTypeNo ? 0 : 1;
        return static_cast<int>(proposal);
    });
}

int FlatIsAvailableTypeNo(const FlatTarget& target, int typeNo) {
    return WithHeader(target, [&](ContainerCore& core) {
        if (core.Header().typeCount == 0 || typeNo == target.stringTypeNo)
            return 0;
        std::vector<int32_t> numbers = core.TypeNumbers();
        return std::find(numbers.begin(), numbers.end(), typeNo) != numbers.end() ? 1 : 0;
    });
}

template <class Char>
int FlatAddString(const FlatTarget& target, const Char* text, uint32_t* index) {
    if (text == nullptr || text[0] == 0)
        return 0;
    size_t length = TextLength(text);
    if (length > kMaxContainerSize / sizeof(Char))
        return 0;
    std::vector<unsigned char> element(kLengthWordSize + length * sizeof(Char));
    PutU32(element.data(), static_cast<uint32_t>(length));
    for (size_t i = 0; i < length; ++i) {
        if constexpr (sizeof(Char) == 1)
            element[kLengthWordSize + i] = static_cast<unsigned char>(text[i]);
        else
            PutU16(&element[kLengthWordSize + 2 * i], static_cast<uint16_t>(text[i]));
    }
    return WithHeader(target, [&](ContainerCore& core) {
        return core.AddFixed(element.data(), target.stringTypeNo,
                             static_cast<uint32_t>(element.size()), 1, index, SizeRule::Any,
                             target.firstCellAt, nullptr)
                   ? 1
                   : 0;
    });
}

template <class Char>
int FlatGetString(const FlatTarget& target, uint32_t n, Char*& text, EmptyString empty) {
    return WithHeader(target, [&](ContainerCore& core) {
        int64_t address = LocateString(core, target.stringTypeNo, n);
        if (address == kNone)
            return 0;
        delete[] text;
        text = nullptr;
        uint32_t length = 0;
        if (!core.VarLengthAt(address, sizeof(Char), length))
            return 0;
        if (length == 0)
            return empty == EmptyString::Accept ? 1 : 0;
        std::vector<Char> chars;
        if (!ReadChars(core, address, length, chars))
            return 0;
        text = new (std::nothrow) Char[static_cast<size_t>(length) + 1];
        if (text == nullptr)
            return 0;
        std::copy(chars.begin(), chars.end(), text);
        text[length] = 0;
        return 1;
    });
}

template <class Char>
int FlatGetStringInto(const FlatTarget& target, uint32_t n, Char* text, EmptyString empty) {
    if (text == nullptr)
        return 0;
    return WithHeader(target, [&](ContainerCore& core) {
        int64_t address = LocateString(core, target.stringTypeNo, n);
        uint32_t length = 0;
        if (address == kNone || !core.VarLengthAt(address, sizeof(Char), length))
            return 0;
        if (length == 0 && empty == EmptyString::Refuse)
            return 0;
        std::vector<Char> chars;
        if (!ReadChars(core, address, length, chars))
            return 0;
        std::copy(chars.begin(), chars.end(), text);
        text[length] = 0;
        return 1;
    });
}

int FlatAddStrings(const FlatTarget& target, int typeNo, const std::vector<Piece>& texts,
                   uint32_t* firstIndex) {
    return WithHeader(target, [&](ContainerCore& core) {
        return core.AddVariable(typeNo, 1, texts, firstIndex, target.firstCellAt, nullptr) ? 1 : 0;
    });
}

uint32_t FlatStringLength(const FlatTarget& target, uint32_t n) {
    return WithHeader(target, [&](ContainerCore& core) -> uint32_t {
        int64_t address = LocateString(core, target.stringTypeNo, n);
        uint32_t length = 0;
        return address != kNone && core.ReadLengthWord(address, length) ? length : 0;
    });
}

template int FlatAddString<char>(const FlatTarget&, const char*, uint32_t*);
template int FlatAddString<char16_t>(const FlatTarget&, const char16_t*, uint32_t*);
template int FlatGetString<char>(const FlatTarget&, uint32_t, char*&, EmptyString);
template int FlatGetString<char16_t>(const FlatTarget&, uint32_t, char16_t*&, EmptyString);
template int FlatGetStringInto<char>(const FlatTarget&, uint32_t, char*, EmptyString);
template int FlatGetStringInto<char16_t>(const FlatTarget&, uint32_t, char16_t*, EmptyString);

}  // namespace cellstore::detail
