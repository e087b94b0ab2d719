// Saving replaces the target only by a whole new file and clears up after saves that were killed.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "document/DocumentFile.h"
#include "document/tests/DocumentFileTestSupport.h"
#include "testing/FakeDocumentUi.h"

namespace {

namespace fs = std::filesystem;

// A process number that ran and is gone: a child that exited and was reaped.
pid_t DeadPid() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

std::set<std::string> NamesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

class DocumentFileSave : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("orvelle_save_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        target = (folder / "plan.ovx").string();
        FillEveryStoredMember(doc);
    }
    void TearDown() override { fs::remove_all(folder); }
    void touch(const std::string& name, const std::string& bytes = "half a document") {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }

    fs::path folder;
    std::string target;
    FakeDocumentUi ui;
    CORVDoc doc{ui};
};

TEST_F(DocumentFileSave, LeftoversOfKilledSavesAreRemovedOthersKept) {
    const std::string dead = std::to_string(DeadPid());
    const std::string live = std::to_string(::getppid());  // a running process's save
    const std::string own = std::to_string(::getpid());    // a save in this process
    touch(".plan.ovx.saving-" + dead + "-0");
    touch(".plan.ovx.saving-" + dead + "-17");
    touch(".plan.ovx.saving-" + live + "-3");
    touch(".plan.ovx.saving-" + own + "-99");
    touch(".other.ovx.saving-" + dead + "-0");   // another document's
    touch(".plan.ovx.saving-x" + dead + "-0");   // not a process number
    touch("plan.ovx.saving-" + dead + "-0");     // not hidden: not ours
    touch(".plan.ovx.saving-" + dead);           // no serial: not a name saves give
    ASSERT_TRUE(SaveDocumentFile(doc, target).ok);
    const std::set<std::string> expected = {
        "plan.ovx",
        ".plan.ovx.saving-" + live + "-3",
        ".plan.ovx.saving-" + own + "-99",
        ".other.ovx.saving-" + dead + "-0",
        ".plan.ovx.saving-x" + dead + "-0",
        "plan.ovx.saving-" + dead + "-0",
        ".plan.ovx.saving-" + dead,
    };
    EXPECT_EQ(NamesIn(folder), expected);
}

TEST_F(DocumentFileSave, ASaveReplacesTheOldFileWholeAndLeavesNoTemporary) {
    touch("plan.ovx", "the old document");
    ASSERT_TRUE(SaveDocumentFile(doc, target).ok);
    EXPECT_EQ(NamesIn(folder), std::set<std::string>{"plan.ovx"});
    FakeDocumentUi otherUi;
    CORVDoc read(otherUi);
    ASSERT_TRUE(LoadDocumentFile(read, target).ok);
    ExpectSameStoredMembers(doc, read);
}

TEST_F(DocumentFileSave, ASaveInTheCurrentFolderWorks) {
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    const bool saved = SaveDocumentFile(doc, "plan.ovx").ok;
    fs::current_path(before);
    EXPECT_TRUE(saved);
    EXPECT_EQ(NamesIn(folder), std::set<std::string>{"plan.ovx"});
}

}  // namespace
