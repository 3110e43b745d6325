// Reading one encoded value into a variable of its declared type. The parsers
// call this only for a wire type that the declared type accepts (see Accepts);
// containers are read element by element under the same rule, and elements of
// any other type are passed over. Untagged protocols carry no element types:
// their readers leave the declared element type that is preset here.
#pragma once

#include <bond/core/blob.h>
#include <bond/core/bond_fwd.h>
#include <bond/core/detail/recursion_guard.h>
#include <bond/core/nullable.h>
#include <bond/core/reflection.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace bond::detail {

// Whether a basic value of wire type `wire` may be read into a variable of type
// `declared`: the same type, or a wider one of the same kind (unsigned to
// unsigned, signed to signed, float to double).
constexpr bool IsConvertible(BondDataType wire, BondDataType declared) noexcept
{
    if (wire == declared) {
        return true;
    }
    switch (declared) {
    case BT_UINT16:
        return wire == BT_UINT8;
    case BT_UINT32:
        return wire == BT_UINT8 || wire == BT_UINT16;
    case BT_UINT64:
        return wire == BT_UINT8 || wire == BT_UINT16 || wire == BT_UINT32;
    case BT_INT16:
        return wire == BT_INT8;
    case BT_INT32:
        return wire == BT_INT8 || wire == BT_INT16;
    case BT_INT64:
        return wire == BT_INT8 || wire == BT_INT16 || wire == BT_INT32;
    case BT_DOUBLE:
        return wire == BT_FLOAT;
    default:
        return false;
    }
}

// Whether a value of wire type `wire` is read into a variable of type T rather
// than passed over: the exact type, or for basic types a convertible one.
template <typename T>
constexpr bool Accepts(BondDataType wire) noexcept
{
    constexpr BondDataType declared = get_type_id<T>::value;
    return wire == declared || (IsBasicType(declared) && IsConvertible(wire, declared));
}

// A vector or nullable of records.
template <typename X>
constexpr bool HoldsRecordsOf()
{
    if constexpr (is_vector<X>::value || is_nullable<X>::value) {
        return BondStruct<typename X::value_type>;
    } else {
        return false;
    }
}
template <typename X>
inline constexpr bool HoldsRecords = HoldsRecordsOf<X>();

template <typename T, typename Reader>
void SkipTyped(Reader& reader);

// Passes over one element that was declared as T and travels as `type`.
template <typename T, typename Reader>
void SkipElement(Reader& reader, BondDataType type)
{
    if constexpr (Reader::tagged) {
        reader.Skip(type);
    } else {
        SkipTyped<T>(reader);
    }
}

template <typename T, typename Reader>
void SkipElements(Reader& reader, BondDataType type, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i) {
        SkipElement<T>(reader, type);
    }
}

// Storage is never reserved from a declared count alone: no more elements than
// the remaining bytes could hold (every element takes at least one byte).
template <typename Reader>
uint32_t PlausibleCount(const Reader& reader, uint32_t count)
{
    return std::min(count, reader.GetBuffer().GetRemaining());
}

template <typename Wire, typename Reader, typename T>
bool ReadAs(Reader& reader, BondDataType type, T& var)
{
    if constexpr (IsConvertible(get_type_id<Wire>::value, get_type_id<T>::value)) {
        if (type == get_type_id<Wire>::value) {
            Wire value;
            reader.Read(value);
            var = static_cast<T>(value);
            return true;
        }
    }
    return false;
}

template <typename Reader, typename T>
    requires std::is_arithmetic_v<T> || std::is_enum_v<T>
void ReadValue(Reader& reader, BondDataType type, T& var)
{
    const bool read = ReadAs<bool>(reader, type, var) || ReadAs<uint8_t>(reader, type, var) ||
                      ReadAs<uint16_t>(reader, type, var) || ReadAs<uint32_t>(reader, type, var) ||
                      ReadAs<uint64_t>(reader, type, var) || ReadAs<int8_t>(reader, type, var) ||
                      ReadAs<int16_t>(reader, type, var) || ReadAs<int32_t>(reader, type, var) ||
                      ReadAs<int64_t>(reader, type, var) || ReadAs<float>(reader, type, var) ||
                      ReadAs<double>(reader, type, var);
    if (!read) {
        SkipElement<T>(reader, type);
    }
}

template <typename Reader>
void ReadValue(Reader& reader, BondDataType, std::string& var)
{
    reader.Read(var);
}

template <typename Reader>
void ReadValue(Reader& reader, BondDataType, std::wstring& var)
{
    reader.Read(var);
}

// A later occurrence of a struct replaces an earlier one: the struct is read
// into a fresh default value, never merged into what an earlier copy left.
template <typename Reader, BondStruct S>
void ReadValue(Reader& reader, BondDataType, S& var)
{
    var = S{};
    Apply(To<S>(var), bonded<S, Reader&>(reader));
}

// A blob takes the bytes of a list of int8 as a view into the input.
template <typename Reader>
void ReadValue(Reader& reader, BondDataType, blob& var)
{
    RecursionGuard guard;
    uint32_t count;
    BondDataType element_type = BT_INT8;
    reader.ReadContainerBegin(count, element_type);
    if (element_type == BT_INT8) {
        reader.Read(var, count);
    } else {
        SkipElements<int8_t>(reader, element_type, count);
    }
    reader.ReadContainerEnd();
}

template <typename Reader, typename Element>
void ReadValue(Reader& reader, BondDataType, std::vector<Element>& var)
{
    RecursionGuard guard;
    uint32_t count;
    BondDataType element_type = get_type_id<Element>::value;
    reader.ReadContainerBegin(count, element_type);
    if (Accepts<Element>(element_type)) {
        var.clear();
        var.reserve(PlausibleCount(reader, count));
        for (uint32_t i = 0; i < count; ++i) {
            ReadValue(reader, element_type, var.emplace_back());
        }
    } else {
        SkipElements<Element>(reader, element_type, count);
    }
    reader.ReadContainerEnd();
}

// A nullable travels as a list of at most one element; extra elements are
// passed over.
template <typename Reader, typename Element>
void ReadValue(Reader& reader, BondDataType, nullable<Element>& var)
{
    RecursionGuard guard;
    uint32_t count;
    BondDataType element_type = get_type_id<Element>::value;
    reader.ReadContainerBegin(count, element_type);
    if (Accepts<Element>(element_type)) {
        var.reset();
        if (count > 0) {
            ReadValue(reader, element_type, var.set());
            SkipElements<Element>(reader, element_type, count - 1);
        }
    } else {
        SkipElements<Element>(reader, element_type, count);
    }
    reader.ReadContainerEnd();
}

template <typename Reader, typename Element, typename Compare, typename Allocator>
void ReadValue(Reader& reader, BondDataType, std::set<Element, Compare, Allocator>& var)
{
    RecursionGuard guard;
    uint32_t count;
    BondDataType element_type = get_type_id<Element>::value;
    reader.ReadContainerBegin(count, element_type);
    if (Accepts<Element>(element_type)) {
        var.clear();
        for (uint32_t i = 0; i < count; ++i) {
            Element element{};
            ReadValue(reader, element_type, element);
            var.insert(std::move(element));
        }
    } else {
        SkipElements<Element>(reader, element_type, count);
    }
    reader.ReadContainerEnd();
}

template <typename Reader, typename Key, typename Value, typename Compare, typename Allocator>
void ReadValue(Reader& reader, BondDataType, std::map<Key, Value, Compare, Allocator>& var)
{
    RecursionGuard guard;
    uint32_t count;
    std::pair<BondDataType, BondDataType> types{get_type_id<Key>::value, get_type_id<Value>::value};
    reader.ReadContainerBegin(count, types);
    if (Accepts<Key>(types.first) && Accepts<Value>(types.second)) {
        var.clear();
        for (uint32_t i = 0; i < count; ++i) {
            Key key{};
            ReadValue(reader, types.first, key);
            Value& value = var[std::move(key)];
            value = Value{};
            ReadValue(reader, types.second, value);
        }
    } else {
        for (uint32_t i = 0; i < count; ++i) {
            SkipElement<Key>(reader, types.first);
            SkipElement<Value>(reader, types.second);
        }
    }
    reader.ReadContainerEnd();
}

}  // namespace bond::detail
