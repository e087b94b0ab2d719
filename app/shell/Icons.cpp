#include "shell/Icons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QStyle>
#include <functional>

namespace {

// Toolbar pictograms, drawn on a 24 x 24 grid in one style: dark outlines 1.5 wide, the plan's
// own colours for what they stand for (walls black, isovists grey or red, paths red, axial lines
// blue, results in the colour ramp), and small badges that say what the command does with it:
// a play triangle runs an analysis, an arrow out of a sheet exports, sliders open options.
constexpr int kIconSize = 24;
const QColor kInk(0x30, 0x30, 0x30);
const QColor kIsovist(0xb0, 0xb0, 0xb0);
const QColor kPath(0xd0, 0x20, 0x20);
const QColor kAxial(0x20, 0x40, 0xd0);
const QColor kBadge(0x2e, 0x7d, 0x32);
const QColor kRamp[] = {QColor(0, 0, 255), QColor(0, 255, 255), QColor(64, 223, 0),
                        QColor(255, 255, 0), QColor(255, 3, 0)};

using Drawing = std::function<void(QPainter&)>;

QIcon Drawn(const Drawing& draw) {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    draw(p);
    return QIcon(pixmap);
}

void Pen(QPainter& p, const QColor& color, double width = 1.5) {
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// A sheet of paper with a folded corner, in the left part of the icon.
void Sheet(QPainter& p) {
    Pen(p, kInk);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF(
        {QPointF(4, 2), QPointF(14, 2), QPointF(18, 6), QPointF(18, 21), QPointF(4, 21)}));
    p.setBrush(Qt::NoBrush);
}

// An arrow leaving to the lower right.
void ExportBadge(QPainter& p) {
    Pen(p, kBadge, 2);
    p.drawLine(QPointF(13, 17), QPointF(22, 17));
    p.drawPolyline(QPolygonF({QPointF(19, 14), QPointF(22, 17), QPointF(19, 20)}));
}

// A run triangle in the lower right corner.
void RunBadge(QPainter& p) {
    Pen(p, kBadge, 1);
    p.setBrush(kBadge);
    p.drawPolygon(QPolygonF({QPointF(15, 14), QPointF(23, 18.5), QPointF(15, 23)}));
    p.setBrush(Qt::NoBrush);
}

// Two sliders in the lower right corner.
void OptionsBadge(QPainter& p) {
    Pen(p, kInk, 1.2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(13, 13, 10, 10));
    p.drawLine(QPointF(15, 16), QPointF(21, 16));
    p.drawLine(QPointF(15, 20), QPointF(21, 20));
    p.setBrush(kBadge);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(19, 16), 1.6, 1.6);
    p.drawEllipse(QPointF(16.5, 20), 1.6, 1.6);
    p.setBrush(Qt::NoBrush);
}

// A 3 x 3 grid over `r`; `filled` colours its cells along the ramp.
void Grid(QPainter& p, const QRectF& r, bool filled) {
    const double w = r.width() / 3;
    const double h = r.height() / 3;
    if (filled) {
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                p.setBrush(kRamp[i + j]);
                p.drawRect(QRectF(r.left() + i * w, r.top() + j * h, w, h));
            }
        }
        p.setBrush(Qt::NoBrush);
    }
    Pen(p, kInk, 1);
    for (int k = 0; k <= 3; ++k) {
        p.drawLine(QPointF(r.left() + k * w, r.top()), QPointF(r.left() + k * w, r.bottom()));
        p.drawLine(QPointF(r.left(), r.top() + k * h), QPointF(r.right(), r.top() + k * h));
    }
}

// An isovist: a star-like polygon of what can be seen from the point at its heart.
void Isovist(QPainter& p, const QColor& fill, double dx = 0, double dy = 0) {
    const QPolygonF shape({QPointF(3, 6), QPointF(10, 9), QPointF(12, 2), QPointF(14, 9),
                           QPointF(21, 5), QPointF(16, 12), QPointF(21, 20), QPointF(12, 15),
                           QPointF(4, 20), QPointF(8, 12)});
    Pen(p, kInk, 1);
    p.setBrush(fill);
    p.drawPolygon(shape.translated(dx, dy));
    p.setBrush(kPath);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(12 + dx, 12 + dy), 1.8, 1.8);
    p.setBrush(Qt::NoBrush);
}

// A path: a polyline in the path colour, with observation points when asked.
void DrawPath(QPainter& p, bool points) {
    const QPolygonF line({QPointF(3, 19), QPointF(8, 9), QPointF(15, 14), QPointF(21, 4)});
    Pen(p, kPath, 2);
    p.drawPolyline(line);
    if (points) {
        Pen(p, kInk, 1.2);
        p.setBrush(Qt::white);
        for (const QPointF& c : line) {
            p.drawEllipse(c, 2.2, 2.2);
        }
        p.setBrush(Qt::NoBrush);
    }
}

void AxialLines(QPainter& p) {
    Pen(p, kAxial, 2);
    p.drawLine(QPointF(2, 6), QPointF(22, 8));
    p.drawLine(QPointF(6, 2), QPointF(9, 22));
    p.drawLine(QPointF(3, 20), QPointF(21, 13));
    p.drawLine(QPointF(16, 3), QPointF(18, 21));
}

void Walls(QPainter& p) {
    Pen(p, Qt::black, 3);
    p.drawPolyline(QPolygonF(
        {QPointF(3, 8), QPointF(3, 21), QPointF(21, 21), QPointF(21, 3), QPointF(10, 3)}));
    p.drawLine(QPointF(12, 11), QPointF(12, 21));
}

// Rows of a table on the sheet.
void TableRows(QPainter& p) {
    Pen(p, kInk, 1);
    for (double y : {8.0, 11.5, 15.0, 18.5}) {
        p.drawLine(QPointF(6.5, y), QPointF(15.5, y));
    }
    p.drawLine(QPointF(10, 6), QPointF(10, 20));
}

QIcon ShowIcon(int flag) {
    switch (flag) {
        case kShowWalls:
            return Drawn(Walls);
        case kShowPointIsovist:
            return Drawn([](QPainter& p) { Isovist(p, kIsovist); });
        case kShowPathIsovist:
            return Drawn([](QPainter& p) {
                Pen(p, kInk, 1);
                p.setBrush(kIsovist);
                p.drawPolygon(
                    QPolygonF({QPointF(2, 4), QPointF(14, 6), QPointF(12, 16), QPointF(3, 18)}));
                p.drawPolygon(
                    QPolygonF({QPointF(9, 8), QPointF(22, 7), QPointF(20, 21), QPointF(10, 19)}));
                p.setBrush(Qt::NoBrush);
            });
        case kShowMarkers:
            return Drawn([](QPainter& p) {
                Pen(p, kInk, 1.2);
                for (double x : {5.0, 12.0, 19.0}) {
                    for (double y : {5.0, 12.0, 19.0}) {
                        p.drawLine(QPointF(x - 2, y), QPointF(x + 2, y));
                        p.drawLine(QPointF(x, y - 2), QPointF(x, y + 2));
                    }
                }
            });
        case kShowGrid:
            return Drawn([](QPainter& p) { Grid(p, QRectF(2.5, 2.5, 19, 19), false); });
        case kShowPaths:
            return Drawn([](QPainter& p) { DrawPath(p, false); });
        case kShowObservationPoints:
            return Drawn([](QPainter& p) {
                Pen(p, QColor(0, 0, 170), 1.5);
                for (const QPointF& c :
                     {QPointF(5, 18), QPointF(9, 10), QPointF(15, 14), QPointF(19, 6)}) {
                    p.drawEllipse(c, 2.5, 2.5);
                }
            });
        case kShowReferenceLines:
            return Drawn([](QPainter& p) {
                QPen dashed(QColor(204, 153, 153), 2, Qt::DashLine);
                p.setPen(dashed);
                p.drawRect(QRectF(3, 5, 18, 14));
                p.drawLine(QPointF(3, 12), QPointF(21, 12));
            });
        case kShowPathResults:
            return Drawn([](QPainter& p) {
                Pen(p, kPath, 1);
                p.drawLine(QPointF(2, 16), QPointF(22, 10));
                p.setPen(Qt::NoPen);
                const double radii[] = {2.0, 3.0, 4.0, 5.0};
                const double xs[] = {4.0, 9.0, 14.0, 19.0};
                for (int i = 0; i < 4; ++i) {
                    p.setBrush(kRamp[i + 1]);
                    p.drawEllipse(QPointF(xs[i], 15.5 - i * 1.6), radii[i], radii[i]);
                }
            });
        case kShowGridResults:
            return Drawn([](QPainter& p) { Grid(p, QRectF(2.5, 2.5, 19, 19), true); });
        case kShowAxialLines:
            return Drawn(AxialLines);
        default:
            return QIcon();
    }
}

}  // namespace

QIcon ApplicationIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 4));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 8, 8);
    p.setPen(QPen(QColor(0x44, 0x77, 0x44), 2));
    p.setBrush(QColor(0x9f, 0xc7, 0xff));
    p.drawPolygon(QPolygonF(
        {QPointF(32, 34), QPointF(8, 14), QPointF(56, 10), QPointF(58, 50), QPointF(20, 56)}));
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 4));
    p.drawLine(30, 2, 30, 22);
    p.drawLine(40, 44, 62, 44);
    p.setPen(QPen(QColor(0xcc, 0, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(32, 34), 4, 4);
    return QIcon(pixmap);
}

QIcon CommandIcon(const Command& command) {
    QStyle* style = QApplication::style();
    switch (command.id) {
        case CommandId::FileNew:
            return style->standardIcon(QStyle::SP_FileIcon);
        case CommandId::FileOpen:
            return style->standardIcon(QStyle::SP_DialogOpenButton);
        case CommandId::FileSave:
            return style->standardIcon(QStyle::SP_DialogSaveButton);
        case CommandId::About:
            return style->standardIcon(QStyle::SP_MessageBoxInformation);
        case CommandId::ImportDxf:
            return Drawn([](QPainter& p) {
                Sheet(p);
                Pen(p, Qt::black, 1.5);
                p.drawPolyline(
                    QPolygonF({QPointF(7, 9), QPointF(7, 18), QPointF(15, 18), QPointF(15, 11)}));
                Pen(p, kBadge, 2);
                p.drawLine(QPointF(22, 4), QPointF(13, 13));
                p.drawPolyline(QPolygonF({QPointF(13, 8.5), QPointF(13, 13), QPointF(17.5, 13)}));
            });
        case CommandId::ShowToggle:
            return ShowIcon(command.code);
        case CommandId::PointIsovistAt:
            return Drawn([](QPainter& p) {
                Isovist(p, kIsovist);
                Pen(p, kPath, 1.2);
                p.drawEllipse(QPointF(12, 12), 4.5, 4.5);
            });
        case CommandId::PointIsovistProperties:
            return Drawn([](QPainter& p) {
                Isovist(p, kIsovist, -2, -2);
                Sheet(p);
                TableRows(p);
            });
        case CommandId::GridOptions:
            return Drawn([](QPainter& p) {
                Grid(p, QRectF(2, 2, 15, 15), false);
                OptionsBadge(p);
            });
        case CommandId::InitializeGrid:
            return Drawn([](QPainter& p) {
                Grid(p, QRectF(2, 2, 15, 15), false);
                Pen(p, kBadge, 2.5);
                p.drawLine(QPointF(18.5, 13), QPointF(18.5, 23));
                p.drawLine(QPointF(13.5, 18), QPointF(23.5, 18));
            });
        case CommandId::CreateGridIsovist:
            return Drawn([](QPainter& p) {
                Grid(p, QRectF(2, 2, 15, 15), true);
                RunBadge(p);
            });
        case CommandId::GridExportCsv:
            return Drawn([](QPainter& p) {
                Sheet(p);
                Grid(p, QRectF(6.5, 6, 9, 9), true);
                ExportBadge(p);
            });
        case CommandId::PathOptions:
            return Drawn([](QPainter& p) {
                DrawPath(p, false);
                OptionsBadge(p);
            });
        case CommandId::CreateObservationPoints:
            return Drawn([](QPainter& p) { DrawPath(p, true); });
        case CommandId::CreatePathIsovist:
            return Drawn([](QPainter& p) {
                Isovist(p, kIsovist, -2, -3);
                DrawPath(p, false);
                RunBadge(p);
            });
        case CommandId::ViewPathData:
            return Drawn([](QPainter& p) {
                Sheet(p);
                TableRows(p);
                Pen(p, kPath, 1.5);
                p.drawPolyline(QPolygonF({QPointF(13, 22), QPointF(17, 15), QPointF(22, 17)}));
            });
        case CommandId::PathExportCsv:
            return Drawn([](QPainter& p) {
                Sheet(p);
                Pen(p, kPath, 1.5);
                p.drawPolyline(
                    QPolygonF({QPointF(6, 16), QPointF(9, 8), QPointF(12, 13), QPointF(16, 6)}));
                ExportBadge(p);
            });
        case CommandId::RunAxialAnalysis:
            return Drawn([](QPainter& p) {
                AxialLines(p);
                RunBadge(p);
            });
        case CommandId::AxialExportCsv:
            return Drawn([](QPainter& p) {
                Sheet(p);
                Pen(p, kAxial, 1.5);
                p.drawLine(QPointF(6, 7), QPointF(16, 9));
                p.drawLine(QPointF(8, 5), QPointF(10, 19));
                p.drawLine(QPointF(6, 17), QPointF(16, 12));
                ExportBadge(p);
            });
        case CommandId::GeneralOptions:
            return Drawn([](QPainter& p) {
                Pen(p, kInk, 1.5);
                for (double y : {6.0, 12.0, 18.0}) {
                    p.drawLine(QPointF(3, y), QPointF(21, y));
                }
                p.setBrush(Qt::white);
                p.drawEllipse(QPointF(15, 6), 2.5, 2.5);
                p.drawEllipse(QPointF(8, 12), 2.5, 2.5);
                p.drawEllipse(QPointF(17, 18), 2.5, 2.5);
                p.setBrush(Qt::NoBrush);
            });
        case CommandId::Pan:
            return Drawn([](QPainter& p) {
                // Arrows to the four sides: the plan moves with the pointer.
                Pen(p, kInk, 1.8);
                p.drawLine(QPointF(12, 2), QPointF(12, 22));
                p.drawLine(QPointF(2, 12), QPointF(22, 12));
                for (const QPolygonF& head :
                     {QPolygonF({QPointF(9, 5), QPointF(12, 2), QPointF(15, 5)}),
                      QPolygonF({QPointF(9, 19), QPointF(12, 22), QPointF(15, 19)}),
                      QPolygonF({QPointF(5, 9), QPointF(2, 12), QPointF(5, 15)}),
                      QPolygonF({QPointF(19, 9), QPointF(22, 12), QPointF(19, 15)})}) {
                    p.drawPolyline(head);
                }
            });
        case CommandId::ZoomExtent:
            return Drawn([](QPainter& p) {
                // The plan fitted into the frame of the window.
                Pen(p, kInk, 1.2);
                p.drawRect(QRectF(2, 2, 20, 20));
                Walls(p);
            });
        default:
            return QIcon();
    }
}
