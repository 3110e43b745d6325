// bond::InputBuffer: the byte source of every reader. It holds a blob and a read
// position; every byte a reader consumes comes through here, and every read is
// checked against the bytes that remain, so no input can make a reader look
// outside the blob. A read that does not fit throws bond::StreamException
// "Read out of bounds: N bytes requested, offset: P, length: L", where N is what
// the failing read needed, P the position at that read and L the blob's length.
// A Skip past the end throws the same way rather than stopping silently, so a
// truncated input is reported where it ends.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/buffer_magic.h>
#include <bond/base/exception.h>
#include <bond/stream/detail/varint.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

namespace bond {

class InputBuffer {
public:
    InputBuffer() = default;

    // Copies the view, not the bytes: when `buffer` owns its storage the input
    // keeps it alive; otherwise whoever made `buffer` keeps the bytes alive for
    // as long as the input and every blob read from it are in use.
    InputBuffer(const blob& buffer) : _blob(buffer) {}

    // A view of `length` bytes at `buffer` without an owner, under the lifetime
    // rule above. Throws std::overflow_error as the blob constructor does.
    InputBuffer(const void* buffer, uint32_t length) : _blob(buffer, length) {}

    // Two inputs are equal when they hold equal bytes and stand at the same position.
    friend bool operator==(const InputBuffer& left, const InputBuffer& right) noexcept
    {
        return left._pointer == right._pointer && left._blob == right._blob;
    }

    const blob& GetBuffer() const noexcept { return _blob; }
    uint32_t GetPosition() const noexcept { return _pointer; }
    uint32_t GetRemaining() const noexcept { return _blob.length() - _pointer; }
    bool IsEof() const noexcept { return _pointer == _blob.length(); }
    bool CanRead(uint32_t size) const noexcept { return size <= GetRemaining(); }

    void Read(uint8_t& value)
    {
        if (_pointer == _blob.length()) {
            ThrowOutOfBounds(1);
        }
        value = static_cast<uint8_t>(_blob.content()[_pointer++]);
    }

    // A fixed-width number or enum stored little-endian. A bool is true for any
    // byte but 0, so that no byte can make it hold a value other than the two.
    template <typename T>
        requires(std::is_arithmetic_v<T> || std::is_enum_v<T>)
    void Read(T& value)
    {
        if constexpr (std::is_same_v<T, bool>) {
            uint8_t byte;
            Read(byte);
            value = byte != 0;
        } else {
            if (sizeof(T) > GetRemaining()) {
                ThrowOutOfBounds(sizeof(T));
            }
            std::memcpy(&value, _blob.content() + _pointer, sizeof(T));
            if constexpr (std::endian::native == std::endian::big) {
                value = ByteSwap(value);
            }
            _pointer += sizeof(T);
        }
    }

    // Copies `size` bytes out.
    void Read(void* destination, uint32_t size)
    {
        if (size > GetRemaining()) {
            ThrowOutOfBounds(size);
        }
        std::memcpy(destination, _blob.content() + _pointer, size);
        _pointer += size;
    }

    // The next `size` bytes as a blob sharing the input's storage: nothing is
    // copied. Always inlined: every blob field reads through here, and where a
    // translation unit instantiates many readers and records GCC stops
    // inlining it on its own, though the call costs as much as the rest.
    [[gnu::always_inline]] void Read(blob& value, uint32_t size)
    {
        if (size > GetRemaining()) {
            ThrowOutOfBounds(size);
        }
        value.AssignPart(_blob, _pointer, size);
        _pointer += size;
    }

    // Points at the next `size` bytes and consumes them.
    const uint8_t* Consume(uint32_t size)
    {
        if (size > GetRemaining()) {
            ThrowOutOfBounds(size);
        }
        auto* bytes = reinterpret_cast<const uint8_t*>(_blob.content()) + _pointer;
        _pointer += size;
        return bytes;
    }

    void Skip(uint32_t size) { Consume(size); }

    // Checks that `count` elements of `size` bytes each remain. When they do not,
    // fails where reading them one at a time would: at the first missing one,
    // which is what a reader that takes a whole run at once must still report.
    void RequireElements(uint32_t count, uint32_t size) const
    {
        const uint32_t whole = GetRemaining() / size;
        if (count > whole) {
            detail::ThrowReadOutOfBounds(size, _pointer + whole * size, _blob.length());
        }
    }

    // A varint of a T (see detail/varint.h). Where the longest one fits in what
    // remains, the bytes are read without a check each.
    template <typename T>
        requires std::is_unsigned_v<T>
    void ReadVariableUnsigned(T& value)
    {
        const auto* bytes = reinterpret_cast<const uint8_t*>(_blob.content());
        // Most varints on the wire (headers' counts, small numbers) are one byte.
        if (_pointer < _blob.length() && bytes[_pointer] < 0x80) [[likely]] {
            value = bytes[_pointer++];
            return;
        }
        ReadLongVarint(value);
    }

private:
    template <typename T>
    [[gnu::noinline]] void ReadLongVarint(T& value)
    {
        const auto* bytes = reinterpret_cast<const uint8_t*>(_blob.content());
        if (GetRemaining() >= detail::max_varint_size<T>) {
            value = detail::DecodeVarint<T>([&] { return bytes[_pointer++]; });
        } else {
            value = detail::DecodeVarint<T>([&] {
                uint8_t byte;
                Read(byte);
                return byte;
            });
        }
    }

    template <typename T>
    static T ByteSwap(T value) noexcept
    {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (size_t i = 0; i < sizeof(T) / 2; ++i) {
            std::swap(bytes[i], bytes[sizeof(T) - 1 - i]);
        }
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

    [[noreturn]] void ThrowOutOfBounds(uint32_t requested) const;

    // The bytes not yet read, sharing the input's storage.
    friend blob GetCurrentBuffer(const InputBuffer& input) { return input._blob.range(input._pointer); }

    blob _blob;
    uint32_t _pointer = 0;
};

// A fresh input over `buffer`, of the same kind as the first argument.
inline InputBuffer CreateInputBuffer(const InputBuffer&, const blob& buffer)
{
    return InputBuffer(buffer);
}

// The bytes between two results of GetCurrentBuffer on one input: `begin`, taken
// first, less the `end` that remained later. Throws std::invalid_argument when
// `end` is longer than `begin`.
inline blob GetBufferRange(const blob& begin, const blob& end)
{
    return begin.range(0, begin.length() - end.length());
}

BOND_DEFINE_BUFFER_MAGIC(InputBuffer, 0x4249 /*IB*/);

}  // namespace bond
