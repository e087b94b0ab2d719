#include "shell/EntropyParamsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kValueLabel = QStringLiteral("Enter a nonnegative value");

std::optional<QString> AskWithInputDialog(QWidget* parent, const QString& label,
                                          const QString& initial) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent, QStringLiteral("Entropy Parameters"), label,
                                               QLineEdit::Normal, initial, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

}  // namespace

EntropyParamsDialog::EntropyParamsDialog(EntropyParams params, QWidget* parent,
                                         ValuePrompt prompt)
    : QDialog(parent),
      model_(std::move(params)),
      prompt_(prompt ? std::move(prompt) : ValuePrompt(AskWithInputDialog)) {
    setWindowTitle(QStringLiteral("Entropy Parameters"));
    sets_ = new QComboBox(this);
    for (const std::string& entry : EntropyParamsDialogModel::SetEntries()) {
        sets_->addItem(QString::fromStdString(entry));
    }
    thresholds_ = new QListWidget(this);
    add_ = new QPushButton(QStringLiteral("Add"), this);
    delete_ = new QPushButton(QStringLiteral("Delete"), this);
    edit_ = new QPushButton(QStringLiteral("Edit"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Parameter Set"), sets_);
    auto* edits = new QHBoxLayout;
    edits->addWidget(add_);
    edits->addWidget(delete_);
    edits->addWidget(edit_);
    edits->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(thresholds_);
    layout->addLayout(edits);
    layout->addWidget(buttons);

    connect(sets_, &QComboBox::currentIndexChanged, this, [this](int set) {
        model_.selectSet(static_cast<size_t>(set));
        refill();
    });
    connect(thresholds_, &QListWidget::currentRowChanged, this, [this](int row) {
        model_.selectLine(row >= 0 ? std::optional<size_t>(static_cast<size_t>(row))
                                   : std::nullopt);
    });
    connect(add_, &QPushButton::clicked, this, &EntropyParamsDialog::addThreshold);
    connect(delete_, &QPushButton::clicked, this, &EntropyParamsDialog::deleteThreshold);
    connect(edit_, &QPushButton::clicked, this, &EntropyParamsDialog::editThreshold);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    refill();
}

// Rebuilds the list from the model, keeping the model's selected line selected.
void EntropyParamsDialog::refill() {
    const std::optional<size_t> line = model_.selectedLine();
    const QSignalBlocker quiet(thresholds_);
    thresholds_->clear();
    for (const std::string& text : model_.thresholdLines()) {
        thresholds_->addItem(QString::fromStdString(text));
    }
    thresholds_->setCurrentRow(line ? static_cast<int>(*line) : -1);
}

void EntropyParamsDialog::addThreshold() {
    const std::optional<QString> text = prompt_(this, kValueLabel, QString());
    if (!text) {
        return;
    }
    if (!model_.add(text->toStdString())) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("A parameter set holds at most %1 values")
                                 .arg(EntropyParams::kMaxThresholds));
        return;
    }
    refill();
}

void EntropyParamsDialog::deleteThreshold() {
    if (model_.deleteSelected()) {
        refill();
    }
}

void EntropyParamsDialog::editThreshold() {
    const std::optional<double> current = model_.selectedThreshold();
    if (!current) {
        return;
    }
    const std::optional<QString> text =
        prompt_(this, kValueLabel, QString::number(*current, 'g', 17));
    if (!text) {
        return;
    }
    bool ok = false;
    const double value = text->trimmed().toDouble(&ok);
    if (ok && model_.edit(value)) {
        refill();
    }
}
