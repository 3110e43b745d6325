// The three kinds of transform. A transform says which it is by deriving from
// one of these, and that decides what it may be applied to: a serializing
// transform to a record or a payload, a deserializing one to a payload, a
// modifying one to a record it may change.
#pragma once

#include <bond/base/bond_const.h>
#include <bond/base/bond_fwd.h>
#include <bond/base/metadata.h>

#include <cstdint>
#include <type_traits>

namespace bond {

// What every kind of transform starts from: a field the payload leaves out
// is of no concern to a transform that says nothing of it, and neither is a
// record's base, which the walk then passes over (a payload's base part) or
// leaves alone (a record's in memory).
struct Transform {
    bool OmittedField(uint16_t, const Metadata&, BondDataType) const noexcept { return false; }

    template <typename Part>
    bool Base(const Part&) const noexcept
    {
        return false;
    }
};

struct SerializingTransform : Transform {};
struct DeserializingTransform : Transform {};
struct ModifyingTransform : Transform {};

template <typename T>
struct is_serializing_transform : std::is_base_of<SerializingTransform, T> {};
template <typename T>
struct is_deserializing_transform : std::is_base_of<DeserializingTransform, T> {};
template <typename T>
struct is_modifying_transform : std::is_base_of<ModifyingTransform, T> {};

}  // namespace bond
