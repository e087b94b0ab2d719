// The path export, all-paths export and path report commands through the scripted UI port.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/CORVDoc.h"
#include "document/DocumentCommands.h"
#include "path/PathIsovists.h"
#include "report/PathCsv.h"
#include "report/PathReport.h"
#include "testing/DocumentImage.h"
#include "testing/FakeDocumentUi.h"
#include "testing/ScratchFolder.h"
#include "testing/IsovistPlans.h"

namespace {

const char* const kQuestion =
    "This command will remove current path analysis results.\nDo you want to continue?";

class PathExportCommands : public ::testing::Test {
  protected:
    FakeDocumentUi ui;
    CORVDoc doc{ui};
    ScratchFolder folder{"orvelle_path_export"};

    void SetUp() override {
        // A room with a pillar; path 1 along the bottom, path 2 up the right side.
        doc.m_planPolygons.append(Rectangle(0, 0, 10, 10, false));
        doc.m_planPolygons.append(Rectangle(4, 4, 6, 6, true));
        doc.RebuildWallTables();
        doc.m_paths.append(PlanPolygon({{1, 1}, {9, 1}}));
        doc.m_paths.append(PlanPolygon({{9, 1}, {9, 9}}));
        doc.m_observationPoints.append(PlanPolygon({{1, 1}, {5, 1}, {9, 1}}));
        doc.m_observationPoints.append(PlanPolygon({{9, 2}, {9, 8}}));
        doc.m_currentPath = 0;
        doc.SetTitle("pillar.dxf");
    }

    // The records of one path as the engine computes them, for the expected files.
    PathIsovistRun runOf(int32_t path) const {
        PathIsovistRun run;
        NullProgress progress;
        ComputePathIsovists(doc.isovistPlanTables(), doc.m_observationPoints[path].points(),
                            doc.m_settings.m_isovistMethod, run, progress);
        return run;
    }
};

TEST_F(PathExportCommands, CurrentPathExport) {
    EXPECT_FALSE(RunDocumentCommand(doc, {CommandId::PathExportCsv}));  // not available yet
    doc.OnExportPathCsv();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"No results to export"});
    for (const int32_t method : {kExactNodeMethod, kApproximateRadialMethod}) {
        doc.m_settings.m_isovistMethod = method;
        ASSERT_TRUE(doc.ComputePathIsovists());
        const std::string file = (folder / "path.csv").string();
        ui.fileAnswers = {file};
        ASSERT_TRUE(RunDocumentCommand(doc, {CommandId::PathExportCsv}));
        const PathIsovistRun run = runOf(0);
        EXPECT_EQ(ReadWholeFile(file), PathCsvText(run.records, run.radialStats, method, 0));
        EXPECT_EQ(ui.fileDialogFilters.back(),
                  "Comma Separated Values (*.csv)|*.csv|All Files (*.*)|*.*||");
    }
    // Cancel ends silently; a folder that does not exist is reported.
    ui.messages.clear();
    doc.OnExportPathCsv();
    ui.fileAnswers = {(folder / "no" / "such.csv").string()};
    doc.OnExportPathCsv();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"File open error"});
}

TEST_F(PathExportCommands, AllPathsRecomputesEveryPathAndRemovesTheResults) {
    ASSERT_TRUE(doc.ComputePathIsovists());
    const std::string file = (folder / "all.csv").string();

    ui.yesNoAnswers = {false};
    ASSERT_TRUE(RunDocumentCommand(doc, {CommandId::PathExportAllCsv}));
    EXPECT_EQ(ui.questions, std::vector<std::string>{kQuestion});
    EXPECT_EQ(doc.m_pathIsovists.size(), 3u);  // No keeps them
    EXPECT_TRUE(ui.fileDialogFilters.empty());

    for (const int32_t method : {kExactNodeMethod, kApproximateRadialMethod}) {
        doc.m_settings.m_isovistMethod = method;
        ASSERT_TRUE(doc.ComputePathIsovists());
        ui.progressTitles.clear();
        ui.yesNoAnswers = {true};
        ui.fileAnswers = {file};
        doc.OnExportAllPathsCsv();
        const PathIsovistRun first = runOf(0);
        const PathIsovistRun second = runOf(1);
        EXPECT_EQ(ReadWholeFile(file),
                  AllPathsCsvSection(1, first.records, first.radialStats, method, 0) +
                      AllPathsCsvSection(2, second.records, second.radialStats, method, 0));
        EXPECT_TRUE(doc.m_pathIsovists.empty());
        EXPECT_TRUE(doc.m_pathRadialStats.empty());
        EXPECT_EQ(ui.progressTitles,
                  (std::vector<std::string>{"Analyzing path 1/2", "Analyzing path 2/2"}));
        EXPECT_EQ(ui.titles.back(), "pillar.dxf");
        EXPECT_EQ(ui.waitCursorDepth, 0);
    }
    EXPECT_TRUE(ui.messages.empty());
    const std::string text = ReadWholeFile(file);
    EXPECT_EQ(text.substr(0, 8), "Path-1\r\n");
    EXPECT_NE(text.find("\r\n\r\n\r\nPath-2\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");
}

TEST_F(PathExportCommands, AllPathsRefusalsKeepTheResults) {
    ASSERT_TRUE(doc.ComputePathIsovists());
    // A file that cannot be written: said, and the results stay.
    ui.yesNoAnswers = {true};
    ui.fileAnswers = {(folder / "no" / "such.csv").string()};
    doc.OnExportAllPathsCsv();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"File open error"});
    EXPECT_EQ(doc.m_pathIsovists.size(), 3u);
    // Cancel in the save dialog.
    ui.yesNoAnswers = {true};
    doc.OnExportAllPathsCsv();
    EXPECT_EQ(doc.m_pathIsovists.size(), 3u);
    // No observation point lists at all.
    doc.m_observationPoints.clear();
    ui.messages.clear();
    ui.yesNoAnswers = {true};
    doc.OnExportAllPathsCsv();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"No path defined"});
}

// Cancel during a path run or the all-paths export, at any point of it, changes nothing: the
// earlier results stay, no file is made (an existing one keeps its bytes), the title comes back.
TEST_F(PathExportCommands, CancelledRunsLeaveTheResultsAndTheFiles) {
    ASSERT_TRUE(doc.ComputePathIsovists());
    const std::string file = (folder / "all.csv").string();
    const std::string kept = (folder / "kept.csv").string();
    std::ofstream(kept, std::ios::binary) << "old bytes";
    doc.m_currentPath = 1;  // the second path's run would replace the first's three results
    const DocumentImage before = ImageOf(doc);
    for (int k = 0; k <= 5; ++k) {  // the path's run reports 2 positions, the export 3 + 2
        ui.cancelAfterPositions = k;
        if (k <= 2) {
            EXPECT_FALSE(doc.ComputePathIsovists()) << k;
        }
        ui.yesNoAnswers = {true};
        ui.fileAnswers = {file};
        doc.OnExportAllPathsCsv();
        ui.yesNoAnswers = {true};
        ui.fileAnswers = {kept};
        doc.OnExportAllPathsCsv();
        EXPECT_TRUE(ImageOf(doc) == before) << "cancelled after " << k << " positions";
        EXPECT_FALSE(std::filesystem::exists(file)) << k;
        EXPECT_EQ(ReadWholeFile(kept), "old bytes") << k;
        EXPECT_EQ(ui.titles.back(), "pillar.dxf");
    }
    EXPECT_TRUE(ui.messages.empty());
    ui.cancelAfterPositions = -1;
    EXPECT_TRUE(doc.ComputePathIsovists());
    EXPECT_EQ(doc.m_pathIsovists.size(), 2u);
}

TEST_F(PathExportCommands, AllPathsWithOtherMethodsOrMissingLists) {
    // A path without a list of its own is written with no rows.
    doc.m_paths.append(PlanPolygon({{1, 9}, {2, 9}}));
    const std::string file = (folder / "all.csv").string();
    ui.yesNoAnswers = {true};
    ui.fileAnswers = {file};
    doc.OnExportAllPathsCsv();
    const std::string text = ReadWholeFile(file);
    ASSERT_NE(text.find("Path-3"), std::string::npos);
    EXPECT_EQ(text.substr(text.find("Path-3")),
              "Path-3\r\n" + PathCsvText({}, {}, 0, 0) + "\r\n\r\n");
    // A method value outside the table: only the file is made.
    doc.m_settings.m_isovistMethod = 3;
    ui.yesNoAnswers = {true};
    ui.fileAnswers = {file};
    doc.OnExportAllPathsCsv();
    EXPECT_EQ(ReadWholeFile(file), "");
}

TEST_F(PathExportCommands, ReportShowsTheCurrentPathsText) {
    doc.OnPathReport();
    EXPECT_TRUE(ui.analysisSummaries.empty());
    doc.m_settings.m_isovistMethod = kApproximateRadialMethod;
    ASSERT_TRUE(doc.ComputePathIsovists());
    doc.m_entropyParams.sets[0] = {0, 1, 2};
    ASSERT_TRUE(RunDocumentCommand(doc, {CommandId::PathReport}));
    ASSERT_EQ(ui.analysisSummaries.size(), 1u);
    EXPECT_EQ(ui.analysisSummaries[0],
              PathReportText(doc.m_pathIsovists, doc.m_pathRadialStats, kApproximateRadialMethod,
                             doc.m_entropyParams));
    EXPECT_NE(ui.analysisSummaries[0].find("Autocorrelation (10 degree)"), std::string::npos);
}

}  // namespace
