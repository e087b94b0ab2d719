// Keeps exceptions (in practice std::bad_alloc) inside the library: an exported function runs
// its body through NoThrow and returns the call's failure code instead of throwing across the
// flat boundary.
#pragma once

#include <utility>

namespace gonion {

template <class Result, class Body>
Result NoThrow(Result failure, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return failure;
    }
}

}  // namespace gonion
