// The General Options dialog, bound to a GeneralOptionsModel (copies of the three blocks).
#pragma once

#include <QDialog>
#include <array>

#include "document/GeneralOptions.h"

class CORVDoc;
class ColorButton;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;

class GeneralOptionsDialog : public QDialog {
    Q_OBJECT
  public:
    GeneralOptionsDialog(GeneralOptionsBlocks blocks, QWidget* parent = nullptr);

    // The blocks as the controls leave them; read after OK.
    const GeneralOptionsBlocks& blocks() const { return model_.blocks(); }

    QComboBox* methodList() const { return method_; }
    QComboBox* unitList() const { return unit_; }
    QButtonGroup* resultDisplayGroup() const { return resultDisplay_; }
    QButtonGroup* scaleDisplayGroup() const { return scaleDisplay_; }
    QButtonGroup* scaleRangeGroup() const { return scaleRange_; }
    QLineEdit* fromField() const { return from_; }
    QLineEdit* toField() const { return to_; }
    ColorButton* colorButton(int role) const { return colors_[static_cast<size_t>(role)]; }
    QPushButton* layerNamesButton() const { return layerNamesButton_; }
    QPushButton* entropyButton() const { return entropyButton_; }

  public slots:
    void accept() override;

  private:
    QWidget* buildMethodAndUnit();
    QWidget* buildDisplayGroups();
    QWidget* buildColors();
    void updateRangeFields();
    void editLayerNames();
    void editEntropyParameters();

    GeneralOptionsModel model_;
    QComboBox* method_ = nullptr;
    QComboBox* unit_ = nullptr;
    QButtonGroup* resultDisplay_ = nullptr;
    QButtonGroup* scaleDisplay_ = nullptr;
    QButtonGroup* scaleRange_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    std::array<ColorButton*, kColorCount> colors_{};
    QPushButton* layerNamesButton_ = nullptr;
    QPushButton* entropyButton_ = nullptr;
};

// Opens the dialog on copies of the document's three blocks; on OK writes all three back and
// redraws. True when the user confirmed.
bool RunGeneralOptions(CORVDoc& doc, QWidget* parent);
