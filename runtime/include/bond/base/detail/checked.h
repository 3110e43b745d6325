// Arithmetic on sizes that come from the wire or from callers, each checked
// against the 32 bits that every length, count and offset of the runtime has.
// A result that does not fit throws rather than wrap, since a wrapped size
// would frame everything after it wrongly.
#pragma once

#include <bond/base/exception.h>

#include <cstdint>

namespace bond::detail {

// count * size. Throws std::overflow_error "Overflow on multiplication".
inline uint32_t CheckedMultiply(uint32_t count, uint32_t size)
{
    const uint64_t product = static_cast<uint64_t>(count) * size;
    if (product > UINT32_MAX) {
        ThrowMultiplicationOverflow();
    }
    return static_cast<uint32_t>(product);
}

// first + second. Throws std::overflow_error "Overflow on addition".
inline uint32_t CheckedAdd(uint32_t first, uint32_t second)
{
    if (second > UINT32_MAX - first) {
        ThrowAdditionOverflow();
    }
    return first + second;
}

// `length` as the 32-bit number that every length and count on the wire is.
// Throws std::length_error.
inline uint32_t CheckedLength(uint64_t length)
{
    if (length > UINT32_MAX) {
        ThrowLengthTooLarge(length);
    }
    return static_cast<uint32_t>(length);
}

// `pointer + count`. Throws std::overflow_error "Offset caused pointer to
// overflow" when the range would end past the top of the address space.
inline const char* CheckedAdvance(const char* pointer, uint32_t count)
{
    if (reinterpret_cast<uintptr_t>(pointer) + count < reinterpret_cast<uintptr_t>(pointer)) {
        ThrowPointerOverflow();
    }
    return pointer + count;
}

}  // namespace bond::detail
