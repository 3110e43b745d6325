#include "secrets_package_reflection.h"

#include "hex.h"

#include <gtest/gtest.h>

#include <bond/core/exception.h>

#include <string>

namespace {

using namespace Trel::Security::Vaskor;
using testing_support::MessageOf;

TEST(SecretsPackageTypes, DefaultsAreEmptyAndZero)
{
    const SecretsPackage package;
    EXPECT_TRUE(package.UnmanagedCertsData.empty());
    EXPECT_TRUE(package.ManagedCertsPackage.CertsData.empty());
    EXPECT_TRUE(package.ManagedCertsPackage.CertMappings.empty());
    EXPECT_TRUE(package.ManagedCertsPackage.IdentityCertHash.empty());
    EXPECT_TRUE(package.SecureBlobContent.empty());
    EXPECT_TRUE(package.SecureBlobETag.empty());
    EXPECT_TRUE(package.IntermediateCerts.empty());
    EXPECT_TRUE(package.SupportingCerts.empty());
    EXPECT_EQ(SupportingCert().Type, Unknown);
    EXPECT_EQ(CertMapping().Version, 0);
}

TEST(SecretsPackageTypes, RecordMetadata)
{
    struct Case {
        const bond::Metadata& metadata;
        const char* name;
    };
    const Case cases[] = {
        {CertMapping::Schema::metadata, "CertMapping"},
        {ManagedCertificatesPackage::Schema::metadata, "ManagedCertificatesPackage"},
        {SupportingCert::Schema::metadata, "SupportingCert"},
        {SecretsPackage::Schema::metadata, "SecretsPackage"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.metadata.name, c.name);
        EXPECT_EQ(c.metadata.qualified_name, std::string("Trel.Security.Vaskor.") + c.name);
        EXPECT_TRUE(c.metadata.attributes.empty());
        EXPECT_EQ(c.metadata.modifier, bond::Optional);
        EXPECT_EQ(c.metadata.default_value, bond::Variant());
    }
}

TEST(SecretsPackageTypes, FieldMetadata)
{
    using M = ManagedCertificatesPackage::Schema::var;
    using S = SupportingCert::Schema::var;
    EXPECT_EQ(M::CertsData::metadata.name, "CertsData");
    EXPECT_EQ(S::Data::metadata.name, "Data");
    EXPECT_EQ(S::Type::metadata.default_value.int_value, 0);
    EXPECT_EQ(S::Type::metadata.default_value, bond::Variant());
    EXPECT_TRUE(S::Type::metadata.qualified_name.empty());
    EXPECT_EQ(S::Type::metadata.modifier, bond::Optional);
}

TEST(CertDataTypeConversions, ValueToName)
{
    struct Case {
        int32_t value;
        const char* name;  // nullptr: not a constant
    };
    const Case cases[] = {{0, "Unknown"}, {1, "RawData"}, {2, nullptr}, {-1, nullptr}, {7, nullptr}};
    for (const Case& c : cases) {
        const auto value = static_cast<CertDataType>(c.value);
        std::string name = "<unchanged>";
        EXPECT_EQ(FromEnum(name, value), c.name != nullptr) << c.value;
        if (c.name) {
            EXPECT_EQ(ToString(value), c.name);
            EXPECT_EQ(name, c.name);
        } else {
            EXPECT_EQ(MessageOf([&] { ToString(value); }),
                      "Unexpected value " + std::to_string(c.value) + " for enum CertDataType");
            EXPECT_THROW(ToString(value), bond::CoreException);
            EXPECT_EQ(name, "<unchanged>");
        }
    }
}

TEST(CertDataTypeConversions, NameToValue)
{
    struct Case {
        std::string name;
        int32_t value;      // -1: not a name
        const char* shown;  // how the failure message shows the name
    };
    const Case cases[] = {
        {"RawData", 1, ""},
        {"Unknown", 0, ""},
        {"rawdata", -1, "rawdata"},
        {"unknown", -1, "unknown"},
        {" RawData", -1, " RawData"},
        {"RawData ", -1, "RawData "},
        {"", -1, ""},
        {std::string("Raw\0Data", 8), -1, "Raw"},
        {std::string("RawData\0", 8), -1, "RawData"},
        {"1", -1, "1"},
    };
    for (const Case& c : cases) {
        auto value = static_cast<CertDataType>(42);
        EXPECT_EQ(ToEnum(value, c.name), c.value >= 0) << c.name;
        if (c.value >= 0) {
            EXPECT_EQ(value, c.value);
            auto thrown_into = static_cast<CertDataType>(42);
            FromString(c.name, thrown_into);
            EXPECT_EQ(thrown_into, c.value);
        } else {
            EXPECT_EQ(value, 42) << c.name;
            EXPECT_EQ(MessageOf([&] { FromString(c.name, value); }),
                      std::string("Unexpected value ") + c.shown + " for enum CertDataType");
        }
    }
}

TEST(CertDataTypeConversions, TypeNames)
{
    EXPECT_STREQ(GetTypeName(Unknown), "CertDataType");
    EXPECT_STREQ(GetTypeName(Unknown, bond::qualified_name), "Trel.Security.Vaskor.CertDataType");
}

}  // namespace
