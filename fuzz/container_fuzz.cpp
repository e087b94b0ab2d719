// Loads arbitrary bytes as a container and reads every type through all three interfaces.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "FuzzScratch.h"
#include "cellstore/cellstore.h"

namespace {

// Lists the cells of the loaded container.
class FuzzAgent : public zoBinFileAgent {
  public:
    std::vector<zoBinFileTypeCell> Cells() {
        std::vector<zoBinFileTypeCell> cells;
        for (int i = 0; i < 32 && static_cast<unsigned>(i) < GetTypeCount(); ++i) {
            zoBinFileTypeCell cell;
            if (GetTypeInfo(i, cell) == 1)
                cells.push_back(cell);
        }
        return cells;
    }
};

constexpr uint64_t kMaxRead = 1 << 20;

void ReadType(FuzzAgent& agent, FILE* stream, const zoBinFileTypeCell& cell) {
    const uint64_t count = cell.elementCount < 64 ? cell.elementCount : 64;
    if (cell.elementSize > 0 && count * static_cast<uint64_t>(cell.elementSize) <= kMaxRead) {
        std::vector<unsigned char> buffer(count * static_cast<uint64_t>(cell.elementSize) + 1);
        const unsigned size = static_cast<unsigned>(cell.elementSize);
        agent.GetData(buffer.data(), cell.typeNo, 0, static_cast<unsigned>(count), size);
        zoBfGetDataM(buffer.data(), cell.typeNo, 0, static_cast<unsigned>(count), size);
        zoBfGetData(stream, buffer.data(), cell.typeNo, 0, static_cast<unsigned>(count), size);
    }
    char* element = nullptr;
    for (int i = 0; i < 4; ++i)
        agent.GetDataV(element, cell.typeNo, i);
    delete[] element;

    zoBfSetStringTypeNoM(cell.typeNo);
    zoBfSetStringTypeNo(cell.typeNo);
    for (unsigned n = 0; n < 4; ++n) {
        char* text = nullptr;
        zoBfGetStringM(n, text);
        delete[] text;
        char16_t* wide = nullptr;
        zoBfGetString(stream, n, wide);
        delete[] wide;
        unsigned length = zoBfGetStrLengM(n);
        if (length < kMaxRead) {
            std::vector<char16_t> into(length + 1);
            zoBfGetStringAM(n, into.data());
        }
    }
    unsigned lengths[4];
    if (zoBfGetStringsLengM(cell.typeNo, static_cast<unsigned>(count < 4 ? count : 4), 0,
                            lengths) == 1) {
        std::vector<std::vector<char>> storage;
        std::vector<char*> texts;
        for (unsigned i = 0; i < (count < 4 ? count : 4); ++i) {
            storage.emplace_back(lengths[i] < kMaxRead ? lengths[i] + 1 : 1);
            texts.push_back(storage.back().data());
        }
        bool fits = true;
        for (unsigned i = 0; i < texts.size(); ++i)
            fits = fits && lengths[i] < kMaxRead;
        if (fits)
            zoBfGetStringsAM(cell.typeNo, static_cast<unsigned>(texts.size()), 0, texts.data());
    }
    zoBfIsAvailableTypeNoM(cell.typeNo);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzzscratch::Write("container", data, size);
    if (path.empty())
        return 0;

    FuzzAgent agent;
    FILE* memory = zoBfOpenM(path.c_str(), "rb");
    FILE* stream = zoBfOpen(path.c_str(), "rb");
    if (agent.Open(path.c_str(), "rb") == 1 && memory != nullptr && stream != nullptr) {
        for (const zoBinFileTypeCell& cell : agent.Cells())
            ReadType(agent, stream, cell);
        int usable = 0;
        zoBfGetAvailableTypeNoM(&usable);
        zoBfGetAvailableTypeNo(stream, &usable);
        const int32_t value = 1;
        agent.AddData(&value, 2, 4, 1, nullptr);
        agent.AddDataV(&value, 9, 4, 1, nullptr);
        zoBfAddDataM(&value, 2, 4, 1, nullptr);
    }
    agent.Close();
    if (stream != nullptr)
        zoBfClose(stream);
    if (memory != nullptr)
        zoBfCloseM(memory);
    zoBfOptimize(path.c_str(), 0);
    return 0;
}
