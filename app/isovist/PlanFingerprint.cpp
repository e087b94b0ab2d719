#include "isovist/PlanFingerprint.h"

#include <cstring>
#include <span>

#include "isovist/IsovistEngine.h"

namespace {

// One 64-bit word folded into the running hash: a multiply-xorshift mix per word, so that a
// change of any bit of any word changes the result.
class WordHash {
  public:
    void add(uint64_t word) {
        state_ = Mix(state_ ^ (word + 0x9E3779B97F4A7C15ull + (state_ << 6) + (state_ >> 2)));
    }

    void addBytes(const void* data, size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        size_t at = 0;
        for (; at + sizeof(uint64_t) <= size; at += sizeof(uint64_t)) {
            uint64_t word = 0;
            std::memcpy(&word, bytes + at, sizeof word);
            add(word);
        }
        uint64_t tail = 0;
        if (at < size) {
            std::memcpy(&tail, bytes + at, size - at);
        }
        add(tail ^ (static_cast<uint64_t>(size) << 56));
    }

    uint64_t value() const { return Mix(state_); }

  private:
    static uint64_t Mix(uint64_t x) {
        x ^= x >> 30;
        x *= 0xBF58476D1CE4E5B9ull;
        x ^= x >> 27;
        x *= 0x94D049BB133111EBull;
        return x ^ (x >> 31);
    }

    uint64_t state_ = 0x243F6A8885A308D3ull;
};

}  // namespace

uint64_t PlanFingerprint(const PlanTables& plan) {
    WordHash hash;
    hash.add(plan.polygons.size());
    for (const PlanPolygon& polygon : plan.polygons) {
        const auto& points = polygon.points();
        hash.add(points.size());
        hash.addBytes(points.data(), points.size() * sizeof(PlanPoint));
    }
    hash.add(plan.wallSegments.size());
    hash.addBytes(plan.wallSegments.data(), plan.wallSegments.size_bytes());
    hash.add(static_cast<uint64_t>(static_cast<uint32_t>(plan.wallVertexCount)));
    const uint64_t value = hash.value();
    return value == 0 ? 1 : value;
}

PlanTables WithFingerprint(PlanTables plan) {
    plan.fingerprint = PlanFingerprint(plan);
    return plan;
}

bool SameKnownFingerprint(uint64_t cached, const PlanTables& plan) {
    return cached != 0 && cached == plan.fingerprint;
}
