// How an untagged payload is read against a run-time schema into a record of
// another type: the schema's fields that the record declares by ordinal and
// type are read, and every other one is passed over by the type the schema
// gives it, whatever its shape.
#include "test_records.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

namespace {

using namespace test_records;

// Shapes' last two fields alone.
struct Tail {
    uint64_t big = 0;
    bond::blob bytes;

    struct Schema {
        using base = bond::no_base;
        static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Tail", "test.Tail");
        static inline const bond::Metadata big_metadata = bond::reflection::MetadataInit("big");
        static inline const bond::Metadata bytes_metadata = bond::reflection::MetadataInit("bytes");
        using fields = bond::reflection::FieldList<bond::reflection::OptionalField<9, &Tail::big, &big_metadata>,
                                                   bond::reflection::OptionalField<10, &Tail::bytes, &bytes_metadata>>;
    };
};

TEST(UntaggedParser, FieldsTheRecordLacksArePassedOverByTheirSchemaTypes)
{
    const Shapes shapes = FullShapes();
    const bond::RuntimeSchema schema = bond::GetRuntimeSchema<Shapes>();
    ForEachProtocol([&](auto protocol) {
        const bond::blob bytes = Written<typename decltype(protocol)::writer>(shapes, protocol.version);
        const Tail tail = bond::Deserialize<Tail>(protocol.Over(bytes), schema);
        EXPECT_EQ(tail.big, shapes.big) << protocol.name;
        EXPECT_EQ(tail.bytes, shapes.bytes) << protocol.name;
    });
}

}  // namespace
