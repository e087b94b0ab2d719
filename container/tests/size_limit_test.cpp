// A container never grows past what its signed 32-bit addresses can reach: additions that
// would pass 2^31 - 1 bytes are refused before anything is read or written.
#include "cellstore/cellstore.h"
#include "test_support.h"

using namespace cellstore_test;

namespace {

// Sizes and counts whose product passes the limit; the data pointer is never read.
struct Oversize {
    unsigned elementSize;
    unsigned count;
};

const Oversize kOversizes[] = {
    {1u << 20, 2048},  // exactly 2^31 bytes
    {1, 0x7FFFFFFF},   // 2^31 - 1 bytes, plus the cell and the record
    {0xFFFFFFFF, 1},   // an element size that does not fit a signed field
    {0x80000000u, 1}, {4096, 0xFFFFFFFF},
};

TEST(SizeLimit, AgentRefusesWithoutWriting) {
    zoBinFileAgent agent;
    agent.Init();
    const int32_t small = 1;
    for (const Oversize& o : kOversizes) {
        EXPECT_EQ(agent.AddData(&small, 2, o.elementSize, o.count, nullptr), 0) << o.elementSize;
        EXPECT_EQ(agent.GetSize(), 48u);
    }
    EXPECT_EQ(agent.AddDataV(&small, 3, 0x7FFFFFF0, 1, nullptr), 0);
    EXPECT_EQ(agent.GetSize(), 48u);
}

TEST(SizeLimit, MemoryAndStreamFunctionsRefuseWithoutWriting) {
    ScratchDir dir;
    std::string memoryPath = dir.File("m");
    std::string streamPath = dir.File("s");
    FILE* memory = zoBfOpenM(memoryPath.c_str(), "wb");
    FILE* stream = zoBfOpen(streamPath.c_str(), "w+b");
    zoBfInitM();
    zoBfInit(stream);
    const int32_t small = 1;
    for (const Oversize& o : kOversizes) {
        EXPECT_EQ(zoBfAddDataM(&small, 2, o.elementSize, o.count, nullptr), 0);
        EXPECT_EQ(zoBfAddData(stream, &small, 2, o.elementSize, o.count, nullptr), 0);
    }
    EXPECT_EQ(zoBfGetElementCountM(2), 0u);
    ASSERT_EQ(zoBfCloseM(memory), 0);
    ASSERT_EQ(zoBfClose(stream), 0);
    EXPECT_EQ(ReadFileBytes(memoryPath).size(), 48u);
    EXPECT_EQ(ReadFileBytes(streamPath).size(), 48u);
}

// Closing keeps the memory contents (but not the descriptor) until the next open.
TEST(SizeLimit, ClosedMemoryContainerStillAnswers) {
    ScratchDir dir;
    FILE* memory = zoBfOpenM(dir.File("m").c_str(), "wb");
    zoBfInitM();
    const int32_t values[] = {3, 4};
    ASSERT_EQ(zoBfAddDataM(values, 2, 4, 2, nullptr), 1);
    ASSERT_EQ(zoBfCloseM(memory), 0);
    EXPECT_EQ(zoBfGetElementCountM(2), 2u);
    int32_t back[2] = {};
    EXPECT_EQ(zoBfGetDataM(back, 2, 0, 2, 4), 1);
    EXPECT_EQ(back[1], 4);
}

}  // namespace
