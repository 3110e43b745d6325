// Values of every type a field of containers.bond (or allocated.bond) can have, away from their
// defaults: a list holds its type's default and then a sample (so that
// containers hold empty containers and zeros too), a set and a map the same
// two keys, a nullable a sample, and a record a sample in every field.
#pragma once

// First, as a program includes the header of its types of one's own before
// the runtime's reading and writing code.
#include "own_types_reflection.h"

#include "allocated_reflection.h"
#include "containers_reflection.h"

#include <bond/core/bond.h>

#include <cstdint>
#include <limits>
#include <string>

namespace test::containers {

template <typename T>
T Sample();

template <typename T>
T Filled()
{
    T record;
    [&]<typename... Fields>(bond::reflection::FieldList<Fields...>) {
        ((Fields::GetVariable(record) = Sample<typename Fields::field_type>()), ...);
    }(typename bond::schema_of<T>::fields{});
    return record;
}

template <typename T>
T Sample()
{
    if constexpr (std::is_same_v<T, bool>) {
        return true;
    } else if constexpr (std::is_same_v<T, float> || std::is_same_v<T, double>) {
        return T(-1.5e30);
    } else if constexpr (std::is_integral_v<T>) {
        // The far end of the type's range: the most bytes a varint takes.
        return std::is_signed_v<T> ? std::numeric_limits<T>::min() : std::numeric_limits<T>::max();
    } else if constexpr (std::is_enum_v<T>) {
        return Blue;
    } else if constexpr (std::is_same_v<T, own::Label>) {
        return own::Label("ab");
    } else if constexpr (std::is_same_v<T, own::Stamp>) {
        return own::Stamp(-5);
    } else if constexpr (bond::is_string<T>::value) {
        return "ab";
    } else if constexpr (bond::is_wstring<T>::value) {
        return L"\u00e9\U0001F600";
    } else if constexpr (std::is_same_v<T, bond::blob>) {
        static const char bytes[] = {'\x00', '\xff'};
        return bond::blob(bytes, sizeof bytes);
    } else if constexpr (bond::BondStruct<T>) {
        return Filled<T>();
    } else if constexpr (bond::detail::is_nullable<T>::value) {
        return T(Sample<typename T::value_type>());
    } else if constexpr (bond::is_map_container<T>::value) {
        return T{{typename T::key_type{}, Sample<typename T::mapped_type>()},
                 {Sample<typename T::key_type>(), typename T::mapped_type{}}};
    } else {
        using Element = typename bond::element_type<T>::type;
        return T{Element{}, Sample<Element>()};
    }
}

}  // namespace test::containers
