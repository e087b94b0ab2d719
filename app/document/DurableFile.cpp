#include "document/DurableFile.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>

namespace {

// The hidden name of a write in progress: ".NAME.saving-PID-SERIAL" beside the target.
std::string TemporaryPrefix(const std::filesystem::path& target) {
    return "." + target.filename().string() + ".saving-";
}

std::string TemporaryPathBeside(const std::string& path) {
    static std::atomic<unsigned> serial{0};
    const std::filesystem::path target(path);
    const std::string name =
        TemporaryPrefix(target) + std::to_string(::getpid()) + "-" + std::to_string(serial++);
    return (target.parent_path() / name).string();
}

// Removes the temporary files that writes of `path` killed before their rename left behind:
// those whose process no longer runs.
void RemoveStaleTemporaries(const std::string& path) {
    const std::filesystem::path target(path);
    const std::filesystem::path folder =
        target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    const std::string prefix = TemporaryPrefix(target);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        const std::string rest = name.substr(prefix.size());
        const size_t dash = rest.find('-');
        if (dash == std::string::npos) {
            continue;
        }
        long pid = 0;
        const auto [end, parsed] = std::from_chars(rest.data(), rest.data() + dash, pid);
        if (parsed != std::errc() || end != rest.data() + dash || pid <= 0 || pid == ::getpid()) {
            continue;
        }
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            std::filesystem::remove(entry.path(), ignored);
        }
    }
}

// Flushes a file or folder to the disk; false if it cannot be opened or flushed.
bool SyncPath(const std::string& path, int flags) {
    const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    int result;
    do {
        result = ::fsync(descriptor);
    } while (result != 0 && errno == EINTR);
    ::close(descriptor);
    return result == 0;
}

std::string FolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

}  // namespace

FileWriteOutcome ReplaceFileDurably(
    const std::string& path, const std::function<FileWriteOutcome(const std::string&)>& write) {
    RemoveStaleTemporaries(path);
    const std::string temporary = TemporaryPathBeside(path);
    FileWriteOutcome outcome = write(temporary);
    std::error_code error;
    if (outcome == FileWriteOutcome::Written) {
        // The new file reaches the disk before it replaces the old one, and the rename reaches
        // it before the write reports success: a power cut leaves the old file or the new,
        // never an empty one.
        if (SyncPath(temporary, O_RDONLY)) {
            std::filesystem::rename(temporary, path, error);
            if (!error) {
                SyncPath(FolderOf(path), O_RDONLY | O_DIRECTORY);
                return FileWriteOutcome::Written;
            }
        }
        outcome = FileWriteOutcome::WriteFailed;
    }
    std::filesystem::remove(temporary, error);
    return outcome;
}

FileWriteOutcome WriteFileDurably(const std::string& path, std::string_view bytes) {
    return ReplaceFileDurably(path, [bytes](const std::string& temporary) {
        // "x": the temporary name is ours alone; binary: the bytes are written as given.
        FILE* file = std::fopen(temporary.c_str(), "wbx");
        if (file == nullptr) {
            return FileWriteOutcome::OpenFailed;
        }
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        const bool closed = std::fclose(file) == 0;
        return written && closed ? FileWriteOutcome::Written : FileWriteOutcome::WriteFailed;
    });
}
