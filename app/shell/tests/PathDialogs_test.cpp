// The path dialogs of the widget port: what they show when they open, which fields take input,
// and what OK and Cancel hand back to the model.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "path/PathOptionsDialogModel.h"
#include "shell/WidgetDocumentUi.h"
#include "shell/tests/ModalDriver.h"

namespace {

template <typename W>
W* Field(QDialog& dialog, const char* name) {
    W* w = dialog.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void Press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    dialog.findChild<QDialogButtonBox*>()->button(which)->click();
}

PathOptionsDialogModel TwoPaths() {
    PolygonList paths;
    paths.append(PlanPolygon({{0, 0}, {3, 4}}));          // length 5
    paths.append(PlanPolygon({{0, 0}, {1, 0}, {1, 2}}));  // length 3
    PathOptionsDialogModel model = PathOptionsDialogModel::ForPaths(paths, 0);
    model.circleRadius = 12;
    model.displayMethod = 3;
    model.offsetStart = 1.5;
    model.offsetEnd = 2.5;
    return model;
}

TEST(PathDialogs, PathOptionsShowTheModelAndOkTakesTheEdits) {
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        PathOptionsDialogModel model = TwoPaths();
        QString title, lengthAtOpen, lengthAfterChoice, method;
        bool offsetsEnabledAtOpen = true, offsetsEnabledWhenUsed = false;
        WhenModalOpens<QDialog>([&](QDialog& dialog) {
            title = dialog.windowTitle();
            lengthAtOpen = Field<QLabel>(dialog, "length")->text();
            method = Field<QComboBox>(dialog, "displayMethod")->currentText();
            EXPECT_EQ(Field<QSpinBox>(dialog, "circleRadius")->value(), 12);
            EXPECT_EQ(Field<QGroupBox>(dialog, "distanceFromOrigin")->title(),
                      QStringLiteral("Distance from origin"));
            offsetsEnabledAtOpen = Field<QDoubleSpinBox>(dialog, "offsetStart")->isEnabled();
            Field<QComboBox>(dialog, "currentPath")->setCurrentIndex(1);
            lengthAfterChoice = Field<QLabel>(dialog, "length")->text();
            dialog.findChild<QCheckBox*>()->setChecked(true);
            offsetsEnabledWhenUsed = Field<QDoubleSpinBox>(dialog, "offsetStart")->isEnabled();
            Field<QDoubleSpinBox>(dialog, "offsetEnd")->setValue(4.25);
            Field<QSpinBox>(dialog, "circleRadius")->setValue(30);
            Press(dialog, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        });
        WidgetDocumentUi ui;
        EXPECT_EQ(ui.runPathOptions(model), ok);
        EXPECT_EQ(title, QStringLiteral("Path Options"));
        EXPECT_EQ(lengthAtOpen, QStringLiteral("5.0000"));
        EXPECT_EQ(lengthAfterChoice, QStringLiteral("3.0000"));
        EXPECT_EQ(method, QStringLiteral("By Radius+Color"));
        EXPECT_FALSE(offsetsEnabledAtOpen);  // "Use offset from origin" is off
        EXPECT_TRUE(offsetsEnabledWhenUsed);
        if (ok) {
            EXPECT_EQ(model.selectedPath, 1);
            EXPECT_TRUE(model.useOffset);
            EXPECT_EQ(model.offsetStart, 1.5);
            EXPECT_EQ(model.offsetEnd, 4.25);
            EXPECT_EQ(model.circleRadius, 30);
        }
    }
}

TEST(PathDialogs, ObservationPointsOpenOnCountAndTakeTheChosenMode) {
    struct Case {
        bool chooseSpacing;
        ObservationPointMode mode;
    };
    for (const Case c : {Case{false, ObservationPointMode::ByNodeCount},
                         Case{true, ObservationPointMode::ByNodeSpacing}}) {
        ObservationPointsDialogModel model;
        bool countEnabledAtOpen = false, spacingEnabledAtOpen = true;
        bool countEnabledAfter = true, spacingEnabledAfter = false;
        WhenModalOpens<QDialog>([&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Create Observation Points"));
            EXPECT_TRUE(Field<QRadioButton>(dialog, "byNodeCount")->isChecked());
            countEnabledAtOpen = Field<QSpinBox>(dialog, "count")->isEnabled();
            spacingEnabledAtOpen = Field<QDoubleSpinBox>(dialog, "spacing")->isEnabled();
            Field<QSpinBox>(dialog, "count")->setValue(-2);  // refused later by the document
            if (c.chooseSpacing) {
                Field<QRadioButton>(dialog, "byNodeSpacing")->setChecked(true);
                Field<QDoubleSpinBox>(dialog, "spacing")->setValue(2.5);
            }
            countEnabledAfter = Field<QSpinBox>(dialog, "count")->isEnabled();
            spacingEnabledAfter = Field<QDoubleSpinBox>(dialog, "spacing")->isEnabled();
            Press(dialog, QDialogButtonBox::Ok);
        });
        WidgetDocumentUi ui;
        ASSERT_TRUE(ui.runCreateObservationPoints(model));
        EXPECT_TRUE(countEnabledAtOpen);
        EXPECT_FALSE(spacingEnabledAtOpen);
        EXPECT_EQ(countEnabledAfter, !c.chooseSpacing);
        EXPECT_EQ(spacingEnabledAfter, c.chooseSpacing);
        EXPECT_EQ(model.request.mode, c.mode);
        EXPECT_EQ(model.request.count, -2);
        EXPECT_EQ(model.request.spacing, c.chooseSpacing ? 2.5 : 0.0);
    }
}

TEST(PathDialogs, ViewAngleAsksUnderItsTitleFromZero) {
    QString title;
    double initial = -1.0;
    WhenModalOpens<QInputDialog>([&](QInputDialog& dialog) {
        title = dialog.windowTitle();
        initial = dialog.doubleValue();
        dialog.setDoubleValue(90.0);
        dialog.accept();
    });
    WidgetDocumentUi ui;
    EXPECT_EQ(ui.askViewAngle(), std::optional<double>(90.0));
    EXPECT_EQ(title, QStringLiteral("Viewing angle in degree (0~180)"));
    EXPECT_EQ(initial, 0.0);
    WhenModalOpens<QInputDialog>([](QInputDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(ui.askViewAngle(), std::nullopt);
}

}  // namespace
