// The axial export: both forms byte for byte, the unit titles and the command's messages.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/CORVDoc.h"
#include "document/DocumentCommands.h"
#include "report/AxialCsv.h"
#include "testing/FakeDocumentUi.h"

namespace {

PlanSegment S(double x0, double y0, double x1, double y1) {
    return PlanSegment{{x0, y0}, {x1, y1}};
}

IsovistRecord Measured(int32_t connectivity, double meanDepth, double undefined) {
    IsovistRecord r;
    GraphMeasureBlock& b = r.graphMeasures;
    b.connectivity = connectivity;
    b.meanDepth = meanDepth;
    b.control = 0.5;
    b.controllability = 2.0;
    b.relativeAsymmetry = undefined;
    b.realRelativeAsymmetry = undefined;
    b.integration = 1.25;
    b.integrationN = 3.0;
    b.averageNeighbourControl = 0.125;
    b.globalE = undefined;
    b.globalRelativeE = 1.0;
    b.globalConnectivityE = 7.5;
    return r;
}

const char* kMeasureTitles =
    "Connectivity, Mean depth, Control, Controllability, Relative asymmetry, Real relative "
    "asymmetry, Integration, Integration-n, Average neighbor control, Global E, Global "
    "relative E, Global connectivity E\r\n";

TEST(AxialCsv, BothFormsByteForByte) {
    const std::vector<PlanSegment> lines{S(0, 0, 3, 4), S(-1.5, 2, -1.5, 0)};
    struct Case {
        const char* name;
        std::vector<IsovistRecord> records;
        int32_t unit;
        std::string expected;
    };
    const Case cases[] = {
        {"lines only (no unit in the header)",
         {},
         4,
         "Index, Start point x, Start point y, End point x, End point y, Length\r\n"
         "0, 0.000000, 0.000000, 3.000000, 4.000000, 5.000000\r\n"
         "1, -1.500000, 2.000000, -1.500000, 0.000000, 2.000000\r\n"},
        {"lines only with a unit out of range still has its header",
         {},
         9,
         "Index, Start point x, Start point y, End point x, End point y, Length\r\n"
         "0, 0.000000, 0.000000, 3.000000, 4.000000, 5.000000\r\n"
         "1, -1.500000, 2.000000, -1.500000, 0.000000, 2.000000\r\n"},
        {"with measures, mm",
         {Measured(1, 1.0, -1.0), Measured(0, 0.0, 0.5)},
         0,
         std::string("Index, Start point x (mm), Start point y (mm), End point x (mm), End point "
                     "y (mm), Length (mm), ") +
             kMeasureTitles +
             "0, 0.000000, 0.000000, 3.000000, 4.000000, 5.000000, 1, 1.000000, 0.500000, "
             "2.000000, -1.000000, -1.000000, 1.250000, 3.000000, 0.125000, -1.000000, "
             "1.000000, 7.500000\r\n"
             "1, -1.500000, 2.000000, -1.500000, 0.000000, 2.000000, 0, 0.000000, 0.500000, "
             "2.000000, 0.500000, 0.500000, 1.250000, 3.000000, 0.125000, 0.500000, 1.000000, "
             "7.500000\r\n"},
        {"with measures, ft titles",
         {IsovistRecord{}, IsovistRecord{}},
         4,
         std::string("Index, Start point x (ft), Start point y (ft), End point x (ft), End point "
                     "y (ft), Length (ft), ") +
             kMeasureTitles +
             "0, 0.000000, 0.000000, 3.000000, 4.000000, 5.000000, 0, 0.000000, 0.000000, "
             "0.000000, 0.000000, 0.000000, 0.000000, 0.000000, 0.000000, 0.000000, 0.000000, "
             "0.000000\r\n"
             "1, -1.500000, 2.000000, -1.500000, 0.000000, 2.000000, 0, 0.000000, 0.000000, "
             "0.000000, 0.000000, 0.000000, 0.000000, 0.000000, 0.000000, 0.000000, 0.000000, "
             "0.000000\r\n"},
        {"with measures, unit out of range: rows only",
         {IsovistRecord{}, IsovistRecord{}},
         5,
         "0, 0.000000, 0.000000, 3.000000, 4.000000, 5.000000, 0, 0.000000, 0.000000, "
         "0.000000, 0.000000, 0.000000, 0.000000, 0.000000, 0.000000, 0.000000, 0.000000, "
         "0.000000\r\n"
         "1, -1.500000, 2.000000, -1.500000, 0.000000, 2.000000, 0, 0.000000, 0.000000, "
         "0.000000, 0.000000, 0.000000, 0.000000, 0.000000, 0.000000, 0.000000, 0.000000, "
         "0.000000\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto text = AxialCsvText(lines, c.records, c.unit);
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, c.expected);
    }
    EXPECT_FALSE(AxialCsvText(lines, std::vector<IsovistRecord>(1), 0).has_value());
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(AxialCsv, ExportCommandMessages) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("orvelle_axial_csv_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto path = (folder / "axial.csv").string();
    struct Case {
        const char* name;
        std::vector<PlanSegment> lines;
        size_t records;
        std::optional<std::string> file;
        std::vector<std::string> messages;
        bool written;
    };
    const Case cases[] = {
        {"no lines", {}, 0, path, {"There are no axial lines"}, false},
        {"records not one per line",
         {S(0, 0, 1, 0), S(0, 0, 0, 1)},
         1,
         path,
         {"Internal error"},
         false},
        {"cancelled", {S(0, 0, 1, 0)}, 1, std::nullopt, {}, false},
        {"imported, never analysed: the full form with zeros", {S(0, 0, 1, 0)}, 1, path, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(path);
        FakeDocumentUi ui;
        CORVDoc doc(ui);
        doc.m_axialLines = c.lines;
        doc.m_axialLineRecords.assign(c.records, IsovistRecord{});
        ui.fileAnswers = {c.file};
        ASSERT_TRUE(RunDocumentCommand(doc, Command{CommandId::AxialExportCsv, 0}));
        EXPECT_EQ(ui.messages, c.messages);
        EXPECT_EQ(std::filesystem::exists(path), c.written);
        if (c.written) {
            EXPECT_EQ(ReadAll(path), *AxialCsvText(doc.m_axialLines, doc.m_axialLineRecords, 0));
            EXPECT_EQ(ReadAll(path).rfind("Index, Start point x (mm)", 0), 0u);
        }
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
