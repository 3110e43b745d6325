// The record types and the enumeration of the secrets package, as declared in
// secrets_package.bond. Each record is a plain value with one public member per
// field, in ordinal order; its reflection lives in secrets_package_reflection.h.
#pragma once

#include <bond/core/blob.h>
#include <bond/core/bond_fwd.h>
#include <bond/core/metadata.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace Trel::Security::Vaskor {

namespace _bond_enumerators {
namespace CertDataType {

// Decoding stores whatever 32-bit value the input carries, constant or not, so
// the enumeration is given the full int32 range.
enum CertDataType : int32_t {
    Unknown = 0,
    RawData = 1,
};

inline const char* GetTypeName(enum CertDataType)
{
    return "CertDataType";
}

inline const char* GetTypeName(enum CertDataType, const bond::qualified_name_tag&)
{
    return "Trel.Security.Vaskor.CertDataType";
}

// The name of a constant. Throws bond::CoreException for any other value.
const std::string& ToString(enum CertDataType value);

// Sets `value` to the constant named exactly `name`. Throws bond::CoreException
// when no constant has that name.
void FromString(const std::string& name, enum CertDataType& value);

// Sets `value` to the constant named exactly `name`; false, leaving `value` as it
// was, when no constant has that name.
bool ToEnum(enum CertDataType& value, const std::string& name);

// Sets `name` to the name of the constant `value`; false, leaving `name` as it
// was, for any other value.
bool FromEnum(std::string& name, enum CertDataType value);

// Every constant and its name, in a map of the caller's choice (the conversions
// above use hash tables), built on the first call for each map type.
template <typename Map = std::map<enum CertDataType, std::string>>
const Map& GetValueToNameMap(enum CertDataType)
{
    static const Map map{{Unknown, "Unknown"}, {RawData, "RawData"}};
    return map;
}

template <typename Map = std::map<std::string, enum CertDataType>>
const Map& GetNameToValueMap(enum CertDataType)
{
    static const Map map{{"Unknown", Unknown}, {"RawData", RawData}};
    return map;
}

}  // namespace CertDataType
}  // namespace _bond_enumerators

using namespace _bond_enumerators::CertDataType;

struct CertMapping {
    std::wstring SourceLocation;
    bond::blob CertHash;
    int32_t Version = 0;
    bond::blob PreviousCertHash;

    struct Schema;
    bool operator==(const CertMapping&) const = default;
    void swap(CertMapping& other) { std::swap(*this, other); }
};

struct ManagedCertificatesPackage {
    bond::blob CertsData;
    std::vector<CertMapping> CertMappings;
    bond::blob IdentityCertHash;

    struct Schema;
    bool operator==(const ManagedCertificatesPackage&) const = default;
    void swap(ManagedCertificatesPackage& other) { std::swap(*this, other); }
};

struct SupportingCert {
    CertDataType Type = Unknown;
    bond::blob Data;
    std::wstring DestinationStoreName;

    struct Schema;
    bool operator==(const SupportingCert&) const = default;
    void swap(SupportingCert& other) { std::swap(*this, other); }
};

struct SecretsPackage {
    bond::blob UnmanagedCertsData;
    ManagedCertificatesPackage ManagedCertsPackage;
    bond::blob SecureBlobContent;
    std::wstring SecureBlobETag;
    std::vector<SupportingCert> IntermediateCerts;
    std::vector<SupportingCert> SupportingCerts;

    struct Schema;
    bool operator==(const SecretsPackage&) const = default;
    void swap(SecretsPackage& other) { std::swap(*this, other); }
};

inline void swap(CertMapping& left, CertMapping& right)
{
    left.swap(right);
}

inline void swap(ManagedCertificatesPackage& left, ManagedCertificatesPackage& right)
{
    left.swap(right);
}

inline void swap(SupportingCert& left, SupportingCert& right)
{
    left.swap(right);
}

inline void swap(SecretsPackage& left, SecretsPackage& right)
{
    left.swap(right);
}

}  // namespace Trel::Security::Vaskor
