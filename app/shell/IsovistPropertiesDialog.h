// The "Isovist Properties" dialog: read-only fields; "Show units" swaps the two text sets.
#pragma once

#include <QDialog>
#include <vector>

#include "isovist/IsovistPropertiesText.h"

class QCheckBox;
class QLineEdit;

class IsovistPropertiesDialog : public QDialog {
    Q_OBJECT
  public:
    IsovistPropertiesDialog(IsovistPropertiesTexts texts, QWidget* parent = nullptr);

    QCheckBox* showUnitsBox() const { return showUnits_; }
    // The field of a label within a group ("", "Radial data" or "Graph measures").
    QLineEdit* field(const QString& group, const QString& label) const;

  private:
    void fill();

    IsovistPropertiesTexts texts_;
    QCheckBox* showUnits_;
    std::vector<QLineEdit*> fields_;
};
