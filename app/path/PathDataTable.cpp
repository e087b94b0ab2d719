#include "path/PathDataTable.h"

#include "document/DocumentSettings.h"
#include "document/NumberText.h"
#include "document/UnitNames.h"

namespace {

std::string WithUnit(const char* title, const std::string& unit) {
    return unit.empty() ? std::string(title) : std::string(title) + " (" + unit + ")";
}

}  // namespace

PathDataTable MakePathDataTable(int32_t currentPath, std::span<const IsovistRecord> records,
                                std::span<const RadialStats> radialStats, int32_t isovistMethod,
                                int32_t unit) {
    const std::string length = UnitName(unit);
    const std::string area = AreaUnitName(unit);
    const bool radial = isovistMethod == kApproximateRadialMethod;
    PathDataTable table;
    table.currentPath = "Path-" + std::to_string(currentPath + 1);
    table.columns = {
        {"Index", 50},
        {WithUnit("Origin X", length), 80},
        {WithUnit("Origin Y", length), 80},
        {WithUnit("Centroid X", length), 80},
        {WithUnit("Centroid Y", length), 80},
        {WithUnit("Area", area), 80},
        {WithUnit("Perimeter", length), 80},
        {WithUnit("Drift", length), 80},
        {"Occlusivity", 80},
        {"Compactness", 80},
        {"Circularity", 80},
    };
    if (radial) {
        table.columns.insert(table.columns.end(), {
                                                      {WithUnit("Mean Radial", length), 80},
                                                      {WithUnit("Max Radial", length), 80},
                                                      {WithUnit("Min Radial", length), 80},
                                                      {"Complexity", 80},
                                                      {"Elongation", 80},
                                                      {"Autocorrelation", 80},
                                                  });
    }
    for (size_t i = 0; i < records.size(); ++i) {
        const IsovistRecord& r = records[i];
        std::vector<std::string> row{std::to_string(i)};
        for (const double value : {r.origin.x, r.origin.y, r.centroid.x, r.centroid.y, r.area,
                                   r.perimeter, r.drift, r.occlusivity, r.compactness,
                                   r.circularity}) {
            row.push_back(FormatFixed4(value));
        }
        if (radial) {
            if (i < radialStats.size()) {
                const RadialStats& s = radialStats[i];
                for (const double value :
                     {s.mean, s.max, s.min, s.variance, s.elongation, s.autocorrelation}) {
                    row.push_back(FormatFixed4(value));
                }
            } else {
                row.resize(table.columns.size());
            }
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}
