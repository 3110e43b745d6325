// The records of envelope.bond with their reflection, written by hand in the
// shape the schema compiler gives them. A bonded field has no equality of its
// own, so neither has Envelope.
#pragma once

#include <bond/core/bond.h>

#include <cstdint>
#include <string>

namespace test::envelope {

struct Letter {
    std::string text;
    int32_t stamp = 0;

    bool operator==(const Letter&) const = default;

    struct Schema;
};

struct Envelope {
    std::string to;
    bond::bonded<Letter> letter;
    int32_t weight = 0;

    struct Schema;
};

struct Letter::Schema {
    using base = bond::no_base;

    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Letter", "test.envelope.Letter");

private:
    static inline const bond::Metadata s_text_metadata = bond::reflection::MetadataInit("text");
    static inline const bond::Metadata s_stamp_metadata = bond::reflection::MetadataInit("stamp");

public:
    struct var {
        using text = bond::reflection::FieldTemplate<0, bond::reflection::optional_field_modifier, Letter, std::string,
                                                     &Letter::text, &s_text_metadata>;
        using stamp = bond::reflection::FieldTemplate<1, bond::reflection::optional_field_modifier, Letter, int32_t,
                                                      &Letter::stamp, &s_stamp_metadata>;
    };

    using fields = bond::reflection::FieldList<var::text, var::stamp>;
};

struct Envelope::Schema {
    using base = bond::no_base;

    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Envelope", "test.envelope.Envelope");

private:
    static inline const bond::Metadata s_to_metadata = bond::reflection::MetadataInit("to");
    static inline const bond::Metadata s_letter_metadata = bond::reflection::MetadataInit("letter");
    static inline const bond::Metadata s_weight_metadata = bond::reflection::MetadataInit("weight");

public:
    struct var {
        using to = bond::reflection::FieldTemplate<0, bond::reflection::optional_field_modifier, Envelope, std::string,
                                                   &Envelope::to, &s_to_metadata>;
        using letter = bond::reflection::FieldTemplate<1, bond::reflection::optional_field_modifier, Envelope,
                                                       bond::bonded<Letter>, &Envelope::letter, &s_letter_metadata>;
        using weight = bond::reflection::FieldTemplate<2, bond::reflection::optional_field_modifier, Envelope, int32_t,
                                                       &Envelope::weight, &s_weight_metadata>;
    };

    using fields = bond::reflection::FieldList<var::to, var::letter, var::weight>;
};

}  // namespace test::envelope
