// The "Grid Options" dialog: the span size or a span count, the preview counts and "Total
// cells", the corner offsets, Integration-n "(>0)" and the graph-measures check box, bound to
// a GridOptionsDialogModel.
#pragma once

#include <QDialog>

#include "grid/GridOptionsDialogModel.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

class GridOptionsDialog : public QDialog {
    Q_OBJECT
  public:
    GridOptionsDialog(const GridOptionsDialogModel& model, QWidget* parent = nullptr);

    // The model as the dialog leaves it (read after OK).
    const GridOptionsDialogModel& model() const { return model_; }

    QRadioButton* entryButton(GridOptionsEntry entry) const;
    QLineEdit* spanField() const { return span_; }
    QLineEdit* countXField() const { return countX_; }
    QLineEdit* countYField() const { return countY_; }
    QLineEdit* totalField() const { return total_; }

  private:
    void chooseEntry(GridOptionsEntry entry);
    void typed();
    void showCounts(bool keepTypedField);
    void takeFields();

    GridOptionsDialogModel model_;
    QRadioButton* bySpan_;
    QRadioButton* byCountX_;
    QRadioButton* byCountY_;
    QLineEdit* span_;
    QLineEdit* countX_;
    QLineEdit* countY_;
    QLineEdit* total_;
    QLineEdit* offsets_[4];
    QSpinBox* depth_;
    QCheckBox* graph_;
};
