// The most recently used documents, newest first, at most four.
#pragma once

#include <string>
#include <vector>

class RecentFileList {
  public:
    static constexpr size_t kCapacity = 4;

    explicit RecentFileList(std::vector<std::string> entries = {});

    // Puts the path first, removing an older entry of the same path and the oldest beyond four.
    void add(const std::string& path);
    void remove(const std::string& path);

    const std::vector<std::string>& entries() const { return entries_; }

  private:
    std::vector<std::string> entries_;
};
