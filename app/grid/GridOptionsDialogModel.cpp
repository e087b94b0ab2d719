#include "grid/GridOptionsDialogModel.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// ceil(length / span) as a count; a count too large to hold is shown as the largest one.
int64_t CellsAlong(double length, double span) {
    const double cells = std::ceil(length / span);
    if (!(cells >= 0.0)) {
        return 0;
    }
    constexpr auto kLargest = static_cast<double>(std::numeric_limits<int32_t>::max());
    return cells > kLargest ? std::numeric_limits<int32_t>::max() : static_cast<int64_t>(cells);
}

std::string WholeNumberText(int64_t value) {
    return std::to_string(value);
}

}  // namespace

void GridOptionsDialogModel::typeSpan(double value) {
    span = value;
    if (!(span > 0.0)) {
        countX = countY = total = 0;
        return;
    }
    countX = CellsAlong(planWidth, span);
    countY = CellsAlong(planHeight, span);
    total = countX * countY;
}

// A count typed along one side: the span divides that side, the other count follows from it.
void GridOptionsDialogModel::typeCount(int64_t value, double typedSide, double otherSide,
                                       int64_t& typedCount, int64_t& otherCount) {
    typedCount = value;
    if (typedCount < 1) {
        span = 0.0;
        countX = countY = total = 0;
        return;
    }
    span = typedSide / static_cast<double>(typedCount);
    otherCount = CellsAlong(otherSide, span);
    total = countX * countY;
}

void GridOptionsDialogModel::typeCountX(int64_t value) {
    typeCount(value, planWidth, planHeight, countX, countY);
}

void GridOptionsDialogModel::typeCountY(int64_t value) {
    typeCount(value, planHeight, planWidth, countY, countX);
}

void GridOptionsDialogModel::refresh() {
    switch (entry) {
        case GridOptionsEntry::SpanSize:
            typeSpan(span);
            return;
        case GridOptionsEntry::SpanCountX:
            typeCountX(countX);
            return;
        case GridOptionsEntry::SpanCountY:
            typeCountY(countY);
            return;
    }
}

std::string GridOptionsDialogModel::spanText() const {
    char text[400];
    std::snprintf(text, sizeof text, "%.3f", span);
    return text;
}

std::string GridOptionsDialogModel::countXText() const {
    return WholeNumberText(countX);
}

std::string GridOptionsDialogModel::countYText() const {
    return WholeNumberText(countY);
}

std::string GridOptionsDialogModel::totalText() const {
    return WholeNumberText(total);
}
