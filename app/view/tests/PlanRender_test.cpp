#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>
#include <limits>

#include "document/CORVDoc.h"
#include "testing/FakeDocumentUi.h"
#include "view/CORVView.h"
#include "view/PlanPainter.h"
#include "view/tests/ViewPixels.h"

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);

QColor PixelAt(const QImage& image, QPoint p) {
    return image.pixelColor(p);
}

// Thin lines fall on one of the pixels around their exact position.
bool LineColorNear(const QImage& image, QPoint p, const QColor& color) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (image.pixelColor(p + QPoint(dx, dy)) == color) {
                return true;
            }
        }
    }
    return false;
}

// A 100 x 100 room (boundary) with a 10 x 20 pillar at x 60..70, y 40..60.
void BuildRoom(CORVDoc& doc) {
    doc.m_planPolygons.clear();
    doc.m_planPolygons.append(PlanPolygon({{0, 0}, {100, 0}, {100, 100}, {0, 100}}));
    doc.m_planPolygons.append(PlanPolygon({{60, 40}, {60, 60}, {70, 60}, {70, 40}}));
    doc.RebuildWallTables();
    doc.ComputePlanExtent();
}

class PlanRenderTest : public testing::Test {
  protected:
    PlanRenderTest() : doc(ui), view(doc) {
        view.resize(500, 400);
        BuildRoom(doc);
        doc.m_settings.m_colors[kColorPointIsovist] = Rgb(255, 0, 0);
        view.zoomExtent();
    }

    FakeDocumentUi ui;
    CORVDoc doc;
    CORVView view;
};

TEST_F(PlanRenderTest, ZoomExtentCentresThePlan) {
    const ViewTransform& t = doc.m_savedViewState;
    // r = min(500 / 100, 400 / 100) = 4, so the scale is 8 logical units per plan unit.
    EXPECT_DOUBLE_EQ(t.scale, 8.0);
    const QPoint centre = DeviceOf(t, 50, 50);
    EXPECT_NEAR(centre.x(), 250, 1);
    EXPECT_NEAR(centre.y(), 200, 1);
}

TEST_F(PlanRenderTest, WallsAreDrawnWhereTheyLie) {
    const QImage image = view.render();
    const ViewTransform& t = doc.m_savedViewState;
    EXPECT_EQ(PixelAt(image, DeviceOf(t, 50, 0)), kBlack);    // bottom boundary edge
    EXPECT_EQ(PixelAt(image, DeviceOf(t, 0, 50)), kBlack);    // left boundary edge
    EXPECT_EQ(PixelAt(image, DeviceOf(t, 60, 50)), kBlack);   // pillar's left side
    EXPECT_EQ(PixelAt(image, DeviceOf(t, 30, 30)), kWhite);   // inside the room
    EXPECT_EQ(PixelAt(image, DeviceOf(t, 120, 50)), kWhite);  // outside the plan
}

TEST_F(PlanRenderTest, HiddenWallsAreNotDrawn) {
    doc.m_settings.m_show[kShowWalls] = 0;
    const QImage image = view.render();
    EXPECT_EQ(PixelAt(image, DeviceOf(doc.m_savedViewState, 50, 0)), kWhite);
}

TEST_F(PlanRenderTest, PointIsovistFillsWhatCanBeSeen) {
    doc.ComputePointIsovist(20, 50);
    ASSERT_GE(doc.m_pointIsovist.polygon.count(), 3);
    const QImage image = view.render();
    const ViewTransform& t = doc.m_savedViewState;
    EXPECT_EQ(PixelAt(image, DeviceOf(t, 40, 50)), kRed);    // in front of the pillar
    EXPECT_EQ(PixelAt(image, DeviceOf(t, 30, 85)), kRed);    // open part of the room
    EXPECT_EQ(PixelAt(image, DeviceOf(t, 90, 50)), kWhite);  // in the pillar's shadow
    EXPECT_EQ(PixelAt(image, DeviceOf(t, 50, 0)), kBlack);   // walls stay on top
}

TEST_F(PlanRenderTest, MaskFillKeepsWhatLiesBelow) {
    // The isovist fill is combined by AND: on a cyan background a red fill gives black, not red.
    doc.m_settings.m_colors[kColorBackground] = Rgb(0, 255, 255);
    doc.ComputePointIsovist(20, 50);
    const QImage image = view.render();
    EXPECT_EQ(PixelAt(image, DeviceOf(doc.m_savedViewState, 40, 50)), kBlack);
    EXPECT_EQ(PixelAt(image, DeviceOf(doc.m_savedViewState, 90, 50)), QColor(0, 255, 255));
}

TEST_F(PlanRenderTest, DrawUsesTheDocumentsTransform) {
    // A transform loaded with a document (here written into it directly) is what gets drawn.
    doc.m_savedViewState.originX += 40;
    const QImage image = view.render();
    EXPECT_EQ(view.transform(), doc.m_savedViewState);
    EXPECT_EQ(PixelAt(image, DeviceOf(doc.m_savedViewState, 0, 50)), kBlack);
}

TEST_F(PlanRenderTest, DamagedTransformStillDraws) {
    doc.m_savedViewState.scale = std::numeric_limits<double>::quiet_NaN();
    const QImage image = view.render();
    EXPECT_EQ(view.transform().scale, 1.0);
    EXPECT_FALSE(image.isNull());
}

TEST(PlanPainter, PathsAndObservationPointsNeedAFirstPathOfTwoPoints) {
    PolygonList paths;
    paths.append(PlanPolygon({{10, 10}}));
    paths.append(PlanPolygon({{10, 50}, {90, 50}}));
    PlanScene scene;
    scene.colors = DefaultColors();
    scene.show.fill(1);
    scene.paths = &paths;
    ViewTransform t;
    t.originY = 100;
    t.scale = 2.6;
    QImage image(120, 120, QImage::Format_RGB32);
    auto draw = [&] {
        QPainter painter(&image);
        PlanPainter(painter, t, image.size()).draw(scene);
    };
    draw();
    const QPoint onPath = DeviceOf(t, 50, 50);
    EXPECT_FALSE(LineColorNear(image, onPath, QColor(136, 136, 136)));
    paths[0] = PlanPolygon({{10, 10}, {20, 10}});
    draw();
    EXPECT_TRUE(LineColorNear(image, onPath, QColor(136, 136, 136)));
    scene.currentPath = 1;
    draw();
    EXPECT_TRUE(LineColorNear(image, onPath, kRed));
}

TEST(PlanPainter, PathIsovistsFillTheirUnionWhateverTheirOrientation) {
    // Two overlapping squares, one clockwise: their overlap must stay filled.
    const PlanPolygon ccw({{10, 10}, {60, 10}, {60, 60}, {10, 60}});
    const PlanPolygon cw({{40, 40}, {40, 90}, {90, 90}, {90, 40}});
    PlanScene scene;
    scene.colors = DefaultColors();
    scene.show.fill(1);
    scene.pathIsovists = {&ccw, &cw};
    ViewTransform t;
    t.originY = 120;
    t.scale = 2.6;
    QImage image(120, 120, QImage::Format_RGB32);
    QPainter painter(&image);
    PlanPainter(painter, t, image.size()).draw(scene);
    const QColor grey(170, 170, 170);
    EXPECT_EQ(image.pixelColor(DeviceOf(t, 50, 50)), grey);  // overlap
    EXPECT_EQ(image.pixelColor(DeviceOf(t, 20, 20)), grey);
    EXPECT_EQ(image.pixelColor(DeviceOf(t, 80, 80)), grey);
    EXPECT_EQ(image.pixelColor(DeviceOf(t, 20, 80)), kWhite);  // in neither
}

TEST(ViewInput, WheelAndArrowKeysChangeTheStoredTransform) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    CORVView view(doc);
    view.resize(400, 300);
    doc.m_savedViewState.scale = 1.0;
    QWheelEvent away(QPointF(200, 150), QPointF(200, 150), QPoint(), QPoint(0, 120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &away);
    EXPECT_DOUBLE_EQ(doc.m_savedViewState.scale, 1.1);
    QWheelEvent towards(QPointF(200, 150), QPointF(200, 150), QPoint(), QPoint(0, -120),
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &towards);
    EXPECT_NEAR(doc.m_savedViewState.scale, 1.0, 1e-12);
    const double x = doc.m_savedViewState.originX;
    QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QApplication::sendEvent(&view, &left);
    EXPECT_EQ(doc.m_savedViewState.originX, x - 30);
}

TEST(ViewInput, ClickInPanModeNeverComputesAnIsovist) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    BuildRoom(doc);
    CORVView view(doc);
    view.resize(500, 400);
    view.zoomExtent();
    view.setPanMode(true);
    const QPoint inside = DeviceOf(doc.m_savedViewState, 30, 30);
    QMouseEvent press(QEvent::MouseButtonPress, inside, inside, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&view, &press);
    EXPECT_TRUE(view.dragging());
    EXPECT_EQ(doc.m_pointIsovist.polygon.count(), 0);
    // Dragging pans by the pointer's movement.
    const double ox = doc.m_savedViewState.originX;
    const QPoint moved = inside + QPoint(15, -4);
    QMouseEvent move(QEvent::MouseMove, moved, moved, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
    EXPECT_EQ(doc.m_savedViewState.originX, ox + 15);
    // Right button leaves pan mode and stops dragging.
    QMouseEvent right(QEvent::MouseButtonPress, moved, moved, Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&view, &right);
    EXPECT_FALSE(view.panMode());
    EXPECT_FALSE(view.dragging());
}

TEST(ViewInput, MovesWithoutTheLeftButtonDoNotPan) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    CORVView view(doc);
    view.resize(300, 300);
    view.setPanMode(true);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &press);
    const double ox = doc.m_savedViewState.originX;
    QMouseEvent move(QEvent::MouseMove, QPointF(60, 10), QPointF(60, 10), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
    EXPECT_EQ(doc.m_savedViewState.originX, ox);
}

TEST(ViewInput, LeftClickComputesTheIsovistAndReportsThePoint) {
    FakeDocumentUi ui;
    CORVDoc doc(ui);
    BuildRoom(doc);
    CORVView view(doc);
    view.resize(500, 400);
    view.zoomExtent();
    QString status;
    QObject::connect(&view, &CORVView::statusMessage, [&](const QString& s) { status = s; });
    const QPoint inside = DeviceOf(doc.m_savedViewState, 25, 75);
    QMouseEvent press(QEvent::MouseButtonPress, inside, inside, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&view, &press);
    EXPECT_GT(doc.m_pointIsovist.polygon.count(), 2);
    EXPECT_NEAR(doc.m_pickedPoint.x, 25, 0.5);
    EXPECT_NEAR(doc.m_pickedPoint.y, 75, 0.5);
    EXPECT_EQ(status, QString::asprintf("%.1f, %.1f", doc.m_pickedPoint.x, doc.m_pickedPoint.y));
    EXPECT_EQ(doc.m_savedViewState.pickedPlanX, doc.m_pickedPoint.x);
}

}  // namespace
