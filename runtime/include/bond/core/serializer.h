// bond::Serializer<Writer>: the transform that writes what it is applied to
// with a protocol's writer: a record in memory (leaving out what the writer may
// omit, see omit_default.h), or a payload, re-encoded field by field as the
// parser reports it, unknown fields and base-part markers included.
// bond::Marshaler<Writer> writes the protocol's 4-byte header first.
//
// Where re-encoding a payload needs more than the walk (the same protocol's
// bytes copied as they are, the counting pass of Compact Binary v2, an
// untagged target), reencoding.h arranges it before the walk starts.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_const.h>
#include <bond/base/bond_fwd.h>
#include <bond/base/exception.h>
#include <bond/base/metadata.h>
#include <bond/core/detail/apply_fwd.h>
#include <bond/core/detail/fields.h>
#include <bond/core/detail/omit_default.h>
#include <bond/core/to.h>
#include <bond/core/transform_kinds.h>
#include <bond/core/value.h>
#include <bond/protocol/compact_binary.h>
#include <bond/schema/maybe.h>
#include <bond/schema/nullable.h>
#include <bond/schema/reflection.h>
#include <bond/stream/output_buffer.h>

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

namespace bond {

namespace detail {

// What the re-encoding of containers (reencoding.h) does with a Serializer
// beyond its interface.
struct SerializerAccess {
    template <typename Transform, typename Value>
    static void Write(const Transform& transform, const Value& value)
    {
        transform.Write(value);
    }
};

// A container's count, as its container_size gives it; one that does not
// fit a 32-bit count cannot be encoded at all.
template <typename Container>
uint32_t ContainerSize(const Container& container)
{
    if constexpr (requires { container.size(); }) {
        if (container.size() > UINT32_MAX) {
            ThrowContainerTooLarge();
        }
    }
    return container_size(container);
}

}  // namespace detail

template <typename Writer, typename Protocols>
class Serializer : public SerializingTransform {
public:
    using writer_type = Writer;

    // Writes to `output`, which must outlive the transform; `base` writes a
    // base part, which ends with its own marker.
    explicit Serializer(Writer& output, bool base = false) noexcept : _output(output), _base(base) {}

    Writer& GetWriter() const noexcept { return _output; }
    bool WritesBasePart() const noexcept { return _base; }

    void Begin(const Metadata& metadata) const { _output.WriteStructBegin(metadata, _base); }
    void End() const { _output.WriteStructEnd(_base); }
    void UnknownEnd() const { _output.WriteStructEnd(true); }

    // A base part, written with its own end marker. A payload's struct that
    // ends inside the part ends the record too.
    template <typename T>
    bool Base(const T& value) const
    {
        return Apply(Serializer(_output, true), value);
    }

    // A field of a record in memory, or of a payload.
    template <typename T>
    bool Field(uint16_t id, const Metadata& metadata, const T& value) const
    {
        if constexpr (!detail::is_payload_value<T>) {
            if (detail::OmitsField<Writer>(metadata, value)) {
                return false;
            }
        }
        _output.WriteFieldBegin(GetTypeId(value), id, metadata);
        Write(value);
        _output.WriteFieldEnd();
        return false;
    }

    template <typename T>
    bool UnknownField(uint16_t id, const T& value) const
    {
        return Field(id, detail::NoMetadata(), value);
    }

    // The elements of a payload's list or set.
    template <typename T>
    void Container(const T& element, uint32_t size) const
    {
        _output.WriteContainerBegin(size, GetTypeId(element));
        if constexpr (detail::is_payload_value<T> && (std::is_same_v<typename T::value_type, bool> ||
                                                      std::is_same_v<typename T::value_type, uint8_t> ||
                                                      std::is_same_v<typename T::value_type, int8_t>)) {
            // One-byte values go out as they stand, in one run.
            _output.Write(detail::ValueAccess::ReadByteRun(element, size));
        } else {
            for (uint32_t i = 0; i < size; ++i) {
                Write(element);
            }
        }
        _output.WriteContainerEnd();
    }

    // The pairs of a payload's map.
    template <typename Key, typename T>
    void Container(const Key& key, const T& value, uint32_t size) const
    {
        _output.WriteContainerBegin(size, std::make_pair(GetTypeId(key), GetTypeId(value)));
        for (uint32_t i = 0; i < size; ++i) {
            Write(key);
            Write(value);
        }
        _output.WriteContainerEnd();
    }

protected:
    Writer& _output;
    const bool _base;

private:
    friend detail::SerializerAccess;

    template <typename T>
    void Write(const T& value) const
    {
        if constexpr (detail::is_payload_value<T>) {
            WritePayloadValue(value);
        } else if constexpr (detail::is_maybe<T>::value) {
            // A maybe that holds nothing has no encoding: it can only be left
            // out, where the writer may leave it out.
            Write(value.value());
        } else if constexpr (is_type_alias<T>::value) {
            Write(static_cast<typename aliased_type<T>::type>(get_aliased_value(value)));
        } else if constexpr (std::is_enum_v<T>) {
            _output.Write(static_cast<int32_t>(value));
        } else if constexpr (std::is_arithmetic_v<T> || detail::is_standard_text<T>::value) {
            _output.Write(value);
        } else if constexpr (is_string<T>::value || is_wstring<T>::value) {
            // A string of one's own goes out through its string functions.
            const auto* units = string_data(value);
            _output.Write(std::basic_string<std::remove_cvref_t<decltype(*units)>>(units, string_length(value)));
        } else if constexpr (BondStruct<T>) {
            Apply(Serializer(_output), value);
        } else if constexpr (std::is_same_v<T, blob>) {
            _output.WriteContainerBegin(value.size(), BT_INT8);
            _output.Write(value);
            _output.WriteContainerEnd();
        } else if constexpr (detail::is_nullable<T>::value) {
            _output.WriteContainerBegin(value.size(), get_type_id<typename T::value_type>::value);
            if (value.hasvalue()) {
                Write(value.value());
            }
            _output.WriteContainerEnd();
        } else if constexpr (is_map_container<T>::value) {
            _output.WriteContainerBegin(
                detail::ContainerSize(value),
                std::make_pair(get_type_id<detail::key_of<T>>::value, get_type_id<detail::mapped_of<T>>::value));
            for (const_enumerator<T> items(value); items.more();) {
                const auto& [key, element] = items.next();
                Write(key);
                Write(element);
            }
            _output.WriteContainerEnd();
        } else {
            _output.WriteContainerBegin(detail::ContainerSize(value), get_type_id<detail::element_of<T>>::value);
            for (const_enumerator<T> items(value); items.more();) {
                Write(items.next());
            }
            _output.WriteContainerEnd();
        }
    }

    // An encoded value is read and written again, except a bool's byte, which
    // goes out as it stands: re-encoding does not judge values.
    template <typename T, typename Reader>
    void WritePayloadValue(const value<T, Reader>& encoded) const
    {
        if constexpr (std::is_same_v<T, bool>) {
            _output.Write(detail::ValueAccess::ReadByte(encoded));
        } else if constexpr (is_basic_type<T>::value) {
            // Text goes out as the units it came in, where the reader and
            // writer can copy them, which decoding and encoding it again would
            // give back.
            if constexpr (is_string<T>::value || is_wstring<T>::value) {
                if (detail::ValueAccess::CopyText(encoded, _output)) {
                    return;
                }
            }
            // Text is read into a string of the standard allocator, which
            // can be made without the allocator of T.
            std::conditional_t<is_string<T>::value, std::string,
                               std::conditional_t<is_wstring<T>::value, std::wstring, T>>
                read;
            encoded.Deserialize(read);
            Write(read);
        } else {
            Apply(Serializer(_output), encoded);
        }
    }

    // A struct; a bonded<T> field, in a protocol that cannot leave a field
    // out and so cannot pass over one without its schema, as a marshaled
    // payload of its own behind its byte count, which it writes as the
    // library writes a record: with Compact Binary v1.
    template <typename T, typename Reader>
    void WritePayloadValue(const bonded<T, Reader>& encoded) const
    {
        if constexpr (!std::is_reference_v<Reader> && !Writer::may_omit_fields) {
            OutputBuffer nested;
            CompactBinaryWriter<OutputBuffer> writer(nested, v1);
            Apply(Marshaler<CompactBinaryWriter<OutputBuffer>, Protocols>(writer), encoded);
            const blob bytes = nested.GetBuffer();
            _output.GetBuffer().Write(bytes.length());
            _output.GetBuffer().Write(bytes);
        } else {
            Apply(Serializer(_output), encoded);
        }
    }
};

template <typename Writer, typename Protocols>
class Marshaler : public SerializingTransform {
public:
    using writer_type = Writer;

    explicit Marshaler(Writer& output) noexcept : _output(output) {}

    Writer& GetWriter() const noexcept { return _output; }

private:
    Writer& _output;
};

}  // namespace bond
