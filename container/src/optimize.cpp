// Rewriting a container so that each type's data lies in one block.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "byte_store.h"
#include "cellstore/flat.h"
#include "container_core.h"
#include "layout.h"
#include "no_throw.h"
#include "utf16_name.h"

using namespace cellstore::detail;

namespace {

// Copies every element of one type from `source` into the (placeholder-linked) same type of
// `target`: variable-size types element by element as one block, strings of the string type
// one block each as they were added, other fixed-size types as one block.
bool CopyTypeData(ContainerCore& source, const zoBinFileTypeCell& cell, ContainerCore& target,
                  int stringTypeNo) {
    if (cell.variable != 0) {
        std::vector<std::vector<unsigned char>> elements;
        bool read = source.VisitVarRun(cell, 0, cell.elementCount, [&](int64_t at, uint32_t n) {
            elements.emplace_back(n);
            return source.Store().ReadAt(static_cast<uint64_t>(at) + kLengthWordSize,
                                         elements.back().data(), n);
        });
        std::vector<Piece> pieces;
        for (const auto& element : elements)
            pieces.push_back({element.data(), static_cast<uint32_t>(element.size())});
        return read &&
               target.AddVariable(cell.typeNo, cell.elementSize, pieces, nullptr, kNone, nullptr);
    }
    if (cell.elementSize <= 0)
        return false;
    if (cell.typeNo == stringTypeNo) {
        for (uint32_t i = 0; i < cell.elementCount; ++i) {
            int64_t at = source.VarElementAddress(cell, i, nullptr);
            uint32_t length = 0;
            if (at == kNone || !source.VarLengthAt(at, 1, length))
                return false;
            std::vector<unsigned char> element(kLengthWordSize + static_cast<size_t>(length));
            if (!source.Store().ReadAt(static_cast<uint64_t>(at), element.data(), element.size()) ||
                !target.AddFixed(element.data(), cell.typeNo, static_cast<uint32_t>(element.size()),
                                 1, nullptr, SizeRule::Any, kNone, nullptr))
                return false;
        }
        return true;
    }
    uint64_t bytes = static_cast<uint64_t>(cell.elementSize) * cell.elementCount;
    if (bytes > source.Store().Size())
        return false;  // the count cannot be true; do not allocate for it
    std::vector<unsigned char> buffer(bytes);
    return source.ReadFixedRun(cell, buffer.data(), 0, cell.elementCount) &&
           target.AddFixed(buffer.data(), cell.typeNo, static_cast<uint32_t>(cell.elementSize),
                           cell.elementCount, nullptr, SizeRule::MustMatch, kNone, nullptr);
}

// Builds the rewritten container in `out`; false at the first step that fails.
bool Rewrite(FILE* in, FILE* out) {
    StreamStore sourceStore(in);
    StreamStore targetStore(out);
    zoBinFileHeader sourceHeader;
    zoBinFileHeader targetHeader;
    // Indexes find a type's cell without walking the chain: the source's is built from a
    // well-formed chain (a damaged one is walked), the target's follows the cell appends (the
    // placeholder blocks linked after them retire it).
    ChainIndex sourceIndex;
    ContainerCore source(sourceStore, sourceHeader, &sourceIndex);
    ChainIndex targetIndex;
    ContainerCore target(targetStore, targetHeader, &targetIndex);
    unsigned char topHeader[kTopHeaderSize];
    if (!source.ReadHeader() || !sourceStore.ReadAt(0, topHeader, sizeof topHeader) ||
        !targetStore.WriteAt(0, topHeader, sizeof topHeader))
        return false;
    targetHeader = sourceHeader;
    targetHeader.typeCount = 0;
    targetHeader.firstCell = -1;
    if (!target.WriteHeader())
        return false;

    const std::vector<zoBinFileTypeCell> cells = source.Cells();
    std::vector<int64_t> addresses(cells.size(), kNone);
    for (size_t i = 0; i < cells.size(); ++i) {
        zoBinFileTypeCell copy = cells[i];
        copy.nextCell = -1;
        copy.elementCount = 0;
        copy.firstAddress = -1;
        if (!target.AppendCell(copy, &addresses[i], kNone))
            return false;
    }
    for (size_t i = 0; i < cells.size(); ++i) {
        zoBinFileTypeCell copy;
        if (!target.ReadCell(addresses[i], copy) ||
            target.LinkBlock(addresses[i], copy, zoBinFileDataAddress{}) == kNone)
            return false;
    }
    const int stringTypeNo = zoBfGetStringTypeNo();
    for (const zoBinFileTypeCell& cell : cells) {
        bool hasData = cell.elementCount != 0 && (cell.variable != 0 || cell.elementSize != 0);
        if (hasData && !CopyTypeData(source, cell, target, stringTypeNo))
            return false;
    }
    return target.WriteHeader();
}

// A unique file beside the container, so that the final rename replaces it in one step.
FILE* CreateTemporaryBeside(const std::string& name, std::string& temporaryName) {
    temporaryName = name + ".XXXXXX";
    int descriptor = mkstemp(temporaryName.data());
    if (descriptor < 0)
        return nullptr;
    FILE* stream = fdopen(descriptor, "w+b");
    if (stream == nullptr) {
        close(descriptor);
        unlink(temporaryName.c_str());
    }
    return stream;
}

int Optimize(const std::string& name) {
    FILE* in = std::fopen(name.c_str(), "rb");
    if (in == nullptr)
        return 0;
    std::string temporaryName;
    FILE* out = CreateTemporaryBeside(name, temporaryName);
    if (out == nullptr) {
        std::fclose(in);
        return 0;
    }
    bool ok = NoThrow(false, [&] { return Rewrite(in, out); });
    struct stat original {};
    ok = ok && fstat(fileno(in), &original) == 0 && fchmod(fileno(out), original.st_mode) == 0;
    ok = ok && std::fflush(out) == 0 && fsync(fileno(out)) == 0;
    std::fclose(in);
    ok = std::fclose(out) == 0 && ok;
    ok = ok && std::rename(temporaryName.c_str(), name.c_str()) == 0;
    if (!ok)
        unlink(temporaryName.c_str());
    return ok ? 1 : 0;
}

}  // namespace

int zoBfOptimize(const char* name, int /*ignored*/) {
    if (name == nullptr)
        return 0;
    return NoThrow(0, [&] { return Optimize(name); });
}

int zoBfOptimize(const char16_t* name, int /*ignored*/) {
    return NoThrow(0, [&] {
        std::string narrow;
        return Utf16ToUtf8(name, narrow) ? Optimize(narrow) : 0;
    });
}
