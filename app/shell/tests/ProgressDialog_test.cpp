// The Progress dialog runs the work off the interface thread and publishes on it.
#include "shell/ProgressDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <chrono>
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

}  // namespace
