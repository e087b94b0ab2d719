// The three interfaces build byte-identical containers, pinned step by step.
#include <functional>

#include "cellstore/cellstore.h"
#include "test_support.h"

using namespace cellstore_test;

namespace {

constexpr int kStringType = 5;
const int32_t kSevenEight[] = {7, 8};
const int32_t kNine[] = {9};
const double kOneAndHalf = 1.5;

// The container after the first `steps` additions of the sequence
//   type 2 += {7, 8};  type 3 += {1.5};  type 2 += {9};  string "ab" under type 5.
// Offsets were worked out by hand: cell at 48, data right after it, record after the data.
Bytes Expected(int steps) {
    ByteBuilder b;
    const int32_t typeCount = steps == 0 ? 0 : steps == 1 ? 1 : steps < 4 ? 2 : 3;
    b.EmptyHeader(typeCount, steps == 0 ? -1 : 48);
    if (steps == 0)
        return b.Get();
    // @48 cell of type 2, @76 its data {7, 8}, @84 its first record.
    b.Cell(2, 4, steps >= 3 ? 3 : 2, steps >= 3 ? 1 : 0, 84, steps >= 2 ? 96 : -1, 0);
    b.I32(7).I32(8).Record(76, 2, steps >= 3 ? 148 : -1);
    if (steps >= 2) {
        // @96 cell of type 3, @124 the double, @132 its record.
        b.Cell(3, 8, 1, 0, 132, steps >= 4 ? 160 : -1, 0).Raw(&kOneAndHalf, 8).Record(124, 1, -1);
    }
    if (steps >= 3)
        b.I32(9).Record(144, 1, -1);  // @144 the second block of type 2, @148 its record
    if (steps >= 4) {
        // @160 cell of type 5 (element size 4 + 2), @188 {2, "ab"}, @194 its record.
        b.Cell(kStringType, 6, 1, 0, 194, -1, 0).U32(2).Text("ab").Record(188, 1, -1);
    }
    return b.Get();
}

// One addition step through each interface.
using Adder = std::function<int(int step)>;

int AddStep(int step, const std::function<int(const void*, int, unsigned, unsigned)>& data,
            const std::function<int(const char*)>& text) {
    switch (step) {
        case 0:
            return data(kSevenEight, 2, 4, 2);
        case 1:
            return data(&kOneAndHalf, 3, 8, 1);
        case 2:
            return data(kNine, 2, 4, 1);
        default:
            return text("ab");
    }
}

class GoldenBytes : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        zoBfSetStringTypeNo(kStringType);
        zoBfSetStringTypeNoM(kStringType);
    }
    void TearDown() override {
        zoBfSetStringTypeNo(-1);
        zoBfSetStringTypeNoM(-1);
    }
    ScratchDir m_dir;
};

TEST_P(GoldenBytes, Agent) {
    const int steps = GetParam();
    std::string path = m_dir.File("agent");
    zoBinFileAgent agent;
    ASSERT_EQ(agent.Open(path.c_str(), "w+b"), 1);
    ASSERT_EQ(agent.Init(), 1);
    for (int step = 0; step < steps; ++step) {
        ASSERT_EQ(
            AddStep(
                step,
                [&](const void* d, int t, unsigned s, unsigned c) {
                    return agent.AddData(d, t, s, c, nullptr);
                },
                [&](const char* text) { return agent.AddString(text, kStringType, nullptr); }),
            1);
    }
    ASSERT_EQ(agent.Save(), 1);
    agent.Close();
    EXPECT_EQ(ReadFileBytes(path), Expected(steps));
}

TEST_P(GoldenBytes, MemoryFunctions) {
    const int steps = GetParam();
    std::string path = m_dir.File("memory");
    FILE* stream = zoBfOpenM(path.c_str(), "wb");
    ASSERT_NE(stream, nullptr);
    ASSERT_EQ(zoBfInitM(), 1);
    for (int step = 0; step < steps; ++step) {
        ASSERT_EQ(AddStep(
                      step,
                      [](const void* d, int t, unsigned s, unsigned c) {
                          return zoBfAddDataM(d, t, s, c, nullptr);
                      },
                      [](const char* text) { return zoBfAddStringM(text, nullptr); }),
                  1);
    }
    ASSERT_EQ(zoBfCloseM(stream), 0);
    EXPECT_EQ(ReadFileBytes(path), Expected(steps));
}

TEST_P(GoldenBytes, StreamFunctions) {
    const int steps = GetParam();
    std::string path = m_dir.File("stream");
    FILE* stream = zoBfOpen(path.c_str(), "w+b");
    ASSERT_NE(stream, nullptr);
    ASSERT_EQ(zoBfInit(stream), 1);
    for (int step = 0; step < steps; ++step) {
        ASSERT_EQ(AddStep(
                      step,
                      [&](const void* d, int t, unsigned s, unsigned c) {
                          return zoBfAddData(stream, d, t, s, c, nullptr);
                      },
                      [&](const char* text) { return zoBfAddString(stream, text, nullptr); }),
                  1);
    }
    ASSERT_EQ(zoBfClose(stream), 0);
    EXPECT_EQ(ReadFileBytes(path), Expected(steps));
}

INSTANTIATE_TEST_SUITE_P(Steps, GoldenBytes, ::testing::Range(0, 5));

// Strings added together form one variable-size block: {1, "x"} and an empty string.
TEST(GoldenBytesVariable, StringsBlockAfterInit) {
    ScratchDir dir;
    std::string path = dir.File("strings");
    FILE* stream = zoBfOpenM(path.c_str(), "wb");
    ASSERT_EQ(zoBfInitM(), 1);
    const char* texts[] = {"x", nullptr, "yz"};
    unsigned first = 99;
    ASSERT_EQ(zoBfAddStringsM(9, 3, texts, &first), 1);
    EXPECT_EQ(first, 0u);
    ASSERT_EQ(zoBfCloseM(stream), 0);
    ByteBuilder b;
    b.EmptyHeader(1, 48).Cell(9, 1, 3, 0, 91, -1, 1);  // @48
    b.U32(1).Text("x").U32(0).U32(2).Text("yz");       // @76 .. 91
    b.Record(76, 3, -1);                               // @91
    EXPECT_EQ(ReadFileBytes(path), b.Get());
}

// A variable-size element added by the agent has the same layout, one element per block.
TEST(GoldenBytesVariable, AgentVariableElements) {
    ScratchDir dir;
    std::string path = dir.File("var");
    zoBinFileAgent agent;
    ASSERT_EQ(agent.Open(path.c_str(), "w+b"), 1);
    agent.Init();
    unsigned index = 99;
    ASSERT_EQ(agent.AddDataV("abc", 4, 3, 0, &index), 1);
    EXPECT_EQ(index, 0u);
    ASSERT_EQ(agent.AddDataV("de", 4, 2, 0, &index), 1);
    EXPECT_EQ(index, 1u);
    ASSERT_EQ(agent.Save(), 1);
    ByteBuilder b;
    b.EmptyHeader(1, 48).Cell(4, 0, 2, 1, 83, -1, 1);  // @48
    b.U32(3).Text("abc").Record(76, 1, 101);           // @76, record @83
    b.U32(2).Text("de").Record(95, 1, -1);             // @95, record @101
    EXPECT_EQ(ReadFileBytes(path), b.Get());
}

}  // namespace
