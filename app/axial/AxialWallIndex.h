// The walls of a plan prepared to answer "does any wall block this candidate line?" with the
// same answer as testing every wall (AnyWallBlocks), without testing them all.
//
// A wall blocks in two ways. It crosses the candidate: the common point the geometry library
// reports lies on the candidate, so the walls listed along the candidate in a SegmentGrid are
// all that can do so. Or it lies on the candidate's line, anywhere in the plan, which the
// library reports as 2 whatever the distance: those walls are found by their line, in a table
// sorted by direction and by offset from the plan's centre, with windows wide enough for the
// library's tolerances. Walls too short for a sound direction, walls with coordinates that are
// not finite and candidates too short for a sound direction are tested the plain way.
//
// The one assumption: where the library reports a crossing, its point lies within the margin
// of both segments. That holds but for pairs so close to parallel that the library's crossing
// point is mere rounding.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "axial/SegmentGrid.h"
#include "document/PlanTypes.h"

// One thread's working memory for the queries (walls already tested for one candidate).
struct AxialWallScratch {
    std::vector<uint32_t> testedIn;
    uint32_t query = 0;
};

class AxialWallIndex {
  public:
    explicit AxialWallIndex(std::span<const PlanSegment> walls);

    // True when some wall blocks the candidate from `from` to `to` (see WallBlocks).
    bool blocks(const PlanPoint& from, const PlanPoint& to, AxialWallScratch& scratch) const;

  private:
    // A wall's line: direction angle in [0, pi) and the signed offset of the line from the
    // centre, measured across that direction.
    struct LineEntry {
        int64_t bin = 0;
        double offset = 0.0;
        int32_t wall = 0;
    };
    bool blockedAlongLine(const PlanPoint& from, const PlanPoint& to) const;
    bool blockedInWindow(const PlanPoint& from, const PlanPoint& to, double angleLow,
                         double angleHigh, double offsetLow, double offsetHigh) const;

    std::span<const PlanSegment> walls_;
    std::vector<int32_t> plainWalls_;  // not finite: always tested
    std::vector<int32_t> shortWalls_;  // too short for the line table
    SegmentGrid grid_;
    std::vector<LineEntry> lines_;  // sorted by bin, then offset
    std::vector<int64_t> binKeys_;  // the distinct bins of lines_, ascending
    std::vector<size_t> binStart_;  // first entry of each bin, and lines_.size() at the end
    double centreX_ = 0.0;
    double centreY_ = 0.0;
    double radius_ = 0.0;       // no finite wall point lies farther from the centre
    double shortLength_ = 0.0;  // walls and candidates shorter than this go the plain way
};
