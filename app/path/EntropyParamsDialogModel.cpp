#include "path/EntropyParamsDialogModel.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>

#include "document/NumberText.h"

int32_t LeadingWholeNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) != 0) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0; ++i) {
        magnitude = std::min<int64_t>(magnitude * 10 + (text[i] - '0'), kLimit);
    }
    if (negative) {
        return static_cast<int32_t>(-magnitude);
    }
    return static_cast<int32_t>(std::min<int64_t>(magnitude, kLimit - 1));
}

std::vector<std::string> EntropyParamsDialogModel::SetEntries() {
    std::vector<std::string> entries;
    for (size_t k = 0; k < EntropyParams::kSetCount; ++k) {
        entries.push_back(std::to_string(k));
    }
    return entries;
}

void EntropyParamsDialogModel::selectSet(size_t set) {
    if (set >= EntropyParams::kSetCount) {
        return;
    }
    set_ = set;
    selectLine(line_);
}

std::vector<std::string> EntropyParamsDialogModel::thresholdLines() const {
    std::vector<std::string> lines;
    for (const double threshold : thresholds()) {
        lines.push_back(FormatFixed4(threshold));
    }
    return lines;
}

void EntropyParamsDialogModel::selectLine(std::optional<size_t> line) {
    line_ = line && *line < thresholds().size() ? line : std::nullopt;
}

bool EntropyParamsDialogModel::add(const std::string& text) {
    return params_.append(set_, static_cast<double>(LeadingWholeNumber(text)));
}

bool EntropyParamsDialogModel::deleteSelected() {
    if (!line_) {
        return false;
    }
    thresholds().erase(thresholds().begin() + static_cast<std::ptrdiff_t>(*line_));
    selectLine(line_);
    return true;
}

std::optional<double> EntropyParamsDialogModel::selectedThreshold() const {
    if (!line_) {
        return std::nullopt;
    }
    return thresholds()[*line_];
}

bool EntropyParamsDialogModel::edit(double value) {
    if (!line_) {
        return false;
    }
    thresholds()[*line_] = value;
    return true;
}
