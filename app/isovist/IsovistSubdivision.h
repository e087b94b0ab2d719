// The logic of the Isovist Subdivision dialog: cutting the point isovist into equal angular
// sectors, the list of one measure per sector, the pie diagram and the summary text.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/PlanTypes.h"
#include "document/IsovistRecord.h"

// The measures the dialog can list, in the order of its measure box.
enum class SubdivisionMeasure : int32_t {
    Area = 0,
    Perimeter,
    Drift,
    Occlusivity,
    Compactness,
    Circularity,
    MaxRadial,  // the record's maxVertexDistance
};
inline constexpr int32_t kSubdivisionMeasureCount = 7;

// "Area", "Perimeter", "Drift", "Occlusivity", "Compactness", "Circularity", "Max Radial".
std::vector<std::string> SubdivisionMeasureNames();

// The measure name with its unit in parentheses where it has one: "Area (mm²)",
// "Perimeter (mm)", "Occlusivity".
std::string SubdivisionMeasureHeading(SubdivisionMeasure measure, int32_t unit);

double SubdivisionMeasureValue(const IsovistRecord& record, SubdivisionMeasure measure);

struct SubdivisionRow {
    std::string index;  // from 0
    std::string value;  // "%.4f"
};

// One pie slice of the diagram: angles in degrees, counter-clockwise, y up.
struct SubdivisionSlice {
    double startAngle;
    double endAngle;
    double radius;
};

class IsovistSubdivision {
  public:
    // More sectors than this would only exhaust memory; such a count does nothing.
    static constexpr uint32_t kMaxSubdivisions = 3600;

    // `pointIsovist` and `walls` are the document's and must outlive this object.
    IsovistSubdivision(const IsovistRecord& pointIsovist, std::span<const PlanSegment> walls,
                       int32_t unit);

    // Replaces the sectors by `count` cones of 360/count degrees each, counter-clockwise,
    // sector 0 starting at startAngle (degrees). Returns false, changing nothing, when
    // count ≤ 1 or count > kMaxSubdivisions.
    bool Generate(double startAngle, uint32_t count);

    // Selects the measure by its index in the measure box; an index outside 0..6 is ignored.
    void SelectMeasure(int32_t index) {
        if (index >= 0 && index < kSubdivisionMeasureCount) {
            measure_ = static_cast<SubdivisionMeasure>(index);
        }
    }
    SubdivisionMeasure selectedMeasure() const { return measure_; }

    const std::vector<IsovistRecord>& sectors() const { return sectors_; }

    // The list column heading and rows for the selected measure.
    std::string Heading() const { return SubdivisionMeasureHeading(measure_, unit_); }
    std::vector<SubdivisionRow> Rows() const;

    // The diagram's slices for a control whose half smaller side is `radius`: each sector's
    // radius is radius · √value / √largest. Values whose root is not a finite positive
    // number (negative, infinite, not a number) get radius 0.
    std::vector<SubdivisionSlice> Diagram(double radius) const;

    // The text of "Summary", with every measure for every sector; lines end in "\r\n".
    std::string SummaryText() const;

  private:
    const IsovistRecord& pointIsovist_;
    std::span<const PlanSegment> walls_;
    int32_t unit_;
    SubdivisionMeasure measure_ = SubdivisionMeasure::Area;
    std::vector<IsovistRecord> sectors_;
    double generatedStartAngle_ = 0.0;
    uint32_t generatedCount_ = 0;
};
