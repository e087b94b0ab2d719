// The modal "Progress" dialog of a long run: a progress bar, "Start" and OK. "Start" runs the
// task's work on a worker thread while the dialog (and the window behind it) keeps painting;
// a timer polls the worker's progress, and when the work has returned the task's publish step
// runs here, on the interface thread.
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
    bool running() const { return worker_.joinable(); }

  protected:
    void reject() override;  // Escape and the close button wait while the run goes on

  private:
    void startRun();
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
    QTimer* timer_ = nullptr;
};
