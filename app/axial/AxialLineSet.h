// The axial lines already in a map, for the duplicate rule: finds whether a line equals one of
// them (LinesEqual: end points coinciding pairwise, in either order) by hashing the lines'
// start points into cells wider than the coincidence tolerance, so that only the lines
// starting in the cells around either end of the line are compared.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "document/PlanTypes.h"

class AxialLineSet {
  public:
    explicit AxialLineSet(const std::vector<PlanSegment>& lines);

    // Some line added so far equals `line`.
    bool contains(const PlanSegment& line) const;
    void add(const PlanSegment& line);

  private:
    static bool cellOf(const PlanPoint& p, int64_t& cx, int64_t& cy);
    bool startsNear(const PlanPoint& start, const PlanPoint& end) const;

    std::vector<PlanSegment> lines_;
    std::unordered_map<uint64_t, std::vector<uint32_t>> byCell_;
    std::vector<uint32_t> unhashed_;  // coordinates too large or not finite: compared always
};
