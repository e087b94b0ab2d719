// The "Layer" dialog: the drawing's layers with their roles, and one radio button per role.
#pragma once

#include <QDialog>
#include <array>

#include "document/LayerDialogModel.h"

class DocumentUi;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QRadioButton;
class QTreeWidget;

class LayerRoleDialog : public QDialog {
    Q_OBJECT
  public:
    // Edits `model` in place; `ui` shows the messages and questions of the OK checks.
    LayerRoleDialog(LayerDialogModel& model, DocumentUi& ui, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }
    QRadioButton* roleButton(LayerRole role) const {
        return roleButtons_[static_cast<size_t>(role)];
    }
    // "Dropped entities: N" and the lines, shown only when the chosen roles drop something.
    QLabel* droppedLabel() const { return droppedLabel_; }
    QPlainTextEdit* droppedList() const { return droppedList_; }
    // "Read arcs, old-style polylines and blocks", bound to the model's option.
    QCheckBox* readAllEntitiesBox() const { return readAllEntitiesBox_; }
    // What the drawing holds that is not read, and the drawing's suggested unit.
    QLabel* notReadLabel() const { return notReadLabel_; }

    // Runs the dialog with the option as the user last left it (the program's settings, not
    // the document's), and keeps the choice on OK.
    int exec() override;

  public slots:
    // Closes only when the choice passes the checks of the dialog's mode.
    void accept() override;

  private:
    void showRoleOfSelectedRow();
    void giveSelectedRowRole(int role);
    void showDroppedEntities();
    void setReadAllEntities(bool on);

    LayerDialogModel& model_;
    DocumentUi& ui_;
    QTreeWidget* list_;
    QLabel* droppedLabel_;
    QPlainTextEdit* droppedList_;
    QCheckBox* readAllEntitiesBox_;
    QLabel* notReadLabel_;
    std::array<QRadioButton*, kLayerRoleCount> roleButtons_{};
};
