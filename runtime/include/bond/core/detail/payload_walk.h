// The walk of a payload over a reader: the tagged or the untagged parser, as
// the reader's protocol calls for, against the fields of a compile-time schema,
// a run-time schema, or none.
#pragma once

#include <bond/base/bond_fwd.h>
#include <bond/core/detail/fields.h>
#include <bond/core/detail/marshaled_payload.h>
#include <bond/core/detail/select_protocol.h>
#include <bond/core/detail/tagged_parser.h>
#include <bond/core/detail/untagged_parser.h>
#include <bond/schema/reflection.h>
#include <bond/schema/runtime_schema.h>
#include <bond/stream/input_buffer.h>

#include <type_traits>

namespace bond::detail {

template <typename Reader, typename Fields, typename Transform>
bool Parse(Reader& reader, const Fields& fields, const Transform& transform, bool base_part = false)
{
    if constexpr (Reader::tagged) {
        return ParseTagged(reader, fields, transform, base_part);
    } else {
        return ParseUntagged(reader, fields, transform, base_part);
    }
}

// The fields a payload of type T is matched against: T's own, or none when T
// is only declared, since a tagged payload can be walked without its schema.
template <typename T, typename Reader>
using PayloadFields = std::conditional_t<BondStruct<T>, StaticFields<T>, NoFields>;

// Walks the struct at `reader` that `schema` describes, or, without a schema,
// a tagged struct whose every field is unknown. Simple Binary stores a struct
// that the schema marks as bonded_type as a marshaled payload of its own, in
// whichever protocol its header names.
template <typename Reader, typename Transform>
bool ParseDescribed(Reader& reader, const RuntimeSchema* schema, const Transform& transform, bool base_part = false)
{
    if constexpr (Reader::tagged) {
        return schema ? ParseTagged(reader, DescribedFields(*schema), transform, base_part)
                      : ParseTagged(reader, NoFields{}, transform, base_part);
    } else {
        if (!schema->GetType().bonded_type) {
            return ParseUntagged(reader, DescribedFields(*schema), transform, base_part);
        }
        InputBuffer nested(ReadMarshaledPayload(reader));
        bool done = false;
        SelectProtocol<BuiltInProtocols>(
            nested, [&](auto& nested_reader) { done = Parse(nested_reader, DescribedFields(*schema), transform); });
        return done;
    }
}

}  // namespace bond::detail
