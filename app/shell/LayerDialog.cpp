#include "shell/LayerDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "document/DxfDrawingAccount.h"

namespace {

QString RoleLabel(LayerRole role) {
    return QString::fromLatin1(LayerRoleLabel(role));
}

// Where the program keeps the option between runs.
const QString kReadAllEntitiesKey = QStringLiteral("Import/ReadAllEntities");

QSettings ProgramSettings() {
    return QSettings(QStringLiteral("ORV"), QStringLiteral("Orvelle"));
}

}  // namespace

LayerRoleDialog::LayerRoleDialog(LayerDialogModel& model, DocumentUi& ui, QWidget* parent)
    : QDialog(parent),
      model_(model),
      ui_(ui),
      list_(new QTreeWidget(this)),
      droppedLabel_(new QLabel(this)),
      droppedList_(new QPlainTextEdit(this)),
      readAllEntitiesBox_(new QCheckBox(QString::fromLatin1(kReadAllEntitiesOption), this)),
      notReadLabel_(new QLabel(this)) {
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
        row->setText(1, RoleLabel(table.roles[static_cast<size_t>(i)]));
    }

    auto* roles = new QGroupBox(this);
    auto* roleLayout = new QVBoxLayout(roles);
    auto* group = new QButtonGroup(this);
    for (int r = 0; r < kLayerRoleCount; ++r) {
        const auto role = static_cast<LayerRole>(r);
        auto* button = new QRadioButton(RoleLabel(role), roles);
        button->setEnabled(IsRoleEnabled(model_.mode, role));
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

    readAllEntitiesBox_->setChecked(model_.readAllEntities);
    connect(readAllEntitiesBox_, &QCheckBox::toggled, this, &LayerRoleDialog::setReadAllEntities);
    notReadLabel_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &LayerRoleDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* body = new QHBoxLayout;
    body->addWidget(list_, 1);
    body->addWidget(roles);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(readAllEntitiesBox_);
    layout->addWidget(notReadLabel_);
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
    list_->topLevelItem(row)->setText(1, RoleLabel(static_cast<LayerRole>(role)));
    showDroppedEntities();
}

void LayerRoleDialog::showDroppedEntities() {
    const std::vector<std::string> lines = DroppedEntityLines(model_);
    QStringList texts;
    for (const std::string& line : lines) {
        texts.append(QString::fromStdString(line));
    }
    droppedLabel_->setText(QStringLiteral("Dropped entities: %1").arg(lines.size()));
    droppedList_->setPlainText(texts.join(QLatin1Char('\n')));
    droppedLabel_->setVisible(!lines.empty());
    droppedList_->setVisible(!lines.empty());

    QStringList notes;
    for (const std::string& line : NotReadLines(model_)) {
        notes.append(QString::fromStdString(line));
    }
    if (!model_.suggestedUnit.empty()) {
        notes.append(QString::fromStdString(model_.suggestedUnit));
    }
    notReadLabel_->setText(notes.join(QLatin1Char('\n')));
    notReadLabel_->setVisible(!notes.empty());
}

void LayerRoleDialog::setReadAllEntities(bool on) {
    model_.readAllEntities = on;
    showDroppedEntities();
}

int LayerRoleDialog::exec() {
    readAllEntitiesBox_->setChecked(ProgramSettings().value(kReadAllEntitiesKey, false).toBool());
    const int result = QDialog::exec();
    if (result == QDialog::Accepted) {
        ProgramSettings().setValue(kReadAllEntitiesKey, model_.readAllEntities);
    }
    return result;
}

void LayerRoleDialog::accept() {
    if (AcceptLayerChoice(model_, ui_)) {
        QDialog::accept();
    }
}
