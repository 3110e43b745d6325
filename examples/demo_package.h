// A secrets package with something in every field, for the examples that
// transform one.
#pragma once

#include <secrets_package_types.h>

#include <bond/core/blob.h>

#include <cstdint>
#include <string>

inline bond::blob DemoBytes(const char* text)
{
    return bond::blob(text, static_cast<uint32_t>(std::char_traits<char>::length(text)));
}

inline Trel::Security::Vaskor::SecretsPackage DemoPackage()
{
    using namespace Trel::Security::Vaskor;
    SecretsPackage package;
    package.UnmanagedCertsData = DemoBytes("bundle");
    package.ManagedCertsPackage.CertsData = DemoBytes("managed bundle");
    CertMapping mapping;
    mapping.SourceLocation = L"LocalMachine/My";
    mapping.CertHash = DemoBytes("hash");
    mapping.Version = 2;
    package.ManagedCertsPackage.CertMappings.push_back(mapping);
    package.ManagedCertsPackage.IdentityCertHash = DemoBytes("identity");
    package.SecureBlobContent = DemoBytes("private key");
    package.SecureBlobETag = L"etag-7";
    SupportingCert intermediate;
    intermediate.Type = RawData;
    intermediate.Data = DemoBytes("intermediate");
    intermediate.DestinationStoreName = L"CA";
    package.IntermediateCerts.push_back(intermediate);
    return package;
}
