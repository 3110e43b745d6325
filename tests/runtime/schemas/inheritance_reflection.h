// The records of inheritance.bond with their reflection, written by hand in
// the shape the schema compiler gives them.
#pragma once

#include <bond/core/bond.h>

#include <cstdint>
#include <string>
#include <utility>

namespace test::inheritance {

// A field's metadata with a modifier other than optional.
inline bond::Metadata FieldMetadata(const char* name, bond::Modifier modifier)
{
    bond::Metadata metadata = bond::reflection::MetadataInit(name);
    metadata.modifier = modifier;
    return metadata;
}

struct Animal {
    std::string name;
    uint32_t legs = 0;

    bool operator==(const Animal&) const = default;

    struct Schema;
};

struct Dog : Animal {
    int32_t age = 0;
    std::string breed;

    bool operator==(const Dog&) const = default;

    struct Schema;
};

struct Puppy : Dog {
    bool sleepy = false;

    bool operator==(const Puppy&) const = default;

    struct Schema;
};

struct Animal::Schema {
    using base = bond::no_base;

    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Animal", "test.inheritance.Animal");

private:
    static inline const bond::Metadata s_name_metadata = bond::reflection::MetadataInit("name");
    static inline const bond::Metadata s_legs_metadata = FieldMetadata("legs", bond::Required);

public:
    struct var {
        using name = bond::reflection::FieldTemplate<0, bond::reflection::optional_field_modifier, Animal, std::string,
                                                     &Animal::name, &s_name_metadata>;
        using legs = bond::reflection::FieldTemplate<1, bond::reflection::required_field_modifier, Animal, uint32_t,
                                                     &Animal::legs, &s_legs_metadata>;
    };

    using fields = bond::reflection::FieldList<var::name, var::legs>;
};

struct Dog::Schema {
    using base = Animal;

    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Dog", "test.inheritance.Dog");

private:
    static inline const bond::Metadata s_age_metadata = bond::reflection::MetadataInit("age");
    static inline const bond::Metadata s_breed_metadata = FieldMetadata("breed", bond::RequiredOptional);

public:
    struct var {
        using age = bond::reflection::FieldTemplate<0, bond::reflection::optional_field_modifier, Dog, int32_t,
                                                    &Dog::age, &s_age_metadata>;
        using breed = bond::reflection::FieldTemplate<2, bond::reflection::required_optional_field_modifier, Dog,
                                                      std::string, &Dog::breed, &s_breed_metadata>;
    };

    using fields = bond::reflection::FieldList<var::age, var::breed>;
};

struct Puppy::Schema {
    using base = Dog;

    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Puppy", "test.inheritance.Puppy");

private:
    static inline const bond::Metadata s_sleepy_metadata = bond::reflection::MetadataInit("sleepy");

public:
    struct var {
        using sleepy = bond::reflection::FieldTemplate<5, bond::reflection::optional_field_modifier, Puppy, bool,
                                                       &Puppy::sleepy, &s_sleepy_metadata>;
    };

    using fields = bond::reflection::FieldList<var::sleepy>;
};

}  // namespace test::inheritance
