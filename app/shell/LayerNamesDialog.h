// The "Layer Names" dialog: the boundary, wall, path and reference-line layer names.
#pragma once

#include <QDialog>
#include <array>

#include "document/GeneralOptions.h"

class QLineEdit;

class LayerNamesDialog : public QDialog {
    Q_OBJECT
  public:
    LayerNamesDialog(const EditableLayerNames& names, QWidget* parent = nullptr);

    // The names as typed (the model upper-cases them when it takes them).
    EditableLayerNames names() const;
    QLineEdit* field(size_t i) const { return fields_[i]; }

  private:
    std::array<QLineEdit*, 4> fields_{};
};
