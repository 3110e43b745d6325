// A field of type bonded<T> keeps its struct undecoded: the parsers hand it to
// transforms as a bonded<T> of its own, over a copy of the reader, which
// stays good after the outer walk moves on. A tagged payload holds the struct
// in place; Simple Binary holds a marshaled payload of its own, in whichever
// protocol its header names, behind a 32-bit byte count.
#pragma once

#include <bond/base/bond_const.h>
#include <bond/base/bond_fwd.h>
#include <bond/core/detail/marshaled_payload.h>
#include <bond/core/detail/select_protocol.h>
#include <bond/protocol/detail/skip_value.h>
#include <bond/stream/input_buffer.h>

namespace bond::detail {

// The struct of a bonded<T> field at `reader`, which passes over it.
template <typename T, typename Reader>
bonded<T> ReadNestedPayload(Reader& reader)
{
    if constexpr (Reader::tagged) {
        const bonded<T> nested(reader);
        SkipValue(reader, BT_STRUCT);
        return nested;
    } else {
        InputBuffer input(ReadMarshaledPayload(reader));
        ProtocolReader nested;
        SelectProtocol<BuiltInProtocols>(input, [&](const auto& nested_reader) { nested = nested_reader; });
        return bonded<T>(nested);
    }
}

}  // namespace bond::detail
