#include "document/LayerRoles.h"

#include <gtest/gtest.h>

#include "document/LayerDialogModel.h"
#include "testing/FakeDocumentUi.h"

namespace {

TEST(LayerRoles, AutomaticChoiceTakesTheFirstFragmentInOrder) {
    struct Case {
        const char* name;
        LayerRole role;
    };
    const Case cases[] = {
        {"Outer-Walls", LayerRole::Wall},
        {"Axis", LayerRole::AxialLine},
        {"Reference", LayerRole::ReferenceLine},
        {"Boundary_Wall", LayerRole::Boundary},
        {"GLINES", LayerRole::ReferenceLine},
        {"path-points", LayerRole::Path},
        {"Defpoints", LayerRole::Point},
        {"semi_transparent_walls", LayerRole::Wall},
        {"0", LayerRole::Ignore},
        {"T\xC3\xBCren", LayerRole::Ignore},
        {"", LayerRole::Ignore},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AutomaticLayerRole(c.name), c.role) << c.name;
    }
}

TEST(LayerRoles, LabelsInDialogOrderAndParsedBack) {
    const char* labels[] = {"Ignore", "Boundary",   "Wall",          "Path",
                            "Point",  "Axial line", "Reference line"};
    for (int i = 0; i < kLayerRoleCount; ++i) {
        const auto role = static_cast<LayerRole>(i);
        EXPECT_STREQ(LayerRoleLabel(role), labels[i]);
        EXPECT_EQ(LayerRoleFromText(labels[i]), role);
    }
    EXPECT_EQ(LayerRoleFromText("axial-line"), LayerRole::AxialLine);
    EXPECT_EQ(LayerRoleFromText("REFERENCELINE"), LayerRole::ReferenceLine);
    EXPECT_EQ(LayerRoleFromText("door"), std::nullopt);
}

TEST(LayerRoles, TablesStartIgnoredOrChosenAutomatically) {
    const LayerTable automatic = MakeLayerTable({"Walls", "Bound"}, true);
    EXPECT_EQ(automatic.roles, (std::vector<LayerRole>{LayerRole::Wall, LayerRole::Boundary}));
    const LayerTable ignored = MakeLayerTable({"Walls", "Bound"}, false);
    EXPECT_EQ(ignored.countWithRole(LayerRole::Ignore), 2);
}

TEST(LayerDialog, OkChecksPerMode) {
    using R = LayerRole;
    using M = LayerDialogMode;
    const std::string noWall = "No wall layers are selected.\nDo you want to continue anyway?";
    const std::string noAxial = "No layers are selected.\nDo you want to continue anyway?";
    struct Case {
        M mode;
        std::vector<R> roles;
        std::deque<bool> answers;
        bool accepted;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {M::FullImport, {R::Wall, R::Ignore}, {}, false, {"Please select a boundary layer"}},
        {M::FullImport,
         {R::Boundary, R::Boundary, R::Wall},
         {},
         false,
         {"There are multiple layers for boundary"}},
        {M::FullImport, {R::Boundary, R::Path}, {false}, false, {noWall}},
        {M::FullImport, {R::Boundary, R::Path}, {true}, true, {noWall}},
        {M::FullImport, {R::Boundary, R::Wall, R::Wall}, {}, true, {}},
        {M::AxialLines, {R::Ignore}, {false}, false, {noAxial}},
        {M::AxialLines, {R::Ignore}, {true}, true, {noAxial}},
        {M::AxialLines, {R::AxialLine}, {}, true, {}},
        {M::Paths, {R::Ignore}, {}, true, {}},
        {M::Points, {}, {}, true, {}},
    };
    for (const Case& c : cases) {
        LayerDialogModel model;
        model.mode = c.mode;
        model.table.roles = c.roles;
        model.table.names.assign(c.roles.size(), "L");
        FakeDocumentUi ui;
        ui.yesNoAnswers = c.answers;
        EXPECT_EQ(AcceptLayerChoice(model, ui), c.accepted);
        std::vector<std::string> shown = ui.messages;
        shown.insert(shown.end(), ui.questions.begin(), ui.questions.end());
        EXPECT_EQ(shown, c.shown);
        EXPECT_TRUE(ui.yesNoAnswers.empty());
    }
}

TEST(LayerDialog, SmallerImportsEnableOnlyIgnoreAndTheirRole) {
    using R = LayerRole;
    using M = LayerDialogMode;
    EXPECT_TRUE(IsRoleEnabled(M::FullImport, R::ReferenceLine));
    EXPECT_TRUE(IsRoleEnabled(M::Paths, R::Ignore));
    EXPECT_TRUE(IsRoleEnabled(M::Paths, R::Path));
    EXPECT_FALSE(IsRoleEnabled(M::Paths, R::Wall));
    EXPECT_TRUE(IsRoleEnabled(M::Points, R::Point));
    EXPECT_FALSE(IsRoleEnabled(M::Points, R::Path));
    EXPECT_TRUE(IsRoleEnabled(M::AxialLines, R::AxialLine));
    EXPECT_FALSE(IsRoleEnabled(M::AxialLines, R::Boundary));
    EXPECT_EQ(RoleOfMode(M::Points), R::Point);
}

}  // namespace
