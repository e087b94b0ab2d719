// A graph over grid cells or axial lines, as a square bit adjacency matrix: row i holds one bit
// per node, 64 nodes to a word, bit (j % 64) of word (j / 64) set where i and j are adjacent.
// 46,340 nodes take 268 MB. The document file stores the matrix as n * n bytes.
#pragma once

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <span>
#include <utility>
#include <vector>

// Storage that comes zeroed from the allocator and is not written again when its elements are
// made: a large matrix gets fresh pages from the system, so zeroing costs nothing until a page
// is first touched, and then on the thread that touches it. Only a container made at its size
// relies on it (a resize within the capacity would keep old values).
template <typename T>
struct ZeroedAllocator {
    using value_type = T;
    ZeroedAllocator() = default;
    template <typename U>
    explicit ZeroedAllocator(const ZeroedAllocator<U>&) {}
    T* allocate(size_t n) {
        void* p = std::calloc(n, sizeof(T));
        if (p == nullptr) {
            throw std::bad_alloc();
        }
        return static_cast<T*>(p);
    }
    void deallocate(T* p, size_t) { std::free(p); }
    template <typename U>
    void construct(U*) noexcept {}  // zero already
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    friend bool operator==(const ZeroedAllocator&, const ZeroedAllocator&) { return true; }
};

class CVisibilityGraph {
  public:
    static constexpr int32_t kBitsPerWord = 64;
    // The most nodes the grid run builds a graph for: n * n stays below 2^31 (the stored form
    // counts its bytes in 32 bits) and the bit matrix within 268 MB.
    static constexpr int32_t kMaxGridNodes = 46340;

    // Words in one row for n nodes.
    static int32_t wordsPerRow(int32_t n) {
        return n <= 0 ? 0 : (n + kBitsPerWord - 1) / kBitsPerWord;
    }

    // For n >= 1: n nodes, no edges, edge count 0. Other n change nothing.
    void initialise(int32_t n) {
        if (n < 1) {
            return;
        }
        nodeCount_ = n;
        rowWords_ = wordsPerRow(n);
        words_ = Words();  // the old matrix goes before the new one comes
        words_ = Words(static_cast<size_t>(n) * static_cast<size_t>(rowWords_));
        edgeCount_ = 0;
    }
    // No nodes, no edges.
    void clear() { *this = CVisibilityGraph{}; }

    // Makes i and j adjacent both ways and counts one edge (also when they already were).
    // Indices must be below nodeCount().
    void addEdge(int32_t i, int32_t j) {
        setBit(i, j);
        setBit(j, i);
        ++edgeCount_;
    }
    bool adjacent(int32_t i, int32_t j) const {
        return (row(i)[static_cast<size_t>(j / kBitsPerWord)] >> (j % kBitsPerWord)) & 1u;
    }

    int32_t nodeCount() const { return nodeCount_; }
    int32_t edgeCount() const { return edgeCount_; }
    int32_t rowWordCount() const { return rowWords_; }
    // The words of row i; bits past the last node are always 0.
    std::span<const uint64_t> row(int32_t i) const {
        return std::span<const uint64_t>(words_).subspan(
            static_cast<size_t>(i) * static_cast<size_t>(rowWords_),
            static_cast<size_t>(rowWords_));
    }
    // Every row's words, row after row.
    std::span<const uint64_t> words() const { return words_; }

    // For builders that fill rows in parallel: row i may be written by one thread while
    // others write other rows. Only bits of nodes j < i may be set (the lower triangle);
    // completeFromLowerTriangle then mirrors them and counts one edge per bit.
    std::span<uint64_t> lowerRowForWriting(int32_t i) {
        return std::span<uint64_t>(words_).subspan(
            static_cast<size_t>(i) * static_cast<size_t>(rowWords_),
            static_cast<size_t>(rowWords_));
    }
    // In parallel, by tiles of 64 x 64 bits; the same matrix and count as the plain loop over
    // every bit (completeFromLowerTriangleOneByOne, kept as the reference).
    void completeFromLowerTriangle();
    void completeFromLowerTriangleOneByOne();

    // Row i of the stored form: n bytes, 1 where adjacent, else 0 (out.size() must be n).
    void byteRow(int32_t i, std::span<uint8_t> out) const {
        const std::span<const uint64_t> words = row(i);
        for (size_t j = 0; j < out.size(); ++j) {
            out[j] = static_cast<uint8_t>((words[j / kBitsPerWord] >> (j % kBitsPerWord)) & 1u);
        }
    }
    // The stored form: n * n bytes row by row.
    std::vector<uint8_t> toByteMatrix() const {
        const auto n = static_cast<size_t>(nodeCount_);
        std::vector<uint8_t> bytes(n * n, 0);
        for (int32_t i = 0; i < nodeCount_; ++i) {
            byteRow(i, std::span<uint8_t>(bytes).subspan(static_cast<size_t>(i) * n, n));
        }
        return bytes;
    }
    // A graph from its stored form: entry (i, j) is set exactly where byte i * n + j is
    // non-zero (a damaged file may so give an unsymmetric matrix; it is kept as it stands).
    // The edge count is taken as given. Returns an empty graph with that edge count when
    // n < 1 or the byte count is not n * n.
    static CVisibilityGraph fromByteMatrix(int32_t n, std::span<const uint8_t> bytes,
                                           int32_t edgeCount) {
        CVisibilityGraph graph;
        if (n >= 1 && bytes.size() == static_cast<size_t>(n) * static_cast<size_t>(n)) {
            graph.initialise(n);
            for (int32_t i = 0; i < n; ++i) {
                for (int32_t j = 0; j < n; ++j) {
                    if (bytes[static_cast<size_t>(i) * n + j] != 0) {
                        graph.setBit(i, j);
                    }
                }
            }
        }
        graph.edgeCount_ = edgeCount;
        return graph;
    }

    friend bool operator==(const CVisibilityGraph&, const CVisibilityGraph&) = default;

  private:
    void setBit(int32_t i, int32_t j) {
        words_[static_cast<size_t>(i) * rowWords_ + static_cast<size_t>(j / kBitsPerWord)] |=
            uint64_t{1} << (j % kBitsPerWord);
    }

    int32_t nodeCount_ = 0;
    int32_t rowWords_ = 0;
    using Words = std::vector<uint64_t, ZeroedAllocator<uint64_t>>;
    Words words_;
    int32_t edgeCount_ = 0;
};
