#include "shell/WidgetDocumentUi.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "shell/AnalysisSummaryDialog.h"
#include "shell/tests/ModalDriver.h"

namespace {

TEST(WidgetDocumentUi, YesNoBoxShowsTheTextAndReturnsTheAnswer) {
    WidgetDocumentUi ui;
    QString shown;
    WhenModalOpens<QMessageBox>([&shown](QMessageBox& box) {
        shown = box.text();
        box.button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(ui.askYesNo("No boundary is found\nDo you want to create one?"));
    EXPECT_EQ(shown, QStringLiteral("No boundary is found\nDo you want to create one?"));
    WhenModalOpens<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(ui.askYesNo("Paths already exist."));
}

TEST(WidgetDocumentUi, OpenDialogUsesTheFiltersAndExtension) {
    WidgetDocumentUi ui;
    QStringList filters;
    QString suffix;
    bool seen = false;
    WhenModalOpens<QFileDialog>(
        [&](QFileDialog& dialog) {
            filters = dialog.nameFilters();
            suffix = dialog.defaultSuffix();
            dialog.reject();
        },
        &seen);
    const auto chosen =
        ui.chooseOpenFile("Drawing Exchange Format (*.dxf)|*.dxf|All Files (*.*)|*.*||", "dxf");
    ASSERT_TRUE(seen);
    EXPECT_FALSE(chosen.has_value());
    EXPECT_EQ(filters, (QStringList{"Drawing Exchange Format (*.dxf)", "All Files (*.*)"}));
    EXPECT_EQ(suffix, QStringLiteral("dxf"));
}

TEST(WidgetDocumentUi, SaveDialogAddsTheDefaultExtension) {
    WidgetDocumentUi ui;
    const QString base = QString::fromStdString(testing::TempDir()) + "orvelle-save-test";
    WhenModalOpens<QFileDialog>([&base](QFileDialog& dialog) {
        dialog.selectFile(base);
        QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
    });
    const auto chosen =
        ui.chooseSaveFile("Vistrel 1.3 (*.ovx)|*.ovx|All Files (*.*)|*.*||", "ovx", "");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, (base + ".ovx").toStdString());
}

TEST(WidgetDocumentUi, AnalysisSummaryShowsTheTextReadOnlyAndOkOrCancelCloseIt) {
    WidgetDocumentUi ui;
    for (const QDialogButtonBox::StandardButton which :
         {QDialogButtonBox::Ok, QDialogButtonBox::Cancel}) {
        QString title;
        QString text;
        bool readOnly = false;
        bool seen = false;
        WhenModalOpens<AnalysisSummaryDialog>(
            [&](AnalysisSummaryDialog& dialog) {
                title = dialog.windowTitle();
                text = dialog.textField()->toPlainText();
                readOnly = dialog.textField()->isReadOnly();
                dialog.findChild<QDialogButtonBox*>()->button(which)->click();
            },
            &seen);
        ui.showAnalysisSummary("Grid Size: 3 * 2\r\nGrid Cell Number: 6\r\n");
        ASSERT_TRUE(seen);
        EXPECT_EQ(title, QStringLiteral("Analysis Summary"));
        EXPECT_EQ(text, QStringLiteral("Grid Size: 3 * 2\nGrid Cell Number: 6\n"));
        EXPECT_TRUE(readOnly);
    }
}

TEST(WidgetDocumentUi, NestedWaitCursorsRestoreOnce) {
    WidgetDocumentUi ui;
    ui.setWaitCursor(true);
    ui.setWaitCursor(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    ui.setWaitCursor(false);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    ui.setWaitCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ui.setWaitCursor(false);  // an unmatched end is harmless
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
