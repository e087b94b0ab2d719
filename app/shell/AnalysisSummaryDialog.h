// The "Analysis Summary" dialog: one multi-line, read-only text filling it, OK and Cancel.
#pragma once

#include <QDialog>
#include <string>

class QPlainTextEdit;

class AnalysisSummaryDialog : public QDialog {
    Q_OBJECT
  public:
    // `text` is UTF-8 with "\r\n" line ends.
    AnalysisSummaryDialog(const std::string& text, QWidget* parent = nullptr);

    QPlainTextEdit* textField() const { return text_; }

  private:
    QPlainTextEdit* text_;
};
