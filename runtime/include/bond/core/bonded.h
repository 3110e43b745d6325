// bond::bonded<T, Reader>: a struct of type T that is still encoded, together
// with the reader positioned at its first byte. Applying a transform to it
// reads the struct.
//   - bonded<T, R&> reads through, and advances, a reader that its maker owns
//     and keeps alive; the parsers hand nested structs to transforms so.
//   - bonded<void, R&> is a struct whose schema is known only at run time, or
//     not at all: an unknown field's struct, or one a run-time schema
//     describes.
//   - bonded<T, R> owns a copy of a reader of one protocol, and bonded<T>
//     (over a ProtocolReader) a copy of a reader of any protocol, or a record
//     in memory; every application starts from the same position, so they can
//     be read any number of times. bonded<T> may carry a run-time schema that
//     describes the payload's layout in place of T's, and bonded<void> always
//     does.
#pragma once

#include <bond/base/bond_fwd.h>
#include <bond/base/detail/boost_shared.h>
#include <bond/core/detail/apply_fwd.h>
#include <bond/core/detail/marshaled_payload.h>
#include <bond/core/detail/skip.h>
#include <bond/core/null.h>
#include <bond/core/protocol_reader.h>
#include <bond/core/value.h>
#include <bond/protocol/detail/compact_binary_writer.h>
#include <bond/protocol/detail/skip_value.h>
#include <bond/schema/reflection.h>
#include <bond/schema/runtime_schema.h>
#include <bond/stream/output_buffer.h>

#include <boost/ref.hpp>

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

namespace bond {

namespace detail {

// What every form of payload offers: reading it into a record, which must be in
// its default state, and re-encoding it. Over a caller's reader both advance
// that reader past the struct; over a ProtocolReader the payload can be read
// again. `Protocols` lists the readers that a payload held by a ProtocolReader,
// this one or one nested in it, may be over.
template <typename Payload, typename T>
class PayloadOperations {
public:
    template <typename Protocols = BuiltInProtocols, typename X>
    void Deserialize(X& var) const
    {
        Apply<Protocols>(To<X, Protocols>(var), Self());
    }

    template <typename X = T, typename Protocols = BuiltInProtocols>
    X Deserialize() const
    {
        X var;
        Deserialize<Protocols>(var);
        return var;
    }

    template <typename Protocols = BuiltInProtocols, typename Writer>
    void Serialize(Writer& writer) const
    {
        Apply<Protocols>(Serializer<Writer, Protocols>(writer), Self());
    }

private:
    const Payload& Self() const noexcept { return static_cast<const Payload&>(*this); }
};

// A record's Compact Binary payload, for what only a payload offers. The
// writer is a parameter so that the serializer, defined after this header, is
// named only where the function is used.
template <typename T, typename Writer = CompactBinaryWriter<OutputBuffer>>
CompactBinaryReader<InputBuffer> PayloadOfRecord(const T& object)
{
    OutputBuffer output;
    Writer writer(output);
    Apply(Serializer<Writer>(writer), object);
    return CompactBinaryReader<InputBuffer>(output.GetBuffer());
}

// The reader of a payload of U, to read it as a T. A record of U held in memory
// is read from its payload: seen as its base, it stays whole (written again,
// it writes the derived record, as its payload would), and as any other type
// it is read as a payload of U would be, since the record is no T.
template <typename T, typename U>
ProtocolReader ConvertedReader(const ProtocolReader& reader)
{
    if constexpr (BondStruct<U>) {
        if (const ValueReader* record = reader.GetValueReader()) {
            return ProtocolReader(PayloadOfRecord(record->template Get<U>()));
        }
    }
    return reader;
}

}  // namespace detail

template <typename T, typename Reader>
class bonded<T, Reader&> : public detail::PayloadOperations<bonded<T, Reader&>, T> {
public:
    using value_type = T;
    using reader_type = Reader;

    // The struct at `reader`'s position; `base_part`: the part of a derived
    // record's payload that its base T holds.
    explicit bonded(Reader& reader, bool base_part = false) noexcept : _reader(&reader), _base_part(base_part) {}

    Reader& GetReader() const noexcept { return *_reader; }
    bool IsBasePart() const noexcept { return _base_part; }

    // Passes over the struct.
    void Skip() const { (void)PassOver(); }

private:
    friend detail::ValueAccess;

    // A tagged struct is passed over by its wire types, up to its end marker;
    // a base part, whose marker is not the struct's, and an untagged struct,
    // which has none, by walking them.
    bool PassOver() const
    {
        _uses.Use();
        if constexpr (Reader::tagged) {
            if (!_base_part) {
                detail::SkipValue(*_reader, BT_STRUCT);
                return false;
            }
        }
        return Apply(Null(), *this);
    }

    Reader* _reader;
    bool _base_part;
    detail::ValueUses _uses;
};

template <typename Reader>
class bonded<void, Reader&> : public detail::PayloadOperations<bonded<void, Reader&>, void> {
public:
    using value_type = void;
    using reader_type = Reader;

    // A struct of a tagged payload whose schema is not known: every field is
    // unknown.
    explicit bonded(Reader& reader) noexcept
        requires Reader::tagged
        : _reader(&reader)
    {}

    // A struct laid out as `schema` (a struct type in a run-time schema) says;
    // the schema, like the reader, must outlive the payload. `base_part`: the
    // part of a derived struct's payload that its base holds.
    bonded(Reader& reader, const RuntimeSchema& schema, bool base_part = false) noexcept
        : _reader(&reader), _schema(&schema), _base_part(base_part)
    {}

    Reader& GetReader() const noexcept { return *_reader; }
    bool IsBasePart() const noexcept { return _base_part; }

    // The schema, or null for a struct of no known schema.
    const RuntimeSchema* GetSchema() const noexcept { return _schema; }

    // Passes over the struct; a nested payload of an untagged one by its byte
    // count alone, without looking inside.
    void Skip() const { (void)PassOver(); }

private:
    friend detail::ValueAccess;

    // As bonded<T, Reader&>::PassOver.
    bool PassOver() const
    {
        _uses.Use();
        if constexpr (Reader::tagged) {
            if (!_base_part) {
                detail::SkipValue(*_reader, BT_STRUCT);
                return false;
            }
        } else if (_schema->GetType().bonded_type) {
            (void)detail::ReadMarshaledPayload(*_reader);
            return false;
        }
        return Apply(Null(), *this);
    }

    Reader* _reader;
    const RuntimeSchema* _schema = nullptr;
    bool _base_part = false;
    detail::ValueUses _uses;
};

// A payload over a reader of one protocol that it holds a copy of: every
// application starts from the same position.
template <typename T, typename Reader>
class bonded : public detail::PayloadOperations<bonded<T, Reader>, T> {
public:
    using value_type = T;
    using reader_type = Reader;

    explicit bonded(const Reader& reader) : _reader(reader) {}

    const Reader& GetReader() const noexcept { return _reader; }

private:
    Reader _reader;
};

// A payload of a protocol found at run time, laid out as a run-time schema
// describes, which it shares; every application starts from the same position.
template <>
class bonded<void, ProtocolReader> : public detail::PayloadOperations<bonded<void, ProtocolReader>, void> {
public:
    using value_type = void;
    using reader_type = ProtocolReader;

    template <typename Reader>
        requires std::is_constructible_v<ProtocolReader, const Reader&> && (!std::is_same_v<Reader, ValueReader>)
    bonded(const Reader& reader, RuntimeSchema schema) : _reader(reader), _schema(std::move(schema))
    {}

    const ProtocolReader& GetReader() const noexcept { return _reader; }
    const RuntimeSchema& GetSchema() const noexcept { return _schema; }

private:
    ProtocolReader _reader;
    RuntimeSchema _schema;
};

template <typename T>
class bonded<T, ProtocolReader> : public detail::PayloadOperations<bonded<T, ProtocolReader>, T> {
public:
    using value_type = T;
    using reader_type = ProtocolReader;

    // A default record.
    bonded() : bonded(T{}) {}

    // A copy of `object`, held in memory.
    explicit bonded(const T& object) : _reader(ValueReader(std::make_shared<const T>(object))) {}
    explicit bonded(std::shared_ptr<const T> object) : _reader(ValueReader(std::move(object))) {}

    // `object` itself, not a copy: it must outlive the payload and every copy of it.
    explicit bonded(std::reference_wrapper<const T> object)
        : _reader(ValueReader(std::shared_ptr<const T>(std::shared_ptr<const T>(), &object.get())))
    {}
    explicit bonded(std::reference_wrapper<T> object) : bonded(std::cref(object.get())) {}

    // The same from Boost's shared pointers and reference wrappers.
    explicit bonded(const boost::shared_ptr<const T>& object) : bonded(detail::ShareFrom(object)) {}
    explicit bonded(const boost::shared_ptr<T>& object) : bonded(std::shared_ptr<const T>(detail::ShareFrom(object))) {}
    explicit bonded(boost::reference_wrapper<const T> object) : bonded(std::cref(object.get())) {}
    explicit bonded(boost::reference_wrapper<T> object) : bonded(std::cref(object.get())) {}

    // The payload at `reader`'s position.
    template <typename Reader>
        requires std::is_constructible_v<ProtocolReader, const Reader&> && (!std::is_same_v<Reader, ValueReader>)
    explicit bonded(const Reader& reader) : _reader(reader)
    {}

    // The payload at `reader`'s position, laid out as `schema` describes.
    template <typename Reader>
        requires std::is_constructible_v<ProtocolReader, const Reader&> && (!std::is_same_v<Reader, ValueReader>)
    bonded(const Reader& reader, RuntimeSchema schema) : _reader(reader), _schema(std::move(schema))
    {}

    // The payload of another type, read as a T: a derived record's converts
    // implicitly to its base's, whose part of it a T reads; any other (a base's
    // read as a derived record, or one that a run-time schema describes) only
    // when asked. Only a bonded<void>'s run-time schema goes with it: one of a
    // record's describes the record's layout, which T's schema then reads.
    template <typename U>
        requires(!std::is_same_v<U, T>)
    explicit(!std::is_base_of_v<T, U>) bonded(const bonded<U, ProtocolReader>& other)
        : _reader(detail::ConvertedReader<T, U>(other.GetReader()))
    {
        if constexpr (std::is_void_v<U>) {
            _schema = other.GetSchema();
        }
    }

    // Merges `var` into the payload, which then holds the result in its own
    // protocol and version (see merge.h); a record held in memory is merged as
    // its Compact Binary payload.
    template <typename Protocols = BuiltInProtocols, typename X>
    void Merge(const X& var);

    const ProtocolReader& GetReader() const noexcept { return _reader; }
    const std::optional<RuntimeSchema>& GetSchema() const noexcept { return _schema; }

private:
    ProtocolReader _reader;
    std::optional<RuntimeSchema> _schema;
};

template <typename T, typename Reader>
BondDataType GetTypeId(const bonded<T, Reader>&) noexcept
{
    return BT_STRUCT;
}

// A field of type bonded<T> travels as a struct.
template <typename T, typename Reader>
struct get_type_id<bonded<T, Reader>> : std::integral_constant<BondDataType, BT_STRUCT> {};

}  // namespace bond
