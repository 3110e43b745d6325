// Compile-time reflection of the secrets package records: for each record its
// metadata and its fields in ordinal order, through which the runtime's generic
// code reads and writes them. The metadata objects are defined in
// secrets_package_types.cpp and built before main.
#pragma once

#include "secrets_package_types.h"

#include <bond/core/reflection.h>

namespace Trel::Security::Vaskor {

struct CertMapping::Schema {
    using base = bond::no_base;
    static const bond::Metadata metadata;

private:
    static const bond::Metadata s_SourceLocation_metadata;
    static const bond::Metadata s_CertHash_metadata;
    static const bond::Metadata s_Version_metadata;
    static const bond::Metadata s_PreviousCertHash_metadata;

public:
    struct var {
        using SourceLocation =
            bond::reflection::OptionalField<0, &CertMapping::SourceLocation, &s_SourceLocation_metadata>;
        using CertHash = bond::reflection::OptionalField<1, &CertMapping::CertHash, &s_CertHash_metadata>;
        using Version = bond::reflection::OptionalField<2, &CertMapping::Version, &s_Version_metadata>;
        using PreviousCertHash =
            bond::reflection::OptionalField<3, &CertMapping::PreviousCertHash, &s_PreviousCertHash_metadata>;
    };
    using fields = bond::reflection::FieldList<var::SourceLocation, var::CertHash, var::Version, var::PreviousCertHash>;

    static bond::Metadata GetMetadata()
    {
        return bond::reflection::MetadataInit("CertMapping", "Trel.Security.Vaskor.CertMapping");
    }
};

struct ManagedCertificatesPackage::Schema {
    using base = bond::no_base;
    static const bond::Metadata metadata;

private:
    static const bond::Metadata s_CertsData_metadata;
    static const bond::Metadata s_CertMappings_metadata;
    static const bond::Metadata s_IdentityCertHash_metadata;

public:
    struct var {
        using CertsData =
            bond::reflection::OptionalField<0, &ManagedCertificatesPackage::CertsData, &s_CertsData_metadata>;
        using CertMappings =
            bond::reflection::OptionalField<1, &ManagedCertificatesPackage::CertMappings, &s_CertMappings_metadata>;
        using IdentityCertHash = bond::reflection::OptionalField<2, &ManagedCertificatesPackage::IdentityCertHash,
                                                                 &s_IdentityCertHash_metadata>;
    };
    using fields = bond::reflection::FieldList<var::CertsData, var::CertMappings, var::IdentityCertHash>;

    static bond::Metadata GetMetadata()
    {
        return bond::reflection::MetadataInit("ManagedCertificatesPackage",
                                              "Trel.Security.Vaskor.ManagedCertificatesPackage");
    }
};

struct SupportingCert::Schema {
    using base = bond::no_base;
    static const bond::Metadata metadata;

private:
    static const bond::Metadata s_Type_metadata;
    static const bond::Metadata s_Data_metadata;
    static const bond::Metadata s_DestinationStoreName_metadata;

public:
    struct var {
        using Type = bond::reflection::OptionalField<0, &SupportingCert::Type, &s_Type_metadata>;
        using Data = bond::reflection::OptionalField<1, &SupportingCert::Data, &s_Data_metadata>;
        using DestinationStoreName =
            bond::reflection::OptionalField<2, &SupportingCert::DestinationStoreName, &s_DestinationStoreName_metadata>;
    };
    using fields = bond::reflection::FieldList<var::Type, var::Data, var::DestinationStoreName>;

    static bond::Metadata GetMetadata()
    {
        return bond::reflection::MetadataInit("SupportingCert", "Trel.Security.Vaskor.SupportingCert");
    }
};

struct SecretsPackage::Schema {
    using base = bond::no_base;
    static const bond::Metadata metadata;

private:
    static const bond::Metadata s_UnmanagedCertsData_metadata;
    static const bond::Metadata s_ManagedCertsPackage_metadata;
    static const bond::Metadata s_SecureBlobContent_metadata;
    static const bond::Metadata s_SecureBlobETag_metadata;
    static const bond::Metadata s_IntermediateCerts_metadata;
    static const bond::Metadata s_SupportingCerts_metadata;

public:
    struct var {
        using UnmanagedCertsData =
            bond::reflection::OptionalField<0, &SecretsPackage::UnmanagedCertsData, &s_UnmanagedCertsData_metadata>;
        using ManagedCertsPackage =
            bond::reflection::OptionalField<1, &SecretsPackage::ManagedCertsPackage, &s_ManagedCertsPackage_metadata>;
        using SecureBlobContent =
            bond::reflection::OptionalField<2, &SecretsPackage::SecureBlobContent, &s_SecureBlobContent_metadata>;
        using SecureBlobETag =
            bond::reflection::OptionalField<3, &SecretsPackage::SecureBlobETag, &s_SecureBlobETag_metadata>;
        using IntermediateCerts =
            bond::reflection::OptionalField<4, &SecretsPackage::IntermediateCerts, &s_IntermediateCerts_metadata>;
        using SupportingCerts =
            bond::reflection::OptionalField<5, &SecretsPackage::SupportingCerts, &s_SupportingCerts_metadata>;
    };
    using fields =
        bond::reflection::FieldList<var::UnmanagedCertsData, var::ManagedCertsPackage, var::SecureBlobContent,
                                    var::SecureBlobETag, var::IntermediateCerts, var::SupportingCerts>;

    static bond::Metadata GetMetadata()
    {
        return bond::reflection::MetadataInit("SecretsPackage", "Trel.Security.Vaskor.SecretsPackage");
    }
};

}  // namespace Trel::Security::Vaskor
