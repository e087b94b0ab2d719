#include "shell/ColorButton.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "view/PlanPainter.h"

namespace {

uint32_t ColorRefFrom(const QColor& c) {
    return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
           (static_cast<uint32_t>(c.blue()) << 16);
}

}  // namespace

ColorButton::ColorButton(uint32_t colorRef, QWidget* parent)
    : QPushButton(parent), colorRef_(colorRef) {
    setMinimumSize(48, 22);
    connect(this, &QPushButton::clicked, this, &ColorButton::chooseColor);
}

void ColorButton::setColorRef(uint32_t colorRef) {
    colorRef_ = colorRef;
    update();
    emit colorChanged(colorRef_);
}

void ColorButton::chooseColor() {
    QColorDialog dialog(ColorFromRef(colorRef_), this);
    if (dialog.exec() == QDialog::Accepted) {
        setColorRef(ColorRefFrom(dialog.selectedColor()));
    }
}

void ColorButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const QRect face = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.fillRect(face.adjusted(2, 2, -2, -2), ColorFromRef(colorRef_));
}
