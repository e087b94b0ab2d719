#include "document/DisplayProperties.h"

#include <cstdio>

namespace {

using F = PropertyFamily;
using S = StatusFormat;

// Getters, one per measure, so that the tables stay plain data.
double AreaOf(const IsovistRecord& r) { return r.area; }
double PerimeterOf(const IsovistRecord& r) { return r.perimeter; }
double DriftOf(const IsovistRecord& r) { return r.drift; }
double OcclusivityOf(const IsovistRecord& r) { return r.occlusivity; }
double CompactnessOf(const IsovistRecord& r) { return r.compactness; }
double UserValue(const IsovistRecord& r) { return r.userValue; }
double CircularityOf(const IsovistRecord& r) { return r.circularity; }
double VisiblePerimeterRatio(const IsovistRecord& r) { return r.visiblePerimeterRatio; }
double ConnectivityOf(const IsovistRecord& r) { return r.graphMeasures.connectivity; }
double MeanDepth(const IsovistRecord& r) { return r.graphMeasures.meanDepth; }
double RelativeAsymmetry(const IsovistRecord& r) { return r.graphMeasures.relativeAsymmetry; }
double PointCount(const IsovistRecord& r) { return r.graphMeasures.pointCount; }
double ControlOf(const IsovistRecord& r) { return r.graphMeasures.control; }
double RealRelativeAsymmetry(const IsovistRecord& r) {
    return r.graphMeasures.realRelativeAsymmetry;
}
double IntegrationOf(const IsovistRecord& r) { return r.graphMeasures.integration; }
double AverageNeighbourControl(const IsovistRecord& r) {
    return r.graphMeasures.averageNeighbourControl;
}
double GlobalConnectivityE(const IsovistRecord& r) {
    return r.graphMeasures.globalConnectivityE;
}
double GlobalE(const IsovistRecord& r) { return r.graphMeasures.globalE; }
double GlobalRelativeE(const IsovistRecord& r) { return r.graphMeasures.globalRelativeE; }
double IntegrationN(const IsovistRecord& r) { return r.graphMeasures.integrationN; }
double DepthFromCurrent(const IsovistRecord& r) { return r.depthFromCurrent; }
double ControllabilityOf(const IsovistRecord& r) { return r.graphMeasures.controllability; }
double PathCount(const IsovistRecord& r) { return r.pathCount; }
// An axial line's record keeps the line's length in its perimeter field.
double LengthOf(const IsovistRecord& r) { return r.perimeter; }
double NoneOf(const IsovistRecord&) { return 0.0; }

double RadialVariance(const RadialStats& s) { return s.variance; }
double RadialMax(const RadialStats& s) { return s.max; }
double RadialMean(const RadialStats& s) { return s.mean; }
double RadialMin(const RadialStats& s) { return s.min; }
double ElongationOf(const RadialStats& s) { return s.elongation; }
double AutocorrelationOf(const RadialStats& s) { return s.autocorrelation; }
double MaxBidirectional(const RadialStats& s) { return s.maxBidirectional; }
double MinBidirectional(const RadialStats& s) { return s.minBidirectional; }

constexpr DisplayProperty ShapeEntry(F f, int32_t code, const char* name, const char* menu,
                                double (*get)(const IsovistRecord&), S status = S::ThreeDecimals) {
    return DisplayProperty{f, code, name, menu, status, false, false, false, false, get, nullptr};
}
constexpr DisplayProperty GraphEntry(F f, int32_t code, const char* name, const char* menu,
                                double (*get)(const IsovistRecord&), bool negativeRaised,
                                bool integer = false) {
    return DisplayProperty{f,       code,           name, menu, integer ? S::Integer : S::ThreeDecimals,
                           integer, negativeRaised, true, false, get,
                           nullptr};
}
constexpr DisplayProperty RadialEntry(F f, int32_t code, const char* name, const char* menu,
                                 double (*get)(const RadialStats&), S status = S::ThreeDecimals) {
    return DisplayProperty{f, code, name, menu, status, false, false, false, true, nullptr, get};
}

// Grid codes 1..31. User defined and Visible Perimeter Ratio have no entry in the property
// list (the first has its own "User defined..." command, the second only a command).
const DisplayProperty kGrid[] = {
    ShapeEntry(F::Grid, 1, "Area", "Area", AreaOf),
    ShapeEntry(F::Grid, 2, "Perimeter", "Perimeter", PerimeterOf),
    ShapeEntry(F::Grid, 3, "Drift", "Drift", DriftOf),
    ShapeEntry(F::Grid, 4, "Occlusivity", "Occlusivity", OcclusivityOf),
    ShapeEntry(F::Grid, 5, "Compactness", "Compactness", CompactnessOf),
    ShapeEntry(F::Grid, 6, "User defined", nullptr, UserValue),
    ShapeEntry(F::Grid, 7, "Circularity", "Circularity", CircularityOf),
    ShapeEntry(F::Grid, 8, "Visible Perimeter Ratio", nullptr, VisiblePerimeterRatio),
    GraphEntry(F::Grid, 9, "Connectivity", "Connectivity", ConnectivityOf, false, true),
    GraphEntry(F::Grid, 10, "Mean Depth", "Mean Depth", MeanDepth, true),
    GraphEntry(F::Grid, 11, "Relative Asymmetry", "Relative Asymmetry", RelativeAsymmetry, true),
    RadialEntry(F::Grid, 12, "Complexity (Radial Variance)", "Complexity (Radial Variance)",
           RadialVariance),
    RadialEntry(F::Grid, 13, "Max Radial", "Max Radial", RadialMax),
    RadialEntry(F::Grid, 14, "Mean Radial", "Mean Radial", RadialMean),
    RadialEntry(F::Grid, 15, "Min Radial", "Min Radial", RadialMin),
    RadialEntry(F::Grid, 16, "Elongation", "Elongation", ElongationOf),
    RadialEntry(F::Grid, 17, "Autocorrelation", "Autocorrelation", AutocorrelationOf),
    ShapeEntry(F::Grid, 18, "Point Count", "Point Count", PointCount, S::TwoDecimals),
    GraphEntry(F::Grid, 19, "Control", "Control", ControlOf, false),
    GraphEntry(F::Grid, 20, "Real Relative Asymmetry", "Real Relative Asymmetry",
          RealRelativeAsymmetry, true),
    GraphEntry(F::Grid, 21, "Integration", "Integration", IntegrationOf, true),
    GraphEntry(F::Grid, 22, "Average Neighbor Control", "Average Neighbor Control (AN)",
          AverageNeighbourControl, true),
    GraphEntry(F::Grid, 23, "Global Connectivity E", "Global Connectivity E (GCE)", GlobalConnectivityE,
          true),
    GraphEntry(F::Grid, 24, "Global E", "Global E (GE)", GlobalE, true),
    GraphEntry(F::Grid, 25, "Global Relative E", "Global Relative E (GRE)", GlobalRelativeE, false),
    GraphEntry(F::Grid, 26, "Integration-n", "Integration-n", IntegrationN, true),
    GraphEntry(F::Grid, 27, "Depth from current cell", "Depth from current cell", DepthFromCurrent,
          false, true),
    GraphEntry(F::Grid, 28, "Controllability", "Controllability", ControllabilityOf, true),
    DisplayProperty{F::Grid, 29, "Path Count", "Path Count", S::Integer, true, false, false,
                    false, PathCount, nullptr},
    RadialEntry(F::Grid, 30, "Max Radial (Bidirectional)", "Max Radial (Bidirectional)",
           MaxBidirectional, S::Empty),
    RadialEntry(F::Grid, 31, "Min Radial (Bidirectional)", "Min Radial (Bidirectional)",
           MinBidirectional, S::Empty),
};

// Path codes 1..13, listed in the order of their menu; User defined has its own command.
const DisplayProperty kPath[] = {
    ShapeEntry(F::Path, 1, "Area", "Area", AreaOf),
    ShapeEntry(F::Path, 2, "Perimeter", "Perimeter", PerimeterOf),
    ShapeEntry(F::Path, 3, "Drift", "Drift", DriftOf),
    ShapeEntry(F::Path, 4, "Occlusivity", "Occlusivity", OcclusivityOf),
    ShapeEntry(F::Path, 5, "Compactness", "Compactness", CompactnessOf),
    ShapeEntry(F::Path, 6, "User defined", nullptr, UserValue),
    ShapeEntry(F::Path, 7, "Circularity", "Circularity", CircularityOf),
    RadialEntry(F::Path, 12, "Mean Radial", "Mean Radial", RadialMean),
    RadialEntry(F::Path, 11, "Max Radial", "Max Radial", RadialMax),
    RadialEntry(F::Path, 13, "Min Radial", "Min Radial", RadialMin),
    RadialEntry(F::Path, 9, "Complexity", "Complexity", RadialVariance),
    RadialEntry(F::Path, 8, "Elongation", "Elongation", ElongationOf),
    RadialEntry(F::Path, 10, "Autocorrelation", "Autocorrelation", AutocorrelationOf),
};

// Axial codes 0..13; the analysis fills every line's record, so none needs the grid's options.
const DisplayProperty kAxial[] = {
    ShapeEntry(F::Axial, 0, "None", "None", NoneOf),
    ShapeEntry(F::Axial, 1, "Length", "Length", LengthOf),
    DisplayProperty{F::Axial, 2, "Connectivity", "Connectivity", S::Integer, true, false, false,
                    false, ConnectivityOf, nullptr},
    ShapeEntry(F::Axial, 3, "Mean Depth", "Mean Depth", MeanDepth),
    ShapeEntry(F::Axial, 4, "Control", "Control", ControlOf),
    ShapeEntry(F::Axial, 5, "Controllability", "Controllability", ControllabilityOf),
    ShapeEntry(F::Axial, 6, "Relative Asymmetry", "Relative Asymmetry", RelativeAsymmetry),
    ShapeEntry(F::Axial, 7, "Real Relative Asymmetry", "Real Relative Asymmetry",
          RealRelativeAsymmetry),
    ShapeEntry(F::Axial, 8, "Integration", "Integration", IntegrationOf),
    ShapeEntry(F::Axial, 9, "Integration-n", "Integration-n", IntegrationN),
    ShapeEntry(F::Axial, 10, "Average Neighbor Control", "Average Neighbor Control",
          AverageNeighbourControl),
    ShapeEntry(F::Axial, 11, "Global E", "Global E", GlobalE),
    ShapeEntry(F::Axial, 12, "Global Relative E", "Global Relative E", GlobalRelativeE),
    ShapeEntry(F::Axial, 13, "Global Connectivity E", "Global Connectivity E", GlobalConnectivityE),
};

}  // namespace

std::span<const DisplayProperty> DisplayPropertiesOf(PropertyFamily family) {
    switch (family) {
        case PropertyFamily::Grid:
            return kGrid;
        case PropertyFamily::Path:
            return kPath;
        case PropertyFamily::Axial:
            return kAxial;
    }
    return {};
}

const DisplayProperty* FindDisplayProperty(PropertyFamily family, int32_t code) {
    for (const DisplayProperty& p : DisplayPropertiesOf(family)) {
        if (p.code == code) {
            return &p;
        }
    }
    return nullptr;
}

double DisplayValue(const DisplayProperty& property, const IsovistRecord& record,
                    const RadialStats* radial) {
    if (property.radial) {
        return radial != nullptr && property.radialValue != nullptr ? property.radialValue(*radial)
                                                                    : 0.0;
    }
    return property.recordValue != nullptr ? property.recordValue(record) : 0.0;
}

std::string GridPickStatusText(const DisplayProperty& property, double value, PlanPoint centre) {
    char text[512];
    switch (property.status) {
        case StatusFormat::Empty:
            return {};
        case StatusFormat::Integer:
            std::snprintf(text, sizeof text, "%d @ %.1f, %.1f", static_cast<int>(value), centre.x,
                          centre.y);
            break;
        case StatusFormat::TwoDecimals:
            std::snprintf(text, sizeof text, "%.2f @ %.1f, %.1f", value, centre.x, centre.y);
            break;
        case StatusFormat::ThreeDecimals:
            std::snprintf(text, sizeof text, "%.3f @ %.1f, %.1f", value, centre.x, centre.y);
            break;
    }
    return text;
}
