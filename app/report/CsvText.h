// The text of the comma-separated exports: fields joined by ", ", reals as "%f", whole numbers
// as "%d", every line ended by CR LF, and header titles that carry the plan unit. The column
// sets that several exports share (isovist, radial, graph measures) are defined once here.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

#include "document/IsovistRecord.h"

// The unit a column title carries: none, the length unit "(mm)" or the area unit "(mm²)", the
// superscript two written as the bytes 0xA9 0xF7.
enum class ColumnUnit { None, Length, Area };

struct CsvColumn {
    const char* title;
    ColumnUnit unit;
};

// Which columns a path or grid export writes, by the isovist method.
enum class CsvForm {
    Short,   // exact methods (0 node, 2 visibility polygon)
    Radial,  // radial method (1): the radial columns appended
    None,    // any other method value: the file is left empty
};
CsvForm CsvFormOfMethod(int32_t isovistMethod);

// Builds the text of one export line by line.
class CsvWriter {
  public:
    // The header line of the column sets in order, for `unit` (0 mm ... 4 ft); nothing at all
    // for a unit outside 0..4.
    void header(std::initializer_list<std::span<const CsvColumn>> columnSets, int32_t unit);
    void real(double value);    // "%f"
    void whole(int32_t value);  // "%d"
    void endLine();             // CR LF

    const std::string& text() const { return text_; }

  private:
    void title(const CsvColumn& column, const std::string& unitName);
    void separate();

    std::string text_;
    bool fieldsOnLine_ = false;
};

// The isovist columns after the index column: Origin x ... Circularity (10 columns).
std::span<const CsvColumn> IsovistCsvColumns();
void WriteIsovistFields(CsvWriter& writer, const IsovistRecord& record);

// The twelve graph measures, Connectivity ... Global Connectivity E, in the column order of the
// grid and axial files (their titles differ: each file names its own columns).
void WriteGraphMeasureFields(CsvWriter& writer, const GraphMeasureBlock& measures);

// The radial columns: Mean Radial ... Autocorrelation (6 columns).
std::span<const CsvColumn> RadialCsvColumns();
void WriteRadialFields(CsvWriter& writer, const RadialStats& stats);
// The radial columns of a record whose statistics are missing: each the undefined marker −1.
void WriteMissingRadialFields(CsvWriter& writer);
