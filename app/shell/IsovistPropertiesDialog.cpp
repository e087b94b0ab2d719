#include "shell/IsovistPropertiesDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <map>

IsovistPropertiesDialog::IsovistPropertiesDialog(IsovistPropertiesTexts texts, QWidget* parent)
    : QDialog(parent),
      texts_(std::move(texts)),
      showUnits_(new QCheckBox(QStringLiteral("Show units"), this)) {
    setWindowTitle(QStringLiteral("Isovist Properties"));
    auto* columns = new QHBoxLayout;
    std::map<std::string, QFormLayout*> forms;
    for (const IsovistPropertiesRow& row : IsovistPropertiesRows(texts_.withoutUnits)) {
        QFormLayout*& form = forms[row.group];
        if (form == nullptr) {
            const QString title =
                *row.group ? QString::fromLatin1(row.group) : QStringLiteral("Isovist");
            auto* box = new QGroupBox(title, this);
            form = new QFormLayout(box);
            columns->addWidget(box);
        }
        auto* field = new QLineEdit(this);
        field->setReadOnly(true);
        field->setMinimumWidth(170);
        field->setObjectName(QString::fromLatin1(row.group) + '/' + QString::fromLatin1(row.label));
        form->addRow(QString::fromLatin1(row.label), field);
        fields_.push_back(field);
    }
    connect(showUnits_, &QCheckBox::toggled, this, &IsovistPropertiesDialog::fill);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(showUnits_);
    layout->addWidget(buttons);
    fill();
}

void IsovistPropertiesDialog::fill() {
    const auto& set = showUnits_->isChecked() ? texts_.withUnits : texts_.withoutUnits;
    const std::vector<IsovistPropertiesRow> rows = IsovistPropertiesRows(set);
    for (size_t i = 0; i < rows.size() && i < fields_.size(); ++i) {
        fields_[i]->setText(QString::fromStdString(rows[i].text));
    }
}

QLineEdit* IsovistPropertiesDialog::field(const QString& group, const QString& label) const {
    return findChild<QLineEdit*>(group + '/' + label);
}
