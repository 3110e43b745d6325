// The record instances that the reference vectors were made from.
#pragma once

#include "secrets_package_types.h"

#include "hex.h"

#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// Blobs in the samples are views; the bytes live here for the whole test run.
inline bond::blob Bytes(const std::string& hex)
{
    static std::vector<std::unique_ptr<std::vector<char>>> storage;
    storage.push_back(std::make_unique<std::vector<char>>(FromHex(hex)));
    return bond::blob(storage.back()->data(), static_cast<uint32_t>(storage.back()->size()));
}

inline Trel::Security::Vaskor::CertMapping CertMappingFull()
{
    Trel::Security::Vaskor::CertMapping mapping;
    mapping.SourceLocation = L"Caf\u00e9 \u4e2d";
    mapping.CertHash = Bytes("01020304");
    mapping.Version = -5;
    mapping.PreviousCertHash = Bytes("aabb");
    return mapping;
}

inline Trel::Security::Vaskor::CertMapping CertMappingFull2()
{
    Trel::Security::Vaskor::CertMapping mapping;
    mapping.SourceLocation = L"\u00fc";
    mapping.CertHash = Bytes("05");
    mapping.Version = 300;
    return mapping;
}

inline Trel::Security::Vaskor::ManagedCertificatesPackage ManagedPackageFull()
{
    Trel::Security::Vaskor::ManagedCertificatesPackage package;
    package.CertsData = Bytes("3082010a");
    package.CertMappings = {CertMappingFull(), CertMappingFull2()};
    package.IdentityCertHash = Bytes("deadbeef");
    return package;
}

inline Trel::Security::Vaskor::SupportingCert SupportingCertFull()
{
    Trel::Security::Vaskor::SupportingCert cert;
    cert.Type = Trel::Security::Vaskor::RawData;
    cert.Data = Bytes("c0ffee");
    cert.DestinationStoreName = L"My\u00df";
    return cert;
}

// Every field set, lists of two, text beyond ASCII (and beyond the 16-bit
// range), a negative Version and a Type that is no constant.
inline Trel::Security::Vaskor::SecretsPackage SecretsPackageFull()
{
    Trel::Security::Vaskor::SecretsPackage package;
    package.UnmanagedCertsData = Bytes("308206c306092a864886f70d010702");
    package.ManagedCertsPackage = ManagedPackageFull();
    package.SecureBlobContent = Bytes("00ff00ff");
    package.SecureBlobETag = L"\"etag-\u00e9\U0001F512\"";
    Trel::Security::Vaskor::SupportingCert odd = SupportingCertFull();
    odd.Type = static_cast<Trel::Security::Vaskor::CertDataType>(7);
    odd.DestinationStoreName = L"\u6839 \U00010348";
    package.IntermediateCerts = {SupportingCertFull(), odd};
    package.SupportingCerts = {odd, SupportingCertFull()};
    return package;
}

}  // namespace testing_support
