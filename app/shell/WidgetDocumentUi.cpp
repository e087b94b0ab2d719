#include "shell/WidgetDocumentUi.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include <QTimer>

#include "isovist/IsovistPropertiesText.h"
#include "shell/AnalysisSummaryDialog.h"
#include "shell/FileFilter.h"
#include "shell/GridOptionsDialog.h"
#include "shell/IsovistPropertiesDialog.h"
#include "shell/LayerDialog.h"
#include "shell/PointIsovistAtDialog.h"
#include "shell/ProgressDialog.h"
#include "shell/SubdivisionDialog.h"

const char* const kMessageCaption = "Orvelle";

WidgetDocumentUi::WidgetDocumentUi() = default;
WidgetDocumentUi::~WidgetDocumentUi() = default;

void WidgetDocumentUi::attach(QWidget* window, Hooks hooks) {
    window_ = window;
    hooks_ = std::move(hooks);
}

void WidgetDocumentUi::message(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kMessageCaption),
                    QString::fromStdString(text), QMessageBox::Ok, window_);
    box.exec();
}

bool WidgetDocumentUi::askYesNo(const std::string& text) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kMessageCaption),
                    QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No, window_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> WidgetDocumentUi::chooseOpenFile(const std::string& filter,
                                                            const std::string& defaultExt) {
    return runFileDialog(false, filter, defaultExt, {});
}

std::optional<std::string> WidgetDocumentUi::chooseSaveFile(const std::string& filter,
                                                            const std::string& defaultExt,
                                                            const std::string& suggestedPath) {
    return runFileDialog(true, filter, defaultExt, suggestedPath);
}

std::optional<std::string> WidgetDocumentUi::runFileDialog(bool save, const std::string& filter,
                                                           const std::string& defaultExt,
                                                           const std::string& suggestedPath) {
    QFileDialog dialog(window_);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    QStringList filters;
    for (const std::string& f : NameFiltersFromPipeList(filter)) {
        filters << QString::fromStdString(f);
    }
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromStdString(defaultExt));
    if (!suggestedPath.empty()) {
        dialog.selectFile(QString::fromStdString(suggestedPath));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first().toStdString();
}

void WidgetDocumentUi::redrawAll() {
    if (hooks_.redraw) {
        hooks_.redraw();
    }
}

void WidgetDocumentUi::setTitle(const std::string& title) {
    if (hooks_.title) {
        hooks_.title(title);
    }
}

void WidgetDocumentUi::setWaitCursor(bool on) {
    // Nested wait cursors (a command inside a command) keep one override on the stack.
    if (on) {
        if (waitDepth_++ == 0) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    } else if (waitDepth_ > 0 && --waitDepth_ == 0) {
        QApplication::restoreOverrideCursor();
    }
}

bool WidgetDocumentUi::runProgressDialog(LongTask& task) {
    ProgressDialog dialog(task, false, window_);
    return dialog.exec() == QDialog::Accepted;
}

bool WidgetDocumentUi::runLongTask(LongTask& task) {
    ProgressDialog dialog(task, true, window_);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<PlanPoint> WidgetDocumentUi::askPointIsovistAt(const PlanPoint& initial) {
    PointIsovistAtDialog dialog(initial, window_);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.point();
}

bool WidgetDocumentUi::runGridOptions(GridOptionsDialogModel& model) {
    GridOptionsDialog dialog(model, window_);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    model = dialog.model();
    return true;
}

void WidgetDocumentUi::showIsovistProperties(const IsovistPropertiesTexts& texts) {
    IsovistPropertiesDialog(texts, window_).exec();
}

void WidgetDocumentUi::runIsovistSubdivision(IsovistSubdivision& subdivision) {
    SubdivisionDialog(subdivision, window_).exec();
}

bool WidgetDocumentUi::chooseLayerRoles(LayerDialogModel& model) {
    return LayerRoleDialog(model, *this, window_).exec() == QDialog::Accepted;
}

void WidgetDocumentUi::showGeneralOptions() {
    if (hooks_.generalOptions) {
        hooks_.generalOptions();
    }
}

void WidgetDocumentUi::postZoomExtent() {
    // Posted, as a command to the main window: it runs once the import has returned.
    if (hooks_.zoomExtent) {
        QTimer::singleShot(0, window_, hooks_.zoomExtent);
    }
}

void WidgetDocumentUi::addRecentFile(const std::string& path) {
    if (hooks_.recentFile) {
        hooks_.recentFile(path);
    }
}

void WidgetDocumentUi::showAnalysisSummary(const std::string& text) {
    AnalysisSummaryDialog(text, window_).exec();
}
