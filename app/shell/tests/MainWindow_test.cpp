#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QTest>
#include <QToolBar>

#include <QCheckBox>
#include "document/CORVDoc.h"
#include "document/DocumentFile.h"
#include "shell/CMainFrame.h"
#include "shell/ColorButton.h"
#include "shell/GeneralOptionsDialog.h"
#include "shell/ShowHideDialog.h"
#include "shell/tests/ModalDriver.h"
#include "testing/FakeDocumentUi.h"
#include "view/CORVView.h"

namespace {

class MainWindowTest : public testing::Test {
  protected:
    MainWindowTest() : doc(ui), frame(doc) {
        frame.resize(800, 600);
        frame.runCommand({CommandId::FileNew});
    }

    QAction* action(CommandId id, int32_t code = 0) {
        QAction* a = frame.action({id, code});
        EXPECT_NE(a, nullptr);
        return a;
    }

    FakeDocumentUi ui;
    CORVDoc doc;
    CMainFrame frame;
};

TEST_F(MainWindowTest, TitleNamesTheDocumentAndTheProgram) {
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Untitled - Orvelle 1.3"));
    frame.showDocumentTitle("plan.dxf");
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("plan.dxf - Orvelle 1.3"));
}

TEST_F(MainWindowTest, MenuBarHasEveryTopLevelMenu) {
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions()) {
        titles << a->text();
    }
    EXPECT_EQ(titles, (QStringList{"&File", "&View", "&Isovist", "&Grid", "&Path", "A&xial",
                                   "&Options", "&Help", "&Subdivision"}));
    EXPECT_EQ(action(CommandId::ZoomIn)->text(), QStringLiteral("Zoom In\tPgUp"));
    EXPECT_EQ(action(CommandId::FileNew)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
}

TEST_F(MainWindowTest, AcceleratorsSitOnTheirActions) {
    const std::pair<CommandId, const char*> bound[] = {{CommandId::FileNew, "Ctrl+N"},
                                                       {CommandId::FileOpen, "Ctrl+O"},
                                                       {CommandId::FileSave, "Ctrl+S"},
                                                       {CommandId::Exit, "Ctrl+Q"}};
    for (const auto& [id, keys] : bound) {
        EXPECT_EQ(action(id)->shortcut(), QKeySequence(QString::fromLatin1(keys))) << keys;
    }
    // Print, Copy, Paste, Cut, Undo and Next Pane have no command here, and Page Up and Page
    // Down belong to the view: none of these keys is taken by an action, and no key twice.
    const QSet<QKeySequence> unbound = {
        QKeySequence(QStringLiteral("Ctrl+P")),        QKeySequence(QStringLiteral("Ctrl+C")),
        QKeySequence(QStringLiteral("Ctrl+V")),        QKeySequence(QStringLiteral("Shift+Del")),
        QKeySequence(QStringLiteral("Alt+Backspace")), QKeySequence(QStringLiteral("F6")),
        QKeySequence(QStringLiteral("PgUp")),          QKeySequence(QStringLiteral("PgDown"))};
    QSet<QKeySequence> seen;
    for (QAction* a : frame.findChildren<QAction*>()) {
        for (const QKeySequence& keys : a->shortcuts()) {
            EXPECT_FALSE(unbound.contains(keys)) << qPrintable(keys.toString());
            EXPECT_FALSE(seen.contains(keys)) << qPrintable(keys.toString());
            seen.insert(keys);
        }
    }
    EXPECT_EQ(seen.size(), 4);
}

TEST_F(MainWindowTest, KeysReachTheActionsAndTheView) {
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    frame.view().setFocus();
    const double scale = doc.m_savedViewState.scale;
    QTest::keyClick(&frame.view(), Qt::Key_PageUp);
    EXPECT_NEAR(doc.m_savedViewState.scale, scale * 1.1, 1e-12);
    // Ctrl+Q leaves through the window's ordinary close.
    QTest::keyClick(&frame.view(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(frame.isVisible());
}

TEST_F(MainWindowTest, FourToolbarsInOneRow) {
    ASSERT_EQ(frame.toolbars().size(), 4u);
    for (QToolBar* bar : frame.toolbars()) {
        EXPECT_EQ(frame.toolBarArea(bar), Qt::TopToolBarArea);
        EXPECT_FALSE(frame.toolBarBreak(bar));
        EXPECT_EQ(bar->allowedAreas(), Qt::AllToolBarAreas);
    }
    EXPECT_EQ(frame.toolbars()[1]->actions().size(), 11);
}

TEST(MainWindowSize, OpensWideEnoughForTheToolbarsWithinTheScreen) {
    // Without a size remembered from an earlier run.
    QSettings(QStringLiteral("ORV"), QStringLiteral("Orvelle")).remove(QStringLiteral("Window"));
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    CMainFrame frame(doc);
    int toolbars = 0;
    for (QToolBar* bar : frame.toolbars()) {
        toolbars += bar->sizeHint().width();
    }
    const QSize screen = frame.screen()->availableSize() * 0.9;
    EXPECT_EQ(frame.size(), QSize(std::min(std::max(toolbars, 1024), screen.width()),
                                  std::min(720, screen.height())));
}

TEST_F(MainWindowTest, AnalysesOfTheCoreAreAvailable) {
    doc.m_settings.setGridState(7);
    frame.refreshCommands();
    // The axial commands exist in the core and are always available.
    EXPECT_TRUE(action(CommandId::RunAxialAnalysis)->isEnabled());
    EXPECT_TRUE(action(CommandId::GenerateAllLineAxialMap)->isEnabled());
    // The grid run's commands exist in the core and follow the grid state.
    EXPECT_TRUE(action(CommandId::GridOptions)->isEnabled());
    EXPECT_TRUE(action(CommandId::InitializeGrid)->isEnabled());
    EXPECT_TRUE(action(CommandId::CreateGridIsovist)->isEnabled());
    EXPECT_TRUE(action(CommandId::PointIsovistAt)->isEnabled());
    EXPECT_TRUE(action(CommandId::ImportDxf)->isEnabled());
}

TEST_F(MainWindowTest, ShowTogglesFollowAndFlipTheirFlags) {
    doc.m_settings.m_show[kShowWalls] = 0;
    frame.refreshCommands();
    QAction* walls = action(CommandId::ShowToggle, kShowWalls);
    EXPECT_TRUE(walls->isCheckable());
    EXPECT_FALSE(walls->isChecked());
    EXPECT_TRUE(frame.runCommand({CommandId::ShowToggle, kShowWalls}));
    EXPECT_EQ(doc.m_settings.m_show[kShowWalls], 1);
    EXPECT_TRUE(walls->isChecked());
    EXPECT_TRUE(frame.runCommand({CommandId::ShowToggle, kShowWalls}));
    EXPECT_EQ(doc.m_settings.m_show[kShowWalls], 0);
}

TEST_F(MainWindowTest, PathPropertiesNeedPathIsovistsAndRadialOnesTheRadialMethod) {
    QAction* area = action(CommandId::PathProperty, 1);
    QAction* maxRadial = action(CommandId::PathProperty, 11);
    EXPECT_FALSE(area->isEnabled());
    EXPECT_FALSE(frame.runCommand({CommandId::PathProperty, 1}));
    doc.m_pathIsovists.resize(2);
    frame.refreshCommands();
    EXPECT_TRUE(area->isEnabled());
    EXPECT_FALSE(maxRadial->isEnabled());
    doc.m_settings.m_isovistMethod = kApproximateRadialMethod;
    EXPECT_TRUE(frame.runCommand({CommandId::PathProperty, 11}));
    EXPECT_EQ(doc.m_pathDisplayProperty, 11);
    EXPECT_TRUE(maxRadial->isChecked());
}

TEST_F(MainWindowTest, AxialPropertyEntriesStoreTheirCode) {
    EXPECT_TRUE(frame.runCommand({CommandId::AxialProperty, 8}));
    EXPECT_EQ(doc.m_settings.m_axialDisplayProperty, 8);
    EXPECT_TRUE(action(CommandId::AxialProperty, 8)->isChecked());
    EXPECT_FALSE(action(CommandId::AxialProperty, 0)->isChecked());
}

TEST_F(MainWindowTest, PanIsCheckedWhilePanModeIsOn) {
    EXPECT_FALSE(action(CommandId::Pan)->isChecked());
    frame.runCommand({CommandId::Pan});
    EXPECT_TRUE(frame.view().panMode());
    EXPECT_TRUE(action(CommandId::Pan)->isChecked());
    frame.runCommand({CommandId::Pan});
    EXPECT_FALSE(action(CommandId::Pan)->isChecked());
}

TEST_F(MainWindowTest, ZoomInThenOutRestoresTheScale) {
    frame.view().resize(640, 480);
    doc.m_savedViewState.scale = 0.25;
    for (int i = 0; i < 3; ++i) {
        frame.runCommand({CommandId::ZoomIn});
    }
    EXPECT_NEAR(doc.m_savedViewState.scale, 0.25 * 1.1 * 1.1 * 1.1, 1e-12);
    for (int i = 0; i < 3; ++i) {
        frame.runCommand({CommandId::ZoomOut});
    }
    EXPECT_NEAR(doc.m_savedViewState.scale, 0.25, 1e-12);
}

TEST_F(MainWindowTest, NewDocumentStartsFiftyPixelsAboveTheBottom) {
    frame.view().resize(640, 480);
    frame.runCommand({CommandId::FileNew});
    EXPECT_EQ(doc.m_savedViewState.originX, 0.0);
    EXPECT_EQ(doc.m_savedViewState.originY, 430.0);
}

TEST_F(MainWindowTest, GeneralOptionsCancelLeavesColoursUnchanged) {
    const DocumentSettings before = doc.m_settings;
    bool seen = false;
    WhenModalOpens<GeneralOptionsDialog>(
        [](GeneralOptionsDialog& d) {
            d.colorButton(kColorWalls)->setColorRef(Rgb(1, 2, 3));
            d.colorButton(kColorBackground)->setColorRef(Rgb(9, 9, 9));
            d.reject();
        },
        &seen);
    EXPECT_TRUE(frame.runCommand({CommandId::GeneralOptions}));
    EXPECT_TRUE(seen);
    EXPECT_EQ(doc.m_settings, before);
}

TEST_F(MainWindowTest, GeneralOptionsOkWritesAllThreeBlocks) {
    bool seen = false;
    WhenModalOpens<GeneralOptionsDialog>(
        [](GeneralOptionsDialog& d) {
            d.colorButton(kColorAxialLines)->setColorRef(Rgb(10, 20, 30));
            d.methodList()->setCurrentIndex(1);
            d.unitList()->setCurrentIndex(4);
            d.scaleRangeGroup()->button(1)->click();
            d.fromField()->setText("2.5");
            d.toField()->setText("-1");
            d.accept();
        },
        &seen);
    EXPECT_TRUE(frame.runCommand({CommandId::GeneralOptions}));
    ASSERT_TRUE(seen);
    EXPECT_EQ(doc.m_settings.m_colors[kColorAxialLines], Rgb(10, 20, 30));
    EXPECT_EQ(doc.m_settings.m_isovistMethod, kApproximateRadialMethod);
    EXPECT_EQ(doc.m_settings.m_unit, 4);
    EXPECT_EQ(doc.m_settings.scaleRange, 1);
    EXPECT_EQ(doc.m_settings.scaleFrom, 2.5);
    // From above To is taken as typed.
    EXPECT_EQ(doc.m_settings.scaleTo, -1.0);
}

TEST_F(MainWindowTest, ShowHideDialogWritesFlagsOnlyOnOk) {
    doc.m_settings.m_show[15] = 7;  // a reserved word travels through unchanged
    WhenModalOpens<ShowHideDialog>([](ShowHideDialog& d) {
        d.box(kShowGrid)->setChecked(false);
        d.reject();
    });
    frame.runCommand({CommandId::ShowHide});
    EXPECT_EQ(doc.m_settings.m_show[kShowGrid], 1);
    WhenModalOpens<ShowHideDialog>([](ShowHideDialog& d) {
        d.box(kShowGrid)->setChecked(false);
        d.accept();
    });
    frame.runCommand({CommandId::ShowHide});
    EXPECT_EQ(doc.m_settings.m_show[kShowGrid], 0);
    EXPECT_EQ(doc.m_settings.m_show[kShowWalls], 1);
    EXPECT_EQ(doc.m_settings.m_show[15], 7);
}

TEST_F(MainWindowTest, RecentFilesKeepFourUnderOrv) {
    for (const char* p : {"/a.ovx", "/b.ovx", "/c.ovx", "/d.ovx", "/e.ovx"}) {
        frame.addRecentFile(p);
    }
    EXPECT_EQ(frame.recentFiles().entries(),
              (std::vector<std::string>{"/e.ovx", "/d.ovx", "/c.ovx", "/b.ovx"}));
    QSettings settings(QStringLiteral("ORV"), QStringLiteral("Orvelle"));
    EXPECT_EQ(settings.value("Recent File List/File1").toString(), QStringLiteral("/e.ovx"));
    EXPECT_EQ(settings.value("Recent File List/File4").toString(), QStringLiteral("/b.ovx"));
    EXPECT_FALSE(settings.contains("Recent File List/File5"));
}

TEST_F(MainWindowTest, OpenedDocumentKeepsItsSavedViewOrIsFittedWhenItHasNone) {
    frame.view().resize(500, 400);
    doc.m_planPolygons.append(PlanPolygon({{0, 0}, {100, 0}, {100, 50}}));
    doc.RebuildWallTables();
    doc.ComputePlanExtent();
    const std::string path = testing::TempDir() + "orvelle-view-state.ovx";
    doc.m_savedViewState = SavedViewState{};
    ASSERT_TRUE(SaveDocumentFile(doc, path).ok);
    SavedViewState saved;
    saved.scale = 3.5;
    saved.originX = 12;
    doc.m_savedViewState = saved;
    const std::string withView = testing::TempDir() + "orvelle-view-state-2.ovx";
    ASSERT_TRUE(SaveDocumentFile(doc, withView).ok);

    ASSERT_TRUE(frame.openDocument(QString::fromStdString(withView)));
    EXPECT_EQ(doc.m_savedViewState, saved);
    ASSERT_TRUE(frame.openDocument(QString::fromStdString(path)));
    EXPECT_DOUBLE_EQ(doc.m_savedViewState.scale, 2.0 * 500 / 100);
}

TEST_F(MainWindowTest, OpeningAMissingFileLeavesTheDocumentAndDropsTheEntry) {
    frame.addRecentFile("/nonexistent/plan.ovx");
    doc.m_currentPath = 3;
    EXPECT_FALSE(frame.openDocument(QStringLiteral("/nonexistent/plan.ovx")));
    EXPECT_EQ(doc.m_currentPath, 3);
    EXPECT_FALSE(ui.messages.empty());
    for (const std::string& entry : frame.recentFiles().entries()) {
        EXPECT_NE(entry, "/nonexistent/plan.ovx");
    }
}

}  // namespace
