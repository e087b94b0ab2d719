// orvelle-cli path: runs the built program on a square room with one path across it.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "testing/ScratchFolder.h"

namespace {

// A 10 x 10 boundary and a path from (1, 5) to (9, 5) on the layer "Path".
const char* const kRoomWithPath =
    "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nBoundary\n0\nLAYER\n2\nPath\n0\n"
    "ENDTAB\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n8\nBoundary\n90\n4\n70\n1\n10\n"
    "0\n20\n0\n10\n10\n20\n0\n10\n10\n20\n10\n10\n0\n20\n10\n0\nLWPOLYLINE\n8\nPath\n90\n2\n70\n"
    "0\n10\n1\n20\n5\n10\n9\n20\n5\n0\nENDSEC\n0\nEOF\n";

const std::string kHeader =
    "Point Index, Origin x (mm), Origin y (mm), Centroid x (mm), Centroid y (mm), "
    "Area (mm\xA9\xF7), Perimeter (mm), Drift (mm), Occlusivity, Compactness, Circularity\r\n";
// Count 1: the two ends and the middle, each seeing the whole room.
const std::string kRows =
    "0, 1.000000, 5.000000, 5.000000, 5.000000, 100.000000, 40.000000, 4.000000, 1.000000, "
    "2.500000, 16.000000\r\n"
    "1, 5.000000, 5.000000, 5.000000, 5.000000, 100.000000, 40.000000, 0.000000, 1.000000, "
    "2.500000, 16.000000\r\n"
    "2, 9.000000, 5.000000, 5.000000, 5.000000, 100.000000, 40.000000, 4.000000, 1.000000, "
    "2.500000, 16.000000\r\n";

class CliPath : public ::testing::Test {
  protected:
    ScratchFolder folder{"orvelle_cli_path"};
    std::string plan;

    void SetUp() override {
        plan = file("room.dxf", kRoomWithPath);
    }

    std::string file(const std::string& name, const std::string& bytes) {
        const auto path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string at(const std::string& name) const { return (folder / name).string(); }

    struct Run {
        int status = -1;
        std::string out;
        std::string err;
    };
    Run run(const std::string& arguments) {
        const std::string out = at("stdout");
        const std::string err = at("stderr");
        const std::string command =
            std::string(ORVELLE_CLI_PATH) + " " + arguments + " >" + out + " 2>" + err;
        const int raw = std::system(command.c_str());
        return Run{WIFEXITED(raw) ? WEXITSTATUS(raw) : 128, ReadWholeFile(out), ReadWholeFile(err)};
    }
};

TEST_F(CliPath, ExportsAreTheBytesOfTheDesktopExports) {
    const Run r = run("path " + plan + " --count 1 --csv " + at("path.csv") +
                      " --all-paths-csv " + at("all.csv"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("path: Path-1\nobservation points: 3\ntime: ", 0), 0u) << r.out;
    EXPECT_EQ(ReadWholeFile(at("path.csv")), kHeader + kRows);
    EXPECT_EQ(ReadWholeFile(at("all.csv")), "Path-1\r\n" + kHeader + kRows + "\r\n\r\n");
}

TEST_F(CliPath, ViewAngleAndUserValuesInTheJson) {
    const std::string values = file("values.txt", "1.5\n2\n-3\n");
    const Run r = run("path " + plan + " --count 1 --view-angle 180 --values " + values +
                      " --json");
    ASSERT_EQ(r.status, 0) << r.err;
    // The half of the room ahead of each point: 90, 50 and 10.
    for (const char* expected :
         {"\"at\": [1, 5]", "\"area\": 90,", "\"area\": 50,", "\"area\": 10,",
          "\"userValue\": 1.5}", "\"userValue\": -3}", "\"radialStats\": null"}) {
        EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\n" << r.out;
    }
}

TEST_F(CliPath, ReportSpacingOffsetAndRadialMethod) {
    const Run r = run("path " + plan + " --spacing 2 --offset 1,5 --method radial --report");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Number of Observation Points: 3\r\n\r\nArea\r\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("Autocorrelation (10 degree)\r\n"), std::string::npos);
}

TEST_F(CliPath, SavedDocumentRunsAgain) {
    ASSERT_EQ(run("path " + plan + " --count 3 -o " + at("room.ovx")).status, 0);
    const Run again = run("path " + at("room.ovx") + " --count 1 --csv " + at("again.csv"));
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(ReadWholeFile(at("again.csv")), kHeader + kRows);
}

TEST_F(CliPath, UserErrorsGiveOneLineAndStatusOne) {
    const std::string shortValues = file("short.txt", "1\n2\n");
    const std::string longValues = file("long.txt", "1\n2\n3\n4\n");
    struct Case {
        std::string arguments;
        std::string message;
    };
    const Case cases[] = {
        {"--spacing 0", "Interval not positive"},
        {"--count -1", "Invalid value for count"},
        {"--count 1 --path 2", "The plan has 1 paths; there is no Path-2"},
        {"", "Give one of --count and --spacing"},
        {"--count 1 --offset 1", "--offset wants START,END"},
        {"--count 1 --values " + shortValues, "Number of data is not consistent"},
        {"--count 1 --values " + longValues, "Number of data is not consistent"},
        {"--spacing 1e-9", "Too many observation points"},
        {"--count 1 --csv " + plan, "is the input file"},
    };
    for (const Case& c : cases) {
        const Run r = run("path " + plan + " " + c.arguments);
        EXPECT_EQ(r.status, 1) << c.arguments;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.arguments << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << c.arguments;
    }
    EXPECT_EQ(ReadWholeFile(plan), kRoomWithPath);
    EXPECT_EQ(run("path " + plan + " --count 1 --spacing 2").status, 1);
}

}  // namespace
