// The record that a record derives from, as its compile-time schema names it
// (Schema::base), or no_base. A payload of a derived record holds the base's
// fields first: in a tagged protocol as a part of its own that ends with a
// marker, in an untagged one simply before the record's own.
#pragma once

#include <bond/schema/reflection.h>

#include <type_traits>

namespace bond::detail {

template <typename T>
struct base_of {
    using type = no_base;
};
template <typename T>
    requires requires { typename schema_of<T>::base; }
struct base_of<T> {
    using type = typename schema_of<T>::base;
};

template <typename T>
using BaseOf = typename base_of<T>::type;

template <typename T>
concept HasBase = !std::is_same_v<BaseOf<T>, no_base>;

}  // namespace bond::detail
