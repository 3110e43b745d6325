#include "secrets_package_reflection.h"

#include <bond/core/exception.h>

#include <string>
#include <unordered_map>

namespace Trel::Security::Vaskor {

// Defined record by record in declaration order, each record's own metadata
// before its fields', so they are built in that order before main.
const bond::Metadata CertMapping::Schema::metadata = CertMapping::Schema::GetMetadata();
const bond::Metadata CertMapping::Schema::s_SourceLocation_metadata = bond::reflection::MetadataInit("SourceLocation");
const bond::Metadata CertMapping::Schema::s_CertHash_metadata = bond::reflection::MetadataInit("CertHash");
const bond::Metadata CertMapping::Schema::s_Version_metadata = bond::reflection::MetadataInit("Version");
const bond::Metadata CertMapping::Schema::s_PreviousCertHash_metadata =
    bond::reflection::MetadataInit("PreviousCertHash");

const bond::Metadata ManagedCertificatesPackage::Schema::metadata = ManagedCertificatesPackage::Schema::GetMetadata();
const bond::Metadata ManagedCertificatesPackage::Schema::s_CertsData_metadata =
    bond::reflection::MetadataInit("CertsData");
const bond::Metadata ManagedCertificatesPackage::Schema::s_CertMappings_metadata =
    bond::reflection::MetadataInit("CertMappings");
const bond::Metadata ManagedCertificatesPackage::Schema::s_IdentityCertHash_metadata =
    bond::reflection::MetadataInit("IdentityCertHash");

const bond::Metadata SupportingCert::Schema::metadata = SupportingCert::Schema::GetMetadata();
const bond::Metadata SupportingCert::Schema::s_Type_metadata = bond::reflection::MetadataInit(Unknown, "Type");
const bond::Metadata SupportingCert::Schema::s_Data_metadata = bond::reflection::MetadataInit("Data");
const bond::Metadata SupportingCert::Schema::s_DestinationStoreName_metadata =
    bond::reflection::MetadataInit("DestinationStoreName");

const bond::Metadata SecretsPackage::Schema::metadata = SecretsPackage::Schema::GetMetadata();
const bond::Metadata SecretsPackage::Schema::s_UnmanagedCertsData_metadata =
    bond::reflection::MetadataInit("UnmanagedCertsData");
const bond::Metadata SecretsPackage::Schema::s_ManagedCertsPackage_metadata =
    bond::reflection::MetadataInit("ManagedCertsPackage");
const bond::Metadata SecretsPackage::Schema::s_SecureBlobContent_metadata =
    bond::reflection::MetadataInit("SecureBlobContent");
const bond::Metadata SecretsPackage::Schema::s_SecureBlobETag_metadata =
    bond::reflection::MetadataInit("SecureBlobETag");
const bond::Metadata SecretsPackage::Schema::s_IntermediateCerts_metadata =
    bond::reflection::MetadataInit("IntermediateCerts");
const bond::Metadata SecretsPackage::Schema::s_SupportingCerts_metadata =
    bond::reflection::MetadataInit("SupportingCerts");

namespace _bond_enumerators::CertDataType {
namespace {

// The conversions share these two hash tables, built on the first conversion
// that needs them, never at start-up.
const std::unordered_map<enum CertDataType, std::string>& NamesByValue()
{
    return GetValueToNameMap<std::unordered_map<enum CertDataType, std::string>>(Unknown);
}

const std::unordered_map<std::string, enum CertDataType>& ValuesByName()
{
    return GetNameToValueMap<std::unordered_map<std::string, enum CertDataType>>(Unknown);
}

}  // namespace

const std::string& ToString(enum CertDataType value)
{
    const auto found = NamesByValue().find(value);
    if (found == NamesByValue().end()) {
        bond::detail::ThrowUnexpectedEnumValue(std::to_string(static_cast<int32_t>(value)), GetTypeName(value));
    }
    return found->second;
}

void FromString(const std::string& name, enum CertDataType& value)
{
    if (!ToEnum(value, name)) {
        // The name is reported as a C string would show it: up to its first NUL.
        bond::detail::ThrowUnexpectedEnumValue(name.c_str(), GetTypeName(value));
    }
}

bool ToEnum(enum CertDataType& value, const std::string& name)
{
    const auto found = ValuesByName().find(name);
    if (found == ValuesByName().end()) {
        return false;
    }
    value = found->second;
    return true;
}

bool FromEnum(std::string& name, enum CertDataType value)
{
    const auto found = NamesByValue().find(value);
    if (found == NamesByValue().end()) {
        return false;
    }
    name = found->second;
    return true;
}

}  // namespace _bond_enumerators::CertDataType
}  // namespace Trel::Security::Vaskor
