// Reads one struct of a tagged protocol (Compact Binary, Fast Binary) and tells
// a transform what it meets, against the fields a schema declares (see
// fields.h: a compile-time schema, a run-time one, or none).
//
// Wire fields are matched to the declared fields in one forward pass, walking
// the declared fields in ascending ordinal order with a cursor H:
//   - a wire field with H's id is H's value when its type is accepted and the
//     copy is kept (Accepts in readable.h, FieldCopies in field_matching.h); the transform gets it
//     through Field;
//   - any other wire field with an id up to H's is passed to UnknownField;
//   - a higher id, or an end marker, moves H on; a declared field that got no
//     value is reported to OmittedField;
//   - once every declared field is passed, the rest of the struct goes to
//     UnknownField up to its end marker, and each marker that ends a base part
//     on the way to UnknownEnd.
// The fields of a record's base come first, as a base part (see fields.h).
// So a field that comes after one with a higher id is never assigned.
// Whatever of a value the transform does not consume is passed over. The
// struct is read to its end whatever the transform's Field answers, as the
// library reads a tagged payload.
#pragma once

#include <bond/base/bond_const.h>
#include <bond/core/detail/field_matching.h>
#include <bond/core/detail/fields.h>
#include <bond/protocol/detail/recursion_guard.h>

#include <cstdint>

namespace bond::detail {

struct WireField {
    BondDataType type;
    uint16_t id;

    bool EndsLevel() const noexcept { return type == BT_STOP || type == BT_STOP_BASE; }
};

template <typename Reader>
void NextField(Reader& reader, WireField& wire)
{
    reader.ReadFieldEnd();
    reader.ReadFieldBegin(wire.type, wire.id);
}

template <typename Reader, typename Transform>
void ReportUnknownField(Reader& reader, const Transform& transform, const WireField& wire)
{
    ReportTyped(reader, wire.type, nullptr, [&](const auto& value) { return transform.UnknownField(wire.id, value); });
}

template <typename Field, typename Reader, typename Transform>
void MatchField(const Field& field, Reader& reader, const Transform& transform, WireField& wire)
{
    FieldCopies copies;
    while (!wire.EndsLevel() && wire.id <= field.Id()) {
        if (wire.id != field.Id()) {
            ReportUnknownField(reader, transform, wire);
        } else if (Accepts(field.Type(), wire.type) && copies.Takes(field.HoldsRecords(), wire.type, reader)) {
            field.Report(reader, wire.type, transform);
        } else {
            copies.PassedOver();
            ReportUnknownField(reader, transform, wire);
        }
        NextField(reader, wire);
    }
    if (!copies.Taken()) {
        field.ReportOmitted(transform);
    }
}

// A base part (`base_part`) is a struct of its own up to the marker that ends
// it, which the walk consumes; a struct that ends there instead, with STOP,
// holds nothing more of the derived record, and the walk says so by returning
// true, as does the walk of a derived record whose base part ended so.
template <typename Reader, typename Fields, typename Transform>
bool ParseTagged(Reader& reader, const Fields& fields, const Transform& transform, bool base_part = false)
{
    RecursionGuard guard;
    reader.ReadStructBegin(base_part);
    transform.Begin(fields.GetMetadata());
    bool done = fields.ReportBase(reader, transform);
    if (!done) {
        WireField wire;
        reader.ReadFieldBegin(wire.type, wire.id);
        fields.ForEach([&](const auto& field) {
            MatchField(field, reader, transform, wire);
            return false;
        });
        for (; wire.type != BT_STOP; NextField(reader, wire)) {
            if (wire.type != BT_STOP_BASE) {
                ReportUnknownField(reader, transform, wire);
            } else if (base_part) {
                break;
            } else {
                transform.UnknownEnd();
            }
        }
        done = base_part && wire.type == BT_STOP;
    }
    reader.ReadStructEnd();
    transform.End();
    return done;
}

}  // namespace bond::detail
