// The import on real drawings from the shared plan folder (skipped when it is not there).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "document/CORVDoc.h"
#include "document/DxfDrawing.h"
#include "testing/FakeDocumentUi.h"

namespace {

std::string PlanPath(const std::string& name) {
    return (std::filesystem::path(ORVELLE_PLANS_DIR) / name).string();
}

std::optional<DxfDrawing> LoadPlan(const std::string& name) {
    auto loaded = DxfDrawing::load(PlanPath(name));
    if (!std::holds_alternative<DxfDrawing>(loaded)) {
        return std::nullopt;
    }
    return std::get<DxfDrawing>(std::move(loaded));
}

#define REQUIRE_PLAN(drawing, name)                                 \
    const auto drawing = LoadPlan(name);                            \
    if (!drawing) {                                                 \
        GTEST_SKIP() << "the plan " << name << " is not available"; \
    }

TEST(DxfRealPlans, LayerTablesAndAutomaticRoles) {
    struct Case {
        const char* file;
        size_t layers;
        std::map<std::string, LayerRole> assigned;  // every layer not listed is Ignore
    };
    const Case cases[] = {
        {"barcelona_pavilion_plan.dxf",
         11,
         {{"Walls", LayerRole::Wall}, {"Defpoints", LayerRole::Point}}},
        {"barcelona_pavilion_plan_r12_blocks.dxf", 1, {}},
        {"depthmapx_rooms.dxf", 1, {}},
        {"depthmapx_gallery.dxf", 2, {}},
        {"jupedsim_einkaufsebene.dxf", 60, {}},
        {"jupedsim_gallery.dxf",
         7,
         {{"jps-walkablearea", LayerRole::Wall}, {"jps-waypoints", LayerRole::Point}}},
        {"rawseeds_bicocca_floor.dxf", 9, {{"semi_transparent_walls", LayerRole::Wall}}},
        {"tuebingen_sand_floor.dxf", 8, {{"walls", LayerRole::Wall}}},
    };
    for (const Case& c : cases) {
        REQUIRE_PLAN(drawing, c.file);
        const LayerTable table = MakeLayerTable(drawing->readLayerNames(), true);
        ASSERT_EQ(table.names.size(), c.layers) << c.file;
        for (int i = 0; i < table.count(); ++i) {
            const auto& name = table.names[static_cast<size_t>(i)];
            const auto expected = c.assigned.find(name);
            EXPECT_EQ(table.roles[static_cast<size_t>(i)],
                      expected == c.assigned.end() ? LayerRole::Ignore : expected->second)
                << c.file << ": " << name;
        }
    }
}

TEST(DxfRealPlans, EntityCountsPerLayer) {
    struct Case {
        const char* file;
        const char* layer;
        size_t polylines, lines, circles;
    };
    const Case cases[] = {
        {"barcelona_pavilion_plan.dxf", "Walls", 0, 60, 0},
        {"barcelona_pavilion_plan.dxf", "Furniture", 0, 201, 188},
        {"barcelona_pavilion_plan_r12_blocks.dxf", "0", 0, 0, 0},
        {"jupedsim_gallery.dxf", "jps-obstacles", 16, 1, 0},
        {"jupedsim_gallery.dxf", "jps-waypoints", 0, 0, 3},
        {"jupedsim_einkaufsebene.dxf", "Tueren", 0, 89, 0},
        {"jupedsim_einkaufsebene.dxf", "Raum_001", 0, 170, 0},
        {"rawseeds_bicocca_floor.dxf", "M", 20, 8577, 0},
        {"rawseeds_bicocca_floor.dxf", "stairwells", 22, 0, 0},
        {"tuebingen_sand_floor.dxf", "walls", 0, 731, 0},
        {"tuebingen_sand_floor.dxf", "valid_area", 1, 0, 0},
    };
    for (const Case& c : cases) {
        REQUIRE_PLAN(drawing, c.file);
        EXPECT_EQ(drawing->readPolylines(c.layer).size(), c.polylines) << c.file << " " << c.layer;
        EXPECT_EQ(drawing->readLines(c.layer).size(), c.lines) << c.file << " " << c.layer;
        EXPECT_EQ(drawing->readCircles(c.layer).size(), c.circles) << c.file << " " << c.layer;
    }
}

TEST(DxfRealPlans, AllLinesOfTheShoppingLevelAcrossItsSixtyLayers) {
    REQUIRE_PLAN(drawing, "jupedsim_einkaufsebene.dxf");
    size_t lines = 0;
    for (const std::string& layer : drawing->readLayerNames()) {
        lines += drawing->readLines(layer).size();
    }
    EXPECT_EQ(lines, 651u);
}

TEST(DxfRealPlans, TheWalkableAreaStartsWithADegeneratePolyline) {
    REQUIRE_PLAN(drawing, "jupedsim_gallery.dxf");
    const auto polylines = drawing->readPolylines("jps-walkablearea");
    ASSERT_EQ(polylines.size(), 2u);
    EXPECT_EQ(polylines[0].vertices.size(), 4u);
    EXPECT_EQ(polylines[0].vertices[0], polylines[0].vertices[3]);
    EXPECT_EQ(polylines[1].vertices.size(), 191u);
    EXPECT_EQ(polylines[1].closedFlag, 129);
}

TEST(DxfRealPlans, NoEntityOfTheRealPlansIsDropped) {
    for (const char* file :
         {"barcelona_pavilion_plan.dxf", "barcelona_pavilion_plan_r12_blocks.dxf",
          "depthmapx_gallery.dxf", "depthmapx_rooms.dxf", "jupedsim_einkaufsebene.dxf",
          "jupedsim_gallery.dxf", "rawseeds_bicocca_floor.dxf", "tuebingen_sand_floor.dxf",
          "vga_rooms_100x100.dxf"}) {
        REQUIRE_PLAN(drawing, file);
        std::vector<std::string> dropped;
        drawing->readDroppedEntities(
            [&](DxfDroppedEntity&& e) { dropped.push_back(DxfDroppedEntityText(e)); });
        EXPECT_EQ(dropped, std::vector<std::string>{}) << file;
    }
}

class LayerChoiceUi : public FakeDocumentUi {
  public:
    std::map<std::string, LayerRole> roles;  // by name; "*" prefix: every layer starting so
    bool chooseLayerRoles(LayerDialogModel& model) override {
        for (size_t i = 0; i < model.table.names.size(); ++i) {
            for (const auto& [name, role] : roles) {
                const std::string& layer = model.table.names[i];
                const bool prefix = name.front() == '*' && layer.rfind(name.substr(1), 0) == 0;
                if (prefix || layer == name) {
                    model.table.roles[i] = role;
                }
            }
        }
        return AcceptLayerChoice(model, *this);
    }
};

TEST(DxfRealPlans, FullImports) {
    struct Case {
        const char* file;
        std::map<std::string, LayerRole> roles;
        std::deque<bool> answers;
        CORVDoc::ImportOutcome outcome;
        int32_t boundaryVertices;
        int32_t polygons;
    };
    using R = LayerRole;
    using O = CORVDoc::ImportOutcome;
    const Case cases[] = {
        // The valid area's closed outline of 24 vertices, the last repeating the first, and
        // every wall line.
        {"tuebingen_sand_floor.dxf",
         {{"valid_area", R::Boundary}, {"walls", R::Wall}},
         {},
         O::Imported,
         23,
         1 + 731},
        // An empty boundary layer: the rectangle around the 60 wall lines.
        {"barcelona_pavilion_plan.dxf",
         {{"Defpoints", R::Boundary}},
         {true},
         O::Imported,
         4,
         1 + 60},
        // Everything lies in blocks: there is nothing to put a boundary around.
        // (Answers: continue without walls; create a boundary.)
        {"barcelona_pavilion_plan_r12_blocks.dxf",
         {{"0", R::Boundary}},
         {true, true},
         O::Failed,
         0,
         0},
        // Rooms as walls, the doors too; a boundary made around them.
        {"jupedsim_einkaufsebene.dxf",
         {{"*Raum_", R::Wall}, {"Tueren", R::Wall}, {"Hilfslinien", R::Boundary}},
         {true},
         O::Imported,
         4,
         1 + 651 - 11 - 9 - 1},
        // The degenerate first polyline passes as a boundary of three equal vertices.
        {"jupedsim_gallery.dxf",
         {{"jps-walkablearea", R::Boundary}, {"jps-obstacles", R::Wall}},
         {},
         O::Imported,
         3,
         1 + 16 + 1},
    };
    for (const Case& c : cases) {
        REQUIRE_PLAN(drawing, c.file);
        LayerChoiceUi ui;
        ui.roles = c.roles;
        ui.yesNoAnswers = c.answers;
        CORVDoc doc(ui);
        EXPECT_EQ(doc.ImportDxfFile(PlanPath(c.file)), c.outcome) << c.file;
        if (c.outcome == O::Imported) {
            EXPECT_TRUE(ui.messages.empty()) << c.file;  // nothing dropped, nothing crossing
        }
        EXPECT_EQ(doc.m_planPolygons.count(), c.polygons) << c.file;
        if (c.polygons > 0) {
            EXPECT_EQ(doc.m_planPolygons[0].count(), c.boundaryVertices) << c.file;
            EXPECT_EQ(doc.m_wallSegmentCount, doc.m_wallVertexCount) << c.file;
        }
    }
}

TEST(DxfRealPlans, LargeFloorWithOpenAndClosedPolylines) {
    REQUIRE_PLAN(drawing, "rawseeds_bicocca_floor.dxf");
    size_t openEdges = 0, closed = 0;
    for (const DxfPolyline& polyline : drawing->readPolylines("M")) {
        if (polyline.closedFlag != 0) {
            ++closed;
        } else {
            openEdges += polyline.vertices.size();
        }
    }
    EXPECT_EQ(closed, 18u);
    LayerChoiceUi ui;
    ui.roles = {{"valid_area", LayerRole::Boundary}, {"M", LayerRole::Wall}};
    CORVDoc doc(ui);
    ASSERT_EQ(doc.ImportDxfFile(PlanPath("rawseeds_bicocca_floor.dxf")),
              CORVDoc::ImportOutcome::Imported);
    // The glass walls (8 closed polylines) keep their automatic Wall role.
    EXPECT_EQ(doc.m_planPolygons.count(), static_cast<int32_t>(1 + 18 + openEdges + 8577 + 8));
    EXPECT_GT(doc.m_wallSegmentCount, 8577 * 2);
    EXPECT_TRUE(ui.questions.empty());
}

}  // namespace
