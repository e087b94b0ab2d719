#include "document/DocumentFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "document/LittleEndian.h"
#include "document/tests/DocumentFileTestSupport.h"
#include "document/tests/DxfTextBuilder.h"
#include "testing/FakeDocumentUi.h"

namespace {

uint64_t Fnv1a(const Bytes& bytes) {
    uint64_t hash = 1469598103934665603ull;
    for (const uint8_t b : bytes) {
        hash = (hash ^ b) * 1099511628211ull;
    }
    return hash;
}

std::vector<int32_t> IntegersOf(MemoryRecords& records) {
    std::vector<int32_t> values(records.elementCount(2));
    Bytes bytes(values.size() * 4);
    records.get(2, 4, 0, static_cast<uint32_t>(values.size()), bytes.data());
    for (size_t i = 0; i < values.size(); ++i) {
        values[i] = le::I32At(bytes, i * 4);
    }
    return values;
}

// The records of `doc` with the version element replaced.
MemoryRecords WithVersion(const CORVDoc& doc, int32_t version) {
    MemoryRecords written;
    WriteDocumentRecords(doc, written);
    MemoryRecords changed;
    for (MemoryRecords::Block block : written.blocks()) {
        if (block.type == 1) {
            le::PutI32(block.bytes, 0, version);
        }
        changed.add(block.type, block.elementSize, block.bytes.data(),
                    static_cast<uint32_t>(block.bytes.size() / block.elementSize));
    }
    return changed;
}

class DocumentFile : public ::testing::Test {
  protected:
    FakeDocumentUi ui;
    CORVDoc doc{ui};
};

TEST_F(DocumentFile, RecordTypesComeInTheFixedOrder) {
    MemoryRecords records;
    WriteDocumentRecords(doc, records);  // a new document: every array empty
    std::vector<int32_t> types;
    for (const auto& block : records.blocks()) {
        if (types.empty() || types.back() != block.type) {
            types.push_back(block.type);
        }
    }
    const std::vector<int32_t> expected = {1, 2, 3,  2,  3, 2,   3, 2,  3,  17, 2,
                                           3, 2, 18, 19, 2, 101, 2, 21, 22, 23, 2};
    EXPECT_EQ(types, expected);
    EXPECT_EQ(records.elementCount(2), 35u);
    EXPECT_EQ(records.elementCount(3), 13u);
    EXPECT_EQ(records.elementCount(23), 2u);
}

TEST_F(DocumentFile, PolygonRecordsPointPastTheWallVertices) {
    doc.m_planPolygons.append(PlanPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
    doc.m_planPolygons.append(PlanPolygon({{2, 2}, {3, 3}, {4, 2}}));
    doc.RebuildWallTables();
    MemoryRecords records;
    WriteDocumentRecords(doc, records);
    Bytes polygonRecords(16);
    ASSERT_TRUE(records.get(14, 8, 0, 2, polygonRecords.data()));
    EXPECT_EQ(le::U32At(polygonRecords, 0), 7u);
    EXPECT_EQ(le::I32At(polygonRecords, 4), 4);
    EXPECT_EQ(le::U32At(polygonRecords, 8), 11u);
    EXPECT_EQ(le::I32At(polygonRecords, 12), 3);
    const std::vector<int32_t> integers = IntegersOf(records);
    EXPECT_EQ(integers[0], 7);
    EXPECT_EQ(integers[1], 7);
    EXPECT_EQ(integers[7], 2);
    // No paths: the count and the first index are still written, both 0.
    EXPECT_EQ(integers[20], 0);
    EXPECT_EQ(integers[21], 0);
}

TEST_F(DocumentFile, IntegersAndDoublesOfAFullDocumentByRunningIndex) {
    FillEveryStoredMember(doc);
    MemoryRecords records;
    WriteDocumentRecords(doc, records);
    // Wall vertices 7; boundary points 7..10, wall 11..13; radial lines after the wall and
    // axial segments: type-11 index 7 + 2 = 9; cell 0 points 14..18; paths' records from
    // type-14 index 2; observation lists from 4; path isovists' records from type-15 index 0;
    // reference lines from type-14 index 6; axial records from type-15 index 2.
    const std::vector<int32_t> expected = {7, 7, 3, 4, 2, 7, 9, 2, 0, 1, 3, 5, 6, 3, 9, 0, 11, 1,
                                           0, 4, 2, 2, 2, 4, 2, 0, 1, 1, 6, 2, 0, 1, 2, 2, 2};
    EXPECT_EQ(IntegersOf(records), expected);
    std::vector<double> doubles(records.elementCount(3));
    Bytes bytes(doubles.size() * 8);
    records.get(3, 8, 0, static_cast<uint32_t>(doubles.size()), bytes.data());
    for (size_t i = 0; i < doubles.size(); ++i) {
        doubles[i] = le::F64At(bytes, i * 8);
    }
    EXPECT_EQ(doubles,
              (std::vector<double>{1.25, 5, 0.75, 0, 10, 0, 10, 1, 1, 12.5, 1.5, 1.25, 5}));
    Bytes gridRecord(40);
    ASSERT_TRUE(records.get(17, 40, 0, 1, gridRecord.data()));
    EXPECT_EQ(le::U32At(gridRecord, 0), 0u);
    EXPECT_EQ(le::I32At(gridRecord, 4), 2);
    EXPECT_EQ(le::F64At(gridRecord, 16), 5.0);
    Bytes cells(2 * 292);
    ASSERT_TRUE(records.get(16, 292, 0, 2, cells.data()));
    EXPECT_EQ(le::F64At(cells, 8), 5.0);
    EXPECT_EQ(le::I32At(cells, 32), 1);
    EXPECT_EQ(le::U32At(cells, 36), 14u);  // the first cell's isovist points
    EXPECT_EQ(le::I32At(cells, 40), 5);
    EXPECT_EQ(le::I32At(cells, 292 + 40), 0);  // no points
    Bytes headers(32);
    ASSERT_TRUE(records.get(23, 16, 0, 2, headers.data()));
    EXPECT_EQ(le::I32At(headers, 0), 2);
    EXPECT_EQ(le::I32At(headers, 4), 4);
    EXPECT_EQ(le::I32At(headers, 12), 1);
    EXPECT_EQ(le::I32At(headers, 16 + 4), 1);
}

TEST_F(DocumentFile, GoldenBytesOfASmallDocument) {
    doc.m_planPolygons.append(PlanPolygon({{0, 0}, {4, 0}, {4, 3}, {0, 3}}));
    doc.RebuildWallTables();
    doc.ComputePlanExtent();
    TemporaryFile file(".ovx");
    ASSERT_TRUE(SaveDocumentFile(doc, file.path()).ok);
    const Bytes bytes = ReadFile(file.path());
    CountingRecordSink counter;
    WriteDocumentRecords(doc, counter);
    EXPECT_EQ(bytes.size(), counter.containerBytes());
    // Top header zero, then the file header {28, type count, 0, first cell at 48}.
    EXPECT_EQ(std::count(bytes.begin(), bytes.begin() + 32, 0), 32);
    EXPECT_EQ(le::U32At(bytes, 32), 28u);
    EXPECT_EQ(le::I32At(bytes, 44), 48);
    // The first type cell is the version's: {1, 4, 1, 0, first block, ...}; data at 76.
    EXPECT_EQ(le::I32At(bytes, 48), 1);
    EXPECT_EQ(le::I32At(bytes, 52), 4);
    EXPECT_EQ(le::U32At(bytes, 56), 1u);
    EXPECT_EQ(le::I32At(bytes, 76), 1002);
    // Its 12-byte block record, then the wall vertices' cell at 92 with the points at 120, the
    // wall segments' cell at 196 with the segments at 224, and the integers' cell at 364 with
    // the wall vertex count at 392.
    EXPECT_EQ(le::I32At(bytes, 80), 76);
    EXPECT_EQ(le::I32At(bytes, 92), 10);
    EXPECT_EQ(le::F64At(bytes, 120 + 16), 4.0);
    EXPECT_EQ(le::I32At(bytes, 196), 11);
    EXPECT_EQ(le::F64At(bytes, 224 + 32 + 24), 3.0);
    EXPECT_EQ(le::I32At(bytes, 364), 2);
    EXPECT_EQ(le::I32At(bytes, 392), 4);
    // The whole file, pinned.
    EXPECT_EQ(bytes.size(), 41260u);
    EXPECT_EQ(Fnv1a(bytes), 0x43a087d3d1852597ull) << std::hex << Fnv1a(bytes);
}

TEST_F(DocumentFile, EveryMemberSurvivesAWriteAndRead) {
    FillEveryStoredMember(doc);
    TemporaryFile file(".ovx");
    ASSERT_TRUE(doc.TransferDocumentFile(CORVDoc::TransferDirection::Write, file.path()));
    FakeDocumentUi otherUi;
    CORVDoc read(otherUi);
    read.m_customPoints = {{1, 1}};
    ASSERT_TRUE(read.TransferDocumentFile(CORVDoc::TransferDirection::Read, file.path()));
    ExpectSameStoredMembers(doc, read);
    EXPECT_TRUE(read.m_customPoints.empty());
}

TEST_F(DocumentFile, ImportedDrawingSurvivesSaveAndOpen) {
    DxfTextBuilder dxf;
    dxf.layers({"Boundary", "Walls", "Route", "Axis", "Ref"}).beginEntities();
    dxf.polyline("Boundary", {{0, 0}, {30, 0}, {30, 20}, {0, 20}}, true);
    dxf.polyline("Walls", {{5, 5}, {10, 5}, {10, 10}}).circle("Walls", {20, 10}, 2);
    dxf.line("Walls", {15, 1}, {15, 4}).polyline("Route", {{1, 1}, {29, 19}});
    dxf.line("Axis", {1, 10}, {29, 10}).polyline("Ref", {{0, 15}, {30, 15}});
    dxf.endEntities().end();
    const TemporaryFile drawing(".dxf", dxf.text());
    ASSERT_EQ(doc.ImportDxfFile(drawing.path()), CORVDoc::ImportOutcome::Imported);
    ASSERT_EQ(doc.m_axialLines.size(), 1u);
    TemporaryFile file(".ovx");
    ASSERT_TRUE(SaveDocumentFile(doc, file.path()).ok);
    FakeDocumentUi otherUi;
    CORVDoc opened(otherUi);
    ASSERT_TRUE(opened.OpenDocument(file.path()));
    ExpectSameStoredMembers(doc, opened);
}

TEST_F(DocumentFile, NewDocumentRoundTripsToANewDocument) {
    MemoryRecords records;
    WriteDocumentRecords(doc, records);
    FakeDocumentUi otherUi;
    CORVDoc read(otherUi);
    ReadDocumentRecords(read, records);
    ExpectSameStoredMembers(doc, read);
}

TEST_F(DocumentFile, VersionsOutsideTheKnownRangeOpenEmpty) {
    FillEveryStoredMember(doc);
    for (const int32_t version : {999, 1003, 0, -5}) {
        MemoryRecords records = WithVersion(doc, version);
        FakeDocumentUi otherUi;
        CORVDoc read(otherUi);
        CORVDoc fresh(otherUi);
        ReadDocumentRecords(read, records);
        ExpectSameStoredMembers(fresh, read);
    }
}

TEST_F(DocumentFile, OlderVersionsBringTheSettingsUpToDate) {
    doc.m_settings.resultDisplay = 7;
    doc.m_settings.m_scaleMode = 3;
    doc.m_settings.scaleRange = 2;
    doc.m_settings.scaleFrom = 4;
    doc.m_settings.m_unit = 3;
    doc.m_settings.m_axialDisplayProperty = 5;
    doc.m_settings.gridStateAndFlags.fill(9);
    doc.m_settings.m_show[0] = 2;
    doc.m_settings.m_show[19] = -1;
    doc.m_settings.m_show[1] = 0;
    struct Expected {
        int32_t version;
        int32_t resultDisplay, scaleMode, scaleRange, unit, axialDisplay;
        double scaleFrom;
        uint8_t legacyByte, gridByte;
    };
    const Expected cases[] = {
        {1000, 0, 0, 0, 0, 0, 0.0, 100, 0},
        {1001, 7, 3, 2, 0, 0, 4.0, 100, 0},
        {1002, 7, 3, 2, 3, 5, 4.0, 0, 9},
    };
    for (const Expected& c : cases) {
        MemoryRecords records = WithVersion(doc, c.version);
        FakeDocumentUi otherUi;
        CORVDoc read(otherUi);
        ReadDocumentRecords(read, records);
        const DocumentSettings& s = read.m_settings;
        EXPECT_EQ(s.resultDisplay, c.resultDisplay) << c.version;
        EXPECT_EQ(s.m_scaleMode, c.scaleMode) << c.version;
        EXPECT_EQ(s.scaleRange, c.scaleRange) << c.version;
        EXPECT_EQ(s.scaleFrom, c.scaleFrom) << c.version;
        EXPECT_EQ(s.m_unit, c.unit) << c.version;
        EXPECT_EQ(s.m_axialDisplayProperty, c.axialDisplay) << c.version;
        EXPECT_EQ(s.legacyRun[0], c.legacyByte) << c.version;
        EXPECT_EQ(s.gridStateAndFlags[63], c.gridByte) << c.version;
        // Show flags other than 0 and 1 become 1 in every version.
        EXPECT_EQ(s.m_show[0], 1) << c.version;
        EXPECT_EQ(s.m_show[19], 1) << c.version;
        EXPECT_EQ(s.m_show[1], 0) << c.version;
    }
}

TEST_F(DocumentFile, DamagedCountsAndIndicesAreRefusedNotFollowed) {
    FillEveryStoredMember(doc);
    MemoryRecords written;
    WriteDocumentRecords(doc, written);
    // Overwrite each integer in turn with hostile values; reading must stay in bounds.
    const uint32_t integerCount = written.elementCount(2);
    for (uint32_t index = 0; index < integerCount; ++index) {
        for (const int32_t hostile : {-1, 0x7fffffff, 1 << 20, -2147483647 - 1}) {
            MemoryRecords damaged;
            uint32_t seen = 0;
            for (MemoryRecords::Block block : written.blocks()) {
                if (block.type == 2) {
                    if (seen == index) {
                        le::PutI32(block.bytes, 0, hostile);
                    }
                    ++seen;
                }
                damaged.add(block.type, block.elementSize, block.bytes.data(),
                            static_cast<uint32_t>(block.bytes.size() / block.elementSize));
            }
            FakeDocumentUi otherUi;
            CORVDoc read(otherUi);
            ReadDocumentRecords(read, damaged);
            EXPECT_EQ(read.m_wallVertexCount, static_cast<int32_t>(read.m_wallVertices.size()));
            EXPECT_GE(read.m_currentPath, -1);
            EXPECT_LT(read.m_currentPath, read.m_paths.count());
        }
    }
}

TEST_F(DocumentFile, DamagedGridAndGraphHeadersLeaveThemEmpty) {
    FillEveryStoredMember(doc);
    MemoryRecords written;
    WriteDocumentRecords(doc, written);
    struct Damage {
        int32_t type;
        size_t offset;
        int32_t value;
    };
    const Damage damages[] = {{17, 8, 3},           {17, 4, 1000000},    {17, 0, 99},
                              {23, 0, 46341},       {23, 4, 5},          {23, 0, -2},
                              {16, 36, 0x7ffffff0}, {16, 40, 0x7fffffff}};
    for (const Damage& d : damages) {
        MemoryRecords damaged;
        bool done = false;
        for (MemoryRecords::Block block : written.blocks()) {
            if (block.type == d.type && !done) {
                le::PutI32(block.bytes, d.offset, d.value);
                done = true;
            }
            damaged.add(block.type, block.elementSize, block.bytes.data(),
                        static_cast<uint32_t>(block.bytes.size() / block.elementSize));
        }
        FakeDocumentUi otherUi;
        CORVDoc read(otherUi);
        ReadDocumentRecords(read, damaged);
        EXPECT_EQ(static_cast<size_t>(read.m_grid.count), read.m_grid.cells.size()) << d.type;
        EXPECT_EQ(static_cast<size_t>(read.m_gridGraph.nodeCount()) *
                      CVisibilityGraph::wordsPerRow(read.m_gridGraph.nodeCount()),
                  read.m_gridGraph.words().size())
            << d.type;
    }
}

TEST_F(DocumentFile, DamagedAndForeignFilesNeverCrashTheReader) {
    FillEveryStoredMember(doc);
    TemporaryFile good(".ovx");
    ASSERT_TRUE(SaveDocumentFile(doc, good.path()).ok);
    const Bytes original = ReadFile(good.path());
    TemporaryFile damaged(".ovx");
    uint32_t state = 12345;
    for (int round = 0; round < 300; ++round) {
        Bytes bytes = original;
        state = state * 1103515245u + 12345u;
        if (round % 3 == 0) {
            bytes.resize(state % bytes.size());
        } else {
            for (int k = 0; k < 8; ++k) {
                state = state * 1103515245u + 12345u;
                bytes[(state >> 8) % bytes.size()] = static_cast<uint8_t>(state >> 3);
            }
        }
        WriteFile(damaged.path(), bytes);
        FakeDocumentUi otherUi;
        CORVDoc read(otherUi);
        LoadDocumentFile(read, damaged.path());
    }
    WriteFile(damaged.path(), Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'l', 'a', 'n'});
    FakeDocumentUi otherUi;
    CORVDoc read(otherUi);
    read.m_customPoints = {{1, 2}};
    LoadDocumentFile(read, damaged.path());
    SUCCEED();
}

TEST_F(DocumentFile, AFailedSaveSaysSoAndKeepsTheOldFile) {
    TemporaryFile existing(".ovx", "previous contents");
    const auto missingFolder = SaveDocumentFile(doc, "/nonexistent/folder/plan.ovx");
    EXPECT_FALSE(missingFolder.ok);
    EXPECT_EQ(missingFolder.message, "Cannot save the document to /nonexistent/folder/plan.ovx");
    // A directory in the way of the rename.
    TemporaryFile folder(".ovx");
    std::filesystem::create_directory(folder.path());
    std::filesystem::create_directory(folder.path() + "/inner");
    EXPECT_FALSE(SaveDocumentFile(doc, folder.path()).ok);
    const auto parent = std::filesystem::path(folder.path()).parent_path();
    for (const auto& entry : std::filesystem::directory_iterator(parent)) {
        EXPECT_EQ(entry.path().filename().string().find(".saving-"), std::string::npos)
            << entry.path();
    }
    std::filesystem::remove_all(folder.path());
    EXPECT_TRUE(SaveDocumentFile(doc, existing.path()).ok);
    EXPECT_NE(ReadFile(existing.path()).size(), 17u);
}

TEST_F(DocumentFile, AContainerPastItsAddressLimitIsRefusedBeforeWriting) {
    FillEveryStoredMember(doc);
    CountingRecordSink counter;
    WriteDocumentRecords(doc, counter);
    TemporaryFile file(".ovx", "previous contents");
    const auto refused = SaveDocumentFile(doc, file.path(), counter.containerBytes() - 1);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, "The document is too large to be saved: its file would pass 2 GB");
    EXPECT_EQ(ReadFile(file.path()).size(), 17u);
    EXPECT_TRUE(SaveDocumentFile(doc, file.path(), counter.containerBytes()).ok);
    EXPECT_EQ(ReadFile(file.path()).size(), counter.containerBytes());
}

TEST_F(DocumentFile, SaveAsAndOpenSetPathAndTitle) {
    FillEveryStoredMember(doc);
    TemporaryFile file(".ovx");
    ui.fileAnswers = {file.path()};
    doc.OnFileSave();  // no path yet: behaves as Save As
    EXPECT_EQ(ui.fileDialogFilters,
              (std::vector<std::string>{"Vistrel 1.3 (*.ovx)|*.ovx|All Files (*.*)|*.*||"}));
    EXPECT_EQ(doc.m_documentPath, file.path());
    EXPECT_EQ(ui.waitCursorDepth, 0);
    EXPECT_GE(ui.waitCursorShown, 1);

    FakeDocumentUi otherUi;
    CORVDoc opened(otherUi);
    otherUi.fileAnswers = {file.path()};
    opened.OnFileOpen();
    EXPECT_EQ(opened.m_documentPath, file.path());
    EXPECT_EQ(opened.GetTitle(), std::filesystem::path(file.path()).filename().string());
    ExpectSameStoredMembers(doc, opened);
    EXPECT_TRUE(otherUi.messages.empty());
}

TEST_F(DocumentFile, OpeningAnUnreadableFileSaysSoAndChangesNothing) {
    doc.m_customPoints = {{3, 3}};
    EXPECT_FALSE(doc.OpenDocument("/nonexistent/plan.ovx"));
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{"Cannot open the document /nonexistent/plan.ovx"}));
    EXPECT_EQ(doc.m_customPoints.size(), 1u);
}

TEST_F(DocumentFile, EmptyPathTransfersNothing) {
    EXPECT_TRUE(doc.TransferDocumentFile(CORVDoc::TransferDirection::Write, ""));
    EXPECT_TRUE(doc.TransferDocumentFile(CORVDoc::TransferDirection::Read, ""));
}

}  // namespace
