// Breadth-first search over a visibility graph, one level at a time: the search behind the
// graph measures and the depth from one cell. Each level is found either top-down (the rows
// of the frontier nodes ORed together) or, on a symmetric matrix, bottom-up (each unvisited
// node asks whether its row meets the frontier and stops at the first hit); both give the
// same level. The search keeps its own copy of the rows holding only their non-zero words,
// with the nodes renumbered in a given order: numbering the cells of a grid tile by tile
// keeps what one cell sees in few words.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "document/VisibilityGraph.h"

// Which way the levels are found. Auto picks per level the cheaper of the two; the others
// are for tests (BottomUp still goes top-down on a matrix that is not symmetric).
enum class LevelDirection { Auto, TopDown, BottomUp };

// The non-zero words of one row: bits[k] is word index[k] of the row, indices ascending.
struct SparseRow {
    std::span<const uint32_t> index;
    std::span<const uint64_t> bits;
};

// The nodes of an nx x ny grid (numbered row * nx + column) tile by tile, 8 x 8 cells to a
// tile: entry p is the node placed at p. Empty unless nx, ny >= 1 and nx * ny fits 32 bits.
std::vector<int32_t> GridTileOrder(int32_t nx, int32_t ny);

// The graph prepared for many searches. Nodes get places: place p holds node order[p], or
// node p when `order` is not a permutation of the nodes (e.g. empty). The search and its
// levels speak of places.
class CLevelSearchGraph {
  public:
    explicit CLevelSearchGraph(const CVisibilityGraph& graph, std::span<const int32_t> order = {});

    int32_t nodeCount() const { return static_cast<int32_t>(placeOf_.size()); }
    int32_t rowWordCount() const { return rowWords_; }
    int32_t placeOf(int32_t node) const { return placeOf_[static_cast<size_t>(node)]; }
    int32_t nodeAt(int32_t place) const { return nodeAt_[static_cast<size_t>(place)]; }
    // The non-zero words of the row of the node at `place`, in places, ascending.
    SparseRow row(int32_t place) const {
        const auto begin = static_cast<size_t>(rowStart_[static_cast<size_t>(place)]);
        const auto count = static_cast<size_t>(rowStart_[static_cast<size_t>(place) + 1]) - begin;
        return {std::span<const uint32_t>(wordIndex_).subspan(begin, count),
                std::span<const uint64_t>(wordBits_).subspan(begin, count)};
    }
    // One bit per place whose row is not empty (only those can be reached).
    std::span<const uint64_t> placesWithEdges() const { return placesWithEdges_; }
    int64_t totalWords() const { return rowStart_.back(); }
    // Row i equals column i for every i: a node's row then also says who sees it.
    bool symmetric() const { return symmetric_; }

  private:
    int32_t rowWords_ = 0;
    std::vector<int32_t> placeOf_;
    std::vector<int32_t> nodeAt_;
    std::vector<int64_t> rowStart_;  // nodeCount + 1 offsets into the two arrays below
    std::vector<uint32_t> wordIndex_;
    std::vector<uint64_t> wordBits_;
    std::vector<uint64_t> placesWithEdges_;
    bool symmetric_ = false;
};

// One search's working sets (bits by place), reused from search to search by one thread.
struct LevelSearchScratch {
    std::vector<uint64_t> visited;   // the source and every level found so far
    std::vector<uint64_t> frontier;  // the last level found
    std::vector<uint64_t> next;
    int64_t frontierWords = 0;   // row words of the frontier
    int64_t unvisitedWords = 0;  // row words of the places not yet visited
};

// Starts a search at the node at place `source` (visited = frontier = {source}).
void BeginLevelSearch(const CLevelSearchGraph& graph, int32_t source, LevelSearchScratch& s);
// Finds the next level into s.frontier (and adds it to s.visited); false when it is empty.
bool AdvanceLevel(const CLevelSearchGraph& graph, LevelSearchScratch& s,
                  LevelDirection direction = LevelDirection::Auto);

// Searches from the node at place `source`, calling onLevel(L, places of level L as words)
// after each non-empty level L >= 1, up to level maxDepth (no limit when negative).
// Afterwards s.visited holds the source and every place within maxDepth.
template <class OnLevel>
void SearchLevels(const CLevelSearchGraph& graph, int32_t source, int64_t maxDepth,
                  LevelSearchScratch& s, OnLevel&& onLevel,
                  LevelDirection direction = LevelDirection::Auto) {
    BeginLevelSearch(graph, source, s);
    for (int64_t level = 1; maxDepth < 0 || level <= maxDepth; ++level) {
        if (!AdvanceLevel(graph, s, direction)) {
            return;
        }
        onLevel(level, std::span<const uint64_t>(s.frontier));
    }
}

inline bool HasBit(std::span<const uint64_t> words, int32_t i) {
    return ((words[static_cast<size_t>(i / CVisibilityGraph::kBitsPerWord)] >>
             (i % CVisibilityGraph::kBitsPerWord)) &
            1u) != 0;
}
