// bond::OutputMemoryStream<A> (OutputBuffer with the standard allocator): the
// byte sink of every writer. It appends to one contiguous array taken from A
// that grows as needed, up to the 4294967295 bytes a blob's 32-bit length can
// describe. Bytes once written never change, so GetBuffer hands out the written
// bytes without copying them: the blob shares the ownership of the array. Until
// then the stream owns the array alone and grows it in place; once shared, it
// grows into a new array, so what a blob shows stays untouched.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/detail/boost_interface.h>
#include <bond/base/exception.h>
#include <bond/stream/detail/exclusive_bytes.h>
#include <bond/stream/detail/varint.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>

namespace bond {

template <typename A = std::allocator<char>>
class OutputMemoryStream {
public:
    OutputMemoryStream() = default;
    explicit OutputMemoryStream(const A& allocator) : _allocator(allocator) {}

    // Starts with an array of `reserveSize` bytes, so that writing that many
    // needs no further allocation. The stream never chains separate buffers, so
    // `reserveBlobs`, `minChainingSize` and `maxChainLength` have nothing to
    // tune and are ignored.
    explicit OutputMemoryStream(uint32_t reserveSize, [[maybe_unused]] uint32_t reserveBlobs = 128,
                                const A& allocator = A(), [[maybe_unused]] uint32_t minChainingSize = 32,
                                [[maybe_unused]] uint32_t maxChainLength = UINT32_MAX)
        : _allocator(allocator)
    {
        if (reserveSize != 0) {
            _data = detail::ExclusiveBytes<A>::Allocate(_allocator, reserveSize);
            _capacity = reserveSize;
        }
    }

    // Writes first into `buffer`, which must hold at least `size` bytes and which
    // the stream then shares: blobs from GetBuffer may show it, so the caller
    // must not change its first GetSize() bytes. The ignored parameters are as
    // above.
    explicit OutputMemoryStream(std::shared_ptr<char[]> buffer, uint32_t size,
                                [[maybe_unused]] uint32_t reserveBlobs = 128, const A& allocator = A(),
                                [[maybe_unused]] uint32_t minChainingSize = 32,
                                [[maybe_unused]] uint32_t maxChainLength = UINT32_MAX)
        : _allocator(allocator), _data(buffer.get()), _shared(std::move(buffer)), _capacity(_data ? size : 0)
    {}

    // A stream owns where it appends; two streams over one array would write
    // over each other's bytes, so a stream can be moved but not copied.
    OutputMemoryStream(const OutputMemoryStream&) = delete;
    OutputMemoryStream& operator=(const OutputMemoryStream&) = delete;
    OutputMemoryStream(OutputMemoryStream&& other) noexcept(std::is_nothrow_move_constructible_v<A>)
        : _allocator(std::move(other._allocator)), _data(std::exchange(other._data, nullptr)),
          _shared(std::move(other._shared)), _size(std::exchange(other._size, 0)),
          _capacity(std::exchange(other._capacity, 0))
    {}
    OutputMemoryStream& operator=(OutputMemoryStream&& other) noexcept(std::is_nothrow_move_assignable_v<A>)
    {
        if (this != &other) {
            ReleaseExclusive();
            _allocator = std::move(other._allocator);
            _data = std::exchange(other._data, nullptr);
            _shared = std::move(other._shared);
            _size = std::exchange(other._size, 0);
            _capacity = std::exchange(other._capacity, 0);
        }
        return *this;
    }
    ~OutputMemoryStream() { ReleaseExclusive(); }

    // Appends `size` bytes from `data`. Throws std::length_error when the total
    // would pass 4294967295 bytes; then nothing is written.
    void Write(const void* data, uint32_t size)
    {
        if (size > _capacity - _size) {
            Grow(size);
        }
        if (size != 0) {
            std::memcpy(_data + _size, data, size);
            _size += size;
        }
    }

    // A fixed-width number or enum, little-endian whatever the host's byte order.
    template <typename T>
        requires(std::is_arithmetic_v<T> || std::is_enum_v<T>)
    void Write(T value)
    {
        if constexpr (std::is_enum_v<T>) {
            Write(static_cast<std::underlying_type_t<T>>(value));
        } else {
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
    }

    // The shortest varint of `value` (see detail/varint.h).
    template <typename T>
        requires std::is_unsigned_v<T>
    void WriteVariableUnsigned(T value)
    {
        uint8_t bytes[detail::max_varint_size<T>];
        Write(bytes, detail::EncodeVarint(value, bytes));
    }

    void Write(const blob& value) { Write(value.content(), value.length()); }

    // Nothing is held back, so there is nothing to flush.
    void Flush() noexcept {}

    // Everything written so far. The blob shares the storage (see above) and stays
    // valid and unchanged after further writes and after the stream is gone.
    blob GetBuffer() const { return _data ? blob(std::shared_ptr<const char[]>(Shared()), _size) : blob(); }

    // Replaces the contents of `buffers` with the written bytes as a sequence of
    // blobs: the one GetBuffer returns, or none when nothing was written.
    // `buffers` needs only reserve and an assign from an iterator range.
    template <typename Collection>
    void GetBuffers(Collection& buffers) const
    {
        const blob whole = GetBuffer();
        const blob* first = &whole;
        buffers.reserve(1);
        buffers.assign(first, first + (whole.empty() ? 0 : 1));
    }

    uint32_t GetSize() const noexcept { return _size; }

    // An empty stream like `other`: the same allocator, and room for as many
    // bytes as `other` has now.
    friend OutputMemoryStream CreateOutputBuffer(const OutputMemoryStream& other)
    {
        return OutputMemoryStream(other._capacity, 0, other._allocator);
    }

private:
    // Makes room for `extra` more bytes, at least doubling the capacity so that
    // appending n bytes costs O(n) copies overall. A write larger than the
    // stream so far gets half as much again behind it, so the few bytes that
    // usually follow a large blob (a record's end) do not copy it once more;
    // the spare pages cost nothing until they are written.
    void Grow(uint32_t extra);

    // The array's shared owner, made on first use; from then on the array is
    // never resized in place.
    const std::shared_ptr<char[]>& Shared() const;

    void ReleaseExclusive() noexcept
    {
        if (!_shared) {
            detail::ExclusiveBytes<A>::Release(_allocator, _data, _capacity);
        }
    }

    [[no_unique_address]] A _allocator;
    char* _data = nullptr;
    // Null while the stream alone owns `_data`.
    mutable std::shared_ptr<char[]> _shared;
    uint32_t _size = 0;
    uint32_t _capacity = 0;
};

namespace detail {

// Small enough for a short record, large enough that short records never regrow.
inline constexpr uint64_t initial_output_capacity = 256;

}  // namespace detail

template <typename A>
void OutputMemoryStream<A>::Grow(uint32_t extra)
{
    const uint64_t needed = uint64_t{_size} + extra;
    if (needed > UINT32_MAX) {
        detail::ThrowOutputBufferTooLarge();
    }
    const uint64_t capacity = std::min<uint64_t>(
        std::max({needed + needed / 2, 2 * uint64_t{_capacity}, detail::initial_output_capacity}), UINT32_MAX);
    const auto new_capacity = static_cast<uint32_t>(capacity);
    if (_shared) {
        char* data = detail::ExclusiveBytes<A>::Allocate(_allocator, new_capacity);
        if (_size != 0) {
            std::memcpy(data, _data, _size);
        }
        _shared.reset();
        _data = data;
    } else if (_data) {
        _data = detail::ExclusiveBytes<A>::Resize(_allocator, _data, _size, _capacity, new_capacity);
    } else {
        _data = detail::ExclusiveBytes<A>::Allocate(_allocator, new_capacity);
    }
    _capacity = new_capacity;
}

template <typename A>
const std::shared_ptr<char[]>& OutputMemoryStream<A>::Shared() const
{
    if (!_shared) {
        std::shared_ptr<char[]> owner(nullptr, detail::ReleaseBytes<A>{_allocator}, _allocator);
        auto* release = std::get_deleter<detail::ReleaseBytes<A>>(owner);
        release->data = _data;
        release->capacity = _capacity;
        _shared = std::shared_ptr<char[]>(std::move(owner), _data);
    }
    return _shared;
}

// The standard-allocator stream is compiled once, in the runtime library.
extern template class OutputMemoryStream<std::allocator<char>>;

using OutputBuffer = OutputMemoryStream<>;

}  // namespace bond
