// orvelle-cli axial: generation, analysis, the export and the document, run as a process.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "axial/AxialAnalysis.h"
#include "axial/AxialMapGeneration.h"
#include "document/CORVDoc.h"
#include "document/DocumentFile.h"
#include "report/AxialCsv.h"
#include "testing/FakeDocumentUi.h"
#include "testing/ScratchFolder.h"

namespace {

const std::string kSample = std::string(ORVELLE_SOURCE_DIR) + "/examples/gallery.dxf";

class CliAxial : public ::testing::Test {
  protected:
    ScratchFolder folder{"orvelle_cli_axial"};
    int status = -1;
    std::string out;
    std::string err;

    std::string path(const std::string& name) const { return (folder / name).string(); }

    void run(const std::string& arguments) {
        const std::string command = std::string(ORVELLE_CLI_PATH) + " " + arguments + " >" +
                                    path("stdout") + " 2>" + path("stderr");
        const int raw = std::system(command.c_str());
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128;
        out = ReadWholeFile(path("stdout"));
        err = ReadWholeFile(path("stderr"));
    }
};

TEST_F(CliAxial, ReducedMapAnalysedGivesTheDocumentsExport) {
    run("axial " + kSample + " --generate reduced --analyse --depth 2 --csv " + path("a.csv") +
        " -o " + path("a.ovx"));
    ASSERT_EQ(status, 0) << err;
    EXPECT_NE(out.find("axial lines: "), std::string::npos) << out;
    // The same as the engines give on the imported plan.
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    ASSERT_TRUE(LoadDocumentFile(doc, path("a.ovx")).ok);
    std::vector<PlanSegment> lines;
    GenerateAxialMap({doc.m_planPolygons.items(), doc.m_wallVertices, doc.WallSegments()},
                     AxialMapKind::Reduced, lines);
    EXPECT_EQ(doc.m_axialLines, lines);
    const AxialAnalysis analysis = AnalyseAxialLines(lines, 2);
    EXPECT_EQ(doc.m_axialLineRecords, analysis.records);
    EXPECT_EQ(doc.m_settings.m_scaleMode, 2);
    EXPECT_EQ(ReadWholeFile(path("a.csv")), *AxialCsvText(lines, analysis.records, 0));
}

TEST_F(CliAxial, LinesOnlyExportWithoutRecordsAndJson) {
    // Lines from another drawing's axial layer (found by its name), never analysed: the axial
    // import gives each line a zeroed record, so the export has the full form.
    const std::string dxf =
        "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nAXIAL\n0\nENDTAB\n0\nENDSEC\n"
        "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nAXIAL\n10\n0\n20\n0\n11\n3\n21\n4\n0\nENDSEC\n0\n"
        "EOF\n";
    std::ofstream(path("lines.dxf"), std::ios::binary) << dxf;
    run("axial " + kSample + " --lines-from " + path("lines.dxf") + " --json --csv " +
        path("b.csv"));
    ASSERT_EQ(status, 0) << err;
    EXPECT_EQ(out.rfind("{\"lineCount\": 1, \"edgeCount\": 0", 0), 0u) << out;
    EXPECT_NE(out.find("\"start\": [0, 0], \"end\": [3, 4], \"connectivity\": 0"),
              std::string::npos)
        << out;
    EXPECT_EQ(ReadWholeFile(path("b.csv")).rfind("Index, Start point x (mm)", 0), 0u);
}

TEST_F(CliAxial, LinesOfThePlanItselfExportWithoutRecords) {
    const std::string dxf =
        "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nBOUNDARY\n0\nLAYER\n2\nLINES\n"
        "0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n8\nBOUNDARY\n90\n4\n70\n1\n"
        "10\n0\n20\n0\n10\n10\n20\n0\n10\n10\n20\n10\n10\n0\n20\n10\n0\nLINE\n8\nLINES\n10\n1\n20\n"
        "1\n11\n4\n21\n5\n0\nENDSEC\n0\nEOF\n";
    std::ofstream(path("plan.dxf"), std::ios::binary) << dxf;
    run("axial " + path("plan.dxf") + " --role LINES=axial-line --csv " + path("d.csv"));
    ASSERT_EQ(status, 0) << err;
    EXPECT_EQ(ReadWholeFile(path("d.csv")),
              "Index, Start point x, Start point y, End point x, End point y, Length\r\n"
              "0, 1.000000, 1.000000, 4.000000, 5.000000, 5.000000\r\n");
}

TEST_F(CliAxial, UserErrorsExitWithOne) {
    run("axial " + kSample + " --lines-from " + kSample);
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.find("no axial-line layer"), std::string::npos) << err;
    run("axial " + kSample + " --analyse");
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.find("There are no axial lines"), std::string::npos) << err;
    run("axial " + kSample + " --generate sideways");
    EXPECT_EQ(status, 1);
    run("axial " + kSample + " --csv " + kSample);
    EXPECT_EQ(status, 1);
    run("axial " + kSample + " --csv " + path("c.csv"));
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(std::filesystem::exists(path("c.csv")));
}

}  // namespace
