// The account of dropped entities per layer, and the lines the layer dialog lists for the roles.
#include "document/DxfDropSurvey.h"

#include <gtest/gtest.h>

#include "document/LayerDialogModel.h"
#include "document/tests/DxfTextBuilder.h"

namespace {

// Layer "Mixed": one unreadable polyline (line 5), line (line 11) and circle (line 17); layer
// "Other" one unreadable line; layer "Unlisted" one unreadable circle.
DxfDrawing MixedDrawing() {
    DxfTextBuilder dxf;
    dxf.beginEntities();
    dxf.pair(0, "LWPOLYLINE").pair(8, "MIXED").pair(90, "1");
    dxf.pair(0, "LINE").pair(8, "Mixed").pair(10, "x");
    dxf.pair(0, "CIRCLE").pair(8, "mixed ").pair(40, "1e99");
    dxf.pair(0, "LINE").pair(8, "Other").pair(10, "0");
    dxf.pair(0, "CIRCLE").pair(8, "Unlisted").pair(40, "q");
    dxf.line("Mixed", {0, 0}, {1, 1});
    dxf.endEntities();
    return DxfDrawing(dxf.text());
}

const std::string kPolyline =
    "LWPOLYLINE on layer \"MIXED\", line 5: vertex count 1 (a polyline needs at least 2)";
const std::string kLine = "LINE on layer \"Mixed\", line 11: group 10 value \"x\" is not a number";
const std::string kCircle =
    "CIRCLE on layer \"mixed\", line 17: group 40 value \"1e99\" is out of range (|value| <= 1e15)";

TEST(DxfDropSurvey, GathersPerListedLayerIgnoringCaseInFileOrder) {
    const auto drops = SurveyDroppedEntities(MixedDrawing(), {"Other", " mixed", "Clean"});
    ASSERT_EQ(drops.size(), 3u);
    ASSERT_EQ(drops[0].listed.size(), 1u);
    EXPECT_EQ(drops[0].listed[0].kind, DxfEntityKind::Line);
    EXPECT_EQ(drops[0].listed[0].reason, DxfDropReason::Incomplete);
    ASSERT_EQ(drops[1].listed.size(), 3u);
    EXPECT_EQ(DxfDroppedEntityText(drops[1].listed[0]), kPolyline);
    EXPECT_EQ(DxfDroppedEntityText(drops[1].listed[1]), kLine);
    EXPECT_EQ(DxfDroppedEntityText(drops[1].listed[2]), kCircle);
    EXPECT_TRUE(drops[2].listed.empty());
}

TEST(DxfDropSurvey, LinesFollowWhatEachRoleReads) {
    using R = LayerRole;
    struct Case {
        LayerRole role;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {R::Ignore, {}},
        {R::Boundary, {kPolyline}},
        {R::Wall, {kPolyline, kLine, kCircle}},
        {R::Path, {kPolyline}},
        {R::Point, {kCircle}},
        {R::AxialLine, {kPolyline, kLine}},
        {R::ReferenceLine, {kPolyline, kLine, kCircle}},
    };
    const DxfDrawing drawing = MixedDrawing();
    for (const Case& c : cases) {
        LayerDialogModel model;
        model.table = MakeLayerTable({"Mixed"}, false);
        model.table.roles[0] = c.role;
        model.droppedEntities = SurveyDroppedEntities(drawing, model.table.names);
        EXPECT_EQ(DroppedEntityLines(model), c.expected) << LayerRoleLabel(c.role);
    }
    EXPECT_EQ(AllDroppedEntityLines({"Mixed"}, SurveyDroppedEntities(drawing, {"Mixed"})),
              (std::vector<std::string>{kPolyline, kLine, kCircle}));
}

TEST(DxfDropSurvey, AModelWithoutAnAccountListsNothing) {
    LayerDialogModel model;
    model.table = MakeLayerTable({"Walls"}, true);
    EXPECT_TRUE(DroppedEntityLines(model).empty());
}

TEST(DxfDropSurvey, ManyDropsOnALayerEndWithACount) {
    DxfTextBuilder dxf;
    dxf.beginEntities();
    for (int i = 0; i < 130; ++i) {
        dxf.pair(0, "LINE").pair(8, "W").pair(10, "bad");
    }
    for (int i = 0; i < 20; ++i) {
        dxf.pair(0, "CIRCLE").pair(8, "W").pair(40, "bad");
    }
    dxf.endEntities();
    const auto drops = SurveyDroppedEntities(DxfDrawing(dxf.text()), {"W"});
    ASSERT_EQ(drops[0].listed.size(), LayerDrops::kMaxListed);
    // Lines are scanned before circles: 100 lines listed, 30 lines and 20 circles counted.
    EXPECT_EQ(drops[0].unlisted[static_cast<size_t>(DxfEntityKind::Line)], 30u);
    EXPECT_EQ(drops[0].unlisted[static_cast<size_t>(DxfEntityKind::Circle)], 20u);
    LayerTable table = MakeLayerTable({"W"}, false);
    table.roles[0] = LayerRole::AxialLine;  // reads lines, not circles
    const auto lines = DroppedEntityLines(table, drops);
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_EQ(lines.back(), "... and 30 more on layer \"W\"");
}

}  // namespace
