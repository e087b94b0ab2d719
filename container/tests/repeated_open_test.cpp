// Opening the same container again and again must leave the memory file as one open leaves it:
// the page table's size and growth step must not creep up from one open to the next.
#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

#include "cellstore/agent.h"
#include "cellstore/flat.h"
#include "cellstore/memfile.h"
#include "test_support.h"

using namespace cellstore_test;

namespace {

constexpr int kOpens = 1000;
constexpr int kType = 3;
// 10750 int32 in one block: 48 header + 28 cell + 12 record + 43000 data bytes.
constexpr unsigned kElements = 10750;
constexpr unsigned kContainerBytes = 48 + 28 + 12 + kElements * 4;

struct TableState {
    unsigned pageCount;
    unsigned tableEntries;
    int growthStep;
    unsigned size;
    bool operator==(const TableState&) const = default;
};

TableState StateOf(const zoMemFile& file) {
    return {file.GetPageCount(), file.GetTableEntries(), file.GetGrowthStep(), file.GetSize()};
}

std::vector<int32_t> Elements() {
    std::vector<int32_t> values(kElements);
    std::iota(values.begin(), values.end(), -5000);
    return values;
}

std::string WriteContainer(const ScratchDir& dir) {
    std::string path = dir.File("plan.ovx");
    zoBfIOMfSetPageSize(1024);
    FILE* stream = zoBfOpenM(path.c_str(), "wb");
    EXPECT_NE(stream, nullptr);
    EXPECT_EQ(zoBfInitM(), 1);
    std::vector<int32_t> values = Elements();
    EXPECT_EQ(zoBfAddDataM(values.data(), kType, 4, kElements, nullptr), 1);
    EXPECT_EQ(zoBfCloseM(stream), 0);
    return path;
}

struct PageSizeCase {
    const char* name;
    unsigned pageSize;
    TableState afterOneOpen;  // hand-computed from kContainerBytes
};

void PrintTo(const PageSizeCase& c, std::ostream* os) {
    *os << c.name;
}

// 43088 bytes: 43 pages of 1 KiB grow the table 16 -> 32 -> 64 (step 16 -> 32 -> 64);
// one page of 64 KiB fits the first table.
const PageSizeCase kPageSizes[] = {
    {"DefaultPages", 1024, {43, 64, 64, kContainerBytes}},
    {"DocumentPages", 0x10000, {1, 16, 16, kContainerBytes}},
};

class RepeatedOpen : public ::testing::TestWithParam<PageSizeCase> {
  protected:
    void TearDown() override { zoBfIOMfSetPageSize(1024); }
    ScratchDir m_dir;
};

TEST_P(RepeatedOpen, MemoryFunctionsKeepTheTableOfOneOpen) {
    const PageSizeCase& c = GetParam();
    std::string path = WriteContainer(m_dir);
    zoBfIOMfSetPageSize(c.pageSize);
    std::vector<int32_t> expected = Elements();
    for (int open = 0; open < kOpens; ++open) {
        FILE* stream = zoBfOpenM(path.c_str(), "rb");
        ASSERT_NE(stream, nullptr) << "open " << open;
        ASSERT_EQ(StateOf(zoBfGetMemoryFileM()), c.afterOneOpen) << "open " << open;
        ASSERT_EQ(zoBfGetElementCountM(kType), kElements) << "open " << open;
        if (open % 100 == 0) {
            std::vector<int32_t> read(kElements);
            ASSERT_EQ(zoBfGetDataM(read.data(), kType, 0, kElements, 4), 1);
            ASSERT_EQ(read, expected) << "open " << open;
        }
        ASSERT_EQ(zoBfCloseM(stream), 0) << "open " << open;
        ASSERT_EQ(StateOf(zoBfGetMemoryFileM()), c.afterOneOpen) << "close " << open;
    }
}

TEST_P(RepeatedOpen, RewritingKeepsTheTableOfOneWrite) {
    const PageSizeCase& c = GetParam();
    std::string path = m_dir.File("rewritten.ovx");
    zoBfIOMfSetPageSize(c.pageSize);
    std::vector<int32_t> values = Elements();
    for (int open = 0; open < kOpens; ++open) {
        FILE* stream = zoBfOpenM(path.c_str(), "wb");
        ASSERT_NE(stream, nullptr) << "open " << open;
        ASSERT_EQ(StateOf(zoBfGetMemoryFileM()), (TableState{0, 16, 16, 0})) << "open " << open;
        ASSERT_EQ(zoBfInitM(), 1);
        ASSERT_EQ(zoBfAddDataM(values.data(), kType, 4, kElements, nullptr), 1);
        ASSERT_EQ(StateOf(zoBfGetMemoryFileM()), c.afterOneOpen) << "write " << open;
        ASSERT_EQ(zoBfCloseM(stream), 0) << "close " << open;
    }
}

TEST_P(RepeatedOpen, AgentKeepsTheTableOfOneOpen) {
    const PageSizeCase& c = GetParam();
    std::string path = WriteContainer(m_dir);
    zoBinFileAgent agent;
    agent.SetBufSize(c.pageSize);
    for (int open = 0; open < kOpens; ++open) {
        ASSERT_EQ(agent.Open(path.c_str(), "rb"), 1) << "open " << open;
        ASSERT_EQ(StateOf(agent), c.afterOneOpen) << "open " << open;
        ASSERT_EQ(agent.GetElementCount(kType), kElements) << "open " << open;
        ASSERT_EQ(agent.Close(), 1);
        ASSERT_EQ(agent.Init(), 1);  // back to the empty 48-byte container
        ASSERT_EQ(StateOf(agent), (TableState{1, 16, 16, 48})) << "init " << open;
    }
}

INSTANTIATE_TEST_SUITE_P(PageSizes, RepeatedOpen, ::testing::ValuesIn(kPageSizes),
                         [](const ::testing::TestParamInfo<PageSizeCase>& info) {
                             return std::string(info.param.name);
                         });

// A table grown many times in one file keeps growing: the capped, wide step never wraps.
TEST(MemFileGrowth, ManyGrowthsInOneFileNeverShrinkTheTable) {
    zoMemFile file;
    file.SetBufSize(1);
    std::vector<char> bytes(200000, 'x');
    ASSERT_EQ(file.Write(bytes.data(), static_cast<unsigned>(bytes.size())), 1);
    EXPECT_EQ(file.GetPageCount(), 200000u);
    EXPECT_GE(file.GetTableEntries(), file.GetPageCount());
    EXPECT_GT(file.GetGrowthStep(), 0);
    file.ReInit();
    EXPECT_EQ(StateOf(file), (TableState{0, 16, 16, 0}));
}

}  // namespace
