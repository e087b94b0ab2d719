// Drives a modal dialog from a test: the action runs once the dialog's event loop has started.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Schedules `act` on the modal dialog of type D that the next exec() opens. If no such dialog
// appears, `act` is not called and `seen` stays false.
template <typename D>
void WhenModalOpens(std::function<void(D&)> act, bool* seen = nullptr) {
    QTimer::singleShot(0, [act, seen] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
            if (seen != nullptr) {
                *seen = true;
            }
            act(*dialog);
        }
    });
}
