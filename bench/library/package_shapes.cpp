// Builds the benchmark's packages; see package_shapes.h. Every blob owns its
// storage, as a decoded or user-built package's would, so copying a record in
// the library shares bytes rather than pointing into memory it does not keep.
#include "package_shapes.h"

#include "deterministic_random.h"
#include "reference_encoding.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <stdexcept>

namespace {

using Trel::Security::Vaskor::CertMapping;
using Trel::Security::Vaskor::SecretsPackage;
using Trel::Security::Vaskor::SupportingCert;

// `size` pseudo-random bytes in storage of their own. Certificates and hashes
// are incompressible, and random bytes keep any copy from being cheaper than
// it would be on real data.
bond::blob RandomBlob(Rng& rng, std::uint32_t size)
{
    std::shared_ptr<char[]> storage(new char[size]);
    rng.Fill(std::span(reinterpret_cast<std::uint8_t*>(storage.get()), size));
    return bond::blob(std::move(storage), size);
}

// `prefix` followed by `filler`, repeated, cut or padded to exactly `length`
// characters.
std::wstring TextOfLength(const std::wstring& prefix, const std::wstring& filler, std::size_t length)
{
    std::wstring text = prefix;
    while (text.size() < length) {
        text += filler;
    }
    text.resize(length);
    return text;
}

// A certificate's file path of exactly 40 characters, different for each index.
std::wstring SourceLocation(std::size_t index)
{
    return TextOfLength(L"C:\\Certs\\Vaskor\\" + std::to_wstring(index) + L"\\", L"leaf.cer", 40);
}

CertMapping MakeMapping(Rng& rng, std::size_t index)
{
    CertMapping mapping;
    mapping.SourceLocation = SourceLocation(index);
    mapping.CertHash = RandomBlob(rng, 20);
    // Versions of a few bytes as varints, and never 0, which would be left out.
    mapping.Version = static_cast<std::int32_t>(1 + (index * 7919) % 100000);
    mapping.PreviousCertHash = RandomBlob(rng, 20);
    return mapping;
}

SupportingCert MakeSupportingCert(Rng& rng, std::uint32_t data_size, std::wstring store_name)
{
    SupportingCert cert;
    cert.Type = Trel::Security::Vaskor::RawData;
    cert.Data = RandomBlob(rng, data_size);
    cert.DestinationStoreName = std::move(store_name);
    return cert;
}

// About 11 KB: what a service typically receives.
SecretsPackage MakeTypical()
{
    Rng rng(1);
    SecretsPackage package;
    package.UnmanagedCertsData = RandomBlob(rng, 3 * 1024);
    package.ManagedCertsPackage.CertsData = RandomBlob(rng, 2560);
    for (std::size_t i = 0; i < 4; ++i) {
        package.ManagedCertsPackage.CertMappings.push_back(MakeMapping(rng, i));
    }
    package.ManagedCertsPackage.IdentityCertHash = RandomBlob(rng, 20);
    package.SecureBlobContent = RandomBlob(rng, 2048);
    package.SecureBlobETag = L"\"0x8DC5B2F4A9E31C7\"";
    package.IntermediateCerts.push_back(MakeSupportingCert(rng, 1024, L"CA"));
    package.IntermediateCerts.push_back(MakeSupportingCert(rng, 1100, L"CA"));
    package.SupportingCerts.push_back(MakeSupportingCert(rng, 980, L"Root"));
    return package;
}

// Many small records: the cost per struct and per field dominates.
SecretsPackage MakeListHeavy()
{
    Rng rng(2);
    SecretsPackage package;
    auto& mappings = package.ManagedCertsPackage.CertMappings;
    mappings.reserve(20000);
    for (std::size_t i = 0; i < 20000; ++i) {
        mappings.push_back(MakeMapping(rng, i));
    }
    return package;
}

// Long wide strings: the cost of converting between wchar_t and UTF-16
// dominates. Two characters in every 37 are outside ASCII (inside the Basic
// Multilingual Plane), so a converter's ASCII-only shortcut cannot carry it all.
SecretsPackage MakeTextHeavy()
{
    Rng rng(3);
    SecretsPackage package;
    package.SupportingCerts.reserve(2000);
    for (std::size_t i = 0; i < 2000; ++i) {
        const std::wstring name = TextOfLength(L"Store" + std::to_wstring(i) + L"/",
                                               L"Intermediate-Zertifizierungsstellen\u00e9\u0416", 1000);
        package.SupportingCerts.push_back(MakeSupportingCert(rng, 16, name));
    }
    return package;
}

// One large certificate bundle: the cost of moving bytes dominates.
SecretsPackage MakeBundle()
{
    Rng rng(4);
    SecretsPackage package;
    package.UnmanagedCertsData = RandomBlob(rng, 64u << 20);
    return package;
}

}  // namespace

const std::vector<std::string>& ShapeNames()
{
    static const std::vector<std::string> names{"typical", "list-heavy", "text-heavy", "bundle"};
    return names;
}

PackageShape MakeShape(const std::string& name)
{
    PackageShape shape;
    shape.name = name;
    if (name == "typical") {
        shape.record = MakeTypical();
    } else if (name == "list-heavy") {
        shape.record = MakeListHeavy();
    } else if (name == "text-heavy") {
        shape.record = MakeTextHeavy();
    } else if (name == "bundle") {
        shape.record = MakeBundle();
    } else {
        throw std::invalid_argument("no package shape called " + name);
    }
    shape.compact_v1 = EncodeCompactV1(shape.record);
    return shape;
}
