// Long computations and their progress, split so that the window never reads what a worker is
// writing: `work` computes into state of its own (off the interface thread in the desktop
// program), then `publish` moves the result into the document on the interface thread.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

// Where a long computation reports how far it is, and hears whether it is to stop. Both
// setPosition and stopRequested may be called from any thread.
class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    // Starts a pass: the title the progress display shows and the range of its positions.
    virtual void beginPass(const std::string& title, int lower, int upper) = 0;
    virtual void setPosition(int position) = 0;
    // True once the user has asked the run to stop. A computation that sees it may return at
    // once with its result incomplete: a stopped run is never published.
    virtual bool stopRequested() const { return false; }
};

// A sink that reports nowhere.
class NullProgress : public ProgressSink {
  public:
    void beginPass(const std::string&, int, int) override {}
    void setPosition(int) override {}
};

// A sink that keeps the latest pass and position for a display that polls it from another
// thread. `pass()` counts beginPass calls, so a poller sees when the title changed.
class PolledProgress : public ProgressSink {
  public:
    struct Pass {
        std::string title;
        int lower = 0;
        int upper = 0;
    };
    void beginPass(const std::string& title, int lower, int upper) override {
        {
            std::lock_guard lock(mutex_);
            pass_ = Pass{title, lower, upper};
        }
        position_.store(lower, std::memory_order_relaxed);
        passNumber_.fetch_add(1, std::memory_order_release);
    }
    void setPosition(int position) override {
        position_.store(position, std::memory_order_relaxed);
    }
    int passNumber() const { return passNumber_.load(std::memory_order_acquire); }
    Pass pass() const {
        std::lock_guard lock(mutex_);
        return pass_;
    }
    int position() const { return position_.load(std::memory_order_relaxed); }
    // Asks the computation to stop (from the display's thread).
    void requestStop() { stop_.store(true, std::memory_order_release); }
    bool stopRequested() const override { return stop_.load(std::memory_order_acquire); }

  private:
    mutable std::mutex mutex_;
    Pass pass_;
    std::atomic<int> position_{0};
    std::atomic<int> passNumber_{0};
    std::atomic<bool> stop_{false};
};

struct LongTask {
    // The computation; it reads only what it was given when the task was made.
    std::function<void(ProgressSink&)> work;
    // Runs on the interface thread once `work` has returned: stores the result, redraws.
    std::function<void()> publish;
};

// Runs a task on the calling thread, for ports without a window. False, with nothing
// published, when the sink asked the work to stop.
inline bool RunTaskInline(LongTask& task, ProgressSink& progress) {
    if (task.work) {
        task.work(progress);
    }
    if (progress.stopRequested()) {
        return false;
    }
    if (task.publish) {
        task.publish();
    }
    return true;
}
