// Single-source shortest distances over a dense adjacency matrix (Dijkstra, linear scan).
//
// The distances and settled flags are kept directly in the caller's output arrays. Neighbours
// are relaxed in column order rather than by ascending weight: each relaxation touches only its
// own target and reads the settled node's distance, so the order cannot change any distance.
#include <cstring>
#include <vector>

#include "gonion/gonion.h"

namespace {

constexpr double kUnreached = 1.7e308;

// Edge weight of one matrix cell as a double; integers by value, floats widened.
template <class T>
double weightAt(const unsigned char* weights, std::size_t cell) {
    T value;
    std::memcpy(&value, weights + cell * sizeof(T), sizeof(T));
    return static_cast<double>(value);
}

// Lowest distance among the open nodes, the lowest index on ties; -1 when none is open.
int32_t takeNearestOpen(std::vector<uint8_t>& open, const double* distances, int32_t n) {
    int32_t best = -1;
    for (int32_t i = 0; i < n; ++i) {
        if (open[static_cast<std::size_t>(i)] != 0 &&
            (best < 0 || distances[i] < distances[best])) {
            best = i;
        }
    }
    if (best >= 0) {
        open[static_cast<std::size_t>(best)] = 0;
    }
    return best;
}

// Relaxes one neighbour of a settled node at distance base.
template <class T>
inline void relax(uint8_t edge, double base, const unsigned char* weights, std::size_t cell,
                  uint8_t settled, double& distance, uint8_t& open) {
    const bool candidateEdge = (edge == 1) & (settled == 0);
    const double candidate = base + weightAt<T>(weights, cell);
    distance = candidateEdge && candidate < distance ? candidate : distance;
    open |= static_cast<uint8_t>(candidateEdge);
}

// The search proper, for one weight element type. distances and reached already hold the
// start state: the source settled at 0, every other node unreached.
template <class T>
void search(std::size_t n, int32_t source, const uint8_t* adjacency, const unsigned char* weights,
            double* distances, uint8_t* reached) {
    std::vector<uint8_t> open(n, 0);
    const std::size_t sourceRow = static_cast<std::size_t>(source) * n;
    // The source's neighbours start from their edge weight alone.
    for (std::size_t j = 0; j < n; ++j) {
        if (adjacency[sourceRow + j] != 1) {
            continue;
        }
        const double w = weightAt<T>(weights, sourceRow + j);
        if (w < distances[j]) {
            distances[j] = w;
        }
        if (reached[j] == 0) {
            open[j] = 1;
        }
    }
    const auto count = static_cast<int32_t>(n);
    for (int32_t node = takeNearestOpen(open, distances, count); node >= 0;
         node = takeNearestOpen(open, distances, count)) {
        reached[node] = 1;
        const std::size_t row = static_cast<std::size_t>(node) * n;
        const double base = distances[node];
        // Eight adjacency bytes at a time: sparse rows skip empty runs, and within a run the
        // update is branch-free (edge tests on dense random graphs are unpredictable).
        // Weights of non-edges are read (they lie within the matrix) but never used.
        std::size_t j = 0;
        for (; j + 8 <= n; j += 8) {
            uint64_t run;
            std::memcpy(&run, adjacency + row + j, sizeof run);
            if (run == 0) {
                continue;
            }
            for (std::size_t k = j; k < j + 8; ++k) {
                relax<T>(adjacency[row + k], base, weights, row + k, reached[k], distances[k],
                         open[k]);
            }
        }
        for (; j < n; ++j) {
            relax<T>(adjacency[row + j], base, weights, row + j, reached[j], distances[j], open[j]);
        }
    }
}

}  // namespace

extern "C" {

GONION_API void zoGraphSP(int32_t source, int32_t count, int32_t /*reserved*/,
                          const uint8_t* adjacency, int32_t weightType, const void* weights,
                          double* distances, uint8_t* reached) {
    if (count < 1 || distances == nullptr || reached == nullptr) {
        return;
    }
    const std::size_t n = static_cast<std::size_t>(count);
    if (source < 0 || source >= count) {
        std::fill(distances, distances + n, 0.0);
        std::fill(reached, reached + n, uint8_t{0});
        return;
    }
    std::fill(distances, distances + n, kUnreached);
    std::fill(reached, reached + n, uint8_t{0});
    reached[source] = 1;
    distances[source] = 0.0;
    if (adjacency == nullptr || weights == nullptr) {
        return;
    }
    const auto* bytes = static_cast<const unsigned char*>(weights);
    switch (weightType) {
        case 0:
            search<int8_t>(n, source, adjacency, bytes, distances, reached);
            break;
        case 1:
            search<int16_t>(n, source, adjacency, bytes, distances, reached);
            break;
        case 2:
            search<int32_t>(n, source, adjacency, bytes, distances, reached);
            break;
        case 3:
            search<float>(n, source, adjacency, bytes, distances, reached);
            break;
        case 4:
            search<double>(n, source, adjacency, bytes, distances, reached);
            break;
        default:
            break;  // other codes list no neighbours: only the source is reached
    }
}

}  // extern "C"
