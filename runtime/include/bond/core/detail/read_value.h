// Reading one encoded value into a variable of the type declared for it. A
// basic value is read as the type the wire gives and widened to the declared
// one (the parsers only offer types that convert, see readable.h). A
// container's elements are read when their wire type is accepted by the
// declared element type and passed over one by one otherwise, as the library
// does; a nested struct is read through the To transform.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_fwd.h>
#include <bond/core/detail/apply_fwd.h>
#include <bond/core/detail/readable.h>
#include <bond/core/detail/skip.h>
#include <bond/protocol/detail/container.h>
#include <bond/schema/nullable.h>
#include <bond/schema/reflection.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace bond::detail {

// A basic value as its own type; an enumeration travels as an int32.
template <typename Reader, typename T>
void ReadBasic(Reader& reader, T& var)
{
    if constexpr (std::is_enum_v<T>) {
        int32_t number;
        reader.Read(number);
        var = static_cast<T>(number);
    } else {
        reader.Read(var);
    }
}

// A basic value of wire type `wire` into `var`, whose type accepts it.
template <typename Reader, typename X>
void ReadConverted(Reader& reader, BondDataType wire, X& var)
{
    if (wire == get_type_id<X>::value) {
        ReadBasic(reader, var);
        return;
    }
    VisitConvertible<X>(wire, [&]<typename Wire>() {
        Wire value;
        reader.Read(value);
        var = static_cast<X>(value);
    });
}

// Passes over the elements of a container whose element type the declared one
// does not accept: each by its own wire type, as a tagged reader tells it.
template <typename E, typename Reader>
void PassOverElements(Reader& reader, BondDataType element, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i) {
        if constexpr (Reader::tagged) {
            SkipValue(reader, element);
        } else {
            SkipDeclared<E>(reader);
        }
    }
}

template <typename Reader, typename X>
void ReadContainer(Reader& reader, X& var);

// One element, found on the wire as `wire`, which X accepts.
template <typename Reader, typename X>
void ReadElement(Reader& reader, BondDataType wire, X& var)
{
    if constexpr (BondStruct<X>) {
        Apply(To<X>(var), bonded<X, Reader&>(reader));
    } else if constexpr (std::is_same_v<X, std::string> || std::is_same_v<X, std::wstring>) {
        reader.Read(var);
    } else if constexpr (std::is_arithmetic_v<X> || std::is_enum_v<X>) {
        ReadConverted(reader, wire, var);
    } else {
        ReadContainer(reader, var);
    }
}

// A container into `var`, which must be in its default state or may be
// replaced as a whole.
template <typename Reader, typename X>
void ReadContainer(Reader& reader, X& var)
{
    if constexpr (std::is_same_v<X, blob>) {
        // A blob takes the bytes of a list of int8 as a view into the input.
        WithList(reader, BT_INT8, [&](const ListHeader& header) {
            if (header.element == BT_INT8) {
                reader.Read(var, header.count);
            } else {
                PassOverElements<int8_t>(reader, header.element, header.count);
            }
        });
    } else if constexpr (is_map<X>::value) {
        using Key = typename X::key_type;
        using Value = typename X::mapped_type;
        WithMap(reader, get_type_id<Key>::value, get_type_id<Value>::value, [&](const MapHeader& header) {
            if (!Accepts(get_type_id<Key>::value, header.key) || !Accepts(get_type_id<Value>::value, header.element)) {
                for (uint32_t i = 0; i < header.count; ++i) {
                    PassOverElements<Key>(reader, header.key, 1);
                    PassOverElements<Value>(reader, header.element, 1);
                }
                return;
            }
            var.clear();
            for (uint32_t i = 0; i < header.count; ++i) {
                Key key{};
                ReadElement(reader, header.key, key);
                Value& value = var[std::move(key)];
                value = Value{};
                ReadElement(reader, header.element, value);
            }
        });
    } else {
        using Element = typename X::value_type;
        WithList(reader, get_type_id<Element>::value, [&](const ListHeader& header) {
            if (!Accepts(get_type_id<Element>::value, header.element)) {
                PassOverElements<Element>(reader, header.element, header.count);
                return;
            }
            if constexpr (is_sequence<X>::value) {
                var.clear();
                if constexpr (requires { var.reserve(header.count); }) {
                    var.reserve(PlausibleElementCount(reader, header.count));
                }
                for (uint32_t i = 0; i < header.count; ++i) {
                    ReadElement(reader, header.element, var.emplace_back());
                }
            } else if constexpr (is_nullable<X>::value) {
                // A nullable is a list of at most one element; extra ones are passed over.
                var.reset();
                if (header.count != 0) {
                    ReadElement(reader, header.element, var.set());
                    PassOverElements<Element>(reader, header.element, header.count - 1);
                }
            } else {
                var.clear();
                for (uint32_t i = 0; i < header.count; ++i) {
                    Element element{};
                    ReadElement(reader, header.element, element);
                    var.insert(std::move(element));
                }
            }
        });
    }
}

}  // namespace bond::detail
