// Reading strided vertex lists and the library's tolerances.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace gonion {

// Zero, parallelism and coincidence: magnitudes below this count as zero.
inline constexpr double kEpsilon = 2.220446049250313e-8;
// Repeated and collinear vertices in polygon reduction.
inline constexpr double kReduceTolerance = 1e-6;

// Value i of a strided list. memcpy keeps odd strides free of misaligned loads; it compiles
// to a plain load.
template <class T>
inline T stridedAt(const T* first, uint32_t stride, int32_t i) {
    T value;
    std::memcpy(&value,
                reinterpret_cast<const unsigned char*>(first) +
                    static_cast<std::size_t>(i) * static_cast<std::size_t>(stride),
                sizeof value);
    return value;
}

// A polygon passed as count, stride and the addresses of the first x and y.
template <class T>
struct StridedPolygon {
    int32_t count;
    uint32_t stride;
    const T* xs;
    const T* ys;

    T x(int32_t i) const { return stridedAt(xs, stride, i); }
    T y(int32_t i) const { return stridedAt(ys, stride, i); }
    // Index of the vertex after i, the last wrapping to the first.
    int32_t next(int32_t i) const { return i + 1 < count ? i + 1 : 0; }
    // The argument checks shared by the polygon functions.
    bool valid(int32_t minimumCount) const {
        return count >= minimumCount && stride >= sizeof(T) && xs != nullptr && ys != nullptr;
    }
};

using DoublePolygon = StridedPolygon<double>;

}  // namespace gonion
