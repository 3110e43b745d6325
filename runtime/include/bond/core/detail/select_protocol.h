// Reading the 4-byte marshaling header (protocol tag, then version, both 16-bit
// little-endian) and choosing the reader it names.
#pragma once

#include <bond/base/bond_fwd.h>
#include <bond/base/exception.h>
#include <bond/stream/input_buffer.h>

#include <cstdint>

namespace bond::detail {

// Reads the header at `input`'s position and calls `action` with a reader of the
// protocol and version it names, positioned after it. The readers of
// `Protocols` are tried in order. Throws CoreException for a tag or version
// that no reader accepts.
template <typename... Readers, typename Action>
void SelectProtocol(InputBuffer& input, Action&& action, Protocols<Readers...>)
{
    uint16_t tag;
    uint16_t version;
    input.Read(tag);
    input.Read(version);
    const bool selected = ([&] {
        if (tag != Readers::magic || version > Readers::version) {
            return false;
        }
        Readers reader(input, version);
        action(reader);
        return true;
    }() || ...);
    if (!selected) {
        ThrowUnsupportedProtocol();
    }
}

}  // namespace bond::detail
