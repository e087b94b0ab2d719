#include <cstring>

#include "cellstore/agent.h"
#include "test_support.h"

using namespace cellstore_test;

namespace {

// Opens the agent's protected building blocks to the tests.
class OpenAgent : public zoBinFileAgent {
  public:
    using zoBinFileAgent::AddDataAddressA;
    using zoBinFileAgent::AddTypeInfo;
    using zoBinFileAgent::GetDataAddress;
    using zoBinFileAgent::GetDataAddressInfo;
    using zoBinFileAgent::GetFirstDataInfoAddress;
    using zoBinFileAgent::GetLastDataInfoAddress;
    using zoBinFileAgent::GetNextVarAddress;
    using zoBinFileAgent::GetTypeAddress;
    using zoBinFileAgent::GetTypeAddressByType;
    using zoBinFileAgent::GetTypeCount;
    using zoBinFileAgent::GetTypeInfo;
    using zoBinFileAgent::GetTypeInfoByType;
    using zoBinFileAgent::GetVarAddressFromAddressInfo;
    using zoBinFileAgent::GetVarDataAddress;
    using zoBinFileAgent::GetVarSizeAtAddress;
    using zoBinFileAgent::IsMatchType;
    using zoBinFileAgent::SetTypeInfo;

    zoBinFileTypeCell Cell(int typeNo) {
        zoBinFileTypeCell cell;
        cell.typeNo = -12345;
        GetTypeInfoByType(typeNo, cell);
        return cell;
    }
};

// The container of the golden-bytes sequence, built in memory.
void BuildSample(zoBinFileAgent& agent) {
    const int32_t sevenEight[] = {7, 8};
    const int32_t nine = 9;
    const double oneAndHalf = 1.5;
    ASSERT_EQ(agent.Init(), 1);
    ASSERT_EQ(agent.AddData(sevenEight, 2, 4, 2, nullptr), 1);
    ASSERT_EQ(agent.AddData(&oneAndHalf, 3, 8, 1, nullptr), 1);
    ASSERT_EQ(agent.AddData(&nine, 2, 4, 1, nullptr), 1);
}

TEST(Agent, InitGivesEmptyContainer) {
    zoBinFileAgent agent;
    EXPECT_EQ(agent.GetBufSize(), 65536u);
    ASSERT_EQ(agent.Init(), 1);
    EXPECT_EQ(agent.GetSize(), 48u);
    EXPECT_EQ(agent.GetTopHeaderLength(), 32u);
    int32_t value = 0;
    for (int typeNo : {-1, 0, 1, 2, 1000}) {
        EXPECT_EQ(agent.GetElementCount(typeNo), 0u);
        EXPECT_EQ(agent.GetData(&value, typeNo, 0, 1), 0);
        EXPECT_EQ(agent.GetData(&value, typeNo, 0, 0), 0);
    }
}

TEST(Agent, SecondBlockOfATypeChainsAndReadsAcrossTheBoundary) {
    OpenAgent agent;
    BuildSample(agent);
    zoBinFileTypeCell cell = agent.Cell(2);
    EXPECT_EQ(cell.elementCount, 3u);
    EXPECT_EQ(cell.extraBlocks, 1u);
    EXPECT_EQ(cell.nextCell, 96);
    int32_t all[3] = {};
    ASSERT_EQ(agent.GetData(all, 2, 0, 3), 1);
    EXPECT_EQ(all[0], 7);
    EXPECT_EQ(all[1], 8);
    EXPECT_EQ(all[2], 9);
    int32_t tail[2] = {};
    ASSERT_EQ(agent.GetData(tail, 2, 1, 2), 1);
    EXPECT_EQ(tail[0], 8);
    EXPECT_EQ(tail[1], 9);
}

struct RangeCase {
    int first;
    unsigned count;
    int result;
};

TEST(Agent, GetDataRangeLimits) {
    zoBinFileAgent agent;
    BuildSample(agent);
    const RangeCase cases[] = {
        {0, 3, 1}, {2, 1, 1}, {1, 2, 1}, {0, 4, 0}, {3, 1, 0}, {-1, 1, 0}, {2, 2, 0}, {0, 0, 1},
    };
    for (const RangeCase& c : cases) {
        int32_t buffer[4] = {-7, -7, -7, -7};
        EXPECT_EQ(agent.GetData(buffer, 2, c.first, c.count), c.result)
            << c.first << "+" << c.count;
        if (c.result == 0) {
            EXPECT_EQ(buffer[0], -7);
        }
    }
    EXPECT_EQ(agent.GetData(nullptr, 2, 0, 1), 0);
}

TEST(Agent, RefusedAdditionsWriteNothing) {
    OpenAgent agent;
    BuildSample(agent);
    const unsigned size = agent.GetSize();
    const int64_t wide = 1;
    unsigned index = 77;
    EXPECT_EQ(agent.AddData(&wide, 2, 8, 1, &index), 0);  // type 2 holds 4-byte elements
    EXPECT_EQ(agent.AddData(nullptr, 2, 4, 1, nullptr), 0);
    EXPECT_EQ(agent.AddData(&wide, 2, 0, 1, nullptr), 0);
    EXPECT_EQ(agent.AddData(&wide, 2, 4, 0, nullptr), 0);
    EXPECT_EQ(agent.AddDataV(&wide, 2, 4, 4, nullptr), 0);  // a fixed-size type
    EXPECT_EQ(agent.AddDataV(nullptr, 6, 4, 4, nullptr), 0);
    EXPECT_EQ(agent.AddDataV(&wide, 6, 0, 4, nullptr), 0);
    EXPECT_EQ(agent.AddString("", 7, nullptr), 0);
    EXPECT_EQ(agent.AddString(nullptr, 7, nullptr), 0);
    EXPECT_EQ(agent.GetSize(), size);
    EXPECT_EQ(agent.Cell(2).elementCount, 3u);
    EXPECT_EQ(index, 77u);
    // Fixed-size data cannot go into a variable-size type either.
    ASSERT_EQ(agent.AddDataV("abcd", 6, 4, 4, nullptr), 1);
    const unsigned withVariable = agent.GetSize();
    EXPECT_EQ(agent.AddData("wxyz", 6, 4, 1, nullptr), 0);
    EXPECT_EQ(agent.GetSize(), withVariable);
}

TEST(Agent, FirstIndexCountsOnAcrossBlocks) {
    zoBinFileAgent agent;
    agent.Init();
    const int16_t values[] = {1, 2, 3};
    unsigned first = 99;
    ASSERT_EQ(agent.AddData(values, 8, 2, 3, &first), 1);
    EXPECT_EQ(first, 0u);
    ASSERT_EQ(agent.AddData(values, 8, 2, 2, &first), 1);
    EXPECT_EQ(first, 3u);
    ASSERT_EQ(agent.AddData(values, 8, 2, 1, &first), 1);
    EXPECT_EQ(first, 5u);
    EXPECT_EQ(agent.GetElementCount(8), 6u);
}

TEST(Agent, StringsOfOneTypeShareTheirLength) {
    zoBinFileAgent agent;
    agent.Init();
    unsigned index = 0;
    ASSERT_EQ(agent.AddString("abc", 4, &index), 1);
    EXPECT_EQ(agent.AddString("abcd", 4, &index), 0);
    ASSERT_EQ(agent.AddString("xyz", 4, &index), 1);
    EXPECT_EQ(index, 1u);
    unsigned char element[7];
    ASSERT_EQ(agent.GetData(element, 4, 1, 1), 1);
    EXPECT_EQ(element[0], 3);
    EXPECT_EQ(std::memcmp(element + 4, "xyz", 3), 0);
}

TEST(Agent, VariableElementsReadBackExactly) {
    zoBinFileAgent agent;
    agent.Init();
    ASSERT_EQ(agent.AddDataV("hello", 4, 5, 0, nullptr), 1);
    ASSERT_EQ(agent.AddDataV("hi", 4, 2, 0, nullptr), 1);
    const int32_t fixed = 1;
    ASSERT_EQ(agent.AddData(&fixed, 2, 4, 1, nullptr), 1);
    char* buffer = nullptr;
    ASSERT_EQ(agent.GetDataV(buffer, 4, 0), 1);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(std::memcmp(buffer, "hello", 5), 0);
    ASSERT_EQ(agent.GetDataV(buffer, 4, 1), 1);  // the old buffer is released
    EXPECT_EQ(std::memcmp(buffer, "hi", 2), 0);
    EXPECT_EQ(agent.GetDataV(buffer, 4, 2), 0);
    EXPECT_EQ(agent.GetDataV(buffer, 4, -1), 0);
    EXPECT_EQ(agent.GetDataV(buffer, 2, 0), 0);  // fixed-size type
    EXPECT_EQ(agent.GetDataV(buffer, 99, 0), 0);
    delete[] buffer;
}

// The read cache must not serve a type after an addition made another cell current.
TEST(Agent, ReadCacheFollowsTheCurrentCell) {
    zoBinFileAgent agent;
    agent.Init();
    ASSERT_EQ(agent.AddDataV("first", 4, 5, 0, nullptr), 1);
    char* buffer = nullptr;
    ASSERT_EQ(agent.GetDataV(buffer, 4, 0), 1);
    const int32_t fixed = 1;
    ASSERT_EQ(agent.AddData(&fixed, 2, 4, 1, nullptr), 1);
    ASSERT_EQ(agent.GetDataV(buffer, 4, 0), 1);
    EXPECT_EQ(std::memcmp(buffer, "first", 5), 0);
    ASSERT_EQ(agent.AddDataV("second", 4, 6, 0, nullptr), 1);
    ASSERT_EQ(agent.GetDataV(buffer, 4, 1), 1);
    EXPECT_EQ(std::memcmp(buffer, "second", 6), 0);
    delete[] buffer;
}

TEST(Agent, LookupsAndAddressesOfTheSample) {
    OpenAgent agent;
    BuildSample(agent);
    EXPECT_EQ(agent.GetTypeCount(), 2u);
    EXPECT_EQ(agent.GetTypeAddress(0), 48);
    EXPECT_EQ(agent.GetTypeAddress(1), 96);
    EXPECT_EQ(agent.GetTypeAddress(2), -1);
    EXPECT_EQ(agent.GetTypeAddress(-1), -1);
    EXPECT_EQ(agent.GetTypeAddressByType(3), 96);
    EXPECT_EQ(agent.GetTypeAddressByType(4), -1);
    EXPECT_EQ(agent.IsMatchType(3), 1);
    EXPECT_EQ(agent.IsMatchType(4), 0);
    EXPECT_EQ(agent.GetFirstDataInfoAddress(2), 84);
    EXPECT_EQ(agent.GetFirstDataInfoAddress(4), -1);
    EXPECT_EQ(agent.GetLastDataInfoAddress(2), 148);
    EXPECT_EQ(agent.GetLastDataInfoAddress(3), 132);
    long record = 0;
    EXPECT_EQ(agent.GetDataAddress(2, 1, &record), 80);
    EXPECT_EQ(record, 84);
    EXPECT_EQ(agent.GetDataAddress(2, 2, &record), 144);
    EXPECT_EQ(record, 148);
    EXPECT_EQ(agent.GetDataAddress(2, 3, &record), -1);
    zoBinFileDataAddress info;
    ASSERT_EQ(agent.GetDataAddressInfo(2, 1, info), 1);
    EXPECT_EQ(info.address, 144);
    EXPECT_EQ(agent.GetDataAddressInfo(2, 2, info), 0);
    EXPECT_EQ(agent.GetDataAddressInfo(2, -1, info), 0);
    zoBinFileTypeCell cell;
    ASSERT_EQ(agent.GetTypeInfo(1, cell), 1);
    EXPECT_EQ(cell.typeNo, 3);
    EXPECT_EQ(agent.GetTypeInfo(2, cell), 0);
    // A missing type leaves the cell unchanged but still succeeds.
    cell.typeNo = 42;
    EXPECT_EQ(agent.GetTypeInfoByType(77, cell), 1);
    EXPECT_EQ(cell.typeNo, 42);
    EXPECT_EQ(agent.SetTypeInfo(5, cell), 1);  // no such cell: nothing written
}

TEST(Agent, VariableAddressesStepByLength) {
    OpenAgent agent;
    agent.Init();
    ASSERT_EQ(agent.AddDataV("abc", 4, 3, 0, nullptr), 1);  // @76, record @83
    ASSERT_EQ(agent.AddDataV("de", 4, 2, 0, nullptr), 1);   // @95, record @101
    long record = 0;
    EXPECT_EQ(agent.GetVarDataAddress(4, 0, &record), 76);
    EXPECT_EQ(record, 83);
    EXPECT_EQ(agent.GetVarDataAddress(4, 1, &record), 95);
    EXPECT_EQ(record, 101);
    EXPECT_EQ(agent.GetVarDataAddress(4, 2, &record), -1);
    EXPECT_EQ(agent.GetVarSizeAtAddress(76), 3u);
    EXPECT_EQ(agent.GetVarSizeAtAddress(5000), 0u);
    EXPECT_EQ(agent.GetNextVarAddress(76), 83);
    EXPECT_EQ(agent.GetNextVarAddress(-1), -1);
    zoBinFileDataAddress block{76, 1, -1};
    EXPECT_EQ(agent.GetVarAddressFromAddressInfo(block, 0), 76);
    EXPECT_EQ(agent.GetVarAddressFromAddressInfo(block, 1), -1);
}

// An empty placeholder record takes the next block in place; until then it yields nothing.
TEST(Agent, PlaceholderRecordIsFilledByTheNextAddition) {
    OpenAgent agent;
    agent.Init();
    zoBinFileTypeCell fresh;
    fresh.typeNo = 6;
    fresh.elementSize = 4;
    long cellAddress = 0;
    ASSERT_EQ(agent.AddTypeInfo(fresh, &cellAddress), 1);
    EXPECT_EQ(cellAddress, 48);
    zoBinFileTypeCell cell = agent.Cell(6);
    zoBinFileDataAddress placeholder;
    EXPECT_EQ(agent.AddDataAddressA(6, placeholder, cell), 76);
    EXPECT_EQ(agent.GetDataAddress(6, 0, nullptr), -1);
    const int32_t values[] = {4, 5};
    ASSERT_EQ(agent.AddData(values, 6, 4, 2, nullptr), 1);
    cell = agent.Cell(6);
    EXPECT_EQ(cell.firstAddress, 76);
    EXPECT_EQ(cell.elementCount, 2u);
    EXPECT_EQ(cell.extraBlocks, 1u);
    zoBinFileDataAddress record;
    ASSERT_EQ(agent.GetDataAddressInfo(6, 0, record), 1);
    EXPECT_EQ(record.address, 88);
    EXPECT_EQ(record.count, 2u);
    EXPECT_EQ(record.next, -1);
    int32_t back[2] = {};
    ASSERT_EQ(agent.GetData(back, 6, 0, 2), 1);
    EXPECT_EQ(back[1], 5);
    // A cell with a next link cannot be appended.
    fresh.nextCell = 48;
    EXPECT_EQ(agent.AddTypeInfo(fresh, nullptr), 0);
}

TEST(Agent, CheckedReadRefusesOtherElementSizes) {
    zoBinFileAgent agent;
    BuildSample(agent);
    int32_t values[3] = {};
    EXPECT_EQ(agent.GetData(values, 2, 0, 3, 4), 1);
    EXPECT_EQ(agent.GetData(values, 3, 0, 1, 4), 0);
    EXPECT_EQ(agent.GetData(values, 2, 0, 1, 0), 0);
}

TEST(Agent, DiskRoundTripAndUpdate) {
    ScratchDir dir;
    std::string path = dir.File("c.ovx");
    {
        zoBinFileAgent agent;
        ASSERT_EQ(agent.Open(path.c_str(), "w+b"), 1);
        BuildSample(agent);
        ASSERT_EQ(agent.Save(), 1);
        EXPECT_EQ(agent.Close(), 1);
    }
    {
        zoBinFileAgent agent;
        ASSERT_EQ(agent.Open(path.c_str(), "r+b"), 1);
        EXPECT_EQ(agent.GetElementCount(2), 3u);
        const int32_t ten = 10;
        ASSERT_EQ(agent.AddData(&ten, 2, 4, 1, nullptr), 1);
        ASSERT_EQ(agent.Save(), 1);
        agent.Close();
    }
    zoBinFileAgent agent;
    ASSERT_EQ(agent.Open(path.c_str(), "rb"), 1);
    int32_t values[4] = {};
    ASSERT_EQ(agent.GetData(values, 2, 0, 4), 1);
    EXPECT_EQ(values[3], 10);
    double d = 0;
    ASSERT_EQ(agent.GetData(&d, 3, 0, 1), 1);
    EXPECT_EQ(d, 1.5);
    // A second Open replaces everything, caches included.
    ScratchDir other;
    std::string second = other.File("d");
    {
        zoBinFileAgent writer;
        writer.Open(second.c_str(), "wb");
        writer.Init();
        const int32_t x = 3;
        writer.AddData(&x, 3, 4, 1, nullptr);
        writer.Save();
        writer.Close();
    }
    ASSERT_EQ(agent.Open(second.c_str(), "rb"), 1);
    EXPECT_EQ(agent.GetElementCount(2), 0u);
    EXPECT_EQ(agent.GetElementCount(3), 1u);
    agent.Close();
}

TEST(Agent, OpenAndSaveFailures) {
    ScratchDir dir;
    zoBinFileAgent agent;
    EXPECT_EQ(agent.Open(dir.File("missing").c_str(), "rb"), 0);
    EXPECT_EQ(agent.Open(nullptr, "rb"), 0);
    std::string shortFile = dir.File("short");
    WriteFileBytes(shortFile, Bytes(47, 0));
    EXPECT_EQ(agent.Open(shortFile.c_str(), "rb"), 0);
    WriteFileBytes(shortFile, ByteBuilder().EmptyHeader().Get());
    EXPECT_EQ(agent.Open(shortFile.c_str(), "rb"), 1);
    agent.Close();
    // Saving through a read-only descriptor, or a full disk, is reported.
    ASSERT_EQ(agent.Open(shortFile.c_str(), "rb"), 1);
    const int32_t x = 1;
    agent.AddData(&x, 1, 4, 1, nullptr);
    EXPECT_EQ(agent.Save(), 0);
    agent.Close();
    if (agent.Open("/dev/full", "wb") == 1) {
        agent.Init();
        EXPECT_EQ(agent.Save(), 0);
        agent.Close();
    }
}

TEST(Agent, WideOpen) {
    ScratchDir dir;
    std::u16string wide;
    for (char c : dir.File("w\xc3\xa9"))
        wide += static_cast<char16_t>(static_cast<unsigned char>(c));
    // The UTF-8 bytes widened one by one are not the same name; build it properly instead.
    wide.resize(wide.size() - 2);
    wide += u'\u00e9';
    zoBinFileAgent agent;
    ASSERT_EQ(agent.Open(wide.c_str(), u"w+b"), 1);
    agent.Init();
    ASSERT_EQ(agent.Save(), 1);
    agent.Close();
    EXPECT_EQ(ReadFileBytes(dir.File("w\xc3\xa9")).size(), 48u);
}

TEST(Agent, CopiesAreDeep) {
    zoBinFileAgent source;
    BuildSample(source);
    zoBinFileAgent copy(source);
    const int32_t x = 11;
    ASSERT_EQ(copy.AddData(&x, 2, 4, 1, nullptr), 1);
    EXPECT_EQ(copy.GetElementCount(2), 4u);
    EXPECT_EQ(source.GetElementCount(2), 3u);
    zoBinFileAgent assigned;
    assigned = copy;
    EXPECT_EQ(assigned.GetElementCount(2), 4u);
    int32_t values[4] = {};
    ASSERT_EQ(assigned.GetData(values, 2, 0, 4), 1);
    EXPECT_EQ(values[3], 11);
}

}  // namespace
