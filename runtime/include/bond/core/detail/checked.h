#pragma once

#include <bond/core/exception.h>

#include <cstdint>

namespace bond::detail {

// count * size as a 32-bit byte count; throws std::overflow_error when it does not fit.
inline uint32_t CheckedMultiply(uint32_t count, uint32_t size)
{
    const uint64_t product = static_cast<uint64_t>(count) * size;
    if (product > UINT32_MAX) {
        ThrowMultiplicationOverflow();
    }
    return static_cast<uint32_t>(product);
}

}  // namespace bond::detail
