// What one interface writes, the others read.
#include <cstring>
#include <functional>

#include "cellstore/cellstore.h"
#include "test_support.h"

using namespace cellstore_test;

namespace {

constexpr int kStringType = 5;

enum class Api { Agent, Memory, Stream };

// GetDataV hands out exactly the stored bytes; their count comes from the length word.
class ReadingAgent : public zoBinFileAgent {
  public:
    unsigned Length(int typeNo, int index) {
        return GetVarSizeAtAddress(
            GetVarDataAddress(typeNo, static_cast<unsigned>(index), nullptr));
    }
};

const char* Name(Api api) {
    return api == Api::Agent ? "agent" : api == Api::Memory ? "memory" : "stream";
}

void PrintTo(Api api, std::ostream* os) {
    *os << Name(api);
}

// Writes: type 2 {7, 8} and {9}, type 3 {1.5}, string "ab" under type 5, and the variable
// elements "hello" and "" ... of type 9 where the writer can (the agent: one per block).
void Write(Api api, const std::string& path) {
    const int32_t sevenEight[] = {7, 8};
    const int32_t nine = 9;
    const double oneAndHalf = 1.5;
    if (api == Api::Agent) {
        zoBinFileAgent agent;
        ASSERT_EQ(agent.Open(path.c_str(), "wb"), 1);
        agent.Init();
        ASSERT_EQ(agent.AddData(sevenEight, 2, 4, 2, nullptr), 1);
        ASSERT_EQ(agent.AddData(&oneAndHalf, 3, 8, 1, nullptr), 1);
        ASSERT_EQ(agent.AddData(&nine, 2, 4, 1, nullptr), 1);
        ASSERT_EQ(agent.AddString("ab", kStringType, nullptr), 1);
        ASSERT_EQ(agent.AddDataV("hello", 9, 5, 1, nullptr), 1);
        ASSERT_EQ(agent.AddDataV("xyz", 9, 3, 1, nullptr), 1);
        ASSERT_EQ(agent.Save(), 1);
        agent.Close();
    } else if (api == Api::Memory) {
        FILE* stream = zoBfOpenM(path.c_str(), "wb");
        ASSERT_NE(stream, nullptr);
        zoBfInitM();
        zoBfSetStringTypeNoM(kStringType);
        ASSERT_EQ(zoBfAddDataM(sevenEight, 2, 4, 2, nullptr), 1);
        ASSERT_EQ(zoBfAddDataM(&oneAndHalf, 3, 8, 1, nullptr), 1);
        ASSERT_EQ(zoBfAddDataM(&nine, 2, 4, 1, nullptr), 1);
        ASSERT_EQ(zoBfAddStringM("ab", nullptr), 1);
        const char* texts[] = {"hello", "xyz"};
        ASSERT_EQ(zoBfAddStringsM(9, 2, texts, nullptr), 1);
        zoBfSetStringTypeNoM(-1);
        ASSERT_EQ(zoBfCloseM(stream), 0);
    } else {
        FILE* stream = zoBfOpen(path.c_str(), "w+b");
        ASSERT_NE(stream, nullptr);
        zoBfInit(stream);
        zoBfSetStringTypeNo(kStringType);
        ASSERT_EQ(zoBfAddData(stream, sevenEight, 2, 4, 2, nullptr), 1);
        ASSERT_EQ(zoBfAddData(stream, &oneAndHalf, 3, 8, 1, nullptr), 1);
        ASSERT_EQ(zoBfAddData(stream, &nine, 2, 4, 1, nullptr), 1);
        ASSERT_EQ(zoBfAddString(stream, "ab", nullptr), 1);
        zoBfSetStringTypeNo(-1);
        zoBfClose(stream);
    }
}

struct Contents {
    unsigned count2 = 0;
    int32_t ints[3] = {};
    double real = 0;
    std::string text;
    std::vector<std::string> variable;
};

Contents Read(Api api, const std::string& path) {
    Contents c;
    if (api == Api::Agent) {
        ReadingAgent agent;
        EXPECT_EQ(agent.Open(path.c_str(), "rb"), 1);
        c.count2 = agent.GetElementCount(2);
        agent.GetData(c.ints, 2, 0, 3, 4);
        agent.GetData(&c.real, 3, 0, 1, 8);
        unsigned char element[6] = {};
        if (agent.GetData(element, kStringType, 0, 1, 6) == 1)
            c.text.assign(reinterpret_cast<char*>(element) + 4, element[0]);
        char* buffer = nullptr;
        for (int i = 0; agent.GetDataV(buffer, 9, i) == 1; ++i)
            c.variable.emplace_back(buffer, agent.Length(9, i));
        delete[] buffer;
        agent.Close();
    } else if (api == Api::Memory) {
        FILE* stream = zoBfOpenM(path.c_str(), "rb");
        EXPECT_NE(stream, nullptr);
        c.count2 = zoBfGetElementCountM(2);
        zoBfGetDataM(c.ints, 2, 0, 3, 4);
        zoBfGetDataM(&c.real, 3, 0, 1, 8);
        zoBfSetStringTypeNoM(kStringType);
        char* text = nullptr;
        if (zoBfGetStringM(0, text) == 1 && text != nullptr)
            c.text = text;
        delete[] text;
        zoBfSetStringTypeNoM(-1);
        unsigned n = zoBfGetElementCountM(9);
        std::vector<unsigned> lengths(n);
        if (n > 0 && zoBfGetStringsLengM(9, n, 0, lengths.data()) == 1) {
            for (unsigned i = 0; i < n; ++i) {
                std::vector<char> one(lengths[i] + 1);
                char* out[] = {one.data()};
                EXPECT_EQ(zoBfGetStringsAM(9, 1, i, out), 1);
                c.variable.emplace_back(one.data());
            }
        }
        zoBfCloseM(stream);
    } else {
        FILE* stream = zoBfOpen(path.c_str(), "rb");
        EXPECT_NE(stream, nullptr);
        c.count2 = zoBfGetElementCount(stream, 2);
        zoBfGetData(stream, c.ints, 2, 0, 3, 4);
        zoBfGetData(stream, &c.real, 3, 0, 1, 8);
        zoBfSetStringTypeNo(kStringType);
        char text[3] = {};
        if (zoBfGetStringA(stream, 0, text) == 1)
            c.text = text;
        zoBfSetStringTypeNo(-1);
        zoBfClose(stream);
    }
    return c;
}

class CrossInterface : public ::testing::TestWithParam<std::tuple<Api, Api>> {};

TEST_P(CrossInterface, ReaderSeesWhatWriterWrote) {
    auto [writer, reader] = GetParam();
    ScratchDir dir;
    std::string path = dir.File("x");
    Write(writer, path);
    Contents c = Read(reader, path);
    SCOPED_TRACE(std::string(Name(writer)) + " -> " + Name(reader));
    EXPECT_EQ(c.count2, 3u);
    EXPECT_EQ(c.ints[0], 7);
    EXPECT_EQ(c.ints[1], 8);
    EXPECT_EQ(c.ints[2], 9);
    EXPECT_EQ(c.real, 1.5);
    EXPECT_EQ(c.text, "ab");
    if (writer != Api::Stream && reader != Api::Stream) {
        EXPECT_EQ(c.variable, (std::vector<std::string>{"hello", "xyz"}));
    }
}

INSTANTIATE_TEST_SUITE_P(AllPairs, CrossInterface,
                         ::testing::Combine(::testing::Values(Api::Agent, Api::Memory, Api::Stream),
                                            ::testing::Values(Api::Agent, Api::Memory,
                                                              Api::Stream)));

}  // namespace
