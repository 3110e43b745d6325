// The schema module provides all 46 entry points of each of its four records,
// and the runtime reaches them for every such pairing, whether Apply is called
// unqualified or as bond::Apply.
#include "secrets_package_apply.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <type_traits>

namespace {

using namespace Trel::Security::Vaskor;

// Naming the overload by its exact signature fails to compile when it is
// missing; HasEntryPoint is what bond::Apply forwards by.
#define EXPECT_ENTRY_POINT(TRANSFORM, VALUE)                                                                           \
    static_assert(static_cast<bool (*)(const TRANSFORM&, const VALUE&)>(&Trel::Security::Vaskor::Apply) != nullptr);   \
    static_assert(bond::detail::HasEntryPoint<TRANSFORM, VALUE>);

BOND_FOR_EACH_ENTRY_POINT(CertMapping, EXPECT_ENTRY_POINT)
BOND_FOR_EACH_ENTRY_POINT(ManagedCertificatesPackage, EXPECT_ENTRY_POINT)
BOND_FOR_EACH_ENTRY_POINT(SupportingCert, EXPECT_ENTRY_POINT)
BOND_FOR_EACH_ENTRY_POINT(SecretsPackage, EXPECT_ENTRY_POINT)

#define COUNT_ENTRY_POINT(TRANSFORM, VALUE) +1
constexpr int entry_point_count = 0 BOND_FOR_EACH_ENTRY_POINT(CertMapping, COUNT_ENTRY_POINT)
    BOND_FOR_EACH_ENTRY_POINT(ManagedCertificatesPackage, COUNT_ENTRY_POINT)
        BOND_FOR_EACH_ENTRY_POINT(SupportingCert, COUNT_ENTRY_POINT)
            BOND_FOR_EACH_ENTRY_POINT(SecretsPackage, COUNT_ENTRY_POINT);
static_assert(entry_point_count == 184);

// Records of the runtime's own schema have no entry points, nor has a writer
// over another stream: the generic Apply serves them.
static_assert(!bond::detail::HasEntryPoint<bond::Serializer<bond::entry_points::CompactWriter>, bond::SchemaDef>);
static_assert(!bond::detail::HasEntryPoint<bond::Serializer<bond::FastBinaryWriter<bond::OutputCounter>>, CertMapping>);

TEST(EntryPoints, NullPassesOverASimplePayload)
{
    const std::vector<char> bytes(16, 0);  // a default CertMapping in Simple Binary v1
    bond::SimpleBinaryReader<bond::InputBuffer> reader(
        bond::InputBuffer(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size()))), 1);
    EXPECT_FALSE(Apply(bond::Null(), bond::bonded<CertMapping, decltype(reader)&>(reader)));
    EXPECT_EQ(reader.GetBuffer().GetPosition(), 16u);
}

// A qualified call reaches the same work as the entry point does.
TEST(EntryPoints, QualifiedApplyWritesAsTheEntryPointDoes)
{
    SupportingCert cert;
    cert.Type = RawData;
    bond::OutputBuffer unqualified;
    bond::OutputBuffer qualified;
    bond::entry_points::CompactWriter unqualified_writer(unqualified);
    bond::entry_points::CompactWriter qualified_writer(qualified);
    EXPECT_FALSE(Apply(bond::Serializer<bond::entry_points::CompactWriter>(unqualified_writer), cert));
    EXPECT_FALSE(bond::Apply(bond::Serializer<bond::entry_points::CompactWriter>(qualified_writer), cert));
    EXPECT_EQ(qualified.GetBuffer(), unqualified.GetBuffer());
    EXPECT_EQ(qualified.GetSize(), 3u);
}

// A writer over a stream of the program's own has no entry point: the generic
// Apply writes the record the same way.
TEST(EntryPoints, WritersOverOtherStreamsAreServedByTheGenericApply)
{
    const SupportingCert cert = [] {
        SupportingCert full;
        full.Type = RawData;
        full.DestinationStoreName = L"My";
        return full;
    }();
    bond::OutputBuffer output;
    bond::entry_points::FastWriter writer(output);
    bond::Serialize(cert, writer);
    bond::OutputCounter counter;
    bond::FastBinaryWriter<bond::OutputCounter> counting(counter);
    bond::Serialize(cert, counting);
    EXPECT_EQ(counter.GetCount(), output.GetSize());
    EXPECT_GT(counter.GetCount(), 1u);
}

TEST(EntryPoints, ApplyReturnsFalseForACompleteStruct)
{
    bond::OutputBuffer output;
    bond::entry_points::FastWriter writer(output);
    EXPECT_FALSE(Apply(bond::Serializer<bond::entry_points::FastWriter>(writer), SupportingCert{}));
    EXPECT_FALSE(Apply(bond::Marshaler<bond::entry_points::FastWriter>(writer), bond::bonded<SupportingCert>()));
}

}  // namespace
