// The library's documented interface for these records, in the forms a program
// written against it uses: each form must compile and give what the form it
// stands for gives.
#include "secrets_package_apply.h"

#include "hex.h"
#include "sample_records.h"

#include <bond/core/bond.h>
#include <bond/core/bond_types.h>
#include <bond/core/schema.h>
#include <bond/protocol/compact_binary.h>
#include <bond/protocol/fast_binary.h>
#include <bond/protocol/simple_binary.h>
#include <bond/stream/output_buffer.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace {

using namespace Trel::Security::Vaskor;
using testing_support::MessageOf;
using testing_support::ToHex;

using CompactReader = bond::CompactBinaryReader<bond::InputBuffer>;
using CompactWriter = bond::CompactBinaryWriter<bond::OutputBuffer>;

template <typename Writer = CompactWriter, typename Value>
bond::blob Written(const Value& value, bool marshal = false, uint16_t version = 1)
{
    bond::OutputBuffer output;
    Writer writer(output, version);
    if (marshal) {
        bond::Marshal(value, writer);
    } else {
        bond::Serialize(value, writer);
    }
    return output.GetBuffer();
}

TEST(LibraryApi, DeserializeAndUnmarshalReturnTheRecord)
{
    const SecretsPackage original = testing_support::SecretsPackageFull();
    const bond::blob compact = Written(original);
    const bond::blob marshaled = Written<bond::FastBinaryWriter<bond::OutputBuffer>>(original, true);

    EXPECT_EQ(bond::Deserialize<SecretsPackage>(CompactReader(bond::InputBuffer(compact))), original);
    EXPECT_EQ(bond::Unmarshal<SecretsPackage>(bond::InputBuffer(marshaled)), original);
    EXPECT_EQ((bond::Unmarshal<SecretsPackage, bond::BuiltInProtocols>(bond::InputBuffer(marshaled))), original);

    const bond::RuntimeSchema schema = bond::GetRuntimeSchema(original);
    EXPECT_EQ(bond::Deserialize<SecretsPackage>(CompactReader(bond::InputBuffer(compact)), schema), original);
    EXPECT_EQ(bond::Unmarshal<SecretsPackage>(bond::InputBuffer(marshaled), schema), original);

    // Protocols leads where the record is deduced.
    SecretsPackage decoded;
    bond::Deserialize<bond::BuiltInProtocols>(CompactReader(bond::InputBuffer(compact)), decoded);
    EXPECT_EQ(decoded, original);
    EXPECT_EQ(ToHex(Written(original)), ToHex(compact));
}

// A payload unmarshaled into a bonded<T> stays undecoded until it is read, and
// can be read again or re-encoded.
TEST(LibraryApi, UnmarshalingIntoAPayloadDefersDecoding)
{
    const SupportingCert original = testing_support::SupportingCertFull();
    for (const uint16_t version : {bond::v1, bond::v2}) {
        const bond::blob marshaled = Written(original, true, version);
        bond::bonded<SupportingCert> payload;
        bond::Unmarshal(bond::InputBuffer(marshaled), payload);
        EXPECT_EQ(payload.Deserialize(), original) << version;
        EXPECT_EQ(payload.Deserialize(), original) << version;
        EXPECT_EQ(ToHex(Written(payload)), ToHex(Written(original))) << version;

        bond::bonded<SupportingCert> through_schema;
        bond::Unmarshal(bond::InputBuffer(marshaled), through_schema, bond::GetRuntimeSchema<SupportingCert>());
        EXPECT_EQ(through_schema.Deserialize(), original) << version;
    }
    bond::bonded<SupportingCert> untouched;
    const std::vector<char> unknown = {'X', 'X', 1, 0};
    EXPECT_EQ(MessageOf([&] { bond::Unmarshal(bond::InputBuffer(bond::blob(unknown.data(), 4)), untouched); }),
              "Unmarshaling failed: unsupported protocol");
}

TEST(LibraryApi, RunTimeSchemasAreWrittenAsTheirDefinitions)
{
    const bond::RuntimeSchema schema = bond::GetRuntimeSchema<CertMapping>();
    EXPECT_EQ(ToHex(Written(schema)), ToHex(Written(schema.GetSchema())));
    EXPECT_EQ(ToHex(Written(schema, true)), ToHex(Written(schema.GetSchema(), true)));

    EXPECT_EQ(schema.GetTypeId(), bond::BT_STRUCT);
    EXPECT_FALSE(schema.HasBase());
    const bond::RuntimeSchema field(schema, schema.GetStruct().fields[2]);
    EXPECT_EQ(field.GetTypeId(), bond::BT_INT32);

    // From a definition the caller keeps, a shared one, or none at all.
    const bond::SchemaDef& definition = schema.GetSchema();
    EXPECT_EQ(&bond::RuntimeSchema(definition).GetSchema(), &definition);
    const bond::RuntimeSchema shared = std::make_shared<bond::SchemaDef>(definition);
    EXPECT_EQ(shared.GetStruct().metadata.name, "CertMapping");
    const bond::RuntimeSchema empty;
    EXPECT_TRUE(empty.GetStruct().fields.empty());
    CertMapping decoded;
    const bond::blob bytes = Written(testing_support::CertMappingFull());
    bond::Deserialize(CompactReader(bond::InputBuffer(bytes)), decoded, empty);
    EXPECT_EQ(decoded, CertMapping{});
}

TEST(LibraryApi, ProtocolVersions)
{
    static_assert(bond::v1 == 1 && bond::v2 == 2);
    static_assert(CompactReader::version == bond::v2);
    static_assert(bond::SimpleBinaryReader<bond::InputBuffer>::version == bond::v2);
    static_assert(bond::FastBinaryReader<bond::InputBuffer>::version == bond::v1);
    static_assert(bond::default_version<CompactReader>::value == bond::v1);
    static_assert(std::is_same_v<CompactWriter::Buffer, bond::OutputBuffer>);
    static_assert(std::is_same_v<CompactReader::Buffer, bond::InputBuffer>);
    EXPECT_EQ(ToHex(Written(SecretsPackage{}, false, bond::v2)), "042a010000");
}

TEST(LibraryApi, CompileTimeReflection)
{
    static_assert(std::is_same_v<bond::schema<SecretsPackage>::type, SecretsPackage::Schema>);
    static_assert(bond::has_schema<CertMapping>::value && !bond::has_schema<int>::value);
    static_assert(bond::is_bond_type<SupportingCert>::value);
    static_assert(bond::is_bonded<bond::bonded<CertMapping>>::value && !bond::is_bonded<CertMapping>::value);
    static_assert(bond::get_type_id<CertDataType>::value == bond::BT_INT32);
    static_assert(bond::get_type_id<bond::blob>::value == bond::BT_LIST);
    EXPECT_EQ(SupportingCert::Schema::var::Data::metadata.name, "Data");
    EXPECT_EQ(SecretsPackage::Schema::metadata.qualified_name, "Trel.Security.Vaskor.SecretsPackage");

    // Type codes print as numbers.
    std::ostringstream printed;
    printed << bond::BT_STRUCT << " " << bond::GetRuntimeSchema<CertMapping>().GetSchema().root.id;
    EXPECT_EQ(printed.str(), "10 10");
}

TEST(LibraryApi, EnumerationMaps)
{
    const auto& names = GetValueToNameMap(Unknown);
    EXPECT_EQ(names, (std::map<CertDataType, std::string>{{Unknown, "Unknown"}, {RawData, "RawData"}}));
    const auto& values = GetNameToValueMap(RawData);
    EXPECT_EQ(values, (std::map<std::string, CertDataType>{{"Unknown", Unknown}, {"RawData", RawData}}));
    EXPECT_EQ(GetTypeName(RawData), std::string("CertDataType"));
    EXPECT_EQ(GetTypeName(RawData, bond::qualified_name), std::string("Trel.Security.Vaskor.CertDataType"));
}

TEST(LibraryApi, RecordsSwap)
{
    SecretsPackage left = testing_support::SecretsPackageFull();
    SecretsPackage right;
    swap(left, right);
    EXPECT_EQ(left, SecretsPackage{});
    EXPECT_EQ(right, testing_support::SecretsPackageFull());
    right.swap(left);
    EXPECT_EQ(left, testing_support::SecretsPackageFull());
}

}  // namespace
