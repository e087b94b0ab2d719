// The modal "Progress" dialog of a long run: a progress bar, "Start", OK and Cancel. "Start"
// runs the task's work on a worker thread while the dialog (and the window behind it) keeps
// painting; a timer polls the worker's progress, and when the work has returned the task's
// publish step runs here, on the interface thread. Cancel (also Escape and the close button)
// while the work runs asks it to stop; once it has, the dialog closes without publishing, so
// the document stays as it was before the run.
#pragma once

#include <QDialog>
#include <atomic>
#include <thread>

#include "document/LongTask.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

class ProgressDialog : public QDialog {
    Q_OBJECT
  public:
    // With `startAtOnce` the run begins as the dialog opens and the dialog closes itself when
    // it has been published (a run without the Part's buttons, e.g. the path runs).
    ProgressDialog(LongTask& task, bool startAtOnce, QWidget* parent = nullptr);
    ~ProgressDialog() override;

    QPushButton* startButton() const { return start_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    bool running() const { return worker_.joinable(); }

  protected:
    void reject() override;  // while the run goes on: cancel it, and close once it has stopped

  private:
    void startRun();
    void cancelRun();
    void poll();

    LongTask& task_;
    bool closeWhenDone_;
    PolledProgress progress_;
    std::atomic<bool> finished_{false};
    std::thread worker_;
    int shownPass_ = -1;
    QProgressBar* bar_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* timer_ = nullptr;
};
