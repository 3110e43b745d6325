// Zigzag coding of signed integers, as Compact Binary stores them in varints.
#pragma once

#include <type_traits>

namespace bond::detail {

// Zigzag maps small magnitudes of either sign to small unsigned numbers:
// 0 -> 0, -1 -> 1, 1 -> 2, -2 -> 3, ...
template <typename Signed>
std::make_unsigned_t<Signed> EncodeZigZag(Signed value) noexcept
{
    using Unsigned = std::make_unsigned_t<Signed>;
    const auto bits = static_cast<Unsigned>(value);
    return static_cast<Unsigned>((bits << 1) ^ static_cast<Unsigned>(-(bits >> (sizeof(Signed) * 8 - 1))));
}

template <typename Unsigned>
std::make_signed_t<Unsigned> DecodeZigZag(Unsigned value) noexcept
{
    return static_cast<std::make_signed_t<Unsigned>>((value >> 1) ^ static_cast<Unsigned>(-(value & 1)));
}

}  // namespace bond::detail
