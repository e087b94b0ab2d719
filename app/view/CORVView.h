// The plan view: draws the document and turns keys, the wheel and clicks into changes of the
// viewing transform or into picks in the plan.
#pragma once

#include <QPoint>
#include <QWidget>

#include "view/ViewTransform.h"

class CORVDoc;

class CORVView : public QWidget {
    Q_OBJECT
  public:
    explicit CORVView(CORVDoc& doc, QWidget* parent = nullptr);

    // A fresh view: origin x = 0 and y = 50 pixels above the client bottom.
    void initialUpdate();

    void zoomIn();
    void zoomOut();
    void zoomExtent();
    void setPanMode(bool on);
    bool panMode() const { return panMode_; }
    bool dragging() const { return dragging_; }

    // The transform as last drawn or changed.
    const ViewTransform& transform() const { return transform_; }

    // Draws the document into an image of the view's size (for tests and screenshots).
    QImage render();
    // Draws the document onto any paint device of the view's size, as a paint of the window.
    void paintDocument(QPainter& painter);
    // A document written without a view (e.g. by the command-line program) holds the reset
    // view state; it is fitted to the window instead. True when it was.
    bool fitIfNeverViewed();

  signals:
    void statusMessage(const QString& text);
    void panModeChanged(bool on);
    // The document changed through a pick (e.g. a new point isovist).
    void documentChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // Takes the document's copy of the transform (repairing values no view can use).
    void loadTransform();
    // Gives the transform back to the document and repaints.
    void storeTransform();
    void pick(QPoint devicePoint);
    void updateCursor();

    CORVDoc& doc_;
    ViewTransform transform_;
    bool panMode_ = false;
    bool dragging_ = false;
    QPoint lastDragPoint_;
};
