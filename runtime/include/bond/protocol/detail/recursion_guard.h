// Bounds how deeply structs and containers may nest while they are read or
// skipped, so that crafted input cannot exhaust the stack. The outermost struct
// is level 1 and everything read or skipped inside a level is one deeper;
// entering a level beyond the limit throws bond::CoreException.
#pragma once

#include <bond/base/exception.h>

#include <cstdint>

namespace bond::detail {

class RecursionGuard {
public:
    static constexpr uint32_t max_depth = 64;

    RecursionGuard()
    {
        if (depth >= max_depth) {
            ThrowMaxRecursionDepthExceeded();
        }
        ++depth;
    }
    ~RecursionGuard() { --depth; }

    RecursionGuard(const RecursionGuard&) = delete;
    RecursionGuard& operator=(const RecursionGuard&) = delete;

private:
    static inline thread_local uint32_t depth = 0;
};

}  // namespace bond::detail
