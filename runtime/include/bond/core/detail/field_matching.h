// Which copy of a field is kept when the wire of a tagged payload gives it
// more than once (see tagged_parser.h); whether a copy's type makes it the
// declared field's value at all is Accepts (readable.h). Both rules hold for
// compile-time and run-time schemas alike.
#pragma once

#include <bond/base/bond_const.h>
#include <bond/core/detail/readable.h>
#include <bond/stream/detail/varint.h>

#include <cstdint>

namespace bond::detail {

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
