// A scratch folder per fuzzing process for the targets whose readers and writers want a path:
// created on first use as <TMPDIR or /dev/shm>/orvelle-fuzz-PID and removed with its contents
// at exit. A process killed by a finding cannot clean up, so every new folder first removes the
// folders of processes that no longer run.
#pragma once

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzzscratch {

inline constexpr const char* kPrefix = "orvelle-fuzz-";

inline std::filesystem::path BaseFolder() {
    const char* tmpdir = std::getenv("TMPDIR");
    if (tmpdir != nullptr && *tmpdir != '\0') {
        return tmpdir;
    }
    std::error_code error;
    // tmpfs keeps the per-input writes (and the saves' fsync) cheap.
    return std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : "/tmp";
}

inline void RemoveFoldersOfEndedProcesses(const std::filesystem::path& base) {
    const std::string prefix = kPrefix;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(base, error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        long pid = 0;
        const char* first = name.data() + prefix.size();
        const char* last = name.data() + name.size();
        const auto [end, parsed] = std::from_chars(first, last, pid);
        if (parsed != std::errc() || end != last || pid <= 0 || pid == ::getpid()) {
            continue;
        }
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            std::filesystem::remove_all(entry.path(), ignored);
        }
    }
}

inline std::filesystem::path& FolderSlot() {
    static std::filesystem::path folder;
    return folder;
}

inline void RemoveFolder() {
    std::error_code ignored;
    if (!FolderSlot().empty()) {
        std::filesystem::remove_all(FolderSlot(), ignored);
    }
}

// This process's folder; empty when it cannot be created.
inline const std::filesystem::path& Folder() {
    static const bool created = [] {
        const std::filesystem::path base = BaseFolder();
        RemoveFoldersOfEndedProcesses(base);
        const std::filesystem::path mine = base / (kPrefix + std::to_string(::getpid()));
        std::error_code error;
        std::filesystem::remove_all(mine, error);
        if (!std::filesystem::create_directory(mine, error)) {
            return false;
        }
        FolderSlot() = mine;
        std::atexit(RemoveFolder);
        return true;
    }();
    (void)created;
    return FolderSlot();
}

// A path in this process's folder.
inline std::string Path(const std::string& name) {
    return Folder().empty() ? std::string() : (Folder() / name).string();
}

// Writes the bytes to the named scratch file; its path, or empty when that fails.
inline std::string Write(const std::string& name, const uint8_t* data, size_t size) {
    const std::string target = Path(name);
    if (target.empty()) {
        return target;
    }
    FILE* file = std::fopen(target.c_str(), "wb");
    if (file == nullptr) {
        return {};
    }
    const bool written = std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written) {
        return {};
    }
    return target;
}

}  // namespace fuzzscratch
