#include "shell/LayerDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString roleLabel(LayerRole role) {
    return QString::fromLatin1(layerRoleLabel(role));
}

}  // namespace

LayerRoleDialog::LayerRoleDialog(LayerDialogModel& model, DocumentUi& ui, QWidget* parent)
    : QDialog(parent),
      model_(model),
      ui_(ui),
      list_(new QTreeWidget(this)),
      droppedLabel_(new QLabel(this)),
      droppedList_(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("Layer"));
    list_->setColumnCount(2);
    list_->setHeaderLabels({QStringLiteral("Layer Name"), QStringLiteral("Type")});
    list_->setColumnWidth(0, 155);
    list_->setColumnWidth(1, 110);
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    const LayerTable& table = model_.table;
    for (int i = 0; i < table.count(); ++i) {
        auto* row = new QTreeWidgetItem(list_);
        row->setText(0, QString::fromStdString(table.names[static_cast<size_t>(i)]));
        row->setText(1, roleLabel(table.roles[static_cast<size_t>(i)]));
    }

    auto* roles = new QGroupBox(this);
    auto* roleLayout = new QVBoxLayout(roles);
    auto* group = new QButtonGroup(this);
    for (int r = 0; r < kLayerRoleCount; ++r) {
        const auto role = static_cast<LayerRole>(r);
        auto* button = new QRadioButton(roleLabel(role), roles);
        button->setEnabled(isRoleEnabled(model_.mode, role));
        group->addButton(button, r);
        roleLayout->addWidget(button);
        roleButtons_[static_cast<size_t>(r)] = button;
    }
    roleLayout->addStretch();
    connect(group, &QButtonGroup::idClicked, this, &LayerRoleDialog::giveSelectedRowRole);
    connect(list_, &QTreeWidget::itemSelectionChanged, this,
            &LayerRoleDialog::showRoleOfSelectedRow);

    droppedList_->setReadOnly(true);
    droppedList_->setLineWrapMode(QPlainTextEdit::NoWrap);
    droppedList_->setMaximumHeight(90);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &LayerRoleDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* body = new QHBoxLayout;
    body->addWidget(list_, 1);
    body->addWidget(roles);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(droppedLabel_);
    layout->addWidget(droppedList_);
    layout->addWidget(buttons);
    showDroppedEntities();
    resize(460, 360);
    if (table.count() > 0) {
        list_->setCurrentItem(list_->topLevelItem(0));
    }
}

void LayerRoleDialog::showRoleOfSelectedRow() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0 || row >= model_.table.count()) {
        return;
    }
    const auto role = static_cast<size_t>(model_.table.roles[static_cast<size_t>(row)]);
    if (role < roleButtons_.size()) {
        roleButtons_[role]->setChecked(true);
    }
}

void LayerRoleDialog::giveSelectedRowRole(int role) {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0 || row >= model_.table.count() || role < 0 || role >= kLayerRoleCount) {
        return;
    }
    model_.table.roles[static_cast<size_t>(row)] = static_cast<LayerRole>(role);
    list_->topLevelItem(row)->setText(1, roleLabel(static_cast<LayerRole>(role)));
    showDroppedEntities();
}

void LayerRoleDialog::showDroppedEntities() {
    const std::vector<std::string> lines = droppedEntityLines(model_);
    QStringList texts;
    for (const std::string& line : lines) {
        texts.append(QString::fromStdString(line));
    }
    droppedLabel_->setText(QStringLiteral("Dropped entities: %1").arg(lines.size()));
    droppedList_->setPlainText(texts.join(QLatin1Char('\n')));
    droppedLabel_->setVisible(!lines.empty());
    droppedList_->setVisible(!lines.empty());
}

void LayerRoleDialog::accept() {
    if (acceptLayerChoice(model_, ui_)) {
        QDialog::accept();
    }
}
