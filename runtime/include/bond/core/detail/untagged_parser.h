// Reads one struct of an untagged protocol (Simple Binary) against the fields a
// schema declares (see fields.h): every declared field, in ordinal order,
// travels as its declared type, so each one is reported to the transform's
// Field. Whatever of a value the transform does not consume is passed over.
// A Field that returns true ends the walk there, as in the library: the fields
// after it are not read, and the parse returns true.
#pragma once

#include <bond/core/detail/fields.h>
#include <bond/protocol/detail/recursion_guard.h>

namespace bond::detail {

// The base's fields come first, with nothing to mark where they end, so
// `base_part` changes nothing here; it is taken as the tagged walk takes it.
template <typename Reader, typename Fields, typename Transform>
bool ParseUntagged(Reader& reader, const Fields& fields, const Transform& transform, bool base_part = false)
{
    RecursionGuard guard;
    reader.ReadStructBegin(base_part);
    transform.Begin(fields.GetMetadata());
    const bool done = fields.ReportBase(reader, transform) ||
                      fields.ForEach([&](const auto& field) { return field.Report(reader, field.Type(), transform); });
    reader.ReadStructEnd();
    transform.End();
    return done;
}

}  // namespace bond::detail
