// What the protocols need of a stream beyond the members every stream has.
// A stream of one's own needs only Read(T&) for the arithmetic types,
// Read(void*, uint32_t), Read(blob&, uint32_t), Skip(uint32_t) and
// CanRead(uint32_t) (or, to write, Write(T), Write(const void*, uint32_t) and
// Write(const blob&)); where a stream offers more, as InputBuffer and
// OutputMemoryStream do, the protocols take its faster way. Either way every
// rule of the wire is the same: a varint, for one, is decoded by
// stream/detail/varint.h whichever way its bytes arrive.
#pragma once

#include <bond/protocol/detail/zigzag.h>
#include <bond/stream/detail/varint.h>

#include <cstdint>
#include <type_traits>

namespace bond {

// Reads a varint of a T: through the stream's own ReadVariableUnsigned, or a
// byte at a time through Read(uint8_t&).
template <typename Buffer, typename T>
    requires std::is_unsigned_v<T>
void ReadVariableUnsigned(Buffer& input, T& value)
{
    if constexpr (requires { input.ReadVariableUnsigned(value); }) {
        input.ReadVariableUnsigned(value);
    } else {
        value = detail::DecodeVarint<T>([&] {
            uint8_t byte;
            input.Read(byte);
            return byte;
        });
    }
}

// Writes the shortest varint of `value`: through the stream's own
// WriteVariableUnsigned, or as bytes through Write(const void*, uint32_t).
template <typename Buffer, typename T>
    requires std::is_unsigned_v<T>
void WriteVariableUnsigned(Buffer& output, T value)
{
    if constexpr (requires { output.WriteVariableUnsigned(value); }) {
        output.WriteVariableUnsigned(value);
    } else {
        uint8_t bytes[detail::max_varint_size<T>];
        output.Write(bytes, detail::EncodeVarint(value, bytes));
    }
}

}  // namespace bond
