// Which fields of a record in memory a writer leaves out: an optional field
// that holds the default its metadata gives, when the writer's protocol may
// omit fields at all (the tagged ones). A struct field has no default and is
// always written. A maybe's default is nothing.
#pragma once

#include <bond/base/bond_const.h>
#include <bond/base/metadata.h>
#include <bond/schema/maybe.h>
#include <bond/schema/reflection.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace bond::detail {

template <typename T>
bool IsDefault(const T& value, const Metadata& metadata)
{
    const Variant& fallback = metadata.default_value;
    if constexpr (is_type_alias<T>::value) {
        return IsDefault(static_cast<typename aliased_type<T>::type>(get_aliased_value(value)), metadata);
    } else if constexpr (std::is_same_v<T, bool>) {
        return value == (fallback.uint_value != 0);
    } else if constexpr (std::is_enum_v<T> || (std::is_integral_v<T> && std::is_signed_v<T>)) {
        return static_cast<int64_t>(value) == static_cast<int64_t>(static_cast<T>(fallback.int_value));
    } else if constexpr (std::is_integral_v<T>) {
        return value == static_cast<T>(fallback.uint_value);
    } else if constexpr (std::is_floating_point_v<T>) {
        return value == static_cast<T>(fallback.double_value);
    } else if constexpr (is_string<T>::value) {
        return std::string_view(string_data(value), string_length(value)) == fallback.string_value;
    } else if constexpr (is_wstring<T>::value) {
        return std::wstring_view(string_data(value), string_length(value)) == fallback.wstring_value;
    } else if constexpr (BondStruct<T>) {
        return false;
    } else if constexpr (is_maybe<T>::value) {
        return value.is_nothing();
    } else if constexpr (requires { value.empty(); }) {
        return value.empty();
    } else {
        return container_size(value) == 0;
    }
}

template <typename Writer, typename T>
bool OmitsField(const Metadata& metadata, const T& value)
{
    return Writer::may_omit_fields && metadata.modifier == Optional && IsDefault(value, metadata);
}

}  // namespace bond::detail
