#include "document/CommandAvailability.h"

#include <gtest/gtest.h>

namespace {

struct AvailabilityCase {
    const char* name;
    Command command;
    CommandContext context;
    bool enabled;
};

// Names the case in test listings (instead of dumping its bytes).
void PrintTo(const AvailabilityCase& c, std::ostream* os) {
    *os << c.name;
}

CommandContext WithStage(int32_t stage) {
    CommandContext c;
    c.gridStage = stage;
    return c;
}

CommandContext GridDone(bool graph, int32_t method) {
    CommandContext c = WithStage(7);
    c.graphMeasuresCalculated = graph;
    c.isovistMethod = method;
    return c;
}

CommandContext PathState(int32_t current, int32_t points, int32_t isovists, int32_t paths,
                         int32_t method = 0) {
    CommandContext c;
    c.currentPath = current;
    c.currentPathObservationPointCount = points;
    c.pathIsovistCount = isovists;
    c.pathCount = paths;
    c.isovistMethod = method;
    return c;
}

class AvailabilityTest : public testing::TestWithParam<AvailabilityCase> {};

TEST_P(AvailabilityTest, FollowsDocumentState) {
    const AvailabilityCase& c = GetParam();
    EXPECT_EQ(CommandStateOf(c.command, c.context).enabled, c.enabled) << c.name;
}

const AvailabilityCase kCases[] = {
    {"grid options always", {CommandId::GridOptions}, CommandContext{}, true},
    {"initialise needs options", {CommandId::InitializeGrid}, WithStage(0), false},
    {"initialise after options", {CommandId::InitializeGrid}, WithStage(1), true},
    {"initialise with only bit 2", {CommandId::InitializeGrid}, WithStage(2), false},
    {"create needs initialised", {CommandId::CreateGridIsovist}, WithStage(1), false},
    {"create after initialise", {CommandId::CreateGridIsovist}, WithStage(3), true},
    {"export needs results", {CommandId::GridExportCsv}, WithStage(3), false},
    {"export after run", {CommandId::GridExportCsv}, WithStage(7), true},
    {"report after run", {CommandId::GridReport}, WithStage(4), true},
    {"grid user defined before run", {CommandId::GridUserDefined}, WithStage(3), false},
    {"area after run", {CommandId::GridProperty, 1}, GridDone(false, 0), true},
    {"path count after run", {CommandId::GridProperty, 29}, GridDone(false, 0), true},
    {"connectivity without graph", {CommandId::GridProperty, 9}, GridDone(false, 1), false},
    {"connectivity with graph", {CommandId::GridProperty, 9}, GridDone(true, 0), true},
    {"depth from cell with graph", {CommandId::GridProperty, 27}, GridDone(true, 0), true},
    {"controllability without graph", {CommandId::GridProperty, 28}, GridDone(false, 0), false},
    {"max radial with exact method", {CommandId::GridProperty, 13}, GridDone(true, 0), false},
    {"max radial with radial method", {CommandId::GridProperty, 13}, GridDone(false, 1), true},
    {"max radial with visibility polygon", {CommandId::GridProperty, 13}, GridDone(true, 2),
     false},
    {"area with visibility polygon", {CommandId::GridProperty, 0}, GridDone(false, 2), true},
    {"elongation before run", {CommandId::GridProperty, 16}, WithStage(3), false},
    {"cell properties without cell", {CommandId::GridCellProperties}, CommandContext{}, false},
    {"observation points need a path",
     {CommandId::CreateObservationPoints},
     PathState(-1, 0, 0, 2),
     false},
    {"observation points with path",
     {CommandId::CreateObservationPoints},
     PathState(0, 0, 0, 1),
     true},
    {"path isovist needs points", {CommandId::CreatePathIsovist}, PathState(0, 0, 0, 1), false},
    {"path isovist with points", {CommandId::CreatePathIsovist}, PathState(0, 3, 0, 1), true},
    {"path user defined without path", {CommandId::PathUserDefined}, PathState(-1, 3, 0, 1), false},
    {"view data needs isovists", {CommandId::ViewPathData}, PathState(0, 3, 0, 1), false},
    {"view angle with isovists", {CommandId::ApplyViewAngle}, PathState(0, 3, 3, 1), true},
    {"path export with isovists", {CommandId::PathExportCsv}, PathState(0, 3, 1, 1), true},
    {"path report without isovists", {CommandId::PathReport}, PathState(0, 3, 0, 1), false},
    {"path area with isovists", {CommandId::PathProperty, 1}, PathState(0, 3, 3, 1), true},
    {"path circularity with isovists", {CommandId::PathProperty, 7}, PathState(0, 3, 3, 1), true},
    {"path max radial exact", {CommandId::PathProperty, 11}, PathState(0, 3, 3, 1, 0), false},
    {"path max radial radial", {CommandId::PathProperty, 11}, PathState(0, 3, 3, 1, 1), true},
    {"path max radial visibility polygon", {CommandId::PathProperty, 11},
     PathState(0, 3, 3, 1, 2), false},
    {"all paths export without paths",
     {CommandId::PathExportAllCsv},
     PathState(-1, 0, 0, 0),
     false},
    {"all paths export with a path", {CommandId::PathExportAllCsv}, PathState(-1, 0, 0, 1), true},
    {"axial properties always", {CommandId::AxialProperty, 3}, CommandContext{}, true},
    {"pan always", {CommandId::Pan}, CommandContext{}, true},
    {"show toggle always", {CommandId::ShowToggle, 4}, CommandContext{}, true},
};

INSTANTIATE_TEST_SUITE_P(Rules, AvailabilityTest, testing::ValuesIn(kCases));

TEST(CommandChecks, ShowTogglesFollowTheirFlag) {
    CommandContext c;
    c.show[kShowGrid] = 1;
    c.show[kShowWalls] = 0;
    EXPECT_TRUE(CommandStateOf({CommandId::ShowToggle, kShowGrid}, c).checked);
    EXPECT_FALSE(CommandStateOf({CommandId::ShowToggle, kShowWalls}, c).checked);
    // Indices outside the 20 flags are never checked (and never read).
    EXPECT_FALSE(CommandStateOf({CommandId::ShowToggle, -1}, c).checked);
    EXPECT_FALSE(CommandStateOf({CommandId::ShowToggle, kShowFlagCount}, c).checked);
}

TEST(CommandChecks, PanFollowsPanMode) {
    CommandContext c;
    EXPECT_FALSE(CommandStateOf({CommandId::Pan}, c).checked);
    c.panMode = true;
    EXPECT_TRUE(CommandStateOf({CommandId::Pan}, c).checked);
}

TEST(CommandChecks, DisplayPropertyEntriesMarkTheShownOne) {
    CommandContext c = GridDone(true, 1);
    c.gridDisplayProperty = 21;
    c.axialDisplayProperty = 1;
    EXPECT_TRUE(CommandStateOf({CommandId::GridProperty, 21}, c).checked);
    EXPECT_FALSE(CommandStateOf({CommandId::GridProperty, 1}, c).checked);
    EXPECT_TRUE(CommandStateOf({CommandId::AxialProperty, 1}, c).checked);
    EXPECT_FALSE(CommandStateOf({CommandId::AxialProperty, 0}, c).checked);
}

}  // namespace
