#include "report/CsvText.h"

#include <array>
#include <cstdio>

#include "document/DocumentSettings.h"
#include "document/UnitNames.h"

namespace {

// The superscript two of the exports' code page.
constexpr const char* kAreaSuperscript = "\xA9\xF7";

constexpr std::array<CsvColumn, 10> kIsovistColumns = {{
    {"Origin x", ColumnUnit::Length},
    {"Origin y", ColumnUnit::Length},
    {"Centroid x", ColumnUnit::Length},
    {"Centroid y", ColumnUnit::Length},
    {"Area", ColumnUnit::Area},
    {"Perimeter", ColumnUnit::Length},
    {"Drift", ColumnUnit::Length},
    {"Occlusivity", ColumnUnit::None},
    {"Compactness", ColumnUnit::None},
    {"Circularity", ColumnUnit::None},
}};

constexpr std::array<CsvColumn, 6> kRadialColumns = {{
    {"Mean Radial", ColumnUnit::Length},
    {"Max Radial", ColumnUnit::Length},
    {"Min Radial", ColumnUnit::Length},
    {"Complexity", ColumnUnit::Area},
    {"Elongation", ColumnUnit::None},
    {"Autocorrelation", ColumnUnit::None},
}};

constexpr double kUndefined = -1.0;

}  // namespace

CsvForm CsvFormOfMethod(int32_t isovistMethod) {
    switch (isovistMethod) {
        case kExactNodeMethod:
        case kExactVisibilityPolygonMethod:
            return CsvForm::Short;
        case kApproximateRadialMethod:
            return CsvForm::Radial;
        default:
            return CsvForm::None;
    }
}

void CsvWriter::header(std::initializer_list<std::span<const CsvColumn>> columnSets, int32_t unit) {
    const std::string unitName = UnitName(unit);
    if (unitName.empty()) {
        return;
    }
    for (const std::span<const CsvColumn> columns : columnSets) {
        for (const CsvColumn& column : columns) {
            title(column, unitName);
        }
    }
    endLine();
}

void CsvWriter::title(const CsvColumn& column, const std::string& unitName) {
    separate();
    text_ += column.title;
    if (column.unit != ColumnUnit::None) {
        text_ += " (" + unitName;
        if (column.unit == ColumnUnit::Area) {
            text_ += kAreaSuperscript;
        }
        text_ += ")";
    }
}

void CsvWriter::real(double value) {
    separate();
    char field[400];  // room for the largest double in full
    std::snprintf(field, sizeof field, "%f", value);
    text_ += field;
}

void CsvWriter::whole(int32_t value) {
    separate();
    text_ += std::to_string(value);
}

void CsvWriter::endLine() {
    text_ += "\r\n";
    fieldsOnLine_ = false;
}

void CsvWriter::separate() {
    if (fieldsOnLine_) {
        text_ += ", ";
    }
    fieldsOnLine_ = true;
}

std::span<const CsvColumn> IsovistCsvColumns() {
    return kIsovistColumns;
}

void WriteIsovistFields(CsvWriter& writer, const IsovistRecord& record) {
    writer.real(record.origin.x);
    writer.real(record.origin.y);
    writer.real(record.centroid.x);
    writer.real(record.centroid.y);
    writer.real(record.area);
    writer.real(record.perimeter);
    writer.real(record.drift);
    writer.real(record.occlusivity);
    writer.real(record.compactness);
    writer.real(record.circularity);
}

void WriteGraphMeasureFields(CsvWriter& writer, const GraphMeasureBlock& measures) {
    writer.whole(measures.connectivity);
    writer.real(measures.meanDepth);
    writer.real(measures.control);
    writer.real(measures.controllability);
    writer.real(measures.relativeAsymmetry);
    writer.real(measures.realRelativeAsymmetry);
    writer.real(measures.integration);
    writer.real(measures.integrationN);
    writer.real(measures.averageNeighbourControl);
    writer.real(measures.globalE);
    writer.real(measures.globalRelativeE);
    writer.real(measures.globalConnectivityE);
}

std::span<const CsvColumn> RadialCsvColumns() {
    return kRadialColumns;
}

void WriteRadialFields(CsvWriter& writer, const RadialStats& stats) {
    writer.real(stats.mean);
    writer.real(stats.max);
    writer.real(stats.min);
    writer.real(stats.variance);
    writer.real(stats.elongation);
    writer.real(stats.autocorrelation);
}

void WriteMissingRadialFields(CsvWriter& writer) {
    for (size_t i = 0; i < kRadialColumns.size(); ++i) {
        writer.real(kUndefined);
    }
}
