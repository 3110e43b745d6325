// Walks a record held in memory and tells a transform of its base, if it has
// one, through Base, then of each of its own fields, in ordinal order, through Begin, Field(id, metadata, member) and
// End, up to a Field that returns true, after which, as in the library, the walk reports no more fields and returns
// true. The members are passed as they are: const for a serializing transform, which reads them, and changeable for a
// modifying one.
#pragma once

#include <bond/core/detail/base_of.h>
#include <bond/schema/reflection.h>

#include <type_traits>

namespace bond::detail {

template <typename T, typename Transform>
bool ParseObject(T& object, const Transform& transform)
{
    using Record = std::remove_const_t<T>;
    transform.Begin(schema_of<Record>::metadata);
    bool done = false;
    if constexpr (HasBase<Record>) {
        using Base = std::conditional_t<std::is_const_v<T>, const BaseOf<Record>, BaseOf<Record>>;
        done = transform.Base(static_cast<Base&>(object));
    }
    done = done || [&]<typename... Fields>(reflection::FieldList<Fields...>) {
        return (transform.Field(Fields::id, Fields::metadata, Fields::GetVariable(object)) || ...);
    }(typename schema_of<Record>::fields{});
    transform.End();
    return done;
}

}  // namespace bond::detail
