// The declared fields that a parser walks, whichever schema declares them:
//   - StaticFields<T>: T's compile-time schema;
//   - DescribedFields: a struct of a run-time schema;
//   - NoFields: none, for a struct whose schema is unknown.
// Each field knows its id, its type and how to report a value found for it to
// a transform; the parsers hold the rules of where values are found.
#pragma once

#include <bond/base/bond_const.h>
#include <bond/base/bond_fwd.h>
#include <bond/base/metadata.h>
#include <bond/core/detail/base_of.h>
#include <bond/core/detail/nested_payload.h>
#include <bond/core/detail/readable.h>
#include <bond/core/detail/value_access.h>
#include <bond/protocol/detail/type_dispatch.h>
#include <bond/schema/maybe.h>
#include <bond/schema/reflection.h>
#include <bond/schema/runtime_schema.h>

#include <cstdint>
#include <type_traits>

namespace bond::detail {

inline const Metadata& NoMetadata()
{
    static const Metadata none;
    return none;
}

// Hands `value` to the transform through `report`, then passes over whatever
// the transform left of it. Returns the transform's answer: true when it wants
// no more of the struct.
template <typename Value, typename Report>
bool Offer(const Value& value, Report&& report)
{
    const bool done = report(value);
    if (ValueAccess::Uses(value) == 0) {
        value.Skip();
    }
    return done;
}

// Hands the base part of a payload to the transform's Base. A part that the
// transform left is walked to its end all the same. Returns true when the
// struct ended inside the part (see ParseTagged).
template <typename Payload, typename Transform>
bool OfferBase(const Payload& base, const Transform& transform)
{
    const bool done = transform.Base(base);
    return ValueAccess::Uses(base) == 0 ? ValueAccess::PassOver(base) : done;
}

// Reports a value of a compile-time field: with the field itself where the
// transform takes it (To then reads into the member it names without looking
// up the id), or with its id and metadata as every transform takes them.
template <typename Field, typename Transform, typename Value>
bool CallField(const Transform& transform, const Value& value)
{
    if constexpr (requires { transform.Field(Field{}, value); }) {
        return transform.Field(Field{}, value);
    } else {
        return transform.Field(Field::id, Field::metadata, value);
    }
}

template <typename F>
struct StaticField {
    using X = typename held_type<typename F::field_type>::type;

    static constexpr uint16_t Id() noexcept { return F::id; }
    static constexpr BondDataType Type() noexcept { return get_type_id<X>::value; }
    static constexpr bool HoldsRecords() noexcept { return detail::HoldsRecords<X>(); }

    // Reports the value at `reader`, of wire type `wire`, which the field
    // accepts; returns the transform's answer.
    template <typename Reader, typename Transform>
    static bool Report(Reader& reader, BondDataType wire, const Transform& transform)
    {
        const auto field = [&](const auto& value) { return CallField<F>(transform, value); };
        if constexpr (BondStruct<X>) {
            return Offer(bonded<X, Reader&>(reader), field);
        } else if constexpr (is_bonded<X>::value) {
            return field(ReadNestedPayload<typename X::value_type>(reader));
        } else if constexpr (std::is_arithmetic_v<X> || std::is_enum_v<X> || is_type_alias<X>::value) {
            if (wire == Type()) {
                return Offer(value<X, Reader&>(reader), field);
            }
            bool done = false;
            VisitConvertible<X>(wire, [&]<typename Wire>() { done = Offer(value<Wire, Reader&>(reader), field); });
            return done;
        } else {
            return Offer(value<X, Reader&>(reader), field);
        }
    }

    template <typename Transform>
    static void ReportOmitted(const Transform& transform)
    {
        transform.OmittedField(F::id, F::metadata, Type());
    }
};

template <typename T>
struct StaticFields {
    static const Metadata& GetMetadata() noexcept { return schema_of<T>::metadata; }

    // Reports the part of the payload that T's base holds, if T has a base;
    // returns true when the struct ended there.
    template <typename Reader, typename Transform>
    static bool ReportBase(Reader& reader, const Transform& transform)
    {
        if constexpr (HasBase<T>) {
            return OfferBase(bonded<BaseOf<T>, Reader&>(reader, true), transform);
        } else {
            return false;
        }
    }

    // Visits the fields in ordinal order until `visit` returns true; tells
    // whether it did.
    template <typename Visit>
    static bool ForEach(Visit&& visit)
    {
        return [&]<typename... Fields>(reflection::FieldList<Fields...>) {
            return (visit(StaticField<Fields>{}) || ...);
        }(typename schema_of<T>::fields{});
    }
};

struct NoFields {
    static const Metadata& GetMetadata() noexcept { return NoMetadata(); }

    template <typename Reader, typename Transform>
    static bool ReportBase(Reader&, const Transform&) noexcept
    {
        return false;
    }

    template <typename Visit>
    static bool ForEach(Visit&&)
    {
        return false;
    }
};

// Calls `use` with the value of type `type` at `reader`: a basic value, or a
// struct or container with what `schema` says of it, when there is a schema.
template <typename Reader, typename Use>
void WithTypedValue(Reader& reader, BondDataType type, const RuntimeSchema* schema, Use&& use)
{
    DispatchByType(type, [&](auto tag) {
        using Tag = decltype(tag);
        if constexpr (std::is_same_v<Tag, StructTag> || std::is_same_v<Tag, ContainerTag>) {
            using Value =
                std::conditional_t<std::is_same_v<Tag, StructTag>, bonded<void, Reader&>, value<void, Reader&>>;
            if (schema) {
                use(Value(reader, *schema));
            } else if constexpr (Reader::tagged) {
                if constexpr (std::is_same_v<Tag, StructTag>) {
                    use(Value(reader));
                } else {
                    use(Value(reader, type));
                }
            } else {
                // An untagged payload can only be followed by its schema.
                ThrowSimpleBinarySkip();
            }
        } else {
            use(value<typename Tag::type, Reader&>(reader));
        }
    });
}

template <typename Reader, typename Report>
bool ReportTyped(Reader& reader, BondDataType type, const RuntimeSchema* schema, Report&& report)
{
    bool done = false;
    WithTypedValue(reader, type, schema, [&](const auto& value) { done = Offer(value, report); });
    return done;
}

// A field of a struct that a run-time schema describes.
class DescribedField {
public:
    DescribedField(const RuntimeSchema& parent, const FieldDef& field) : _parent(parent), _field(field) {}

    uint16_t Id() const noexcept { return _field.id; }
    BondDataType Type() const noexcept { return _field.type.id; }
    bool HoldsRecords() const noexcept { return detail::HoldsRecords(_field.type); }

    template <typename Reader, typename Transform>
    bool Report(Reader& reader, BondDataType wire, const Transform& transform) const
    {
        const RuntimeSchema type(_parent, _field);
        // A struct stored as a marshaled payload of its own is read as a struct,
        // whatever code the schema gives it.
        const BondDataType as = !Reader::tagged && _field.type.bonded_type ? BT_STRUCT : wire;
        return ReportTyped(reader, as, &type,
                           [&](const auto& value) { return transform.Field(_field.id, _field.metadata, value); });
    }

    template <typename Transform>
    void ReportOmitted(const Transform& transform) const
    {
        transform.OmittedField(_field.id, _field.metadata, Type());
    }

private:
    const RuntimeSchema& _parent;
    const FieldDef& _field;
};

class DescribedFields {
public:
    // Throws CoreException when the schema lacks the struct's definition.
    explicit DescribedFields(const RuntimeSchema& schema) : _schema(schema), _struct(schema.GetStruct()) {}

    const Metadata& GetMetadata() const noexcept { return _struct.metadata; }

    // Reports the part of the payload that the struct's base holds, if the
    // schema gives it one; returns true when the struct ended there.
    template <typename Reader, typename Transform>
    bool ReportBase(Reader& reader, const Transform& transform) const
    {
        if (!_struct.base_def.hasvalue()) {
            return false;
        }
        const RuntimeSchema base(_schema, _struct.base_def.value());
        return OfferBase(bonded<void, Reader&>(reader, base, true), transform);
    }

    template <typename Visit>
    bool ForEach(Visit&& visit) const
    {
        for (const FieldDef& field : _struct.fields) {
            if (visit(DescribedField(_schema, field))) {
                return true;
            }
        }
        return false;
    }

private:
    const RuntimeSchema& _schema;
    const StructDef& _struct;
};

}  // namespace bond::detail
