// The Progress dialog runs the work off the interface thread and publishes on it.
#include "shell/ProgressDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "shell/WidgetDocumentUi.h"
#include "shell/tests/ModalDriver.h"

namespace {

TEST(ProgressDialog, WorkRunsOnAWorkerWhileTheWindowKeepsItsEventLoop) {
    std::atomic<bool> release{false};
    std::thread::id workThread;
    std::thread::id publishThread;
    int timerTicks = 0;
    LongTask task;
    task.work = [&](ProgressSink& progress) {
        workThread = std::this_thread::get_id();
        progress.beginPass("Pass 1/2", 0, 10);
        progress.setPosition(5);
        while (!release.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    };
    task.publish = [&] { publishThread = std::this_thread::get_id(); };

    // The interface thread keeps running timers during the run; after a few ticks the test
    // looks at the dialog and lets the work end.
    QString titleDuringRun;
    bool okEnabledDuringRun = true;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (++timerTicks < 10 || release) {
            return;
        }
        if (auto* dialog = qobject_cast<ProgressDialog*>(QApplication::activeModalWidget())) {
            titleDuringRun = dialog->windowTitle();
            okEnabledDuringRun = dialog->okButton()->isEnabled();
        }
        // On a loaded machine the worker may not have started its pass yet: wait for it.
        release = titleDuringRun == QStringLiteral("Pass 1/2") || timerTicks > 1000;
    });

    WhenModalOpens<ProgressDialog>([&](ProgressDialog& dialog) {
        dialog.startButton()->click();
        ticker.start(10);
        // OK once the run has ended and OK is enabled again.
        auto* closer = new QTimer(&dialog);
        QObject::connect(closer, &QTimer::timeout, &dialog, [&dialog] {
            if (!dialog.running() && dialog.okButton()->isEnabled()) {
                dialog.okButton()->click();
            }
        });
        closer->start(20);
    });
    WidgetDocumentUi ui;
    EXPECT_TRUE(ui.runProgressDialog(task));
    EXPECT_GE(timerTicks, 10);
    EXPECT_NE(workThread, std::this_thread::get_id());
    EXPECT_EQ(publishThread, std::this_thread::get_id());
    EXPECT_EQ(titleDuringRun, QStringLiteral("Pass 1/2"));
    EXPECT_FALSE(okEnabledDuringRun);
}

TEST(ProgressDialog, OkWithoutStartRunsNothingAndStillCountsAsOk) {
    bool ran = false;
    LongTask task;
    task.work = [&](ProgressSink&) { ran = true; };
    WhenModalOpens<ProgressDialog>([](ProgressDialog& dialog) { dialog.okButton()->click(); });
    WidgetDocumentUi ui;
    EXPECT_TRUE(ui.runProgressDialog(task));
    EXPECT_FALSE(ran);
}

TEST(ProgressDialog, ALongTaskWithoutButtonsClosesItselfWhenPublished) {
    int published = 0;
    LongTask task;
    task.work = [](ProgressSink& progress) { progress.beginPass("1/3", 0, 3); };
    task.publish = [&] { ++published; };
    WidgetDocumentUi ui;
    ui.runLongTask(task);
    EXPECT_EQ(published, 1);
}

// Cancel while the work runs, by the button or by Escape, in the dialog with "Start" and in the
// one that starts at once: the work hears the request and stops, nothing is published, and the
// run reports that it was not completed.
TEST(ProgressDialog, CancelStopsTheWorkAndPublishesNothing) {
    for (const bool startAtOnce : {false, true}) {
        for (const bool byEscape : {false, true}) {
            SCOPED_TRACE(std::string(startAtOnce ? "long task" : "dialog") +
                         (byEscape ? ", Escape" : ", Cancel"));
            std::atomic<bool> working{false};
            std::atomic<bool> stopSeen{false};
            bool published = false;
            bool cancelEnabledBeforeStart = true;
            LongTask task;
            task.work = [&](ProgressSink& progress) {
                progress.beginPass("Pass 1/2", 0, 10);
                working = true;
                while (!progress.stopRequested()) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                }
                stopSeen = true;
            };
            task.publish = [&] { published = true; };
            WhenModalOpens<ProgressDialog>([&](ProgressDialog& dialog) {
                cancelEnabledBeforeStart = dialog.cancelButton()->isEnabled();
                if (!startAtOnce) {
                    dialog.startButton()->click();
                }
                // Cancel once the work is under way; the dialog then closes by itself.
                auto* canceller = new QTimer(&dialog);
                QObject::connect(canceller, &QTimer::timeout, &dialog, [&, canceller] {
                    if (!working || !dialog.running()) {
                        return;
                    }
                    canceller->stop();
                    if (byEscape) {
                        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                        QApplication::sendEvent(&dialog, &escape);
                    } else {
                        EXPECT_TRUE(dialog.cancelButton()->isEnabled());
                        dialog.cancelButton()->click();
                    }
                });
                canceller->start(5);
            });
            WidgetDocumentUi ui;
            const bool completed = startAtOnce ? ui.runLongTask(task) : ui.runProgressDialog(task);
            EXPECT_FALSE(completed);
            EXPECT_TRUE(stopSeen);
            EXPECT_FALSE(published);
            if (!startAtOnce) {
                EXPECT_FALSE(cancelEnabledBeforeStart);  // nothing to cancel yet
            }
            EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        }
    }
}

}  // namespace
