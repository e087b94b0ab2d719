#include "shell/GridOptionsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

#include "shell/NumberField.h"

namespace {

QLineEdit* MakeCountField(int64_t value, QWidget* parent) {
    auto* field = new QLineEdit(QString::number(value), parent);
    auto* validator = new QIntValidator(0, std::numeric_limits<int32_t>::max(), field);
    validator->setLocale(QLocale::c());
    field->setValidator(validator);
    return field;
}

}  // namespace

GridOptionsDialog::GridOptionsDialog(const GridOptionsDialogModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(QStringLiteral("Grid Options"));

    auto* size = new QGroupBox(QStringLiteral("Grid size"), this);
    auto* grid = new QGridLayout(size);
    bySpan_ = new QRadioButton(QStringLiteral("Span Size"), size);
    byCountX_ = new QRadioButton(QStringLiteral("Span count X"), size);
    byCountY_ = new QRadioButton(QStringLiteral("Span count Y"), size);
    span_ = MakeNumberField(model_.span, size);
    countX_ = MakeCountField(model_.countX, size);
    countY_ = MakeCountField(model_.countY, size);
    total_ = new QLineEdit(size);
    total_->setReadOnly(true);
    grid->addWidget(bySpan_, 0, 0);
    grid->addWidget(span_, 0, 1);
    grid->addWidget(byCountX_, 1, 0);
    grid->addWidget(countX_, 1, 1);
    grid->addWidget(byCountY_, 2, 0);
    grid->addWidget(countY_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Total cells"), size), 3, 0);
    grid->addWidget(total_, 3, 1);

    auto* corners = new QGroupBox(QStringLiteral("Offsets"), this);
    auto* form = new QFormLayout(corners);
    const char* labels[4] = {"Lower-left x", "Lower-left y", "Upper-right x", "Upper-right y"};
    for (int i = 0; i < 4; ++i) {
        offsets_[i] = MakeNumberField(model_.offsets[static_cast<size_t>(i)], corners);
        form->addRow(QString::fromLatin1(labels[i]), offsets_[i]);
    }

    auto* graphBox = new QGroupBox(QStringLiteral("Graph"), this);
    auto* graphForm = new QFormLayout(graphBox);
    depth_ = new QSpinBox(graphBox);
    depth_->setRange(1, std::numeric_limits<int32_t>::max());
    depth_->setValue(model_.integrationDepth);
    graphForm->addRow(QStringLiteral("Integration-n (>0)"), depth_);
    graph_ = new QCheckBox(QStringLiteral("Calculate graph measures (Connectivity, etc.)"),
                           graphBox);
    graph_->setChecked(model_.calculateGraphMeasures != 0);
    graphForm->addRow(graph_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        takeFields();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(size);
    layout->addWidget(corners);
    layout->addWidget(graphBox);
    layout->addWidget(buttons);

    connect(bySpan_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) chooseEntry(GridOptionsEntry::SpanSize);
    });
    connect(byCountX_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) chooseEntry(GridOptionsEntry::SpanCountX);
    });
    connect(byCountY_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) chooseEntry(GridOptionsEntry::SpanCountY);
    });
    for (QLineEdit* field : {span_, countX_, countY_}) {
        connect(field, &QLineEdit::textEdited, this, [this] { typed(); });
    }
    entryButton(model_.entry)->setChecked(true);
    chooseEntry(model_.entry);
}

QRadioButton* GridOptionsDialog::entryButton(GridOptionsEntry entry) const {
    switch (entry) {
        case GridOptionsEntry::SpanCountX:
            return byCountX_;
        case GridOptionsEntry::SpanCountY:
            return byCountY_;
        case GridOptionsEntry::SpanSize:
            break;
    }
    return bySpan_;
}

void GridOptionsDialog::chooseEntry(GridOptionsEntry entry) {
    model_.entry = entry;
    span_->setReadOnly(entry != GridOptionsEntry::SpanSize);
    countX_->setReadOnly(entry != GridOptionsEntry::SpanCountX);
    countY_->setReadOnly(entry != GridOptionsEntry::SpanCountY);
    model_.refresh();
    showCounts(false);
}

// The user edited the field of the chosen entry: the others follow, the typed text stays.
void GridOptionsDialog::typed() {
    switch (model_.entry) {
        case GridOptionsEntry::SpanSize:
            model_.typeSpan(span_->hasAcceptableInput() ? NumberFieldValue(span_)
                                                        : std::numeric_limits<double>::quiet_NaN());
            break;
        case GridOptionsEntry::SpanCountX:
            model_.typeCountX(countX_->text().toLongLong());
            break;
        case GridOptionsEntry::SpanCountY:
            model_.typeCountY(countY_->text().toLongLong());
            break;
    }
    showCounts(true);
}

void GridOptionsDialog::showCounts(bool keepTypedField) {
    const GridOptionsEntry typedEntry = model_.entry;
    if (!keepTypedField || typedEntry != GridOptionsEntry::SpanSize) {
        span_->setText(QString::fromStdString(model_.spanText()));
    }
    if (!keepTypedField || typedEntry != GridOptionsEntry::SpanCountX) {
        countX_->setText(QString::fromStdString(model_.countXText()));
    }
    if (!keepTypedField || typedEntry != GridOptionsEntry::SpanCountY) {
        countY_->setText(QString::fromStdString(model_.countYText()));
    }
    total_->setText(QString::fromStdString(model_.totalText()));
}

void GridOptionsDialog::takeFields() {
    for (int i = 0; i < 4; ++i) {
        model_.offsets[static_cast<size_t>(i)] = NumberFieldValue(offsets_[i]);
    }
    model_.integrationDepth = depth_->value();
    model_.calculateGraphMeasures = graph_->isChecked() ? 1 : 0;
}
