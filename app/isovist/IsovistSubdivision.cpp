#include "isovist/IsovistSubdivision.h"

#include <algorithm>
#include <cmath>

#include "document/NumberText.h"
#include "document/UnitNames.h"
#include "isovist/ViewCone.h"

namespace {

constexpr const char* kMeasureNames[kSubdivisionMeasureCount] = {
    "Area", "Perimeter", "Drift", "Occlusivity", "Compactness", "Circularity", "Max Radial"};

std::string UnitSuffix(SubdivisionMeasure measure, int32_t unit) {
    switch (measure) {
        case SubdivisionMeasure::Area:
            return " (" + AreaUnitName(unit) + ")";
        case SubdivisionMeasure::Perimeter:
        case SubdivisionMeasure::Drift:
        case SubdivisionMeasure::MaxRadial:
            return " (" + UnitName(unit) + ")";
        default:
            return {};
    }
}

// The diagram's scale: √value when that is a finite positive number, else 0.
double DiagramRoot(double value) {
    const double root = std::sqrt(value);
    return std::isfinite(root) && root > 0.0 ? root : 0.0;
}

}  // namespace

std::vector<std::string> SubdivisionMeasureNames() {
    return {std::begin(kMeasureNames), std::end(kMeasureNames)};
}

std::string SubdivisionMeasureHeading(SubdivisionMeasure measure, int32_t unit) {
    return kMeasureNames[static_cast<int32_t>(measure)] + UnitSuffix(measure, unit);
}

double SubdivisionMeasureValue(const IsovistRecord& r, SubdivisionMeasure measure) {
    switch (measure) {
        case SubdivisionMeasure::Area:
            return r.area;
        case SubdivisionMeasure::Perimeter:
            return r.perimeter;
        case SubdivisionMeasure::Drift:
            return r.drift;
        case SubdivisionMeasure::Occlusivity:
            return r.occlusivity;
        case SubdivisionMeasure::Compactness:
            return r.compactness;
        case SubdivisionMeasure::Circularity:
            return r.circularity;
        case SubdivisionMeasure::MaxRadial:
            return r.maxVertexDistance;
    }
    return 0.0;
}

IsovistSubdivision::IsovistSubdivision(const IsovistRecord& pointIsovist,
                                       std::span<const PlanSegment> walls, int32_t unit)
    : pointIsovist_(pointIsovist), walls_(walls), unit_(unit) {}

bool IsovistSubdivision::Generate(double startAngle, uint32_t count) {
    if (count <= 1 || count > kMaxSubdivisions) {
        return false;
    }
    sectors_.assign(count, pointIsovist_);
    const double width = 360.0 / count;
    for (uint32_t k = 0; k < count; ++k) {
        IsovistRecord& sector = sectors_[k];
        ApplyViewCone(sector, sector, startAngle + width / 2 + k * width, width / 2, walls_);
    }
    generatedStartAngle_ = startAngle;
    generatedCount_ = count;
    return true;
}

std::vector<SubdivisionRow> IsovistSubdivision::Rows() const {
    std::vector<SubdivisionRow> rows;
    for (std::size_t k = 0; k < sectors_.size(); ++k) {
        rows.push_back(
            {std::to_string(k), FormatFixed4(SubdivisionMeasureValue(sectors_[k], measure_))});
    }
    return rows;
}

std::vector<SubdivisionSlice> IsovistSubdivision::Diagram(double radius) const {
    std::vector<double> roots;
    for (const IsovistRecord& sector : sectors_) {
        roots.push_back(DiagramRoot(SubdivisionMeasureValue(sector, measure_)));
    }
    const double largest = roots.empty() ? 0.0 : *std::max_element(roots.begin(), roots.end());
    const double width = generatedCount_ > 0 ? 360.0 / generatedCount_ : 0.0;
    std::vector<SubdivisionSlice> slices;
    for (std::size_t k = 0; k < roots.size(); ++k) {
        const double scaled = largest > 0.0 ? radius * roots[k] / largest : 0.0;
        slices.push_back({generatedStartAngle_ + static_cast<double>(k) * width,
                          generatedStartAngle_ + static_cast<double>(k + 1) * width, scaled});
    }
    return slices;
}

std::string IsovistSubdivision::SummaryText() const {
    std::string text = "Conterclockwise starting from the segment 0\r\n";
    for (int32_t m = 0; m < kSubdivisionMeasureCount; ++m) {
        const auto measure = static_cast<SubdivisionMeasure>(m);
        text += "\r\n" + SubdivisionMeasureHeading(measure, unit_) + "\r\n";
        for (std::size_t k = 0; k < sectors_.size(); ++k) {
            text += std::to_string(k) + "\t" +
                    FormatFixed4(SubdivisionMeasureValue(sectors_[k], measure)) + "\r\n";
        }
    }
    return text;
}
