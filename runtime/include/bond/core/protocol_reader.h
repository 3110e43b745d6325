// bond::ProtocolReader: a reader of whichever protocol a payload turned out to
// be in, over whichever input, or a record held in memory (ValueReader)
// standing in for a payload. Which one it holds is known at run time by the
// reader's id (its protocol's magic and its buffer's); a list of protocols
// names the readers that a use may meet, and Visit hands over the one held.
#pragma once

#include <bond/base/bond_fwd.h>
#include <bond/base/buffer_magic.h>
#include <bond/base/exception.h>
#include <bond/protocol/detail/compact_binary_reader.h>
#include <bond/protocol/detail/fast_binary_reader.h>
#include <bond/protocol/detail/simple_binary_reader.h>
#include <bond/stream/input_buffer.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace bond {

// A record in memory, shared, not copied.
class ValueReader {
public:
    static constexpr uint16_t magic = 0x5256 /*VR*/;
    using Buffer = void;

    ValueReader() = default;

    template <typename T>
    explicit ValueReader(std::shared_ptr<const T> object) : _object(std::move(object))
    {}

    // Precondition: the reader was made from a T.
    template <typename T>
    const T& Get() const noexcept
    {
        return *static_cast<const T*>(_object.get());
    }

private:
    std::shared_ptr<const void> _object;
};

BOND_DEFINE_BUFFER_MAGIC(ValueReader::Buffer, 0);

namespace detail {

template <typename Reader>
inline constexpr uint32_t reader_id = Reader::magic | uint32_t{buffer_magic<typename Reader::Buffer>::value} << 16;

// Readers that differ only in what the id cannot tell apart would be taken
// for one another.
template <typename List>
inline constexpr bool distinct_ids_in = false;
template <typename... Readers>
inline constexpr bool distinct_ids_in<Protocols<Readers...>> = [] {
    const uint32_t ids[] = {reader_id<Readers>...};
    for (std::size_t i = 0; i < sizeof...(Readers); ++i) {
        for (std::size_t j = i + 1; j < sizeof...(Readers); ++j) {
            if (ids[i] == ids[j]) {
                return false;
            }
        }
    }
    return true;
}();

template <typename Reader>
concept ProtocolReaderOf = requires {
    Reader::magic;
    typename Reader::Buffer;
};

}  // namespace detail

class ProtocolReader {
public:
    ProtocolReader() : ProtocolReader(ValueReader()) {}

    explicit ProtocolReader(ValueReader reader) { Hold(std::move(reader)); }

    // A copy of `reader`, at its position. Its buffer needs a buffer_magic.
    template <detail::ProtocolReaderOf Reader>
        requires(!std::is_same_v<Reader, ValueReader>)
    ProtocolReader(const Reader& reader)
    {
        Hold(reader);
    }

    ProtocolReader(const ProtocolReader& other) : _id(other._id), _operations(other._operations)
    {
        _operations->copy(other._storage, _storage);
    }

    ProtocolReader& operator=(const ProtocolReader& other)
    {
        if (this != &other) {
            ProtocolReader copy(other);
            *this = std::move(copy);
        }
        return *this;
    }

    // The reader moved from is left holding no record.
    ProtocolReader(ProtocolReader&& other) noexcept : _id(other._id), _operations(other._operations)
    {
        _operations->move(other._storage, _storage);
        other.Reset();
    }

    ProtocolReader& operator=(ProtocolReader&& other) noexcept
    {
        if (this != &other) {
            _operations->destroy(_storage);
            _id = other._id;
            _operations = other._operations;
            _operations->move(other._storage, _storage);
            other.Reset();
        }
        return *this;
    }

    ~ProtocolReader() { _operations->destroy(_storage); }

    // Calls `visitor` with the reader held, as a const reference: a
    // ValueReader, or whichever of `Protocols`' enabled readers it is. Throws
    // CoreException "Unmarshaling failed: unsupported protocol" when it holds
    // a reader that `Protocols` does not list.
    template <typename Protocols, typename Visitor>
    decltype(auto) Visit(Visitor&& visitor) const
    {
        using Listed = typename Protocols::FilterEnabled::template Append<ValueReader>;
        static_assert(detail::distinct_ids_in<Listed>,
                      "two of the protocols listed have the same protocol magic and buffer magic");
        return VisitAmong(visitor, Listed{});
    }

    // The record held in memory, or null when it holds a reader of a payload.
    const ValueReader* GetValueReader() const noexcept
    {
        return _id == detail::reader_id<ValueReader> ? &Held<ValueReader>() : nullptr;
    }

private:
    // Room for any built-in reader in place; a larger reader of a program's
    // own, or one that may throw when moved, is kept on the heap.
    static constexpr std::size_t capacity =
        std::max({sizeof(ValueReader), sizeof(CompactBinaryReader<InputBuffer>),
                  sizeof(SimpleBinaryReader<InputBuffer>), sizeof(FastBinaryReader<InputBuffer>)});

    template <typename Reader>
    static constexpr bool in_place = sizeof(Reader) <= capacity && alignof(Reader) <= alignof(std::max_align_t) &&
                                     std::is_nothrow_move_constructible_v<Reader>;

    struct Operations {
        void (*copy)(const std::byte* from, std::byte* to);
        void (*move)(std::byte* from, std::byte* to) noexcept;
        void (*destroy)(std::byte* storage) noexcept;
    };

    template <typename Reader>
    static constexpr Operations in_place_operations = {
        [](const std::byte* from, std::byte* to) {
            ::new (to) Reader(*std::launder(reinterpret_cast<const Reader*>(from)));
        },
        [](std::byte* from, std::byte* to) noexcept {
            ::new (to) Reader(std::move(*std::launder(reinterpret_cast<Reader*>(from))));
        },
        [](std::byte* storage) noexcept { std::launder(reinterpret_cast<Reader*>(storage))->~Reader(); },
    };

    // On the heap, the storage holds the owning pointer; a move takes it over.
    template <typename Reader>
    static constexpr Operations heap_operations = {
        [](const std::byte* from, std::byte* to) {
            ::new (to) Reader*(new Reader(**std::launder(reinterpret_cast<Reader* const*>(from))));
        },
        [](std::byte* from, std::byte* to) noexcept {
            Reader*& source = *std::launder(reinterpret_cast<Reader**>(from));
            ::new (to) Reader*(std::exchange(source, nullptr));
        },
        [](std::byte* storage) noexcept { delete *std::launder(reinterpret_cast<Reader**>(storage)); },
    };

    template <typename Reader>
    void Hold(Reader reader)
    {
        if constexpr (in_place<Reader>) {
            ::new (_storage) Reader(std::move(reader));
            _operations = &in_place_operations<Reader>;
        } else {
            ::new (_storage) Reader*(new Reader(std::move(reader)));
            _operations = &heap_operations<Reader>;
        }
        _id = detail::reader_id<Reader>;
    }

    void Reset() noexcept
    {
        _operations->destroy(_storage);
        Hold(ValueReader());
    }

    // Precondition: the reader held is a Reader.
    template <typename Reader>
    const Reader& Held() const noexcept
    {
        if constexpr (in_place<Reader>) {
            return *std::launder(reinterpret_cast<const Reader*>(_storage));
        } else {
            return **std::launder(reinterpret_cast<Reader* const*>(_storage));
        }
    }

    template <typename Visitor, typename Reader, typename... Rest>
    decltype(auto) VisitAmong(Visitor& visitor, Protocols<Reader, Rest...>) const
    {
        if constexpr (sizeof...(Rest) == 0) {
            if (_id != detail::reader_id<Reader>) {
                detail::ThrowUnsupportedProtocol();
            }
            return visitor(Held<Reader>());
        } else {
            if (_id == detail::reader_id<Reader>) {
                return visitor(Held<Reader>());
            }
            return VisitAmong(visitor, Protocols<Rest...>{});
        }
    }

    uint32_t _id = 0;
    const Operations* _operations = nullptr;
    alignas(std::max_align_t) std::byte _storage[std::max(capacity, sizeof(void*))];
};

}  // namespace bond
