// Keeps exceptions (in practice std::bad_alloc) inside the library: the call's failure value
// is returned instead.
#pragma once

#include <utility>

namespace cellstore::detail {

template <class Result, class Body>
Result NoThrow(Result failure, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return failure;
    }
}

}  // namespace cellstore::detail
