// Whether a value can be read into a variable, in every form the question
// takes: a type code off the wire against a declared one (Accepts, which the
// others come down to for basic values), an encoded value's type against a
// variable's (Reads, CanRead), a run-time schema's type against a variable's
// (Matches); and which fields hold records (HoldsRecords), whose repeated
// copies are judged as a record's are (see field_matching.h).
#pragma once

#include <bond/base/bond_const.h>
#include <bond/base/bond_fwd.h>
#include <bond/schema/reflection.h>
#include <bond/schema/schema_def.h>

#include <type_traits>

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
    case BT_UINT16: return wire == BT_UINT8;
    case BT_UINT32: return wire == BT_UINT8 || wire == BT_UINT16;
    case BT_UINT64: return wire == BT_UINT8 || wire == BT_UINT16 || wire == BT_UINT32;
    case BT_INT16: return wire == BT_INT8;
    case BT_INT32: return wire == BT_INT8 || wire == BT_INT16;
    case BT_INT64: return wire == BT_INT8 || wire == BT_INT16 || wire == BT_INT32;
    case BT_DOUBLE: return wire == BT_FLOAT;
    default: return false;
    }
}

// Calls `visit` with the type that `wire` names when it is one of the narrower
// types whose values convert to X (or X's own, for the types below int64).
template <typename X, typename Visit>
void VisitConvertible(BondDataType wire, Visit&& visit)
{
    const auto as = [&]<typename Wire>() {
        if constexpr (IsConvertible(get_type_id<Wire>::value, get_type_id<X>::value)) {
            if (wire == get_type_id<Wire>::value) {
                visit.template operator()<Wire>();
                return true;
            }
        }
        return false;
    };
    (void)(as.template operator()<uint8_t>() || as.template operator()<uint16_t>() ||
           as.template operator()<uint32_t>() || as.template operator()<int8_t>() ||
           as.template operator()<int16_t>() || as.template operator()<int32_t>() || as.template operator()<float>());
}

// A wrong type at a declared id: the field is the declared field's value when
// its wire type is the declared one, or, for a basic declared type, one that
// converts to it. Any other type is passed over as an unknown field, and the
// declared field stays open for a later copy of the right type.
constexpr bool Accepts(BondDataType declared, BondDataType wire) noexcept
{
    return wire == declared || (IsBasicType(declared) && IsConvertible(wire, declared));
}

// Whether a value of type T can be read into a variable of type X.
template <typename T, typename X>
constexpr bool Reads()
{
    if constexpr (is_type_alias<X>::value && !std::is_same_v<T, X>) {
        // A scalar of one's own takes what the type it names takes.
        return Reads<T, typename aliased_type<X>::type>();
    } else if constexpr (is_string<T>::value || is_wstring<T>::value) {
        // Text goes into any string of its kind.
        return is_string<T>::value ? is_string<X>::value : is_wstring<X>::value;
    } else if constexpr ((std::is_arithmetic_v<T> || std::is_enum_v<T>) &&
                         (std::is_arithmetic_v<X> || std::is_enum_v<X>)) {
        return Accepts(get_type_id<X>::value, get_type_id<T>::value);
    } else if constexpr (is_basic_type<T>::value && is_basic_type<X>::value) {
        // A scalar of one's own into a value of the type it travels as (text
        // is settled above).
        return get_type_id<T>::value == get_type_id<X>::value;
    } else {
        return std::is_same_v<T, X>;
    }
}

template <typename Value>
struct value_type_of {
    using type = typename Value::value_type;
};

// Whether an encoded value (value or bonded) can be read into a variable of
// type X: a basic value into a type it converts to, text into text of its
// kind, a struct into a record, a container into a container (whose elements
// are judged as it is read).
template <typename X, typename Value>
constexpr bool CanRead()
{
    using T = typename value_type_of<Value>::type;
    if constexpr (is_bonded<Value>::value) {
        return BondStruct<X> && (std::is_void_v<T> || std::is_same_v<T, X>);
    } else if constexpr (std::is_void_v<T>) {
        return !BondStruct<X> && !is_basic_type<X>::value;
    } else {
        return Reads<T, X>();
    }
}

// Whether values that `type` describes can be read into an X: the same
// shape, every basic part one that X's part accepts, every record a record
// (laid out as the schema says) and not a marshaled payload.
template <typename X>
bool Matches(const TypeDef& type)
{
    if constexpr (std::is_same_v<X, blob>) {
        return type.id == BT_LIST && type.element.hasvalue() && type.element.value().id == BT_INT8;
    } else if constexpr (is_map_container<X>::value) {
        return type.id == BT_MAP && type.key.hasvalue() && type.element.hasvalue() &&
               Matches<key_of<X>>(type.key.value()) && Matches<mapped_of<X>>(type.element.value());
    } else if constexpr (is_list_container<X>::value || is_set_container<X>::value) {
        return type.id == get_type_id<X>::value && type.element.hasvalue() &&
               Matches<element_of<X>>(type.element.value());
    } else if constexpr (BondStruct<X>) {
        return type.id == BT_STRUCT && !type.bonded_type;
    } else {
        return Accepts(get_type_id<X>::value, type.id) && !type.bonded_type;
    }
}

// A record, or a list of records (a nullable one among them).
constexpr bool HoldsRecords(BondDataType type, BondDataType element) noexcept
{
    return type == BT_STRUCT || (type == BT_LIST && element == BT_STRUCT);
}

inline bool HoldsRecords(const TypeDef& type) noexcept
{
    return HoldsRecords(type.id, type.element.hasvalue() ? type.element.value().id : BT_UNAVAILABLE);
}

template <typename X>
constexpr bool HoldsRecords() noexcept
{
    if constexpr (is_list_container<X>::value) {
        return HoldsRecords(get_type_id<X>::value, get_type_id<element_of<X>>::value);
    } else {
        return HoldsRecords(get_type_id<X>::value, BT_UNAVAILABLE);
    }
}

}  // namespace bond::detail
