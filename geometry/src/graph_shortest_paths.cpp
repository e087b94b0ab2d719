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
class WeightReader {
  public:
    WeightReader(int32_t type, const void* weights)
        : type_(type), bytes_(static_cast<const unsigned char*>(weights)) {}

    // Codes outside 0..4 list no neighbours.
    bool valid() const { return type_ >= 0 && type_ <= 4 && bytes_ != nullptr; }

    double at(std::size_t cell) const {
        switch (type_) {
            case 0:
                return read<int8_t>(cell);
            case 1:
                return read<int16_t>(cell);
            case 2:
                return read<int32_t>(cell);
            case 3:
                return read<float>(cell);
            default:
                return read<double>(cell);
        }
    }

  private:
    template <class T>
    double read(std::size_t cell) const {
        T value;
        std::memcpy(&value, bytes_ + cell * sizeof(T), sizeof(T));
        return static_cast<double>(value);
    }

    int32_t type_;
    const unsigned char* bytes_;
};

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
    std::vector<uint8_t> open(n, 0);
    reached[source] = 1;
    distances[source] = 0.0;
    const WeightReader weight(weightType, weights);
    if (adjacency == nullptr || !weight.valid()) {
        return;
    }
    const std::size_t sourceRow = static_cast<std::size_t>(source) * n;
    // The source's neighbours start from their edge weight alone.
    for (std::size_t j = 0; j < n; ++j) {
        if (adjacency[sourceRow + j] != 1) {
            continue;
        }
        const double w = weight.at(sourceRow + j);
        if (w < distances[j]) {
            distances[j] = w;
        }
        if (reached[j] == 0) {
            open[j] = 1;
        }
    }
    for (int32_t node = takeNearestOpen(open, distances, count); node >= 0;
         node = takeNearestOpen(open, distances, count)) {
        reached[node] = 1;
        const std::size_t row = static_cast<std::size_t>(node) * n;
        for (std::size_t j = 0; j < n; ++j) {
            if (adjacency[row + j] != 1 || reached[j] != 0) {
                continue;
            }
            const double candidate = distances[node] + weight.at(row + j);
            if (candidate < distances[j]) {
                distances[j] = candidate;
            }
            open[j] = 1;
        }
    }
}

}  // extern "C"
