// bond::ProtocolReader: a reader of whichever protocol a payload turned out to
// be in, or a record held in memory (ValueReader) standing in for a payload.
#pragma once

#include <bond/protocol/detail/compact_binary_reader.h>
#include <bond/protocol/detail/fast_binary_reader.h>
#include <bond/protocol/detail/simple_binary_reader.h>
#include <bond/stream/input_buffer.h>

#include <memory>
#include <utility>
#include <variant>

namespace bond {

// A record in memory, shared, not copied.
class ValueReader {
public:
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

class ProtocolReader {
public:
    ProtocolReader() = default;
    ProtocolReader(const CompactBinaryReader<InputBuffer>& reader) : _reader(reader) {}
    ProtocolReader(const FastBinaryReader<InputBuffer>& reader) : _reader(reader) {}
    ProtocolReader(const SimpleBinaryReader<InputBuffer>& reader) : _reader(reader) {}
    explicit ProtocolReader(ValueReader reader) : _reader(std::move(reader)) {}

    // Calls `visitor` with the reader held (a ValueReader or one of the readers).
    template <typename Visitor>
    decltype(auto) Visit(Visitor&& visitor) const
    {
        return std::visit(std::forward<Visitor>(visitor), _reader);
    }

private:
    std::variant<ValueReader, CompactBinaryReader<InputBuffer>, SimpleBinaryReader<InputBuffer>,
                 FastBinaryReader<InputBuffer>>
        _reader;
};

}  // namespace bond
