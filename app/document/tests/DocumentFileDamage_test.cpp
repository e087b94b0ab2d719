// A document is read complete or refused: a cut-short, inconsistent or non-finite file never
// opens as an empty or half plan, and refusing it leaves the open document as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

#include "document/DocumentFile.h"
#include "document/LittleEndian.h"
#include "document/tests/DocumentFileTestSupport.h"
#include "document/tests/DxfTextBuilder.h"
#include "testing/FakeDocumentUi.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The open document a refused file must leave alone.
void FillOpenDocument(CORVDoc& doc) {
    doc.m_planPolygons.append(PlanPolygon({{-1, -1}, {-5, -1}, {-5, -7}}));
    doc.RebuildWallTables();
    doc.ComputePlanExtent();
}

void ExpectStillTheOpenDocument(const CORVDoc& doc) {
    FakeDocumentUi ui;
    CORVDoc expected(ui);
    FillOpenDocument(expected);
    EXPECT_EQ(doc.m_planPolygons, expected.m_planPolygons);
    EXPECT_EQ(doc.m_wallVertices, expected.m_wallVertices);
    EXPECT_EQ(doc.m_planExtent, expected.m_planExtent);
}

class DocumentFileDamage : public ::testing::Test {
  protected:
    FakeDocumentUi ui;
    CORVDoc doc{ui};
};

TEST_F(DocumentFileDamage, EveryTruncationIsRefusedOrOpensTheWholeDocument) {
    FillEveryStoredMember(doc);
    TemporaryFile good(".ovx");
    ASSERT_TRUE(SaveDocumentFile(doc, good.path()).ok);
    const Bytes original = ReadFile(good.path());
    TemporaryFile cut(".ovx");
    // Every cut in the header and the first records, then a cut every few bytes and every cut
    // of the last records: each length costs one whole open.
    std::vector<size_t> lengths;
    for (size_t length = 0; length < original.size(); ++length) {
        if (length < 4096 || length % 37 == 0 || length + 256 >= original.size()) {
            lengths.push_back(length);
        }
    }
    int refused = 0;
    for (const size_t length : lengths) {
        WriteFile(cut.path(), Bytes(original.begin(), original.begin() + length));
        FakeDocumentUi otherUi;
        CORVDoc read(otherUi);
        FillOpenDocument(read);
        const DocumentFileResult result = LoadDocumentFile(read, cut.path());
        if (result.ok) {
            // Only a cut inside bytes no record uses may open, and then as the whole document.
            ExpectSameStoredMembers(doc, read);
            ASSERT_FALSE(::testing::Test::HasFailure()) << "length " << length;
            continue;
        }
        ++refused;
        const bool damaged = result.message == "The file " + cut.path() +
                                                   " is damaged and cannot be opened";
        const bool foreign =
            result.message == "The file " + cut.path() + " is not an Orvelle document";
        EXPECT_TRUE(damaged || foreign) << "length " << length << ": " << result.message;
        ExpectStillTheOpenDocument(read);
        ASSERT_FALSE(::testing::Test::HasFailure()) << "length " << length;
    }
    EXPECT_EQ(refused, static_cast<int>(lengths.size()));  // the container ends with records
}

// A damaged element of the written records: replace `size` bytes at byte `offset` of the
// `nth` block of `type`.
struct Damage {
    const char* what;
    int32_t type;
    int nth;
    size_t offset;
    double real;  // written as a double, or, when `integer` is set, as that integer
    bool isInteger;
    int32_t integer;
};

MemoryRecords DamagedRecords(const CORVDoc& doc, const Damage& d) {
    MemoryRecords written;
    WriteDocumentRecords(doc, written);
    MemoryRecords damaged;
    int seen = 0;
    for (MemoryRecords::Block block : written.blocks()) {
        if (block.type == d.type && seen++ == d.nth) {
            if (d.isInteger) {
                le::PutI32(block.bytes, d.offset, d.integer);
            } else {
                le::PutF64(block.bytes, d.offset, d.real);
            }
        }
        damaged.add(block.type, block.elementSize, block.bytes.data(),
                    static_cast<uint32_t>(block.bytes.size() / block.elementSize));
    }
    return damaged;
}

// Blocks of type 2 (integers) and 3 (doubles) hold one element each, in write order; type 10
// block 0 is the wall vertices, block 1 the first plan polygon's points; type 11 block 1 the
// axial lines.
const Damage kRefused[] = {
    {"NaN wall vertex", 10, 0, 0, kNaN, false, 0},
    {"infinite plan polygon point", 10, 1, 8, -kInfinity, false, 0},
    {"NaN axial line end", 11, 1, 24, kNaN, false, 0},
    {"NaN plan extent", 3, 3, 0, kNaN, false, 0},
    {"infinite plan extent", 3, 6, 0, kInfinity, false, 0},
    {"NaN isovist origin", 3, 7, 0, kNaN, false, 0},
    {"more plan polygons than records", 2, 7, 0, 0, true, 1000},
    {"more wall vertices than points", 2, 0, 0, 0, true, 1000},
    {"negative wall vertex count", 2, 0, 0, 0, true, -1},
    {"polygon points past the points", 14, 0, 0, 0, true, 100000},
    {"polygon point count past the points", 14, 0, 4, 0, true, 100000},
    {"paths past the polygon records", 2, 20, 0, 0, true, 50},
    {"grid shape unlike its cells", 17, 0, 8, 0, true, 3},
    {"graph header unlike its matrix", 23, 0, 0, 0, true, 5},
};

TEST_F(DocumentFileDamage, InconsistentOrNonFiniteRecordsAreRefused) {
    FillEveryStoredMember(doc);
    for (const Damage& d : kRefused) {
        MemoryRecords damaged = DamagedRecords(doc, d);
        FakeDocumentUi otherUi;
        CORVDoc read(otherUi);
        EXPECT_FALSE(ReadDocumentRecords(read, damaged)) << d.what;
    }
}

TEST_F(DocumentFileDamage, ASoundDocumentReadsWhole) {
    FillEveryStoredMember(doc);
    MemoryRecords written;
    WriteDocumentRecords(doc, written);
    FakeDocumentUi otherUi;
    CORVDoc read(otherUi);
    EXPECT_TRUE(ReadDocumentRecords(read, written));
    ExpectSameStoredMembers(doc, read);
}

// Wall tables that disagree with the polygons are derived data: they are rebuilt, not trusted.
// The sample plan has polygons of 4 and 3 points: 7 vertices, 7 segments.
TEST_F(DocumentFileDamage, WallTablesAreRebuiltFromThePolygons) {
    FillEveryStoredMember(doc);
    const Damage noSegments{"no wall segments", 2, 1, 0, 0, true, 0};
    const Damage fewerVertices{"three wall vertices", 2, 0, 0, 0, true, 3};
    for (const Damage& d : {noSegments, fewerVertices}) {
        MemoryRecords damaged = DamagedRecords(doc, d);
        FakeDocumentUi otherUi;
        CORVDoc read(otherUi);
        ASSERT_TRUE(ReadDocumentRecords(read, damaged)) << d.what;
        EXPECT_EQ(read.m_wallVertexCount, 7) << d.what;
        EXPECT_EQ(read.m_wallSegmentCount, 7) << d.what;
        EXPECT_EQ(read.m_wallSegments, doc.m_wallSegments) << d.what;
        EXPECT_EQ(read.m_wallVertices, doc.m_wallVertices) << d.what;
    }
}

TEST_F(DocumentFileDamage, ADamagedFileOnDiskKeepsTheOpenDocument) {
    FillEveryStoredMember(doc);
    doc.m_planExtent.maxY = kNaN;
    TemporaryFile bad(".ovx");
    ASSERT_TRUE(SaveDocumentFile(doc, bad.path()).ok);
    FakeDocumentUi otherUi;
    CORVDoc read(otherUi);
    FillOpenDocument(read);
    const DocumentFileResult result = LoadDocumentFile(read, bad.path());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "The file " + bad.path() + " is damaged and cannot be opened");
    ExpectStillTheOpenDocument(read);
}

}  // namespace
