// bond::Apply, declared for the runtime's own headers, which apply transforms
// to nested records and payloads before apply.h defines it.
#pragma once

#include <bond/base/bond_fwd.h>

#include <type_traits>

namespace bond {

namespace detail {

// A value that only a non-template Apply taking the value's own type accepts,
// through the conversion: the templates step aside for it, so looking up Apply
// with it finds nothing but a schema module's entry points.
template <typename Value>
struct EntryPointArgument {
    const Value& value;
    operator const Value&() const noexcept { return value; }
};

template <typename Value>
inline constexpr bool is_entry_point_argument = false;
template <typename Value>
inline constexpr bool is_entry_point_argument<EntryPointArgument<Value>> = true;

}  // namespace detail

// Applies `transform` to `value`: a record in memory, a payload (bonded) or an
// encoded value (value). Returns the walk's answer: true where a transform's
// Field ended the walk of an untagged payload or a record early, false for a
// struct walked to its end. `Protocols`, when named, lists the readers that a
// payload held by a ProtocolReader may be over; otherwise the transform's own
// list holds (To's, Serializer's and Marshaler's, else the built-in one).
template <typename Protocols = void, typename Transform, typename Value>
    requires(!detail::is_entry_point_argument<Value>)
bool Apply(const Transform& transform, const Value& value);

// Applies a modifying transform to a record, which it may change.
template <typename Protocols = void, typename Transform, typename T>
    requires std::is_base_of_v<ModifyingTransform, Transform>
bool Apply(const Transform& transform, T& value);

}  // namespace bond
