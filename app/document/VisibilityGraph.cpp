#include "document/VisibilityGraph.h"

#include <algorithm>
#include <atomic>

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>

namespace {

// Bit c of word r becomes bit r of word c: halves, quarters, ... of the tile swapped across
// its diagonal.
void Transpose64(uint64_t (&a)[64]) {
    uint64_t m = 0x00000000FFFFFFFFull;
    for (int j = 32; j != 0; j >>= 1, m ^= m << j) {
        for (int k = 0; k < 64; k = ((k | j) + 1) & ~j) {
            const uint64_t t = ((a[k] >> j) ^ a[k | j]) & m;
            a[k | j] ^= t;
            a[k] ^= t << j;
        }
    }
}

// The words of a row a task reads side by side: one cache line.
constexpr int32_t kWordsPerTask = 8;

}  // namespace

void CVisibilityGraph::completeFromLowerTriangleOneByOne() {
    int64_t edges = 0;
    for (int32_t i = 0; i < nodeCount_; ++i) {
        for (int32_t w = 0; w <= i / kBitsPerWord; ++w) {
            uint64_t bits = row(i)[static_cast<size_t>(w)];
            while (bits != 0) {
                const int32_t j = w * kBitsPerWord + std::countr_zero(bits);
                bits &= bits - 1;
                if (j < i) {
                    setBit(j, i);
                    ++edges;
                }
            }
        }
    }
    edgeCount_ = static_cast<int32_t>(edges);
}

// Tile (I, J) holds rows 64I.. and word J. Each lower tile (I >= J) is transposed into the
// upper tile (J, I); a task owns the rows of its blocks J, so it alone writes there, and reads
// only lower tiles, which no task writes (a diagonal tile is read whole before it is written).
// Bits j >= i below the diagonal word are left in place and not counted, as in the plain loop.
void CVisibilityGraph::completeFromLowerTriangle() {
    const int32_t blocks = rowWords_;
    const auto n = nodeCount_;
    std::atomic<int64_t> edges{0};
    const auto groups = (blocks + kWordsPerTask - 1) / kWordsPerTask;
    tbb::parallel_for(tbb::blocked_range<int32_t>(0, groups, 1), [&](const auto& range) {
        int64_t counted = 0;
        uint64_t tile[64];
        for (int32_t g = range.begin(); g != range.end(); ++g) {
            const int32_t firstJ = g * kWordsPerTask;
            const int32_t lastJ = std::min(blocks, firstJ + kWordsPerTask);
            for (int32_t blockI = firstJ; blockI < blocks; ++blockI) {
                for (int32_t j = firstJ; j < std::min(lastJ, blockI + 1); ++j) {
                    for (int32_t a = 0; a < kBitsPerWord; ++a) {
                        const int32_t r = blockI * kBitsPerWord + a;
                        uint64_t bits = r < n ? words_[static_cast<size_t>(r) * rowWords_ + j] : 0;
                        if (blockI == j) {
                            bits &= (uint64_t{1} << a) - 1;  // only the nodes before row r
                        }
                        tile[a] = bits;
                        counted += std::popcount(bits);
                    }
                    Transpose64(tile);
                    for (int32_t b = 0; b < kBitsPerWord; ++b) {
                        const int32_t r = j * kBitsPerWord + b;
                        if (tile[b] != 0) {
                            words_[static_cast<size_t>(r) * rowWords_ + blockI] |= tile[b];
                        }
                    }
                }
            }
        }
        edges.fetch_add(counted, std::memory_order_relaxed);
    }, tbb::simple_partitioner());
    edgeCount_ = static_cast<int32_t>(edges.load());
}
