// The entities the readers skip as unreadable, as they are reported: kind, layer, line, handle
// and reason.
#include <gtest/gtest.h>

#include "document/DxfDrawing.h"
#include "document/tests/DxfTextBuilder.h"

namespace {

// Every entity the drawing drops, on any layer, as report lines.
std::vector<std::string> DroppedLines(const std::string& text) {
    std::vector<std::string> lines;
    DxfDrawing(text).readDroppedEntities(
        [&](DxfDroppedEntity&& e) { lines.push_back(DxfDroppedEntityText(e)); });
    return lines;
}

// One entity after the section header: its "0" line is line 5 of the text.
std::string OneEntity(const std::vector<std::pair<int, std::string>>& pairs, bool endSection) {
    DxfTextBuilder dxf;
    dxf.beginEntities();
    for (const auto& [code, value] : pairs) {
        dxf.pair(code, value);
    }
    if (endSection) {
        dxf.endEntities().end();
    }
    return dxf.text();
}

TEST(DxfDroppedEntities, EachReasonWithItsLine) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, std::string>> pairs;
        bool endSection;
        std::string expected;
    };
    const Case cases[] = {
        {"vertex count never reached",
         {{0, "LWPOLYLINE"}, {5, "2F"}, {8, "Walls"}, {90, "3"}, {10, "0"}, {20, "0"}},
         true,
         "LWPOLYLINE on layer \"Walls\", line 5, handle 2F: vertex count 3 never reached (1 read)"},
        {"no vertex count",
         {{0, "LWPOLYLINE"}, {8, "W"}, {10, "0"}, {20, "0"}},
         true,
         "LWPOLYLINE on layer \"W\", line 5: no vertex count (group 90)"},
        {"a lone vertex",
         {{0, "LWPOLYLINE"}, {8, "W"}, {90, "1"}, {10, "0"}, {20, "0"}},
         true,
         "LWPOLYLINE on layer \"W\", line 5: vertex count 1 (a polyline needs at least 2)"},
        {"a negative vertex count",
         {{0, "LWPOLYLINE"}, {8, "W"}, {90, "-4"}},
         true,
         "LWPOLYLINE on layer \"W\", line 5: vertex count -4 (a polyline needs at least 2)"},
        {"x that is no number",
         {{0, "LWPOLYLINE"}, {8, "W"}, {90, "2"}, {10, "east"}, {20, "0"}},
         true,
         "LWPOLYLINE on layer \"W\", line 5: group 10 value \"east\" is not a number"},
        {"closed flag that is no number",
         {{0, "LWPOLYLINE"}, {8, "W"}, {90, "2"}, {70, "x"}},
         true,
         "LWPOLYLINE on layer \"W\", line 5: group 70 value \"x\" is not a number"},
        {"y before its x",
         {{0, "LWPOLYLINE"}, {8, "W"}, {90, "2"}, {20, "0"}, {10, "0"}},
         true,
         "LWPOLYLINE on layer \"W\", line 5: group 20 came before its group 10"},
        {"y at 1e16",
         {{0, "LWPOLYLINE"}, {8, "W"}, {90, "2"}, {10, "0"}, {20, "1e16"}},
         true,
         "LWPOLYLINE on layer \"W\", line 5: group 20 value \"1e16\" is out of range "
         "(|value| <= 1e15)"},
        {"just above the bound",
         {{0, "LWPOLYLINE"}, {8, "W"}, {90, "2"}, {10, "1.000000000000001e15"}},
         true,
         "LWPOLYLINE on layer \"W\", line 5: group 10 value \"1.000000000000001e15\" is out of "
         "range (|value| <= 1e15)"},
        {"line end at -1e16, handle after the layer",
         {{0, "LINE"}, {8, "W"}, {5, "A0"}, {10, "0"}, {20, "0"}, {11, "-1e16"}, {21, "0"}},
         true,
         "LINE on layer \"W\", line 5, handle A0: group 11 value \"-1e16\" is out of range "
         "(|value| <= 1e15)"},
        {"line end beyond a double",
         {{0, "LINE"}, {8, "W"}, {10, "0"}, {20, "0"}, {11, "0"}, {21, "1e400"}},
         true,
         "LINE on layer \"W\", line 5: group 21 value \"1e400\" is out of range (|value| <= 1e15)"},
        {"line ends in the wrong order",
         {{0, "LINE"}, {8, "W"}, {10, "0"}, {20, "0"}, {21, "1"}, {11, "1"}},
         true,
         "LINE on layer \"W\", line 5: group 21 came before the others"},
        {"line without its second end",
         {{0, "LINE"}, {8, "W"}, {10, "0"}, {20, "0"}},
         true,
         "LINE on layer \"W\", line 5: no group 11, 21"},
        {"circle centre NaN",
         {{0, "CIRCLE"}, {8, "W"}, {10, "nan"}, {20, "0"}, {40, "1"}},
         true,
         "CIRCLE on layer \"W\", line 5: group 10 value \"nan\" is out of range (|value| <= 1e15)"},
        {"circle radius inf",
         {{0, "CIRCLE"}, {8, "W"}, {10, "0"}, {20, "0"}, {40, "inf"}},
         true,
         "CIRCLE on layer \"W\", line 5: group 40 value \"inf\" is out of range (|value| <= 1e15)"},
        {"circle without radius",
         {{0, "CIRCLE"}, {8, "W"}, {10, "0"}, {20, "0"}},
         true,
         "CIRCLE on layer \"W\", line 5: no group 40"},
        {"cut off by the end of the file",
         {{0, "CIRCLE"}, {8, "W"}, {10, "0"}},
         false,
         "CIRCLE on layer \"W\", line 5: cut off by the end of the file"},
        {"long values and names are cut",
         {{0, "LINE"}, {8, std::string(90, 'L')}, {10, std::string(40, 'v')}},
         true,
         ("LINE on layer \"" + std::string(80, 'L') + "...\", line 5: group 10 value \"" +
          std::string(32, 'v') + "...\" is not a number")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DroppedLines(OneEntity(c.pairs, c.endSection)),
                  std::vector<std::string>{c.expected})
            << c.name;
    }
}

TEST(DxfDroppedEntities, ValuesAtTheBoundAreRead) {
    DxfTextBuilder dxf;
    dxf.beginEntities();
    dxf.pair(0, "LWPOLYLINE").pair(8, "W").pair(90, "2");
    dxf.pair(10, "1e15").pair(20, "-1e15").pair(10, "-1000000000000000").pair(20, "1E+15");
    dxf.pair(0, "CIRCLE").pair(8, "W").pair(10, "0").pair(20, "0").pair(40, "1e15");
    dxf.endEntities();
    const DxfDrawing drawing(dxf.text());
    const auto polylines = drawing.readPolylines("W");
    ASSERT_EQ(polylines.size(), 1u);
    EXPECT_EQ(polylines[0].vertices, (std::vector<PlanPoint>{{1e15, -1e15}, {-1e15, 1e15}}));
    ASSERT_EQ(drawing.readCircles("W").size(), 1u);
    EXPECT_EQ(DroppedLines(dxf.text()), std::vector<std::string>{});
}

TEST(DxfDroppedEntities, ABadEntityIsDroppedAloneAndTheNextOneRead) {
    DxfTextBuilder dxf;
    dxf.beginEntities();                                       // lines 1-4
    dxf.line("W", {0, 0}, {1, 1});                             // lines 5-16
    dxf.pair(0, "LINE").pair(8, "W").pair(10, "nan");          // lines 17-22
    dxf.line("W", {2, 2}, {3, 3});                             // lines 23-34
    dxf.pair(0, "LWPOLYLINE").pair(8, "Other").pair(90, "9");  // lines 35-40
    dxf.polyline("W", {{0, 0}, {5, 5}});                       // from line 41
    dxf.endEntities();
    const DxfDrawing drawing(dxf.text());
    EXPECT_EQ(drawing.readLines("W"),
              (std::vector<PlanSegment>{{{0, 0}, {1, 1}}, {{2, 2}, {3, 3}}}));
    EXPECT_EQ(drawing.readPolylines("W").size(), 1u);
    // Polylines first, then lines, each in file order.
    EXPECT_EQ(DroppedLines(dxf.text()),
              (std::vector<std::string>{
                  "LWPOLYLINE on layer \"Other\", line 35: vertex count 9 never reached (0 read)",
                  "LINE on layer \"W\", line 17: group 10 value \"nan\" is out of range (|value| "
                  "<= 1e15)"}));
    // A layer's reader reports only its own layer's drops.
    std::vector<size_t> seen;
    drawing.readPolylines("w", SIZE_MAX, [&](DxfDroppedEntity&& e) { seen.push_back(e.line); });
    EXPECT_TRUE(seen.empty());
    drawing.readPolylines("OTHER", SIZE_MAX, [&](DxfDroppedEntity&& e) { seen.push_back(e.line); });
    EXPECT_EQ(seen, std::vector<size_t>{35});
}

}  // namespace
