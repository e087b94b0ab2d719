#include <filesystem>
#include <string>

#include "cellstore/agent.h"
#include "cellstore/flat.h"
#include "test_support.h"

using namespace cellstore_test;

namespace {

class StreamFunctions : public ::testing::Test {
  protected:
    void SetUp() override {
        m_path = m_dir.File("s.ovx");
        m_stream = zoBfOpen(m_path.c_str(), "w+b");
        ASSERT_NE(m_stream, nullptr);
        ASSERT_EQ(zoBfInit(m_stream), 1);
    }
    void TearDown() override {
        if (m_stream != nullptr)
            zoBfClose(m_stream);
        zoBfSetStringTypeNo(-1);
    }
    void CloseStream() {
        ASSERT_EQ(zoBfClose(m_stream), 0);
        m_stream = nullptr;
    }
    size_t FilesInDir() const {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(m_dir.Path()),
                                                 std::filesystem::directory_iterator()));
    }
    ScratchDir m_dir;
    std::string m_path;
    FILE* m_stream = nullptr;
};

TEST_F(StreamFunctions, NullStreamsAreRefused) {
    int32_t x = 0;
    char* text = nullptr;
    EXPECT_EQ(zoBfInit(nullptr), 0);
    EXPECT_EQ(zoBfAddData(nullptr, &x, 2, 4, 1, nullptr), 0);
    EXPECT_EQ(zoBfGetData(nullptr, &x, 2, 0, 1), 0);
    EXPECT_EQ(zoBfGetElementCount(nullptr, 2), 0u);
    EXPECT_EQ(zoBfAddString(nullptr, "a", nullptr), 0);
    EXPECT_EQ(zoBfGetString(nullptr, 0, text), 0);
    EXPECT_EQ(zoBfGetStrLeng(nullptr, 0), 0u);
    EXPECT_EQ(zoBfGetAvailableTypeNo(nullptr, nullptr), 0);
    EXPECT_EQ(zoBfIsAvailableTypeNo(nullptr, 2), 0);
    EXPECT_EQ(zoBfClose(nullptr), EOF);
    EXPECT_EQ(zoBfGetTopHeaderLength(), 32u);
}

TEST_F(StreamFunctions, DataAndStringsRoundTrip) {
    zoBfSetStringTypeNo(30);
    EXPECT_EQ(zoBfGetStringTypeNo(), 30);
    const int16_t a[] = {1, 2};
    const int16_t b[] = {3};
    unsigned index = 99;
    ASSERT_EQ(zoBfAddData(m_stream, a, 4, 2, 2, &index), 1);
    ASSERT_EQ(zoBfAddString(m_stream, "long string", &index), 1);
    EXPECT_EQ(index, 0u);
    ASSERT_EQ(zoBfAddData(m_stream, b, 4, 2, 1, &index), 1);
    EXPECT_EQ(index, 2u);
    ASSERT_EQ(zoBfAddString(m_stream, u"w", &index), 1);
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(zoBfAddString(m_stream, "", &index), 0);
    EXPECT_EQ(zoBfAddData(m_stream, a, 4, 4, 1, nullptr), 0);  // type 4 holds 2-byte elements
    int16_t all[3] = {};
    ASSERT_EQ(zoBfGetData(m_stream, all, 4, 0, 3, 2), 1);
    EXPECT_EQ(all[2], 3);
    EXPECT_EQ(zoBfGetStrLeng(m_stream, 0), 11u);
    EXPECT_EQ(zoBfGetStrLeng(m_stream, 1), 1u);
    char* text = nullptr;
    ASSERT_EQ(zoBfGetString(m_stream, 0, text), 1);
    EXPECT_STREQ(text, "long string");
    delete[] text;
    char16_t* wide = nullptr;
    ASSERT_EQ(zoBfGetString(m_stream, 1, wide), 1);
    EXPECT_EQ(std::u16string(wide), u"w");
    delete[] wide;
    char into[16];
    ASSERT_EQ(zoBfGetStringA(m_stream, 0, into), 1);
    EXPECT_STREQ(into, "long string");
    char16_t wideInto[2];
    ASSERT_EQ(zoBfGetStringA(m_stream, 1, wideInto), 1);
    EXPECT_EQ(wideInto[0], u'w');
    EXPECT_EQ(zoBfGetStringA(m_stream, 2, into), 0);
    int usable = 0;
    EXPECT_EQ(zoBfGetAvailableTypeNo(m_stream, &usable), 5);
    EXPECT_EQ(usable, 1);
    EXPECT_EQ(zoBfIsAvailableTypeNo(m_stream, 4), 1);
    EXPECT_EQ(zoBfIsAvailableTypeNo(m_stream, 30), 0);
}

// Stored empty strings read as failures through the stream family.
TEST_F(StreamFunctions, EmptyStoredStringIsRefused) {
    CloseStream();
    FILE* memory = zoBfOpenM(m_path.c_str(), "wb");
    zoBfInitM();
    const char* texts[] = {""};
    ASSERT_EQ(zoBfAddStringsM(3, 1, texts, nullptr), 1);
    ASSERT_EQ(zoBfCloseM(memory), 0);
    m_stream = zoBfOpen(m_path.c_str(), "rb");
    zoBfSetStringTypeNo(3);
    char* text = nullptr;
    EXPECT_EQ(zoBfGetString(m_stream, 0, text), 0);
    EXPECT_EQ(text, nullptr);
    char into[2];
    EXPECT_EQ(zoBfGetStringA(m_stream, 0, into), 0);
}

TEST_F(StreamFunctions, WritesToAReadOnlyStreamFail) {
    CloseStream();
    m_stream = zoBfOpen(m_path.c_str(), "rb");
    const int32_t x = 1;
    EXPECT_EQ(zoBfAddData(m_stream, &x, 2, 4, 1, nullptr), 0);
    EXPECT_EQ(zoBfInit(m_stream), 0);
}

// The container of the golden sequence, rewritten: each type's data in one block, filling the
// placeholder record linked right after the copied cells.
TEST_F(StreamFunctions, OptimizeGoldenBytes) {
    const int32_t sevenEight[] = {7, 8};
    const int32_t nine = 9;
    const double oneAndHalf = 1.5;
    ASSERT_EQ(zoBfAddData(m_stream, sevenEight, 2, 4, 2, nullptr), 1);
    ASSERT_EQ(zoBfAddData(m_stream, &oneAndHalf, 3, 8, 1, nullptr), 1);
    ASSERT_EQ(zoBfAddData(m_stream, &nine, 2, 4, 1, nullptr), 1);
    CloseStream();
    ASSERT_EQ(zoBfOptimize(m_path.c_str(), 0), 1);
    ByteBuilder b;
    b.EmptyHeader(2, 48);
    b.Cell(2, 4, 3, 2, 104, 76, 0);  // @48: extraBlocks 1 copied, +1 for the fill
    b.Cell(3, 8, 1, 1, 116, -1, 0);  // @76
    b.Record(128, 3, -1);            // @104, the filled placeholder of type 2
    b.Record(140, 1, -1);            // @116, the filled placeholder of type 3
    b.I32(7).I32(8).I32(9);          // @128
    b.Raw(&oneAndHalf, 8);           // @140
    EXPECT_EQ(ReadFileBytes(m_path), b.Get());
    EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(StreamFunctions, OptimizeKeepsStringsAndVariableTypes) {
    CloseStream();
    FILE* memory = zoBfOpenM(m_path.c_str(), "wb");
    zoBfInitM();
    zoBfSetStringTypeNoM(11);
    const char* first[] = {"a", "", "ccc"};
    const char* second[] = {"dd"};
    ASSERT_EQ(zoBfAddStringsM(9, 3, first, nullptr), 1);
    ASSERT_EQ(zoBfAddStringM("short", nullptr), 1);
    ASSERT_EQ(zoBfAddStringsM(9, 1, second, nullptr), 1);
    ASSERT_EQ(zoBfAddStringM("longer one", nullptr), 1);
    const int32_t x = 5;
    ASSERT_EQ(zoBfAddDataM(&x, 2, 4, 1, nullptr), 1);
    ASSERT_EQ(zoBfAddDataM(&x, 2, 4, 1, nullptr), 1);
    ASSERT_EQ(zoBfCloseM(memory), 0);
    zoBfSetStringTypeNo(11);
    ASSERT_EQ(zoBfOptimize(m_path.c_str(), 0), 1);
    zoBfSetStringTypeNoM(-1);
    memory = zoBfOpenM(m_path.c_str(), "rb");
    ASSERT_NE(memory, nullptr);
    unsigned lengths[4] = {};
    ASSERT_EQ(zoBfGetStringsLengM(9, 4, 0, lengths), 1);
    EXPECT_EQ(lengths[1], 0u);
    EXPECT_EQ(lengths[3], 2u);
    char storage[4][4];
    char* out[4] = {storage[0], storage[1], storage[2], storage[3]};
    ASSERT_EQ(zoBfGetStringsAM(9, 4, 0, out), 1);
    EXPECT_STREQ(storage[2], "ccc");
    EXPECT_STREQ(storage[3], "dd");
    zoBfSetStringTypeNoM(11);
    char* text = nullptr;
    ASSERT_EQ(zoBfGetStringM(0, text), 1);
    EXPECT_STREQ(text, "short");
    ASSERT_EQ(zoBfGetStringM(1, text), 1);  // releases the previous buffer
    EXPECT_STREQ(text, "longer one");
    delete[] text;
    int32_t twice[2] = {};
    ASSERT_EQ(zoBfGetDataM(twice, 2, 0, 2, 4), 1);
    EXPECT_EQ(twice[1], 5);
    zoBfCloseM(memory);
    zoBfSetStringTypeNoM(-1);
}

TEST_F(StreamFunctions, OptimizeFailuresLeaveTheContainerAlone) {
    const int32_t values[] = {1, 2, 3};
    ASSERT_EQ(zoBfAddData(m_stream, values, 2, 4, 3, nullptr), 1);
    CloseStream();
    Bytes good = ReadFileBytes(m_path);
    EXPECT_EQ(zoBfOptimize(m_dir.File("missing").c_str(), 0), 0);
    EXPECT_EQ(zoBfOptimize(static_cast<const char*>(nullptr), 0), 0);
    // A count that the blocks cannot deliver.
    Bytes damaged = good;
    PutI32At(damaged, 48 + 8, 4);
    WriteFileBytes(m_path, damaged);
    EXPECT_EQ(zoBfOptimize(m_path.c_str(), 0), 0);
    EXPECT_EQ(ReadFileBytes(m_path), damaged);
    // A giant count is refused before anything is allocated for it.
    PutI32At(damaged, 48 + 4, 0x7FFFFFFF);
    PutI32At(damaged, 48 + 8, -1);
    WriteFileBytes(m_path, damaged);
    EXPECT_EQ(zoBfOptimize(m_path.c_str(), 0), 0);
    EXPECT_EQ(FilesInDir(), 1u);  // no temporary file is left behind
}

TEST_F(StreamFunctions, OptimizeOfAnUnchangedContainerIsStable) {
    const int32_t values[] = {1, 2, 3};
    ASSERT_EQ(zoBfAddData(m_stream, values, 2, 4, 3, nullptr), 1);
    CloseStream();
    std::u16string wide;
    for (char c : m_path)
        wide += static_cast<char16_t>(c);
    ASSERT_EQ(zoBfOptimize(wide.c_str(), 0), 1);
    Bytes once = ReadFileBytes(m_path);
    ASSERT_EQ(zoBfOptimize(m_path.c_str(), 0), 1);
    Bytes twice = ReadFileBytes(m_path);
    ASSERT_EQ(once.size(), twice.size());
    FILE* stream = zoBfOpen(m_path.c_str(), "rb");
    int32_t back[3] = {};
    EXPECT_EQ(zoBfGetData(stream, back, 2, 0, 3), 1);
    EXPECT_EQ(back[2], 3);
    zoBfClose(stream);
}

// Rewriting many types: the indexed source and the appends that follow their index give every
// type back once with its data.
TEST_F(StreamFunctions, OptimizeOfManyTypesKeepsEachType) {
    CloseStream();
    constexpr int32_t kTypes = 300;
    FILE* memory = zoBfOpenM(m_path.c_str(), "wb");
    ASSERT_NE(memory, nullptr);
    zoBfInitM();
    for (int32_t type = 1; type <= kTypes; ++type)
        ASSERT_EQ(zoBfAddDataM(&type, type, 4, 1, nullptr), 1);
    ASSERT_EQ(zoBfCloseM(memory), 0);
    ASSERT_EQ(zoBfOptimize(m_path.c_str(), 0), 1);
    EXPECT_EQ(TypeCountOf(m_path), kTypes);
    zoBinFileAgent agent;
    ASSERT_EQ(agent.Open(m_path.c_str(), "rb"), 1);
    for (int32_t type : {1, 2, 150, kTypes}) {
        int32_t back = 0;
        EXPECT_EQ(agent.GetData(&back, type, 0, 1, 4), 1);
        EXPECT_EQ(back, type);
    }
    agent.Close();
}

}  // namespace
