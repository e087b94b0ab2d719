#include "view/CORVView.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "document/CORVDoc.h"
#include "view/PlanPainter.h"
#include "view/PlanSceneOf.h"

CORVView::CORVView(CORVDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
}

void CORVView::loadTransform() {
    transform_ = doc_.m_savedViewState;
    RepairViewTransform(transform_);
}

void CORVView::storeTransform() {
    doc_.m_savedViewState = transform_;
    update();
}

void CORVView::initialUpdate() {
    loadTransform();
    InitialOrigin(transform_, height());
    storeTransform();
}

void CORVView::zoomIn() {
    loadTransform();
    ::ZoomIn(transform_, width(), height());
    storeTransform();
}

void CORVView::zoomOut() {
    loadTransform();
    ::ZoomOut(transform_, width(), height());
    storeTransform();
}

void CORVView::zoomExtent() {
    loadTransform();
    ::ZoomExtent(transform_, doc_.m_planExtent, width(), height());
    storeTransform();
}

bool CORVView::fitIfNeverViewed() {
    if (doc_.m_savedViewState == SavedViewState{} && !doc_.m_planPolygons.empty()) {
        zoomExtent();
        return true;
    }
    return false;
}

void CORVView::setPanMode(bool on) {
    panMode_ = on;
    if (!on) {
        dragging_ = false;
    }
    updateCursor();
    emit panModeChanged(on);
}

void CORVView::updateCursor() {
    if (panMode_) {
        setCursor(dragging_ ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
    } else {
        unsetCursor();
    }
}

void CORVView::paintDocument(QPainter& painter) {
    loadTransform();
    PlanPainter planPainter(painter, transform_, size());
    planPainter.draw(PlanSceneOf(doc_));
    // The legend registry is the document's: what was coloured last is what the legend shows.
    doc_.m_settings.legendRange = planPainter.legendRange();
}

void CORVView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintDocument(painter);
}

QImage CORVView::render() {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    paintDocument(painter);
    return image;
}

void CORVView::keyPressEvent(QKeyEvent* event) {
    loadTransform();
    switch (event->key()) {
        case Qt::Key_PageUp:
            ::ZoomIn(transform_, width(), height());
            break;
        case Qt::Key_PageDown:
            ::ZoomOut(transform_, width(), height());
            break;
        case Qt::Key_Left:
            PanBy(transform_, -kArrowPanStep, 0);
            break;
        case Qt::Key_Up:
            PanBy(transform_, 0, -kArrowPanStep);
            break;
        case Qt::Key_Right:
            PanBy(transform_, kArrowPanStep, 0);
            break;
        case Qt::Key_Down:
            PanBy(transform_, 0, kArrowPanStep);
            break;
        case Qt::Key_Home:
        case Qt::Key_End:
            update();
            return;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    storeTransform();
}

void CORVView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {  // a sideways scroll is no zoom step
        event->ignore();
        return;
    }
    loadTransform();
    const QPoint cursor = event->position().toPoint();
    WheelZoom(transform_, delta, cursor.x(), cursor.y(), width(), height());
    storeTransform();
}

void CORVView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        if (panMode_ || dragging_) {
            dragging_ = false;
            setPanMode(false);
        }
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (panMode_) {
        dragging_ = true;
        lastDragPoint_ = event->position().toPoint();
        updateCursor();
        return;
    }
    pick(event->position().toPoint());
}

void CORVView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    const QPoint p = event->position().toPoint();
    loadTransform();
    PanBy(transform_, p.x() - lastDragPoint_.x(), p.y() - lastDragPoint_.y());
    lastDragPoint_ = p;
    updateCursor();
    storeTransform();
}

void CORVView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && dragging_) {
        dragging_ = false;
        updateCursor();
    }
}

void CORVView::pick(QPoint devicePoint) {
    loadTransform();
    PickAt(transform_, DevicePoint{devicePoint.x(), devicePoint.y()});
    const CORVDoc::PickOutcome outcome =
        doc_.OnPickPoint(PlanPoint{transform_.pickedPlanX, transform_.pickedPlanY});
    if (outcome.redraw) {
        update();
    }
    if (outcome.status) {
        emit statusMessage(QString::fromStdString(*outcome.status));
    }
    if (outcome.changed) {
        emit documentChanged();
    }
    doc_.m_savedViewState = transform_;
}
