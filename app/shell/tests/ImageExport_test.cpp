// "Export Image...", the command-line image export, the drawing named on the command line, and
// the window layout kept between runs.
#include "shell/ImageExport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QProcess>
#include <QSettings>
#include <QSvgRenderer>
#include <QToolBar>
#include <QXmlStreamReader>
#include <filesystem>

#include "document/CORVDoc.h"
#include "document/DocumentFile.h"
#include "shell/CMainFrame.h"
#include "testing/FakeDocumentUi.h"
#include "view/CORVView.h"

namespace {

// A room with its grid coloured, so that the image holds cells, walls and the legend.
void BuildColouredGrid(CORVDoc& doc) {
    doc.m_planPolygons.clear();
    doc.m_planPolygons.append(PlanPolygon({{0, 0}, {100, 0}, {100, 100}, {0, 100}}));
    doc.m_planPolygons.append(PlanPolygon({{60, 40}, {60, 60}, {70, 60}, {70, 40}}));
    doc.RebuildWallTables();
    doc.ComputePlanExtent();
    doc.m_gridSpan = 10.0;
    doc.m_settings.setGridState(kGridOptionsAccepted);
    ASSERT_TRUE(doc.OnInitializeGrid());
    for (CGridCell& cell : doc.m_grid.cells) {
        cell.isovist.area = cell.xMin + 2 * cell.yMin;
    }
    doc.m_gridResultsValid = 1;
    doc.m_gridDisplayProperty = 1;
}

std::string TempPath(const char* name) {
    return testing::TempDir() + name;
}

bool ParsesAsXml(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    QXmlStreamReader xml(&file);
    int elements = 0;
    while (!xml.atEnd()) {
        elements += xml.readNext() == QXmlStreamReader::StartElement ? 1 : 0;
    }
    return !xml.hasError() && elements > 10;
}

class ImageExportTest : public testing::Test {
  protected:
    ImageExportTest() : doc(ui), frame(doc) {
        frame.resize(700, 520);
        frame.runCommand({CommandId::FileNew});
        BuildColouredGrid(doc);
        frame.view().zoomExtent();
    }
    FakeDocumentUi ui;
    CORVDoc doc;
    CMainFrame frame;
};

TEST_F(ImageExportTest, PngHoldsExactlyWhatTheViewShows) {
    const QString path = QString::fromStdString(TempPath("orvelle-export.png"));
    QFile::remove(path);
    ui.fileAnswers.push_back(path.toStdString());
    ASSERT_TRUE(frame.runCommand({CommandId::ExportImage}));
    EXPECT_EQ(ui.fileDialogFilters.back(), kImageExportFilter);
    EXPECT_TRUE(ui.messages.empty());
    const QImage written(path);
    const QImage shown = frame.view().render();
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.size(), shown.size());
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), shown);
}

TEST_F(ImageExportTest, SvgParsesAndDrawsTheSameScene) {
    const QString path = QString::fromStdString(TempPath("orvelle-export.svg"));
    ASSERT_FALSE(ExportViewImage(frame.view(), path).has_value());
    EXPECT_TRUE(ParsesAsXml(path));
    QSvgRenderer svg(path);
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(QPoint(0, 0), frame.view().size()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    // The legend's labels are text in the file.
    EXPECT_TRUE(text.contains("<text")) << text.left(200).constData();
}

TEST_F(ImageExportTest, AFailedWriteSaysSoAndAnUnknownTypeIsRefused) {
    const auto unwritable = ExportViewImage(frame.view(), QStringLiteral("/nonexistent/dir/a.png"));
    ASSERT_TRUE(unwritable.has_value());
    EXPECT_EQ(*unwritable, "The image cannot be written to /nonexistent/dir/a.png");
    const auto unknown = ExportViewImage(frame.view(), QString::fromStdString(TempPath("a.jpg")));
    ASSERT_TRUE(unknown.has_value());
    EXPECT_FALSE(std::filesystem::exists(TempPath("a.jpg")));
    // Cancelling the dialog writes nothing and says nothing.
    EXPECT_TRUE(frame.runCommand({CommandId::ExportImage}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ImageExportTest, ExportImageSitsInTheFileMenu) {
    QAction* a = frame.action({CommandId::ExportImage});
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(), QStringLiteral("Export Image..."));
    EXPECT_TRUE(a->isEnabled());
    EXPECT_TRUE(frame.menuBar()->actions().front()->menu()->actions().contains(a));
}

TEST_F(ImageExportTest, CommandLineExportMatchesTheWindowsRender) {
    // A document written without a view (as the command-line program writes it) is fitted.
    doc.m_savedViewState = SavedViewState{};
    const std::string document = TempPath("orvelle-export-doc.ovx");
    ASSERT_TRUE(SaveDocumentFile(doc, document).ok);
    const QString png = QString::fromStdString(TempPath("orvelle-cli-export.png"));
    const QString svg = QString::fromStdString(TempPath("orvelle-cli-export.svg"));
    QFile::remove(png);
    const QString program = QStringLiteral(ORVELLE_BINARY_DIR "/orvelle");
    QProcess run;
    run.start(program,
              {"--export-image", png, QString::fromStdString(document), "--size", "640,480"});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().constData();
    run.start(program, {"--export-image", svg, QString::fromStdString(document)});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().constData();
    EXPECT_TRUE(ParsesAsXml(svg));

    // The same document in a view of that size draws the same pixels.
    FakeDocumentUi otherUi;
    CORVDoc reread(otherUi);
    ASSERT_TRUE(reread.OpenDocument(document));
    CORVView view(reread);
    view.resize(640, 480);
    view.fitIfNeverViewed();
    const QImage written(png);
    ASSERT_EQ(written.size(), QSize(640, 480));
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), view.render());

    // A document that cannot be read is a one-line error and exit status 1.
    run.start(program, {"--export-image", png, "/nonexistent/doc.ovx"});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 1);
    EXPECT_FALSE(run.readAllStandardError().isEmpty());
}

TEST(CommandLineDrawing, ADrawingNamedAtStartIsImported) {
    const std::string plan = std::string(ORVELLE_PLANS_DIR) + "/vga_rooms_100x100.dxf";
    if (!std::filesystem::exists(plan)) {
        GTEST_SKIP() << "no shared plans";
    }
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    CMainFrame frame(doc);
    frame.runCommand({CommandId::FileNew});
    ASSERT_TRUE(frame.importDrawing(QString::fromStdString(plan)));
    EXPECT_GE(doc.m_planPolygons.count(), 2);
    EXPECT_DOUBLE_EQ(doc.m_planExtent.maxX - doc.m_planExtent.minX, 100.0);
    EXPECT_FALSE(frame.importDrawing(QStringLiteral("/nonexistent/plan.dxf")));
}

TEST(WindowLayout, SizePositionAndToolbarsAreRememberedUnderOrv) {
    QSettings(QStringLiteral("ORV"), QStringLiteral("Orvelle")).remove(QStringLiteral("Window"));
    {
        FakeDocumentUi ui;
        CORVDoc doc(ui);
        CMainFrame frame(doc);
        frame.show();
        frame.resize(900, 640);
        frame.addToolBar(Qt::LeftToolBarArea, frame.toolbars()[2]);
        frame.close();
    }
    QSettings settings(QStringLiteral("ORV"), QStringLiteral("Orvelle"));
    EXPECT_TRUE(settings.contains(QStringLiteral("Window/geometry")));
    EXPECT_TRUE(settings.contains(QStringLiteral("Window/state")));
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    CMainFrame frame(doc);
    EXPECT_EQ(frame.size(), QSize(900, 640));
    EXPECT_EQ(frame.toolBarArea(frame.toolbars()[2]), Qt::LeftToolBarArea);
    EXPECT_EQ(frame.toolBarArea(frame.toolbars()[1]), Qt::TopToolBarArea);
    settings.remove(QStringLiteral("Window"));
}

}  // namespace
