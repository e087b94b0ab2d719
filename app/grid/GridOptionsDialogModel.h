// What the "Grid Options" dialog shows and edits: the span or a span count typed by the user,
// the preview counts that follow from it, the corner offsets, the Integration-n depth and
// whether the run computes graph measures. The counts are a preview over the plan extent
// without the offsets; the grid itself is laid out by Initialize Grid.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// Which field the user types; the others follow from it.
enum class GridOptionsEntry { SpanSize, SpanCountX, SpanCountY };

struct GridOptionsDialogModel {
    double planWidth = 0.0;
    double planHeight = 0.0;

    GridOptionsEntry entry = GridOptionsEntry::SpanSize;
    double span = 0.0;
    int64_t countX = 0;
    int64_t countY = 0;
    int64_t total = 0;

    // Lower-left x, lower-left y, upper-right x, upper-right y.
    std::array<double, 4> offsets{};
    int32_t integrationDepth = 3;
    int32_t calculateGraphMeasures = 0;

    // The user typed a span (not a number when the text is none), a count X or a count Y.
    void typeSpan(double value);
    void typeCountX(int64_t value);
    void typeCountY(int64_t value);
    // Recomputes the preview from the field of the chosen entry, as when the dialog opens.
    void refresh();

    // The field texts: span "%.3f", counts "%d".
    std::string spanText() const;
    std::string countXText() const;
    std::string countYText() const;
    std::string totalText() const;

  private:
    void typeCount(int64_t value, double typedSide, double otherSide, int64_t& typedCount,
                   int64_t& otherCount);
};
