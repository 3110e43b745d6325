// Simple Binary stores a struct that a run-time schema marks as a nested
// payload (bonded_type) as a 32-bit little-endian byte count, whatever the
// version, and that many bytes holding a marshaled payload of its own, in any
// protocol.
#pragma once

#include <bond/base/blob.h>

#include <cstdint>

namespace bond::detail {

// The nested payload's bytes, header included. Throws StreamException when
// the count or the bytes run past the end.
template <typename Reader>
blob ReadMarshaledPayload(Reader& reader)
{
    uint32_t size;
    reader.GetBuffer().Read(size);
    blob payload;
    reader.GetBuffer().Read(payload, size);
    return payload;
}

}  // namespace bond::detail
