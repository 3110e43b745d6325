// Deserializing checks that every required field of the record arrived.
#include "test_records.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace {

using test_records::CompactWriter;
using test_records::Written;

inline const bond::Metadata name_metadata = bond::reflection::MetadataInit("name");
inline const bond::Metadata id_metadata = [] {
    bond::Metadata metadata = bond::reflection::MetadataInit("id");
    metadata.modifier = bond::Required;
    return metadata;
}();

// A record whose field 1 is required, and one like it that lacks the field.
struct Keyed {
    std::string name;
    uint32_t id = 0;

    struct Schema {
        using base = bond::no_base;
        static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Keyed", "test.Keyed");
        using fields =
            bond::reflection::FieldList<bond::reflection::OptionalField<0, &Keyed::name, &name_metadata>,
                                        bond::reflection::FieldTemplate<1, bond::reflection::required_field_modifier,
                                                                        Keyed, uint32_t, &Keyed::id, &id_metadata>>;
    };
};

struct Unkeyed {
    std::string name;

    struct Schema {
        using base = bond::no_base;
        static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Unkeyed", "test.Unkeyed");
        using fields = bond::reflection::FieldList<bond::reflection::OptionalField<0, &Unkeyed::name, &name_metadata>>;
    };
};

TEST(RequiredFields, AMissingOneFailsTheRead)
{
    Keyed keyed;
    keyed.name = "n";
    keyed.id = 7;
    const auto read =
        bond::Deserialize<Keyed>(bond::CompactBinaryReader<bond::InputBuffer>(Written<CompactWriter>(keyed, 1)));
    EXPECT_EQ(read.id, 7u);

    Unkeyed unkeyed;
    unkeyed.name = "n";
    const bond::CompactBinaryReader<bond::InputBuffer> lacking(Written<CompactWriter>(unkeyed, 1));
    try {
        bond::Deserialize<Keyed>(lacking);
        ADD_FAILURE() << "a payload without the required field was read";
    } catch (const bond::CoreException& failure) {
        EXPECT_STREQ(failure.what(), "De-serialization failed: required field 1 is missing from test.Keyed");
    }
}

}  // namespace
