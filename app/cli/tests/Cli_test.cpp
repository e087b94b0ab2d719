// Runs the built orvelle-cli and checks its output and exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/CORVDoc.h"
#include "document/DocumentFile.h"
#include "testing/FakeDocumentUi.h"

namespace {

const std::string kSample = std::string(ORVELLE_SOURCE_DIR) + "/examples/gallery.dxf";

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Cli : public ::testing::Test {
  protected:
    std::filesystem::path folder;

    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("orvelle_cli_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string file(const std::string& name, const std::string& bytes) {
        const auto path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    CliRun run(const std::string& arguments) {
        const std::string out = (folder / "stdout").string();
        const std::string err = (folder / "stderr").string();
        const std::string command =
            std::string(ORVELLE_CLI_PATH) + " " + arguments + " >" + out + " 2>" + err;
        const int raw = std::system(command.c_str());
        CliRun result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128;
        result.out = ReadAll(out);
        result.err = ReadAll(err);
        return result;
    }
};

// A drawing of one square boundary of side 10, its first vertex at (firstX, 0).
std::string SquareRoomDxf(const std::string& firstX) {
    return "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nBoundary\n0\nENDTAB\n0\n"
           "ENDSEC\n0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n8\nBoundary\n90\n4\n70\n1\n10\n" +
           firstX +
           "\n20\n0\n10\n10\n20\n0\n10\n10\n20\n10\n10\n0\n20\n10\n0\nENDSEC\n0\nEOF\n";
}

TEST_F(Cli, ListsLayersWithAutomaticRoles) {
    const CliRun r = run("layers " + kSample);
    EXPECT_EQ(r.status, 0);
    // Name, role, entities read, entities not read.
    EXPECT_EQ(r.out,
              "0\tIgnore\t0\t0\nBOUNDARY\tBoundary\t1\t0\nWALLS\tWall\t5\t0\nColumns-Wall\tWall\t2\t0\n"
              "PATH\tPath\t1\t0\n");
    EXPECT_EQ(r.err, "orvelle-cli: Suggested unit: mm (the drawing's $INSUNITS is 4)\n");
}

TEST_F(Cli, ImportsAndSummarises) {
    const std::string ovx = (folder / "gallery.ovx").string();
    const CliRun r = run("import " + kSample + " -o " + ovx);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("boundary vertices: 4\nwall polygons: 7\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("extent: 0 24000 0 12000\n"), std::string::npos) << r.out;
    const CliRun info = run("info " + ovx);
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out.substr(0, r.out.size()), r.out);
}

TEST_F(Cli, RolesAndBoundaryAnswersFromOptions) {
    const std::string dxf =
        file("walls.dxf",
             "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nOutline\n"
             "0\nLAYER\n2\nEmpty\n0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
             "0\nLINE\n8\nOutline\n10\n0\n20\n0\n11\n10\n21\n20\n0\nENDSEC\n0\nEOF\n");
    const std::string ovx = (folder / "out.ovx").string();
    // Without a boundary layer the layer check refuses.
    CliRun r = run("import " + dxf + " -o " + ovx);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "orvelle-cli: Please select a boundary layer\n");
    // A boundary layer without polylines, and no permission to create one.
    r = run("import " + dxf + " --role Empty=boundary --role Outline=wall -o " + ovx);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("No boundary is found\n"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(ovx));
    r = run("import " + dxf + " --role Empty=boundary --role Outline=wall --create-boundary -o " +
            ovx);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("extent: -1 11 -2 22\n"), std::string::npos) << r.out;
    r = run("import " + dxf + " --role Nowhere=wall -o " + ovx);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "orvelle-cli: The drawing has no layer named \"Nowhere\"\n");
    r = run("import " + dxf + " --role Outline=door -o " + ovx);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("--role wants LAYER=ROLE"), std::string::npos);
    r = run("import " + dxf + " --create-boundary --outermost-boundary -o " + ovx);
    EXPECT_EQ(r.status, 1);
}

TEST_F(Cli, IsovistAsTextAndJsonFromDrawingOrDocument) {
    const std::string ovx = (folder / "g.ovx").string();
    ASSERT_EQ(run("import " + kSample + " -o " + ovx).status, 0);
    const CliRun fromDxf = run("isovist " + kSample + " --at 12000,6000");
    const CliRun fromOvx = run("isovist " + ovx + " --at 12000,6000 --method exact");
    EXPECT_EQ(fromDxf.status, 0) << fromDxf.err;
    EXPECT_EQ(fromDxf.out, fromOvx.out);
    EXPECT_NE(fromDxf.out.find("method: exact\n"), std::string::npos);
    EXPECT_EQ(fromDxf.out.find("radial mean"), std::string::npos);
    const CliRun json = run("isovist " + ovx + " --at 12000,6000 --method radial --json");
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.front(), '{');
    EXPECT_NE(json.out.find("\"radialStats\": {\"rayCount\": 1440"), std::string::npos);
    EXPECT_NE(json.out.find("\"polygon\": [["), std::string::npos);

    // The visibility polygon: exact, so no ray statistics; the method named as given.
    const CliRun visibility = run("isovist " + ovx + " --at 12000,6000 --method visibility");
    EXPECT_EQ(visibility.status, 0) << visibility.err;
    EXPECT_NE(visibility.out.find("method: visibility\n"), std::string::npos) << visibility.out;
    EXPECT_EQ(visibility.out.find("radial mean"), std::string::npos);
    const CliRun visibilityJson =
        run("isovist " + ovx + " --at 12000,6000 --method visibility --json");
    EXPECT_NE(visibilityJson.out.find("\"method\": \"visibility\""), std::string::npos)
        << visibilityJson.out;
    EXPECT_NE(visibilityJson.out.find("\"radialStats\": null"), std::string::npos);
}

TEST_F(Cli, IsovistInAClosedSpaceOfTheBoundaryRoom) {
    // A square room of side 10 with nothing in it: the isovist is the room itself.
    const std::string dxf = file("room.dxf", SquareRoomDxf("0"));
    const CliRun r = run("isovist " + dxf + " --at 5,5");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("area: 100\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("perimeter: 40\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("centroid: 5, 5\n"), std::string::npos) << r.out;
}

TEST_F(Cli, AnIsovistThatCannotBeMeasuredIsAnErrorNotANan) {
    // One vertex at -1e308: the area's products overflow.
    const std::string dxf = file("huge.dxf", SquareRoomDxf("-1e308"));
    const CliRun r = run("isovist " + dxf + " --at 5,5");
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_EQ(r.out.find("nan"), std::string::npos) << r.out;
    EXPECT_FALSE(r.err.empty());
}

TEST_F(Cli, UserErrorsGiveOneLineAndStatusOne) {
    const std::string notDxf = file("binary.dxf", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22));
    const std::string notOvx = file("plain.ovx", "hello");
    const std::string cases[] = {
        "",
        "frobnicate",
        "layers",
        "layers /nonexistent/plan.dxf",
        "layers " + notDxf,
        "import " + kSample,
        "isovist " + kSample,
        "isovist " + kSample + " --at 1,2,3",
        "isovist " + kSample + " --at 12000,6000 --method fuzzy",
        "isovist " + kSample + " --at 6000,3000",
        "isovist " + kSample + " --at -5,-5",
        "info " + notOvx,
        "info /nonexistent/plan.ovx",
        "import " + kSample + " -o /nonexistent/folder/plan.ovx",
    };
    for (const std::string& arguments : cases) {
        const CliRun r = run(arguments);
        EXPECT_EQ(r.status, 1) << arguments;
        EXPECT_EQ(r.out, "") << arguments;
        EXPECT_FALSE(r.err.empty()) << arguments;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << arguments << ": " << r.err;
    }
}

TEST_F(Cli, GridRunSummarisesAndSavesItsResults) {
    const std::string document = (folder / "grid.ovx").string();
    const CliRun r = run("grid " + kSample + " --span 500 --graph --threads 1 --json -o " + document);
    ASSERT_EQ(r.status, 0) << r.err;
    // 24000 x 12000 at span 500: 48 x 24 cells, the doorway walls leaving 1132 effective.
    EXPECT_EQ(r.out.rfind("{\"nx\": 48, \"ny\": 24, \"cells\": 1152, \"effectiveCells\": 1132, "
                          "\"graphEdges\": ",
                          0),
              0u)
        << r.out;
    EXPECT_NE(r.err.find("Computation Time = "), std::string::npos);
    const CliRun info = run("info " + document);
    EXPECT_NE(info.out.find("grid cells: 1152"), std::string::npos) << info.out;

    // One thread or every core: the same document, byte for byte.
    const std::string parallel = (folder / "parallel.ovx").string();
    ASSERT_EQ(run("grid " + kSample + " --span 500 --graph -o " + parallel).status, 0);
    EXPECT_EQ(ReadAll(document), ReadAll(parallel));
}

TEST_F(Cli, AnOutputThatIsTheInputIsRefusedAndTheInputKept) {
    const std::string drawing = file("plan.dxf", ReadAll(kSample));
    const std::string link = (folder / "link.dxf").string();
    std::filesystem::create_hard_link(drawing, link);
    std::filesystem::create_symlink(drawing, folder / "symlink.dxf");
    std::filesystem::create_directories(folder / "sub");
    const std::string around = (folder / "sub" / ".." / "plan.dxf").string();
    for (const std::string& arguments :
         {"import " + drawing + " -o " + drawing, "import " + drawing + " -o " + link,
          "import " + drawing + " -o " + (folder / "symlink.dxf").string(),
          "import " + drawing + " -o " + around, "grid " + drawing + " --span 500 -o " + link}) {
        const CliRun r = run(arguments);
        EXPECT_EQ(r.status, 1) << arguments;
        EXPECT_NE(r.err.find("is the input file"), std::string::npos) << r.err;
        EXPECT_EQ(ReadAll(drawing), ReadAll(kSample)) << arguments;
    }
}

TEST_F(Cli, GridRefusalsGiveStatusOne) {
    for (const std::string& arguments : {
             "grid " + kSample + " --span 0",
             "grid " + kSample + " --span nan",
             "grid " + kSample + " --span 500 --offsets 1,2,3",
             "grid " + kSample + " --span 500 --offsets 30000,0,0,0",
             "grid " + kSample + " --span 500 --depth 0",
             // 480 x 240 cells: more than the graph allows.
             "grid " + kSample + " --span 50 --graph",
         }) {
        const CliRun r = run(arguments);
        EXPECT_EQ(r.status, 1) << arguments;
        EXPECT_EQ(r.out, "") << arguments;
        EXPECT_FALSE(r.err.empty()) << arguments;
    }
}

// The grid commands after the run: user values, point count from another drawing, depths.
TEST_F(Cli, GridFollowUpsValuesPointsAndDepths) {
    const std::string room = file("room.dxf", SquareRoomDxf("0"));  // 2 x 2 cells at span 5
    const std::string points = file(
        "points.dxf",
        "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nPts\n0\nLAYER\n2\nOther\n0\n"
        "ENDTAB\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nCIRCLE\n8\nPts\n10\n5\n20\n5\n40\n1\n0\n"
        "CIRCLE\n8\nOther\n10\n2\n20\n2\n40\n1\n0\nENDSEC\n0\nEOF\n");
    const std::string values = file("values.txt", "1\n2\n3\n4.5\n");
    const std::string depths = (folder / "depths.csv").string();
    const std::string document = (folder / "room.ovx").string();
    const CliRun r = run("grid " + room + " --span 5 --graph --values " + values +
                         " --points-from " + points + " --points-layer Pts --depth-from 7,2 " +
                         "--depth-csv " + depths + " -o " + document);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadAll(depths), "Cell Index, Depth\r\n0, 1\r\n1, 0\r\n2, 1\r\n3, 1\r\n");
    EXPECT_EQ(run("info " + document).status, 0);

    // Every layer of the points drawing by default: the circle at (2, 2) counts too.
    EXPECT_EQ(run("grid " + room + " --span 5 --points-from " + points).status, 0);

    const std::string threeValues = file("three.txt", "1\n2\n3\n");
    struct Refusal {
        std::string arguments;
        std::string message;
    };
    const Refusal refusals[] = {
        {"--values " + threeValues, "Number of data is not consistent"},
        {"--values " + (folder / "none.txt").string(), "cannot be opened"},
        {"--points-from " + (folder / "none.dxf").string(), "none.dxf"},
        {"--depth-from 7,2 --depth-csv " + depths, "Graph measures are not included"},
        {"--graph --depth-from 70,2 --depth-csv " + depths, "Invalid cell"},
        {"--graph --depth-from 7 --depth-csv " + depths, "--depth-from wants a point"},
        {"--graph --depth-from 7,2 --depth-csv " + room, "is the input file"},
        {"--depth-from 7,2", "--depth-csv"},
        {"--graph --depth-from 7,2 --depth-csv " + depths + " --csv " + depths,
         "name the same file"},
    };
    for (const Refusal& refusal : refusals) {
        const CliRun failed = run("grid " + room + " --span 5 " + refusal.arguments);
        EXPECT_EQ(failed.status, 1) << refusal.arguments;
        EXPECT_NE(failed.err.find(refusal.message), std::string::npos)
            << refusal.arguments << ": " << failed.err;
    }
    EXPECT_EQ(ReadAll(room), SquareRoomDxf("0"));
}

TEST_F(Cli, GridExportIsTheBytesOfTheDesktopExport) {
    const std::string dxf = file("room.dxf", SquareRoomDxf("0"));
    for (const std::string method : {"exact", "radial", "visibility"}) {
        const std::string csv = (folder / (method + ".csv")).string();
        const std::string ovx = (folder / (method + ".ovx")).string();
        const CliRun r =
            run("grid " + dxf + " --span 5 --method " + method + " --csv " + csv + " -o " + ovx);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.rfind("grid: 2 x 2 cells, 4 effective\n", 0), 0u) << r.out;

        // The saved document exported by the desktop command gives the same file.
        FakeDocumentUi ui;
        CORVDoc doc(ui);
        ASSERT_TRUE(LoadDocumentFile(doc, ovx).ok);
        const std::string viaCommand = (folder / (method + "-command.csv")).string();
        ui.fileAnswers = {viaCommand};
        doc.OnExportGridCsv();
        EXPECT_TRUE(ui.messages.empty());
        const std::string bytes = ReadAll(csv);
        EXPECT_EQ(bytes, ReadAll(viaCommand)) << method;

        // The room of side 10 in four cells of side 5: each centre sees the whole room.
        const std::string title = "Cell Index, Origin x (mm), Origin y (mm), ";
        EXPECT_EQ(bytes.rfind(title, 0), 0u) << bytes.substr(0, 80);
        EXPECT_EQ(bytes.find("Autocorrelation\r\n") != std::string::npos, method == "radial");
        const char* rows[] = {"\r\n0, 2.500000, 2.500000, 5.000000, 5.000000, ",
                              "\r\n1, 7.500000, 2.500000, 5.000000, 5.000000, ",
                              "\r\n2, 2.500000, 7.500000, 5.000000, 5.000000, ",
                              "\r\n3, 7.500000, 7.500000, 5.000000, 5.000000, "};
        for (const char* row : rows) {
            EXPECT_NE(bytes.find(row), std::string::npos) << row << " in\n" << bytes;
        }
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 5);
        if (method != "radial") {
            // Area 100, perimeter 40, drift from (2.5, 2.5) to the centre: √12.5.
            EXPECT_NE(bytes.find("\r\n3, 7.500000, 7.500000, 5.000000, 5.000000, 100.000000, "
                                 "40.000000, 3.535534, "),
                      std::string::npos);
        }
    }
}

TEST_F(Cli, GridReportOnStdout) {
    const std::string dxf = file("room.dxf", SquareRoomDxf("0"));
    const CliRun r = run("grid " + dxf + " --span 5 --report");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Grid Size: 2 * 2\r\nGrid Cell Number: 4\r\nCell Size: 5.0000 * 5.0000\r\n\r\n"
              "Effective Cell Number: 4\r\n\r\nUnit: mm\r\n\r\nArea\r\n"
              "\tSum: \t\t400.0000\r\n\tMean: \t\t100.0000\r\n\tVariance: \t\t0.0000\r\n"
              "\tS.D.: \t\t0.0000\r\n");
    EXPECT_EQ(run("grid " + dxf + " --span 5 --report --json").status, 1);
}

TEST_F(Cli, GridExportThatCannotBeWrittenFailsAndLeavesNoFile) {
    const std::string dxf = file("room.dxf", SquareRoomDxf("0"));
    const std::string ovx = (folder / "room.ovx").string();
    struct Case {
        std::string arguments;
        std::string error;
    };
    const Case cases[] = {
        {"--csv " + (folder / "missing" / "cells.csv").string(), "Cannot write the grid export"},
        {"--csv " + dxf, "is the input file"},
        {"--csv " + ovx + " -o " + (folder / "sub" / ".." / "room.ovx").string(),
         "name the same file"},
    };
    std::filesystem::create_directories(folder / "sub");
    for (const Case& c : cases) {
        const CliRun r = run("grid " + dxf + " --span 5 " + c.arguments);
        EXPECT_EQ(r.status, 1) << c.arguments;
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
        EXPECT_EQ(ReadAll(dxf), SquareRoomDxf("0"));
        EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
        EXPECT_FALSE(std::filesystem::exists(ovx));
    }
}

// Results that cannot reach stdout are a failure, not a silent success.
TEST_F(Cli, AFullStdoutIsAnError) {
    const std::string dxf = file("room.dxf", SquareRoomDxf("0"));
    for (const std::string& arguments : {std::string(" --report"), std::string()}) {
        const std::string err = (folder / "stderr").string();
        const std::string command = std::string(ORVELLE_CLI_PATH) + " grid " + dxf + " --span 5" +
                                    arguments + " >/dev/full 2>" + err;
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw));
        EXPECT_EQ(WEXITSTATUS(raw), 1) << arguments;
        EXPECT_NE(ReadAll(err).find("Cannot write the results"), std::string::npos);
    }
}

// A cut-short document is refused with a message, not opened as an empty plan.
TEST_F(Cli, InfoRefusesACutShortDocument) {
    const std::string ovx = (folder / "plan.ovx").string();
    ASSERT_EQ(run("import " + kSample + " -o " + ovx).status, 0);
    const std::string cut = file("cut.ovx", ReadAll(ovx).substr(0, 117));
    const CliRun r = run("info " + cut);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "orvelle-cli: The file " + cut + " is damaged and cannot be opened\n");
}

// The square room of side 10 on layer Boundary (lines 25-48) and on layer Walls one LINE (from
// line 49) whose second end's x is `wallEndX`.
std::string RoomWithWallDxf(const std::string& wallEndX) {
    return "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nBoundary\n0\nLAYER\n2\n"
           "Walls\n0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n8\nBoundary\n"
           "90\n4\n70\n1\n10\n0\n20\n0\n10\n10\n20\n0\n10\n10\n20\n10\n10\n0\n20\n10\n0\nLINE\n"
           "8\nWalls\n10\n2\n20\n2\n11\n" +
           wallEndX + "\n21\n2\n0\nENDSEC\n0\nEOF\n";
}

TEST_F(Cli, DroppedEntitiesAreListedOnStderrAndTheCommandSucceeds) {
    const std::string bad = file("bad.dxf", RoomWithWallDxf("1e16"));
    const std::string good = file("good.dxf", RoomWithWallDxf("8"));
    const std::string line =
        "orvelle-cli: dropped: LINE on layer \"Walls\", line 49: group 11 value \"1e16\" is out "
        "of range (|value| <= 1e15)\n";
    const std::string ovx = (folder / "out.ovx").string();
    struct Case {
        std::string arguments;
        bool onlyTheLine;  // the grid run also prints its timing
    };
    const Case cases[] = {
        {"layers " + bad, true},
        {"import " + bad + " -o " + ovx, true},
        {"isovist " + bad + " --at 5,5", true},
        {"grid " + bad + " --span 1 -o " + ovx, false},
    };
    for (const Case& c : cases) {
        const CliRun r = run(c.arguments);
        EXPECT_EQ(r.status, 0) << c.arguments << ": " << r.err;
        if (c.onlyTheLine) {
            EXPECT_EQ(r.err, line) << c.arguments;
        } else {
            EXPECT_NE(r.err.find(line), std::string::npos) << c.arguments << ": " << r.err;
        }
        EXPECT_FALSE(r.out.empty()) << c.arguments;
    }
    // Without the wall the plan is the good one without its wall.
    CliRun r = run("import " + bad + " -o " + ovx);
    EXPECT_NE(r.out.find("wall polygons: 0\n"), std::string::npos) << r.out;
    r = run("import " + good + " -o " + ovx);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("wall polygons: 1\n"), std::string::npos) << r.out;
    // An ignored layer's drops are not the import's.
    r = run("import " + bad + " --role Walls=ignore -o " + ovx);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
}

TEST_F(Cli, ABoundaryOutOfRangeIsRefusedAndABowTieReported) {
    const std::string huge = file("huge.dxf", SquareRoomDxf("nan"));
    const std::string ovx = (folder / "out.ovx").string();
    CliRun r = run("import " + huge + " -o " + ovx);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "orvelle-cli: dropped: LWPOLYLINE on layer \"Boundary\", line 21: group 10 value "
              "\"nan\" is out of range (|value| <= 1e15)\n"
              "orvelle-cli: The boundary cannot be read: LWPOLYLINE on layer \"Boundary\", line "
              "21: group 10 value \"nan\" is out of range (|value| <= 1e15)\n");
    EXPECT_FALSE(std::filesystem::exists(ovx));

    const std::string bowTie =
        file("bowtie.dxf",
             "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nBoundary\n0\nENDTAB\n0\n"
             "ENDSEC\n0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n8\nBoundary\n90\n4\n70\n1\n10\n0\n"
             "20\n0\n10\n4\n20\n2\n10\n4\n20\n0\n10\n0\n20\n4\n0\nENDSEC\n0\nEOF\n");
    r = run("import " + bowTie + " -o " + ovx);
    EXPECT_EQ(r.status, 0) << r.err;
    // y = x/2 meets y = 4 - x at (8/3, 4/3).
    EXPECT_EQ(r.err, "orvelle-cli: The boundary crosses itself near (2.667, 1.333)\n");
    EXPECT_NE(r.out.find("boundary vertices: 4\n"), std::string::npos) << r.out;
}

// A 10 × 10 room on "Walls" drawn as two LINEs and two quarter ARCs of radius 1 at the corners
// (1, 1)-(9, 1) and so on: the room is closed only with its arcs. A block "POST" of one LINE on
// layer 0 is placed on "Walls" by an INSERT at (5, 5).
std::string RoundedRoomDxf() {
    std::string dxf = "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\n0\n0\nLAYER\n2\n"
                      "Walls\n0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n8\n0\n2\nPOST\n"
                      "10\n0\n20\n0\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n0\n0\nENDBLK\n0\n"
                      "ENDSEC\n0\nSECTION\n2\nENTITIES\n";
    auto line = [&](int x0, int y0, int x1, int y1) {
        dxf += "0\nLINE\n8\nWalls\n10\n" + std::to_string(x0) + "\n20\n" + std::to_string(y0) +
               "\n11\n" + std::to_string(x1) + "\n21\n" + std::to_string(y1) + "\n";
    };
    auto arc = [&](int cx, int cy, int start) {
        dxf += "0\nARC\n8\nWalls\n10\n" + std::to_string(cx) + "\n20\n" + std::to_string(cy) +
               "\n40\n1\n50\n" + std::to_string(start) + "\n51\n" + std::to_string(start + 90) +
               "\n";
    };
    // South and north walls end 1 short of the corners; west and east walls too.
    line(1, 0, 9, 0);
    line(10, 1, 10, 9);
    line(9, 10, 1, 10);
    line(0, 9, 0, 1);
    arc(9, 1, 270);
    arc(9, 9, 0);
    arc(1, 9, 90);
    arc(1, 1, 180);
    dxf += "0\nINSERT\n8\nWalls\n2\nPOST\n10\n5\n20\n5\n0\nENDSEC\n0\nEOF\n";
    return dxf;
}

TEST_F(Cli, AllEntitiesReadsArcsAndBlocksAndTheRestIsTold) {
    const std::string dxf = file("rounded.dxf", RoundedRoomDxf());
    const std::string hint =
        "orvelle-cli: Walls: 4 ARC not read; Walls: 1 INSERT not read \u2014 turn on Read arcs, "
        "old-style polylines and blocks\n";
    CliRun r = run("layers " + dxf);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "0\tIgnore\t0\t0\nWalls\tWall\t4\t5\n");
    EXPECT_EQ(r.err, hint);
    r = run("layers " + dxf + " --all-entities");
    EXPECT_EQ(r.out, "0\tIgnore\t0\t0\nWalls\tWall\t9\t0\n");
    EXPECT_EQ(r.err, "");
    // No Boundary layer: the command line makes one around the plan when asked to.
    const std::string ovx = (folder / "out.ovx").string();
    r = run("import " + dxf + " --create-boundary -o " + ovx);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, hint);
    EXPECT_NE(r.out.find("wall polygons: 4\n"), std::string::npos) << r.out;
    r = run("import " + dxf + " --create-boundary --all-entities -o " + ovx);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // 4 lines, the placed line, 4 arcs of 8 pieces.
    EXPECT_NE(r.out.find("wall polygons: 37\n"), std::string::npos) << r.out;
    // The isovist from inside the closed room stays in it (under the 10 × 10 square), and
    // through the corner gaps it does not.
    struct Case {
        std::string options;
        bool inside;
    };
    for (const Case& c : {Case{"", false}, Case{" --all-entities", true}}) {
        r = run("isovist " + dxf + " --create-boundary --at 2,5" + c.options);
        EXPECT_EQ(r.status, 0) << r.err;
        const size_t at = r.out.find("area: ");
        ASSERT_NE(at, std::string::npos) << r.out;
        const double area = std::stod(r.out.substr(at + 6));
        EXPECT_EQ(area < 100.0, c.inside) << c.options << ": " << area;
    }
    r = run("grid " + dxf + " --create-boundary --all-entities --span 2");
    EXPECT_EQ(r.status, 0) << r.err;
    // The outermost wall polygon as the boundary, without a Boundary layer too.
    r = run("import " + dxf + " --outermost-boundary --all-entities -o " + ovx);
    EXPECT_NE(r.err.find("No boundary is found"), std::string::npos) << r.err;
}

TEST_F(Cli, HelpEverywhere) {
    for (const std::string& arguments :
         {std::string("--help"), std::string("layers --help"), std::string("import --help"),
          std::string("isovist --help"), std::string("info --help"),
          std::string("grid --help")}) {
        const CliRun r = run(arguments);
        EXPECT_EQ(r.status, 0) << arguments;
        EXPECT_NE(r.out.find("Usage"), std::string::npos) << arguments;
    }
}

}  // namespace
