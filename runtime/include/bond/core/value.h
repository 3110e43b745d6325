// bond::value<T, Reader&>: one value of type T (a basic type, a string or a
// container) still encoded, at a reader's position. The parsers hand these to
// a transform, which may read the value (Deserialize), pass over it (Skip) or
// apply a transform to a container's elements (Apply, which reports them to
// Container). Whatever the transform leaves, the parser passes over, so a
// transform may ignore a value. A value reads from wherever its reader stands:
// a container's element value stands for each element in turn.
//
// bond::value<void, Reader&> is a value whose type is known only at run time:
// a list, set or map of an unknown field, typed by the wire, or a value that a
// run-time schema describes.
#pragma once

#include <bond/base/bond_fwd.h>
#include <bond/core/detail/read_value.h>
#include <bond/core/detail/readable.h>
#include <bond/core/detail/skip.h>
#include <bond/core/detail/value_access.h>
#include <bond/protocol/detail/skip_value.h>
#include <bond/schema/reflection.h>
#include <bond/schema/runtime_schema.h>

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

namespace bond {

namespace detail {}  // namespace detail

template <typename T, typename Reader>
class value<T, Reader&> {
public:
    using value_type = T;
    using reader_type = Reader;

    explicit value(Reader& reader) noexcept : _reader(&reader) {}

    // Reads the value into `var` when var's type can take it: a basic value
    // into a variable of its own type or a wider one of the same kind, text
    // into a string of its kind, a container into one of its own type.
    // Otherwise passes over it.
    template <typename X>
    void Deserialize(X& var) const
    {
        if constexpr (detail::Reads<T, X>()) {
            _uses.Use();
            if constexpr (std::is_same_v<T, X> && !is_basic_type<T>::value) {
                detail::ReadContainer(*_reader, var);
            } else if constexpr (std::is_same_v<T, X> || is_string<X>::value || is_wstring<X>::value) {
                detail::ReadBasic(*_reader, var);
            } else {
                T read;
                detail::ReadBasic(*_reader, read);
                detail::AssignConverted(var, read);
            }
        } else {
            Skip();
        }
    }

    void Skip() const
    {
        _uses.Use();
        if constexpr (Reader::tagged) {
            detail::SkipValue(*_reader, get_type_id<T>::value);
        } else {
            detail::SkipDeclared<T>(*_reader);
        }
    }

    Reader& GetReader() const noexcept { return *_reader; }

private:
    friend detail::ValueAccess;

    Reader* _reader;
    detail::ValueUses _uses;
};

template <typename Reader>
class value<void, Reader&> {
public:
    using value_type = void;
    using reader_type = Reader;

    // A value of wire type `type`, in a tagged payload, or an empty container
    // of any payload that carried `type` as its element code.
    value(Reader& reader, BondDataType type) noexcept : _reader(&reader), _type(type) {}

    // A value laid out as `schema` (a type in a run-time schema) describes;
    // the schema, like the reader, must outlive the value.
    value(Reader& reader, const RuntimeSchema& schema) noexcept
        : _reader(&reader), _type(schema.GetTypeId()), _schema(&schema)
    {}

    BondDataType GetTypeId() const noexcept { return _type; }

    // The schema, or null for a value the wire types.
    const RuntimeSchema* GetSchema() const noexcept { return _schema; }

    // The run-time schema of the value: the schema it was made with, or one of
    // the bare type code the wire gives.
    RuntimeSchema GetRuntimeSchema() const
    {
        if (_schema) {
            return *_schema;
        }
        auto schema = std::make_shared<SchemaDef>();
        schema->root.id = _type;
        return RuntimeSchema(std::move(schema));
    }
    Reader& GetReader() const noexcept { return *_reader; }

    // Reads the value into `var` when var's type agrees with the value's: its
    // type code, and where a run-time schema describes the value, every
    // element, key and nested type it describes. Otherwise passes over it.
    template <typename X>
    void Deserialize(X& var) const;

    void Skip() const
    {
        _uses.Use();
        if constexpr (Reader::tagged) {
            detail::SkipValue(*_reader, _type);
        } else if (_schema) {
            detail::SkipDescribed(*_reader, *_schema);
        } else {
            detail::ThrowSimpleBinarySkip();
        }
    }

private:
    friend detail::ValueAccess;

    Reader* _reader;
    BondDataType _type;
    const RuntimeSchema* _schema = nullptr;
    detail::ValueUses _uses;
};

template <typename Reader>
template <typename X>
void value<void, Reader&>::Deserialize(X& var) const
{
    if constexpr (!BondStruct<X> && !is_basic_type<X>::value) {
        if (!_schema) {
            if (Reader::tagged && _type == get_type_id<X>::value) {
                _uses.Use();
                detail::ReadContainer(*_reader, var);
                return;
            }
        } else if (detail::Matches<X>(_schema->GetType())) {
            _uses.Use();
            detail::ReadContainer(*_reader, var, detail::DescribedLayout(*_schema));
            return;
        }
    }
    Skip();
}

// The type code of a value, as a writer puts it in a field or container header.
template <typename T, typename Reader>
BondDataType GetTypeId(const value<T, Reader>&) noexcept
{
    return get_type_id<T>::value;
}

template <typename Reader>
BondDataType GetTypeId(const value<void, Reader>& value) noexcept
{
    return value.GetTypeId();
}

}  // namespace bond
