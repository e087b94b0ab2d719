// Imports the sample gallery, shows it with a point isovist in the main window and saves what
// the window shows, so a person can look at it; the pixels are checked for the plan and isovist.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <cstdio>
#include <string>

#include "document/CORVDoc.h"
#include "shell/CMainFrame.h"
#include "testing/FakeDocumentUi.h"
#include "view/CORVView.h"

namespace {

TEST(MainWindowScreenshot, GalleryWithAPointIsovist) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    CMainFrame frame(doc);
    frame.resize(1100, 700);
    frame.show();
    const std::string plan = std::string(ORVELLE_SOURCE_DIR) + "/examples/gallery.dxf";
    ASSERT_EQ(doc.ImportDxfFile(plan), CORVDoc::ImportOutcome::Imported)
        << plan << ": " << (ui.messages.empty() ? std::string() : ui.messages.back());
    doc.m_settings.m_colors[kColorPointIsovist] = Rgb(255, 200, 120);
    frame.runCommand({CommandId::ZoomExtent});
    doc.ComputePointIsovist(12000, 6000);
    ASSERT_GT(doc.m_pointIsovist.polygon.count(), 2);

    const QImage view = frame.view().render();
    int isovistPixels = 0;
    int wallPixels = 0;
    for (int y = 0; y < view.height(); ++y) {
        for (int x = 0; x < view.width(); ++x) {
            const QColor c = view.pixelColor(x, y);
            isovistPixels += c == QColor(255, 200, 120);
            wallPixels += c == QColor(0, 0, 0);
        }
    }
    EXPECT_GT(isovistPixels, view.width() * view.height() / 20);
    EXPECT_GT(wallPixels, 500);

    const QString path = QString::fromStdString(testing::TempDir()) + "orvelle-main-window.png";
    EXPECT_TRUE(frame.grab().save(path));
    std::printf("main window saved to %s\n", qPrintable(path));
}

}  // namespace
