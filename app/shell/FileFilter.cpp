#include "shell/FileFilter.h"

#include <algorithm>

namespace {

std::vector<std::string> SplitOnBar(const std::string& text) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : text) {
        if (c == '|') {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.push_back(current);
    return parts;
}

}  // namespace

std::vector<std::string> NameFiltersFromPipeList(const std::string& filter) {
    const std::vector<std::string> parts = SplitOnBar(filter);
    std::vector<std::string> filters;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::string& description = parts[i];
        std::string pattern = parts[i + 1];
        if (description.empty() || pattern.empty()) {
            continue;
        }
        std::replace(pattern.begin(), pattern.end(), ';', ' ');
        if (description.find("(" + pattern + ")") != std::string::npos) {
            filters.push_back(description);
        } else {
            filters.push_back(description + " (" + pattern + ")");
        }
    }
    return filters;
}
