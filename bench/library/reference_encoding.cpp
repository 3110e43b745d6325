// The benchmark's own Compact Binary v1 encoder; see reference_encoding.h.
// Every field of the schema has an id of at most 5, so every field header is
// the one-byte form: the id in the top three bits, the type below.
#include "reference_encoding.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Trel::Security::Vaskor::CertMapping;
using Trel::Security::Vaskor::ManagedCertificatesPackage;
using Trel::Security::Vaskor::SecretsPackage;
using Trel::Security::Vaskor::SupportingCert;

enum WireType : std::uint8_t {
    wire_stop = 0,
    wire_struct = 10,
    wire_list = 11,
    wire_int8 = 14,
    wire_int32 = 16,
    wire_wstring = 18,
};

class Encoder {
public:
    void Byte(std::uint8_t value) { _bytes.push_back(static_cast<char>(value)); }

    void Varint(std::uint64_t value)
    {
        while (value >= 0x80) {
            Byte(static_cast<std::uint8_t>(value | 0x80));
            value >>= 7;
        }
        Byte(static_cast<std::uint8_t>(value));
    }

    void Field(unsigned id, WireType type) { Byte(static_cast<std::uint8_t>((id << 5) | type)); }

    void Blob(unsigned id, const bond::blob& value)
    {
        if (value.empty()) {
            return;
        }
        Field(id, wire_list);
        Byte(wire_int8);
        Varint(value.size());
        _bytes.insert(_bytes.end(), value.begin(), value.end());
    }

    // UTF-16 code units, little-endian. The generator writes nothing outside
    // the Basic Multilingual Plane, so a character is one unit; anything else
    // would need surrogate pairs this encoder does not write.
    void WString(unsigned id, const std::wstring& value)
    {
        if (value.empty()) {
            return;
        }
        Field(id, wire_wstring);
        Varint(value.size());
        for (const wchar_t character : value) {
            const auto code = static_cast<std::uint32_t>(character);
            if (code > 0xFFFF || (code >= 0xD800 && code <= 0xDFFF)) {
                throw std::logic_error("the reference encoder writes only characters of one UTF-16 unit");
            }
            Byte(static_cast<std::uint8_t>(code & 0xFF));
            Byte(static_cast<std::uint8_t>(code >> 8));
        }
    }

    // Zigzag, so small negative numbers are short too.
    void Int32(unsigned id, std::int32_t value)
    {
        if (value == 0) {
            return;
        }
        Field(id, wire_int32);
        const auto bits = static_cast<std::uint32_t>(value);
        Varint((bits << 1) ^ (value < 0 ? 0xFFFFFFFFu : 0u));
    }

    // A list of structs: the element type, then the count; each element ends
    // with its own stop byte.
    template <typename Record>
    void StructList(unsigned id, const std::vector<Record>& records)
    {
        if (records.empty()) {
            return;
        }
        Field(id, wire_list);
        Byte(wire_struct);
        Varint(records.size());
        for (const Record& record : records) {
            Fields(record);
            Byte(wire_stop);
        }
    }

    void Fields(const CertMapping& mapping)
    {
        WString(0, mapping.SourceLocation);
        Blob(1, mapping.CertHash);
        Int32(2, mapping.Version);
        Blob(3, mapping.PreviousCertHash);
    }

    void Fields(const ManagedCertificatesPackage& managed)
    {
        Blob(0, managed.CertsData);
        StructList(1, managed.CertMappings);
        Blob(2, managed.IdentityCertHash);
    }

    void Fields(const SupportingCert& cert)
    {
        Int32(0, static_cast<std::int32_t>(cert.Type));
        Blob(1, cert.Data);
        WString(2, cert.DestinationStoreName);
    }

    void Fields(const SecretsPackage& package)
    {
        Blob(0, package.UnmanagedCertsData);
        Field(1, wire_struct);
        Fields(package.ManagedCertsPackage);
        Byte(wire_stop);
        Blob(2, package.SecureBlobContent);
        WString(3, package.SecureBlobETag);
        StructList(4, package.IntermediateCerts);
        StructList(5, package.SupportingCerts);
    }

    const std::vector<char>& Bytes() const { return _bytes; }

private:
    std::vector<char> _bytes;
};

}  // namespace

bond::blob EncodeCompactV1(const SecretsPackage& package)
{
    Encoder encoder;
    encoder.Fields(package);
    encoder.Byte(wire_stop);
    const std::vector<char>& bytes = encoder.Bytes();
    if (bytes.size() > UINT32_MAX) {
        throw std::length_error("the package is larger than a blob can hold");
    }
    const auto size = static_cast<std::uint32_t>(bytes.size());
    std::shared_ptr<char[]> storage(new char[size]);
    std::memcpy(storage.get(), bytes.data(), size);
    return bond::blob(std::move(storage), size);
}
