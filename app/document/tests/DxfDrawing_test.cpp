#include "document/DxfDrawing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "document/DxfPairReader.h"
#include "document/tests/DxfTextBuilder.h"

namespace {

using Points = std::vector<PlanPoint>;

const Points kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};

TEST(DxfPairReader, ReadsPairsWithLfAndCrLfAlike) {
    for (const std::string& eol : {std::string("\n"), std::string("\r\n")}) {
        const std::string text = "  0" + eol + "section " + eol + "8" + eol + " Walls\t" + eol;
        DxfPairReader reader(text);
        DxfPair pair;
        ASSERT_TRUE(reader.next(pair));
        EXPECT_EQ(pair.code, "0");
        EXPECT_EQ(pair.value, "SECTION");
        ASSERT_TRUE(reader.next(pair));
        EXPECT_EQ(pair.value, "WALLS");
        EXPECT_EQ(pair.rawValue, " Walls");
        EXPECT_FALSE(reader.next(pair));
    }
}

TEST(DxfPairReader, ACodeWithoutItsValueIsNoPair) {
    DxfPairReader reader("0\nSECTION\n2");
    DxfPair pair;
    EXPECT_TRUE(reader.next(pair));
    EXPECT_FALSE(reader.next(pair));
}

TEST(DxfPairReader, LongLinesStayWhole) {
    const std::string longValue(5000, 'x');
    const std::string text = "1\n" + longValue + "\n0\nEOF\n";
    DxfPairReader reader(text);
    DxfPair pair;
    ASSERT_TRUE(reader.next(pair));
    EXPECT_EQ(pair.rawValue.size(), 5000u);
    ASSERT_TRUE(reader.next(pair));
    EXPECT_EQ(pair.value, "EOF");
}

TEST(DxfNumbers, ConvertLeadingNumbersAndRefuseTheRest) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"1.5", 1.5}, {" -2e3 ", -2000.0}, {"+7", 7.0},   {"12abc", 12.0}, {"abc", {}}, {"", {}},
        {"nan", {}},  {"inf", {}},         {"1e400", {}}, {"--1", {}},     {"+-1", {}}};
    for (const Case& c : cases) {
        EXPECT_EQ(ParseDxfDouble(c.text), c.value) << c.text;
    }
    EXPECT_EQ(ParseDxfInteger("42"), 42);
    EXPECT_EQ(ParseDxfInteger("4.9"), 4);
    EXPECT_EQ(ParseDxfInteger("x"), std::nullopt);
    EXPECT_EQ(ParseDxfInteger("99999999999"), std::nullopt);
}

TEST(DxfNumbers, CoordinateValuesTellOutOfRangeFromNoNumber) {
    using K = DxfNumber::Kind;
    struct Case {
        const char* text;
        K kind;
        double value;  // for finite numbers
    };
    const Case cases[] = {{"1e15", K::Number, 1e15},   {"-2.5", K::Number, -2.5},
                          {"+3", K::Number, 3.0},      {"1e400", K::OutOfRange, 0},
                          {"-1e400", K::OutOfRange, 0}, {"1e-400", K::OutOfRange, 0},
                          {"east", K::NotANumber, 0},  {"", K::NotANumber, 0}};
    for (const Case& c : cases) {
        const DxfNumber number = ParseDxfNumber(c.text);
        EXPECT_EQ(number.kind, c.kind) << c.text;
        if (c.kind == K::Number) {
            EXPECT_EQ(number.value, c.value) << c.text;
        }
    }
    EXPECT_TRUE(std::isnan(ParseDxfNumber("nan").value));
    EXPECT_EQ(ParseDxfNumber(" -INF ").value, -INFINITY);
    EXPECT_EQ(ParseDxfNumber("inf").kind, K::Number);
}

TEST(DxfPairReader, NumbersTheLinesOfGroupCodes) {
    DxfPairReader reader("0\nSECTION\r\n2\nENTITIES\n\n\n999\nnote\n");
    DxfPair pair;
    std::vector<size_t> lines;
    while (reader.next(pair)) {
        lines.push_back(pair.line);
    }
    EXPECT_EQ(lines, (std::vector<size_t>{1, 3, 5, 7}));
}

TEST(DxfLayerReader, ReadsNamesInTableOrderKeepingCaseAndBytes) {
    const std::string utf8 = "T\xC3\xBCren";
    DxfTextBuilder dxf;
    dxf.layers({"Walls", "0", utf8, "  Lead  "});
    DxfDrawing drawing(dxf.text());
    const std::vector<std::string> expected = {"Walls", "0", utf8, "  Lead"};
    EXPECT_EQ(drawing.readLayerNames(), expected);
}

TEST(DxfLayerReader, ReadsOnlyTheLayerTableOfTheTablesSection) {
    DxfTextBuilder dxf;
    dxf.pair(0, "SECTION").pair(2, "HEADER").pair(9, "$ACADVER").pair(1, "AC1015");
    dxf.pair(0, "ENDSEC");
    dxf.pair(0, "SECTION").pair(2, "TABLES");
    dxf.pair(0, "TABLE").pair(2, "LTYPE").pair(0, "LTYPE").pair(2, "CONTINUOUS").pair(0, "ENDTAB");
    dxf.pair(0, "TABLE").pair(2, "LAYER").pair(0, "LAYER").pair(5, "10").pair(2, "A");
    dxf.pair(2, "not-a-second-name").pair(0, "LAYER").pair(2, "").pair(2, "B");
    dxf.pair(0, "ENDTAB").pair(0, "TABLE").pair(2, "LAYER").pair(0, "LAYER").pair(2, "C");
    dxf.pair(0, "ENDTAB").pair(0, "ENDSEC");
    const std::vector<std::string> expected = {"A", "B"};
    EXPECT_EQ(DxfDrawing(dxf.text()).readLayerNames(), expected);
}

TEST(DxfLayerReader, KeepsAtMost256Names) {
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        names.push_back("L" + std::to_string(i));
    }
    DxfTextBuilder dxf;
    dxf.layers(names);
    const auto read = DxfDrawing(dxf.text()).readLayerNames();
    ASSERT_EQ(read.size(), 256u);
    EXPECT_EQ(read.back(), "L255");
}

TEST(DxfLayerReader, CutsOverlongNamesToTheirSlot) {
    DxfTextBuilder dxf;
    dxf.layers({std::string(3000, 'n')});
    const auto read = DxfDrawing(dxf.text()).readLayerNames();
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].size(), DxfDrawing::kMaxLayerNameBytes);
}

TEST(DxfEntities, ReadsPolylinesOfTheLayerIgnoringCase) {
    DxfTextBuilder dxf;
    dxf.beginEntities()
        .polyline("WALLS", kSquare, true)
        .polyline("other", {{1, 1}, {2, 2}})
        .polyline("walls", {{5, 5}, {6, 6}})
        .endEntities();
    const auto polylines = DxfDrawing(dxf.text()).readPolylines("Walls");
    ASSERT_EQ(polylines.size(), 2u);
    EXPECT_EQ(polylines[0].vertices, kSquare);
    EXPECT_EQ(polylines[0].closedFlag, 1);
    EXPECT_EQ(polylines[1].vertices, (Points{{5, 5}, {6, 6}}));
    EXPECT_EQ(polylines[1].closedFlag, 0);
}

TEST(DxfEntities, EntitiesOutsideTheEntitiesSectionAreNotRead) {
    DxfTextBuilder dxf;
    dxf.pair(0, "SECTION").pair(2, "BLOCKS").line("W", {0, 0}, {1, 1}).pair(0, "ENDSEC");
    dxf.beginEntities().line("W", {2, 2}, {3, 3}).endEntities();
    dxf.beginEntities().line("W", {4, 4}, {5, 5}).endEntities();
    const auto lines = DxfDrawing(dxf.text()).readLines("W");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (PlanSegment{{2, 2}, {3, 3}}));
}

TEST(DxfEntities, MalformedAndCutOffEntitiesAreDropped) {
    DxfTextBuilder dxf;
    dxf.beginEntities();
    // A vertex count never reached before the next entity.
    dxf.pair(0, "LWPOLYLINE").pair(8, "W").pair(90, "3").pair(10, "0").pair(20, "0");
    // An absurd vertex count costs nothing and never completes.
    dxf.pair(0, "LWPOLYLINE").pair(8, "W").pair(90, "2000000000").pair(10, "1").pair(20, "1");
    // A coordinate that is not a number.
    dxf.pair(0, "LWPOLYLINE").pair(8, "W").pair(90, "1").pair(10, "east").pair(20, "1");
    // A y before its x.
    dxf.pair(0, "LWPOLYLINE").pair(8, "W").pair(90, "1").pair(20, "1").pair(10, "1");
    // Negative count.
    dxf.pair(0, "LWPOLYLINE").pair(8, "W").pair(90, "-1").pair(10, "1").pair(20, "1");
    // A lone vertex.
    dxf.polyline("W", {{7, 7}});
    dxf.polyline("W", {{7, 7}, {8, 8}});
    // Cut off by the end of the text.
    dxf.pair(0, "LWPOLYLINE").pair(8, "W").pair(90, "2").pair(10, "0").pair(20, "0").pair(10, "9");
    const auto polylines = DxfDrawing(dxf.text()).readPolylines("W");
    ASSERT_EQ(polylines.size(), 1u);
    EXPECT_EQ(polylines[0].vertices, (Points{{7, 7}, {8, 8}}));
}

TEST(DxfEntities, LinesCompleteAtTheirLastEndCoordinate) {
    DxfTextBuilder dxf;
    dxf.beginEntities();
    dxf.pair(0, "LINE").pair(8, "W").pair(10, "1").pair(20, "2").pair(21, "4").pair(11, "3");
    dxf.pair(0, "LINE").pair(8, "W").pair(10, "1").pair(20, "2").pair(11, "3").pair(21, "4");
    dxf.pair(0, "LINE").pair(8, "W").pair(10, "1").pair(20, "x").pair(11, "3").pair(21, "4");
    dxf.endEntities();
    const auto lines = DxfDrawing(dxf.text()).readLines("W");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (PlanSegment{{1, 2}, {3, 4}}));
}

TEST(DxfEntities, CirclesAreTakenAtTheirRadius) {
    DxfTextBuilder dxf;
    dxf.beginEntities().circle("P", {3, 4}, 0.5);
    dxf.pair(0, "CIRCLE").pair(8, "P").pair(40, "1").pair(10, "0").pair(20, "0");
    dxf.endEntities();
    const auto circles = DxfDrawing(dxf.text()).readCircles("P");
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].centre, (PlanPoint{3, 4}));
    EXPECT_EQ(circles[0].radius, 0.5);
}

TEST(DxfEntities, CrLfDrawingReadsLikeLf) {
    DxfTextBuilder lf, crlf;
    crlf.crlf();
    for (DxfTextBuilder* dxf : {&lf, &crlf}) {
        dxf->layers({"W"}).beginEntities().polyline("W", kSquare, true).line("W", {0, 0}, {1, 1});
        dxf->endEntities().end();
    }
    const DxfDrawing a(lf.text()), b(crlf.text());
    EXPECT_EQ(a.readLayerNames(), b.readLayerNames());
    EXPECT_EQ(a.readPolylines("W")[0].vertices, b.readPolylines("W")[0].vertices);
    EXPECT_EQ(a.readLines("W"), b.readLines("W"));
}

TEST(DxfEntities, EmptyAndGarbageTextsReadNothing) {
    for (const std::string& text :
         {std::string(), std::string("\n\n\n"), std::string("0\nSECTION\n"),
          std::string("\0\0\0\n\xff\xfe", 6), std::string(10000, '\n')}) {
        const DxfDrawing drawing(text);
        EXPECT_TRUE(drawing.readLayerNames().empty());
        EXPECT_TRUE(drawing.readPolylines("0").empty());
    }
}

TEST(DxfFile, LoadsAnAsciiDrawing) {
    DxfTextBuilder dxf;
    dxf.layers({"W"}).end();
    const TemporaryFile file(".dxf", dxf.text());
    const auto loaded = DxfDrawing::load(file.path());
    ASSERT_TRUE(std::holds_alternative<DxfDrawing>(loaded));
    EXPECT_EQ(std::get<DxfDrawing>(loaded).readLayerNames().size(), 1u);
}

TEST(DxfFile, RefusesBinaryAndMissingFilesWithAMessage) {
    const TemporaryFile file(".dxf", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22));
    const auto binary = DxfDrawing::load(file.path());
    ASSERT_TRUE(std::holds_alternative<std::string>(binary));
    EXPECT_NE(std::get<std::string>(binary).find("binary DXF"), std::string::npos);
    const auto missing = DxfDrawing::load("/nonexistent/plan.dxf");
    ASSERT_TRUE(std::holds_alternative<std::string>(missing));
    EXPECT_NE(std::get<std::string>(missing).find("Cannot open"), std::string::npos);
}

TEST(DxfFile, RefusesADirectory) {
    const auto loaded = DxfDrawing::load(std::filesystem::temp_directory_path().string());
    EXPECT_TRUE(std::holds_alternative<std::string>(loaded));
}

}  // namespace
