// The records of defaults.bond with their reflection, written by hand in the
// shape the schema compiler gives them.
#pragma once

#include <bond/core/bond.h>
#include <bond/core/maybe.h>

#include <cstdint>
#include <string>
#include <vector>

namespace test::defaults {

// A field's metadata with the default `nothing` and a modifier.
inline bond::Metadata NothingMetadata(const char* name, bond::Modifier modifier = bond::Optional)
{
    bond::Metadata metadata = bond::reflection::MetadataInit(name);
    metadata.modifier = modifier;
    metadata.default_value.nothing = true;
    return metadata;
}

struct Optionals {
    bond::maybe<int32_t> count;
    bond::maybe<std::string> label;
    bond::maybe<std::vector<int16_t>> values;
    uint8_t plain = 0;

    bool operator==(const Optionals&) const = default;

    struct Schema;
};

struct Demands {
    bond::maybe<int32_t> count;
    bond::maybe<std::string> label;

    bool operator==(const Demands&) const = default;

    struct Schema;
};

struct Optionals::Schema {
    using base = bond::no_base;

    static inline const bond::Metadata metadata =
        bond::reflection::MetadataInit("Optionals", "test.defaults.Optionals");

private:
    static inline const bond::Metadata s_count_metadata = NothingMetadata("count");
    static inline const bond::Metadata s_label_metadata = NothingMetadata("label");
    static inline const bond::Metadata s_values_metadata = NothingMetadata("values");
    static inline const bond::Metadata s_plain_metadata = bond::reflection::MetadataInit("plain");

public:
    struct var {
        using count = bond::reflection::FieldTemplate<0, bond::reflection::optional_field_modifier, Optionals,
                                                      bond::maybe<int32_t>, &Optionals::count, &s_count_metadata>;
        using label = bond::reflection::FieldTemplate<1, bond::reflection::optional_field_modifier, Optionals,
                                                      bond::maybe<std::string>, &Optionals::label, &s_label_metadata>;
        using values =
            bond::reflection::FieldTemplate<2, bond::reflection::optional_field_modifier, Optionals,
                                            bond::maybe<std::vector<int16_t>>, &Optionals::values, &s_values_metadata>;
        using plain = bond::reflection::FieldTemplate<3, bond::reflection::optional_field_modifier, Optionals, uint8_t,
                                                      &Optionals::plain, &s_plain_metadata>;
    };

    using fields = bond::reflection::FieldList<var::count, var::label, var::values, var::plain>;
};

struct Demands::Schema {
    using base = bond::no_base;

    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Demands", "test.defaults.Demands");

private:
    static inline const bond::Metadata s_count_metadata = NothingMetadata("count", bond::Required);
    static inline const bond::Metadata s_label_metadata = NothingMetadata("label", bond::RequiredOptional);

public:
    struct var {
        using count = bond::reflection::FieldTemplate<0, bond::reflection::required_field_modifier, Demands,
                                                      bond::maybe<int32_t>, &Demands::count, &s_count_metadata>;
        using label = bond::reflection::FieldTemplate<1, bond::reflection::required_optional_field_modifier, Demands,
                                                      bond::maybe<std::string>, &Demands::label, &s_label_metadata>;
    };

    using fields = bond::reflection::FieldList<var::count, var::label>;
};

}  // namespace test::defaults
