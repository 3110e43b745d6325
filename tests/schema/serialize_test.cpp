// Every record written by every writer against the bytes the reference library
// writes, and what survives when a payload is re-encoded into another protocol.
#include "secrets_package_apply.h"

#include "hex.h"
#include "reference_vectors.h"
#include "sample_records.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace Trel::Security::Vaskor;
using testing_support::FromHex;
using testing_support::ReferenceVector;
using testing_support::ToHex;

template <typename Writer, typename Value>
std::string Encode(const Value& value, uint16_t version, bool marshal)
{
    bond::OutputBuffer output;
    Writer writer(output, version);
    if (marshal) {
        bond::Marshal(value, writer);
    } else {
        bond::Serialize(value, writer);
    }
    return ToHex(output.GetBuffer());
}

template <typename Value>
std::string Count(const Value& value, bool marshal)
{
    bond::CompactBinaryCounter::type counter;
    bond::entry_points::CompactCounter writer(counter, 2);
    if (marshal) {
        bond::Marshal(value, writer);
    } else {
        bond::Serialize(value, writer);
    }
    return std::to_string(counter.GetCount());
}

// Encodes `value` (a record or a payload) with the writer the vectors call `name`.
template <typename Value>
std::string EncodeAs(const std::string& name, const Value& value, bool marshal)
{
    if (name == "cb1" || name == "cb2") {
        return Encode<bond::entry_points::CompactWriter>(value, name == "cb1" ? 1 : 2, marshal);
    }
    if (name == "fb") {
        return Encode<bond::entry_points::FastWriter>(value, 1, marshal);
    }
    if (name == "sp1" || name == "sp2") {
        return Encode<bond::entry_points::SimpleWriter>(value, name == "sp1" ? 1 : 2, marshal);
    }
    return Count(value, marshal);
}

const char* const writers[] = {"cb1", "cb2", "fb", "sp1", "sp2", "cb2-counter"};

template <typename T>
void ExpectReferenceEncodings(const std::string& label, const T& record)
{
    for (const bool marshal : {false, true}) {
        const std::string mode = marshal ? ".marshal." : ".serialize.";
        for (const char* writer : writers) {
            EXPECT_EQ(EncodeAs(writer, record, marshal), ReferenceVector(label + mode + writer))
                << label << mode << writer;
            EXPECT_EQ(EncodeAs(writer, bond::bonded<T>(record), marshal), ReferenceVector(label + mode + writer))
                << "held in memory: " << label << mode << writer;
        }
    }
}

TEST(Serialize, RecordsMatchTheReferenceLibrary)
{
    ExpectReferenceEncodings("CertMapping.default", CertMapping{});
    ExpectReferenceEncodings("CertMapping.full", testing_support::CertMappingFull());
    ExpectReferenceEncodings("CertMapping.full2", testing_support::CertMappingFull2());
    ExpectReferenceEncodings("ManagedCertificatesPackage.default", ManagedCertificatesPackage{});
    ExpectReferenceEncodings("ManagedCertificatesPackage.full", testing_support::ManagedPackageFull());
    ExpectReferenceEncodings("SupportingCert.default", SupportingCert{});
    ExpectReferenceEncodings("SupportingCert.full", testing_support::SupportingCertFull());
    ExpectReferenceEncodings("SecretsPackage.default", SecretsPackage{});
}

// Calls `check` with the payload of `bytes` in the protocol the vectors call
// `source`, as a payload over a reader reference and over a ProtocolReader.
template <typename T, typename Check>
void WithPayload(const std::string& source, const std::vector<char>& bytes, Check&& check)
{
    const bond::InputBuffer input(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size())));
    const auto both = [&](auto reader) {
        using Reader = decltype(reader);
        Reader copy = reader;
        check(bond::bonded<T, Reader&>(copy));
        check(bond::bonded<T>(reader));
    };
    if (source == "cb1" || source == "cb2") {
        both(bond::CompactBinaryReader<bond::InputBuffer>(input, source == "cb1" ? 1 : 2));
    } else if (source == "fb") {
        both(bond::FastBinaryReader<bond::InputBuffer>(input));
    } else {
        both(bond::SimpleBinaryReader<bond::InputBuffer>(input, source == "sp1" ? 1 : 2));
    }
}

// Into Simple Binary, which has no room for anything undeclared, a tagged
// payload goes as exactly its declared fields, once each and in order: unknown
// fields are dropped, a field whose wire type does not convert gets its default,
// a repeated field its last value, and a convertible one its converted value.
TEST(Serialize, TaggedPayloadsGoIntoSimpleBinaryAsDeclared)
{
    struct Case {
        const char* what;
        const char* compact;  // a CertMapping in Compact Binary v1
        CertMapping expected;
    };
    CertMapping version_minus_one;
    version_minus_one.Version = -1;
    CertMapping named;
    named.SourceLocation = L"B";
    const Case cases[] = {
        {"unknown fields", "c90903616263 f02c0102 00", CertMapping{}},
        {"a field of another type", "49026869 00", CertMapping{}},
        {"a narrower integer", "4eff 00", version_minus_one},
        {"a repeated field", "12014100 12014200 00", named},
        {"a struct where a blob belongs", "2a00 00", CertMapping{}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<char> bytes = FromHex(c.compact);
        WithPayload<CertMapping>("cb1", bytes, [&](const auto& payload) {
            EXPECT_EQ(EncodeAs("sp2", payload, false), EncodeAs("sp2", c.expected, false));
        });
    }
}

// Found by fuzzing: a field header whose type code names no type reached the
// writer, which asserts on it, before the value was looked at.
TEST(Serialize, PayloadFieldsOfNoTypeAreRefusedBeforeAnyWriterSeesThem)
{
    struct Case {
        const char* source;
        const char* payload;
    };
    const Case cases[] = {
        {"cb1", "1300"},                              // type 0x13 in a Compact Binary field header
        {"cb1", "0b0e01411f00"},                      // after a valid field: type 0x1f
        {"cb2", "021300"},       {"fb", "7f000000"},  // Fast Binary carries a whole byte: 0x7f
        {"fb", "ff010000"},
    };
    for (const Case& c : cases) {
        const std::vector<char> bytes = FromHex(c.payload);
        for (const char* target : writers) {
            if (std::string(target).starts_with(c.source)) {
                continue;  // same protocol and version (counter included): the bytes pass through
            }
            WithPayload<SecretsPackage>(c.source, bytes, [&](const auto& payload) {
                EXPECT_EQ(testing_support::MessageOf([&] { EncodeAs(target, payload, false); }),
                          "Unknown data type found")
                    << c.source << " " << c.payload << " to " << target;
            });
        }
    }
}

}  // namespace

// Re-encoding between tagged protocols copies what the payload holds as it
// stands: a bool's byte whatever its value, and an empty container with the
// element codes it carries, valid or not.
TEST(Serialize, PayloadValuesAreCopiedAsTheyStand)
{
    struct Case {
        const char* source;
        const char* payload;
        const char* target;
        const char* expected;
    };
    const Case cases[] = {
        {"cb1", "c2093c 00", "fb", "0209003c00"},                  // bool 0x3c, undeclared field 9
        {"cb1", "cb09020301003c 00", "fb", "0b0900020301003c00"},  // a list of bools
        {"fb", "0209003c00", "cb2", "04c2093c00"},
        {"cb1", "cb091300 00", "fb", "0b0900130000"},       // an empty list of 19
        {"cb1", "cd09141f00 00", "cb2", "06cd09141f0000"},  // an empty map of 20 to 31
        {"fb", "0b090013000000", "cb1", "cb09130000"},
    };
    for (const Case& c : cases) {
        const std::vector<char> bytes = FromHex(c.payload);
        WithPayload<SecretsPackage>(c.source, bytes, [&](const auto& payload) {
            EXPECT_EQ(EncodeAs(c.target, payload, false), c.expected) << c.source << " " << c.payload;
        });
    }
    // Compact Binary's list header holds 5 bits of element code.
    const std::vector<char> wide = FromHex("0b0900ff0000");
    WithPayload<SecretsPackage>("fb", wide, [&](const auto& payload) {
        EXPECT_EQ(testing_support::MessageOf([&] { EncodeAs("cb1", payload, false); }), "Unknown data type found");
    });
}
