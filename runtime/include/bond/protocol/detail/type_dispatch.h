// Type codes as they come off the wire, turned into the C++ types that values
// of them are read as. This is the one place that decides whether a code may
// stand for a value: every field, element, key and value whose code is read
// from the wire passes through CheckedValueType before anything of it is read,
// skipped or written. The element codes of an empty container name no value,
// so they are not judged: re-encoding writes them as they came, wherever the
// target's container header can hold them.
#pragma once

#include <bond/base/bond_const.h>
#include <bond/base/exception.h>

#include <cstdint>
#include <string>

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

template <typename T>
struct TypeTag {
    using type = T;
};
struct StructTag {};
struct ContainerTag {};

// Calls `visit` with TypeTag<T> for a basic type (T the C++ type its values are
// read as: bool, the fixed-width integers, float, double, std::string,
// std::wstring), StructTag for a struct, ContainerTag for a list, set or map.
// Throws as CheckedValueType does for any other code.
template <typename Visit>
decltype(auto) DispatchByType(BondDataType type, Visit&& visit)
{
    switch (CheckedValueType(type)) {
    case BT_BOOL: return visit(TypeTag<bool>{});
    case BT_UINT8: return visit(TypeTag<uint8_t>{});
    case BT_UINT16: return visit(TypeTag<uint16_t>{});
    case BT_UINT32: return visit(TypeTag<uint32_t>{});
    case BT_UINT64: return visit(TypeTag<uint64_t>{});
    case BT_INT8: return visit(TypeTag<int8_t>{});
    case BT_INT16: return visit(TypeTag<int16_t>{});
    case BT_INT32: return visit(TypeTag<int32_t>{});
    case BT_INT64: return visit(TypeTag<int64_t>{});
    case BT_FLOAT: return visit(TypeTag<float>{});
    case BT_DOUBLE: return visit(TypeTag<double>{});
    case BT_STRING: return visit(TypeTag<std::string>{});
    case BT_WSTRING: return visit(TypeTag<std::wstring>{});
    case BT_STRUCT: return visit(StructTag{});
    default: return visit(ContainerTag{});
    }
}

}  // namespace bond::detail
