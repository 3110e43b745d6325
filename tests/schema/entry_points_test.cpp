// The schema module provides all 46 entry points of each of its four records,
// and the runtime reaches these records through nothing else: its generic Apply
// is not even viable for them, so every call that compiles is one of them.
#include "secrets_package_apply.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <type_traits>

namespace {

using namespace Trel::Security::Vaskor;

template <typename Transform, typename Value>
concept GenericApplies = requires(const Transform& transform, const Value& value) { ::bond::Apply(transform, value); };

template <typename Transform, typename Value>
concept FoundByLookup = requires(const Transform& transform, const Value& value) {
    { Apply(transform, value) } -> std::same_as<bool>;
};

// Naming the overload by its exact signature fails to compile when it is missing.
#define EXPECT_ENTRY_POINT(TRANSFORM, VALUE)                                                         \
    static_assert(static_cast<bool (*)(const TRANSFORM&, const VALUE&)>(&Trel::Security::Vaskor::Apply) != \
                  nullptr);                                                                          \
    static_assert(FoundByLookup<TRANSFORM, VALUE>);                                                  \
    static_assert(!GenericApplies<TRANSFORM, VALUE>);

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

// Records of the runtime's own schema have no entry points: the generic Apply
// serves them.
static_assert(GenericApplies<bond::Serializer<bond::entry_points::CompactWriter>, bond::SchemaDef>);

TEST(EntryPoints, NullPassesOverASimplePayload)
{
    const std::vector<char> bytes(16, 0);  // a default CertMapping in Simple Binary v1
    bond::SimpleBinaryReader<bond::InputBuffer> reader(
        bond::InputBuffer(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size()))), 1);
    EXPECT_FALSE(Apply(bond::Null(), bond::bonded<CertMapping, decltype(reader)&>(reader)));
    EXPECT_EQ(reader.GetBuffer().GetPosition(), 16u);
}

TEST(EntryPoints, ApplyReturnsFalseForACompleteStruct)
{
    bond::OutputBuffer output;
    bond::entry_points::FastWriter writer(output);
    EXPECT_FALSE(Apply(bond::Serializer<bond::entry_points::FastWriter>(writer), SupportingCert{}));
    EXPECT_FALSE(Apply(bond::Marshaler<bond::entry_points::FastWriter>(writer), bond::bonded<SupportingCert>()));
}

}  // namespace
