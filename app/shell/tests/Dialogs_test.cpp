#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "document/LayerDialogModel.h"
#include "isovist/IsovistPropertiesText.h"
#include "shell/AnalysisSummaryDialog.h"
#include "shell/GridOptionsDialog.h"
#include "shell/IsovistPropertiesDialog.h"
#include "shell/LayerDialog.h"
#include "shell/LayerNamesDialog.h"
#include "shell/PointIsovistAtDialog.h"
#include "testing/FakeDocumentUi.h"

namespace {

LayerDialogModel Layers(LayerDialogMode mode, std::vector<std::string> names) {
    LayerDialogModel model;
    model.mode = mode;
    model.table = MakeLayerTable(std::move(names), mode == LayerDialogMode::FullImport);
    return model;
}

TEST(LayerDialog, ListsLayersWithTheirPreassignedRoles) {
    LayerDialogModel model = Layers(LayerDialogMode::FullImport, {"Outline-Bound", "A-WALL", "X"});
    FakeDocumentUi ui;
    LayerRoleDialog dialog(model, ui);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Layer"));
    QTreeWidget* list = dialog.list();
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Layer Name"));
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Type"));
    EXPECT_EQ(list->columnWidth(0), 155);
    EXPECT_EQ(list->columnWidth(1), 110);
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("Boundary"));
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("Wall"));
    EXPECT_EQ(list->topLevelItem(2)->text(1), QStringLiteral("Ignore"));
    // The first row is selected and its role shown.
    EXPECT_TRUE(dialog.roleButton(LayerRole::Boundary)->isChecked());
}

TEST(LayerDialog, RadioButtonsGiveTheSelectedRowItsRole) {
    LayerDialogModel model = Layers(LayerDialogMode::FullImport, {"one", "two"});
    FakeDocumentUi ui;
    LayerRoleDialog dialog(model, ui);
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(1));
    dialog.roleButton(LayerRole::ReferenceLine)->click();
    EXPECT_EQ(model.table.roles[1], LayerRole::ReferenceLine);
    EXPECT_EQ(dialog.list()->topLevelItem(1)->text(1), QStringLiteral("Reference line"));
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(0));
    EXPECT_TRUE(dialog.roleButton(LayerRole::Ignore)->isChecked());
}

TEST(LayerDialog, TheReadAllEntitiesBoxSwitchesTheAccounts) {
    LayerDialogModel model = Layers(LayerDialogMode::FullImport, {"walls"});
    model.notReadOff = {"walls: 3 ARC not read \u2014 turn on Read arcs, old-style polylines and blocks"};
    model.notReadOn = {};
    model.droppedEntitiesAll.resize(1);
    model.droppedEntitiesAll[0].listed.push_back(
        {DxfEntityKind::Arc, "walls", 12, "", DxfDropReason::Refused, "radius 0"});
    model.suggestedUnit = "Suggested unit: m (the drawing's $INSUNITS is 6)";
    FakeDocumentUi ui;
    LayerRoleDialog dialog(model, ui);
    EXPECT_EQ(dialog.readAllEntitiesBox()->text(),
              QStringLiteral("Read arcs, old-style polylines and blocks"));
    EXPECT_FALSE(dialog.readAllEntitiesBox()->isChecked());
    EXPECT_EQ(dialog.notReadLabel()->text(),
              QString::fromUtf8("walls: 3 ARC not read \u2014 turn on Read arcs, old-style "
                                "polylines and blocks\nSuggested unit: m (the drawing's "
                                "$INSUNITS is 6)"));
    EXPECT_TRUE(dialog.droppedLabel()->isHidden());
    dialog.readAllEntitiesBox()->click();
    EXPECT_TRUE(model.readAllEntities);
    EXPECT_EQ(dialog.notReadLabel()->text(),
              QStringLiteral("Suggested unit: m (the drawing's $INSUNITS is 6)"));
    EXPECT_EQ(dialog.droppedList()->toPlainText(),
              QStringLiteral("ARC on layer \"walls\", line 12: radius 0"));
}

TEST(LayerDialog, ListsTheDroppedEntitiesOfLayersWithARole) {
    LayerDialogModel model = Layers(LayerDialogMode::FullImport, {"one", "two"});
    model.table.roles = {LayerRole::Ignore, LayerRole::Ignore};
    model.droppedEntities.resize(2);
    model.droppedEntities[1].listed.push_back(
        {DxfEntityKind::Line, "two", 40, "2F", DxfDropReason::NotANumber, "bad"});
    FakeDocumentUi ui;
    LayerRoleDialog dialog(model, ui);
    // Nothing listed while the layer is ignored.
    EXPECT_TRUE(dialog.droppedLabel()->isHidden());
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(1));
    dialog.roleButton(LayerRole::Wall)->click();
    EXPECT_FALSE(dialog.droppedLabel()->isHidden());
    EXPECT_EQ(dialog.droppedLabel()->text(), QStringLiteral("Dropped entities: 1"));
    EXPECT_EQ(dialog.droppedList()->toPlainText(),
              QStringLiteral("LINE on layer \"two\", line 40, handle 2F: bad"));
    EXPECT_TRUE(dialog.droppedList()->isReadOnly());
    // A point layer reads no lines.
    dialog.roleButton(LayerRole::Point)->click();
    EXPECT_TRUE(dialog.droppedList()->isHidden());
}

struct OkCase {
    const char* name;
    LayerDialogMode mode;
    std::vector<std::string> layerNames;
    std::deque<bool> answers;
    bool closes;
    std::vector<std::string> messages;
    size_t questions;
};

// Names the case in test listings (instead of dumping its bytes).
void PrintTo(const OkCase& c, std::ostream* os) {
    *os << c.name;
}

class LayerDialogOk : public testing::TestWithParam<OkCase> {};

TEST_P(LayerDialogOk, ChecksTheChoice) {
    const OkCase& c = GetParam();
    LayerDialogModel model = Layers(c.mode, c.layerNames);
    FakeDocumentUi ui;
    ui.yesNoAnswers = c.answers;
    LayerRoleDialog dialog(model, ui);
    dialog.accept();
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.closes) << c.name;
    EXPECT_EQ(ui.messages, c.messages) << c.name;
    EXPECT_EQ(ui.questions.size(), c.questions) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, LayerDialogOk,
    testing::Values(
        OkCase{"no boundary",
               LayerDialogMode::FullImport,
               {"WALLS"},
               {},
               false,
               {"Please select a boundary layer"},
               0},
        OkCase{"two boundaries",
               LayerDialogMode::FullImport,
               {"BOUND1", "BOUND2"},
               {},
               false,
               {"There are multiple layers for boundary"},
               0},
        OkCase{"no wall, No", LayerDialogMode::FullImport, {"BOUNDARY"}, {false}, false, {}, 1},
        OkCase{"no wall, Yes", LayerDialogMode::FullImport, {"BOUNDARY"}, {true}, true, {}, 1},
        OkCase{"boundary and wall",
               LayerDialogMode::FullImport,
               {"BOUNDARY", "WALL"},
               {},
               true,
               {},
               0},
        OkCase{"axial without lines, No",
               LayerDialogMode::AxialLines,
               {"AXIS"},
               {false},
               false,
               {},
               1},
        OkCase{"paths need nothing", LayerDialogMode::Paths, {"X"}, {}, true, {}, 0}));

TEST(LayerDialog, SmallerImportsOfferOnlyIgnoreAndTheirRole) {
    LayerDialogModel model = Layers(LayerDialogMode::Points, {"PATH", "POINTS"});
    FakeDocumentUi ui;
    LayerRoleDialog dialog(model, ui);
    for (int r = 0; r < kLayerRoleCount; ++r) {
        const auto role = static_cast<LayerRole>(r);
        const bool expected = role == LayerRole::Ignore || role == LayerRole::Point;
        EXPECT_EQ(dialog.roleButton(role)->isEnabled(), expected) << r;
    }
    // Every role starts as Ignore in the smaller imports.
    EXPECT_EQ(dialog.list()->topLevelItem(0)->text(1), QStringLiteral("Ignore"));
}

TEST(LayerNamesDialog, ShowsTheFourNames) {
    LayerNamesDialog dialog({"BOUNDARY", "WALLS", "PATH", "GLINES"});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Layer Names"));
    EXPECT_EQ(dialog.field(3)->text(), QStringLiteral("GLINES"));
    dialog.field(1)->setText(QStringLiteral("inner walls"));
    EXPECT_EQ(dialog.names()[1], "inner walls");
}

TEST(PointIsovistAtDialog, StartsWithTheLastPointAndReadsTheTypedOne) {
    PointIsovistAtDialog dialog(PlanPoint{1.5, -2.25});
    EXPECT_EQ(dialog.xField()->text(), QStringLiteral("1.5"));
    EXPECT_EQ(dialog.yField()->text(), QStringLiteral("-2.25"));
    dialog.xField()->setText(QStringLiteral("1e3"));
    dialog.yField()->setText(QStringLiteral("7"));
    EXPECT_EQ(dialog.point(), (PlanPoint{1000.0, 7.0}));
}

TEST(GridOptionsDialog, TypedFieldDrivesTheOthersAndOkReturnsTheChoice) {
    GridOptionsDialogModel model;
    model.planWidth = 10.5;
    model.planHeight = 4.0;
    model.span = 1.0;
    GridOptionsDialog dialog(model);
    EXPECT_EQ(dialog.countXField()->text(), QStringLiteral("11"));
    EXPECT_EQ(dialog.totalField()->text(), QStringLiteral("44"));
    EXPECT_TRUE(dialog.countXField()->isReadOnly());
    EXPECT_TRUE(dialog.totalField()->isReadOnly());

    dialog.entryButton(GridOptionsEntry::SpanCountX)->click();
    EXPECT_FALSE(dialog.countXField()->isReadOnly());
    EXPECT_TRUE(dialog.spanField()->isReadOnly());
    dialog.countXField()->selectAll();
    QTest::keyClicks(dialog.countXField(), QStringLiteral("3"));
    EXPECT_EQ(dialog.spanField()->text(), QStringLiteral("3.500"));
    EXPECT_EQ(dialog.countYField()->text(), QStringLiteral("2"));
    EXPECT_EQ(dialog.totalField()->text(), QStringLiteral("6"));

    dialog.entryButton(GridOptionsEntry::SpanSize)->click();
    dialog.spanField()->selectAll();
    QTest::keyClicks(dialog.spanField(), QStringLiteral("0"));
    EXPECT_EQ(dialog.totalField()->text(), QStringLiteral("0"));
    dialog.spanField()->selectAll();
    QTest::keyClicks(dialog.spanField(), QStringLiteral("0.5"));
    EXPECT_EQ(dialog.spanField()->text(), QStringLiteral("0.5"));  // the typed text stays
    EXPECT_EQ(dialog.totalField()->text(), QStringLiteral("168"));
    dialog.accept();
    EXPECT_EQ(dialog.model().span, 0.5);
}

TEST(IsovistPropertiesDialog, ShowUnitsSwapsTheTexts) {
    IsovistRecord record;
    record.polygon = PlanPolygon({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
    record.origin = {1, 1};
    const IsovistProperties properties(record, RadialStats{}, false, 0, 4);
    IsovistPropertiesDialog dialog(properties.Texts());
    QLineEdit* area = dialog.field(QString(), QStringLiteral("Area"));
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->text(), QStringLiteral("4.0000"));
    dialog.showUnitsBox()->setChecked(true);
    EXPECT_EQ(area->text(), QStringLiteral("4.0000 ft²"));
    dialog.showUnitsBox()->setChecked(false);
    EXPECT_EQ(area->text(), QStringLiteral("4.0000"));
    // Radial data stay empty for the exact method.
    QLineEdit* mean = dialog.field(QStringLiteral("Radial data"), QStringLiteral("Mean"));
    ASSERT_NE(mean, nullptr);
    EXPECT_TRUE(mean->text().isEmpty());
}

TEST(AnalysisSummaryDialog, ShowsTheTextWithPlainLineEnds) {
    AnalysisSummaryDialog dialog(
        "Conterclockwise starting from the segment 0\r\n\r\nArea (m²)\r\n");
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Analysis Summary"));
    EXPECT_EQ(dialog.textField()->toPlainText(),
              QStringLiteral("Conterclockwise starting from the segment 0\n\nArea (m²)\n"));
}

}  // namespace
