// The field texts of the Isovist Properties dialog, for one isovist record and its radial
// statistics. The dialog only shows these texts; ticking "Show units" swaps between the two
// sets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/IsovistRecord.h"

struct IsovistPropertiesFields {
    // Shape
    std::string isovistAt, area, perimeter, drift, centroid, occlusivity, circularity, compactness;
    // Radial data: empty unless the isovist was computed by the radial method.
    std::string mean, sum, standardDeviation, maximum, minimum, variance, elongation,
        autocorrelation;
    // Graph measures: empty unless the caller asked for them.
    std::string connectivity, pathCount, meanDepth, relativeAsymmetry, control,
        realRelativeAsymmetry, controllability, integration, integrationN, averageNeighborControl,
        globalE, globalRelativeE, globalConnectivityE, pointCount;

    friend bool operator==(const IsovistPropertiesFields&,
                           const IsovistPropertiesFields&) = default;
};

// Both sets of texts, ready for a dialog that opens with "Show units" off.
struct IsovistPropertiesTexts {
    IsovistPropertiesFields withoutUnits;
    IsovistPropertiesFields withUnits;
};

// One labelled field, in the dialog's order, for dialogs that bind rows rather than names.
struct IsovistPropertiesRow {
    const char* group;  // "", "Radial data" or "Graph measures"
    const char* label;  // "Isovist at", "Area", ...
    std::string text;
};
std::vector<IsovistPropertiesRow> IsovistPropertiesRows(const IsovistPropertiesFields& fields);

// The isovist method whose radial statistics the dialog shows.
inline constexpr int32_t kRadialMethod = 1;

// The dialog's private copy: it recomputes the shape measures of its record (not occlusivity)
// when made, as the dialog does when it opens.
class IsovistProperties {
  public:
    IsovistProperties(const IsovistRecord& record, const RadialStats& stats, bool showGraphMeasures,
                      int32_t isovistMethod, int32_t unit);

    IsovistPropertiesFields Fields(bool showUnits) const;
    IsovistPropertiesTexts Texts() const { return {Fields(false), Fields(true)}; }
    const IsovistRecord& record() const { return record_; }

  private:
    IsovistRecord record_;
    RadialStats stats_;
    bool showGraphMeasures_;
    int32_t isovistMethod_;
    int32_t unit_;
};
