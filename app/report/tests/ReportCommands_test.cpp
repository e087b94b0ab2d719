// The grid export and grid report commands through the scripted UI port and the command table.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/CORVDoc.h"
#include "document/DocumentCommands.h"
#include "report/GridCsv.h"
#include "report/GridReport.h"
#include "testing/FakeDocumentUi.h"
#include "testing/ScratchFolder.h"

namespace {

const std::string kCsvFilter = "Comma Separated Values (*.csv)|*.csv|All Files (*.*)|*.*||";

// Also records the default extension of each save dialog.
class ExportUi : public FakeDocumentUi {
  public:
    std::vector<std::string> defaultExtensions;
    std::optional<std::string> chooseSaveFile(const std::string& filter,
                                              const std::string& defaultExt,
                                              const std::string& suggested) override {
        defaultExtensions.push_back(defaultExt);
        return FakeDocumentUi::chooseSaveFile(filter, defaultExt, suggested);
    }
};

class ReportCommands : public ::testing::Test {
  protected:
    ExportUi ui;
    CORVDoc doc{ui};
    ScratchFolder folder{"orvelle_report"};

    void SetUp() override {
        doc.m_settings.setGridState(kGridOptionsAccepted | kGridInitialised |
                                    kGridIsovistsComputed);
    }

    // 2 x 1 cells of span 2, the second one effective, with radial statistics.
    void giveGrid() {
        CAnalysisGrid& grid = doc.m_grid;
        grid.nx = 2;
        grid.ny = 1;
        grid.count = 2;
        grid.span = 2.0;
        grid.cells.resize(2);
        grid.cells[1].effective = 1;
        grid.cells[1].isovist.area = 3.0;
        grid.cells[1].isovist.origin = {3.0, 1.0};
        doc.m_gridRadialStats.resize(1);
        doc.m_gridRadialStats[0].mean = 1.25;
    }
};

TEST_F(ReportCommands, AreDocumentCommandsAvailableOnceGridIsovistsAreComputed) {
    for (const CommandId id : {CommandId::GridExportCsv, CommandId::GridReport}) {
        EXPECT_TRUE(IsDocumentCommand({id}));
        giveGrid();
        doc.m_settings.setGridState(kGridOptionsAccepted | kGridInitialised);
        EXPECT_FALSE(RunDocumentCommand(doc, {id}));
        doc.m_settings.setGridState(kGridOptionsAccepted | kGridInitialised |
                                    kGridIsovistsComputed);
        EXPECT_TRUE(RunDocumentCommand(doc, {id}));
    }
    // Neither did anything while unavailable: one save dialog (cancelled), one summary.
    EXPECT_EQ(ui.fileDialogFilters.size(), 1u);
    EXPECT_EQ(ui.analysisSummaries.size(), 1u);
}

TEST_F(ReportCommands, ExportWithoutCellsSaysSoAndAsksNothing) {
    doc.OnExportGridCsv();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"No grid data to export"}));
    EXPECT_TRUE(ui.fileDialogFilters.empty());
}

TEST_F(ReportCommands, ExportCancelledEndsSilently) {
    giveGrid();
    ui.fileAnswers = {std::nullopt};
    doc.OnExportGridCsv();
    EXPECT_EQ(ui.fileDialogFilters, (std::vector<std::string>{kCsvFilter}));
    EXPECT_EQ(ui.defaultExtensions, (std::vector<std::string>{"csv"}));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST_F(ReportCommands, ExportWritesTheGridFileInTheDocumentsMethodAndUnit) {
    giveGrid();
    struct Case {
        int32_t method;
        int32_t unit;
    };
    for (const Case c : {Case{0, 0}, Case{1, 4}, Case{1, 9}, Case{3, 2}}) {
        doc.m_settings.m_isovistMethod = c.method;
        doc.m_settings.m_unit = c.unit;
        const auto path = folder / "cells.csv";
        std::ofstream(path) << "an older, longer file that the export replaces whole\n";
        ui.fileAnswers = {path.string()};
        doc.OnExportGridCsv();
        EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
        EXPECT_EQ(ReadWholeFile(path), GridCsvText(doc.m_grid, doc.m_gridRadialStats, c.method, c.unit))
            << c.method << "/" << c.unit;
        // Nothing else is left in the folder (no temporary file).
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                                std::filesystem::directory_iterator{}),
                  1);
    }
    doc.m_settings.m_isovistMethod = 1;
    doc.m_settings.m_unit = 0;
    const std::string text = GridCsvText(doc.m_grid, doc.m_gridRadialStats, 1, 0);
    EXPECT_EQ(text.substr(text.find("\r\n") + 2, 3), "1, ");  // the one effective cell, index 1
    EXPECT_NE(text.find(", 1.250000, "), std::string::npos);  // its radial mean
}

TEST_F(ReportCommands, ExportThatCannotWriteSaysSoAndKeepsTheOldFile) {
    giveGrid();
    // A folder that does not exist: the file cannot be created.
    ui.fileAnswers = {(folder / "missing" / "cells.csv").string()};
    doc.OnExportGridCsv();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"File open error"}));
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
    // A folder in the way of the file: written, but it cannot replace it.
    ui.messages.clear();
    std::filesystem::create_directories(folder / "taken.csv" / "inside");
    ui.fileAnswers = {(folder / "taken.csv").string()};
    doc.OnExportGridCsv();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"File write error"}));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "taken.csv" / "inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator{}),
              1);
}

TEST_F(ReportCommands, ReportShowsTheGridReportOnlyWhenThereAreCells) {
    doc.OnGridReport();
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_TRUE(ui.messages.empty());
    giveGrid();
    doc.m_settings.m_unit = 2;
    doc.OnGridReport();
    EXPECT_EQ(ui.dialogs, (std::vector<std::string>{"Analysis Summary"}));
    ASSERT_EQ(ui.analysisSummaries.size(), 1u);
    EXPECT_EQ(ui.analysisSummaries[0], GridReportText(doc.m_grid, 2));
    EXPECT_EQ(ui.analysisSummaries[0].rfind("Grid Size: 2 * 1\r\nGrid Cell Number: 2\r\n", 0), 0u);
    EXPECT_NE(ui.analysisSummaries[0].find("Effective Cell Number: 1\r\n\r\nUnit: m\r\n"),
              std::string::npos);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
