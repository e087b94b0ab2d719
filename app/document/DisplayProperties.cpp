#include "document/DisplayProperties.h"

#include <cstdio>

namespace {

using F = PropertyFamily;
using S = StatusFormat;

// Getters, one per measure, so that the tables stay plain data.
double area(const IsovistRecord& r) { return r.area; }
double perimeter(const IsovistRecord& r) { return r.perimeter; }
double drift(const IsovistRecord& r) { return r.drift; }
double occlusivity(const IsovistRecord& r) { return r.occlusivity; }
double compactness(const IsovistRecord& r) { return r.compactness; }
double userValue(const IsovistRecord& r) { return r.userValue; }
double circularity(const IsovistRecord& r) { return r.circularity; }
double visiblePerimeterRatio(const IsovistRecord& r) { return r.visiblePerimeterRatio; }
double connectivity(const IsovistRecord& r) { return r.graphMeasures.connectivity; }
double meanDepth(const IsovistRecord& r) { return r.graphMeasures.meanDepth; }
double relativeAsymmetry(const IsovistRecord& r) { return r.graphMeasures.relativeAsymmetry; }
double pointCount(const IsovistRecord& r) { return r.graphMeasures.pointCount; }
double control(const IsovistRecord& r) { return r.graphMeasures.control; }
double realRelativeAsymmetry(const IsovistRecord& r) {
    return r.graphMeasures.realRelativeAsymmetry;
}
double integration(const IsovistRecord& r) { return r.graphMeasures.integration; }
double averageNeighbourControl(const IsovistRecord& r) {
    return r.graphMeasures.averageNeighbourControl;
}
double globalConnectivityE(const IsovistRecord& r) {
    return r.graphMeasures.globalConnectivityE;
}
double globalE(const IsovistRecord& r) { return r.graphMeasures.globalE; }
double globalRelativeE(const IsovistRecord& r) { return r.graphMeasures.globalRelativeE; }
double integrationN(const IsovistRecord& r) { return r.graphMeasures.integrationN; }
double depthFromCurrent(const IsovistRecord& r) { return r.depthFromCurrent; }
double controllability(const IsovistRecord& r) { return r.graphMeasures.controllability; }
double pathCount(const IsovistRecord& r) { return r.pathCount; }
// An axial line's record keeps the line's length in its perimeter field.
double length(const IsovistRecord& r) { return r.perimeter; }
double none(const IsovistRecord&) { return 0.0; }

double radialVariance(const RadialStats& s) { return s.variance; }
double radialMax(const RadialStats& s) { return s.max; }
double radialMean(const RadialStats& s) { return s.mean; }
double radialMin(const RadialStats& s) { return s.min; }
double elongation(const RadialStats& s) { return s.elongation; }
double autocorrelation(const RadialStats& s) { return s.autocorrelation; }
double maxBidirectional(const RadialStats& s) { return s.maxBidirectional; }
double minBidirectional(const RadialStats& s) { return s.minBidirectional; }

constexpr DisplayProperty shape(F f, int32_t code, const char* name, const char* menu,
                                double (*get)(const IsovistRecord&), S status = S::ThreeDecimals) {
    return DisplayProperty{f, code, name, menu, status, false, false, false, false, get, nullptr};
}
constexpr DisplayProperty graph(F f, int32_t code, const char* name, const char* menu,
                                double (*get)(const IsovistRecord&), bool negativeRaised,
                                bool integer = false) {
    return DisplayProperty{f,       code,           name, menu, integer ? S::Integer : S::ThreeDecimals,
                           integer, negativeRaised, true, false, get,
                           nullptr};
}
constexpr DisplayProperty radial(F f, int32_t code, const char* name, const char* menu,
                                 double (*get)(const RadialStats&), S status = S::ThreeDecimals) {
    return DisplayProperty{f, code, name, menu, status, false, false, false, true, nullptr, get};
}

// Grid codes 1..31. User defined and Visible Perimeter Ratio have no entry in the property
// list (the first has its own "User defined..." command, the second only a command).
const DisplayProperty kGrid[] = {
    shape(F::Grid, 1, "Area", "Area", area),
    shape(F::Grid, 2, "Perimeter", "Perimeter", perimeter),
    shape(F::Grid, 3, "Drift", "Drift", drift),
    shape(F::Grid, 4, "Occlusivity", "Occlusivity", occlusivity),
    shape(F::Grid, 5, "Compactness", "Compactness", compactness),
    shape(F::Grid, 6, "User defined", nullptr, userValue),
    shape(F::Grid, 7, "Circularity", "Circularity", circularity),
    shape(F::Grid, 8, "Visible Perimeter Ratio", nullptr, visiblePerimeterRatio),
    graph(F::Grid, 9, "Connectivity", "Connectivity", connectivity, false, true),
    graph(F::Grid, 10, "Mean Depth", "Mean Depth", meanDepth, true),
    graph(F::Grid, 11, "Relative Asymmetry", "Relative Asymmetry", relativeAsymmetry, true),
    radial(F::Grid, 12, "Complexity (Radial Variance)", "Complexity (Radial Variance)",
           radialVariance),
    radial(F::Grid, 13, "Max Radial", "Max Radial", radialMax),
    radial(F::Grid, 14, "Mean Radial", "Mean Radial", radialMean),
    radial(F::Grid, 15, "Min Radial", "Min Radial", radialMin),
    radial(F::Grid, 16, "Elongation", "Elongation", elongation),
    radial(F::Grid, 17, "Autocorrelation", "Autocorrelation", autocorrelation),
    shape(F::Grid, 18, "Point Count", "Point Count", pointCount, S::TwoDecimals),
    graph(F::Grid, 19, "Control", "Control", control, false),
    graph(F::Grid, 20, "Real Relative Asymmetry", "Real Relative Asymmetry",
          realRelativeAsymmetry, true),
    graph(F::Grid, 21, "Integration", "Integration", integration, true),
    graph(F::Grid, 22, "Average Neighbor Control", "Average Neighbor Control (AN)",
          averageNeighbourControl, true),
    graph(F::Grid, 23, "Global Connectivity E", "Global Connectivity E (GCE)", globalConnectivityE,
          true),
    graph(F::Grid, 24, "Global E", "Global E (GE)", globalE, true),
    graph(F::Grid, 25, "Global Relative E", "Global Relative E (GRE)", globalRelativeE, false),
    graph(F::Grid, 26, "Integration-n", "Integration-n", integrationN, true),
    graph(F::Grid, 27, "Depth from current cell", "Depth from current cell", depthFromCurrent,
          false, true),
    graph(F::Grid, 28, "Controllability", "Controllability", controllability, true),
    DisplayProperty{F::Grid, 29, "Path Count", "Path Count", S::Integer, true, false, false,
                    false, pathCount, nullptr},
    radial(F::Grid, 30, "Max Radial (Bidirectional)", "Max Radial (Bidirectional)",
           maxBidirectional, S::Empty),
    radial(F::Grid, 31, "Min Radial (Bidirectional)", "Min Radial (Bidirectional)",
           minBidirectional, S::Empty),
};

// Path codes 1..13, listed in the order of their menu; User defined has its own command.
const DisplayProperty kPath[] = {
    shape(F::Path, 1, "Area", "Area", area),
    shape(F::Path, 2, "Perimeter", "Perimeter", perimeter),
    shape(F::Path, 3, "Drift", "Drift", drift),
    shape(F::Path, 4, "Occlusivity", "Occlusivity", occlusivity),
    shape(F::Path, 5, "Compactness", "Compactness", compactness),
    shape(F::Path, 6, "User defined", nullptr, userValue),
    shape(F::Path, 7, "Circularity", "Circularity", circularity),
    radial(F::Path, 12, "Mean Radial", "Mean Radial", radialMean),
    radial(F::Path, 11, "Max Radial", "Max Radial", radialMax),
    radial(F::Path, 13, "Min Radial", "Min Radial", radialMin),
    radial(F::Path, 9, "Complexity", "Complexity", radialVariance),
    radial(F::Path, 8, "Elongation", "Elongation", elongation),
    radial(F::Path, 10, "Autocorrelation", "Autocorrelation", autocorrelation),
};

// Axial codes 0..13; the analysis fills every line's record, so none needs the grid's options.
const DisplayProperty kAxial[] = {
    shape(F::Axial, 0, "None", "None", none),
    shape(F::Axial, 1, "Length", "Length", length),
    DisplayProperty{F::Axial, 2, "Connectivity", "Connectivity", S::Integer, true, false, false,
                    false, connectivity, nullptr},
    shape(F::Axial, 3, "Mean Depth", "Mean Depth", meanDepth),
    shape(F::Axial, 4, "Control", "Control", control),
    shape(F::Axial, 5, "Controllability", "Controllability", controllability),
    shape(F::Axial, 6, "Relative Asymmetry", "Relative Asymmetry", relativeAsymmetry),
    shape(F::Axial, 7, "Real Relative Asymmetry", "Real Relative Asymmetry",
          realRelativeAsymmetry),
    shape(F::Axial, 8, "Integration", "Integration", integration),
    shape(F::Axial, 9, "Integration-n", "Integration-n", integrationN),
    shape(F::Axial, 10, "Average Neighbor Control", "Average Neighbor Control",
          averageNeighbourControl),
    shape(F::Axial, 11, "Global E", "Global E", globalE),
    shape(F::Axial, 12, "Global Relative E", "Global Relative E", globalRelativeE),
    shape(F::Axial, 13, "Global Connectivity E", "Global Connectivity E", globalConnectivityE),
};

}  // namespace

std::span<const DisplayProperty> displayProperties(PropertyFamily family) {
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

const DisplayProperty* findDisplayProperty(PropertyFamily family, int32_t code) {
    for (const DisplayProperty& p : displayProperties(family)) {
        if (p.code == code) {
            return &p;
        }
    }
    return nullptr;
}

double displayValue(const DisplayProperty& property, const IsovistRecord& record,
                    const RadialStats* radial) {
    if (property.radial) {
        return radial != nullptr && property.radialValue != nullptr ? property.radialValue(*radial)
                                                                    : 0.0;
    }
    return property.recordValue != nullptr ? property.recordValue(record) : 0.0;
}

std::string gridPickStatusText(const DisplayProperty& property, double value, PlanPoint centre) {
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
