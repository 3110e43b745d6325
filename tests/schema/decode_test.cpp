// Decoding records of the schema from Compact Binary against their compile-time
// schema: golden encodings, conversions, and repeated fields.
#include "secrets_package_apply.h"

#include "hex.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using namespace Trel::Security::Vaskor;
using testing_support::FromHex;

template <typename T>
T Decode(const std::vector<char>& bytes, uint16_t version = 1)
{
    using Reader = bond::CompactBinaryReader<bond::InputBuffer>;
    Reader reader(bond::InputBuffer(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size()))), version);
    T value;
    Apply(bond::To<T>(value), bond::bonded<T, Reader&>(reader));
    return value;
}

bond::blob Bytes(const std::vector<char>& bytes)
{
    return bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

// The records the golden encodings were made from.
ManagedCertificatesPackage FullManagedPackage(const std::vector<std::vector<char>>& storage)
{
    CertMapping first;
    first.SourceLocation = L"Caf\u00e9 \u4e2d";
    first.CertHash = Bytes(storage[0]);
    first.Version = -5;
    first.PreviousCertHash = Bytes(storage[1]);
    CertMapping second;
    second.SourceLocation = L"\u00fc";
    second.CertHash = Bytes(storage[2]);
    second.Version = 300;
    ManagedCertificatesPackage package;
    package.CertsData = Bytes(storage[3]);
    package.CertMappings = {first, second};
    package.IdentityCertHash = Bytes(storage[4]);
    return package;
}

TEST(Decode, GoldenEncodingsOfBothVersions)
{
    const std::vector<std::vector<char>> storage = {FromHex("01020304"), FromHex("aabb"), FromHex("05"),
                                                    FromHex("3082010a"), FromHex("deadbeef")};
    const ManagedCertificatesPackage expected = FullManagedPackage(storage);
    const std::vector<char> v1 =
        FromHex("0b0e043082010a2b0a021206430061006600e90020002d4e2b0e040102030450096b0e02aabb001201fc002b0e010550d80400"
                "4b0e04deadbeef00");
    const std::vector<char> v2 =
        FromHex("370bae3082010a2b6a1b1206430061006600e90020002d4e2bae0102030450096b6eaabb000b1201fc002b4e0550d804004bae"
                "deadbeef00");
    EXPECT_EQ(Decode<ManagedCertificatesPackage>(v1), expected);
    EXPECT_EQ(Decode<ManagedCertificatesPackage>(v2, 2), expected);

    SupportingCert cert;
    cert.Type = RawData;
    const std::vector<char> data = FromHex("c0ffee");
    cert.Data = Bytes(data);
    cert.DestinationStoreName = L"My\u00df";
    EXPECT_EQ(Decode<SupportingCert>(FromHex("10022b0e03c0ffee52034d007900df0000")), cert);
    EXPECT_EQ(Decode<SupportingCert>(FromHex("1010022b8ec0ffee52034d007900df0000"), 2), cert);
}

TEST(Decode, BlobsReferIntoTheInput)
{
    const std::vector<char> bytes = FromHex("0b0e0341424300");
    const SecretsPackage package = Decode<SecretsPackage>(bytes);
    EXPECT_EQ(package.UnmanagedCertsData.content(), bytes.data() + 3);
}

TEST(Decode, EnumerationKeepsAnyValue)
{
    // IntermediateCerts = [{Type = 7}]
    const SecretsPackage package = Decode<SecretsPackage>(FromHex("8b0a01 100e00 00"));
    ASSERT_EQ(package.IntermediateCerts.size(), 1u);
    EXPECT_EQ(static_cast<int32_t>(package.IntermediateCerts[0].Type), 7);
}

TEST(Decode, NarrowerSignedWireTypesConvert)
{
    struct Case {
        const char* hex;  // a CertMapping
        int32_t version;
    };
    const Case cases[] = {
        {"50 09 00", -5},                // int32
        {"4e ff 00", -1},                // int8: one raw byte
        {"4f 03 00", -2},                // int16
        {"51 02 00", 0},                 // int64 would narrow: passed over
        {"45 05 00", 0},                 // uint32: another kind: passed over
        {"42 01 00", 0},                 // bool: passed over
        {"50 09 4e 03 00", 3},           // the same field again replaces it
        {"50 09 4f ffff03 00", -32768},  // int16 at its widest
        // An over-long varint ends at the fifth byte, whatever its top bit says...
        {"50 ffffffffff 00", INT32_MIN},
        // ...but a later copy that runs so is passed over, as newer releases
        // pass over every later copy: its varint runs on for up to ten bytes.
        {"50 09 50 ffffffffff0f 00", -5},
        {"45 05 50 ffffffffff0f 00", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Decode<CertMapping>(FromHex(c.hex)).Version, c.version) << c.hex;
    }
}

// A nested record or a list of records keeps its first occurrence; a blob,
// like every other field, takes its last.
TEST(Decode, RepeatedRecordsKeepTheFirstOccurrence)
{
    const std::vector<char> nested_twice = FromHex("2a 0b0e0141 00 2a 4b0e0142 00 00");
    const SecretsPackage nested = Decode<SecretsPackage>(nested_twice);
    EXPECT_EQ(std::string(nested.ManagedCertsPackage.CertsData.begin(), nested.ManagedCertsPackage.CertsData.end()),
              "A");
    EXPECT_TRUE(nested.ManagedCertsPackage.IdentityCertHash.empty());

    const std::vector<char> lists_twice = FromHex("8b0a02 2b0e014100 00 8b0a01 52014200 00 00");
    const SecretsPackage lists = Decode<SecretsPackage>(lists_twice);
    ASSERT_EQ(lists.IntermediateCerts.size(), 2u);
    EXPECT_EQ(std::string(lists.IntermediateCerts[0].Data.begin(), lists.IntermediateCerts[0].Data.end()), "A");
    EXPECT_TRUE(lists.IntermediateCerts[0].DestinationStoreName.empty());

    // The later copy is still passed over by the rules of the wire.
    EXPECT_EQ(testing_support::MessageOf([] { Decode<SecretsPackage>(FromHex("2a 00 2a 0b1301 00")); }),
              "Unknown data type found");

    const std::vector<char> blobs_twice = FromHex("0b0e0141 0b0e0142 00");
    const SecretsPackage blobs = Decode<SecretsPackage>(blobs_twice);
    EXPECT_EQ(std::string(blobs.UnmanagedCertsData.begin(), blobs.UnmanagedCertsData.end()), "B");
}

TEST(Decode, MismatchedListElementsKeepTheEarlierList)
{
    const SecretsPackage package = Decode<SecretsPackage>(FromHex("8b0a01 00 8b0e0141 00"));
    EXPECT_EQ(package.IntermediateCerts.size(), 1u);
}

}  // namespace
