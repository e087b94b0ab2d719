// The grid drawn in the view: cells in the colour of the shown property, the current cell, grid
// lines, the legend, reference polygons with their closing edge, and picking a cell.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "document/CORVDoc.h"
#include "document/CommandAvailability.h"
#include "testing/FakeDocumentUi.h"
#include "view/CORVView.h"
#include "view/ColorScale.h"
#include "view/PlanPainter.h"
#include "view/tests/ViewPixels.h"

namespace {

QColor Grey(int level) {
    return QColor(level, level, level);
}

// The 100 x 100 room with a pillar at x 60..70, y 40..60, a 10 x 10 grid over it (the pillar's
// two cells not effective) and each effective cell's area set to its column: the range is 0..9.
class GridRenderTest : public testing::Test {
  protected:
    GridRenderTest() : doc(ui), view(doc) {
        doc.m_planPolygons.clear();
        doc.m_planPolygons.append(PlanPolygon({{0, 0}, {100, 0}, {100, 100}, {0, 100}}));
        doc.m_planPolygons.append(PlanPolygon({{60, 40}, {60, 60}, {70, 60}, {70, 40}}));
        doc.RebuildWallTables();
        doc.ComputePlanExtent();
        doc.m_gridSpan = 10.0;
        doc.m_settings.setGridState(kGridOptionsAccepted);
        EXPECT_TRUE(doc.OnInitializeGrid());
        for (CGridCell& cell : doc.m_grid.cells) {
            cell.isovist.area = std::floor(cell.xMin / 10.0);
            cell.isovist.origin =
                PlanPoint{(cell.xMin + cell.xMax) / 2, (cell.yMin + cell.yMax) / 2};
        }
        doc.m_gridResultsValid = 1;
        doc.m_gridDisplayProperty = 1;
        doc.m_settings.resultDisplay = 1;  // grey
        view.resize(500, 400);
        view.zoomExtent();
    }

    QColor cellPixel(const QImage& image, int column, int row) const {
        // A quarter into the cell, away from its lines and its centre marker.
        return image.pixelColor(DeviceOf(doc.m_savedViewState, column * 10 + 2.5, row * 10 + 2.5));
    }

    FakeDocumentUi ui;
    CORVDoc doc;
    CORVView view;
};

TEST_F(GridRenderTest, CellsTakeTheRampColourOfTheirValue) {
    const QImage image = view.render();
    for (int column : {0, 3, 5, 9}) {
        const int level = static_cast<int>(column / 9.0 * 255.0);
        EXPECT_EQ(cellPixel(image, column, 1), Grey(level)) << column;
    }
    EXPECT_EQ(cellPixel(image, 6, 4), QColor(255, 255, 255));  // the pillar's cell: not effective
    EXPECT_EQ(doc.m_settings.legendRange, (std::array<double, 2>{0.0, 9.0}));
}

TEST_F(GridRenderTest, HiddenResultsOrNoResultsLeaveTheCellsBlank) {
    doc.m_settings.m_show[kShowGridResults] = 0;
    EXPECT_EQ(cellPixel(view.render(), 9, 1), QColor(255, 255, 255));
    doc.m_settings.m_show[kShowGridResults] = 1;
    doc.m_gridResultsValid = 0;
    EXPECT_EQ(cellPixel(view.render(), 9, 1), QColor(255, 255, 255));
}

TEST_F(GridRenderTest, TheCurrentCellIsRedOverItsColour) {
    doc.m_currentCell = GridCellIndex{3, 7};
    const QImage image = view.render();
    EXPECT_EQ(cellPixel(image, 3, 7), QColor(255, 85, 85));
    EXPECT_EQ(cellPixel(image, 3, 6), Grey(85));
    // A current cell that is not effective is not marked.
    doc.m_currentCell = GridCellIndex{6, 4};
    EXPECT_EQ(cellPixel(view.render(), 6, 4), QColor(255, 255, 255));
}

TEST_F(GridRenderTest, GridLinesRunAlongEveryCellBoundary) {
    doc.m_gridResultsValid = 0;
    doc.m_settings.m_show[kShowWalls] = 0;
    const QImage image = view.render();
    const QColor line(204, 204, 204);
    auto near = [&](QPoint p) {
        for (int d = -1; d <= 1; ++d) {
            if (image.pixelColor(p + QPoint(d, 0)) == line ||
                image.pixelColor(p + QPoint(0, d)) == line) {
                return true;
            }
        }
        return false;
    };
    const ViewTransform& t = doc.m_savedViewState;
    EXPECT_TRUE(near(DeviceOf(t, 35, 40)));   // row boundary 4
    EXPECT_TRUE(near(DeviceOf(t, 30, 85)));   // column boundary 3
    EXPECT_TRUE(near(DeviceOf(t, 100, 55)));  // the last column boundary
    EXPECT_FALSE(near(DeviceOf(t, 32.5, 42.5)));
    doc.m_settings.m_show[kShowGrid] = 0;
    doc.m_settings.m_show[kShowMarkers] = 0;
    EXPECT_EQ(view.render().pixelColor(DeviceOf(t, 35, 40)), QColor(255, 255, 255));
}

TEST_F(GridRenderTest, LegendShowsTwentyFourBandsWithLabelsInTheContrastColour) {
    const QImage image = view.render();
    const LegendScale legend = MakeLegendScale(ColorScale{0, 0, 0, 1}, 0.0, 9.0);
    const int band = (400 - 16) / 24;
    for (int k : {0, 1, 12, 23}) {
        const QColor expected = ColorFromRef(legend.bandColors[static_cast<size_t>(k)]);
        EXPECT_EQ(image.pixelColor(5, 8 + k * band + 1), expected) << k;
    }
    // Each label's text lies right of the stripes, dark on the white background. (The 25th
    // label sits below the last band, mostly past the window's bottom.)
    auto textPixels = [&](const QImage& img, int k, bool dark) {
        int n = 0;
        for (int y = 8 + k * band; y < 8 + (k + 1) * band; ++y) {
            for (int x = 13; x < 60; ++x) {
                const QColor c = img.pixelColor(x, y);
                const int sum = c.red() + c.green() + c.blue();
                n += (dark ? sum < 200 : sum > 600) ? 1 : 0;
            }
        }
        return n;
    };
    for (int k : {0, 12, 23}) {
        EXPECT_GT(textPixels(image, k, true), 5) << k;
    }
    // On a dark background the text turns white.
    doc.m_settings.m_colors[kColorBackground] = Rgb(20, 20, 60);
    const QImage dark = view.render();
    EXPECT_GT(textPixels(dark, 12, false), 5);
}

TEST_F(GridRenderTest, FixedRangeLegendShowsTheUserRange) {
    doc.m_settings.scaleRange = 1;
    doc.m_settings.scaleFrom = 0.0;
    doc.m_settings.scaleTo = 18.0;
    const QImage image = view.render();
    // Column 9 (value 9) is the middle of the user range.
    EXPECT_EQ(cellPixel(image, 9, 1), Grey(127));
    const LegendScale legend = MakeLegendScale(ColorScale{1, 0.0, 18.0, 1}, 0.0, 9.0);
    EXPECT_EQ(image.pixelColor(5, 8 + 23 * 16 + 1), ColorFromRef(legend.bandColors[23]));
    EXPECT_EQ(legend.labels[24], "18      ");
}

TEST_F(GridRenderTest, NoLegendForAFamilyWithNothingToShow) {
    doc.m_settings.m_scaleMode = kLegendAxial;
    doc.m_settings.m_show[kShowAxialLines] = 0;
    const QImage image = view.render();
    EXPECT_EQ(image.pixelColor(5, 9), QColor(255, 255, 255));
    // The grid's range is not registered for a legend that shows another family.
    doc.m_settings.legendRange = {-5, 5};
    view.render();
    EXPECT_EQ(doc.m_settings.legendRange, (std::array<double, 2>{-5.0, 5.0}));
}

TEST_F(GridRenderTest, PickingACellShowsItsValueInTheStatusText) {
    QString status = QStringLiteral("unset");
    QObject::connect(&view, &CORVView::statusMessage, [&](const QString& s) { status = s; });
    doc.m_settings.m_show[kShowPointIsovist] = 0;
    struct Case {
        int32_t property;
        const char* text;
    } cases[] = {
        {1, "4.000 @ 45.0, 25.0"},
        {9, "0 @ 45.0, 25.0"},
        {18, "0.00 @ 45.0, 25.0"},
        {30, ""},
    };
    for (const Case& c : cases) {
        doc.m_gridDisplayProperty = c.property;
        const QPoint at = DeviceOf(doc.m_savedViewState, 44, 23);
        QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&view, &press);
        EXPECT_EQ(doc.m_currentCell, (GridCellIndex{4, 2})) << c.property;
        EXPECT_EQ(status, QString::fromLatin1(c.text)) << c.property;
    }
}

TEST(ReferenceLines, AClosedPolygonKeepsItsClosingEdge) {
    PolygonList references;
    references.append(PlanPolygon({{10, 10}, {90, 10}, {90, 90}, {10, 90}}));
    PlanScene scene;
    scene.colors = DefaultColors();
    scene.show.fill(1);
    scene.referenceLines = &references;
    ViewTransform t;
    t.originY = 120;
    t.scale = 2.6;
    QImage image(120, 120, QImage::Format_RGB32);
    QPainter painter(&image);
    PlanPainter(painter, t, image.size()).draw(scene);
    const QColor line = ColorFromRef(scene.colors[kColorReferenceLines]);
    auto near = [&](QPoint p) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (image.pixelColor(p + QPoint(dx, dy)) == line) {
                    return true;
                }
            }
        }
        return false;
    };
    // The last edge, from (10, 90) back to (10, 10), is the closing one.
    for (PlanPoint p :
         {PlanPoint{50, 10}, PlanPoint{90, 50}, PlanPoint{50, 90}, PlanPoint{10, 50}}) {
        EXPECT_TRUE(near(DeviceOf(t, p.x, p.y))) << p.x << "," << p.y;
    }
}

}  // namespace
