// bond::OutputMemoryStream (also named OutputBuffer): the byte sink of every
// writer. It appends to one contiguous array that grows as needed, up to the
// 4294967295 bytes a blob's 32-bit length can describe. Bytes once written never
// change, so GetBuffer hands out the written bytes without copying them: the
// blob shares the ownership of the array, and later writes, which only append or
// move to a new array, leave what it shows untouched.
#pragma once

#include <bond/core/blob.h>
#include <bond/core/exception.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>

namespace bond {

class OutputMemoryStream {
public:
    OutputMemoryStream() = default;

    // A stream owns where it appends; two streams over one array would write
    // over each other's bytes, so a stream can be moved but not copied.
    OutputMemoryStream(const OutputMemoryStream&) = delete;
    OutputMemoryStream& operator=(const OutputMemoryStream&) = delete;
    OutputMemoryStream(OutputMemoryStream&& other) noexcept;
    OutputMemoryStream& operator=(OutputMemoryStream&& other) noexcept;
    ~OutputMemoryStream() = default;

    // Appends `size` bytes from `data`. Throws std::length_error when the total
    // would pass 4294967295 bytes; then nothing is written.
    void Write(const void* data, uint32_t size)
    {
        if (size > _capacity - _size) {
            Grow(size);
        }
        if (size != 0) {
            std::memcpy(_storage.get() + _size, data, size);
            _size += size;
        }
    }

    // A fixed-width number, little-endian whatever the host's byte order.
    template <typename T>
        requires std::is_arithmetic_v<T>
    void Write(T value)
    {
        using Bits = std::conditional_t<
            sizeof(T) == 1, uint8_t,
            std::conditional_t<sizeof(T) == 2, uint16_t, std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;
        static_assert(sizeof(Bits) == sizeof(T));
        const auto bits = std::bit_cast<Bits>(value);
        uint8_t bytes[sizeof(T)];
        for (uint32_t i = 0; i < sizeof(T); ++i) {
            bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
        }
        Write(bytes, sizeof(T));
    }

    // The shortest base-128 varint of `value`, lowest group first.
    template <typename T>
        requires std::is_unsigned_v<T>
    void WriteVariableUnsigned(T value)
    {
        uint8_t bytes[(sizeof(T) * 8 + 6) / 7];
        uint32_t size = 0;
        while (value >= 0x80) {
            bytes[size++] = static_cast<uint8_t>(value | 0x80);
            value = static_cast<T>(value >> 7);
        }
        bytes[size++] = static_cast<uint8_t>(value);
        Write(bytes, size);
    }

    void Write(const blob& value) { Write(value.content(), value.length()); }

    // Everything written so far. The blob shares the storage (see above) and stays
    // valid and unchanged after further writes and after the stream is gone.
    blob GetBuffer() const { return blob(std::shared_ptr<const char[]>(_storage), _size); }

    uint32_t GetSize() const noexcept { return _size; }

private:
    // Makes room for `extra` more bytes, at least doubling the capacity so that
    // appending n bytes costs O(n) copies overall.
    void Grow(uint32_t extra);

    std::shared_ptr<char[]> _storage;
    uint32_t _size = 0;
    uint32_t _capacity = 0;
};

using OutputBuffer = OutputMemoryStream;

}  // namespace bond
