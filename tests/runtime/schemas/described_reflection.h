// The types and reflection of described.bond: a record with a base, attributes,
// every modifier, defaults of every kind and payload fields, whose run-time
// schema records all of them. Until the reflection helpers that take a
// modifier and attributes are in, the field metadata is spelled out here
// (the schema compiler writes MetadataInit(default, "name", modifier, attributes)).
#pragma once

#include <bond/core/bond.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace test::described {

namespace _bond_enumerators {
namespace Shade {

enum Shade : int32_t {
    Light = 1,
    Dark = -2,
};

inline const char* GetTypeName(enum Shade)
{
    return "Shade";
}

inline const char* GetTypeName(enum Shade, const bond::qualified_name_tag&)
{
    return "test.described.Shade";
}

}  // namespace Shade
}  // namespace _bond_enumerators

using namespace _bond_enumerators::Shade;

struct Root {
    int32_t id = -7;

    struct Schema;
    bool operator==(const Root&) const = default;
};

struct Leaf : Root {
    uint32_t size = 42;
    std::string label = "hi";
    double ratio = 2.5;
    std::wstring title = L"t";
    Shade shade = Dark;
    bond::bonded<Root> nested;
    std::vector<bond::bonded<Root>> nested_list;
    std::map<Shade, Root> by_shade;
    bond::nullable<int8_t> small;

    struct Schema;
};

// Metadata as the reflection helpers give it.
inline bond::Metadata Described(const char* name, const char* qualified_name,
                                std::map<std::string, std::string> attributes, bond::Modifier modifier,
                                bond::Variant default_value)
{
    bond::Metadata metadata;
    metadata.name = name;
    metadata.qualified_name = qualified_name;
    metadata.attributes = std::move(attributes);
    metadata.modifier = modifier;
    metadata.default_value = std::move(default_value);
    return metadata;
}

inline bond::Variant Default(auto set)
{
    bond::Variant variant;
    set(variant);
    return variant;
}

struct Root::Schema {
    using base = bond::no_base;
    static inline const bond::Metadata metadata =
        Described("Root", "test.described.Root", {{"Kind", "base"}}, bond::Optional, {});

private:
    static inline const bond::Metadata s_id_metadata =
        Described("id", "", {}, bond::Optional, Default([](bond::Variant& v) { v.int_value = -7; }));

public:
    struct var {
        using id = bond::reflection::FieldTemplate<0, bond::reflection::optional_field_modifier, Root, int32_t,
                                                   &Root::id, &s_id_metadata>;
    };
    using fields = bond::reflection::FieldList<var::id>;

    static bond::Metadata GetMetadata() { return metadata; }
};

struct Leaf::Schema {
    using base = Root;
    static inline const bond::Metadata metadata =
        Described("Leaf", "test.described.Leaf", {{"Kind", "leaf"}, {"Version", "2"}}, bond::Optional, {});

private:
    static inline const bond::Metadata s_size_metadata = Described(
        "size", "", {{"Unit", "bytes"}}, bond::Required, Default([](bond::Variant& v) { v.uint_value = 42; }));
    static inline const bond::Metadata s_label_metadata =
        Described("label", "", {}, bond::RequiredOptional, Default([](bond::Variant& v) { v.string_value = "hi"; }));
    static inline const bond::Metadata s_ratio_metadata =
        Described("ratio", "", {}, bond::Optional, Default([](bond::Variant& v) { v.double_value = 2.5; }));
    static inline const bond::Metadata s_title_metadata =
        Described("title", "", {}, bond::Optional, Default([](bond::Variant& v) { v.wstring_value = L"t"; }));
    static inline const bond::Metadata s_shade_metadata =
        Described("shade", "", {}, bond::Optional, Default([](bond::Variant& v) { v.int_value = Dark; }));
    static inline const bond::Metadata s_nested_metadata = bond::reflection::MetadataInit("nested");
    static inline const bond::Metadata s_nested_list_metadata = bond::reflection::MetadataInit("nested_list");
    static inline const bond::Metadata s_by_shade_metadata = bond::reflection::MetadataInit("by_shade");
    static inline const bond::Metadata s_small_metadata = bond::reflection::MetadataInit("small");

public:
    struct var {
        using size = bond::reflection::FieldTemplate<0, bond::reflection::required_field_modifier, Leaf, uint32_t,
                                                     &Leaf::size, &s_size_metadata>;
        using label = bond::reflection::FieldTemplate<1, bond::reflection::required_optional_field_modifier, Leaf,
                                                      std::string, &Leaf::label, &s_label_metadata>;
        using ratio = bond::reflection::FieldTemplate<2, bond::reflection::optional_field_modifier, Leaf, double,
                                                      &Leaf::ratio, &s_ratio_metadata>;
        using title = bond::reflection::FieldTemplate<3, bond::reflection::optional_field_modifier, Leaf, std::wstring,
                                                      &Leaf::title, &s_title_metadata>;
        using shade = bond::reflection::FieldTemplate<4, bond::reflection::optional_field_modifier, Leaf, Shade,
                                                      &Leaf::shade, &s_shade_metadata>;
        using nested = bond::reflection::FieldTemplate<5, bond::reflection::optional_field_modifier, Leaf,
                                                       bond::bonded<Root>, &Leaf::nested, &s_nested_metadata>;
        using nested_list = bond::reflection::FieldTemplate<6, bond::reflection::optional_field_modifier, Leaf,
                                                            std::vector<bond::bonded<Root>>, &Leaf::nested_list,
                                                            &s_nested_list_metadata>;
        using by_shade = bond::reflection::FieldTemplate<7, bond::reflection::optional_field_modifier, Leaf,
                                                         std::map<Shade, Root>, &Leaf::by_shade, &s_by_shade_metadata>;
        using small = bond::reflection::FieldTemplate<8, bond::reflection::optional_field_modifier, Leaf,
                                                      bond::nullable<int8_t>, &Leaf::small, &s_small_metadata>;
    };
    using fields = bond::reflection::FieldList<var::size, var::label, var::ratio, var::title, var::shade, var::nested,
                                               var::nested_list, var::by_shade, var::small>;

    static bond::Metadata GetMetadata() { return metadata; }
};

}  // namespace test::described
