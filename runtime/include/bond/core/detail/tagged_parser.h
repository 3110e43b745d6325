// Reads one struct of a tagged protocol (Compact Binary, Fast Binary) against the
// compile-time schema of T, and tells a transform what it meets.
//
// Wire fields are matched to the declared fields in one forward pass, walking the
// declared fields in ascending ordinal order with a cursor H:
//   - a wire field with H's id and an accepted type is H's value (Field); the
//     same field again replaces it, except a nested record or a list of
//     records, which keeps its first occurrence (the library's newest releases
//     do so; older ones cannot take a second copy of a record that holds data);
//   - any other wire field with an id up to H's is passed over (UnknownField);
//   - a higher id, or an end marker, moves H on; a declared field that got no
//     value is reported absent (OmittedField);
//   - once every declared field is passed, the rest of the struct is passed over
//     up to its end marker, stepping over the markers that end base parts.
// So a field that comes after one with a higher id is never assigned.
//
// A transform provides Begin(metadata), Field(field, reader, type),
// UnknownField(id, reader, type), OmittedField(field) and End(); Field and
// UnknownField consume the value.
#pragma once

#include <bond/core/bond_const.h>
#include <bond/core/detail/read_value.h>
#include <bond/core/detail/recursion_guard.h>
#include <bond/core/reflection.h>

#include <cstdint>

namespace bond::detail {

struct FieldCursor {
    BondDataType type;
    uint16_t id;

    bool EndsLevel() const noexcept { return type == BT_STOP || type == BT_STOP_BASE; }
};

template <typename Reader>
void NextField(Reader& reader, FieldCursor& wire)
{
    reader.ReadFieldEnd();
    reader.ReadFieldBegin(wire.type, wire.id);
}

template <typename Field, typename Reader, typename Transform>
void MatchField(Reader& reader, const Transform& transform, FieldCursor& wire)
{
    using FieldType = typename Field::field_type;
    constexpr bool keeps_first = BondStruct<FieldType> || HoldsRecords<FieldType>;
    bool present = false;
    while (!wire.EndsLevel() && wire.id <= Field::id) {
        if (wire.id == Field::id && Accepts<FieldType>(wire.type) && !(keeps_first && present)) {
            transform.Field(Field{}, reader, wire.type);
            present = true;
        } else {
            transform.UnknownField(wire.id, reader, wire.type);
        }
        NextField(reader, wire);
    }
    if (!present) {
        transform.OmittedField(Field{});
    }
}

template <typename Reader, typename Transform, typename... Fields>
void MatchFields(Reader& reader, const Transform& transform, FieldCursor& wire,
                 reflection::FieldList<Fields...>)
{
    (MatchField<Fields>(reader, transform, wire), ...);
}

template <typename T, typename Reader, typename Transform>
void ParseTagged(Reader& reader, const Transform& transform)
{
    RecursionGuard guard;
    reader.ReadStructBegin();
    transform.Begin(T::Schema::metadata);
    FieldCursor wire;
    reader.ReadFieldBegin(wire.type, wire.id);
    MatchFields(reader, transform, wire, typename T::Schema::fields{});
    for (; wire.type != BT_STOP; NextField(reader, wire)) {
        if (wire.type != BT_STOP_BASE) {
            transform.UnknownField(wire.id, reader, wire.type);
        }
    }
    reader.ReadStructEnd();
    transform.End();
}

}  // namespace bond::detail
