// The logic of the "Entropy Parameters" dialog: a drop-down list of the sets "0" to "9" and a
// list of the chosen set's thresholds, with Add, Delete and Edit. Works on a copy of the sets;
// the caller takes params() back on OK.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/EntropyParams.h"

class EntropyParamsDialogModel {
  public:
    explicit EntropyParamsDialogModel(EntropyParams params) : params_(std::move(params)) {}

    // The drop-down entries "0" ... "9"; the first is selected when the dialog opens.
    static std::vector<std::string> SetEntries();

    size_t selectedSet() const { return set_; }
    // Chooses a set (ignored outside 0..9); the selected line is kept when the new set has it.
    void selectSet(size_t set);

    // The selected set's thresholds as the list shows them: "%.4f" each, in stored order.
    std::vector<std::string> thresholdLines() const;
    std::optional<size_t> selectedLine() const { return line_; }
    // Selects a line of the list; a line the set does not have selects nothing.
    void selectLine(std::optional<size_t> line);

    // "Add": the prompt's text read as a whole number (leading blanks, an optional sign, then
    // the leading decimal digits; 0 without digits; saturated to the 32-bit range) and appended
    // as a double. False, nothing written, when the set already holds 100 thresholds.
    bool add(const std::string& text);
    // "Delete": removes the selected threshold and closes the gap; the selection stays on the
    // same line when the set still has it. False when nothing is selected.
    bool deleteSelected();
    // "Edit": the selected threshold, to fill the prompt; empty when nothing is selected.
    std::optional<double> selectedThreshold() const;
    // Stores the real number entered over the selected threshold; false when nothing is selected.
    bool edit(double value);

    const EntropyParams& params() const { return params_; }

  private:
    std::vector<double>& thresholds() { return params_.sets[set_]; }
    const std::vector<double>& thresholds() const { return params_.sets[set_]; }

    EntropyParams params_;
    size_t set_ = 0;
    std::optional<size_t> line_;
};

// The whole number at the start of the text, as "Add" reads it.
int32_t LeadingWholeNumber(const std::string& text);
