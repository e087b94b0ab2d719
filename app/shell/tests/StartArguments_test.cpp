// The desktop program's command line.
#include "shell/StartArguments.h"

#include <gtest/gtest.h>

namespace {

using Kind = StartRequest::Kind;

struct ArgumentsCase {
    std::vector<std::string> arguments;
    Kind kind;
    std::string path;
    std::string output;
    int width;
    int height;
    bool fit;
};

TEST(StartArguments, DocumentsDrawingsAndImageExports) {
    const ArgumentsCase cases[] = {
        {{}, Kind::NewDocument, "", "", 1024, 768, false},
        {{"plan.ovx"}, Kind::OpenDocument, "plan.ovx", "", 1024, 768, false},
        {{"/x/Plan.DXF"}, Kind::ImportDrawing, "/x/Plan.DXF", "", 1024, 768, false},
        {{"a.dxf.ovx"}, Kind::OpenDocument, "a.dxf.ovx", "", 1024, 768, false},
        {{"--export-image", "out.png", "d.ovx"},
         Kind::ExportImage,
         "d.ovx",
         "out.png",
         1024,
         768,
         false},
        {{"--export-image", "out.SVG", "d.ovx", "--size", "640,480"},
         Kind::ExportImage,
         "d.ovx",
         "out.SVG",
         640,
         480,
         false},
        {{"--export-image", "--size", "1,16384", "--fit", "o.png", "d.ovx"},
         Kind::ExportImage,
         "d.ovx",
         "o.png",
         1,
         16384,
         true},
        {{"--help"}, Kind::Help, "", "", 1024, 768, false},
    };
    for (const ArgumentsCase& c : cases) {
        const StartRequest r = ParseStartArguments(c.arguments);
        const std::string name = c.arguments.empty() ? "(none)" : c.arguments[0];
        EXPECT_EQ(r.kind, c.kind) << name << " " << r.error;
        EXPECT_EQ(r.path, c.path) << name;
        EXPECT_EQ(r.output, c.output) << name;
        EXPECT_EQ(r.width, c.width) << name;
        EXPECT_EQ(r.height, c.height) << name;
        EXPECT_EQ(r.fit, c.fit) << name;
    }
}

TEST(StartArguments, MistakesGiveOneLineAndNoRequest) {
    const std::vector<std::vector<std::string>> cases = {
        {"--export-image"},
        {"--export-image", "out.png"},
        {"--export-image", "out.jpg", "d.ovx"},
        {"--export-image", "out.png", "d.ovx", "extra.ovx"},
        {"--export-image", "out.png", "d.ovx", "--size"},
        {"--export-image", "out.png", "d.ovx", "--size", "640x480"},
        {"--export-image", "out.png", "d.ovx", "--size", "0,480"},
        {"--export-image", "out.png", "d.ovx", "--size", "640,16385"},
        {"--export-image", "out.png", "d.ovx", "--size", "640,"},
        {"--export-image", "out.png", "d.ovx", "--size", "-5,10"},
        {"--export-image", "out.png", "d.ovx", "--colour"},
        {"--bogus"},
        {"a.ovx", "b.ovx"},
    };
    for (const auto& arguments : cases) {
        const StartRequest r = ParseStartArguments(arguments);
        EXPECT_EQ(r.kind, Kind::Error) << arguments.back();
        EXPECT_FALSE(r.error.empty()) << arguments.back();
        EXPECT_EQ(r.error.find('\n'), std::string::npos) << arguments.back();
    }
}

TEST(StartArguments, DrawingNamesEndInDxfInAnyCase) {
    EXPECT_TRUE(IsDrawingFileName("a.dxf"));
    EXPECT_TRUE(IsDrawingFileName("a.DxF"));
    EXPECT_FALSE(IsDrawingFileName("dxf"));
    EXPECT_FALSE(IsDrawingFileName("a.dxf.bak"));
    EXPECT_FALSE(IsDrawingFileName(""));
}

}  // namespace
