#include <bond/schema/library_records.h>
#include <bond/schema/schema_def.h>

namespace bond {

using reflection::MetadataInit;

const Metadata Variant::Schema::metadata = MetadataInit("Variant", "bond.Variant");
const Metadata Variant::Schema::s_uint_value_metadata = MetadataInit("uint_value");
const Metadata Variant::Schema::s_int_value_metadata = MetadataInit("int_value");
const Metadata Variant::Schema::s_double_value_metadata = MetadataInit("double_value");
const Metadata Variant::Schema::s_string_value_metadata = MetadataInit("string_value");
const Metadata Variant::Schema::s_wstring_value_metadata = MetadataInit("wstring_value");
const Metadata Variant::Schema::s_nothing_metadata = MetadataInit("nothing");

const Metadata Metadata::Schema::metadata = MetadataInit("Metadata", "bond.Metadata");
const Metadata Metadata::Schema::s_name_metadata = MetadataInit("name");
const Metadata Metadata::Schema::s_qualified_name_metadata = MetadataInit("qualified_name");
const Metadata Metadata::Schema::s_attributes_metadata = MetadataInit("attributes");
const Metadata Metadata::Schema::s_modifier_metadata = MetadataInit(Optional, "modifier");
const Metadata Metadata::Schema::s_default_value_metadata = MetadataInit("default_value");

const Metadata TypeDef::Schema::metadata = MetadataInit("TypeDef", "bond.TypeDef");
const Metadata TypeDef::Schema::s_id_metadata = MetadataInit(BT_STRUCT, "id");
const Metadata TypeDef::Schema::s_struct_def_metadata = MetadataInit("struct_def");
const Metadata TypeDef::Schema::s_element_metadata = MetadataInit("element");
const Metadata TypeDef::Schema::s_key_metadata = MetadataInit("key");
const Metadata TypeDef::Schema::s_bonded_type_metadata = MetadataInit("bonded_type");

const Metadata FieldDef::Schema::metadata = MetadataInit("FieldDef", "bond.FieldDef");
const Metadata FieldDef::Schema::s_metadata_metadata = MetadataInit("metadata");
const Metadata FieldDef::Schema::s_id_metadata = MetadataInit("id");
const Metadata FieldDef::Schema::s_type_metadata = MetadataInit("type");

const Metadata StructDef::Schema::metadata = MetadataInit("StructDef", "bond.StructDef");
const Metadata StructDef::Schema::s_metadata_metadata = MetadataInit("metadata");
const Metadata StructDef::Schema::s_base_def_metadata = MetadataInit("base_def");
const Metadata StructDef::Schema::s_fields_metadata = MetadataInit("fields");

const Metadata SchemaDef::Schema::metadata = MetadataInit("SchemaDef", "bond.SchemaDef");
const Metadata SchemaDef::Schema::s_structs_metadata = MetadataInit("structs");
const Metadata SchemaDef::Schema::s_root_metadata = MetadataInit("root");

const Metadata Void::Schema::metadata = MetadataInit("Void", "bond.Void");

const Metadata GUID::Schema::metadata = MetadataInit("GUID", "bond.GUID");
const Metadata GUID::Schema::s_Data1_metadata = MetadataInit("Data1");
const Metadata GUID::Schema::s_Data2_metadata = MetadataInit("Data2");
const Metadata GUID::Schema::s_Data3_metadata = MetadataInit("Data3");
const Metadata GUID::Schema::s_Data4_metadata = MetadataInit("Data4");

}  // namespace bond
