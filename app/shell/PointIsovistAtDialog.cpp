#include "shell/PointIsovistAtDialog.h"

#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/NumberField.h"

PointIsovistAtDialog::PointIsovistAtDialog(const PlanPoint& start, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Point Isovist"));
    x_ = MakeNumberField(start.x, this);
    y_ = MakeNumberField(start.y, this);
    auto* group = new QGroupBox(QStringLiteral("Enter a point"), this);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("x="), x_);
    form->addRow(QStringLiteral("y="), y_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto enableOk = [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)
            ->setEnabled(x_->hasAcceptableInput() && y_->hasAcceptableInput());
    };
    connect(x_, &QLineEdit::textChanged, this, enableOk);
    connect(y_, &QLineEdit::textChanged, this, enableOk);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

PlanPoint PointIsovistAtDialog::point() const {
    return PlanPoint{NumberFieldValue(x_), NumberFieldValue(y_)};
}
