// Files replaced in one step: exact bytes, the old file kept on failure, no temporary left.
#include "document/DurableFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class DurableFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("orvelle_durable_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string read(const fs::path& path) const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    std::set<std::string> names() const {
        std::set<std::string> result;
        for (const auto& entry : fs::directory_iterator(folder)) {
            result.insert(entry.path().filename().string());
        }
        return result;
    }

    fs::path folder;
};

TEST_F(DurableFile, WritesTheBytesAsGivenAndReplacesWhole) {
    const fs::path target = folder / "out.csv";
    const std::string cases[] = {
        std::string("a, b\r\n\xA9\xF7\n\0end", 13),  // no line-end translation, NUL kept
        "",                                          // an empty file is still a file
        "short",                                     // shorter than before: nothing left over
    };
    for (const std::string& bytes : cases) {
        ASSERT_EQ(WriteFileDurably(target.string(), bytes), FileWriteOutcome::Written);
        EXPECT_EQ(read(target), bytes);
        EXPECT_EQ(names(), std::set<std::string>{"out.csv"});
    }
}

TEST_F(DurableFile, FailuresLeaveTheTargetAsItWas) {
    // No folder to create the file in.
    EXPECT_EQ(WriteFileDurably((folder / "missing" / "out.csv").string(), "x"),
              FileWriteOutcome::OpenFailed);
    EXPECT_TRUE(names().empty());
    // A folder in the way of the rename.
    fs::create_directories(folder / "taken" / "inside");
    EXPECT_EQ(WriteFileDurably((folder / "taken").string(), "x"), FileWriteOutcome::WriteFailed);
    EXPECT_EQ(names(), std::set<std::string>{"taken"});
    // A writer that fails: the old file stays.
    std::ofstream(folder / "old.csv", std::ios::binary) << "old";
    const FileWriteOutcome outcome =
        ReplaceFileDurably((folder / "old.csv").string(), [](const std::string& temporary) {
            std::ofstream(temporary, std::ios::binary) << "half";
            return FileWriteOutcome::WriteFailed;
        });
    EXPECT_EQ(outcome, FileWriteOutcome::WriteFailed);
    EXPECT_EQ(read(folder / "old.csv"), "old");
    EXPECT_EQ(names(), (std::set<std::string>{"old.csv", "taken"}));
}

}  // namespace
