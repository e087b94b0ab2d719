#include "cli/TerminalProgress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

TerminalProgress::TerminalProgress() : enabled_(isatty(STDERR_FILENO) != 0) {}

TerminalProgress::~TerminalProgress() {
    if (lineOpen_) {
        std::fputc('\n', stderr);
    }
}

void TerminalProgress::beginPass(const std::string& title, int lower, int upper) {
    if (!enabled_) {
        return;
    }
    std::lock_guard lock(mutex_);
    if (lineOpen_) {
        std::fputc('\n', stderr);
    }
    title_ = title;
    lower_ = lower;
    upper_ = upper;
    drawnPercent_ = -1;
    draw(lower);
}

void TerminalProgress::setPosition(int position) {
    if (!enabled_) {
        return;
    }
    std::lock_guard lock(mutex_);
    draw(position);
}

void TerminalProgress::draw(int position) {
    const int span = std::max(upper_ - lower_, 1);
    const int percent = std::clamp((position - lower_) * 100LL / span, 0LL, 100LL);
    if (percent == drawnPercent_) {
        return;  // redraw only when the bar moves
    }
    drawnPercent_ = percent;
    constexpr int kWidth = 40;
    const int filled = percent * kWidth / 100;
    std::fprintf(stderr, "\r%-10s [%.*s%*s] %3d%%", title_.c_str(), filled,
                 "########################################", kWidth - filled, "", percent);
    std::fflush(stderr);
    lineOpen_ = true;
}
