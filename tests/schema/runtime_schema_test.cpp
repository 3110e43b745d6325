// Run-time schemas of the records, and reading payloads through them.
#include "secrets_package_apply.h"

#include "hex.h"
#include "reference_table.h"
#include "reference_vectors.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace Trel::Security::Vaskor;
using testing_support::FromHex;
using testing_support::MessageOf;
using testing_support::ReferenceVector;
using testing_support::ToHex;

std::vector<std::string> StructNames(const bond::SchemaDef& schema)
{
    std::vector<std::string> names;
    for (const bond::StructDef& definition : schema.structs) {
        names.push_back(definition.metadata.name);
    }
    return names;
}

TEST(RuntimeSchema, StructsStandInOrderOfFirstReference)
{
    const bond::SchemaDef& secrets = bond::GetRuntimeSchema<SecretsPackage>().GetSchema();
    EXPECT_EQ(StructNames(secrets), (std::vector<std::string>{"SecretsPackage", "ManagedCertificatesPackage",
                                                              "CertMapping", "SupportingCert"}));
    const auto& fields = secrets.structs[0].fields;
    ASSERT_EQ(fields.size(), 6u);
    EXPECT_EQ(fields[1].type.struct_def, 1);
    EXPECT_EQ(fields[4].type.element.value().struct_def, 3);
    EXPECT_EQ(fields[5].type.element.value().struct_def, 3);
    EXPECT_EQ(secrets.root.id, bond::BT_STRUCT);
    EXPECT_EQ(secrets.root.struct_def, 0);

    const bond::SchemaDef& managed = bond::GetRuntimeSchema<ManagedCertificatesPackage>().GetSchema();
    EXPECT_EQ(StructNames(managed), (std::vector<std::string>{"ManagedCertificatesPackage", "CertMapping"}));
}

// The schemas are records too, and encode as the reference library's do.
TEST(RuntimeSchema, EncodesAsTheReferenceLibrary)
{
    struct Case {
        const char* label;
        const bond::SchemaDef& schema;
    };
    const Case cases[] = {
        {"CertMapping", bond::GetRuntimeSchema<CertMapping>().GetSchema()},
        {"SupportingCert", bond::GetRuntimeSchema<SupportingCert>().GetSchema()},
    };
    for (const Case& c : cases) {
        for (const uint16_t version : {uint16_t{1}, uint16_t{2}}) {
            bond::OutputBuffer output;
            bond::CompactBinaryWriter<bond::OutputBuffer> writer(output, version);
            bond::Serialize(c.schema, writer);
            const std::string label = std::string("runtime_schema.") + c.label + ".cb" + std::to_string(version);
            EXPECT_EQ(ToHex(output.GetBuffer()), ReferenceVector(label)) << label;

            bond::SchemaDef decoded;
            bond::Deserialize(
                bond::CompactBinaryReader<bond::InputBuffer>(bond::InputBuffer(output.GetBuffer()), version), decoded);
            EXPECT_EQ(decoded, c.schema) << label;
        }
    }
}

std::vector<char> SimpleBytes(const SecretsPackage& package, uint16_t version)
{
    bond::OutputBuffer output;
    bond::SimpleBinaryWriter<bond::OutputBuffer> writer(output, version);
    bond::Serialize(package, writer);
    const bond::blob bytes = output.GetBuffer();
    return std::vector<char>(bytes.begin(), bytes.end());
}

// A record's own run-time schema describes it as its compile-time schema
// does, so reading through either gives the same record, or fails the same
// way, whatever the payload holds.
TEST(RuntimeSchema, ReadsEveryPackageAsTheCompileTimeSchemaDoes)
{
    const auto rows = testing_support::LoadReferenceTable(REFERENCE_DECODES);
    const bond::RuntimeSchema schema = bond::GetRuntimeSchema<SecretsPackage>();
    for (const auto& row : rows) {
        const std::vector<char> bytes = FromHex(row.Column(0));
        for (const uint16_t version : {uint16_t{1}, uint16_t{2}}) {
            const auto reader = [&] {
                return bond::CompactBinaryReader<bond::InputBuffer>(
                    bond::InputBuffer(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size()))), version);
            };
            SecretsPackage compiled;
            SecretsPackage described;
            const std::string compiled_failure = MessageOf([&] { bond::Deserialize(reader(), compiled); });
            const std::string described_failure = MessageOf([&] { bond::Deserialize(reader(), described, schema); });
            EXPECT_EQ(described_failure, compiled_failure) << row.Column(0) << " v" << version;
            EXPECT_TRUE(described == compiled) << row.Column(0) << " v" << version;
        }
    }
}

// A schema whose ManagedCertsPackage is stored as a marshaled payload of its own.
bond::RuntimeSchema NestedPayloadSchema()
{
    auto schema = std::make_shared<bond::SchemaDef>(bond::GetRuntimeSchema<SecretsPackage>().GetSchema());
    schema->structs[0].fields[1].type.bonded_type = true;
    return bond::RuntimeSchema(schema);
}

// Simple Binary v2 of a SecretsPackage whose nested package is `nested` (hex of a
// marshaled payload) behind its 32-bit byte count.
std::vector<char> WithNestedPayload(const std::string& nested)
{
    const std::vector<char> payload = FromHex(nested);
    std::vector<char> bytes = FromHex("0141");  // UnmanagedCertsData = 41
    const auto size = static_cast<uint32_t>(payload.size());
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>(size >> shift));
    }
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    const std::vector<char> rest = FromHex("00000000");  // four empty fields
    bytes.insert(bytes.end(), rest.begin(), rest.end());
    return bytes;
}

std::string ReadNested(const std::vector<char>& bytes, SecretsPackage& decoded)
{
    const bond::InputBuffer input(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size())));
    return MessageOf([&] {
        bond::Deserialize(bond::SimpleBinaryReader<bond::InputBuffer>(input, 2), decoded, NestedPayloadSchema());
    });
}

TEST(RuntimeSchema, NestedPayloadsInAnyAcceptedProtocol)
{
    const std::string cases[] = {
        "43420100 0b0e01dd00",                    // Compact v1
        "43420000 0b0e01dd00",                    // Compact v0 reads as v1
        "43420200 040b4edd00",                    // Compact v2
        "4d460100 0b00000e01dd00",                // Fast
        "53500200 01dd 00 00",                    // Simple v2
        "53500100 01000000dd 00000000 00000000",  // Simple v1
    };
    for (const std::string& nested : cases) {
        const std::vector<char> bytes = WithNestedPayload(nested);
        SecretsPackage decoded;
        EXPECT_EQ(ReadNested(bytes, decoded), "no exception") << nested;
        EXPECT_EQ(ToHex(decoded.ManagedCertsPackage.CertsData), "dd") << nested;
        EXPECT_EQ(ToHex(decoded.UnmanagedCertsData), "41") << nested;
    }
}

TEST(RuntimeSchema, NestedPayloadFailures)
{
    struct Case {
        std::vector<char> bytes;
        std::string message;
    };
    std::vector<char> oversized = WithNestedPayload("4342010000");
    oversized[2] = 0x40;  // the byte count claims 64 bytes
    const Case cases[] = {
        {WithNestedPayload("43420300 00"), "Unmarshaling failed: unsupported protocol"},
        {WithNestedPayload("4d460200 00"), "Unmarshaling failed: unsupported protocol"},
        {WithNestedPayload("53500300 00"), "Unmarshaling failed: unsupported protocol"},
        {WithNestedPayload("58580100 00"), "Unmarshaling failed: unsupported protocol"},
        {WithNestedPayload("434201"), "Read out of bounds: 2 bytes requested, offset: 2, length: 3"},
        {oversized, "Read out of bounds: 64 bytes requested, offset: 6, length: 15"},
    };
    for (const Case& c : cases) {
        SecretsPackage decoded;
        EXPECT_EQ(ReadNested(c.bytes, decoded), c.message) << ToHex(c.bytes);
    }
}

// Re-encoded into a tagged protocol, a nested payload becomes the struct it
// holds; into Simple Binary, it goes out as it stands, behind its byte count.
TEST(RuntimeSchema, NestedPayloadsReEncode)
{
    for (const char* nested : {"43420100 0b0e01dd00", "43420200 040b4edd00", "53500200 01dd 00 00"}) {
        const std::vector<char> bytes = WithNestedPayload(nested);
        const bond::bonded<void> payload(
            bond::SimpleBinaryReader<bond::InputBuffer>(
                bond::InputBuffer(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size()))), 2),
            NestedPayloadSchema());
        for (const uint16_t version : {bond::v1, bond::v2}) {
            bond::OutputBuffer output;
            bond::CompactBinaryWriter<bond::OutputBuffer> writer(output, version);
            bond::Serialize(payload, writer);
            SecretsPackage decoded;
            bond::Deserialize(bond::CompactBinaryReader<bond::InputBuffer>(output.GetBuffer(), version), decoded);
            EXPECT_EQ(ToHex(decoded.ManagedCertsPackage.CertsData), "dd") << nested << " v" << version;
            EXPECT_EQ(ToHex(decoded.UnmanagedCertsData), "41") << nested << " v" << version;
        }
        bond::OutputBuffer output;
        bond::SimpleBinaryWriter<bond::OutputBuffer> writer(output, 2);
        bond::Serialize(payload, writer);
        const bond::blob written = output.GetBuffer();
        EXPECT_EQ(ToHex(written.content(), written.size()), ToHex(bytes)) << nested;
    }
}

// A list of records read into a nullable keeps the first and passes over the
// rest, by their schema where the payload is untagged.
TEST(RuntimeSchema, ListOfRecordsIntoNullableKeepsTheFirst)
{
    // Simple Binary v2: two SupportingCerts, Data bb then aa.
    const std::vector<char> bytes = FromHex("02 00000000 01bb 00 00000000 01aa 00");
    const bond::RuntimeSchema secrets = bond::GetRuntimeSchema<SecretsPackage>();
    const bond::RuntimeSchema list(secrets, secrets.GetStruct().fields[5]);
    bond::SimpleBinaryReader<bond::InputBuffer> reader(
        bond::InputBuffer(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size()))), 2);
    bond::nullable<SupportingCert> first;
    bond::value<void, bond::SimpleBinaryReader<bond::InputBuffer>&>(reader, list).Deserialize(first);
    ASSERT_TRUE(first.hasvalue());
    EXPECT_EQ(ToHex(first.value().Data), "bb");
    EXPECT_EQ(reader.GetBuffer().GetRemaining(), 0u);
}

TEST(RuntimeSchema, RefusesReferencesToMissingDefinitions)
{
    auto schema = std::make_shared<bond::SchemaDef>(bond::GetRuntimeSchema<SecretsPackage>().GetSchema());
    schema->structs[0].fields[1].type.struct_def = 9;
    const std::vector<char> bytes = SimpleBytes(SecretsPackage{}, 2);
    SecretsPackage decoded;
    EXPECT_EQ(MessageOf([&] {
                  bond::Deserialize(
                      bond::SimpleBinaryReader<bond::InputBuffer>(
                          bond::InputBuffer(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size()))), 2),
                      decoded, bond::RuntimeSchema(schema));
              }),
              "Invalid run-time schema: a type refers to a missing definition");
}

// Through a run-time schema as through the compile-time one, an empty
// container is passed over whatever its element codes are, in a tagged payload
// and where the schema itself gives an untagged one a list of no type.
TEST(RuntimeSchema, EmptyContainersOfNoTypeArePassedOver)
{
    const auto read_tagged = [](const std::string& hex) {
        const std::vector<char> bytes = FromHex(hex);
        SecretsPackage decoded;
        return MessageOf([&] {
            bond::Deserialize(bond::CompactBinaryReader<bond::InputBuffer>(
                                  bond::InputBuffer(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size())))),
                              decoded, bond::GetRuntimeSchema<SecretsPackage>());
        });
    };
    EXPECT_EQ(read_tagged("8b1300 cd071314 00 00"), "no exception");
    EXPECT_EQ(read_tagged("8b1301 00 00"), "Unknown data type found");
    EXPECT_EQ(read_tagged("cd07131401 00 00 00"), "Unknown data type found");

    auto schema = std::make_shared<bond::SchemaDef>(bond::GetRuntimeSchema<SecretsPackage>().GetSchema());
    bond::TypeDef& etag = schema->structs[0].fields[3].type;
    etag.id = bond::BT_LIST;
    etag.element.set().id = static_cast<bond::BondDataType>(19);
    const auto read_simple = [&](const std::string& hex) {
        const std::vector<char> bytes = FromHex(hex);
        SecretsPackage decoded;
        return MessageOf([&] {
            bond::Deserialize(bond::SimpleBinaryReader<bond::InputBuffer>(
                                  bond::InputBuffer(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size()))), 2),
                              decoded, bond::RuntimeSchema(schema));
        });
    };
    EXPECT_EQ(read_simple("00 000000 00 00 00 00"), "no exception");
    EXPECT_EQ(read_simple("00 000000 00 01 ff 00 00"), "Unknown data type found");
}

TEST(Unmarshal, HeadersAsTheReferenceLibraryAcceptsThem)
{
    const std::string prefix = "unmarshal.SecretsPackage[";
    int seen = 0;
    for (const auto& [label, value] : testing_support::ReferenceVectors()) {
        if (label.rfind(prefix, 0) != 0) {
            continue;
        }
        ++seen;
        const size_t blank = value.find(' ');
        const std::string input_hex = value.substr(0, blank) == "(empty)" ? "" : value.substr(0, blank);
        const std::string expected = value.substr(blank + 1);
        const std::vector<char> bytes = FromHex(input_hex);
        SecretsPackage decoded;
        const std::string message = MessageOf([&] {
            bond::Unmarshal(bond::InputBuffer(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size()))), decoded);
        });
        if (expected.rfind("Exception: ", 0) == 0) {
            EXPECT_EQ(message, expected.substr(11)) << label;
        } else {
            const std::string certs =
                decoded.UnmanagedCertsData.empty() ? "(empty)" : ToHex(decoded.UnmanagedCertsData);
            EXPECT_EQ("ok UnmanagedCertsData=" + certs, expected) << label;
        }
    }
    EXPECT_EQ(seen, 14);
}

}  // namespace
