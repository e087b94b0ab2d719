#include "shell/ShowHideDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "shell/MenuLayout.h"

ShowHideDialog::ShowHideDialog(const ShowFlags& flags, QWidget* parent)
    : QDialog(parent), flags_(flags) {
    setWindowTitle(QStringLiteral("Show/Hide"));
    auto* layout = new QVBoxLayout(this);
    for (size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i] = new QCheckBox(
            QString::fromStdString(ShowFlagLabel(static_cast<int>(i), ShowFlagText::DialogLabel)),
            this);
        boxes_[i]->setChecked(flags_[i] != 0);
        layout->addWidget(boxes_[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

ShowFlags ShowHideDialog::flags() const {
    ShowFlags result = flags_;
    for (size_t i = 0; i < boxes_.size(); ++i) {
        result[i] = boxes_[i]->isChecked() ? 1 : 0;
    }
    return result;
}
