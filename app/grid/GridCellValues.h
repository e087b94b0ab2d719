// Values the grid's display entries fill in on demand: one shape measure recomputed over the
// cells, the custom points counted per cell, and the user's own values read from a text file.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <span>
#include <vector>

#include "document/AnalysisGrid.h"
#include "document/DocumentUi.h"
#include "document/PlanTypes.h"
#include "isovist/IsovistMeasures.h"

// Recomputes `measure` in every effective cell's record (the perimeter only where the record
// has at least one vertex) and sets it to 0 in every other cell.
void RecomputeGridMeasure(CAnalysisGrid& grid, IsovistShapeMeasure measure,
                          std::span<const PlanSegment> walls);

// Every cell's point count becomes the sum over `points` of 1 for a point strictly inside the
// cell, 0.5 on one of its edges and 0.25 at a corner: a point on an edge shared by two cells
// counts half in each. Does nothing unless the grid has a cell, a column and a row.
void CountPointsInCells(CAnalysisGrid& grid, std::span<const PlanPoint> points);

// Reads one value per line: the leading decimal number of the line's first 255 characters,
// 0 where the line starts with no number or the number is not finite. Stops reading once
// more than `maxValues` lines were seen (the result then has maxValues + 1 values), so a
// huge file costs no more than the grid it is meant for.
std::vector<double> ReadUserValues(std::istream& in, size_t maxValues);

// The User Defined commands' file step: asks for a text file of values and reads it as
// ReadUserValues does; empty (after "The file PATH cannot be opened" or "... cannot be read")
// when the file cannot be opened or read, or when the user cancels.
std::optional<std::vector<double>> ChooseUserValues(DocumentUi& ui, size_t maxValues);

// Gives the values, in order, to the effective cells in index order; false (nothing changed)
// unless there is exactly one value per effective cell.
bool AssignUserValues(CAnalysisGrid& grid, std::span<const double> values);
