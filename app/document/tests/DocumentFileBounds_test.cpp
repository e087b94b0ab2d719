// The document reader allocates by what the file really holds, never by what its counts say.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

#include "document/DocumentFile.h"
#include "document/LittleEndian.h"
#include "document/tests/DocumentFileTestSupport.h"
#include "document/tests/DxfTextBuilder.h"
#include "testing/FakeDocumentUi.h"

namespace {

constexpr uint64_t kBudgetFactor = 4;
constexpr uint64_t kBudgetAllowance = 64 * 1024;

// Records that declare more elements than they hold and note every run the reader asks for.
class OverclaimingSource : public DocumentRecordSource {
  public:
    OverclaimingSource(MemoryRecords& inner, std::map<int32_t, uint32_t> declared)
        : inner_(inner), declared_(std::move(declared)) {}

    uint32_t elementCount(int32_t type) override {
        const auto claim = declared_.find(type);
        return claim == declared_.end() ? inner_.elementCount(type) : claim->second;
    }
    uint64_t heldBytes() override { return inner_.heldBytes(); }
    bool get(int32_t type, uint32_t elementSize, uint32_t first, uint32_t count,
             uint8_t* out) override {
        const uint64_t bytes = uint64_t{count} * elementSize;
        largestRun = std::max(largestRun, bytes);
        totalCopied += bytes;
        return inner_.get(type, elementSize, first, count, out);
    }

    uint64_t largestRun = 0;
    uint64_t totalCopied = 0;

  private:
    MemoryRecords& inner_;
    std::map<int32_t, uint32_t> declared_;
};

MemoryRecords WithInteger(const MemoryRecords& written, uint32_t index, int32_t value) {
    MemoryRecords changed;
    uint32_t seen = 0;
    for (MemoryRecords::Block block : written.blocks()) {
        if (block.type == 2) {
            for (size_t at = 0; at < block.bytes.size(); at += 4, ++seen) {
                if (seen == index) {
                    le::PutI32(block.bytes, at, value);
                }
            }
        }
        changed.add(block.type, block.elementSize, block.bytes.data(),
                    static_cast<uint32_t>(block.bytes.size() / block.elementSize));
    }
    return changed;
}

class DocumentFileBounds : public ::testing::Test {
  protected:
    void SetUp() override { FillEveryStoredMember(doc); }
    FakeDocumentUi ui;
    CORVDoc doc{ui};
};

// Every type declares 2^31 - 1 elements and each count and index in turn is hostile: no run is
// longer than the records held, and all runs together stay within the budget.
TEST_F(DocumentFileBounds, DeclaredCountsNeverSizeARunBeyondTheHeldBytes) {
    MemoryRecords written;
    WriteDocumentRecords(doc, written);
    std::map<int32_t, uint32_t> everyTypeOverclaims;
    for (const MemoryRecords::Block& block : written.blocks()) {
        everyTypeOverclaims[block.type] = 0x7fffffff;
    }
    const uint32_t integerCount = written.elementCount(2);
    for (uint32_t index = 0; index < integerCount; ++index) {
        for (const int32_t hostile : {0x7fffffff, 1 << 20, 1 << 26, 46341}) {
            MemoryRecords damaged = WithInteger(written, index, hostile);
            OverclaimingSource source(damaged, everyTypeOverclaims);
            FakeDocumentUi otherUi;
            CORVDoc read(otherUi);
            ReadDocumentRecords(read, source);
            const uint64_t held = damaged.heldBytes();
            EXPECT_LE(source.largestRun, held) << "integer " << index << " = " << hostile;
            EXPECT_LE(source.totalCopied, kBudgetFactor * held + kBudgetAllowance)
                << "integer " << index << " = " << hostile;
        }
    }
}

// Polygon records that all point at every wall vertex would copy the vertices once per
// polygon; the budget stops that at a multiple of the file.
TEST_F(DocumentFileBounds, RepeatedReferencesStopAtTheBudget) {
    CORVDoc wide(ui);
    std::vector<PlanPoint> ring;
    for (int i = 0; i < 4000; ++i) {
        ring.push_back({static_cast<double>(i), static_cast<double>(i % 7)});
    }
    wide.m_planPolygons.append(PlanPolygon(ring));
    MemoryRecords written;
    WriteDocumentRecords(wide, written);
    // 3000 polygon records {first point 0, 4000 points}.
    MemoryRecords damaged;
    for (MemoryRecords::Block block : written.blocks()) {
        if (block.type == 14) {
            block.bytes.clear();
            for (int i = 0; i < 3000; ++i) {
                Bytes record(8);
                le::PutU32(record, 0, 0);
                le::PutI32(record, 4, 4000);
                block.bytes.insert(block.bytes.end(), record.begin(), record.end());
            }
        }
        damaged.add(block.type, block.elementSize, block.bytes.data(),
                    static_cast<uint32_t>(block.bytes.size() / block.elementSize));
    }
    MemoryRecords counted = WithInteger(damaged, 7, 3000);  // the plan polygon count
    OverclaimingSource source(counted, {});
    FakeDocumentUi otherUi;
    CORVDoc read(otherUi);
    ReadDocumentRecords(read, source);
    const uint64_t held = counted.heldBytes();
    // Unbounded, the polygons alone would copy 3000 × 64000 bytes (192 MB).
    EXPECT_LE(source.totalCopied, kBudgetFactor * held + kBudgetAllowance);
    EXPECT_GT(source.totalCopied, held);  // the honest first polygons were read
}

// The same on disk: each type's cell and first block record in the container are made to declare
// as many elements as the 32-bit count allows.
// Offsets of the container's type cells, in chain order (first cell address at byte 44, each
// cell's next address at its byte 20).
std::vector<size_t> CellOffsets(const Bytes& file) {
    std::vector<size_t> cells;
    int32_t next = le::I32At(file, 44);
    while (next > 0 && static_cast<size_t>(next) + 28 <= file.size() && cells.size() < 100) {
        cells.push_back(static_cast<size_t>(next));
        next = le::I32At(file, static_cast<size_t>(next) + 20);
    }
    return cells;
}

TEST_F(DocumentFileBounds, OverclaimingCellsOnDiskAllocateByTheFileSize) {
    TemporaryFile good(".ovx");
    ASSERT_TRUE(SaveDocumentFile(doc, good.path()).ok);
    const Bytes original = ReadFile(good.path());
    const std::vector<size_t> cells = CellOffsets(original);
    ASSERT_GE(cells.size(), 10u);
    TemporaryFile damaged(".ovx");
    for (const size_t cell : cells) {
        for (const uint32_t claim : {0x7fffffffu, 0xffffffffu, 150000000u}) {
            Bytes bytes = original;
            le::PutU32(bytes, cell + 8, claim);
            // The type's first block record {address, count, next} claims the same.
            const int32_t record = le::I32At(bytes, cell + 16);
            if (record > 0 && static_cast<size_t>(record) + 12 <= bytes.size()) {
                le::PutU32(bytes, static_cast<size_t>(record) + 4, claim);
            }
            WriteFile(damaged.path(), bytes);
            FakeDocumentUi otherUi;
            CORVDoc read(otherUi);
            LoadDocumentFile(read, damaged.path());
            const size_t n = bytes.size();
            EXPECT_LE(read.m_wallVertices.size() * 16, n) << "cell at " << cell;
            EXPECT_LE(read.m_wallSegments.size() * 32, n) << "cell at " << cell;
            EXPECT_LE(read.m_grid.cells.size() * 292, n) << "cell at " << cell;
            EXPECT_LE(read.m_gridGraph.words().size() * 8, n) << "cell at " << cell;
            EXPECT_LE(read.m_axialGraph.words().size() * 8, n) << "cell at " << cell;
        }
    }
}

// A whole honest document reads within the budget: a real read copies each record about once.
TEST_F(DocumentFileBounds, AnHonestDocumentReadsWithinTheBudget) {
    MemoryRecords written;
    WriteDocumentRecords(doc, written);
    OverclaimingSource source(written, {});
    FakeDocumentUi otherUi;
    CORVDoc read(otherUi);
    ReadDocumentRecords(read, source);
    ExpectSameStoredMembers(doc, read);
    EXPECT_LE(source.totalCopied, 2 * written.heldBytes());
}

}  // namespace
