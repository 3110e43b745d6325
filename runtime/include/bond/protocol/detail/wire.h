// Facts about the wire that several protocols share and that need no buffer:
// which type codes may stand for a value, how many bytes a fixed-width value or
// a varint takes, and the 32-bit limit on every length and count.
#pragma once

#include <bond/core/bond_const.h>
#include <bond/core/exception.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <type_traits>

namespace bond::detail {

// `code` as a type, when it may stand for a value, a list element or a map key
// or value. Throws CoreException "Unknown data type found" otherwise.
inline BondDataType CheckedValueType(int32_t code)
{
    if (!IsValueType(code)) {
        ThrowUnknownDataType();
    }
    return static_cast<BondDataType>(code);
}

// The bytes a basic type takes in the protocols that store every integer at its
// full width (Fast and Simple Binary); 0 for strings, structs and containers.
constexpr uint32_t FixedWidth(BondDataType type) noexcept
{
    switch (type) {
    case BT_BOOL:
    case BT_UINT8:
    case BT_INT8:
        return 1;
    case BT_UINT16:
    case BT_INT16:
        return 2;
    case BT_UINT32:
    case BT_INT32:
    case BT_FLOAT:
        return 4;
    case BT_UINT64:
    case BT_INT64:
    case BT_DOUBLE:
        return 8;
    default:
        return 0;
    }
}

// The bytes of the shortest base-128 varint of `value`: one per started group of 7 bits.
template <typename T>
    requires std::is_unsigned_v<T>
constexpr uint32_t VarintSize(T value) noexcept
{
    return std::max(1u, (static_cast<uint32_t>(std::bit_width(value)) + 6) / 7);
}

// `length` as the 32-bit number that every length and count on the wire is.
// Throws std::length_error when it does not fit, rather than write a wrapped
// length that would misframe everything after it.
inline uint32_t CheckedLength(uint64_t length)
{
    if (length > UINT32_MAX) {
        ThrowLengthTooLarge(length);
    }
    return static_cast<uint32_t>(length);
}

}  // namespace bond::detail
