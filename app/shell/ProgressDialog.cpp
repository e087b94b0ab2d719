#include "shell/ProgressDialog.h"

#include <QApplication>
#include <algorithm>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

ProgressDialog::ProgressDialog(LongTask& task, bool startAtOnce, QWidget* parent)
    : QDialog(parent), task_(task), closeWhenDone_(startAtOnce) {
    setWindowTitle(QStringLiteral("Progress"));
    setModal(true);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 1);
    bar_->setValue(0);
    start_ = new QPushButton(QStringLiteral("Start"), this);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setEnabled(false);  // only a running computation can be cancelled
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(start_);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    layout->addLayout(buttons);
    resize(360, sizeHint().height());

    timer_ = new QTimer(this);
    timer_->setInterval(50);
    connect(timer_, &QTimer::timeout, this, &ProgressDialog::poll);
    connect(start_, &QPushButton::clicked, this, &ProgressDialog::startRun);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &ProgressDialog::cancelRun);
    if (startAtOnce) {
        start_->hide();
        ok_->hide();
        QTimer::singleShot(0, this, &ProgressDialog::startRun);
    }
}

ProgressDialog::~ProgressDialog() {
    // The dialog is only closed with the run ended; this covers a destruction from outside.
    if (worker_.joinable()) {
        worker_.join();
    }
}

void ProgressDialog::reject() {
    if (running()) {
        cancelRun();
    } else {
        QDialog::reject();
    }
}

void ProgressDialog::cancelRun() {
    if (!running()) {
        return;
    }
    // The work polls the request between its items; poll() closes the dialog once it returns.
    progress_.requestStop();
    cancel_->setEnabled(false);
    setWindowTitle(QStringLiteral("Cancelling..."));
}

void ProgressDialog::startRun() {
    if (running()) {
        return;
    }
    start_->setEnabled(false);
    ok_->setEnabled(false);
    cancel_->setEnabled(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    finished_ = false;
    worker_ = std::thread([this] {
        if (task_.work) {
            task_.work(progress_);
        }
        finished_.store(true, std::memory_order_release);
    });
    timer_->start();
}

void ProgressDialog::poll() {
    const int pass = progress_.passNumber();
    if (pass != shownPass_ && !progress_.stopRequested()) {
        shownPass_ = pass;
        const PolledProgress::Pass p = progress_.pass();
        setWindowTitle(QString::fromStdString(p.title));
        bar_->setRange(p.lower, std::max(p.lower, p.upper));
    }
    bar_->setValue(std::clamp(progress_.position(), bar_->minimum(), bar_->maximum()));
    if (!finished_.load(std::memory_order_acquire)) {
        return;
    }
    timer_->stop();
    worker_.join();
    QApplication::restoreOverrideCursor();
    cancel_->setEnabled(false);
    if (progress_.stopRequested()) {
        QDialog::reject();  // the incomplete result is dropped with the task
        return;
    }
    if (task_.publish) {
        task_.publish();
    }
    start_->setEnabled(true);
    ok_->setEnabled(true);
    if (closeWhenDone_) {
        accept();
    }
}
