// The shared real drawings with "Read arcs, old-style polylines and blocks" (skipped when the
// plan folder is not there).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "document/CORVDoc.h"
#include "document/DxfAllEntities.h"
#include "testing/FakeDocumentUi.h"

namespace {

std::string PlanPath(const std::string& name) {
    return (std::filesystem::path(ORVELLE_PLANS_DIR) / name).string();
}

#define REQUIRE_PLAN(name)                                          \
    if (!std::filesystem::exists(PlanPath(name))) {                 \
        GTEST_SKIP() << "the plan " << name << " is not available"; \
    }

class RolesUi : public FakeDocumentUi {
  public:
    bool readAllEntities = false;
    std::map<std::string, LayerRole> roles;  // the others Ignore

    bool chooseLayerRoles(LayerDialogModel& model) override {
        model.readAllEntities = readAllEntities;
        for (size_t i = 0; i < model.table.names.size(); ++i) {
            const auto role = roles.find(model.table.names[i]);
            model.table.roles[i] = role == roles.end() ? LayerRole::Ignore : role->second;
        }
        return AcceptLayerChoice(model, *this);
    }
};

const DxfLayerShapes& LayerOf(const DxfAllEntitiesReading& reading, const std::string& name) {
    return reading.layer(name);
}

DxfAllEntitiesReading ReadPlan(const std::string& name) {
    auto loaded = DxfDrawing::load(PlanPath(name));
    return ReadAllEntities(std::get<DxfDrawing>(loaded));
}

TEST(DxfRealPlansAllEntities, TuebingenRoomNoLongerLeaksThroughItsRoundedCorner) {
    REQUIRE_PLAN("tuebingen_sand_floor.dxf");
    // A room in the north of the floor: walls x = 37.2624949683 (west) to 43.19 (east), y = 35.94
    // (north), and a bar along y = 34.41 from the west wall to x = 40.70, its corner at the west
    // wall rounded by ARCs. Without them the corner is a gap through which the view runs south
    // through the next rooms.
    const PlanPoint at{37.4, 35.3};
    double areas[2] = {0, 0};
    PlanExtent seen[2];
    for (const bool allEntities : {false, true}) {
        RolesUi ui;
        ui.readAllEntities = allEntities;
        ui.roles = {{"valid_area", LayerRole::Boundary}, {"walls", LayerRole::Wall}};
        CORVDoc doc(ui);
        ASSERT_EQ(doc.ImportDxfFile(PlanPath("tuebingen_sand_floor.dxf")),
                  CORVDoc::ImportOutcome::Imported);
        doc.ComputePointIsovist(at.x, at.y);
        doc.MeasurePointIsovist();
        const PlanPolygon& polygon = doc.m_pointIsovist.polygon;
        ASSERT_GT(polygon.count(), 2);
        PlanExtent& e = seen[allEntities];
        e = {polygon[0].x, polygon[0].x, polygon[0].y, polygon[0].y};
        for (const PlanPoint& p : polygon.points()) {
            e = {std::min(e.minX, p.x), std::max(e.maxX, p.x), std::min(e.minY, p.y),
                 std::max(e.maxY, p.y)};
        }
        areas[allEntities] = doc.m_pointIsovist.area;
    }
    // Off: the view leaves the room far to the south.
    EXPECT_LT(seen[0].minY, 20.0);
    EXPECT_GT(areas[0], 25.0);
    // On: it stays between the room's walls; the part north of the bar alone is
    // (43.19 − 37.26249) × (35.94 − 34.41) = 9.069, and past the bar's end the view dips a
    // little further south towards the east wall.
    EXPECT_GE(seen[1].minX, 37.2624949683 - 1e-9);
    EXPECT_LE(seen[1].maxX, 43.19 + 1e-9);
    EXPECT_LE(seen[1].maxY, 35.94 + 1e-9);
    EXPECT_GT(seen[1].minY, 33.5);
    EXPECT_GT(areas[1], 9.069);
    EXPECT_LT(areas[1], 10.0);
}

TEST(DxfRealPlansAllEntities, BarcelonaBlocksGiveTheWholePlan) {
    REQUIRE_PLAN("barcelona_pavilion_plan_r12_blocks.dxf");
    REQUIRE_PLAN("barcelona_pavilion_plan.dxf");
    const auto blocks = ReadPlan("barcelona_pavilion_plan_r12_blocks.dxf");
    const DxfLayerShapes& zero = LayerOf(blocks, "0");
    // The two INSERTs on layer 0 place the 3,988 LINEs of their blocks.
    EXPECT_EQ(zero.lines.size(), 3988u);
    EXPECT_TRUE(zero.polylines.empty());
    EXPECT_TRUE(blocks.dropped.empty());
    EXPECT_TRUE(blocks.limitNotes.empty());
    PlanExtent e{INFINITY, -INFINITY, INFINITY, -INFINITY};
    for (const PlanSegment& line : zero.lines) {
        for (const PlanPoint& p : {line.start, line.end}) {
            e = {std::min(e.minX, p.x), std::max(e.maxX, p.x), std::min(e.minY, p.y),
                 std::max(e.maxY, p.y)};
        }
    }
    // The same building as the other drawing (in m, 52 × 22.75 m in all), here in mm:
    // its width and height agree to within 1 %.
    const auto plan = ReadPlan("barcelona_pavilion_plan.dxf");
    PlanExtent p{INFINITY, -INFINITY, INFINITY, -INFINITY};
    for (const auto& [name, shapes] : plan.layers) {
        for (const PlanSegment& line : shapes.lines) {
            for (const PlanPoint& q : {line.start, line.end}) {
                p = {std::min(p.minX, q.x), std::max(p.maxX, q.x), std::min(p.minY, q.y),
                     std::max(p.maxY, q.y)};
            }
        }
    }
    std::printf("blocks extent %.3f %.3f %.3f %.3f; plan extent %.4f %.4f %.4f %.4f\n", e.minX,
                e.maxX, e.minY, e.maxY, p.minX, p.maxX, p.minY, p.maxY);
    EXPECT_NEAR((e.maxX - e.minX) / 1000.0, p.maxX - p.minX, 0.01 * (p.maxX - p.minX));
}

TEST(DxfRealPlansAllEntities, BicoccaReadsItsOldStylePolylines) {
    REQUIRE_PLAN("rawseeds_bicocca_floor.dxf");
    const auto reading = ReadPlan("rawseeds_bicocca_floor.dxf");
    const DxfLayerShapes& walls = LayerOf(reading, "M");
    // 20 LWPOLYLINEs and 27 two-vertex POLYLINEs, 8,577 LINEs.
    ASSERT_EQ(walls.polylines.size(), 47u);
    size_t twoVertex = 0;
    for (const DxfPolyline& polyline : walls.polylines) {
        twoVertex += polyline.vertices.size() == 2 && polyline.closedFlag == 0;
    }
    EXPECT_GE(twoVertex, 27u);
    EXPECT_EQ(walls.lines.size(), 8577u);
    EXPECT_TRUE(reading.dropped.empty());
}

}  // namespace
