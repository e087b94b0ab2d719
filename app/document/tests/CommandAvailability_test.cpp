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

CommandContext withStage(int32_t stage) {
    CommandContext c;
    c.gridStage = stage;
    return c;
}

CommandContext gridDone(bool graph, int32_t method) {
    CommandContext c = withStage(7);
    c.graphMeasuresCalculated = graph;
    c.isovistMethod = method;
    return c;
}

CommandContext pathState(int32_t current, int32_t points, int32_t isovists, int32_t paths,
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
    EXPECT_EQ(commandState(c.command, c.context).enabled, c.enabled) << c.name;
}

const AvailabilityCase kCases[] = {
    {"grid options always", {CommandId::GridOptions}, CommandContext{}, true},
    {"initialise needs options", {CommandId::InitializeGrid}, withStage(0), false},
    {"initialise after options", {CommandId::InitializeGrid}, withStage(1), true},
    {"initialise with only bit 2", {CommandId::InitializeGrid}, withStage(2), false},
    {"create needs initialised", {CommandId::CreateGridIsovist}, withStage(1), false},
    {"create after initialise", {CommandId::CreateGridIsovist}, withStage(3), true},
    {"export needs results", {CommandId::GridExportCsv}, withStage(3), false},
    {"export after run", {CommandId::GridExportCsv}, withStage(7), true},
    {"report after run", {CommandId::GridReport}, withStage(4), true},
    {"grid user defined before run", {CommandId::GridUserDefined}, withStage(3), false},
    {"area after run", {CommandId::GridProperty, 1}, gridDone(false, 0), true},
    {"path count after run", {CommandId::GridProperty, 29}, gridDone(false, 0), true},
    {"connectivity without graph", {CommandId::GridProperty, 9}, gridDone(false, 1), false},
    {"connectivity with graph", {CommandId::GridProperty, 9}, gridDone(true, 0), true},
    {"depth from cell with graph", {CommandId::GridProperty, 27}, gridDone(true, 0), true},
    {"controllability without graph", {CommandId::GridProperty, 28}, gridDone(false, 0), false},
    {"max radial with exact method", {CommandId::GridProperty, 13}, gridDone(true, 0), false},
    {"max radial with radial method", {CommandId::GridProperty, 13}, gridDone(false, 1), true},
    {"max radial with visibility polygon", {CommandId::GridProperty, 13}, gridDone(true, 2),
     false},
    {"area with visibility polygon", {CommandId::GridProperty, 0}, gridDone(false, 2), true},
    {"elongation before run", {CommandId::GridProperty, 16}, withStage(3), false},
    {"cell properties without cell", {CommandId::GridCellProperties}, CommandContext{}, false},
    {"observation points need a path",
     {CommandId::CreateObservationPoints},
     pathState(-1, 0, 0, 2),
     false},
    {"observation points with path",
     {CommandId::CreateObservationPoints},
     pathState(0, 0, 0, 1),
     true},
    {"path isovist needs points", {CommandId::CreatePathIsovist}, pathState(0, 0, 0, 1), false},
    {"path isovist with points", {CommandId::CreatePathIsovist}, pathState(0, 3, 0, 1), true},
    {"path user defined without path", {CommandId::PathUserDefined}, pathState(-1, 3, 0, 1), false},
    {"view data needs isovists", {CommandId::ViewPathData}, pathState(0, 3, 0, 1), false},
    {"view angle with isovists", {CommandId::ApplyViewAngle}, pathState(0, 3, 3, 1), true},
    {"path export with isovists", {CommandId::PathExportCsv}, pathState(0, 3, 1, 1), true},
    {"path report without isovists", {CommandId::PathReport}, pathState(0, 3, 0, 1), false},
    {"path area with isovists", {CommandId::PathProperty, 1}, pathState(0, 3, 3, 1), true},
    {"path circularity with isovists", {CommandId::PathProperty, 7}, pathState(0, 3, 3, 1), true},
    {"path max radial exact", {CommandId::PathProperty, 11}, pathState(0, 3, 3, 1, 0), false},
    {"path max radial radial", {CommandId::PathProperty, 11}, pathState(0, 3, 3, 1, 1), true},
    {"path max radial visibility polygon", {CommandId::PathProperty, 11},
     pathState(0, 3, 3, 1, 2), false},
    {"all paths export without paths",
     {CommandId::PathExportAllCsv},
     pathState(-1, 0, 0, 0),
     false},
    {"all paths export with a path", {CommandId::PathExportAllCsv}, pathState(-1, 0, 0, 1), true},
    {"axial properties always", {CommandId::AxialProperty, 3}, CommandContext{}, true},
    {"pan always", {CommandId::Pan}, CommandContext{}, true},
    {"show toggle always", {CommandId::ShowToggle, 4}, CommandContext{}, true},
};

INSTANTIATE_TEST_SUITE_P(Rules, AvailabilityTest, testing::ValuesIn(kCases));

TEST(CommandChecks, ShowTogglesFollowTheirFlag) {
    CommandContext c;
    c.show[kShowGrid] = 1;
    c.show[kShowWalls] = 0;
    EXPECT_TRUE(commandState({CommandId::ShowToggle, kShowGrid}, c).checked);
    EXPECT_FALSE(commandState({CommandId::ShowToggle, kShowWalls}, c).checked);
    // Indices outside the 20 flags are never checked (and never read).
    EXPECT_FALSE(commandState({CommandId::ShowToggle, -1}, c).checked);
    EXPECT_FALSE(commandState({CommandId::ShowToggle, kShowFlagCount}, c).checked);
}

TEST(CommandChecks, PanFollowsPanMode) {
    CommandContext c;
    EXPECT_FALSE(commandState({CommandId::Pan}, c).checked);
    c.panMode = true;
    EXPECT_TRUE(commandState({CommandId::Pan}, c).checked);
}

TEST(CommandChecks, DisplayPropertyEntriesMarkTheShownOne) {
    CommandContext c = gridDone(true, 1);
    c.gridDisplayProperty = 21;
    c.axialDisplayProperty = 1;
    EXPECT_TRUE(commandState({CommandId::GridProperty, 21}, c).checked);
    EXPECT_FALSE(commandState({CommandId::GridProperty, 1}, c).checked);
    EXPECT_TRUE(commandState({CommandId::AxialProperty, 1}, c).checked);
    EXPECT_FALSE(commandState({CommandId::AxialProperty, 0}, c).checked);
}

}  // namespace
