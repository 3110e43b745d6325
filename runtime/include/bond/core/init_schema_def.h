// bond::InitSchemaDef: the transform that describes a record in a SchemaDef.
// Applied to a record, it fills in the struct definition it made room for:
// the record's metadata, its base part, then one field definition per field in
// ordinal order, each with the metadata its reflection gives (attributes,
// modifier, default). A record, as a base, a field or an element, adds its
// definition the first time it is met and is referred to afterwards; a
// bonded<T> refers to T's, marked as a payload of its own.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_const.h>
#include <bond/base/metadata.h>
#include <bond/core/detail/apply_fwd.h>
#include <bond/core/detail/base_of.h>
#include <bond/core/transform_kinds.h>
#include <bond/schema/reflection.h>
#include <bond/schema/schema_def.h>

#include <cstddef>
#include <cstdint>
#include <utility>

namespace bond {

class InitSchemaDef : public SerializingTransform {
public:
    // Appends an empty definition for the record the transform will be applied to.
    explicit InitSchemaDef(SchemaDef& schema) : _schema(schema), _index(schema.structs.size())
    {
        schema.structs.emplace_back();
    }

    // Describes the record type S as applying the transform to a record would,
    // from its reflection alone: no record is made, so S need not be one that
    // can be made without an allocator.
    template <typename S>
    static void Describe(SchemaDef& schema)
    {
        const InitSchemaDef transform(schema);
        transform.Begin(schema_of<S>::metadata);
        if constexpr (detail::HasBase<S>) {
            transform.AddBase<detail::BaseOf<S>>();
        }
        [&]<typename... Fields>(reflection::FieldList<Fields...>) {
            (transform.AddField<typename Fields::field_type>(Fields::id, Fields::metadata), ...);
        }(typename schema_of<S>::fields{});
    }

    void Begin(const Metadata& metadata) const { _schema.structs[_index].metadata = metadata; }
    void End() const noexcept {}

    // The base part, as a record or as a payload of it: described in a
    // definition of its own, which holds its fields.
    template <typename T>
    bool Base(const T&) const
    {
        AddBase<T>();
        return false;
    }

    template <typename T>
    bool Field(uint16_t id, const Metadata& metadata, const T&) const
    {
        AddField<T>(id, metadata);
        return false;
    }

private:
    template <typename T>
    void AddBase() const
    {
        const TypeDef base = TypeDefOf<typename unbonded<T>::type>(_schema);
        _schema.structs[_index].base_def.set() = base;
    }

    template <typename T>
    void AddField(uint16_t id, const Metadata& metadata) const
    {
        FieldDef field;
        field.metadata = metadata;
        field.id = id;
        field.type = TypeDefOf<T>(_schema);
        _schema.structs[_index].fields.push_back(std::move(field));
    }

    template <typename T>
    struct unbonded {
        using type = T;
    };
    template <typename T, typename Reader>
    struct unbonded<bonded<T, Reader>> {
        using type = T;
    };

    // The index of S's definition, which is added (with everything it refers
    // to) the first time S is met.
    template <typename S>
    static uint16_t StructIndex(SchemaDef& schema)
    {
        for (size_t i = 0; i < schema.structs.size(); ++i) {
            if (schema.structs[i].metadata.qualified_name == schema_of<S>::metadata.qualified_name) {
                return static_cast<uint16_t>(i);
            }
        }
        const auto index = static_cast<uint16_t>(schema.structs.size());
        Describe<S>(schema);
        return index;
    }

    template <typename X>
    static TypeDef TypeDefOf(SchemaDef& schema)
    {
        TypeDef type;
        type.id = get_type_id<X>::value;
        if constexpr (BondStruct<X>) {
            type.struct_def = StructIndex<X>(schema);
        } else if constexpr (is_bonded<X>::value) {
            type.struct_def = StructIndex<typename unbonded<X>::type>(schema);
            type.bonded_type = true;
        } else if constexpr (std::is_same_v<X, blob>) {
            type.element.set().id = BT_INT8;
        } else if constexpr (is_map_container<X>::value) {
            type.key.set() = TypeDefOf<detail::key_of<X>>(schema);
            type.element.set() = TypeDefOf<detail::mapped_of<X>>(schema);
        } else if constexpr (is_list_container<X>::value || is_set_container<X>::value) {
            type.element.set() = TypeDefOf<detail::element_of<X>>(schema);
        }
        return type;
    }

    SchemaDef& _schema;
    size_t _index;
};

}  // namespace bond
