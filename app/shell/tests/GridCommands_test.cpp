// The grid commands in the window: availability per state, the grid run behind the Progress
// dialog on a worker thread, and its result drawn in colour with the legend.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <cmath>
#include <set>

#include "document/CORVDoc.h"
#include "document/DisplayProperties.h"
#include "shell/CMainFrame.h"
#include "shell/ProgressDialog.h"
#include "shell/WidgetDocumentUi.h"
#include "shell/tests/ModalDriver.h"
#include "testing/FakeDocumentUi.h"
#include "view/CORVView.h"
#include "view/ColorScale.h"
#include "view/PlanPainter.h"
#include "view/tests/ViewPixels.h"

namespace {

// Real widgets for the Progress dialog; messages are recorded and questions answered Yes so
// that no other box stops the test.
class RecordingWidgetUi : public WidgetDocumentUi {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string&) override { return true; }
    std::vector<std::string> messages;
};

void BuildRoom(CORVDoc& doc) {
    doc.m_planPolygons.clear();
    doc.m_planPolygons.append(PlanPolygon({{0, 0}, {100, 0}, {100, 100}, {0, 100}}));
    doc.m_planPolygons.append(PlanPolygon({{60, 40}, {60, 60}, {70, 60}, {70, 40}}));
    doc.RebuildWallTables();
    doc.ComputePlanExtent();
}

class GridCommandsTest : public testing::Test {
  protected:
    GridCommandsTest() : doc(ui), frame(doc) {
        ui.attach(&frame, WindowHooks(frame));
        frame.resize(800, 600);
        frame.runCommand({CommandId::FileNew});
        BuildRoom(doc);
        frame.view().zoomExtent();
    }

    QMenu* gridMenu() {
        for (QAction* a : frame.menuBar()->actions()) {
            if (a->text() == QStringLiteral("&Grid")) {
                return a->menu();
            }
        }
        return nullptr;
    }

    // Every command action of the Grid menu and its submenus.
    void collect(QMenu* menu, std::vector<QAction*>& out) {
        for (QAction* a : menu->actions()) {
            if (a->menu() != nullptr) {
                collect(a->menu(), out);
            } else if (!a->isSeparator()) {
                out.push_back(a);
            }
        }
    }

    RecordingWidgetUi ui;
    CORVDoc doc;
    CMainFrame frame;
};

enum class Needs { Nothing, Options, Grid, Isovists, Graph, Radial, CurrentCell };

struct Availability {
    Command command;
    Needs needs;
};

std::vector<Availability> GridCommands() {
    std::vector<Availability> list = {
        {{CommandId::GridOptions}, Needs::Nothing},
        {{CommandId::ImportCustomPoints}, Needs::Nothing},
        {{CommandId::InitializeGrid}, Needs::Options},
        {{CommandId::CreateGridIsovist}, Needs::Grid},
        {{CommandId::GridExportCsv}, Needs::Isovists},
        {{CommandId::GridReport}, Needs::Isovists},
        {{CommandId::GridUserDefined}, Needs::Isovists},
        {{CommandId::GridCellProperties}, Needs::CurrentCell},
    };
    for (int32_t code : {1, 2, 3, 4, 5, 7, 18, 29}) {
        list.push_back({{CommandId::GridProperty, code}, Needs::Isovists});
    }
    for (int32_t code : {9, 10, 11, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28}) {
        list.push_back({{CommandId::GridProperty, code}, Needs::Graph});
    }
    for (int32_t code : {12, 13, 14, 15, 16, 17, 30, 31}) {
        list.push_back({{CommandId::GridProperty, code}, Needs::Radial});
    }
    return list;
}

TEST_F(GridCommandsTest, EveryGridCommandFollowsItsAvailabilityRule) {
    struct State {
        int32_t stage;
        bool graph;
        bool radial;
        bool currentCell;
    } states[] = {
        {0, false, false, false}, {1, true, true, false}, {3, true, true, true},
        {7, false, false, false}, {7, true, false, true}, {7, false, true, false},
        {7, true, true, true},
    };
    doc.m_gridSpan = 10.0;
    doc.m_settings.setGridState(kGridOptionsAccepted);
    ASSERT_TRUE(doc.OnInitializeGrid());
    for (const State& s : states) {
        doc.m_settings.setGridState(static_cast<uint8_t>(s.stage));
        doc.m_settings.calculateGraphMeasures = s.graph ? 1 : 0;
        doc.m_settings.m_isovistMethod = s.radial ? kApproximateRadialMethod : kExactNodeMethod;
        doc.m_currentCell = s.currentCell ? GridCellIndex{2, 3} : GridCellIndex{};
        frame.refreshCommands();
        const bool isovists = (s.stage & 4) != 0;
        for (const Availability& a : GridCommands()) {
            bool expected = true;
            switch (a.needs) {
                case Needs::Nothing:
                    expected = true;
                    break;
                case Needs::Options:
                    expected = (s.stage & 1) != 0;
                    break;
                case Needs::Grid:
                    expected = (s.stage & 2) != 0;
                    break;
                case Needs::Isovists:
                    expected = isovists;
                    break;
                case Needs::Graph:
                    expected = isovists && s.graph;
                    break;
                case Needs::Radial:
                    expected = isovists && s.radial;
                    break;
                case Needs::CurrentCell:
                    expected = s.currentCell;
                    break;
            }
            QAction* action = frame.action(a.command);
            ASSERT_NE(action, nullptr) << static_cast<int>(a.command.id) << "/" << a.command.code;
            EXPECT_EQ(action->isEnabled(), expected)
                << "stage " << s.stage << " graph " << s.graph << " radial " << s.radial
                << " command " << static_cast<int>(a.command.id) << "/" << a.command.code;
        }
    }
    // With everything computed, nothing in the Grid menu is left disabled, and the menu holds
    // no command the list above does not know.
    std::vector<QAction*> actions;
    collect(gridMenu(), actions);
    std::set<QAction*> known;
    for (const Availability& a : GridCommands()) {
        known.insert(frame.action(a.command));
    }
    for (QAction* a : actions) {
        EXPECT_TRUE(a->isEnabled()) << qPrintable(a->text());
        EXPECT_TRUE(known.count(a) == 1) << qPrintable(a->text());
    }
}

TEST_F(GridCommandsTest, GraphEntriesReadWithTheirAbbreviations) {
    const std::pair<int32_t, const char*> texts[] = {{22, "Average Neighbor Control (AN)"},
                                                     {23, "Global Connectivity E (GCE)"},
                                                     {24, "Global E (GE)"},
                                                     {25, "Global Relative E (GRE)"}};
    for (const auto& [code, text] : texts) {
        EXPECT_EQ(frame.action({CommandId::GridProperty, code})->text(), QString::fromLatin1(text));
    }
    EXPECT_EQ(frame.action({CommandId::GridUserDefined})->text(),
              QStringLiteral("User defined..."));
}

TEST_F(GridCommandsTest, GridRunOnAWorkerEndsWithColouredCellsAndTheLegend) {
    doc.m_gridSpan = 2.0;  // 2500 cells: long enough for the interface to tick meanwhile
    doc.m_settings.setGridState(kGridOptionsAccepted);
    doc.m_settings.resultDisplay = 0;
    ASSERT_TRUE(frame.runCommand({CommandId::InitializeGrid}));

    int ticksWhileRunning = 0;
    // What the window can see of the document while the worker runs: the grid as before.
    const CAnalysisGrid gridBefore = doc.m_grid;
    bool documentChangedDuringRun = false;
    int paintsWhileRunning = 0;
    bool sawDialog = false;
    // Counts the view's paints while the worker runs.
    struct PaintCounter : QObject {
        std::function<void()> onPaint;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint && onPaint) {
                onPaint();
            }
            return false;
        }
    } counter;
    WhenModalOpens<ProgressDialog>([&](ProgressDialog& dialog) {
        sawDialog = true;
        counter.onPaint = [&] { paintsWhileRunning += dialog.running() ? 1 : 0; };
        frame.view().installEventFilter(&counter);
        auto* ticker = new QTimer(&dialog);
        QObject::connect(
            ticker, &QTimer::timeout, &dialog,
            [&dialog, &ticksWhileRunning, &gridBefore, &documentChangedDuringRun, this] {
                if (dialog.running()) {
                    ++ticksWhileRunning;
                    documentChangedDuringRun |=
                        doc.m_grid != gridBefore || doc.m_gridResultsValid != 0;
                    frame.view().update();
                } else if (dialog.okButton()->isEnabled()) {
                    dialog.okButton()->click();
                }
            });
        ticker->start(1);
        dialog.startButton()->click();
    });
    frame.show();
    frame.view().zoomExtent();
    ASSERT_TRUE(frame.runCommand({CommandId::CreateGridIsovist}));
    frame.view().removeEventFilter(&counter);
    ASSERT_TRUE(sawDialog);
    EXPECT_GT(ticksWhileRunning, 0);
    EXPECT_FALSE(documentChangedDuringRun);
    EXPECT_NE(doc.m_grid, gridBefore);
    EXPECT_GT(paintsWhileRunning, 0);
    EXPECT_EQ(doc.m_settings.gridState() & kGridIsovistsComputed, kGridIsovistsComputed);
    EXPECT_EQ(doc.m_gridResultsValid, 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].rfind("Computation Time = ", 0), 0u);

    // Cells in the open room see more than cells in the pillar's shadow corner: the ramp runs
    // from blue (small areas) to red (large ones).
    // Grid lines and markers cover small cells; the colours are checked without them.
    doc.m_settings.m_show[kShowGrid] = 0;
    doc.m_settings.m_show[kShowMarkers] = 0;
    const QImage image = frame.view().render();
    const ViewTransform& t = doc.m_savedViewState;
    const std::array<double, 2> range = doc.m_settings.legendRange;
    EXPECT_GT(range[1], range[0]);
    const ColorScale scale = ColorScaleOf(doc.m_settings);
    for (PlanPoint p : {PlanPoint{21.5, 21.5}, PlanPoint{85.5, 49.5}, PlanPoint{3.5, 95.5}}) {
        const CGridCell* cell = doc.m_grid.cellAt(*doc.m_grid.addressOf(p.x, p.y));
        ASSERT_NE(cell, nullptr);
        const QColor expected = ColorFromRef(scale.colorOf(cell->isovist.area, range[0], range[1]));
        const QColor seen = image.pixelColor(DeviceOf(t, p.x, p.y));
        EXPECT_EQ(seen, expected) << p.x << "," << p.y;
        EXPECT_NE(seen, QColor(255, 255, 255));
    }
    const LegendScale legend = MakeLegendScale(scale, range[0], range[1]);
    const int band = (frame.view().height() - 16) / 24;
    for (int k = 0; k < 24; k += 5) {
        EXPECT_EQ(image.pixelColor(4, 8 + k * band + 1),
                  ColorFromRef(legend.bandColors[static_cast<size_t>(k)]))
            << k;
    }
    EXPECT_EQ(legend.labels[0], LegendLabel(range[0]));
}

}  // namespace

namespace {

TEST(GridEntries, MenuEntriesRunTheirDocumentOperations) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    CMainFrame frame(doc);
    frame.runCommand({CommandId::FileNew});
    BuildRoom(doc);
    doc.m_gridSpan = 10.0;
    doc.m_settings.setGridState(kGridOptionsAccepted);
    doc.m_settings.calculateGraphMeasures = 1;
    ui.yesNoAnswers = {true};  // "The graph analysis may take several hours..."
    ASSERT_TRUE(frame.runCommand({CommandId::InitializeGrid}));
    ASSERT_TRUE(frame.runCommand({CommandId::CreateGridIsovist}));
    ASSERT_EQ(doc.m_gridResultsValid, 1);

    // Point Count: (25, 25) lies inside cell (2, 2); (30, 30) is the corner of four cells.
    doc.m_customPoints = {PlanPoint{25, 25}, PlanPoint{30, 30}};
    ASSERT_TRUE(frame.runCommand({CommandId::GridProperty, kGridPointCount}));
    EXPECT_EQ(doc.m_gridDisplayProperty, kGridPointCount);
    EXPECT_EQ(doc.m_grid.cellAt({2, 2})->isovist.graphMeasures.pointCount, 1.25);
    EXPECT_EQ(doc.m_grid.cellAt({3, 3})->isovist.graphMeasures.pointCount, 0.25);
    EXPECT_TRUE(frame.action({CommandId::GridProperty, kGridPointCount})->isChecked());

    // Depth from the current cell: 0 there, 1 to a cell it sees.
    doc.m_currentCell = GridCellIndex{1, 1};
    ASSERT_TRUE(frame.runCommand({CommandId::GridProperty, kGridDepthFromCurrentCell}));
    EXPECT_EQ(doc.m_gridDisplayProperty, kGridDepthFromCurrentCell);
    EXPECT_EQ(doc.m_grid.cellAt({1, 1})->isovist.depthFromCurrent, 0);
    EXPECT_EQ(doc.m_grid.cellAt({8, 1})->isovist.depthFromCurrent, 1);

    // A graph measure only chooses what is shown.
    ASSERT_TRUE(frame.runCommand({CommandId::GridProperty, 21}));
    EXPECT_EQ(doc.m_gridDisplayProperty, 21);
    EXPECT_FALSE(frame.action({CommandId::GridProperty, kGridPointCount})->isChecked());

    // "User defined..." and "Import Custom Points..." ask for their files (cancelled here).
    const size_t asked = ui.fileDialogFilters.size();
    ASSERT_TRUE(frame.runCommand({CommandId::GridUserDefined}));
    ASSERT_TRUE(frame.runCommand({CommandId::ImportCustomPoints}));
    ASSERT_EQ(ui.fileDialogFilters.size(), asked + 2);
    EXPECT_EQ(ui.fileDialogFilters[asked], "Plain Text File (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(doc.m_gridDisplayProperty, 21);
}

TEST(GridEntries, APickedCellsValueShowsInTheStatusBar) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    CMainFrame frame(doc);
    frame.resize(800, 600);
    frame.runCommand({CommandId::FileNew});
    BuildRoom(doc);
    doc.m_gridSpan = 10.0;
    doc.m_settings.setGridState(kGridOptionsAccepted);
    ASSERT_TRUE(frame.runCommand({CommandId::InitializeGrid}));
    ASSERT_TRUE(frame.runCommand({CommandId::CreateGridIsovist}));
    doc.m_settings.m_show[kShowPointIsovist] = 0;
    frame.view().zoomExtent();
    const QPoint at = DeviceOf(doc.m_savedViewState, 14, 23);
    QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&frame.view(), &press);
    const CGridCell* cell = doc.m_grid.cellAt({1, 2});
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(frame.statusBar()->currentMessage(),
              QString::asprintf("%.3f @ 15.0, 25.0", cell->isovist.area));
    EXPECT_TRUE(frame.action({CommandId::GridCellProperties})->isEnabled());
}

}  // namespace
