// A scalar of one's own: a type that travels as one of the basic types. A
// program names the basic type by specializing aliased_type in namespace bond
// and converts with two functions of its own, which the runtime calls
// unqualified and so must be declared before the runtime's reading and writing
// code is included (bond/core/bond.h), or in the type's own namespace:
//   void set_aliased_value(T& var, aliased_type<T>::type value);
//   aliased_type<T>::type get_aliased_value(const T& value);
// The runtime declares neither of them, so that those a program declares in
// the global namespace are found too. bond/core/scalar_interface.h is the
// public name of this file.
#pragma once

#include <type_traits>

namespace bond {

template <typename T>
struct aliased_type {
    using type = void;
};

template <typename T>
struct is_type_alias : std::bool_constant<!std::is_void_v<typename aliased_type<T>::type>> {};

}  // namespace bond
