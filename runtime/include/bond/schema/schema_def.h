// The run-time schema: a description of records that travels as data. A
// SchemaDef holds the definitions of every struct reachable from its root;
// types refer to struct definitions by their index in `structs`. These are
// records themselves, so they serialize like any other.
#pragma once

#include <bond/base/bond_const.h>
#include <bond/base/metadata.h>
#include <bond/schema/nullable.h>
#include <bond/schema/reflection.h>

#include <cstdint>
#include <vector>

namespace bond {

struct TypeDef {
    BondDataType id = BT_STRUCT;
    uint16_t struct_def = 0;    // for a struct: its index in SchemaDef::structs
    nullable<TypeDef> element;  // for a list or set: the element; for a map: the value
    nullable<TypeDef> key;      // for a map
    bool bonded_type = false;   // a struct stored as a marshaled payload of its own

    struct Schema;
    bool operator==(const TypeDef&) const = default;
};

struct FieldDef {
    Metadata metadata;
    uint16_t id = 0;
    TypeDef type;

    struct Schema;
    bool operator==(const FieldDef&) const = default;
};

struct StructDef {
    Metadata metadata;
    nullable<TypeDef> base_def;
    std::vector<FieldDef> fields;

    struct Schema;
    bool operator==(const StructDef&) const = default;
};

struct SchemaDef {
    std::vector<StructDef> structs;
    TypeDef root;

    struct Schema;
    bool operator==(const SchemaDef&) const = default;
};

// Reflection of the run-time schema's own records; their metadata is built in
// schema_def.cpp.
#define BOND_SCHEMA_DEF_FIELD(ordinal, record, member)                                                                 \
    using member = reflection::OptionalField<ordinal, &record::member, &s_##member##_metadata>

struct Variant::Schema {
    using base = no_base;
    static const Metadata metadata;
    static const Metadata s_uint_value_metadata, s_int_value_metadata, s_double_value_metadata, s_string_value_metadata,
        s_wstring_value_metadata, s_nothing_metadata;
    struct var {
        BOND_SCHEMA_DEF_FIELD(0, Variant, uint_value);
        BOND_SCHEMA_DEF_FIELD(1, Variant, int_value);
        BOND_SCHEMA_DEF_FIELD(2, Variant, double_value);
        BOND_SCHEMA_DEF_FIELD(3, Variant, string_value);
        BOND_SCHEMA_DEF_FIELD(4, Variant, wstring_value);
        BOND_SCHEMA_DEF_FIELD(5, Variant, nothing);
    };
    using fields = reflection::FieldList<var::uint_value, var::int_value, var::double_value, var::string_value,
                                         var::wstring_value, var::nothing>;
};

struct Metadata::Schema {
    using base = no_base;
    static const Metadata metadata;
    static const Metadata s_name_metadata, s_qualified_name_metadata, s_attributes_metadata, s_modifier_metadata,
        s_default_value_metadata;
    struct var {
        BOND_SCHEMA_DEF_FIELD(0, Metadata, name);
        BOND_SCHEMA_DEF_FIELD(1, Metadata, qualified_name);
        BOND_SCHEMA_DEF_FIELD(2, Metadata, attributes);
        BOND_SCHEMA_DEF_FIELD(3, Metadata, modifier);
        BOND_SCHEMA_DEF_FIELD(4, Metadata, default_value);
    };
    using fields =
        reflection::FieldList<var::name, var::qualified_name, var::attributes, var::modifier, var::default_value>;
};

struct TypeDef::Schema {
    using base = no_base;
    static const Metadata metadata;
    static const Metadata s_id_metadata, s_struct_def_metadata, s_element_metadata, s_key_metadata,
        s_bonded_type_metadata;
    struct var {
        BOND_SCHEMA_DEF_FIELD(0, TypeDef, id);
        BOND_SCHEMA_DEF_FIELD(1, TypeDef, struct_def);
        BOND_SCHEMA_DEF_FIELD(2, TypeDef, element);
        BOND_SCHEMA_DEF_FIELD(3, TypeDef, key);
        BOND_SCHEMA_DEF_FIELD(4, TypeDef, bonded_type);
    };
    using fields = reflection::FieldList<var::id, var::struct_def, var::element, var::key, var::bonded_type>;
};

struct FieldDef::Schema {
    using base = no_base;
    static const Metadata metadata;
    static const Metadata s_metadata_metadata, s_id_metadata, s_type_metadata;
    struct var {
        BOND_SCHEMA_DEF_FIELD(0, FieldDef, metadata);
        BOND_SCHEMA_DEF_FIELD(1, FieldDef, id);
        BOND_SCHEMA_DEF_FIELD(2, FieldDef, type);
    };
    using fields = reflection::FieldList<var::metadata, var::id, var::type>;
};

struct StructDef::Schema {
    using base = no_base;
    static const Metadata metadata;
    static const Metadata s_metadata_metadata, s_base_def_metadata, s_fields_metadata;
    struct var {
        BOND_SCHEMA_DEF_FIELD(0, StructDef, metadata);
        BOND_SCHEMA_DEF_FIELD(1, StructDef, base_def);
        BOND_SCHEMA_DEF_FIELD(2, StructDef, fields);
    };
    using fields = reflection::FieldList<var::metadata, var::base_def, var::fields>;
};

struct SchemaDef::Schema {
    using base = no_base;
    static const Metadata metadata;
    static const Metadata s_structs_metadata, s_root_metadata;
    struct var {
        BOND_SCHEMA_DEF_FIELD(0, SchemaDef, structs);
        BOND_SCHEMA_DEF_FIELD(1, SchemaDef, root);
    };
    using fields = reflection::FieldList<var::structs, var::root>;
};

#undef BOND_SCHEMA_DEF_FIELD

}  // namespace bond
