// bond::OutputCounter: a byte sink that stores nothing and counts what a writer
// would have written, with the same write interface as OutputMemoryStream. The
// count is 64-bit, so counting never wraps, even past what an output buffer
// could hold.
#pragma once

#include <bond/base/blob.h>
#include <bond/stream/detail/varint.h>

#include <cstdint>
#include <type_traits>

namespace bond {

class OutputCounter {
public:
    // `data` is never read.
    void Write(const void*, uint32_t size) noexcept { _count += size; }

    template <typename T>
        requires std::is_arithmetic_v<T>
    void Write(T) noexcept
    {
        _count += sizeof(T);
    }

    template <typename T>
        requires std::is_unsigned_v<T>
    void WriteVariableUnsigned(T value) noexcept
    {
        _count += detail::VarintSize(value);
    }

    void Write(const blob& value) noexcept { _count += value.length(); }

    uint64_t GetCount() const noexcept { return _count; }

protected:
    uint64_t _count = 0;
};

}  // namespace bond
