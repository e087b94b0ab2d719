// The import with and without "Read arcs, old-style polylines and blocks", through the
// document and the layer dialog's model: what goes into the plan, what the dialog tells.
#include <gtest/gtest.h>

#include <map>

#include "document/CORVDoc.h"
#include "document/DxfDrawingAccount.h"
#include "document/tests/DxfTextBuilder.h"
#include "testing/FakeDocumentUi.h"

namespace {

using Points = std::vector<PlanPoint>;

class OptionUi : public FakeDocumentUi {
  public:
    bool readAllEntities = false;
    std::map<std::string, LayerRole> roleChanges;
    std::vector<LayerDialogModel> dialogs;

    bool chooseLayerRoles(LayerDialogModel& model) override {
        model.readAllEntities = readAllEntities;
        for (size_t i = 0; i < model.table.names.size(); ++i) {
            const auto change = roleChanges.find(model.table.names[i]);
            if (change != roleChanges.end()) {
                model.table.roles[i] = change->second;
            }
        }
        dialogs.push_back(model);
        return AcceptLayerChoice(model, *this);
    }
};

// A 10 × 10 boundary; on "walls" a line, a quarter ARC and a block of one line placed by an
// INSERT on "walls" (its line on layer 0); an old-style two-vertex POLYLINE; a SPLINE.
DxfTextBuilder MixedPlan() {
    DxfTextBuilder dxf;
    dxf.pair(0, "SECTION").pair(2, "HEADER").pair(9, "$INSUNITS").pair(70, "6");
    dxf.pair(0, "ENDSEC");
    dxf.layers({"0", "Boundary", "walls"});
    dxf.pair(0, "SECTION").pair(2, "BLOCKS");
    dxf.pair(0, "BLOCK").pair(8, "0").pair(2, "POST").pair(10, "0").pair(20, "0");
    dxf.line("0", {0, 0}, {1, 0});
    dxf.pair(0, "ENDBLK").pair(0, "ENDSEC");
    dxf.beginEntities();
    dxf.polyline("Boundary", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
    dxf.line("walls", {1, 1}, {2, 1});
    dxf.pair(0, "ARC").pair(8, "walls").pair(10, "5").pair(20, "5").pair(40, "2");
    dxf.pair(50, "0").pair(51, "90");
    dxf.pair(0, "INSERT").pair(8, "walls").pair(2, "POST").pair(10, "3").pair(20, "8");
    dxf.pair(50, "90");
    dxf.pair(0, "POLYLINE").pair(8, "walls").pair(66, "1");
    dxf.pair(0, "VERTEX").pair(8, "walls").pair(10, "8").pair(20, "1");
    dxf.pair(0, "VERTEX").pair(8, "walls").pair(10, "9").pair(20, "2");
    dxf.pair(0, "SEQEND");
    dxf.pair(0, "SPLINE").pair(8, "walls");
    dxf.endEntities().end();
    return dxf;
}

class AllEntitiesImport : public ::testing::Test {
  protected:
    OptionUi ui;
    CORVDoc doc{ui};
    TemporaryFile file{".dxf", MixedPlan().text()};
};

TEST_F(AllEntitiesImport, OffReadsWhatItAlwaysRead) {
    ASSERT_EQ(doc.ImportDxfFile(file.path()), CORVDoc::ImportOutcome::Imported);
    ASSERT_EQ(doc.m_planPolygons.count(), 2);  // the boundary and the line
    const LayerDialogModel& model = ui.dialogs.at(0);
    EXPECT_EQ(NotReadLines(model),
              (std::vector<std::string>{
                  "walls: 1 ARC not read; walls: 1 INSERT not read; walls: 1 POLYLINE not read; "
                  "walls: 1 SPLINE not read \u2014 turn on Read arcs, old-style polylines and "
                  "blocks"}));
    EXPECT_EQ(model.suggestedUnit, "Suggested unit: m (the drawing's $INSUNITS is 6)");
    // The user's unit is not changed by the suggestion.
    EXPECT_EQ(doc.m_settings.m_unit, 0);
}

TEST_F(AllEntitiesImport, OnReadsArcsBlocksAndOldPolylines) {
    ui.readAllEntities = true;
    ASSERT_EQ(doc.ImportDxfFile(file.path()), CORVDoc::ImportOutcome::Imported);
    // Boundary; the line; the POLYLINE's edge there and back (open, as for LWPOLYLINE); the
    // placed line; the arc's 8 pieces.
    ASSERT_EQ(doc.m_planPolygons.count(), 1 + 1 + 2 + 1 + 8);
    // Polylines first: the old-style one, open, gives its edge and the edge back.
    EXPECT_EQ(doc.m_planPolygons[1].count(), 2);
    // The block's line turned 90° at (3, 8): from (3, 8) to (3, 9).
    const PlanPolygon& placed = doc.m_planPolygons[4];
    ASSERT_EQ(placed.count(), 2);
    EXPECT_NEAR(std::min(placed[0].y, placed[1].y), 8, 1e-12);
    EXPECT_NEAR(std::max(placed[0].y, placed[1].y), 9, 1e-12);
    EXPECT_NEAR(placed[0].x, 3, 1e-12);
    // The arc's pieces join end to start: a chain from (7, 5) to (5, 7), no closing piece.
    double length = 0;
    for (int i = 5; i < 13; ++i) {
        const PlanPolygon& piece = doc.m_planPolygons[i];
        length += std::hypot(piece[1].x - piece[0].x, piece[1].y - piece[0].y);
    }
    // Eight chords of 11.25° on radius 2, each 2·2·sin(11.25° / 2): 32·sin(π/32).
    EXPECT_NEAR(length, 32 * std::sin(std::numbers::pi / 32), 1e-12);
    const LayerDialogModel& model = ui.dialogs.at(0);
    EXPECT_EQ(NotReadLines(model), (std::vector<std::string>{"walls: 1 SPLINE not read"}));
}

TEST_F(AllEntitiesImport, OnlyTheOptionsReadersChangeTheDroppedList) {
    // A LINE without its end and an ARC of radius 0 on walls; only the option lists the ARC.
    DxfTextBuilder dxf;
    dxf.layers({"Boundary", "walls"}).beginEntities();
    dxf.polyline("Boundary", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
    dxf.pair(0, "LINE").pair(8, "walls").pair(10, "0").pair(20, "0");
    dxf.pair(0, "ARC").pair(8, "walls").pair(10, "5").pair(20, "5").pair(40, "0");
    dxf.pair(50, "0").pair(51, "90").endEntities().end();
    TemporaryFile broken(".dxf", dxf.text());
    ASSERT_EQ(doc.ImportDxfFile(broken.path()), CORVDoc::ImportOutcome::Imported);
    LayerDialogModel model = ui.dialogs.at(0);
    EXPECT_EQ(DroppedEntityLines(model),
              (std::vector<std::string>{"LINE on layer \"walls\", line 59: no group 11, 21"}));
    model.readAllEntities = true;
    EXPECT_EQ(DroppedEntityLines(model),
              (std::vector<std::string>{
                  "LINE on layer \"walls\", line 59: no group 11",
                  "ARC on layer \"walls\", line 67: radius 0 (an arc needs a radius above 0)"}));
}

TEST(DxfDrawingAccount, SuggestedUnitsOfInsUnits) {
    struct Case {
        std::optional<int32_t> insUnits;
        std::string text;
    };
    const Case cases[] = {
        {std::nullopt, ""},
        {0, ""},
        {1, "Suggested unit: in (the drawing's $INSUNITS is 1)"},
        {2, "Suggested unit: ft (the drawing's $INSUNITS is 2)"},
        {4, "Suggested unit: mm (the drawing's $INSUNITS is 4)"},
        {5, "Suggested unit: cm (the drawing's $INSUNITS is 5)"},
        {6, "Suggested unit: m (the drawing's $INSUNITS is 6)"},
        {7, "The drawing's $INSUNITS is 7, which names none of mm, cm, m, in, ft"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SuggestedUnitText(c.insUnits), c.text);
    }
    EXPECT_EQ(ReadInsUnits("0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n9\n$INSUNITS\n70\n"
                           "5\n0\nENDSEC\n"),
              5);
    EXPECT_EQ(ReadInsUnits("0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n0\nENDSEC\n0\n"
                           "SECTION\n2\nENTITIES\n9\n$INSUNITS\n70\n5\n"),
              std::nullopt);
}

TEST(DxfDrawingAccount, CountsReadAndNotReadPerLayer) {
    DxfTextBuilder dxf;
    dxf.layers({"a", "b"}).beginEntities();
    dxf.line("a", {0, 0}, {1, 1}).line("A", {0, 0}, {1, 1});
    dxf.pair(0, "ARC").pair(8, "a").pair(10, "0").pair(20, "0").pair(40, "1").pair(50, "0");
    dxf.pair(51, "90");
    dxf.pair(0, "TEXT").pair(8, "b").pair(0, "LINE").pair(8, "b").pair(10, "x");
    dxf.endEntities().end();
    const DxfDrawing drawing(dxf.text());
    const auto reading = ReadAllEntities(drawing);
    const std::vector<std::string> names{"a", "b"};
    std::vector<LayerDrops> drops(2);
    drops[1].listed.resize(1);  // the LINE of "b" that is no number
    const auto off = CountLayerEntities(names, reading, drops, false);
    EXPECT_EQ(off[0].read, 2u);
    EXPECT_EQ(off[0].notRead, 1u);
    EXPECT_EQ(off[1].read, 0u);  // TEXT is left out; the broken LINE is not read
    EXPECT_EQ(off[1].notRead, 1u);
    const auto on = CountLayerEntities(names, reading, drops, true);
    EXPECT_EQ(on[0].read, 3u);
    EXPECT_EQ(on[0].notRead, 0u);
    EXPECT_EQ(NotReadAccount(names, reading, false),
              (std::vector<std::string>{
                  "a: 1 ARC not read \u2014 turn on Read arcs, old-style polylines and blocks"}));
    EXPECT_TRUE(NotReadAccount(names, reading, true).empty());
}

}  // namespace
