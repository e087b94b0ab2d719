#include "grid/LevelSearch.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <numeric>

#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_for.h>

namespace {

constexpr int32_t kWordBits = CVisibilityGraph::kBitsPerWord;
constexpr int32_t kTileSide = 8;  // 8 x 8 cells: one word

// A level is found bottom-up once walking the unvisited rows would cost less than this many
// times walking the frontier rows: the bottom-up walk of a row mostly stops at an early hit.
constexpr int64_t kBottomUpFactor = 2;

template <class Fn>
void ForEachSetBit(std::span<const uint64_t> words, Fn&& fn) {
    for (size_t w = 0; w < words.size(); ++w) {
        for (uint64_t bits = words[w]; bits != 0; bits &= bits - 1) {
            fn(static_cast<int32_t>(w) * kWordBits + std::countr_zero(bits));
        }
    }
}

void SetBit(std::span<uint64_t> words, int32_t i) {
    words[static_cast<size_t>(i / kWordBits)] |= uint64_t{1} << (i % kWordBits);
}

// Transposes a 64 x 64 bit block: bit c of a[r] and bit r of a[c] change places.
void TransposeBlock(std::array<uint64_t, kWordBits>& a) {
    uint64_t mask = 0x00000000FFFFFFFFull;
    for (int32_t j = 32; j != 0; j >>= 1, mask ^= mask << j) {
        for (int32_t k = 0; k < kWordBits; k = ((k | j) + 1) & ~j) {
            const uint64_t t =
                ((a[static_cast<size_t>(k)] >> j) ^ a[static_cast<size_t>(k | j)]) & mask;
            a[static_cast<size_t>(k | j)] ^= t;
            a[static_cast<size_t>(k)] ^= t << j;
        }
    }
}

// Word `wordIndex` of the 64 rows from 64 * blockRow on (0 past the last node).
std::array<uint64_t, kWordBits> Block(const CVisibilityGraph& graph, int32_t blockRow,
                                      int32_t wordIndex) {
    std::array<uint64_t, kWordBits> block{};
    for (int32_t r = 0; r < kWordBits; ++r) {
        const int32_t node = blockRow * kWordBits + r;
        if (node >= graph.nodeCount()) {
            break;
        }
        block[static_cast<size_t>(r)] = graph.row(node)[static_cast<size_t>(wordIndex)];
    }
    return block;
}

// Compares every 64 x 64 block on and below the diagonal with its mirror image.
bool IsSymmetric(const CVisibilityGraph& graph) {
    const int32_t blocks = graph.rowWordCount();
    std::atomic<bool> symmetric{true};
    tbb::parallel_for(int32_t{0}, blocks, [&](int32_t bi) {
        for (int32_t bj = 0; bj <= bi && symmetric.load(std::memory_order_relaxed); ++bj) {
            std::array<uint64_t, kWordBits> lower = Block(graph, bi, bj);
            TransposeBlock(lower);
            if (lower != Block(graph, bj, bi)) {
                symmetric.store(false, std::memory_order_relaxed);
            }
        }
    });
    return symmetric.load();
}

bool IsPermutation(std::span<const int32_t> order, int32_t n) {
    if (order.size() != static_cast<size_t>(n)) {
        return false;
    }
    std::vector<uint8_t> seen(static_cast<size_t>(n), 0);
    for (int32_t node : order) {
        if (node < 0 || node >= n || seen[static_cast<size_t>(node)] != 0) {
            return false;
        }
        seen[static_cast<size_t>(node)] = 1;
    }
    return true;
}

bool RowMeetsFrontier(const SparseRow& row, std::span<const uint64_t> frontier) {
    for (size_t k = 0; k < row.bits.size(); ++k) {
        if ((row.bits[k] & frontier[row.index[k]]) != 0) {
            return true;
        }
    }
    return false;
}

// next = the unvisited places some frontier row names.
void TopDownStep(const CLevelSearchGraph& graph, LevelSearchScratch& s) {
    std::fill(s.next.begin(), s.next.end(), 0);
    ForEachSetBit(s.frontier, [&](int32_t place) {
        const SparseRow row = graph.row(place);
        for (size_t k = 0; k < row.bits.size(); ++k) {
            s.next[row.index[k]] |= row.bits[k];
        }
    });
    for (size_t w = 0; w < s.next.size(); ++w) {
        s.next[w] &= ~s.visited[w];
    }
}

// next = the unvisited places whose row names a frontier place (the same set on a symmetric
// matrix).
void BottomUpStep(const CLevelSearchGraph& graph, LevelSearchScratch& s) {
    const std::span<const uint64_t> candidates = graph.placesWithEdges();
    for (size_t w = 0; w < s.next.size(); ++w) {
        uint64_t found = 0;
        for (uint64_t todo = candidates[w] & ~s.visited[w]; todo != 0; todo &= todo - 1) {
            const int32_t bit = std::countr_zero(todo);
            if (RowMeetsFrontier(graph.row(static_cast<int32_t>(w) * kWordBits + bit),
                                 s.frontier)) {
                found |= uint64_t{1} << bit;
            }
        }
        s.next[w] = found;
    }
}

bool GoesBottomUp(const CLevelSearchGraph& graph, const LevelSearchScratch& s,
                  LevelDirection direction) {
    if (!graph.symmetric()) {
        return false;
    }
    switch (direction) {
        case LevelDirection::TopDown:
            return false;
        case LevelDirection::BottomUp:
            return true;
        case LevelDirection::Auto:
            break;
    }
    return s.unvisitedWords < kBottomUpFactor * s.frontierWords;
}

}  // namespace

std::vector<int32_t> GridTileOrder(int32_t nx, int32_t ny) {
    std::vector<int32_t> order;
    if (nx < 1 || ny < 1 || int64_t{nx} * ny > INT32_MAX) {
        return order;
    }
    order.reserve(static_cast<size_t>(nx) * static_cast<size_t>(ny));
    for (int32_t tileRow = 0; tileRow < ny; tileRow += kTileSide) {
        for (int32_t tileColumn = 0; tileColumn < nx; tileColumn += kTileSide) {
            for (int32_t row = tileRow; row < std::min(tileRow + kTileSide, ny); ++row) {
                for (int32_t column = tileColumn; column < std::min(tileColumn + kTileSide, nx);
                     ++column) {
                    order.push_back(row * nx + column);
                }
            }
        }
    }
    return order;
}

CLevelSearchGraph::CLevelSearchGraph(const CVisibilityGraph& graph, std::span<const int32_t> order)
    : rowWords_(graph.rowWordCount()),
      placeOf_(static_cast<size_t>(graph.nodeCount())),
      nodeAt_(static_cast<size_t>(graph.nodeCount())),
      placesWithEdges_(static_cast<size_t>(graph.rowWordCount()), 0) {
    const int32_t n = graph.nodeCount();
    if (IsPermutation(order, n)) {
        nodeAt_.assign(order.begin(), order.end());
    } else {
        std::iota(nodeAt_.begin(), nodeAt_.end(), 0);
    }
    for (int32_t place = 0; place < n; ++place) {
        placeOf_[static_cast<size_t>(nodeAt_[static_cast<size_t>(place)])] = place;
    }
    // Each row in places, once to count its non-zero words and once to copy them.
    tbb::enumerable_thread_specific<std::vector<uint64_t>> dense(
        std::vector<uint64_t>(static_cast<size_t>(rowWords_), 0));
    auto forEachWordOfRow = [&](int32_t place, auto&& fn) {
        std::vector<uint64_t>& words = dense.local();
        ForEachSetBit(graph.row(nodeAt(place)), [&](int32_t j) { SetBit(words, placeOf(j)); });
        for (size_t w = 0; w < words.size(); ++w) {
            if (words[w] != 0) {
                fn(static_cast<uint32_t>(w), words[w]);
                words[w] = 0;
            }
        }
    };
    rowStart_.assign(static_cast<size_t>(n) + 1, 0);
    tbb::parallel_for(int32_t{0}, n, [&](int32_t place) {
        int64_t count = 0;
        forEachWordOfRow(place, [&](uint32_t, uint64_t) { ++count; });
        rowStart_[static_cast<size_t>(place) + 1] = count;
    });
    for (int32_t place = 0; place < n; ++place) {
        if (rowStart_[static_cast<size_t>(place) + 1] != 0) {
            SetBit(placesWithEdges_, place);
        }
        rowStart_[static_cast<size_t>(place) + 1] += rowStart_[static_cast<size_t>(place)];
    }
    wordIndex_.resize(static_cast<size_t>(rowStart_.back()));
    wordBits_.resize(static_cast<size_t>(rowStart_.back()));
    tbb::parallel_for(int32_t{0}, n, [&](int32_t place) {
        auto k = static_cast<size_t>(rowStart_[static_cast<size_t>(place)]);
        forEachWordOfRow(place, [&](uint32_t index, uint64_t bits) {
            wordIndex_[k] = index;
            wordBits_[k] = bits;
            ++k;
        });
    });
    symmetric_ = IsSymmetric(graph);
}

void BeginLevelSearch(const CLevelSearchGraph& graph, int32_t source, LevelSearchScratch& s) {
    const auto words = static_cast<size_t>(graph.rowWordCount());
    s.visited.assign(words, 0);
    s.frontier.assign(words, 0);
    s.next.resize(words);
    SetBit(s.visited, source);
    SetBit(s.frontier, source);
    s.frontierWords = static_cast<int64_t>(graph.row(source).bits.size());
    s.unvisitedWords = graph.totalWords() - s.frontierWords;
}

bool AdvanceLevel(const CLevelSearchGraph& graph, LevelSearchScratch& s, LevelDirection direction) {
    if (GoesBottomUp(graph, s, direction)) {
        BottomUpStep(graph, s);
    } else {
        TopDownStep(graph, s);
    }
    bool any = false;
    for (size_t w = 0; w < s.next.size(); ++w) {
        s.visited[w] |= s.next[w];
        any = any || s.next[w] != 0;
    }
    std::swap(s.frontier, s.next);
    s.frontierWords = 0;
    ForEachSetBit(s.frontier, [&](int32_t place) {
        s.frontierWords += static_cast<int64_t>(graph.row(place).bits.size());
    });
    s.unvisitedWords -= s.frontierWords;
    return any;
}
