#include <cstring>
#include <string>

#include "cellstore/flat.h"
#include "test_support.h"

using namespace cellstore_test;

namespace {

// Each test starts a fresh memory container in a scratch file and closes it at the end.
class MemoryFunctions : public ::testing::Test {
  protected:
    void SetUp() override {
        m_path = m_dir.File("m.ovx");
        m_stream = zoBfOpenM(m_path.c_str(), "wb");
        ASSERT_NE(m_stream, nullptr);
        ASSERT_EQ(zoBfInitM(), 1);
    }
    void TearDown() override {
        if (m_stream != nullptr)
            zoBfCloseM(m_stream);
        zoBfSetStringTypeNoM(-1);
        zoBfIOMfSetPageSize(1024);
    }
    // Closes (writing the file) and opens it again for reading.
    void Reopen() {
        ASSERT_EQ(zoBfCloseM(m_stream), 0);
        m_stream = zoBfOpenM(m_path.c_str(), "rb");
        ASSERT_NE(m_stream, nullptr);
    }
    ScratchDir m_dir;
    std::string m_path;
    FILE* m_stream = nullptr;
};

TEST_F(MemoryFunctions, InitWritesTheEmptyContainer) {
    ASSERT_EQ(zoBfCloseM(m_stream), 0);
    m_stream = nullptr;
    EXPECT_EQ(ReadFileBytes(m_path), ByteBuilder().EmptyHeader().Get());
    EXPECT_EQ(zoBfGetTopHeaderLengthM(), 32u);
}

TEST_F(MemoryFunctions, BlocksOfOneTypeReadInOrderAfterReopening) {
    const int32_t a[] = {1, 2, 3};
    const double d = 2.5;
    const int32_t b[] = {4, 5};
    unsigned first = 99;
    ASSERT_EQ(zoBfAddDataM(a, 2, 4, 3, &first), 1);
    EXPECT_EQ(first, 0u);
    ASSERT_EQ(zoBfAddDataM(&d, 3, 8, 1, &first), 1);
    EXPECT_EQ(first, 0u);
    ASSERT_EQ(zoBfAddDataM(b, 2, 4, 2, &first), 1);
    EXPECT_EQ(first, 3u);
    Reopen();
    EXPECT_EQ(zoBfGetElementCountM(2), 5u);
    EXPECT_EQ(zoBfGetElementCountM(3), 1u);
    EXPECT_EQ(zoBfGetElementCountM(4), 0u);
    int32_t all[5] = {};
    ASSERT_EQ(zoBfGetDataM(all, 2, 0, 5, 4), 1);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(all[i], i + 1);
    int32_t untouched[2] = {-1, -1};
    EXPECT_EQ(zoBfGetDataM(untouched, 2, 4, 2), 0);
    EXPECT_EQ(untouched[0], -1);
    EXPECT_EQ(zoBfGetDataM(untouched, 3, 0, 1, 4), 0);  // recorded size is 8
}

TEST_F(MemoryFunctions, AdditionRefusals) {
    const int32_t x = 1;
    EXPECT_EQ(zoBfAddDataM(nullptr, 2, 4, 1, nullptr), 0);
    EXPECT_EQ(zoBfAddDataM(&x, 2, 0, 1, nullptr), 0);
    EXPECT_EQ(zoBfAddDataM(&x, 2, 4, 0, nullptr), 0);
    ASSERT_EQ(zoBfAddDataM(&x, 2, 4, 1, nullptr), 1);
    const double wide = 1;
    EXPECT_EQ(zoBfAddDataM(&wide, 2, 8, 1, nullptr), 0);  // would corrupt every later read
    EXPECT_EQ(zoBfAddStringM("", nullptr), 0);
    EXPECT_EQ(zoBfAddStringM(static_cast<const char*>(nullptr), nullptr), 0);
    EXPECT_EQ(zoBfAddStringsM(9, 0, nullptr, nullptr), 0);
    const char* one[] = {"a"};
    EXPECT_EQ(zoBfAddStringsM(2, 1, one, nullptr), 0);  // a fixed-size type
    EXPECT_EQ(zoBfGetElementCountM(2), 1u);
}

TEST_F(MemoryFunctions, StringsOfDifferentLengthsUnderTheStringType) {
    zoBfSetStringTypeNoM(7);
    EXPECT_EQ(zoBfGetStringTypeNoM(), 7);
    unsigned index = 99;
    ASSERT_EQ(zoBfAddStringM("alpha", &index), 1);
    EXPECT_EQ(index, 0u);
    ASSERT_EQ(zoBfAddStringM("be", &index), 1);
    EXPECT_EQ(index, 1u);
    ASSERT_EQ(zoBfAddStringM(u"\u00e9t\u00e9", &index), 1);
    EXPECT_EQ(index, 2u);
    Reopen();
    EXPECT_EQ(zoBfGetStrLengM(0), 5u);
    EXPECT_EQ(zoBfGetStrLengM(1), 2u);
    EXPECT_EQ(zoBfGetStrLengM(2), 3u);
    EXPECT_EQ(zoBfGetStrLengM(3), 0u);
    char* text = nullptr;
    ASSERT_EQ(zoBfGetStringM(1, text), 1);
    EXPECT_STREQ(text, "be");
    ASSERT_EQ(zoBfGetStringM(0, text), 1);  // the previous buffer is released
    EXPECT_STREQ(text, "alpha");
    delete[] text;
    char16_t* wide = nullptr;
    ASSERT_EQ(zoBfGetStringM(2, wide), 1);
    EXPECT_EQ(std::u16string(wide), u"\u00e9t\u00e9");
    delete[] wide;
    char fixed[8];
    ASSERT_EQ(zoBfGetStringAM(1, fixed), 1);
    EXPECT_STREQ(fixed, "be");
    char16_t fixedWide[4];
    ASSERT_EQ(zoBfGetStringAM(2, fixedWide), 1);
    EXPECT_EQ(std::u16string(fixedWide), u"\u00e9t\u00e9");
    EXPECT_EQ(zoBfGetStringAM(5, fixed), 0);
    EXPECT_EQ(zoBfGetStringAM(0, static_cast<char*>(nullptr)), 0);
}

TEST_F(MemoryFunctions, WideStringBytes) {
    zoBfSetStringTypeNoM(7);
    ASSERT_EQ(zoBfAddStringM(u"A\u0102", nullptr), 1);
    ASSERT_EQ(zoBfCloseM(m_stream), 0);
    m_stream = nullptr;
    ByteBuilder b;
    b.EmptyHeader(1, 48).Cell(7, 8, 1, 0, 84, -1, 0).U32(2);
    b.Raw("\x41\x00\x02\x01", 4).Record(76, 1, -1);
    EXPECT_EQ(ReadFileBytes(m_path), b.Get());
}

TEST_F(MemoryFunctions, StringBlocksWithEmptyStrings) {
    const char* texts[] = {"one", "", nullptr, "four"};
    unsigned first = 99;
    ASSERT_EQ(zoBfAddStringsM(9, 4, texts, &first), 1);
    EXPECT_EQ(first, 0u);
    const char* more[] = {"five", "six"};
    ASSERT_EQ(zoBfAddStringsM(9, 2, more, &first), 1);
    EXPECT_EQ(first, 4u);
    zoBfSetStringTypeNoM(9);
    Reopen();
    EXPECT_EQ(zoBfGetElementCountM(9), 6u);
    char buffer[8] = "junk";
    ASSERT_EQ(zoBfGetStringAM(1, buffer), 1);
    EXPECT_STREQ(buffer, "");
    char* text = nullptr;
    ASSERT_EQ(zoBfGetStringM(2, text), 1);
    EXPECT_EQ(text, nullptr);
    ASSERT_EQ(zoBfGetStringM(5, text), 1);
    EXPECT_STREQ(text, "six");
    delete[] text;
    // A run across both blocks.
    unsigned lengths[4] = {};
    ASSERT_EQ(zoBfGetStringsLengM(9, 4, 2, lengths), 1);
    EXPECT_EQ(lengths[0], 0u);
    EXPECT_EQ(lengths[1], 4u);
    EXPECT_EQ(lengths[2], 4u);
    EXPECT_EQ(lengths[3], 3u);
    char storage[4][8];
    char* out[4] = {storage[0], storage[1], storage[2], storage[3]};
    ASSERT_EQ(zoBfGetStringsAM(9, 4, 2, out), 1);
    EXPECT_STREQ(storage[0], "");
    EXPECT_STREQ(storage[1], "four");
    EXPECT_STREQ(storage[2], "five");
    EXPECT_STREQ(storage[3], "six");
    EXPECT_EQ(zoBfGetStringsAM(9, 4, 3, out), 0);  // past the end
    EXPECT_EQ(zoBfGetStringsAM(9, 1, 0, nullptr), 0);
    EXPECT_EQ(zoBfGetStringsLengM(8, 1, 0, lengths), 0);  // no such type
}

TEST_F(MemoryFunctions, MultipleStringReadsRefuseFixedTypes) {
    const int32_t x = 1;
    ASSERT_EQ(zoBfAddDataM(&x, 2, 4, 1, nullptr), 1);
    unsigned length = 0;
    EXPECT_EQ(zoBfGetStringsLengM(2, 1, 0, &length), 0);
}

struct TypeNoCase {
    std::vector<int> types;
    int stringType;
    int proposal;
    int usable;
};

TEST_F(MemoryFunctions, AvailableTypeNumbers) {
    const TypeNoCase cases[] = {
        {{1, 2, 3, 5}, -1, 4, 1}, {{1, 2}, -1, 3, 1},       {{1, 2}, 3, 3, 0},
        {{5, 1, 2}, -1, 3, 1},    {{10}, -1, 11, 1},        {{-3, -2}, -1, -1, 0},
        {{2, 4}, 3, 3, 0},        {{2147483647}, -1, 0, 7},
    };
    const int32_t x = 0;
    for (const TypeNoCase& c : cases) {
        zoBfCloseM(m_stream);
        m_stream = zoBfOpenM(m_path.c_str(), "wb");
        zoBfInitM();
        int usable = 7;
        EXPECT_EQ(zoBfGetAvailableTypeNoM(&usable), 0);
        EXPECT_EQ(usable, 7);
        for (int type : c.types)
            ASSERT_EQ(zoBfAddDataM(&x, type, 4, 1, nullptr), 1);
        zoBfSetStringTypeNoM(c.stringType);
        EXPECT_EQ(zoBfGetAvailableTypeNoM(&usable), c.proposal) << c.types.size();
        EXPECT_EQ(usable, c.usable) << c.types.size();
        EXPECT_EQ(zoBfGetAvailableTypeNoM(nullptr), c.proposal);
    }
}

TEST_F(MemoryFunctions, IsAvailableTypeNumber) {
    EXPECT_EQ(zoBfIsAvailableTypeNoM(2), 0);
    zoBfSetStringTypeNoM(7);
    ASSERT_EQ(zoBfAddStringM("s", nullptr), 1);
    const int32_t x = 0;
    ASSERT_EQ(zoBfAddDataM(&x, 2, 4, 1, nullptr), 1);
    EXPECT_EQ(zoBfIsAvailableTypeNoM(2), 1);
    EXPECT_EQ(zoBfIsAvailableTypeNoM(3), 0);
    EXPECT_EQ(zoBfIsAvailableTypeNoM(7), 0);  // the string type, although strings are stored
}

// Page sizes and container sizes around page multiples survive closing and opening.
TEST_F(MemoryFunctions, RoundTripAtPageMultiples) {
    for (unsigned pageSize : {64u, 1024u, 65536u}) {
        for (unsigned extra : {0u, 1u, 2u}) {
            zoBfCloseM(m_stream);
            zoBfIOMfSetPageSize(pageSize);
            m_stream = zoBfOpenM(m_path.c_str(), "wb");
            ASSERT_EQ(zoBfInitM(), 1);
            // 48 + 28 + n + 12 bytes = a multiple of the page size, plus `extra`.
            unsigned n = 4 * pageSize - 88 + extra;
            Bytes data(n);
            for (unsigned i = 0; i < n; ++i)
                data[i] = static_cast<unsigned char>(i * 13);
            ASSERT_EQ(zoBfAddDataM(data.data(), 24, 1, n, nullptr), 1);
            ASSERT_EQ(zoBfCloseM(m_stream), 0);
            Bytes file = ReadFileBytes(m_path);
            ASSERT_EQ(file.size(), 4u * pageSize + extra);
            zoBfIOMfSetPageSize(pageSize == 64 ? 1000 : 64);  // the page size is not in the file
            m_stream = zoBfOpenM(m_path.c_str(), "rb");
            ASSERT_NE(m_stream, nullptr);
            Bytes back(n);
            ASSERT_EQ(zoBfGetDataM(back.data(), 24, 0, n, 1), 1);
            EXPECT_EQ(back, data);
            ASSERT_EQ(zoBfCloseM(m_stream), 0);
            EXPECT_EQ(ReadFileBytes(m_path), file);  // a read-only close writes nothing
            m_stream = zoBfOpenM(m_path.c_str(), "rb");
        }
    }
}

TEST_F(MemoryFunctions, CloseAndOpenFailures) {
    EXPECT_EQ(zoBfCloseM(nullptr), EOF);
    EXPECT_EQ(zoBfOpenM(m_dir.File("missing/x").c_str(), "rb"), nullptr);
    EXPECT_EQ(zoBfOpenM(nullptr, "rb"), nullptr);
    FILE* full = zoBfOpenM("/dev/full", "wb");
    if (full != nullptr) {
        ASSERT_EQ(zoBfInitM(), 1);
        EXPECT_EQ(zoBfCloseM(full), EOF);
    }
}

TEST_F(MemoryFunctions, WideNames) {
    ASSERT_EQ(zoBfCloseM(m_stream), 0);
    std::u16string wide;
    for (char c : m_dir.File("wide"))
        wide += static_cast<char16_t>(c);
    m_stream = zoBfOpenM(wide.c_str(), u"wb");
    ASSERT_NE(m_stream, nullptr);
    zoBfInitM();
    ASSERT_EQ(zoBfCloseM(m_stream), 0);
    m_stream = nullptr;
    EXPECT_EQ(ReadFileBytes(m_dir.File("wide")).size(), 48u);
}

}  // namespace
