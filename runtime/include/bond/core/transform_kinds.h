// The three kinds of transform. A transform says which it is by deriving from
// one of these, and that decides what it may be applied to: a serializing
// transform to a record or a payload, a deserializing one to a payload, a
// modifying one to a record it may change.
#pragma once

#include <bond/core/bond_fwd.h>

#include <type_traits>

namespace bond {

struct SerializingTransform {};
struct DeserializingTransform {};
struct ModifyingTransform {};

template <typename T>
struct is_serializing_transform : std::is_base_of<SerializingTransform, T> {};
template <typename T>
struct is_deserializing_transform : std::is_base_of<DeserializingTransform, T> {};
template <typename T>
struct is_modifying_transform : std::is_base_of<ModifyingTransform, T> {};

}  // namespace bond
