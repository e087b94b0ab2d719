#include "shell/Icons.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QStyle>

namespace {

constexpr int kGlyphSize = 24;

// Two or three letters on a tinted tile: grey for files and views, green for the show toggles,
// blue for analysis commands.
QIcon glyph(const QString& letters, const QColor& tile) {
    QPixmap pixmap(kGlyphSize, kGlyphSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(tile.darker(160), 1));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(1.5, 1.5, kGlyphSize - 3, kGlyphSize - 3), 4, 4);
    QFont font = p.font();
    font.setPixelSize(letters.size() > 2 ? 8 : 10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, kGlyphSize, kGlyphSize), Qt::AlignCenter, letters);
    return QIcon(pixmap);
}

const QColor kShowTile(200, 230, 200);
const QColor kAnalysisTile(200, 215, 245);
const QColor kViewTile(230, 230, 230);

QString showLetters(int flag) {
    static const char* letters[] = {"W", "PI", "PtI", "M", "G", "P", "OP", "RL", "PR", "GR", "AX"};
    return flag >= 0 && flag <= kShowAxialLines ? QString::fromLatin1(letters[flag]) : QString();
}

}  // namespace

QIcon applicationIcon() {
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

QIcon commandIcon(const Command& command) {
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
            return glyph("DXF", kViewTile);
        case CommandId::ShowToggle:
            return glyph(showLetters(command.code), kShowTile);
        case CommandId::PointIsovistAt:
            return glyph("I@", kAnalysisTile);
        case CommandId::PointIsovistProperties:
            return glyph("IP", kAnalysisTile);
        case CommandId::GridOptions:
            return glyph("GO", kAnalysisTile);
        case CommandId::InitializeGrid:
            return glyph("G+", kAnalysisTile);
        case CommandId::CreateGridIsovist:
            return glyph("GI", kAnalysisTile);
        case CommandId::GridExportCsv:
            return glyph("GC", kAnalysisTile);
        case CommandId::PathOptions:
            return glyph("PO", kAnalysisTile);
        case CommandId::CreateObservationPoints:
            return glyph("OP", kAnalysisTile);
        case CommandId::CreatePathIsovist:
            return glyph("PI", kAnalysisTile);
        case CommandId::ViewPathData:
            return glyph("PD", kAnalysisTile);
        case CommandId::PathExportCsv:
            return glyph("PC", kAnalysisTile);
        case CommandId::RunAxialAnalysis:
            return glyph("AX", kAnalysisTile);
        case CommandId::AxialExportCsv:
            return glyph("AC", kAnalysisTile);
        case CommandId::GeneralOptions:
            return glyph("Opt", kAnalysisTile);
        case CommandId::Pan:
            return glyph("Pan", kViewTile);
        case CommandId::ZoomExtent:
            return glyph("[ ]", kViewTile);
        default:
            return QIcon();
    }
}
