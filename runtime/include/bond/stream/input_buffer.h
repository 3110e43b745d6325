// bond::InputBuffer: the byte source of every reader. It holds a blob and a read
// position; every byte a reader consumes comes through here, and every read is
// checked against the bytes that remain, so no input can make a reader look
// outside the blob. A read that does not fit throws bond::StreamException
// "Read out of bounds: N bytes requested, offset: P, length: L", where N is what
// the failing read needed, P the position at that read and L the blob's length.
#pragma once

#include <bond/core/blob.h>
#include <bond/core/exception.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

namespace bond {

class InputBuffer {
public:
    InputBuffer() = default;

    // Copies the view, not the bytes: `buffer`'s storage must outlive the reads.
    explicit InputBuffer(const blob& buffer) : _blob(buffer) {}

    const blob& GetBuffer() const noexcept { return _blob; }
    uint32_t GetPosition() const noexcept { return _pointer; }
    uint32_t GetRemaining() const noexcept { return _blob.length() - _pointer; }
    bool IsEof() const noexcept { return _pointer == _blob.length(); }

    void Read(uint8_t& value)
    {
        if (_pointer == _blob.length()) {
            ThrowOutOfBounds(1);
        }
        value = static_cast<uint8_t>(_blob.content()[_pointer++]);
    }

    // A fixed-width number stored little-endian.
    template <typename T>
        requires(std::is_arithmetic_v<T> && sizeof(T) > 1)
    void Read(T& value)
    {
        if (sizeof(T) > GetRemaining()) {
            ThrowOutOfBounds(sizeof(T));
        }
        std::memcpy(&value, _blob.content() + _pointer, sizeof(T));
        if constexpr (std::endian::native == std::endian::big) {
            value = ByteSwap(value);
        }
        _pointer += sizeof(T);
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

    // The next `size` bytes as a blob sharing the input's storage: nothing is copied.
    void Read(blob& value, uint32_t size)
    {
        if (size > GetRemaining()) {
            ThrowOutOfBounds(size);
        }
        value = _blob.range(_pointer, size);
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

    // A base-128 varint, lowest group first. It takes at most as many bytes as
    // the widest value of T needs (3, 5 or 10), and the last of those ends the
    // value whatever its top bit says, so an over-long varint cannot run on.
    template <typename T>
        requires std::is_unsigned_v<T>
    void ReadVariableUnsigned(T& value)
    {
        constexpr uint32_t max_bytes = (sizeof(T) * 8 + 6) / 7;
        if (GetRemaining() >= max_bytes) {
            value = DecodeVarint<T, false>();
        } else {
            value = DecodeVarint<T, true>();
        }
    }

private:
    template <typename T, bool Checked>
    T DecodeVarint()
    {
        constexpr uint32_t max_bytes = (sizeof(T) * 8 + 6) / 7;
        const auto* bytes = reinterpret_cast<const uint8_t*>(_blob.content());
        T result = 0;
        for (uint32_t i = 0; i < max_bytes; ++i) {
            if constexpr (Checked) {
                if (_pointer == _blob.length()) {
                    ThrowOutOfBounds(1);
                }
            }
            const uint8_t byte = bytes[_pointer++];
            if (i + 1 == max_bytes) {
                result |= static_cast<T>(static_cast<T>(byte) << (7 * i));
                break;
            }
            result |= static_cast<T>(static_cast<T>(byte & 0x7F) << (7 * i));
            if ((byte & 0x80) == 0) {
                break;
            }
        }
        return result;
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

    blob _blob;
    uint32_t _pointer = 0;
};

}  // namespace bond
