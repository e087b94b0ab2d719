#include <fcntl.h>
#include <unistd.h>

#include <numeric>

#include "cellstore/memfile.h"
#include "test_support.h"

using namespace cellstore_test;

namespace {

// Exposes the page table's bookkeeping.
class InspectableMemFile : public zoMemFile {
  public:
    uint32_t PageCount() const { return m_pageCount; }
    uint32_t Capacity() const { return m_capacity; }
    int32_t GrowthStep() const { return m_growthStep; }
    using zoMemFile::AddPage;
    using zoMemFile::ClearPage;
    using zoMemFile::GetPage;
};

Bytes Pattern(size_t n) {
    Bytes bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<unsigned char>(i * 7 + i / 251);
    return bytes;
}

TEST(MemFile, WriteAcrossPageBoundaryReadsBack) {
    InspectableMemFile file;
    Bytes data = Pattern(1500);
    ASSERT_EQ(file.Write(data.data(), 1500), 1);
    EXPECT_EQ(file.PageCount(), 2u);
    EXPECT_EQ(file.GetSize(), 1500u);
    EXPECT_EQ(file.GetPos(), 1500);
    Bytes back(1500);
    ASSERT_EQ(file.Seek(0, 0), 0);
    ASSERT_EQ(file.Read(back.data(), 1500), 1);
    EXPECT_EQ(back, data);
    // A run that straddles the boundary in the middle.
    Bytes middle(100);
    ASSERT_EQ(file.ReadAt(middle.data(), 1000, 100), 1);
    EXPECT_TRUE(std::equal(middle.begin(), middle.end(), data.begin() + 1000));
    EXPECT_EQ(file.GetPos(), 1500);
}

TEST(MemFile, ReadRefusals) {
    zoMemFile file;
    unsigned char byte = 0;
    ASSERT_EQ(file.Write("abc", 3), 1);
    EXPECT_EQ(file.Read(&byte, 1), 0);  // position = size
    EXPECT_EQ(file.Read(&byte, 0), 1);
    EXPECT_EQ(file.Read(nullptr, 1), 0);
    EXPECT_EQ(file.Write(nullptr, 1), 0);
    EXPECT_EQ(file.Write("x", 0), 1);
    EXPECT_EQ(file.ReadAt(&byte, 2, 2), 0);
    EXPECT_EQ(file.ReadAt(&byte, 2, 1), 1);
    EXPECT_EQ(byte, 'c');
}

struct SeekCase {
    int offset;
    int origin;
    int result;
    int position;
};

TEST(MemFile, SeekFollowsStreamConvention) {
    const SeekCase cases[] = {
        {-1, 0, 1, 50}, {10, 2, 0, 110}, {-101, 2, 1, 50}, {-100, 2, 0, 0},
        {5, 1, 0, 55},  {-51, 1, 1, 50}, {3, 3, 1, 50},    {0, -1, 1, 50},
    };
    for (const SeekCase& c : cases) {
        zoMemFile file;
        Bytes data(100, 1);
        file.Write(data.data(), 100);
        file.Seek(50, 0);
        EXPECT_EQ(file.Seek(c.offset, c.origin), c.result) << c.offset << "," << c.origin;
        EXPECT_EQ(file.GetPos(), c.position) << c.offset << "," << c.origin;
    }
}

TEST(MemFile, WriteAfterSeekPastEndGrowsAndZeroFills) {
    zoMemFile file;
    Bytes data(100, 1);
    file.Write(data.data(), 100);
    ASSERT_EQ(file.Seek(10, 2), 0);
    EXPECT_EQ(file.GetPos(), 110);
    ASSERT_EQ(file.Write("12345", 5), 1);
    EXPECT_EQ(file.GetSize(), 115u);
    unsigned char gap[10];
    ASSERT_EQ(file.ReadAt(gap, 100, 10), 1);
    EXPECT_EQ(std::accumulate(gap, gap + 10, 0), 0);
}

TEST(MemFile, PageSizeZeroBecomesOneAndIsFixedWhilePagesExist) {
    zoMemFile file;
    file.SetBufSize(0);
    EXPECT_EQ(file.GetBufSize(), 1u);
    file.Write("ab", 2);
    file.SetBufSize(4096);
    EXPECT_EQ(file.GetBufSize(), 1u);
    file.ReInit();
    file.SetBufSize(4096);
    EXPECT_EQ(file.GetBufSize(), 4096u);
}

TEST(MemFile, PageTableGrowsBy16Then32Then64) {
    InspectableMemFile file;
    file.SetBufSize(1);
    Bytes data(16, 2);
    file.Write(data.data(), 16);
    EXPECT_EQ(file.Capacity(), 16u);
    EXPECT_EQ(file.GrowthStep(), 16);
    file.Write("x", 1);  // the 17th page
    EXPECT_EQ(file.Capacity(), 32u);
    EXPECT_EQ(file.GrowthStep(), 32);
    Bytes more(16, 3);
    file.Write(more.data(), 15);
    EXPECT_EQ(file.Capacity(), 32u);
    file.Write("y", 1);  // the 33rd page
    EXPECT_EQ(file.Capacity(), 64u);
    EXPECT_EQ(file.GrowthStep(), 64);
    file.ReInit();  // a fresh table: the growth step starts again
    EXPECT_EQ(file.Capacity(), 16u);
    EXPECT_EQ(file.GrowthStep(), 16);
}

TEST(MemFile, SubscriptStopsAtSize) {
    zoMemFile file;
    file.SetBufSize(4);
    file.Write("abcdef", 6);
    ASSERT_NE(file[5], nullptr);
    EXPECT_EQ(*static_cast<char*>(file[5]), 'f');
    EXPECT_EQ(*static_cast<char*>(file[4]), 'e');
    EXPECT_EQ(file[6], nullptr);
}

TEST(MemFile, PageHelpers) {
    InspectableMemFile file;
    file.SetBufSize(8);
    file.Write("0123456789", 10);
    EXPECT_NE(file.GetPage(1), nullptr);
    EXPECT_EQ(file.GetPage(2), nullptr);
    EXPECT_EQ(file.ClearPage(2), 0);
    EXPECT_EQ(file.ClearPage(1), 1);
    EXPECT_EQ(file.GetPage(1), nullptr);
}

// Sizes below, at and above page multiples survive a save and a load unchanged.
TEST(MemFile, DiskRoundTripAroundPageMultiples) {
    ScratchDir dir;
    for (size_t size : {0u, 1u, 63u, 64u, 65u, 127u, 128u, 129u, 1000u}) {
        std::string path = dir.File("round" + std::to_string(size));
        Bytes data = Pattern(size);
        {
            zoMemFile file;
            file.SetBufSize(64);
            file.Write(data.data(), static_cast<unsigned>(size));
            ASSERT_GE(file.OpenFile(path.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600), 0);
            EXPECT_EQ(file.SaveFile(), 1);
            EXPECT_EQ(file.CloseFile(), 0);
        }
        EXPECT_EQ(ReadFileBytes(path), data) << size;
        zoMemFile loaded;
        loaded.SetBufSize(64);
        ASSERT_GE(loaded.OpenFile(path.c_str(), O_RDONLY, 0), 0);
        EXPECT_EQ(loaded.LoadFile(), 1);
        loaded.CloseFile();
        ASSERT_EQ(loaded.GetSize(), size);
        Bytes back(size + 1);
        EXPECT_EQ(loaded.Read(back.data(), static_cast<unsigned>(size)), 1);
        back.pop_back();
        EXPECT_EQ(back, data) << size;
    }
}

TEST(MemFile, WideNameOpens) {
    ScratchDir dir;
    std::string path = dir.File("wide\xc3\xa9.bin");
    std::u16string wide;
    for (char c : dir.File("wide"))
        wide += static_cast<char16_t>(static_cast<unsigned char>(c));
    wide += u"\u00e9.bin";
    zoMemFile file;
    file.Write("abc", 3);
    ASSERT_GE(file.OpenFile(wide.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600), 0);
    EXPECT_EQ(file.SaveFile(), 1);
    file.CloseFile();
    EXPECT_EQ(ReadFileBytes(path), (Bytes{'a', 'b', 'c'}));
}

TEST(MemFile, TransferFailuresAreReported) {
    zoMemFile file;
    file.Write("abc", 3);
    EXPECT_EQ(file.SaveFile(), 0);  // no descriptor
    EXPECT_EQ(file.LoadFile(), 0);
    EXPECT_EQ(file.CloseFile(), -1);
    // A descriptor opened for reading only cannot take the save.
    ScratchDir dir;
    std::string path = dir.File("ro");
    WriteFileBytes(path, Bytes{1, 2});
    ASSERT_GE(file.OpenFile(path.c_str(), O_RDONLY, 0), 0);
    EXPECT_EQ(file.SaveFile(), 0);
    EXPECT_EQ(file.CloseFile(), 0);
    // After closing, the number is forgotten: nothing can be written through a reused one.
    EXPECT_EQ(file.GetHandle(), -1);
    EXPECT_EQ(file.SaveFile(), 0);
    // A full disk.
    zoMemFile full;
    full.Write("abc", 3);
    int descriptor = open("/dev/full", O_WRONLY);
    if (descriptor >= 0) {
        full.FromHandle(descriptor);
        EXPECT_EQ(full.SaveFile(), 0);
        full.CloseFile();
    }
}

TEST(MemFile, LoadOfEmptyFileGivesEmptyFile) {
    ScratchDir dir;
    std::string path = dir.File("empty");
    WriteFileBytes(path, Bytes{});
    zoMemFile file;
    file.Write("old", 3);
    ASSERT_GE(file.OpenFile(path.c_str(), O_RDONLY, 0), 0);
    EXPECT_EQ(file.LoadFile(), 1);
    EXPECT_EQ(file.GetSize(), 0u);
    file.CloseFile();
}

TEST(MemFile, CopiesAreDeepAndOwnNoDescriptor) {
    zoMemFile source;
    source.SetBufSize(4);
    source.Write("abcdefghij", 10);
    ScratchDir dir;
    source.OpenFile(dir.File("f").c_str(), O_RDWR | O_CREAT, 0600);
    zoMemFile copy(source);
    zoMemFile assigned;
    assigned = source;
    for (zoMemFile* target : {&copy, &assigned}) {
        EXPECT_EQ(target->GetSize(), 10u);
        EXPECT_EQ(target->GetBufSize(), 4u);
        EXPECT_EQ(target->GetHandle(), -1);
        EXPECT_NE((*target)[0], source[0]);
        target->WriteAt("Z", 0, 1);
    }
    EXPECT_EQ(*static_cast<char*>(source[0]), 'a');
    EXPECT_EQ(*static_cast<char*>(copy[0]), 'Z');
    source.CloseFile();
}

TEST(MemFile, RefusesToGrowPastThirtyTwoBits) {
    zoMemFile file;
    ASSERT_EQ(file.Seek(-1, 0), 1);
    // Position at the top of the 32-bit range via relative seeks.
    ASSERT_EQ(file.Seek(0x7FFFFFFF, 0), 0);
    ASSERT_EQ(file.Seek(0x7FFFFFFF, 1), 0);
    ASSERT_EQ(file.Seek(1, 1), 0);
    EXPECT_EQ(file.GetSize(), 0u);
    EXPECT_EQ(file.Seek(1, 1), 1);  // would pass 2^32 - 1
    EXPECT_EQ(file.Write("ab", 2), 0);
    EXPECT_EQ(file.GetSize(), 0u);
}

}  // namespace
