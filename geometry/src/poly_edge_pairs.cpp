#include "poly_edge_pairs.h"

#include <algorithm>
#include <cstddef>

namespace gonion::poly {

namespace {

bool overlap(const EdgeBox& a, const EdgeBox& b) {
    return !(a.maxX < b.minX || b.maxX < a.minX || a.maxY < b.minY || b.maxY < a.minY);
}

}  // namespace

std::vector<EdgeBox> edgeBoxes(const Ring& ring, double margin) {
    std::vector<EdgeBox> boxes(ring.size());
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const zoPoint& a = ring[i];
        const zoPoint& b = ring[(i + 1) % ring.size()];
        boxes[i] = EdgeBox{std::min(a.x, b.x) - margin, std::min(a.y, b.y) - margin,
                           std::max(a.x, b.x) + margin, std::max(a.y, b.y) + margin};
    }
    return boxes;
}

// Boxes enter in order of their left side. A box stays active until a box of the other ring
// starts to the right of it; a pair is tested when its later box enters, so each overlapping
// pair is found exactly once.
std::vector<EdgePair> overlappingPairs(const std::vector<EdgeBox>& first,
                                       const std::vector<EdgeBox>& second) {
    struct Entry {
        double minX;
        int ring;
        int32_t index;
    };
    std::vector<Entry> entries;
    entries.reserve(first.size() + second.size());
    const std::vector<EdgeBox>* boxes[2] = {&first, &second};
    for (int r = 0; r < 2; ++r) {
        for (std::size_t i = 0; i < boxes[r]->size(); ++i) {
            entries.push_back(Entry{(*boxes[r])[i].minX, r, static_cast<int32_t>(i)});
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.minX < b.minX; });
    std::vector<int32_t> active[2];
    std::vector<EdgePair> pairs;
    for (const Entry& entry : entries) {
        const int other = 1 - entry.ring;
        const EdgeBox& box = (*boxes[entry.ring])[entry.index];
        std::vector<int32_t>& candidates = active[other];
        for (std::size_t k = 0; k < candidates.size();) {
            const EdgeBox& candidate = (*boxes[other])[candidates[k]];
            if (candidate.maxX < entry.minX) {
                candidates[k] = candidates.back();
                candidates.pop_back();
                continue;
            }
            if (overlap(box, candidate)) {
                pairs.push_back(entry.ring == 0 ? EdgePair{entry.index, candidates[k]}
                                                : EdgePair{candidates[k], entry.index});
            }
            ++k;
        }
        active[entry.ring].push_back(entry.index);
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

std::vector<EdgePair> overlappingPairsByTestingAll(const std::vector<EdgeBox>& first,
                                                   const std::vector<EdgeBox>& second) {
    std::vector<EdgePair> pairs;
    for (std::size_t i = 0; i < first.size(); ++i) {
        for (std::size_t j = 0; j < second.size(); ++j) {
            if (overlap(first[i], second[j])) {
                pairs.push_back(EdgePair{static_cast<int32_t>(i), static_cast<int32_t>(j)});
            }
        }
    }
    return pairs;
}

}  // namespace gonion::poly
