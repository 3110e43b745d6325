// The walk of an encoded container (a list, set or map still in its payload):
// the transform's Container is handed one value standing for each element in
// turn, typed by the declared element type where the wire gives it, and by
// the wire and what a run-time schema says otherwise.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_const.h>
#include <bond/base/bond_fwd.h>
#include <bond/core/detail/fields.h>
#include <bond/core/detail/value_access.h>
#include <bond/protocol/detail/container.h>
#include <bond/schema/reflection.h>
#include <bond/schema/runtime_schema.h>

#include <cstdint>
#include <optional>
#include <type_traits>

namespace bond::detail {

// Hands `element` (and `key`, for a map) to the transform's Container as the
// value of each of `count` elements in turn, then passes over those it left.
template <typename Transform, typename Element>
void OfferElements(const Transform& transform, const Element& element, uint32_t count)
{
    transform.Container(element, count);
    while (ValueAccess::Uses(element) < count) {
        element.Skip();
    }
}

template <typename Transform, typename Key, typename Element>
void OfferPairs(const Transform& transform, const Key& key, const Element& element, uint32_t count)
{
    transform.Container(key, element, count);
    while (ValueAccess::Uses(key) < count || ValueAccess::Uses(element) < count) {
        if (ValueAccess::Uses(key) == ValueAccess::Uses(element)) {
            key.Skip();
        } else {
            element.Skip();
        }
    }
}

// Calls `use` with the value of an element of wire type `wire`: typed as
// `Declared` when the wire gives the declared type, and otherwise by the wire
// type, with what `schema` (when not null) says of a struct or container.
template <typename Declared, typename Reader, typename Use>
void WithElementValue(Reader& reader, BondDataType wire, const RuntimeSchema* schema, Use&& use)
{
    if constexpr (!std::is_void_v<Declared>) {
        if (wire == get_type_id<Declared>::value) {
            if constexpr (BondStruct<Declared>) {
                use(bonded<Declared, Reader&>(reader));
            } else {
                use(value<Declared, Reader&>(reader));
            }
            return;
        }
    }
    if (schema && schema->GetTypeId() != wire) {
        schema = nullptr;
    }
    WithTypedValue(reader, wire, schema, use);
}

// A map's declared key and value types, void where the map is known only at
// run time.
template <typename T>
struct declared_pair {
    using key = void;
    using mapped = void;
};
template <typename T>
    requires is_map_container<T>::value
struct declared_pair<T> {
    using key = key_of<T>;
    using mapped = mapped_of<T>;
};

template <typename T>
constexpr BondDataType DeclaredCode()
{
    if constexpr (std::is_void_v<T>) {
        return BT_UNAVAILABLE;
    } else {
        return get_type_id<T>::value;
    }
}

// A container's elements, or a map's keys, as a run-time schema of the
// container describes them, when there is one.
class PartSchema {
public:
    // Throws CoreException when `container` leaves the part out.
    PartSchema(const RuntimeSchema* container, RuntimeSchema (RuntimeSchema::*part)() const)
        : _schema(container ? std::optional((container->*part)()) : std::nullopt)
    {}

    // The part's schema, or null.
    const RuntimeSchema* Get() const noexcept { return _schema ? &*_schema : nullptr; }

    // The part's type code, or `otherwise` without a schema.
    BondDataType Code(BondDataType otherwise) const noexcept { return _schema ? _schema->GetTypeId() : otherwise; }

private:
    std::optional<RuntimeSchema> _schema;
};

template <typename Key, typename Element, typename Transform, typename Reader>
void ApplyToMap(const Transform& transform, Reader& reader, const RuntimeSchema* schema)
{
    const PartSchema keys(schema, &RuntimeSchema::GetKeySchema);
    const PartSchema elements(schema, &RuntimeSchema::GetElementSchema);
    WithMap(reader, keys.Code(DeclaredCode<Key>()), elements.Code(DeclaredCode<Element>()),
            [&](const MapHeader& header) {
                if (header.count == 0) {
                    transform.Container(value<void, Reader&>(reader, header.key),
                                        value<void, Reader&>(reader, header.element), 0);
                    return;
                }
                WithElementValue<Key>(reader, header.key, keys.Get(), [&](const auto& key) {
                    WithElementValue<Element>(reader, header.element, elements.Get(), [&](const auto& element) {
                        OfferPairs(transform, key, element, header.count);
                    });
                });
            });
}

template <typename Element, typename Transform, typename Reader>
void ApplyToList(const Transform& transform, Reader& reader, const RuntimeSchema* schema)
{
    const PartSchema elements(schema, &RuntimeSchema::GetElementSchema);
    WithList(reader, elements.Code(DeclaredCode<Element>()), [&](const ListHeader& header) {
        if (header.count == 0) {
            transform.Container(value<void, Reader&>(reader, header.element), 0);
            return;
        }
        WithElementValue<Element>(reader, header.element, elements.Get(),
                                  [&](const auto& element) { OfferElements(transform, element, header.count); });
    });
}

// An encoded list, set or map: its elements go to the transform's Container.
// An empty one passes on value<void> elements of the codes it carries, which
// need name no type.
template <typename Transform, typename T, typename Reader>
bool WalkContainer(const Transform& transform, const value<T, Reader&>& container)
{
    ValueAccess::Use(container);
    Reader& reader = container.GetReader();
    if constexpr (std::is_void_v<T>) {
        const RuntimeSchema* schema = container.GetSchema();
        if (container.GetTypeId() == BT_MAP) {
            ApplyToMap<void, void>(transform, reader, schema);
        } else {
            ApplyToList<void>(transform, reader, schema);
        }
    } else if constexpr (is_map_container<T>::value) {
        ApplyToMap<key_of<T>, mapped_of<T>>(transform, reader, nullptr);
    } else {
        ApplyToList<element_of<T>>(transform, reader, nullptr);
    }
    return true;
}

}  // namespace bond::detail
