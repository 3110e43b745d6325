// Reads one struct of an untagged protocol (Simple Binary) against the fields a
// schema declares (see fields.h): every declared field, in ordinal order,
// travels as its declared type, so each one is reported to the transform's
// Field. Whatever of a value the transform does not consume is passed over.
#pragma once

#include <bond/core/detail/fields.h>
#include <bond/protocol/detail/recursion_guard.h>

namespace bond::detail {

template <typename Reader, typename Fields, typename Transform>
bool ParseUntagged(Reader& reader, const Fields& fields, const Transform& transform)
{
    RecursionGuard guard;
    reader.ReadStructBegin();
    transform.Begin(fields.GetMetadata());
    fields.ForEach([&](const auto& field) { field.Report(reader, field.Type(), transform); });
    reader.ReadStructEnd();
    transform.End();
    return false;
}

}  // namespace bond::detail
