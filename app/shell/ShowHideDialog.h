// The Show/Hide dialog: one check box per show flag, edited on a copy of the 20 flag words.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

#include "document/DocumentSettings.h"

class QCheckBox;

using ShowFlags = std::array<int32_t, kShowFlagCount>;

class ShowHideDialog : public QDialog {
    Q_OBJECT
  public:
    ShowHideDialog(const ShowFlags& flags, QWidget* parent = nullptr);

    // The copy with the boxes' states; the reserved words come back as they went in.
    ShowFlags flags() const;
    QCheckBox* box(int flag) const { return boxes_[static_cast<size_t>(flag)]; }

  private:
    ShowFlags flags_;
    std::array<QCheckBox*, kShowAxialLines + 1> boxes_{};
};
