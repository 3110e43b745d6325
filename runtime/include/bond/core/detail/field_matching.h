// How a field met on the wire at a declared field's id is judged by the
// parser of a tagged payload (see tagged_parser.h): whether its type makes it
// the declared field's value, and which copy is kept when the wire gives the
// field more than once. Both rules hold for compile-time and run-time schemas
// alike.
#pragma once

#include <bond/base/bond_const.h>
#include <bond/schema/reflection.h>
#include <bond/stream/detail/varint.h>

#include <cstdint>

namespace bond::detail {

// Whether a basic value of wire type `wire` may be read into a variable of type
// `declared`: the same type, or a wider one of the same kind (unsigned to
// unsigned, signed to signed, float to double).
constexpr bool IsConvertible(BondDataType wire, BondDataType declared) noexcept
{
    if (wire == declared) {
        return true;
    }
    switch (declared) {
    case BT_UINT16: return wire == BT_UINT8;
    case BT_UINT32: return wire == BT_UINT8 || wire == BT_UINT16;
    case BT_UINT64: return wire == BT_UINT8 || wire == BT_UINT16 || wire == BT_UINT32;
    case BT_INT16: return wire == BT_INT8;
    case BT_INT32: return wire == BT_INT8 || wire == BT_INT16;
    case BT_INT64: return wire == BT_INT8 || wire == BT_INT16 || wire == BT_INT32;
    case BT_DOUBLE: return wire == BT_FLOAT;
    default: return false;
    }
}

// Calls `visit` with the type that `wire` names when it is one of the narrower
// types whose values convert to X (or X's own, for the types below int64).
template <typename X, typename Visit>
void VisitConvertible(BondDataType wire, Visit&& visit)
{
    const auto as = [&]<typename Wire>() {
        if constexpr (IsConvertible(get_type_id<Wire>::value, get_type_id<X>::value)) {
            if (wire == get_type_id<Wire>::value) {
                visit.template operator()<Wire>();
                return true;
            }
        }
        return false;
    };
    (void)(as.template operator()<uint8_t>() || as.template operator()<uint16_t>() ||
           as.template operator()<uint32_t>() || as.template operator()<int8_t>() ||
           as.template operator()<int16_t>() || as.template operator()<int32_t>() || as.template operator()<float>());
}

// A wrong type at a declared id: the field is the declared field's value when
// its wire type is the declared one, or, for a basic declared type, one that
// converts to it. Any other type is passed over as an unknown field, and the
// declared field stays open for a later copy of the right type.
constexpr bool Accepts(BondDataType declared, BondDataType wire) noexcept
{
    return wire == declared || (IsBasicType(declared) && IsConvertible(wire, declared));
}

// Which copy of a field given more than once is kept.
//   - A nested record or a list of records keeps its first copy; later ones are
//     passed over, as the library's newer releases do (9.0.5 cannot take a
//     second copy of a record that holds data).
//   - Any other field keeps its last copy, as 9.0.5 does and as the tool's
//     certificate field must; except that a later copy of a 16- or 32-bit
//     integer whose varint is over-long is passed over, keeping the earlier
//     value. Only such a varint ends in a different place when read as a value
//     of its width (9.0.5 stops at the width's last byte) and when passed over
//     (newer releases run on for up to ten bytes), and these are the only
//     copies the two releases treat differently; passing it over reads the
//     rest of the record as the newer releases read it.
// One FieldCopies follows one declared field through the wire fields at its id.
class FieldCopies {
public:
    // Whether the wire field at the declared field's id, whose type the field
    // accepts, is taken as its value. `reader` stands at the field's value.
    template <typename Reader>
    bool Takes(bool holds_records, BondDataType wire, Reader& reader)
    {
        if (!_met) {
            _met = _taken = true;
            return true;
        }
        return TakesLater(holds_records, wire, reader);
    }

    // A wire field at the declared field's id that is not taken for its type.
    void PassedOver() noexcept { _met = true; }

    bool Taken() const noexcept { return _taken; }

private:
    template <typename Reader>
    [[gnu::noinline]] bool TakesLater(bool holds_records, BondDataType wire, Reader& reader)
    {
        if (holds_records ? _taken : IsOverLongInteger(wire, reader)) {
            return false;
        }
        _taken = true;
        return true;
    }

    template <typename Reader>
    static bool IsOverLongInteger(BondDataType wire, const Reader& reader)
    {
        if (Reader::FixedSize(wire) != 0) {
            return false;
        }
        switch (wire) {
        case BT_UINT16:
        case BT_INT16: return IsOverLongVarint<uint16_t>(reader.GetBuffer());
        case BT_UINT32:
        case BT_INT32: return IsOverLongVarint<uint32_t>(reader.GetBuffer());
        default: return false;
        }
    }

    bool _met = false;
    bool _taken = false;
};

}  // namespace bond::detail
