// Reading the 4-byte marshaling header (protocol tag, then version, both 16-bit
// little-endian) and choosing the reader it names.
#pragma once

#include <bond/base/bond_fwd.h>
#include <bond/base/exception.h>
#include <bond/stream/input_buffer.h>

#include <cstdint>

namespace bond::detail {

template <typename... Readers, typename Action>
bool TryProtocols(InputBuffer& input, uint16_t tag, uint16_t version, Action& action, Protocols<Readers...>)
{
    return ([&] {
        if (tag != Readers::magic || version > Readers::version) {
            return false;
        }
        Readers reader(input, version);
        action(reader);
        return true;
    }() || ...);
}

// Reads the header at `input`'s position and calls `action` with a reader of the
// protocol and version it names, positioned after it. The enabled readers of
// `Protocols` over an InputBuffer are tried in order. Throws CoreException for
// a tag or version that none of them accepts.
template <typename Protocols, typename Action>
void SelectProtocol(InputBuffer& input, Action&& action)
{
    uint16_t tag;
    uint16_t version;
    input.Read(tag);
    input.Read(version);
    if (!TryProtocols(input, tag, version, action, typename Protocols::template FilterBuffer<InputBuffer>{})) {
        ThrowUnsupportedProtocol();
    }
}

}  // namespace bond::detail
