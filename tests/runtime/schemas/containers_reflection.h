// The types and reflection of containers.bond, in the shape the schema
// compiler gives them: every basic type in every container, and containers
// nested in one another, over records and an enumeration.
#pragma once

#include <bond/core/bond.h>

#include <cstdint>
#include <list>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace test::containers {

namespace _bond_enumerators {
namespace Color {

enum Color : int32_t {
    Red = 0,
    Green = 5,
    Blue = -3,
};

inline const char* GetTypeName(enum Color)
{
    return "Color";
}

inline const char* GetTypeName(enum Color, const bond::qualified_name_tag&)
{
    return "test.containers.Color";
}

}  // namespace Color
}  // namespace _bond_enumerators

using namespace _bond_enumerators::Color;

struct Item {
    int32_t n = 0;
    std::string s;

    struct Schema;
    bool operator==(const Item&) const = default;
};

struct Empty {
    struct Schema;
    bool operator==(const Empty&) const = default;
};

struct Vectors {
    std::vector<bool> vector_bool;
    std::vector<int8_t> vector_int8;
    std::vector<int16_t> vector_int16;
    std::vector<int32_t> vector_int32;
    std::vector<int64_t> vector_int64;
    std::vector<uint8_t> vector_uint8;
    std::vector<uint16_t> vector_uint16;
    std::vector<uint32_t> vector_uint32;
    std::vector<uint64_t> vector_uint64;
    std::vector<float> vector_float;
    std::vector<double> vector_double;
    std::vector<std::string> vector_string;
    std::vector<std::wstring> vector_wstring;
    std::vector<Color> vector_color;
    std::vector<bond::blob> vector_blob;

    struct Schema;
    bool operator==(const Vectors&) const = default;
};

struct Lists {
    std::list<bool> list_bool;
    std::list<int8_t> list_int8;
    std::list<int16_t> list_int16;
    std::list<int32_t> list_int32;
    std::list<int64_t> list_int64;
    std::list<uint8_t> list_uint8;
    std::list<uint16_t> list_uint16;
    std::list<uint32_t> list_uint32;
    std::list<uint64_t> list_uint64;
    std::list<float> list_float;
    std::list<double> list_double;
    std::list<std::string> list_string;
    std::list<std::wstring> list_wstring;
    std::list<Color> list_color;
    std::list<bond::blob> list_blob;

    struct Schema;
    bool operator==(const Lists&) const = default;
};

struct Sets {
    std::set<bool> set_bool;
    std::set<int8_t> set_int8;
    std::set<int16_t> set_int16;
    std::set<int32_t> set_int32;
    std::set<int64_t> set_int64;
    std::set<uint8_t> set_uint8;
    std::set<uint16_t> set_uint16;
    std::set<uint32_t> set_uint32;
    std::set<uint64_t> set_uint64;
    std::set<float> set_float;
    std::set<double> set_double;
    std::set<std::string> set_string;
    std::set<std::wstring> set_wstring;
    std::set<Color> set_color;

    struct Schema;
    bool operator==(const Sets&) const = default;
};

struct MapKeys {
    std::map<bool, int8_t> key_bool;
    std::map<int8_t, int8_t> key_int8;
    std::map<int16_t, int8_t> key_int16;
    std::map<int32_t, int8_t> key_int32;
    std::map<int64_t, int8_t> key_int64;
    std::map<uint8_t, int8_t> key_uint8;
    std::map<uint16_t, int8_t> key_uint16;
    std::map<uint32_t, int8_t> key_uint32;
    std::map<uint64_t, int8_t> key_uint64;
    std::map<float, int8_t> key_float;
    std::map<double, int8_t> key_double;
    std::map<std::string, int8_t> key_string;
    std::map<std::wstring, int8_t> key_wstring;
    std::map<Color, int8_t> key_color;

    struct Schema;
    bool operator==(const MapKeys&) const = default;
};

struct MapValues {
    std::map<std::string, bool> value_bool;
    std::map<std::string, int8_t> value_int8;
    std::map<std::string, int16_t> value_int16;
    std::map<std::string, int32_t> value_int32;
    std::map<std::string, int64_t> value_int64;
    std::map<std::string, uint8_t> value_uint8;
    std::map<std::string, uint16_t> value_uint16;
    std::map<std::string, uint32_t> value_uint32;
    std::map<std::string, uint64_t> value_uint64;
    std::map<std::string, float> value_float;
    std::map<std::string, double> value_double;
    std::map<std::string, std::string> value_string;
    std::map<std::string, std::wstring> value_wstring;
    std::map<std::string, Color> value_color;
    std::map<std::string, bond::blob> value_blob;

    struct Schema;
    bool operator==(const MapValues&) const = default;
};

struct Nullables {
    bond::nullable<bool> nullable_bool;
    bond::nullable<int8_t> nullable_int8;
    bond::nullable<int16_t> nullable_int16;
    bond::nullable<int32_t> nullable_int32;
    bond::nullable<int64_t> nullable_int64;
    bond::nullable<uint8_t> nullable_uint8;
    bond::nullable<uint16_t> nullable_uint16;
    bond::nullable<uint32_t> nullable_uint32;
    bond::nullable<uint64_t> nullable_uint64;
    bond::nullable<float> nullable_float;
    bond::nullable<double> nullable_double;
    bond::nullable<std::string> nullable_string;
    bond::nullable<std::wstring> nullable_wstring;
    bond::nullable<Color> nullable_color;
    bond::nullable<bond::blob> nullable_blob;

    struct Schema;
    bool operator==(const Nullables&) const = default;
};

struct Nested {
    std::vector<std::list<std::set<int32_t>>> grid;
    std::map<std::string, std::vector<std::map<int8_t, Color>>> palettes;
    bond::nullable<std::vector<Item>> maybe_items;
    std::vector<bond::nullable<Item>> holes;
    std::map<Color, Item> by_color;
    std::list<bond::blob> blobs;
    Color color = Green;
    std::map<Color, std::vector<Color>> shades;
    std::vector<std::vector<Item>> item_grid;
    bond::nullable<std::map<uint16_t, std::list<std::wstring>>> texts;
    std::list<std::vector<float>> empty_lists;

    struct Schema;
    bool operator==(const Nested&) const = default;
};

struct Item::Schema {
    using base = bond::no_base;
    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Item", "test.containers.Item");

private:
    static inline const bond::Metadata s_n_metadata = bond::reflection::MetadataInit("n");
    static inline const bond::Metadata s_s_metadata = bond::reflection::MetadataInit("s");

public:
    struct var {
        using n = bond::reflection::FieldTemplate<0, bond::reflection::optional_field_modifier, Item, int32_t, &Item::n,
                                                  &s_n_metadata>;
        using s = bond::reflection::FieldTemplate<1, bond::reflection::optional_field_modifier, Item, std::string,
                                                  &Item::s, &s_s_metadata>;
    };
    using fields = bond::reflection::FieldList<var::n, var::s>;

    static bond::Metadata GetMetadata() { return bond::reflection::MetadataInit("Item", "test.containers.Item"); }
};

struct Empty::Schema {
    using base = bond::no_base;
    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Empty", "test.containers.Empty");

    using fields = bond::reflection::FieldList<>;

    static bond::Metadata GetMetadata() { return bond::reflection::MetadataInit("Empty", "test.containers.Empty"); }
};

struct Vectors::Schema {
    using base = bond::no_base;
    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Vectors", "test.containers.Vectors");

private:
    static inline const bond::Metadata s_vector_bool_metadata = bond::reflection::MetadataInit("vector_bool");
    static inline const bond::Metadata s_vector_int8_metadata = bond::reflection::MetadataInit("vector_int8");
    static inline const bond::Metadata s_vector_int16_metadata = bond::reflection::MetadataInit("vector_int16");
    static inline const bond::Metadata s_vector_int32_metadata = bond::reflection::MetadataInit("vector_int32");
    static inline const bond::Metadata s_vector_int64_metadata = bond::reflection::MetadataInit("vector_int64");
    static inline const bond::Metadata s_vector_uint8_metadata = bond::reflection::MetadataInit("vector_uint8");
    static inline const bond::Metadata s_vector_uint16_metadata = bond::reflection::MetadataInit("vector_uint16");
    static inline const bond::Metadata s_vector_uint32_metadata = bond::reflection::MetadataInit("vector_uint32");
    static inline const bond::Metadata s_vector_uint64_metadata = bond::reflection::MetadataInit("vector_uint64");
    static inline const bond::Metadata s_vector_float_metadata = bond::reflection::MetadataInit("vector_float");
    static inline const bond::Metadata s_vector_double_metadata = bond::reflection::MetadataInit("vector_double");
    static inline const bond::Metadata s_vector_string_metadata = bond::reflection::MetadataInit("vector_string");
    static inline const bond::Metadata s_vector_wstring_metadata = bond::reflection::MetadataInit("vector_wstring");
    static inline const bond::Metadata s_vector_color_metadata = bond::reflection::MetadataInit("vector_color");
    static inline const bond::Metadata s_vector_blob_metadata = bond::reflection::MetadataInit("vector_blob");

public:
    struct var {
        using vector_bool =
            bond::reflection::FieldTemplate<0, bond::reflection::optional_field_modifier, Vectors, std::vector<bool>,
                                            &Vectors::vector_bool, &s_vector_bool_metadata>;
        using vector_int8 =
            bond::reflection::FieldTemplate<1, bond::reflection::optional_field_modifier, Vectors, std::vector<int8_t>,
                                            &Vectors::vector_int8, &s_vector_int8_metadata>;
        using vector_int16 =
            bond::reflection::FieldTemplate<2, bond::reflection::optional_field_modifier, Vectors, std::vector<int16_t>,
                                            &Vectors::vector_int16, &s_vector_int16_metadata>;
        using vector_int32 =
            bond::reflection::FieldTemplate<3, bond::reflection::optional_field_modifier, Vectors, std::vector<int32_t>,
                                            &Vectors::vector_int32, &s_vector_int32_metadata>;
        using vector_int64 =
            bond::reflection::FieldTemplate<4, bond::reflection::optional_field_modifier, Vectors, std::vector<int64_t>,
                                            &Vectors::vector_int64, &s_vector_int64_metadata>;
        using vector_uint8 =
            bond::reflection::FieldTemplate<5, bond::reflection::optional_field_modifier, Vectors, std::vector<uint8_t>,
                                            &Vectors::vector_uint8, &s_vector_uint8_metadata>;
        using vector_uint16 =
            bond::reflection::FieldTemplate<6, bond::reflection::optional_field_modifier, Vectors,
                                            std::vector<uint16_t>, &Vectors::vector_uint16, &s_vector_uint16_metadata>;
        using vector_uint32 =
            bond::reflection::FieldTemplate<7, bond::reflection::optional_field_modifier, Vectors,
                                            std::vector<uint32_t>, &Vectors::vector_uint32, &s_vector_uint32_metadata>;
        using vector_uint64 =
            bond::reflection::FieldTemplate<8, bond::reflection::optional_field_modifier, Vectors,
                                            std::vector<uint64_t>, &Vectors::vector_uint64, &s_vector_uint64_metadata>;
        using vector_float =
            bond::reflection::FieldTemplate<9, bond::reflection::optional_field_modifier, Vectors, std::vector<float>,
                                            &Vectors::vector_float, &s_vector_float_metadata>;
        using vector_double =
            bond::reflection::FieldTemplate<10, bond::reflection::optional_field_modifier, Vectors, std::vector<double>,
                                            &Vectors::vector_double, &s_vector_double_metadata>;
        using vector_string = bond::reflection::FieldTemplate<11, bond::reflection::optional_field_modifier, Vectors,
                                                              std::vector<std::string>, &Vectors::vector_string,
                                                              &s_vector_string_metadata>;
        using vector_wstring = bond::reflection::FieldTemplate<12, bond::reflection::optional_field_modifier, Vectors,
                                                               std::vector<std::wstring>, &Vectors::vector_wstring,
                                                               &s_vector_wstring_metadata>;
        using vector_color =
            bond::reflection::FieldTemplate<13, bond::reflection::optional_field_modifier, Vectors, std::vector<Color>,
                                            &Vectors::vector_color, &s_vector_color_metadata>;
        using vector_blob =
            bond::reflection::FieldTemplate<14, bond::reflection::optional_field_modifier, Vectors,
                                            std::vector<bond::blob>, &Vectors::vector_blob, &s_vector_blob_metadata>;
    };
    using fields =
        bond::reflection::FieldList<var::vector_bool, var::vector_int8, var::vector_int16, var::vector_int32,
                                    var::vector_int64, var::vector_uint8, var::vector_uint16, var::vector_uint32,
                                    var::vector_uint64, var::vector_float, var::vector_double, var::vector_string,
                                    var::vector_wstring, var::vector_color, var::vector_blob>;

    static bond::Metadata GetMetadata() { return bond::reflection::MetadataInit("Vectors", "test.containers.Vectors"); }
};

struct Lists::Schema {
    using base = bond::no_base;
    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Lists", "test.containers.Lists");

private:
    static inline const bond::Metadata s_list_bool_metadata = bond::reflection::MetadataInit("list_bool");
    static inline const bond::Metadata s_list_int8_metadata = bond::reflection::MetadataInit("list_int8");
    static inline const bond::Metadata s_list_int16_metadata = bond::reflection::MetadataInit("list_int16");
    static inline const bond::Metadata s_list_int32_metadata = bond::reflection::MetadataInit("list_int32");
    static inline const bond::Metadata s_list_int64_metadata = bond::reflection::MetadataInit("list_int64");
    static inline const bond::Metadata s_list_uint8_metadata = bond::reflection::MetadataInit("list_uint8");
    static inline const bond::Metadata s_list_uint16_metadata = bond::reflection::MetadataInit("list_uint16");
    static inline const bond::Metadata s_list_uint32_metadata = bond::reflection::MetadataInit("list_uint32");
    static inline const bond::Metadata s_list_uint64_metadata = bond::reflection::MetadataInit("list_uint64");
    static inline const bond::Metadata s_list_float_metadata = bond::reflection::MetadataInit("list_float");
    static inline const bond::Metadata s_list_double_metadata = bond::reflection::MetadataInit("list_double");
    static inline const bond::Metadata s_list_string_metadata = bond::reflection::MetadataInit("list_string");
    static inline const bond::Metadata s_list_wstring_metadata = bond::reflection::MetadataInit("list_wstring");
    static inline const bond::Metadata s_list_color_metadata = bond::reflection::MetadataInit("list_color");
    static inline const bond::Metadata s_list_blob_metadata = bond::reflection::MetadataInit("list_blob");

public:
    struct var {
        using list_bool = bond::reflection::FieldTemplate<0, bond::reflection::optional_field_modifier, Lists,
                                                          std::list<bool>, &Lists::list_bool, &s_list_bool_metadata>;
        using list_int8 = bond::reflection::FieldTemplate<1, bond::reflection::optional_field_modifier, Lists,
                                                          std::list<int8_t>, &Lists::list_int8, &s_list_int8_metadata>;
        using list_int16 =
            bond::reflection::FieldTemplate<2, bond::reflection::optional_field_modifier, Lists, std::list<int16_t>,
                                            &Lists::list_int16, &s_list_int16_metadata>;
        using list_int32 =
            bond::reflection::FieldTemplate<3, bond::reflection::optional_field_modifier, Lists, std::list<int32_t>,
                                            &Lists::list_int32, &s_list_int32_metadata>;
        using list_int64 =
            bond::reflection::FieldTemplate<4, bond::reflection::optional_field_modifier, Lists, std::list<int64_t>,
                                            &Lists::list_int64, &s_list_int64_metadata>;
        using list_uint8 =
            bond::reflection::FieldTemplate<5, bond::reflection::optional_field_modifier, Lists, std::list<uint8_t>,
                                            &Lists::list_uint8, &s_list_uint8_metadata>;
        using list_uint16 =
            bond::reflection::FieldTemplate<6, bond::reflection::optional_field_modifier, Lists, std::list<uint16_t>,
                                            &Lists::list_uint16, &s_list_uint16_metadata>;
        using list_uint32 =
            bond::reflection::FieldTemplate<7, bond::reflection::optional_field_modifier, Lists, std::list<uint32_t>,
                                            &Lists::list_uint32, &s_list_uint32_metadata>;
        using list_uint64 =
            bond::reflection::FieldTemplate<8, bond::reflection::optional_field_modifier, Lists, std::list<uint64_t>,
                                            &Lists::list_uint64, &s_list_uint64_metadata>;
        using list_float =
            bond::reflection::FieldTemplate<9, bond::reflection::optional_field_modifier, Lists, std::list<float>,
                                            &Lists::list_float, &s_list_float_metadata>;
        using list_double =
            bond::reflection::FieldTemplate<10, bond::reflection::optional_field_modifier, Lists, std::list<double>,
                                            &Lists::list_double, &s_list_double_metadata>;
        using list_string =
            bond::reflection::FieldTemplate<11, bond::reflection::optional_field_modifier, Lists,
                                            std::list<std::string>, &Lists::list_string, &s_list_string_metadata>;
        using list_wstring =
            bond::reflection::FieldTemplate<12, bond::reflection::optional_field_modifier, Lists,
                                            std::list<std::wstring>, &Lists::list_wstring, &s_list_wstring_metadata>;
        using list_color =
            bond::reflection::FieldTemplate<13, bond::reflection::optional_field_modifier, Lists, std::list<Color>,
                                            &Lists::list_color, &s_list_color_metadata>;
        using list_blob =
            bond::reflection::FieldTemplate<14, bond::reflection::optional_field_modifier, Lists, std::list<bond::blob>,
                                            &Lists::list_blob, &s_list_blob_metadata>;
    };
    using fields = bond::reflection::FieldList<var::list_bool, var::list_int8, var::list_int16, var::list_int32,
                                               var::list_int64, var::list_uint8, var::list_uint16, var::list_uint32,
                                               var::list_uint64, var::list_float, var::list_double, var::list_string,
                                               var::list_wstring, var::list_color, var::list_blob>;

    static bond::Metadata GetMetadata() { return bond::reflection::MetadataInit("Lists", "test.containers.Lists"); }
};

struct Sets::Schema {
    using base = bond::no_base;
    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Sets", "test.containers.Sets");

private:
    static inline const bond::Metadata s_set_bool_metadata = bond::reflection::MetadataInit("set_bool");
    static inline const bond::Metadata s_set_int8_metadata = bond::reflection::MetadataInit("set_int8");
    static inline const bond::Metadata s_set_int16_metadata = bond::reflection::MetadataInit("set_int16");
    static inline const bond::Metadata s_set_int32_metadata = bond::reflection::MetadataInit("set_int32");
    static inline const bond::Metadata s_set_int64_metadata = bond::reflection::MetadataInit("set_int64");
    static inline const bond::Metadata s_set_uint8_metadata = bond::reflection::MetadataInit("set_uint8");
    static inline const bond::Metadata s_set_uint16_metadata = bond::reflection::MetadataInit("set_uint16");
    static inline const bond::Metadata s_set_uint32_metadata = bond::reflection::MetadataInit("set_uint32");
    static inline const bond::Metadata s_set_uint64_metadata = bond::reflection::MetadataInit("set_uint64");
    static inline const bond::Metadata s_set_float_metadata = bond::reflection::MetadataInit("set_float");
    static inline const bond::Metadata s_set_double_metadata = bond::reflection::MetadataInit("set_double");
    static inline const bond::Metadata s_set_string_metadata = bond::reflection::MetadataInit("set_string");
    static inline const bond::Metadata s_set_wstring_metadata = bond::reflection::MetadataInit("set_wstring");
    static inline const bond::Metadata s_set_color_metadata = bond::reflection::MetadataInit("set_color");

public:
    struct var {
        using set_bool = bond::reflection::FieldTemplate<0, bond::reflection::optional_field_modifier, Sets,
                                                         std::set<bool>, &Sets::set_bool, &s_set_bool_metadata>;
        using set_int8 = bond::reflection::FieldTemplate<1, bond::reflection::optional_field_modifier, Sets,
                                                         std::set<int8_t>, &Sets::set_int8, &s_set_int8_metadata>;
        using set_int16 = bond::reflection::FieldTemplate<2, bond::reflection::optional_field_modifier, Sets,
                                                          std::set<int16_t>, &Sets::set_int16, &s_set_int16_metadata>;
        using set_int32 = bond::reflection::FieldTemplate<3, bond::reflection::optional_field_modifier, Sets,
                                                          std::set<int32_t>, &Sets::set_int32, &s_set_int32_metadata>;
        using set_int64 = bond::reflection::FieldTemplate<4, bond::reflection::optional_field_modifier, Sets,
                                                          std::set<int64_t>, &Sets::set_int64, &s_set_int64_metadata>;
        using set_uint8 = bond::reflection::FieldTemplate<5, bond::reflection::optional_field_modifier, Sets,
                                                          std::set<uint8_t>, &Sets::set_uint8, &s_set_uint8_metadata>;
        using set_uint16 =
            bond::reflection::FieldTemplate<6, bond::reflection::optional_field_modifier, Sets, std::set<uint16_t>,
                                            &Sets::set_uint16, &s_set_uint16_metadata>;
        using set_uint32 =
            bond::reflection::FieldTemplate<7, bond::reflection::optional_field_modifier, Sets, std::set<uint32_t>,
                                            &Sets::set_uint32, &s_set_uint32_metadata>;
        using set_uint64 =
            bond::reflection::FieldTemplate<8, bond::reflection::optional_field_modifier, Sets, std::set<uint64_t>,
                                            &Sets::set_uint64, &s_set_uint64_metadata>;
        using set_float = bond::reflection::FieldTemplate<9, bond::reflection::optional_field_modifier, Sets,
                                                          std::set<float>, &Sets::set_float, &s_set_float_metadata>;
        using set_double = bond::reflection::FieldTemplate<10, bond::reflection::optional_field_modifier, Sets,
                                                           std::set<double>, &Sets::set_double, &s_set_double_metadata>;
        using set_string =
            bond::reflection::FieldTemplate<11, bond::reflection::optional_field_modifier, Sets, std::set<std::string>,
                                            &Sets::set_string, &s_set_string_metadata>;
        using set_wstring =
            bond::reflection::FieldTemplate<12, bond::reflection::optional_field_modifier, Sets, std::set<std::wstring>,
                                            &Sets::set_wstring, &s_set_wstring_metadata>;
        using set_color = bond::reflection::FieldTemplate<13, bond::reflection::optional_field_modifier, Sets,
                                                          std::set<Color>, &Sets::set_color, &s_set_color_metadata>;
    };
    using fields =
        bond::reflection::FieldList<var::set_bool, var::set_int8, var::set_int16, var::set_int32, var::set_int64,
                                    var::set_uint8, var::set_uint16, var::set_uint32, var::set_uint64, var::set_float,
                                    var::set_double, var::set_string, var::set_wstring, var::set_color>;

    static bond::Metadata GetMetadata() { return bond::reflection::MetadataInit("Sets", "test.containers.Sets"); }
};

struct MapKeys::Schema {
    using base = bond::no_base;
    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("MapKeys", "test.containers.MapKeys");

private:
    static inline const bond::Metadata s_key_bool_metadata = bond::reflection::MetadataInit("key_bool");
    static inline const bond::Metadata s_key_int8_metadata = bond::reflection::MetadataInit("key_int8");
    static inline const bond::Metadata s_key_int16_metadata = bond::reflection::MetadataInit("key_int16");
    static inline const bond::Metadata s_key_int32_metadata = bond::reflection::MetadataInit("key_int32");
    static inline const bond::Metadata s_key_int64_metadata = bond::reflection::MetadataInit("key_int64");
    static inline const bond::Metadata s_key_uint8_metadata = bond::reflection::MetadataInit("key_uint8");
    static inline const bond::Metadata s_key_uint16_metadata = bond::reflection::MetadataInit("key_uint16");
    static inline const bond::Metadata s_key_uint32_metadata = bond::reflection::MetadataInit("key_uint32");
    static inline const bond::Metadata s_key_uint64_metadata = bond::reflection::MetadataInit("key_uint64");
    static inline const bond::Metadata s_key_float_metadata = bond::reflection::MetadataInit("key_float");
    static inline const bond::Metadata s_key_double_metadata = bond::reflection::MetadataInit("key_double");
    static inline const bond::Metadata s_key_string_metadata = bond::reflection::MetadataInit("key_string");
    static inline const bond::Metadata s_key_wstring_metadata = bond::reflection::MetadataInit("key_wstring");
    static inline const bond::Metadata s_key_color_metadata = bond::reflection::MetadataInit("key_color");

public:
    struct var {
        using key_bool =
            bond::reflection::FieldTemplate<0, bond::reflection::optional_field_modifier, MapKeys,
                                            std::map<bool, int8_t>, &MapKeys::key_bool, &s_key_bool_metadata>;
        using key_int8 =
            bond::reflection::FieldTemplate<1, bond::reflection::optional_field_modifier, MapKeys,
                                            std::map<int8_t, int8_t>, &MapKeys::key_int8, &s_key_int8_metadata>;
        using key_int16 =
            bond::reflection::FieldTemplate<2, bond::reflection::optional_field_modifier, MapKeys,
                                            std::map<int16_t, int8_t>, &MapKeys::key_int16, &s_key_int16_metadata>;
        using key_int32 =
            bond::reflection::FieldTemplate<3, bond::reflection::optional_field_modifier, MapKeys,
                                            std::map<int32_t, int8_t>, &MapKeys::key_int32, &s_key_int32_metadata>;
        using key_int64 =
            bond::reflection::FieldTemplate<4, bond::reflection::optional_field_modifier, MapKeys,
                                            std::map<int64_t, int8_t>, &MapKeys::key_int64, &s_key_int64_metadata>;
        using key_uint8 =
            bond::reflection::FieldTemplate<5, bond::reflection::optional_field_modifier, MapKeys,
                                            std::map<uint8_t, int8_t>, &MapKeys::key_uint8, &s_key_uint8_metadata>;
        using key_uint16 =
            bond::reflection::FieldTemplate<6, bond::reflection::optional_field_modifier, MapKeys,
                                            std::map<uint16_t, int8_t>, &MapKeys::key_uint16, &s_key_uint16_metadata>;
        using key_uint32 =
            bond::reflection::FieldTemplate<7, bond::reflection::optional_field_modifier, MapKeys,
                                            std::map<uint32_t, int8_t>, &MapKeys::key_uint32, &s_key_uint32_metadata>;
        using key_uint64 =
            bond::reflection::FieldTemplate<8, bond::reflection::optional_field_modifier, MapKeys,
                                            std::map<uint64_t, int8_t>, &MapKeys::key_uint64, &s_key_uint64_metadata>;
        using key_float =
            bond::reflection::FieldTemplate<9, bond::reflection::optional_field_modifier, MapKeys,
                                            std::map<float, int8_t>, &MapKeys::key_float, &s_key_float_metadata>;
        using key_double =
            bond::reflection::FieldTemplate<10, bond::reflection::optional_field_modifier, MapKeys,
                                            std::map<double, int8_t>, &MapKeys::key_double, &s_key_double_metadata>;
        using key_string = bond::reflection::FieldTemplate<11, bond::reflection::optional_field_modifier, MapKeys,
                                                           std::map<std::string, int8_t>, &MapKeys::key_string,
                                                           &s_key_string_metadata>;
        using key_wstring = bond::reflection::FieldTemplate<12, bond::reflection::optional_field_modifier, MapKeys,
                                                            std::map<std::wstring, int8_t>, &MapKeys::key_wstring,
                                                            &s_key_wstring_metadata>;
        using key_color =
            bond::reflection::FieldTemplate<13, bond::reflection::optional_field_modifier, MapKeys,
                                            std::map<Color, int8_t>, &MapKeys::key_color, &s_key_color_metadata>;
    };
    using fields =
        bond::reflection::FieldList<var::key_bool, var::key_int8, var::key_int16, var::key_int32, var::key_int64,
                                    var::key_uint8, var::key_uint16, var::key_uint32, var::key_uint64, var::key_float,
                                    var::key_double, var::key_string, var::key_wstring, var::key_color>;

    static bond::Metadata GetMetadata() { return bond::reflection::MetadataInit("MapKeys", "test.containers.MapKeys"); }
};

struct MapValues::Schema {
    using base = bond::no_base;
    static inline const bond::Metadata metadata =
        bond::reflection::MetadataInit("MapValues", "test.containers.MapValues");

private:
    static inline const bond::Metadata s_value_bool_metadata = bond::reflection::MetadataInit("value_bool");
    static inline const bond::Metadata s_value_int8_metadata = bond::reflection::MetadataInit("value_int8");
    static inline const bond::Metadata s_value_int16_metadata = bond::reflection::MetadataInit("value_int16");
    static inline const bond::Metadata s_value_int32_metadata = bond::reflection::MetadataInit("value_int32");
    static inline const bond::Metadata s_value_int64_metadata = bond::reflection::MetadataInit("value_int64");
    static inline const bond::Metadata s_value_uint8_metadata = bond::reflection::MetadataInit("value_uint8");
    static inline const bond::Metadata s_value_uint16_metadata = bond::reflection::MetadataInit("value_uint16");
    static inline const bond::Metadata s_value_uint32_metadata = bond::reflection::MetadataInit("value_uint32");
    static inline const bond::Metadata s_value_uint64_metadata = bond::reflection::MetadataInit("value_uint64");
    static inline const bond::Metadata s_value_float_metadata = bond::reflection::MetadataInit("value_float");
    static inline const bond::Metadata s_value_double_metadata = bond::reflection::MetadataInit("value_double");
    static inline const bond::Metadata s_value_string_metadata = bond::reflection::MetadataInit("value_string");
    static inline const bond::Metadata s_value_wstring_metadata = bond::reflection::MetadataInit("value_wstring");
    static inline const bond::Metadata s_value_color_metadata = bond::reflection::MetadataInit("value_color");
    static inline const bond::Metadata s_value_blob_metadata = bond::reflection::MetadataInit("value_blob");

public:
    struct var {
        using value_bool = bond::reflection::FieldTemplate<0, bond::reflection::optional_field_modifier, MapValues,
                                                           std::map<std::string, bool>, &MapValues::value_bool,
                                                           &s_value_bool_metadata>;
        using value_int8 = bond::reflection::FieldTemplate<1, bond::reflection::optional_field_modifier, MapValues,
                                                           std::map<std::string, int8_t>, &MapValues::value_int8,
                                                           &s_value_int8_metadata>;
        using value_int16 = bond::reflection::FieldTemplate<2, bond::reflection::optional_field_modifier, MapValues,
                                                            std::map<std::string, int16_t>, &MapValues::value_int16,
                                                            &s_value_int16_metadata>;
        using value_int32 = bond::reflection::FieldTemplate<3, bond::reflection::optional_field_modifier, MapValues,
                                                            std::map<std::string, int32_t>, &MapValues::value_int32,
                                                            &s_value_int32_metadata>;
        using value_int64 = bond::reflection::FieldTemplate<4, bond::reflection::optional_field_modifier, MapValues,
                                                            std::map<std::string, int64_t>, &MapValues::value_int64,
                                                            &s_value_int64_metadata>;
        using value_uint8 = bond::reflection::FieldTemplate<5, bond::reflection::optional_field_modifier, MapValues,
                                                            std::map<std::string, uint8_t>, &MapValues::value_uint8,
                                                            &s_value_uint8_metadata>;
        using value_uint16 = bond::reflection::FieldTemplate<6, bond::reflection::optional_field_modifier, MapValues,
                                                             std::map<std::string, uint16_t>, &MapValues::value_uint16,
                                                             &s_value_uint16_metadata>;
        using value_uint32 = bond::reflection::FieldTemplate<7, bond::reflection::optional_field_modifier, MapValues,
                                                             std::map<std::string, uint32_t>, &MapValues::value_uint32,
                                                             &s_value_uint32_metadata>;
        using value_uint64 = bond::reflection::FieldTemplate<8, bond::reflection::optional_field_modifier, MapValues,
                                                             std::map<std::string, uint64_t>, &MapValues::value_uint64,
                                                             &s_value_uint64_metadata>;
        using value_float = bond::reflection::FieldTemplate<9, bond::reflection::optional_field_modifier, MapValues,
                                                            std::map<std::string, float>, &MapValues::value_float,
                                                            &s_value_float_metadata>;
        using value_double = bond::reflection::FieldTemplate<10, bond::reflection::optional_field_modifier, MapValues,
                                                             std::map<std::string, double>, &MapValues::value_double,
                                                             &s_value_double_metadata>;
        using value_string = bond::reflection::FieldTemplate<11, bond::reflection::optional_field_modifier, MapValues,
                                                             std::map<std::string, std::string>,
                                                             &MapValues::value_string, &s_value_string_metadata>;
        using value_wstring = bond::reflection::FieldTemplate<12, bond::reflection::optional_field_modifier, MapValues,
                                                              std::map<std::string, std::wstring>,
                                                              &MapValues::value_wstring, &s_value_wstring_metadata>;
        using value_color = bond::reflection::FieldTemplate<13, bond::reflection::optional_field_modifier, MapValues,
                                                            std::map<std::string, Color>, &MapValues::value_color,
                                                            &s_value_color_metadata>;
        using value_blob = bond::reflection::FieldTemplate<14, bond::reflection::optional_field_modifier, MapValues,
                                                           std::map<std::string, bond::blob>, &MapValues::value_blob,
                                                           &s_value_blob_metadata>;
    };
    using fields =
        bond::reflection::FieldList<var::value_bool, var::value_int8, var::value_int16, var::value_int32,
                                    var::value_int64, var::value_uint8, var::value_uint16, var::value_uint32,
                                    var::value_uint64, var::value_float, var::value_double, var::value_string,
                                    var::value_wstring, var::value_color, var::value_blob>;

    static bond::Metadata GetMetadata()
    {
        return bond::reflection::MetadataInit("MapValues", "test.containers.MapValues");
    }
};

struct Nullables::Schema {
    using base = bond::no_base;
    static inline const bond::Metadata metadata =
        bond::reflection::MetadataInit("Nullables", "test.containers.Nullables");

private:
    static inline const bond::Metadata s_nullable_bool_metadata = bond::reflection::MetadataInit("nullable_bool");
    static inline const bond::Metadata s_nullable_int8_metadata = bond::reflection::MetadataInit("nullable_int8");
    static inline const bond::Metadata s_nullable_int16_metadata = bond::reflection::MetadataInit("nullable_int16");
    static inline const bond::Metadata s_nullable_int32_metadata = bond::reflection::MetadataInit("nullable_int32");
    static inline const bond::Metadata s_nullable_int64_metadata = bond::reflection::MetadataInit("nullable_int64");
    static inline const bond::Metadata s_nullable_uint8_metadata = bond::reflection::MetadataInit("nullable_uint8");
    static inline const bond::Metadata s_nullable_uint16_metadata = bond::reflection::MetadataInit("nullable_uint16");
    static inline const bond::Metadata s_nullable_uint32_metadata = bond::reflection::MetadataInit("nullable_uint32");
    static inline const bond::Metadata s_nullable_uint64_metadata = bond::reflection::MetadataInit("nullable_uint64");
    static inline const bond::Metadata s_nullable_float_metadata = bond::reflection::MetadataInit("nullable_float");
    static inline const bond::Metadata s_nullable_double_metadata = bond::reflection::MetadataInit("nullable_double");
    static inline const bond::Metadata s_nullable_string_metadata = bond::reflection::MetadataInit("nullable_string");
    static inline const bond::Metadata s_nullable_wstring_metadata = bond::reflection::MetadataInit("nullable_wstring");
    static inline const bond::Metadata s_nullable_color_metadata = bond::reflection::MetadataInit("nullable_color");
    static inline const bond::Metadata s_nullable_blob_metadata = bond::reflection::MetadataInit("nullable_blob");

public:
    struct var {
        using nullable_bool =
            bond::reflection::FieldTemplate<0, bond::reflection::optional_field_modifier, Nullables,
                                            bond::nullable<bool>, &Nullables::nullable_bool, &s_nullable_bool_metadata>;
        using nullable_int8 = bond::reflection::FieldTemplate<1, bond::reflection::optional_field_modifier, Nullables,
                                                              bond::nullable<int8_t>, &Nullables::nullable_int8,
                                                              &s_nullable_int8_metadata>;
        using nullable_int16 = bond::reflection::FieldTemplate<2, bond::reflection::optional_field_modifier, Nullables,
                                                               bond::nullable<int16_t>, &Nullables::nullable_int16,
                                                               &s_nullable_int16_metadata>;
        using nullable_int32 = bond::reflection::FieldTemplate<3, bond::reflection::optional_field_modifier, Nullables,
                                                               bond::nullable<int32_t>, &Nullables::nullable_int32,
                                                               &s_nullable_int32_metadata>;
        using nullable_int64 = bond::reflection::FieldTemplate<4, bond::reflection::optional_field_modifier, Nullables,
                                                               bond::nullable<int64_t>, &Nullables::nullable_int64,
                                                               &s_nullable_int64_metadata>;
        using nullable_uint8 = bond::reflection::FieldTemplate<5, bond::reflection::optional_field_modifier, Nullables,
                                                               bond::nullable<uint8_t>, &Nullables::nullable_uint8,
                                                               &s_nullable_uint8_metadata>;
        using nullable_uint16 = bond::reflection::FieldTemplate<6, bond::reflection::optional_field_modifier, Nullables,
                                                                bond::nullable<uint16_t>, &Nullables::nullable_uint16,
                                                                &s_nullable_uint16_metadata>;
        using nullable_uint32 = bond::reflection::FieldTemplate<7, bond::reflection::optional_field_modifier, Nullables,
                                                                bond::nullable<uint32_t>, &Nullables::nullable_uint32,
                                                                &s_nullable_uint32_metadata>;
        using nullable_uint64 = bond::reflection::FieldTemplate<8, bond::reflection::optional_field_modifier, Nullables,
                                                                bond::nullable<uint64_t>, &Nullables::nullable_uint64,
                                                                &s_nullable_uint64_metadata>;
        using nullable_float = bond::reflection::FieldTemplate<9, bond::reflection::optional_field_modifier, Nullables,
                                                               bond::nullable<float>, &Nullables::nullable_float,
                                                               &s_nullable_float_metadata>;
        using nullable_double =
            bond::reflection::FieldTemplate<10, bond::reflection::optional_field_modifier, Nullables,
                                            bond::nullable<double>, &Nullables::nullable_double,
                                            &s_nullable_double_metadata>;
        using nullable_string =
            bond::reflection::FieldTemplate<11, bond::reflection::optional_field_modifier, Nullables,
                                            bond::nullable<std::string>, &Nullables::nullable_string,
                                            &s_nullable_string_metadata>;
        using nullable_wstring =
            bond::reflection::FieldTemplate<12, bond::reflection::optional_field_modifier, Nullables,
                                            bond::nullable<std::wstring>, &Nullables::nullable_wstring,
                                            &s_nullable_wstring_metadata>;
        using nullable_color = bond::reflection::FieldTemplate<13, bond::reflection::optional_field_modifier, Nullables,
                                                               bond::nullable<Color>, &Nullables::nullable_color,
                                                               &s_nullable_color_metadata>;
        using nullable_blob = bond::reflection::FieldTemplate<14, bond::reflection::optional_field_modifier, Nullables,
                                                              bond::nullable<bond::blob>, &Nullables::nullable_blob,
                                                              &s_nullable_blob_metadata>;
    };
    using fields = bond::reflection::FieldList<
        var::nullable_bool, var::nullable_int8, var::nullable_int16, var::nullable_int32, var::nullable_int64,
        var::nullable_uint8, var::nullable_uint16, var::nullable_uint32, var::nullable_uint64, var::nullable_float,
        var::nullable_double, var::nullable_string, var::nullable_wstring, var::nullable_color, var::nullable_blob>;

    static bond::Metadata GetMetadata()
    {
        return bond::reflection::MetadataInit("Nullables", "test.containers.Nullables");
    }
};

struct Nested::Schema {
    using base = bond::no_base;
    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Nested", "test.containers.Nested");

private:
    static inline const bond::Metadata s_grid_metadata = bond::reflection::MetadataInit("grid");
    static inline const bond::Metadata s_palettes_metadata = bond::reflection::MetadataInit("palettes");
    static inline const bond::Metadata s_maybe_items_metadata = bond::reflection::MetadataInit("maybe_items");
    static inline const bond::Metadata s_holes_metadata = bond::reflection::MetadataInit("holes");
    static inline const bond::Metadata s_by_color_metadata = bond::reflection::MetadataInit("by_color");
    static inline const bond::Metadata s_blobs_metadata = bond::reflection::MetadataInit("blobs");
    static inline const bond::Metadata s_color_metadata = bond::reflection::MetadataInit(Green, "color");
    static inline const bond::Metadata s_shades_metadata = bond::reflection::MetadataInit("shades");
    static inline const bond::Metadata s_item_grid_metadata = bond::reflection::MetadataInit("item_grid");
    static inline const bond::Metadata s_texts_metadata = bond::reflection::MetadataInit("texts");
    static inline const bond::Metadata s_empty_lists_metadata = bond::reflection::MetadataInit("empty_lists");

public:
    struct var {
        using grid =
            bond::reflection::FieldTemplate<0, bond::reflection::optional_field_modifier, Nested,
                                            std::vector<std::list<std::set<int32_t>>>, &Nested::grid, &s_grid_metadata>;
        using palettes = bond::reflection::FieldTemplate<1, bond::reflection::optional_field_modifier, Nested,
                                                         std::map<std::string, std::vector<std::map<int8_t, Color>>>,
                                                         &Nested::palettes, &s_palettes_metadata>;
        using maybe_items = bond::reflection::FieldTemplate<2, bond::reflection::optional_field_modifier, Nested,
                                                            bond::nullable<std::vector<Item>>, &Nested::maybe_items,
                                                            &s_maybe_items_metadata>;
        using holes =
            bond::reflection::FieldTemplate<3, bond::reflection::optional_field_modifier, Nested,
                                            std::vector<bond::nullable<Item>>, &Nested::holes, &s_holes_metadata>;
        using by_color =
            bond::reflection::FieldTemplate<4, bond::reflection::optional_field_modifier, Nested, std::map<Color, Item>,
                                            &Nested::by_color, &s_by_color_metadata>;
        using blobs = bond::reflection::FieldTemplate<5, bond::reflection::optional_field_modifier, Nested,
                                                      std::list<bond::blob>, &Nested::blobs, &s_blobs_metadata>;
        using color = bond::reflection::FieldTemplate<6, bond::reflection::optional_field_modifier, Nested, Color,
                                                      &Nested::color, &s_color_metadata>;
        using shades =
            bond::reflection::FieldTemplate<7, bond::reflection::optional_field_modifier, Nested,
                                            std::map<Color, std::vector<Color>>, &Nested::shades, &s_shades_metadata>;
        using item_grid =
            bond::reflection::FieldTemplate<8, bond::reflection::optional_field_modifier, Nested,
                                            std::vector<std::vector<Item>>, &Nested::item_grid, &s_item_grid_metadata>;
        using texts = bond::reflection::FieldTemplate<9, bond::reflection::optional_field_modifier, Nested,
                                                      bond::nullable<std::map<uint16_t, std::list<std::wstring>>>,
                                                      &Nested::texts, &s_texts_metadata>;
        using empty_lists = bond::reflection::FieldTemplate<10, bond::reflection::optional_field_modifier, Nested,
                                                            std::list<std::vector<float>>, &Nested::empty_lists,
                                                            &s_empty_lists_metadata>;
    };
    using fields =
        bond::reflection::FieldList<var::grid, var::palettes, var::maybe_items, var::holes, var::by_color, var::blobs,
                                    var::color, var::shades, var::item_grid, var::texts, var::empty_lists>;

    static bond::Metadata GetMetadata() { return bond::reflection::MetadataInit("Nested", "test.containers.Nested"); }
};

}  // namespace test::containers
