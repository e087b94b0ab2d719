// The "Entropy Parameters" dialog: widgets bound to EntropyParamsDialogModel, which holds the
// logic. The value prompts go through `ValuePrompt` so that a test can answer them.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

#include "path/EntropyParamsDialogModel.h"

class QComboBox;
class QListWidget;
class QPushButton;

class EntropyParamsDialog : public QDialog {
    Q_OBJECT
  public:
    // Asks for a value under `label`, starting from `initial`; nothing when cancelled.
    using ValuePrompt =
        std::function<std::optional<QString>(QWidget* parent, const QString& label,
                                             const QString& initial)>;

    EntropyParamsDialog(EntropyParams params, QWidget* parent = nullptr,
                        ValuePrompt prompt = {});

    const EntropyParams& params() const { return model_.params(); }

    QComboBox* setList() const { return sets_; }
    QListWidget* thresholdList() const { return thresholds_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* editButton() const { return edit_; }

  private:
    void refill();
    void addThreshold();
    void deleteThreshold();
    void editThreshold();

    EntropyParamsDialogModel model_;
    ValuePrompt prompt_;
    QComboBox* sets_ = nullptr;
    QListWidget* thresholds_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* edit_ = nullptr;
};
