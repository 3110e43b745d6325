// Reads one struct of an untagged protocol (Simple Binary) against the
// compile-time schema of T: every declared field, in ordinal order, travels as
// its declared type, so each one is reported to the transform as present.
#pragma once

#include <bond/core/detail/recursion_guard.h>
#include <bond/core/detail/tagged_parser.h>
#include <bond/core/reflection.h>

namespace bond::detail {

template <typename Reader, typename Transform, typename... Fields>
void ReadDeclaredFields(Reader& reader, const Transform& transform, reflection::FieldList<Fields...>)
{
    (transform.Field(Fields{}, reader, get_type_id<typename Fields::field_type>::value), ...);
}

template <typename T, typename Reader, typename Transform>
void ParseUntagged(Reader& reader, const Transform& transform)
{
    RecursionGuard guard;
    reader.ReadStructBegin();
    transform.Begin(T::Schema::metadata);
    ReadDeclaredFields(reader, transform, typename T::Schema::fields{});
    reader.ReadStructEnd();
    transform.End();
}

// Reads one struct of either kind of protocol.
template <typename T, typename Reader, typename Transform>
void Parse(Reader& reader, const Transform& transform)
{
    if constexpr (Reader::tagged) {
        ParseTagged<T>(reader, transform);
    } else {
        ParseUntagged<T>(reader, transform);
    }
}

}  // namespace bond::detail
