// A small set of distinct points that lives on the stack until it outgrows its inline room.
#pragma once

#include <cstdint>
#include <vector>

#include "polygon_crossings.h"

namespace gonion {

class DistinctPoints {
  public:
    void clear() {
        size_ = 0;
        spillX_.clear();
        spillY_.clear();
    }

    // Adds (x, y) unless it lies within kEpsilon, per axis, of a point already held.
    void add(double x, double y) {
        if (repeatsAny(inlineX_, inlineY_, inlineSize(), x, y) ||
            repeatsAny(spillX_.data(), spillY_.data(), static_cast<int32_t>(spillX_.size()), x,
                       y)) {
            return;
        }
        if (size_ < kInline) {
            inlineX_[size_] = x;
            inlineY_[size_] = y;
        } else {
            spillX_.push_back(x);
            spillY_.push_back(y);
        }
        ++size_;
    }

    int32_t size() const { return size_; }

    // Calls fn(x, y) for every point held.
    template <class Fn>
    void forEach(Fn&& fn) const {
        for (int32_t i = 0; i < inlineSize(); ++i) {
            fn(inlineX_[i], inlineY_[i]);
        }
        for (std::size_t i = 0; i < spillX_.size(); ++i) {
            fn(spillX_[i], spillY_[i]);
        }
    }

  private:
    static constexpr int32_t kInline = 64;

    int32_t inlineSize() const { return size_ < kInline ? size_ : kInline; }

    double inlineX_[kInline];
    double inlineY_[kInline];
    std::vector<double> spillX_;
    std::vector<double> spillY_;
    int32_t size_ = 0;
};

}  // namespace gonion
