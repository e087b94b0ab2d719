// The reading with "Read arcs, old-style polylines and blocks": each entity kind, placed
// blocks worked out by hand, layer 0 inheritance, mirroring, and the bounds against hostile
// drawings.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "document/DxfAllEntities.h"
#include "document/tests/DxfTextBuilder.h"

namespace {

constexpr double kNear = 1e-9;

DxfAllEntitiesReading ReadDrawing(const DxfTextBuilder& dxf) {
    return ReadAllEntities(DxfDrawing(dxf.text()));
}

// A block definition of the given entities (as text), its base point at `base`.
DxfTextBuilder& DefineBlock(DxfTextBuilder& dxf, const std::string& name, PlanPoint base,
                      const std::function<void(DxfTextBuilder&)>& entities) {
    dxf.pair(0, "BLOCK").pair(8, "0").pair(2, name).pair(70, "0");
    dxf.pair(10, std::to_string(base.x)).pair(20, std::to_string(base.y));
    entities(dxf);
    return dxf.pair(0, "ENDBLK").pair(8, "0");
}

struct Insert {
    std::string block, layer = "0";
    PlanPoint at{0, 0};
    double sx = 1, sy = 1, rotation = 0;
    int columns = 1, rows = 1;
    double columnSpacing = 0, rowSpacing = 0;
    double extrusionZ = 1;
};

DxfTextBuilder& PlaceInsert(DxfTextBuilder& dxf, const Insert& i) {
    dxf.pair(0, "INSERT").pair(8, i.layer).pair(2, i.block);
    dxf.pair(10, std::to_string(i.at.x)).pair(20, std::to_string(i.at.y));
    dxf.pair(41, std::to_string(i.sx)).pair(42, std::to_string(i.sy));
    dxf.pair(50, std::to_string(i.rotation));
    if (i.columns != 1 || i.rows != 1) {
        dxf.pair(70, std::to_string(i.columns)).pair(71, std::to_string(i.rows));
        dxf.pair(44, std::to_string(i.columnSpacing)).pair(45, std::to_string(i.rowSpacing));
    }
    if (i.extrusionZ != 1) {
        dxf.pair(210, "0").pair(220, "0").pair(230, std::to_string(i.extrusionZ));
    }
    return dxf;
}

DxfTextBuilder& WriteArc(DxfTextBuilder& dxf, const std::string& layer, PlanPoint c, double r,
                    const std::string& start, const std::string& end) {
    dxf.pair(0, "ARC").pair(8, layer).pair(10, std::to_string(c.x)).pair(20, std::to_string(c.y));
    return dxf.pair(40, std::to_string(r)).pair(50, start).pair(51, end);
}

DxfTextBuilder WithBlocks(const std::function<void(DxfTextBuilder&)>& blocks,
                          const std::function<void(DxfTextBuilder&)>& entities) {
    DxfTextBuilder dxf;
    dxf.layers({"0", "walls"});
    dxf.pair(0, "SECTION").pair(2, "BLOCKS");
    blocks(dxf);
    dxf.pair(0, "ENDSEC").beginEntities();
    entities(dxf);
    dxf.endEntities().end();
    return dxf;
}

void ExpectSegment(const PlanSegment& s, PlanPoint a, PlanPoint b, const std::string& what) {
    EXPECT_NEAR(s.start.x, a.x, kNear) << what;
    EXPECT_NEAR(s.start.y, a.y, kNear) << what;
    EXPECT_NEAR(s.end.x, b.x, kNear) << what;
    EXPECT_NEAR(s.end.y, b.y, kNear) << what;
}

TEST(DxfAllEntities, AQuarterArcIsAChainFromStartToEnd) {
    DxfTextBuilder dxf;
    dxf.layers({"walls"}).beginEntities();
    WriteArc(dxf, "walls", {10, 20}, 5, "90", "180");
    dxf.endEntities().end();
    const auto reading = ReadDrawing(dxf);
    const auto& arcs = reading.layer("WALLS").arcs;
    ASSERT_EQ(arcs.size(), 1u);
    ASSERT_EQ(arcs[0].size(), 9u);
    EXPECT_NEAR(arcs[0].front().x, 10, kNear);
    EXPECT_NEAR(arcs[0].front().y, 25, kNear);
    EXPECT_NEAR(arcs[0].back().x, 5, kNear);
    EXPECT_NEAR(arcs[0].back().y, 20, kNear);
    EXPECT_TRUE(reading.dropped.empty());
}

TEST(DxfAllEntities, UnreadableArcsAreDroppedWithTheirReason) {
    struct Case {
        std::string radius, start, end;
        DxfDropReason reason;
    };
    const Case cases[] = {
        {"0", "0", "90", DxfDropReason::Refused},
        {"-1", "0", "90", DxfDropReason::Refused},
        {"1e300", "0", "90", DxfDropReason::OutOfRange},
        {"1", "nan", "90", DxfDropReason::OutOfRange},
        {"1", "0", "inf", DxfDropReason::OutOfRange},
        {"1", "zero", "90", DxfDropReason::NotANumber},
    };
    for (const Case& c : cases) {
        DxfTextBuilder dxf;
        dxf.layers({"walls"}).beginEntities();
        dxf.pair(0, "ARC").pair(8, "walls").pair(10, "0").pair(20, "0").pair(40, c.radius);
        dxf.pair(50, c.start).pair(51, c.end).endEntities().end();
        const auto reading = ReadDrawing(dxf);
        EXPECT_TRUE(reading.layer("walls").arcs.empty()) << c.radius;
        ASSERT_EQ(reading.dropped.size(), 1u) << c.radius;
        EXPECT_EQ(reading.dropped[0].kind, DxfEntityKind::Arc);
        EXPECT_EQ(reading.dropped[0].reason, c.reason) << c.radius << " " << c.start;
    }
}

TEST(DxfAllEntities, OldStylePolylinesWithBulgesAndClosedFlag) {
    DxfTextBuilder dxf;
    dxf.layers({"walls"}).beginEntities();
    // Closed square with a bulge of 1 on its last piece; then an open two-vertex piece; then
    // one never ended by SEQEND.
    dxf.pair(0, "POLYLINE").pair(8, "walls").pair(66, "1").pair(70, "1");
    const PlanPoint square[] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    for (int i = 0; i < 4; ++i) {
        dxf.pair(0, "VERTEX").pair(8, "walls").pair(10, std::to_string(square[i].x));
        dxf.pair(20, std::to_string(square[i].y));
        if (i == 3) {
            dxf.pair(42, "1");
        }
    }
    dxf.pair(0, "SEQEND").pair(8, "walls");
    dxf.pair(0, "POLYLINE").pair(8, "walls").pair(66, "1");
    dxf.pair(0, "VERTEX").pair(8, "walls").pair(10, "5").pair(20, "5");
    dxf.pair(0, "VERTEX").pair(8, "walls").pair(10, "6").pair(20, "5");
    dxf.pair(0, "SEQEND");
    dxf.pair(0, "POLYLINE").pair(8, "walls").pair(66, "1");
    dxf.pair(0, "VERTEX").pair(8, "walls").pair(10, "7").pair(20, "5");
    dxf.line("walls", {0, 9}, {1, 9});
    dxf.endEntities().end();
    const auto reading = ReadDrawing(dxf);
    const auto& polylines = reading.layer("walls").polylines;
    ASSERT_EQ(polylines.size(), 2u);
    EXPECT_EQ(polylines[0].closedFlag, 1);
    ASSERT_EQ(polylines[0].vertices.size(), 4u + 15u);
    EXPECT_NEAR(polylines[0].vertices[4 + 7].x, -1, kNear);  // the half circle's middle
    EXPECT_NEAR(polylines[0].vertices[4 + 7].y, 1, kNear);
    EXPECT_EQ(polylines[1].closedFlag, 0);
    EXPECT_EQ(polylines[1].vertices.size(), 2u);
    EXPECT_EQ(reading.layer("walls").lines.size(), 1u);
    ASSERT_EQ(reading.dropped.size(), 1u);
    EXPECT_EQ(reading.dropped[0].kind, DxfEntityKind::OldPolyline);
    EXPECT_EQ(reading.dropped[0].detail, "no SEQEND after its vertices");
}

TEST(DxfAllEntities, LwPolylineBulgesBecomeArcs) {
    DxfTextBuilder dxf;
    dxf.layers({"walls"}).beginEntities();
    dxf.pair(0, "LWPOLYLINE").pair(8, "walls").pair(90, "2").pair(70, "0");
    dxf.pair(10, "0").pair(20, "0").pair(42, "-1").pair(10, "2").pair(20, "0");
    dxf.endEntities().end();
    const auto reading = ReadDrawing(dxf);
    const auto& polylines = reading.layer("walls").polylines;
    ASSERT_EQ(polylines.size(), 1u);
    ASSERT_EQ(polylines[0].vertices.size(), 17u);
    EXPECT_NEAR(polylines[0].vertices[8].x, 1, kNear);  // clockwise: over the chord
    EXPECT_NEAR(polylines[0].vertices[8].y, 1, kNear);
}

// A unit block: one LINE from (1, 0) to (2, 0) on layer 0 and a LINE on layer "walls".
void UnitBlock(DxfTextBuilder& dxf, const std::string& name, PlanPoint base = {0, 0}) {
    DefineBlock(dxf, name, base, [](DxfTextBuilder& b) {
        b.line("0", {1, 0}, {2, 0});
        b.line("walls", {0, 1}, {0, 2});
    });
}

TEST(DxfAllEntities, PlacedBlocksScaledTurnedMovedAndMirrored) {
    struct Case {
        Insert insert;
        PlanPoint base;
        PlanSegment expected;  // the layer-0 line as placed
        const char* what;
    };
    const Case cases[] = {
        {{"B", "doors", {10, 20}}, {0, 0}, {{11, 20}, {12, 20}}, "moved"},
        {{"B", "doors", {10, 20}, 2, 3}, {0, 0}, {{12, 20}, {14, 20}}, "scaled"},
        // Turned 90° then scaled 2 in x: (1, 0) → (2, 0) → (0, 2).
        {{"B", "doors", {10, 20}, 2, 3, 90}, {0, 0}, {{10, 22}, {10, 24}}, "scaled and turned"},
        // The base point (1, 0) goes to the insertion point.
        {{"B", "doors", {10, 20}}, {1, 0}, {{10, 20}, {11, 20}}, "base point"},
        // An extrusion towards −z mirrors x, the insertion point too.
        {{"B", "doors", {10, 20}, 1, 1, 0, 1, 1, 0, 0, -1},
         {0, 0},
         {{-11, 20}, {-12, 20}},
         "mirrored"},
    };
    for (const Case& c : cases) {
        const auto dxf = WithBlocks([&](DxfTextBuilder& d) { UnitBlock(d, "B", c.base); },
                                    [&](DxfTextBuilder& d) { PlaceInsert(d, c.insert); });
        const auto reading = ReadDrawing(dxf);
        // Layer 0 inside the block takes the INSERT's layer; other layers stay.
        ASSERT_EQ(reading.layer("doors").lines.size(), 1u) << c.what;
        ExpectSegment(reading.layer("doors").lines[0], c.expected.start, c.expected.end, c.what);
        EXPECT_EQ(reading.layer("walls").lines.size(), 1u) << c.what;
        EXPECT_TRUE(reading.layer("0").lines.empty()) << c.what;
    }
}

TEST(DxfAllEntities, NestedBlocksComposeTheirPlacements) {
    // Inner: the unit block. Outer: the inner at (5, 0) turned 90°, on layer 0. The drawing:
    // the outer at (100, 0) scaled 2, on layer "doors"; then the inner block alone.
    const auto dxf = WithBlocks(
        [](DxfTextBuilder& d) {
            UnitBlock(d, "INNER");
            DefineBlock(d, "OUTER", {0, 0}, [](DxfTextBuilder& b) {
                PlaceInsert(b, {"inner", "0", {5, 0}, 1, 1, 90});
            });
        },
        [](DxfTextBuilder& d) {
            PlaceInsert(d, {"OUTER", "doors", {100, 0}, 2, 2});
            PlaceInsert(d, {"INNER", "0", {0, 0}});
        });
    const auto reading = ReadDrawing(dxf);
    // (1, 0) → turned (0, 1) → moved (5, 1) → scaled (10, 2) → moved (110, 2).
    ASSERT_EQ(reading.layer("doors").lines.size(), 1u);
    ExpectSegment(reading.layer("doors").lines[0], {110, 2}, {110, 4}, "nested");
    // The block's own "walls" line, twice: through the outer block, and alone.
    ASSERT_EQ(reading.layer("walls").lines.size(), 2u);
    ExpectSegment(reading.layer("walls").lines[0], {108, 0}, {106, 0}, "nested walls line");
    ASSERT_EQ(reading.layer("0").lines.size(), 1u);
    EXPECT_TRUE(reading.dropped.empty());
}

TEST(DxfAllEntities, ArraysPlaceEveryCopy) {
    const auto dxf = WithBlocks([](DxfTextBuilder& d) { UnitBlock(d, "B"); },
                                [](DxfTextBuilder& d) {
                                    PlaceInsert(d, {"B", "doors", {0, 0}, 1, 1, 0, 3, 2, 10, 100});
                                });
    const auto reading = ReadDrawing(dxf);
    const auto& lines = reading.layer("doors").lines;
    ASSERT_EQ(lines.size(), 6u);
    ExpectSegment(lines[0], {1, 0}, {2, 0}, "first");
    ExpectSegment(lines[2], {21, 0}, {22, 0}, "third column");
    ExpectSegment(lines[5], {21, 100}, {22, 100}, "last");
}

TEST(DxfAllEntities, PlacedCirclesAndArcsFollowTheBlock) {
    const auto dxf = WithBlocks(
        [](DxfTextBuilder& d) {
            DefineBlock(d, "C", {0, 0}, [](DxfTextBuilder& b) {
                b.circle("0", {1, 0}, 1);
                WriteArc(b, "0", {0, 0}, 1, "0", "90");
            });
        },
        [](DxfTextBuilder& d) {
            PlaceInsert(d, {"C", "w", {0, 0}, 2, 1, 90});
        });
    const auto reading = ReadDrawing(dxf);
    const auto& shapes = reading.layer("w");
    ASSERT_EQ(shapes.circles.size(), 1u);
    EXPECT_NEAR(shapes.circles[0].centre.x, 0, kNear);
    EXPECT_NEAR(shapes.circles[0].centre.y, 2, kNear);
    ASSERT_EQ(shapes.arcs.size(), 1u);
    // (1, 0) → scaled (2, 0) → turned (0, 2); (0, 1) → (0, 1) → (−1, 0).
    EXPECT_NEAR(shapes.arcs[0].front().x, 0, kNear);
    EXPECT_NEAR(shapes.arcs[0].front().y, 2, kNear);
    EXPECT_NEAR(shapes.arcs[0].back().x, -1, kNear);
    EXPECT_NEAR(shapes.arcs[0].back().y, 0, kNear);
}

TEST(DxfAllEntities, BlocksThatCannotBePlacedAreRefused) {
    struct Case {
        std::function<void(DxfTextBuilder&)> blocks;
        std::string detail;
    };
    const Case cases[] = {
        {[](DxfTextBuilder& d) { UnitBlock(d, "B"); }, "no block named \"MISSING\""},
        {[](DxfTextBuilder& d) {
             DefineBlock(d, "MISSING", {0, 0}, [](DxfTextBuilder& b) { PlaceInsert(b, {"missing"}); });
         },
         "block \"missing\" places itself"},
        {[](DxfTextBuilder& d) {
             DefineBlock(d, "MISSING", {0, 0}, [](DxfTextBuilder& b) { PlaceInsert(b, {"A"}); });
             DefineBlock(d, "A", {0, 0}, [](DxfTextBuilder& b) { PlaceInsert(b, {"MISSING"}); });
         },
         "block \"MISSING\" places itself"},
    };
    for (const Case& c : cases) {
        const auto dxf = WithBlocks(c.blocks, [](DxfTextBuilder& d) {
            PlaceInsert(d, {"MISSING", "doors"});
        });
        const auto reading = ReadDrawing(dxf);
        ASSERT_FALSE(reading.dropped.empty()) << c.detail;
        EXPECT_EQ(reading.dropped.back().kind, DxfEntityKind::Insert);
        EXPECT_EQ(reading.dropped.back().reason, DxfDropReason::Refused);
        EXPECT_EQ(reading.dropped.back().detail, c.detail);
    }
}

// Hostile drawings end quickly with a bounded result and a note.
TEST(DxfAllEntities, BoundsAgainstHostileBlocks) {
    using Clock = std::chrono::steady_clock;
    struct Case {
        const char* what;
        DxfTextBuilder dxf;
        size_t maxLines;
        bool noted;
    };
    // A chain of 100,000 blocks each placing the next (a million takes the same path, only
    // longer to write and read).
    DxfTextBuilder chain;
    chain.layers({"0"}).pair(0, "SECTION").pair(2, "BLOCKS");
    for (int i = 0; i < 100'000; ++i) {
        DefineBlock(chain, "N" + std::to_string(i), {0, 0},
              [&](DxfTextBuilder& b) { PlaceInsert(b, {"N" + std::to_string(i + 1)}); });
    }
    chain.pair(0, "ENDSEC").beginEntities();
    PlaceInsert(chain, {"N0"});
    chain.endEntities().end();
    // Each level doubles: 2^40 copies asked for.
    DxfTextBuilder doubling;
    doubling.layers({"0"}).pair(0, "SECTION").pair(2, "BLOCKS");
    UnitBlock(doubling, "D0");
    for (int i = 1; i <= 15; ++i) {
        DefineBlock(doubling, "D" + std::to_string(i), {0, 0}, [&](DxfTextBuilder& b) {
            PlaceInsert(b, {"D" + std::to_string(i - 1), "0", {0, 0}, 1, 1, 0, 1000, 1, 1, 0});
        });
    }
    doubling.pair(0, "ENDSEC").beginEntities();
    PlaceInsert(doubling, {"D15"});
    doubling.endEntities().end();
    const Case cases[] = {
        {"an array of 10^9 copies",
         WithBlocks([](DxfTextBuilder& d) { UnitBlock(d, "B"); },
                    [](DxfTextBuilder& d) {
                        PlaceInsert(d, {"B", "w", {0, 0}, 1, 1, 0, 100000, 10000, 1, 1});
                    }),
         static_cast<size_t>(kMaxPlacedVertices / 2), true},
        {"a chain of 10^5 nested blocks", chain, 0, false},
        {"1000^15 copies through nesting", doubling, static_cast<size_t>(kMaxPlacedVertices / 2),
         true},
    };
    for (const Case& c : cases) {
        const auto started = Clock::now();
        const auto reading = ReadDrawing(c.dxf);
        EXPECT_LT(Clock::now() - started, std::chrono::seconds(20)) << c.what;
        size_t lines = 0;
        for (const auto& [name, shapes] : reading.layers) {
            lines += shapes.lines.size();
        }
        EXPECT_LE(lines, c.maxLines) << c.what;
        EXPECT_EQ(!reading.limitNotes.empty(), c.noted) << c.what;
        if (!c.noted) {
            ASSERT_FALSE(reading.dropped.empty());
            EXPECT_EQ(reading.dropped.back().detail, "blocks nested deeper than 16 levels");
        }
    }
}

TEST(DxfAllEntities, CountsEveryEntityByLayerAndType) {
    DxfTextBuilder dxf;
    dxf.layers({"walls"}).beginEntities();
    WriteArc(dxf, "walls", {0, 0}, 1, "0", "90");
    WriteArc(dxf, "walls", {0, 0}, 1, "0", "90");
    dxf.line("walls", {0, 0}, {1, 1});
    dxf.pair(0, "SPLINE").pair(8, "other");
    dxf.endEntities().end();
    const auto reading = ReadDrawing(dxf);
    ASSERT_EQ(reading.entities.size(), 3u);
    EXPECT_EQ(reading.entities[0].type, "ARC");
    EXPECT_EQ(reading.entities[0].count, 2u);
    EXPECT_EQ(reading.entities[1].type, "LINE");
    EXPECT_EQ(reading.entities[2].layer, "other");
    EXPECT_EQ(reading.entities[2].type, "SPLINE");
}

}  // namespace

namespace {

TEST(DxfAllEntities, ExtrusionsMirrorOrAreRefused) {
    struct Case {
        std::string x, y, z;
        bool read;
        double startX;  // of the quarter arc from 0° about (10, 0), radius 1
    };
    const Case cases[] = {
        {"0", "0", "1", true, 11},
        {"0", "0", "-1", true, -11},
        {"0", "0", "-0.5", true, -11},
        {"0.001", "0", "-1", true, -11},  // within 1/64 of the z axis
        {"1", "0", "0", false, 0},
        {"0.5", "0", "-0.5", false, 0},
        {"0", "0", "0", false, 0},
        {"0", "0", "nan", false, 0},
    };
    for (const Case& c : cases) {
        DxfTextBuilder dxf;
        dxf.layers({"w"}).beginEntities();
        dxf.pair(0, "ARC").pair(8, "w").pair(10, "10").pair(20, "0").pair(40, "1");
        dxf.pair(50, "0").pair(51, "90").pair(210, c.x).pair(220, c.y).pair(230, c.z);
        dxf.endEntities().end();
        const auto reading = ReadDrawing(dxf);
        const auto& arcs = reading.layer("w").arcs;
        ASSERT_EQ(arcs.size(), c.read ? 1u : 0u) << c.x << " " << c.z;
        if (c.read) {
            EXPECT_NEAR(arcs[0].front().x, c.startX, kNear) << c.z;
            EXPECT_NEAR(arcs[0].front().y, 0, kNear) << c.z;
            // Mirrored, the arc runs from (−11, 0) clockwise to (−10, 1).
            EXPECT_NEAR(arcs[0].back().x, c.startX < 0 ? -10 : 10, kNear);
        } else {
            ASSERT_EQ(reading.dropped.size(), 1u);
        }
    }
}

TEST(DxfAllEntities, EntitiesCutOffByTheEndOfTheFileAreDropped) {
    struct Case {
        std::string tail;
        DxfEntityKind kind;
    };
    const Case cases[] = {
        {"0\nLINE\n8\nw\n10\n0\n20\n0\n11\n1\n21\n1\n", DxfEntityKind::Line},
        {"0\nPOLYLINE\n8\nw\n0\nVERTEX\n10\n0\n20\n0\n0\nVERTEX\n10\n1\n20\n0\n",
         DxfEntityKind::OldPolyline},
        {"0\nINSERT\n8\nw\n2\nB\n10\n0\n20\n0\n", DxfEntityKind::Insert},
    };
    for (const Case& c : cases) {
        DxfTextBuilder dxf;
        dxf.layers({"w"}).beginEntities().raw(c.tail);
        const auto reading = ReadDrawing(dxf);
        ASSERT_EQ(reading.dropped.size(), 1u) << c.tail;
        EXPECT_EQ(reading.dropped[0].kind, c.kind);
        EXPECT_EQ(reading.dropped[0].reason, DxfDropReason::CutOff);
        EXPECT_TRUE(reading.layer("w").lines.empty());
        EXPECT_TRUE(reading.layer("w").polylines.empty());
    }
}

TEST(DxfAllEntities, MeshesAndSplineFramePointsAreNotOutlines) {
    DxfTextBuilder dxf;
    dxf.layers({"w"}).beginEntities();
    // A polyface mesh: refused. Then a polyline with a spline frame point between two vertices.
    dxf.pair(0, "POLYLINE").pair(8, "w").pair(70, "64");
    dxf.pair(0, "VERTEX").pair(10, "0").pair(20, "0").pair(0, "VERTEX").pair(10, "1").pair(20, "1");
    dxf.pair(0, "SEQEND");
    dxf.pair(0, "POLYLINE").pair(8, "w");
    dxf.pair(0, "VERTEX").pair(10, "0").pair(20, "0");
    dxf.pair(0, "VERTEX").pair(10, "5").pair(20, "5").pair(70, "16");
    dxf.pair(0, "VERTEX").pair(10, "2").pair(20, "0");
    dxf.pair(0, "SEQEND");
    dxf.endEntities().end();
    const auto reading = ReadDrawing(dxf);
    ASSERT_EQ(reading.dropped.size(), 1u);
    EXPECT_EQ(reading.dropped[0].detail, "a mesh, not a plan outline");
    const auto& polylines = reading.layer("w").polylines;
    ASSERT_EQ(polylines.size(), 1u);
    EXPECT_EQ(polylines[0].vertices, (std::vector<PlanPoint>{{0, 0}, {2, 0}}));
}

}  // namespace

namespace {

TEST(DxfAllEntities, PlacementsBeyondTheCoordinateBoundAreDropped) {
    // A circle and a line of a block scaled by 1e15: the circle's octagon and the line's far
    // end leave the range (the circle's centre does not).
    const auto dxf = WithBlocks(
        [](DxfTextBuilder& d) {
            DefineBlock(d, "BIG", {0, 0}, [](DxfTextBuilder& b) {
                b.circle("0", {0, 0}, 10);
                b.line("0", {0, 0}, {10, 0});
                b.line("0", {0, 0}, {0.5, 0});
            });
        },
        [](DxfTextBuilder& d) { PlaceInsert(d, {"BIG", "w", {0, 0}, 1e15, 1e15}); });
    const auto reading = ReadDrawing(dxf);
    EXPECT_TRUE(reading.layer("w").circles.empty());
    ASSERT_EQ(reading.layer("w").lines.size(), 1u);  // (0, 0) to (5e14, 0) stays in range
    ASSERT_EQ(reading.dropped.size(), 2u);
    for (const DxfDroppedEntity& entity : reading.dropped) {
        EXPECT_EQ(entity.reason, DxfDropReason::OutOfRange);
        EXPECT_EQ(entity.layer, "w");
    }
}

}  // namespace
