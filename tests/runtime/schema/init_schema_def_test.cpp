// The run-time schema that InitSchemaDef makes of a record: its metadata and
// each field's as the reflection gives them (attributes, modifier, default),
// every type down to its elements and keys, payload fields as bonded types,
// and the base part as a definition of its own.
#include "described_reflection.h"

#include "hex.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace test::described;

bond::TypeDef Type(bond::BondDataType id)
{
    bond::TypeDef type;
    type.id = id;
    return type;
}

bond::TypeDef Struct(uint16_t index, bool bonded = false)
{
    bond::TypeDef type = Type(bond::BT_STRUCT);
    type.struct_def = index;
    type.bonded_type = bonded;
    return type;
}

bond::TypeDef Of(bond::BondDataType id, bond::TypeDef element)
{
    bond::TypeDef type = Type(id);
    type.element.set() = std::move(element);
    return type;
}

bond::TypeDef Map(bond::TypeDef key, bond::TypeDef element)
{
    bond::TypeDef type = Of(bond::BT_MAP, std::move(element));
    type.key.set() = std::move(key);
    return type;
}

TEST(InitSchemaDef, RecordsEveryFieldAsItsReflectionDescribesIt)
{
    const bond::SchemaDef& schema = bond::GetRuntimeSchema<Leaf>().GetSchema();
    ASSERT_EQ(schema.structs.size(), 2u);
    EXPECT_EQ(schema.root, Struct(0));
    EXPECT_EQ(schema.structs[0].metadata.qualified_name, "test.described.Leaf");
    EXPECT_EQ(schema.structs[0].metadata.attributes,
              (std::map<std::string, std::string>{{"Kind", "leaf"}, {"Version", "2"}}));
    EXPECT_EQ(schema.structs[1].metadata, Root::Schema::metadata);
    EXPECT_EQ(schema.structs[1].fields.at(0).metadata.default_value.int_value, -7);

    struct Case {
        const char* name;
        bond::Modifier modifier;
        bond::TypeDef type;
    };
    const Case cases[] = {
        {"size", bond::Required, Type(bond::BT_UINT32)},
        {"label", bond::RequiredOptional, Type(bond::BT_STRING)},
        {"ratio", bond::Optional, Type(bond::BT_DOUBLE)},
        {"title", bond::Optional, Type(bond::BT_WSTRING)},
        {"shade", bond::Optional, Type(bond::BT_INT32)},
        {"nested", bond::Optional, Struct(1, true)},
        {"nested_list", bond::Optional, Of(bond::BT_LIST, Struct(1, true))},
        {"by_shade", bond::Optional, Map(Type(bond::BT_INT32), Struct(1))},
        {"small", bond::Optional, Of(bond::BT_LIST, Type(bond::BT_INT8))},
        {"maybe_count", bond::Optional, Type(bond::BT_UINT16)},
    };
    const auto& fields = schema.structs[0].fields;
    ASSERT_EQ(fields.size(), std::size(cases));
    for (size_t i = 0; i < fields.size(); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(fields[i].id, i) << c.name;
        EXPECT_EQ(fields[i].metadata.name, c.name);
        EXPECT_EQ(fields[i].metadata.modifier, c.modifier) << c.name;
        EXPECT_EQ(fields[i].type, c.type) << c.name;
    }
    EXPECT_EQ(fields[0].metadata.attributes, (std::map<std::string, std::string>{{"Unit", "bytes"}}));
    EXPECT_EQ(fields[0].metadata.default_value.uint_value, 42u);
    EXPECT_EQ(fields[1].metadata.default_value.string_value, "hi");
    EXPECT_EQ(fields[2].metadata.default_value.double_value, 2.5);
    EXPECT_EQ(fields[3].metadata.default_value.wstring_value, L"t");
    EXPECT_EQ(fields[4].metadata.default_value.int_value, Dark);
    EXPECT_TRUE(fields[9].metadata.default_value.nothing);
}

// A base part is a definition of its own, which the record's refers to; its
// fields stay there.
TEST(InitSchemaDef, RecordsTheBasePartAsADefinitionOfItsOwn)
{
    const bond::RuntimeSchema leaf = bond::GetRuntimeSchema<Leaf>();
    const bond::SchemaDef& schema = leaf.GetSchema();
    ASSERT_TRUE(schema.structs[0].base_def.hasvalue());
    EXPECT_EQ(schema.structs[0].base_def.value(), Struct(1));
    EXPECT_EQ(schema.structs[1].fields.size(), 1u);

    EXPECT_TRUE(leaf.HasBase());
    EXPECT_EQ(leaf.GetBaseSchema().GetStruct().metadata, Root::Schema::metadata);
    EXPECT_FALSE(leaf.GetBaseSchema().HasBase());
    EXPECT_THROW(leaf.GetBaseSchema().GetBaseSchema(), bond::CoreException);
}

// All of it travels: the schema is a record that reads back the same from
// every protocol.
TEST(InitSchemaDef, TheSchemaReadsBackWhole)
{
    const bond::SchemaDef& schema = bond::GetRuntimeSchema<Leaf>().GetSchema();
    bond::OutputBuffer compact;
    bond::CompactBinaryWriter<bond::OutputBuffer> compact_writer(compact);
    bond::Serialize(schema, compact_writer);
    EXPECT_EQ(bond::Deserialize<bond::SchemaDef>(bond::CompactBinaryReader<bond::InputBuffer>(compact.GetBuffer())),
              schema);
    bond::OutputBuffer simple;
    bond::SimpleBinaryWriter<bond::OutputBuffer> simple_writer(simple, 2);
    bond::Serialize(schema, simple_writer);
    EXPECT_EQ(bond::Deserialize<bond::SchemaDef>(bond::SimpleBinaryReader<bond::InputBuffer>(simple.GetBuffer(), 2)),
              schema);
}

}  // namespace
