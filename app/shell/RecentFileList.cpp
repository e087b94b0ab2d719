#include "shell/RecentFileList.h"

#include <algorithm>

RecentFileList::RecentFileList(std::vector<std::string> entries) {
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (!it->empty()) {
            add(*it);
        }
    }
}

void RecentFileList::add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    remove(path);
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > kCapacity) {
        entries_.resize(kCapacity);
    }
}

void RecentFileList::remove(const std::string& path) {
    entries_.erase(std::remove(entries_.begin(), entries_.end(), path), entries_.end());
}
