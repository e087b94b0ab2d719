#include "isovist/IsovistAngleIndex.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr int32_t kMinBuckets = 64;
constexpr int32_t kMaxBuckets = 4096;

// The angle brought into [0, 2 pi).
double Normalized(double angle) {
    double a = std::fmod(angle, kTwoPi);
    if (a < 0.0) {
        a += kTwoPi;
    }
    return a >= kTwoPi ? 0.0 : a;
}
}  // namespace

int32_t IsovistAngleIndex::bucketOf(double angle) const {
    const double position = Normalized(angle) / bucketWidth_;
    const auto bucket = static_cast<int32_t>(position);
    return std::clamp(bucket, 0, bucketCount_ - 1);
}

void IsovistAngleIndex::build(std::span<const double> lo, std::span<const double> hi) {
    const auto segmentCount = static_cast<int32_t>(std::min(lo.size(), hi.size()));
    bucketCount_ = std::clamp(segmentCount, kMinBuckets, kMaxBuckets);
    bucketWidth_ = kTwoPi / bucketCount_;

    firstBucket_.assign(static_cast<size_t>(segmentCount), -1);
    bucketSpan_.assign(static_cast<size_t>(segmentCount), 0);
    offsets_.assign(static_cast<size_t>(bucketCount_) + 1, 0);

    // Which buckets each segment covers, and how many segments each bucket receives.
    for (int32_t i = 0; i < segmentCount; ++i) {
        const double start = lo[static_cast<size_t>(i)] - kWidening;
        const double length =
            hi[static_cast<size_t>(i)] - lo[static_cast<size_t>(i)] + 2.0 * kWidening;
        if (!std::isfinite(start) || !std::isfinite(length) || length < 0.0) {
            continue;
        }
        const int32_t first = bucketOf(start);
        // Buckets from the one holding the start to the one holding the end, plus one for the
        // rounding of positions; never more than the whole circle.
        const double startInBucket = Normalized(start) - first * bucketWidth_;
        const auto covered = static_cast<int64_t>((startInBucket + length) / bucketWidth_) + 2;
        const auto span = static_cast<int32_t>(std::min<int64_t>(covered, bucketCount_));
        firstBucket_[static_cast<size_t>(i)] = first;
        bucketSpan_[static_cast<size_t>(i)] = span;
        for (int32_t k = 0; k < span; ++k) {
            ++offsets_[static_cast<size_t>((first + k) % bucketCount_) + 1];
        }
    }
    for (int32_t b = 0; b < bucketCount_; ++b) {
        offsets_[static_cast<size_t>(b) + 1] += offsets_[static_cast<size_t>(b)];
    }

    // Fill in table order, so each bucket lists its segments ascending.
    entries_.resize(static_cast<size_t>(offsets_.back()));
    fill_.assign(offsets_.begin(), offsets_.end() - 1);
    for (int32_t i = 0; i < segmentCount; ++i) {
        const int32_t first = firstBucket_[static_cast<size_t>(i)];
        for (int32_t k = 0; first >= 0 && k < bucketSpan_[static_cast<size_t>(i)]; ++k) {
            const auto bucket = static_cast<size_t>((first + k) % bucketCount_);
            entries_[static_cast<size_t>(fill_[bucket]++)] = i;
        }
    }
}

std::span<const int32_t> IsovistAngleIndex::candidates(double angle) const {
    if (bucketCount_ == 0 || !std::isfinite(angle)) {
        return {};
    }
    const auto bucket = static_cast<size_t>(bucketOf(angle));
    const auto begin = static_cast<size_t>(offsets_[bucket]);
    const auto end = static_cast<size_t>(offsets_[bucket + 1]);
    return std::span<const int32_t>(entries_).subspan(begin, end - begin);
}
