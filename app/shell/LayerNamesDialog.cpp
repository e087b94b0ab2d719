#include "shell/LayerNamesDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

LayerNamesDialog::LayerNamesDialog(const EditableLayerNames& names, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Layer Names"));
    const char* labels[] = {"Boundary", "Wall", "Path", "Reference Line"};
    auto* form = new QFormLayout;
    for (size_t i = 0; i < fields_.size(); ++i) {
        fields_[i] = new QLineEdit(QString::fromStdString(names[i]), this);
        fields_[i]->setMaxLength(static_cast<int>(LayerNames::kMaxNameLength));
        form->addRow(QString::fromLatin1(labels[i]), fields_[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

EditableLayerNames LayerNamesDialog::names() const {
    EditableLayerNames result;
    for (size_t i = 0; i < fields_.size(); ++i) {
        result[i] = fields_[i]->text().toStdString();
    }
    return result;
}
