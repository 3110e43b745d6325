// Holds the hand-written schema module against secrets_package.bond, the single
// source of truth: same records in the same order, same fields with the same
// ordinals, names, types and defaults, same enumeration constants.
#include "secrets_package_reflection.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace {

using namespace Trel::Security::Vaskor;

struct DeclaredField {
    int ordinal;
    std::string type;
    std::string name;
    std::string default_value;  // as written after '=', or empty
    bool operator==(const DeclaredField&) const = default;
};

struct DeclaredStruct {
    std::string name;
    std::vector<DeclaredField> fields;
};

struct SchemaFile {
    std::string name_space;
    std::vector<DeclaredStruct> structs;
    std::map<std::string, int> enum_constants;
};

SchemaFile ParseSchemaFile()
{
    std::ifstream file(SCHEMA_FILE);
    EXPECT_TRUE(file.good()) << SCHEMA_FILE;
    std::stringstream text;
    text << file.rdbuf();
    const std::string source = text.str();

    SchemaFile schema;
    std::smatch match;
    if (std::regex_search(source, match, std::regex(R"(namespace\s+([\w.]+))"))) {
        schema.name_space = match[1];
    }
    const std::regex struct_pattern(R"(struct\s+(\w+)\s*\{([^}]*)\})");
    const std::regex field_pattern(R"((\d+)\s*:\s*([\w<>]+)\s+(\w+)\s*(?:=\s*(\w+))?\s*;)");
    for (std::sregex_iterator s(source.begin(), source.end(), struct_pattern), end; s != end; ++s) {
        DeclaredStruct declared{(*s)[1], {}};
        const std::string body = (*s)[2];
        for (std::sregex_iterator f(body.begin(), body.end(), field_pattern); f != end; ++f) {
            declared.fields.push_back({std::stoi((*f)[1]), (*f)[2], (*f)[3], (*f)[4]});
        }
        schema.structs.push_back(declared);
    }
    const std::regex enum_pattern(R"(enum\s+CertDataType\s*\{([^}]*)\})");
    if (std::regex_search(source, match, enum_pattern)) {
        const std::string body = match[1];
        const std::regex constant(R"((\w+)\s*=\s*(-?\d+))");
        for (std::sregex_iterator c(body.begin(), body.end(), constant), end; c != end; ++c) {
            schema.enum_constants[(*c)[1]] = std::stoi((*c)[2]);
        }
    }
    return schema;
}

template <typename T>
std::string SchemaTypeName()
{
    if constexpr (std::is_same_v<T, bond::blob>)
        return "blob";
    else if constexpr (std::is_same_v<T, std::wstring>)
        return "wstring";
    else if constexpr (std::is_same_v<T, int32_t>)
        return "int32";
    else if constexpr (std::is_enum_v<T>)
        return GetTypeName(T{});
    else if constexpr (bond::is_list_container<T>::value)
        return "vector<" + SchemaTypeName<typename T::value_type>() + ">";
    else
        return T::Schema::metadata.name;
}

template <typename Field>
DeclaredField Describe(const SchemaFile& file)
{
    const bond::Metadata& metadata = Field::metadata;
    std::string default_value;
    if constexpr (std::is_enum_v<typename Field::field_type>) {
        for (const auto& [name, value] : file.enum_constants) {
            if (value == metadata.default_value.int_value) {
                default_value = name;
            }
        }
    }
    EXPECT_EQ(metadata.modifier, bond::Optional) << metadata.name;
    return {Field::id, SchemaTypeName<typename Field::field_type>(), metadata.name, default_value};
}

template <typename T, typename... Fields>
DeclaredStruct Reflect(const SchemaFile& file, bond::reflection::FieldList<Fields...>)
{
    return {T::Schema::metadata.name, {Describe<Fields>(file)...}};
}

template <typename T>
DeclaredStruct Reflect(const SchemaFile& file)
{
    EXPECT_EQ(T::Schema::metadata.qualified_name, file.name_space + "." + T::Schema::metadata.name);
    return Reflect<T>(file, typename T::Schema::fields{});
}

TEST(SchemaFile, ModuleMatchesTheSchemaFile)
{
    const SchemaFile file = ParseSchemaFile();
    ASSERT_EQ(file.name_space, "Trel.Security.Vaskor");
    const std::vector<DeclaredStruct> module = {Reflect<CertMapping>(file), Reflect<ManagedCertificatesPackage>(file),
                                                Reflect<SupportingCert>(file), Reflect<SecretsPackage>(file)};
    ASSERT_EQ(file.structs.size(), module.size());
    for (size_t i = 0; i < module.size(); ++i) {
        EXPECT_EQ(file.structs[i].name, module[i].name);
        EXPECT_EQ(file.structs[i].fields, module[i].fields) << module[i].name;
    }
}

TEST(SchemaFile, EnumerationConstantsMatch)
{
    const SchemaFile file = ParseSchemaFile();
    ASSERT_EQ(file.enum_constants.size(), 2u);
    for (const auto& [name, value] : file.enum_constants) {
        CertDataType parsed = static_cast<CertDataType>(-100);
        EXPECT_TRUE(ToEnum(parsed, name)) << name;
        EXPECT_EQ(parsed, value) << name;
    }
}

}  // namespace
