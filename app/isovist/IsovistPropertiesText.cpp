#include "isovist/IsovistPropertiesText.h"

#include "isovist/IsovistMeasures.h"
#include "document/NumberText.h"
#include "document/UnitNames.h"

namespace {

std::string PointText(const PlanPoint& p, const std::string& unit, bool showUnits) {
    if (!showUnits) {
        return FormatFixed4(p.x) + ", " + FormatFixed4(p.y);
    }
    return FormatFixed4(p.x) + " " + unit + ", " + FormatFixed4(p.y) + " " + unit;
}

std::string ValueText(double value, const std::string& unit, bool showUnits) {
    return showUnits ? FormatFixed4(value) + " " + unit : FormatFixed4(value);
}

void FillRadialFields(IsovistPropertiesFields& f, const RadialStats& s, const std::string& unit,
                      const std::string& areaUnit, bool showUnits) {
    f.mean = ValueText(s.mean, unit, showUnits);
    f.sum = ValueText(s.sum, unit, showUnits);
    f.standardDeviation = ValueText(s.standardDeviation, unit, showUnits);
    f.maximum = ValueText(s.max, unit, showUnits);
    f.minimum = ValueText(s.min, unit, showUnits);
    f.variance = ValueText(s.variance, areaUnit, showUnits);
    f.elongation = FormatFixed4(s.elongation);
    f.autocorrelation = FormatFixed4(s.autocorrelation);
}

void FillGraphFields(IsovistPropertiesFields& f, const IsovistRecord& r) {
    const GraphMeasureBlock& g = r.graphMeasures;
    f.connectivity = std::to_string(g.connectivity);
    f.pathCount = std::to_string(r.pathCount);
    f.meanDepth = FormatFixed4(g.meanDepth);
    f.relativeAsymmetry = FormatFixed4(g.relativeAsymmetry);
    f.control = FormatFixed4(g.control);
    f.realRelativeAsymmetry = FormatFixed4(g.realRelativeAsymmetry);
    f.controllability = FormatFixed4(g.controllability);
    f.integration = FormatFixed4(g.integration);
    f.integrationN = FormatFixed4(g.integrationN);
    f.averageNeighborControl = FormatFixed4(g.averageNeighbourControl);
    f.globalE = FormatFixed4(g.globalE);
    f.globalRelativeE = FormatFixed4(g.globalRelativeE);
    f.globalConnectivityE = FormatFixed4(g.globalConnectivityE);
    f.pointCount = FormatFixed4(g.pointCount);
}

}  // namespace

IsovistProperties::IsovistProperties(const IsovistRecord& record, const RadialStats& stats,
                                     bool showGraphMeasures, int32_t isovistMethod, int32_t unit)
    : record_(record),
      stats_(stats),
      showGraphMeasures_(showGraphMeasures),
      isovistMethod_(isovistMethod),
      unit_(unit) {
    ComputeIsovistMeasures(record_);
}

IsovistPropertiesFields IsovistProperties::Fields(bool showUnits) const {
    const std::string unit = UnitName(unit_);
    const std::string areaUnit = AreaUnitName(unit_);
    const IsovistRecord& r = record_;
    IsovistPropertiesFields f;
    f.isovistAt = PointText(r.origin, unit, showUnits);
    f.area = ValueText(r.area, areaUnit, showUnits);
    f.perimeter = ValueText(r.perimeter, unit, showUnits);
    f.drift = ValueText(r.drift, unit, showUnits);
    f.centroid = PointText(r.centroid, unit, showUnits);
    f.occlusivity = FormatFixed4(r.occlusivity);
    f.circularity = FormatFixed4(r.circularity);
    f.compactness =
        showUnits ? FormatFixed4(r.compactness) + " (" + unit + ")" : FormatFixed4(r.compactness);
    if (isovistMethod_ == kRadialMethod) {
        FillRadialFields(f, stats_, unit, areaUnit, showUnits);
    }
    if (showGraphMeasures_) {
        FillGraphFields(f, r);
    }
    return f;
}

std::vector<IsovistPropertiesRow> IsovistPropertiesRows(const IsovistPropertiesFields& f) {
    const char* radial = "Radial data";
    const char* graph = "Graph measures";
    return {
        {"", "Isovist at", f.isovistAt},
        {"", "Area", f.area},
        {"", "Perimeter", f.perimeter},
        {"", "Drift", f.drift},
        {"", "Centroid", f.centroid},
        {"", "Occlusivity", f.occlusivity},
        {"", "Circularity", f.circularity},
        {"", "Compactness", f.compactness},
        {radial, "Mean", f.mean},
        {radial, "Sum", f.sum},
        {radial, "Standard Deviation", f.standardDeviation},
        {radial, "Maximum", f.maximum},
        {radial, "Minimum", f.minimum},
        {radial, "Variance (Complexity)", f.variance},
        {radial, "Elongation", f.elongation},
        {radial, "Autocorrelation", f.autocorrelation},
        {graph, "Connectivity", f.connectivity},
        {graph, "Path Count", f.pathCount},
        {graph, "Mean Depth", f.meanDepth},
        {graph, "Relative Asymmetry", f.relativeAsymmetry},
        {graph, "Control", f.control},
        {graph, "Real Relative Asymmetry", f.realRelativeAsymmetry},
        {graph, "Controllability", f.controllability},
        {graph, "Integration", f.integration},
        {graph, "Integration-n", f.integrationN},
        {graph, "Average Neighbor Control", f.averageNeighborControl},
        {graph, "Global E", f.globalE},
        {graph, "Global Relative E", f.globalRelativeE},
        {graph, "Global Connectivity E", f.globalConnectivityE},
        {graph, "Point Count", f.pointCount},
    };
}
