// Reading one encoded value into a variable of the type declared for it. A
// basic value is read as the type the wire gives and widened to the declared
// one (the parsers only offer types that convert, see readable.h). A
// container's elements are read when their wire type is accepted by the
// declared element type and passed over one by one otherwise, as the library
// does; a nested struct is read through the To transform. A container that a
// run-time schema describes is read as the schema lays it out.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_fwd.h>
#include <bond/core/detail/allocated_element.h>
#include <bond/core/detail/apply_fwd.h>
#include <bond/core/detail/nested_payload.h>
#include <bond/core/detail/readable.h>
#include <bond/core/detail/skip.h>
#include <bond/protocol/detail/container.h>
#include <bond/schema/nullable.h>
#include <bond/schema/reflection.h>
#include <bond/schema/runtime_schema.h>

#include <algorithm>
#include <cstdint>
#include <list>
#include <map>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace bond::detail {

// A std::vector or std::list whose elements travel as themselves, which is
// filled in place rather than through the container functions.
template <typename T>
struct is_standard_sequence : std::false_type {};
template <typename T, typename A>
    requires std::is_same_v<element_of<std::vector<T, A>>, T>
struct is_standard_sequence<std::vector<T, A>> : std::true_type {};
template <typename T, typename A>
    requires std::is_same_v<element_of<std::list<T, A>>, T>
struct is_standard_sequence<std::list<T, A>> : std::true_type {};

// Text into a string of one's own, through its string functions; the
// standard strings, whatever their allocator, are read in place.
template <typename Reader, typename T>
void ReadText(Reader& reader, T& var)
{
    if constexpr (is_standard_text<T>::value) {
        reader.Read(var);
    } else {
        std::conditional_t<is_string<T>::value, std::string, std::wstring> text;
        reader.Read(text);
        resize_string(var, static_cast<uint32_t>(text.size()));
        std::copy(text.begin(), text.end(), string_data(var));
    }
}

// Sets `var` to a value read as `Read`: a scalar of one's own is set from
// the value of the type it travels as.
template <typename X, typename Read>
void AssignConverted(X& var, const Read& read)
{
    if constexpr (is_type_alias<X>::value) {
        set_aliased_value(var, static_cast<typename aliased_type<X>::type>(read));
    } else {
        var = static_cast<X>(read);
    }
}

// A basic value as its own type; an enumeration travels as an int32, a
// scalar of one's own as the type it names.
template <typename Reader, typename T>
void ReadBasic(Reader& reader, T& var)
{
    if constexpr (is_type_alias<T>::value) {
        typename aliased_type<T>::type aliased{};
        ReadBasic(reader, aliased);
        set_aliased_value(var, aliased);
    } else if constexpr (std::is_enum_v<T>) {
        int32_t number;
        reader.Read(number);
        var = static_cast<T>(number);
    } else if constexpr (is_string<T>::value || is_wstring<T>::value) {
        ReadText(reader, var);
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
        AssignConverted(var, value);
    });
}

// How a container's parts are laid out: as the declared types themselves
// say, or as a run-time schema describes them, which may give a basic part a
// narrower type than the declared one and gives every record its layout.
struct DeclaredLayout {
    template <typename X>
    static constexpr BondDataType Code() noexcept
    {
        return get_type_id<X>::value;
    }
    static DeclaredLayout Element() noexcept { return {}; }
    static DeclaredLayout Key() noexcept { return {}; }

    template <typename X, typename Reader>
    static void PassOver(Reader& reader, BondDataType wire)
    {
        if constexpr (Reader::tagged) {
            SkipValue(reader, wire);
        } else {
            SkipDeclared<X>(reader);
        }
    }

    template <typename Reader, typename X>
    static void ReadRecord(Reader& reader, X& var)
    {
        Apply(To<X>(var), bonded<X, Reader&>(reader));
    }
};

class DescribedLayout {
public:
    explicit DescribedLayout(RuntimeSchema schema) noexcept : _schema(std::move(schema)) {}

    template <typename X>
    BondDataType Code() const noexcept
    {
        return _schema.GetTypeId();
    }
    // Both throw CoreException when the schema leaves the part out.
    DescribedLayout Element() const { return DescribedLayout(_schema.GetElementSchema()); }
    DescribedLayout Key() const { return DescribedLayout(_schema.GetKeySchema()); }

    template <typename X, typename Reader>
    void PassOver(Reader& reader, BondDataType wire) const
    {
        if constexpr (Reader::tagged) {
            SkipValue(reader, wire);
        } else {
            SkipDescribed(reader, _schema);
        }
    }

    template <typename Reader, typename X>
    void ReadRecord(Reader& reader, X& var) const
    {
        Apply(To<X>(var), bonded<void, Reader&>(reader, _schema));
    }

private:
    RuntimeSchema _schema;
};

// Passes over elements the declared type does not take: each by its own wire
// type, as a tagged reader tells it, or as the layout gives it.
template <typename E, typename Reader, typename Layout>
void PassOverElements(Reader& reader, const Layout& layout, BondDataType element, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i) {
        layout.template PassOver<E>(reader, element);
    }
}

template <typename Reader, typename X, typename Layout = DeclaredLayout>
void ReadContainer(Reader& reader, X& var, const Layout& layout = {});

// One element, found on the wire as `wire`, which X accepts.
template <typename Reader, typename X, typename Layout>
void ReadElement(Reader& reader, BondDataType wire, X& var, const Layout& layout)
{
    if constexpr (BondStruct<X>) {
        layout.ReadRecord(reader, var);
    } else if constexpr (is_bonded<X>::value) {
        // Kept undecoded, as a bonded<T> field is.
        var = ReadNestedPayload<typename X::value_type>(reader);
    } else if constexpr (is_string<X>::value || is_wstring<X>::value) {
        ReadText(reader, var);
    } else if constexpr (is_basic_type<X>::value) {
        ReadConverted(reader, wire, var);
    } else {
        ReadContainer(reader, var, layout);
    }
}

// The value of `key` in a map, made anew: a standard map's is built with its
// allocator and put in place whole (a record whose allocator has no default
// cannot be default-built first); a map of one's own goes through mapped_at.
template <typename X, typename Key>
auto& FreshValueAt(X& map, Key&& key)
{
    if constexpr (requires { map.insert_or_assign(std::forward<Key>(key), make_value(map)); }) {
        return map.insert_or_assign(std::forward<Key>(key), make_value(map)).first->second;
    } else {
        auto& value = mapped_at(map, std::forward<Key>(key));
        value = make_value(map);
        return value;
    }
}

// A container into `var`, which must be in its default state or may be
// replaced as a whole, laid out as `layout` says.
template <typename Reader, typename X, typename Layout>
void ReadContainer(Reader& reader, X& var, const Layout& layout)
{
    if constexpr (std::is_same_v<X, blob>) {
        // A blob takes the bytes of a list of int8 as a view into the input.
        WithList(reader, BT_INT8, [&](const ListHeader& header) {
            if (header.element == BT_INT8) {
                reader.Read(var, header.count);
            } else {
                PassOverElements<int8_t>(reader, DeclaredLayout{}, header.element, header.count);
            }
        });
    } else if constexpr (is_map_container<X>::value) {
        using Key = key_of<X>;
        using Value = mapped_of<X>;
        const auto keys = layout.Key();
        const auto values = layout.Element();
        const BondDataType key_code = keys.template Code<Key>();
        const BondDataType value_code = values.template Code<Value>();
        WithMap(reader, key_code, value_code, [&](const MapHeader& header) {
            if (!Accepts(key_code, header.key) || !Accepts(value_code, header.element)) {
                for (uint32_t i = 0; i < header.count; ++i) {
                    PassOverElements<Key>(reader, keys, header.key, 1);
                    PassOverElements<Value>(reader, values, header.element, 1);
                }
                return;
            }
            clear_map(var);
            for (uint32_t i = 0; i < header.count; ++i) {
                Key key = make_key(var);
                ReadElement(reader, header.key, key, keys);
                // A key repeated in the payload takes its last value whole.
                auto& value = FreshValueAt(var, std::move(key));
                ReadElement(reader, header.element, value, values);
            }
        });
    } else {
        using Element = element_of<X>;
        const auto elements = layout.Element();
        const BondDataType code = elements.template Code<Element>();
        WithList(reader, code, [&](const ListHeader& header) {
            if (!Accepts(code, header.element)) {
                PassOverElements<Element>(reader, elements, header.element, header.count);
                return;
            }
            if constexpr (is_standard_sequence<X>::value) {
                var.clear();
                if constexpr (requires { var.reserve(header.count); }) {
                    var.reserve(PlausibleElementCount(reader, header.count));
                }
                for (uint32_t i = 0; i < header.count; ++i) {
                    if constexpr (std::is_same_v<Element, bool>) {
                        // std::vector<bool> hands out no reference to an element.
                        bool element = false;
                        ReadElement(reader, header.element, element, elements);
                        var.push_back(element);
                    } else {
                        ReadElement(reader, header.element, EmplaceElement(var), elements);
                    }
                }
            } else if constexpr (is_nullable<X>::value) {
                // A nullable is a list of at most one element; extra ones are passed over.
                var.reset();
                if (header.count != 0) {
                    ReadElement(reader, header.element, var.set(), elements);
                    PassOverElements<Element>(reader, elements, header.element, header.count - 1);
                }
            } else if constexpr (is_set_container<X>::value) {
                clear_set(var);
                for (uint32_t i = 0; i < header.count; ++i) {
                    Element element = make_element(var);
                    ReadElement(reader, header.element, element, elements);
                    set_insert(var, element);
                }
            } else {
                // A list of one's own is sized first, then filled in order;
                // elements it has no room for are passed over.
                resize_list(var, header.count);
                uint32_t read = 0;
                for (enumerator<X> items(var); read < header.count && items.more(); ++read) {
                    if constexpr (require_modify_element<X>::value) {
                        modify_element(var, items.next(), [&](Element& element) {
                            ReadElement(reader, header.element, element, elements);
                        });
                    } else {
                        ReadElement(reader, header.element, items.next(), elements);
                    }
                }
                PassOverElements<Element>(reader, elements, header.element, header.count - read);
            }
        });
    }
}

}  // namespace bond::detail
