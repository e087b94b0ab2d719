// Damaged containers end in failure results: no hang, crash, overrun or giant allocation.
#include <chrono>
#include <functional>

#include "cellstore/cellstore.h"
#include "test_support.h"

using namespace cellstore_test;

namespace {

// The golden sample: cells of types 2 @48, 3 @96 and 5 @160; type 2 has records @84 and @148;
// type 3 its record @132; the string "ab" of type 5 its record @194. 206 bytes.
Bytes Sample() {
    ScratchDir dir;
    std::string path = dir.File("sample");
    FILE* stream = zoBfOpenM(path.c_str(), "wb");
    zoBfInitM();
    const int32_t sevenEight[] = {7, 8};
    const int32_t nine = 9;
    const double oneAndHalf = 1.5;
    zoBfAddDataM(sevenEight, 2, 4, 2, nullptr);
    zoBfAddDataM(&oneAndHalf, 3, 8, 1, nullptr);
    zoBfAddDataM(&nine, 2, 4, 1, nullptr);
    zoBfSetStringTypeNoM(5);
    zoBfAddStringM("ab", nullptr);
    zoBfSetStringTypeNoM(-1);
    zoBfCloseM(stream);
    Bytes bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes.size(), 206u);
    return bytes;
}

// Every read the three interfaces offer, with buffers sized as a careful caller sizes them.
struct ReadResults {
    unsigned count2 = 0;
    int data2 = 0;
    int string0 = 0;
};

ReadResults ReadEverything(const std::string& path) {
    ReadResults results;
    zoBinFileAgent agent;
    if (agent.Open(path.c_str(), "rb") == 1) {
        results.count2 = agent.GetElementCount(2);
        int32_t ints[4];
        results.data2 = agent.GetData(ints, 2, 0, 3, 4);
        agent.GetData(ints, 3, 0, 1, 8);
        char* buffer = nullptr;
        for (int type : {2, 5, 9})
            agent.GetDataV(buffer, type, 0);
        delete[] buffer;
        const int32_t more = 1;
        agent.AddData(&more, 2, 4, 1, nullptr);
        agent.AddData(&more, 77, 4, 1, nullptr);
        agent.Close();
    }
    FILE* stream = zoBfOpenM(path.c_str(), "rb");
    if (stream != nullptr) {
        zoBfGetElementCountM(2);
        int32_t ints[4];
        zoBfGetDataM(ints, 2, 0, 3, 4);
        zoBfSetStringTypeNoM(5);
        char* text = nullptr;
        results.string0 = zoBfGetStringM(0, text);
        delete[] text;
        zoBfGetStrLengM(0);
        unsigned lengths[2];
        zoBfGetStringsLengM(5, 2, 0, lengths);
        zoBfGetAvailableTypeNoM(nullptr);
        zoBfIsAvailableTypeNoM(3);
        zoBfSetStringTypeNoM(-1);
        const int32_t more = 1;
        zoBfAddDataM(&more, 2, 4, 1, nullptr);
        zoBfCloseM(stream);
    }
    FILE* plain = zoBfOpen(path.c_str(), "rb");
    if (plain != nullptr) {
        int32_t ints[4];
        zoBfGetData(plain, ints, 2, 0, 3, 4);
        zoBfSetStringTypeNo(5);
        char* text = nullptr;
        zoBfGetString(plain, 0, text);
        delete[] text;
        zoBfSetStringTypeNo(-1);
        zoBfGetAvailableTypeNo(plain, nullptr);
        zoBfClose(plain);
    }
    return results;
}

TEST(CorruptFiles, TheSampleReadsWhole) {
    ScratchDir dir;
    std::string path = dir.File("c");
    WriteFileBytes(path, Sample());
    ReadResults results = ReadEverything(path);
    EXPECT_EQ(results.count2, 3u);
    EXPECT_EQ(results.data2, 1);
    EXPECT_EQ(results.string0, 1);
}

TEST(CorruptFiles, EveryTruncationFailsCleanly) {
    ScratchDir dir;
    std::string path = dir.File("c");
    const Bytes sample = Sample();
    for (size_t length = 0; length < sample.size(); ++length) {
        WriteFileBytes(path, Bytes(sample.begin(), sample.begin() + length));
        ReadResults results = ReadEverything(path);
        // Type 2's last block ends at 160 with its record; nothing before that reads whole.
        if (length < 160) {
            EXPECT_EQ(results.data2, 0) << length;
        }
        if (length < 200) {
            EXPECT_EQ(results.string0, 0) << length;
        }
    }
}

struct Damage {
    const char* what;
    std::vector<std::pair<size_t, int32_t>> writes;  // (offset, new 32-bit value)
};

// Each damaged file must be handled in well under a second; a loop would hang here.
TEST(CorruptFiles, DamagedChainsAndFieldsFailCleanly) {
    const Damage damages[] = {
        {"cell chain loops, giant type count", {{160 + 20, 48}, {36, 0x7FFFFFFF}}},
        {"cell chain points at itself", {{48 + 20, 48}, {36, 1000}}},
        {"negative type count", {{36, -5}}},
        {"first cell beyond the file", {{44, 0x7FFFFFF0}}},
        {"first cell inside the top header", {{44, 4}}},
        {"record chain loops through empty records",
         {{148 + 4, 0}, {148 + 8, 148}, {48 + 8, 1000}}},
        {"record chain loops back to the first", {{148 + 8, 84}, {48 + 8, 0xFFFFFFF}}},
        {"record address beyond the file", {{84, 0x7FFFFF00}}},
        {"negative record address", {{84, -7}}},
        {"first record beyond the file", {{48 + 16, 0x7FFFFFF0}}},
        {"giant element count and size", {{48 + 4, 0x7FFFFFFF}, {48 + 8, -1}, {84 + 4, -1}}},
        {"giant block count", {{84 + 4, 0x7FFFFFFF}}},
        {"giant string length", {{188, 0x7FFFFFF0}}},
        {"string length past the end", {{188, 20}}},
        {"negative element size", {{48 + 4, -4}}},
        {"variable flag on fixed data", {{48 + 24, 1}, {96 + 24, 1}}},
    };
    ScratchDir dir;
    std::string path = dir.File("c");
    for (const Damage& damage : damages) {
        Bytes bytes = Sample();
        for (auto [offset, value] : damage.writes)
            PutI32At(bytes, offset, value);
        WriteFileBytes(path, bytes);
        auto start = std::chrono::steady_clock::now();
        ReadEverything(path);
        auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
        EXPECT_LT(seconds.count(), 5.0) << damage.what;
    }
}

TEST(CorruptFiles, SpecificFailures) {
    ScratchDir dir;
    std::string path = dir.File("c");
    Bytes bytes = Sample();
    PutI32At(bytes, 188, 0x7FFFFFF0);  // the string's length word
    WriteFileBytes(path, bytes);
    FILE* stream = zoBfOpenM(path.c_str(), "rb");
    zoBfSetStringTypeNoM(5);
    char* text = nullptr;
    EXPECT_EQ(zoBfGetStringM(0, text), 0);
    EXPECT_EQ(text, nullptr);
    char small[4];
    EXPECT_EQ(zoBfGetStringAM(0, small), 0);
    zoBfSetStringTypeNoM(-1);
    zoBfCloseM(stream);

    // A count the blocks cannot deliver: elements past the chain are not invented.
    bytes = Sample();
    PutI32At(bytes, 48 + 8, 5);
    WriteFileBytes(path, bytes);
    zoBinFileAgent agent;
    ASSERT_EQ(agent.Open(path.c_str(), "rb"), 1);
    int32_t ints[5];
    EXPECT_EQ(agent.GetData(ints, 2, 0, 3, 4), 1);
    EXPECT_EQ(agent.GetData(ints, 2, 3, 1, 4), 0);
    EXPECT_EQ(agent.GetData(ints, 2, 0, 5, 4), 0);
    agent.Close();

    // A recorded element size larger than the caller's is refused by the checked read.
    bytes = Sample();
    PutI32At(bytes, 48 + 4, 64);
    WriteFileBytes(path, bytes);
    FILE* plain = zoBfOpen(path.c_str(), "rb");
    int32_t one = -1;
    EXPECT_EQ(zoBfGetData(plain, &one, 2, 0, 1, 4), 0);
    EXPECT_EQ(one, -1);
    zoBfClose(plain);
}

// A cell chain that leads back to a cell it passed ends there: the rewrite keeps each of the
// three types once, with its data, and stops instead of copying the loop up to the file's size.
TEST(CorruptFiles, OptimizeOfALoopingCellChainKeepsEachTypeOnce) {
    ScratchDir dir;
    std::string path = dir.File("c");
    Bytes bytes = Sample();
    PutI32At(bytes, 160 + 20, 48);  // the last cell's next cell: the first
    PutI32At(bytes, 36, 1000);      // a type count the loop would fill
    WriteFileBytes(path, bytes);
    ASSERT_EQ(zoBfOptimize(path.c_str(), 0), 1);
    EXPECT_EQ(TypeCountOf(path), 3);
    zoBinFileAgent agent;
    ASSERT_EQ(agent.Open(path.c_str(), "rb"), 1);
    int32_t ints[3] = {};
    EXPECT_EQ(agent.GetData(ints, 2, 0, 3, 4), 1);
    EXPECT_EQ(ints[0], 7);
    EXPECT_EQ(ints[2], 9);
    double half = 0;
    EXPECT_EQ(agent.GetData(&half, 3, 0, 1, 8), 1);
    EXPECT_EQ(half, 1.5);
    agent.Close();
}

}  // namespace
