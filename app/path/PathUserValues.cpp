#include "path/PathUserValues.h"

#include <algorithm>

bool AssignPathUserValues(std::span<IsovistRecord> records, std::span<const double> values,
                          size_t observationPointCount) {
    if (values.size() != observationPointCount) {
        return false;
    }
    const size_t count = std::min(records.size(), values.size());
    for (size_t i = 0; i < count; ++i) {
        records[i].userValue = values[i];
    }
    return true;
}
