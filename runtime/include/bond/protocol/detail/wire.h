// How many bytes a basic value takes in the protocols that store every integer
// at its full width (Fast and Simple Binary, and the one-byte and floating
// values of Compact Binary).
#pragma once

#include <bond/base/bond_const.h>

#include <cstdint>

namespace bond::detail {

// 0 for strings, structs and containers, whose size varies.
constexpr uint32_t FixedWidth(BondDataType type) noexcept
{
    switch (type) {
    case BT_BOOL:
    case BT_UINT8:
    case BT_INT8: return 1;
    case BT_UINT16:
    case BT_INT16: return 2;
    case BT_UINT32:
    case BT_INT32:
    case BT_FLOAT: return 4;
    case BT_UINT64:
    case BT_INT64:
    case BT_DOUBLE: return 8;
    default: return 0;
    }
}

}  // namespace bond::detail
