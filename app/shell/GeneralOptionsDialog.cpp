#include "shell/GeneralOptionsDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "document/CORVDoc.h"
#include "shell/ColorButton.h"
#include "shell/EntropyParamsDialog.h"
#include "shell/LayerNamesDialog.h"
#include "shell/NumberField.h"

namespace {

QComboBox* MakeList(const std::vector<std::string>& labels, int32_t selected, QWidget* parent) {
    auto* list = new QComboBox(parent);
    for (const std::string& label : labels) {
        list->addItem(QString::fromStdString(label));
    }
    // A stored value outside the list selects nothing.
    list->setCurrentIndex(selected >= 0 && selected < list->count() ? selected : -1);
    return list;
}

QGroupBox* RadioGroup(const QString& title, std::initializer_list<const char*> labels,
                      int32_t checked, QButtonGroup*& group, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    int id = 0;
    for (const char* label : labels) {
        auto* button = new QRadioButton(QString::fromLatin1(label), box);
        button->setChecked(id == checked);
        group->addButton(button, id++);
        layout->addWidget(button);
    }
    return box;
}

// The checked button's value; a group with nothing checked keeps the stored value.
int32_t CheckedOr(const QButtonGroup* group, int32_t stored) {
    return group->checkedId() >= 0 ? group->checkedId() : stored;
}

int32_t SelectedOr(const QComboBox* list, int32_t stored) {
    return list->currentIndex() >= 0 ? list->currentIndex() : stored;
}

}  // namespace

GeneralOptionsDialog::GeneralOptionsDialog(GeneralOptionsBlocks blocks, QWidget* parent)
    : QDialog(parent), model_(std::move(blocks)) {
    setWindowTitle(QStringLiteral("General Options"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &GeneralOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    entropyButton_ = new QPushButton(QStringLiteral("Entropy Parameters..."), this);
    layerNamesButton_ = new QPushButton(QStringLiteral("Layer Names..."), this);
    connect(entropyButton_, &QPushButton::clicked, this, &GeneralOptionsDialog::editEntropyParameters);
    connect(layerNamesButton_, &QPushButton::clicked, this, &GeneralOptionsDialog::editLayerNames);
    auto* extraButtons = new QHBoxLayout;
    extraButtons->addWidget(entropyButton_);
    extraButtons->addWidget(layerNamesButton_);
    extraButtons->addStretch();

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(buildMethodAndUnit());
    left->addWidget(buildDisplayGroups());
    columns->addLayout(left);
    columns->addWidget(buildColors());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(extraButtons);
    layout->addWidget(buttons);
    updateRangeFields();
}

QWidget* GeneralOptionsDialog::buildMethodAndUnit() {
    const DocumentSettings& s = model_.settings();
    auto* box = new QGroupBox(QStringLiteral("Isovist"), this);
    auto* form = new QFormLayout(box);
    method_ = MakeList(IsovistMethodLabels(), s.m_isovistMethod, box);
    unit_ = MakeList(UnitLabels(), s.m_unit, box);
    form->addRow(QStringLiteral("Calculation method"), method_);
    form->addRow(QStringLiteral("Unit"), unit_);
    return box;
}

QWidget* GeneralOptionsDialog::buildDisplayGroups() {
    const DocumentSettings& s = model_.settings();
    auto* panel = new QWidget(this);
    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RadioGroup(QStringLiteral("Result display"), {"Color", "Grayscale"},
                                 s.resultDisplay, resultDisplay_, panel),
                      0, 0);
    layout->addWidget(RadioGroup(QStringLiteral("Scale display"),
                                 {"Grid analysis", "Path analysis", "Axial line analysis"},
                                 s.m_scaleMode, scaleDisplay_, panel),
                      0, 1);
    QGroupBox* range = RadioGroup(QStringLiteral("Scale range"), {"Auto", "Manual"}, s.scaleRange,
                                  scaleRange_, panel);
    from_ = MakeNumberField(s.scaleFrom, range);
    to_ = MakeNumberField(s.scaleTo, range);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("From"), from_);
    fields->addRow(QStringLiteral("To"), to_);
    static_cast<QVBoxLayout*>(range->layout())->addLayout(fields);
    connect(scaleRange_, &QButtonGroup::idClicked, this, [this] { updateRangeFields(); });
    layout->addWidget(range, 1, 0, 1, 2);
    return panel;
}

QWidget* GeneralOptionsDialog::buildColors() {
    auto* box = new QGroupBox(QStringLiteral("Colors"), this);
    auto* grid = new QGridLayout(box);
    for (int role = 0; role < kColorCount; ++role) {
        auto* button = new ColorButton(model_.color(role), box);
        button->setObjectName(QString::fromStdString(ColorRoleLabels()[role]));
        connect(button, &ColorButton::colorChanged, this,
                [this, role](uint32_t c) { model_.setColor(role, c); });
        colors_[static_cast<size_t>(role)] = button;
        grid->addWidget(new QLabel(QString::fromStdString(ColorRoleLabels()[role]), box), role, 0);
        grid->addWidget(button, role, 1);
    }
    return box;
}

void GeneralOptionsDialog::updateRangeFields() {
    const bool manual = scaleRange_->checkedId() == 1;
    from_->setEnabled(manual);
    to_->setEnabled(manual);
}

void GeneralOptionsDialog::editLayerNames() {
    LayerNamesDialog dialog(model_.layerNamesForEditing(), this);
    if (dialog.exec() == QDialog::Accepted) {
        model_.acceptLayerNames(dialog.names());
    }
}

void GeneralOptionsDialog::editEntropyParameters() {
    EntropyParamsDialog dialog(model_.entropy(), this);
    if (dialog.exec() == QDialog::Accepted) {
        model_.entropy() = dialog.params();
    }
}

void GeneralOptionsDialog::accept() {
    DocumentSettings& s = model_.settings();
    s.m_isovistMethod = SelectedOr(method_, s.m_isovistMethod);
    s.m_unit = SelectedOr(unit_, s.m_unit);
    s.resultDisplay = CheckedOr(resultDisplay_, s.resultDisplay);
    s.m_scaleMode = CheckedOr(scaleDisplay_, s.m_scaleMode);
    s.scaleRange = CheckedOr(scaleRange_, s.scaleRange);
    s.scaleFrom = NumberFieldValue(from_);
    s.scaleTo = NumberFieldValue(to_);
    QDialog::accept();
}

bool RunGeneralOptions(CORVDoc& doc, QWidget* parent) {
    GeneralOptionsDialog dialog(GeneralOptionsOf(doc), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    ApplyGeneralOptions(doc, dialog.blocks());
    return true;
}
