// bond::Merge: writes a payload again with a record's values in place of its
// own, where the record is of a type that sees part of the payload (a view of
// it, or its base): the record's fields replace the payload's, nested records
// and containers of them are merged element by element, and whatever the
// record's type does not know of (unknown fields, derived parts) is kept as
// the payload holds it. The record's containers of records must hold as many
// elements as the payload's, and its maps of records every key of the
// payload's: what is merged has to be there.
#pragma once

#include <bond/base/bond_fwd.h>
#include <bond/base/exception.h>
#include <bond/base/metadata.h>
#include <bond/core/apply.h>
#include <bond/core/bonded.h>
#include <bond/core/detail/base_of.h>
#include <bond/core/reencoding.h>
#include <bond/core/serializer.h>
#include <bond/protocol/compact_binary.h>
#include <bond/protocol/fast_binary.h>
#include <bond/protocol/simple_binary.h>
#include <bond/schema/reflection.h>
#include <bond/stream/input_buffer.h>
#include <bond/stream/output_buffer.h>

#include <cstdint>
#include <type_traits>

namespace bond {

namespace detail {

// Whether a field of type X is merged with the payload's rather than written
// from the record: a record, or a list or map whose elements are merged.
template <typename X>
constexpr bool MergesNested()
{
    if constexpr (BondStruct<X>) {
        return true;
    } else if constexpr (is_map_container<X>::value) {
        return MergesNested<mapped_of<X>>();
    } else if constexpr (is_list_container<X>::value) {
        return MergesNested<element_of<X>>();
    } else {
        return false;
    }
}

// Whether a payload's element is one the record's can be merged with: a struct
// or a container, not a basic value where the record has records.
template <typename Element>
inline constexpr bool merges_element = !is_basic_type<typename Element::value_type>::value;

[[noreturn]] inline void ThrowMergedSizeMismatch(uint32_t payload, size_t record)
{
    BOND_THROW(CoreException,
               "Merge: the payload's container holds " << payload << " elements, the record's " << record);
}

// The writer of a reader's protocol, and the reader of what it writes.
template <typename Reader>
struct writer_for;
template <typename Buffer>
struct writer_for<CompactBinaryReader<Buffer>> {
    using type = CompactBinaryWriter<OutputBuffer>;
    using reader = CompactBinaryReader<InputBuffer>;
};
template <typename Buffer>
struct writer_for<FastBinaryReader<Buffer>> {
    using type = FastBinaryWriter<OutputBuffer>;
    using reader = FastBinaryReader<InputBuffer>;
};
template <typename Buffer>
struct writer_for<SimpleBinaryReader<Buffer>> {
    using type = SimpleBinaryWriter<OutputBuffer>;
    using reader = SimpleBinaryReader<InputBuffer>;
};

}  // namespace detail

template <typename T, typename Writer, typename Protocols = BuiltInProtocols>
class Merger : public Serializer<Writer, Protocols> {
    using Base_ = Serializer<Writer, Protocols>;

public:
    using Base_::Field;

    // Merges `var`, which must outlive the transform, into what it is applied
    // to; `base`: writes a base part.
    Merger(const T& var, Writer& output, bool base = false) noexcept : Base_(output, base), _var(var) {}

    template <typename Part>
    bool Base(const Part& part) const
    {
        if constexpr (detail::HasBase<T>) {
            return Apply(Merger<detail::BaseOf<T>, Writer, Protocols>(_var, this->_output, true), part);
        } else {
            return Base_::Base(part);
        }
    }

    // A field of T's: the record's value, merged with the payload's where it
    // is nested.
    template <typename F, typename Value>
        requires std::is_same_v<typename F::struct_type, T>
    bool Field(const F&, const Value& value) const
    {
        const auto& member = F::GetVariable(_var);
        if constexpr (detail::MergesNested<typename F::field_type>()) {
            this->_output.WriteFieldBegin(GetTypeId(value), F::id, F::metadata);
            Apply(Merger<std::remove_cvref_t<decltype(member)>, Writer, Protocols>(member, this->_output), value);
            this->_output.WriteFieldEnd();
            return false;
        } else {
            return Base_::Field(F::id, F::metadata, member);
        }
    }

    // A field the payload lacks is written from the record.
    bool OmittedField(uint16_t id, const Metadata&, BondDataType) const
    {
        if constexpr (BondStruct<T>) {
            [&]<typename... Fields>(reflection::FieldList<Fields...>) {
                ((Fields::id == id && Base_::Field(id, Fields::metadata, Fields::GetVariable(_var))) || ...);
            }(typename schema_of<T>::fields{});
        }
        return false;
    }

    // The elements of a list of records (or of lists of them), merged one by
    // one with the record's; elements of another type are kept as they are.
    template <typename Element>
    void Container(const Element& element, uint32_t size) const
    {
        if constexpr (is_list_container<T>::value && detail::merges_element<Element>) {
            if (size != _var.size()) {
                detail::ThrowMergedSizeMismatch(size, _var.size());
            }
            this->_output.WriteContainerBegin(size, GetTypeId(element));
            for (const auto& item : _var) {
                Apply(Merger<typename T::value_type, Writer, Protocols>(item, this->_output), element);
            }
            this->_output.WriteContainerEnd();
        } else {
            Base_::Container(element, size);
        }
    }

    // The pairs of a map of records: each element merged with the record's of
    // the same key, wherever it comes in the payload.
    template <typename Key, typename Element>
    void Container(const Key& key, const Element& element, uint32_t size) const
    {
        if constexpr (is_map_container<T>::value && detail::merges_element<Element>) {
            if (size != _var.size()) {
                detail::ThrowMergedSizeMismatch(size, _var.size());
            }
            this->_output.WriteContainerBegin(size, std::make_pair(GetTypeId(key), GetTypeId(element)));
            for (uint32_t i = 0; i < size; ++i) {
                typename T::key_type read{};
                key.Deserialize(read);
                const auto item = _var.find(read);
                if (item == _var.end()) {
                    BOND_THROW(CoreException, "Merge: a key of the payload's map is missing from the record's");
                }
                detail::SerializerAccess::Write(static_cast<const Base_&>(*this), read);
                Apply(Merger<typename T::mapped_type, Writer, Protocols>(item->second, this->_output), element);
            }
            this->_output.WriteContainerEnd();
        } else {
            Base_::Container(key, element, size);
        }
    }

private:
    const T& _var;
};

// Writes the payload at `input` with `var` merged in (see above).
template <typename T, typename Reader, typename Writer>
void Merge(const T& var, Reader input, Writer& output)
{
    if (detail::NeedsFirstPass(output)) {
        Reader start = input;
        detail::RunFirstPass(output, bonded<T, Reader&>(start), [&](auto& counting) {
            return Merger<T, std::remove_cvref_t<decltype(counting)>>(var, counting);
        });
    }
    Apply(Merger<T, Writer>(var, output), bonded<T, Reader&>(input));
}

template <typename T>
template <typename Protocols, typename X>
void bonded<T, ProtocolReader>::Merge(const X& var)
{
    const auto merged = [&]<typename Held>(const Held& reader) {
        OutputBuffer output;
        typename detail::writer_for<Held>::type writer(output, reader.GetVersion());
        bond::Merge(var, reader, writer);
        using Merged = typename detail::writer_for<Held>::reader;
        return ProtocolReader(Merged(InputBuffer(output.GetBuffer()), reader.GetVersion()));
    };
    _reader = _reader.template Visit<Protocols>([&](const auto& held) -> ProtocolReader {
        if constexpr (!std::is_same_v<std::decay_t<decltype(held)>, ValueReader>) {
            return merged(held);
        } else if constexpr (BondStruct<T>) {
            return merged(detail::PayloadOfRecord(held.template Get<T>()));
        } else {
            return ProtocolReader(held);  // a record of a type only declared is never held
        }
    });
}

}  // namespace bond
