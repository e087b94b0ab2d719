// Minimum and maximum of a strided array.
#include "gonion/gonion.h"
#include "strided.h"

namespace {

// Visits every value (the first twice, as the start and as value 0); a value that ties the
// current extreme replaces it.
template <class T, class Better>
int32_t extreme(int32_t count, uint32_t stride, const T* values, T* result, Better better) {
    if (count < 1 || stride < sizeof(T) || values == nullptr || result == nullptr) {
        return 0;
    }
    T best = gonion::stridedAt(values, stride, 0);
    for (int32_t i = 0; i < count; ++i) {
        const T value = gonion::stridedAt(values, stride, i);
        if (better(value, best)) {
            best = value;
        }
    }
    *result = best;
    return 1;
}

template <class T>
bool atLeast(T value, T best) {
    return value >= best;
}

template <class T>
bool atMost(T value, T best) {
    return value <= best;
}

}  // namespace

extern "C" {

GONION_API int32_t zoGetMaxValue(int32_t count, uint32_t stride, const int32_t* values,
                                 int32_t* result) {
    return extreme(count, stride, values, result, atLeast<int32_t>);
}

GONION_API int32_t zoGetMinValue(int32_t count, uint32_t stride, const int32_t* values,
                                 int32_t* result) {
    return extreme(count, stride, values, result, atMost<int32_t>);
}

GONION_API int32_t zoGetMaxValueF(int32_t count, uint32_t stride, const double* values,
                                  double* result) {
    return extreme(count, stride, values, result, atLeast<double>);
}

GONION_API int32_t zoGetMinValueF(int32_t count, uint32_t stride, const double* values,
                                  double* result) {
    return extreme(count, stride, values, result, atMost<double>);
}

}  // extern "C"
