// Reads that the protocols make of a stream for a run of bytes: through
// InputBuffer's own members where the stream has them (a pointer into the
// input, checks against what remains), and otherwise through Read(void*,
// uint32_t) alone. A stream of one's own then fails where its Read runs out,
// and nothing is allocated ahead of the bytes actually read, whatever length
// the wire claims.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace bond::detail {

// Where the stream can tell, checks that `count` elements of `size` bytes
// remain, failing where a read of them one at a time would.
template <typename Buffer>
void RequireElements(const Buffer& input, uint32_t count, uint32_t size)
{
    if constexpr (requires { input.RequireElements(count, size); }) {
        input.RequireElements(count, size);
    }
}

// The next `size` bytes of the input, consumed: a pointer into the input, or
// into `storage`, which is filled a run at a time as the bytes arrive.
template <typename Buffer>
const uint8_t* ReadRun(Buffer& input, uint32_t size, std::vector<uint8_t>& storage)
{
    if constexpr (requires { input.Consume(size); }) {
        return input.Consume(size);
    } else {
        constexpr uint32_t step = 64 * 1024;
        storage.clear();
        for (uint32_t done = 0; done < size;) {
            const uint32_t part = std::min(step, size - done);
            storage.resize(done + part);
            input.Read(storage.data() + done, part);
            done += part;
        }
        return storage.data();
    }
}

// How many elements storage may be reserved for when the wire declares
// `count`: no more than the remaining bytes could hold (every element takes at
// least one), and none ahead where the stream cannot tell what remains.
template <typename Buffer>
uint32_t PlausibleCount(const Buffer& input, uint32_t count)
{
    if constexpr (requires { input.GetRemaining(); }) {
        return std::min(count, input.GetRemaining());
    } else if constexpr (requires { input.CanRead(count); }) {
        return input.CanRead(count) ? count : 0;
    } else {
        return 0;
    }
}

}  // namespace bond::detail
