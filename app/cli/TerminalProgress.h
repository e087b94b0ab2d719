// A progress bar on stderr for long runs, drawn only when stderr is a terminal.
#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "document/LongTask.h"

class TerminalProgress : public ProgressSink {
  public:
    // Draws nothing unless stderr is a terminal.
    TerminalProgress();
    ~TerminalProgress() override;

    void beginPass(const std::string& title, int lower, int upper) override;
    void setPosition(int position) override;

  private:
    void draw(int position);

    bool enabled_ = false;
    std::mutex mutex_;
    std::string title_;
    int lower_ = 0;
    int upper_ = 0;
    int drawnPercent_ = -1;
    bool lineOpen_ = false;
};
