// Test-only records shaped like the secrets package schema, full instances of
// them, and a walk of a writer's interface that
// writes them as its serializer does: fields in ordinal order, struct fields
// always, every other field (all optional, all defaulting to zero or empty)
// left out at its default when the writer may omit fields.
#pragma once

#include <bond/core/blob.h>
#include <bond/core/bond_const.h>
#include <bond/core/metadata.h>

#include "hex.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace sample {

using Bytes = std::vector<char>;

struct CertMapping {
    std::wstring source_location;
    Bytes cert_hash;
    int32_t version = 0;
    Bytes previous_cert_hash;
};

struct SupportingCert {
    int32_t type = 0;
    Bytes data;
    std::wstring destination_store_name;
};

struct ManagedCertificatesPackage {
    Bytes certs_data;
    std::vector<CertMapping> cert_mappings;
    Bytes identity_cert_hash;
};

struct SecretsPackage {
    Bytes unmanaged_certs_data;
    ManagedCertificatesPackage managed_certs_package;
    Bytes secure_blob_content;
    std::wstring secure_blob_etag;
    std::vector<SupportingCert> intermediate_certs;
    std::vector<SupportingCert> supporting_certs;
};

using Record = std::variant<CertMapping, SupportingCert, ManagedCertificatesPackage, SecretsPackage>;

inline const bond::Metadata no_metadata;

template <typename Writer>
void WriteBlobField(Writer& writer, uint16_t id, const Bytes& bytes)
{
    if (Writer::may_omit_fields && bytes.empty()) {
        return;
    }
    const auto size = static_cast<uint32_t>(bytes.size());
    writer.WriteFieldBegin(bond::BT_LIST, id, no_metadata);
    writer.WriteContainerBegin(size, bond::BT_INT8);
    writer.Write(bond::blob(bytes.data(), size));
    writer.WriteContainerEnd();
    writer.WriteFieldEnd();
}

template <typename Writer>
void WriteWStringField(Writer& writer, uint16_t id, const std::wstring& text)
{
    if (Writer::may_omit_fields && text.empty()) {
        return;
    }
    writer.WriteFieldBegin(bond::BT_WSTRING, id, no_metadata);
    writer.Write(text);
    writer.WriteFieldEnd();
}

template <typename Writer>
void WriteInt32Field(Writer& writer, uint16_t id, int32_t value)
{
    if (Writer::may_omit_fields && value == 0) {
        return;
    }
    writer.WriteFieldBegin(bond::BT_INT32, id, no_metadata);
    writer.Write(value);
    writer.WriteFieldEnd();
}

template <typename Writer, typename Element>
void WriteStructListField(Writer& writer, uint16_t id, const std::vector<Element>& elements)
{
    if (Writer::may_omit_fields && elements.empty()) {
        return;
    }
    writer.WriteFieldBegin(bond::BT_LIST, id, no_metadata);
    writer.WriteContainerBegin(static_cast<uint32_t>(elements.size()), bond::BT_STRUCT);
    for (const Element& element : elements) {
        WriteStruct(writer, element);
    }
    writer.WriteContainerEnd();
    writer.WriteFieldEnd();
}

template <typename Writer>
void WriteStruct(Writer& writer, const CertMapping& value)
{
    writer.WriteStructBegin(no_metadata);
    WriteWStringField(writer, 0, value.source_location);
    WriteBlobField(writer, 1, value.cert_hash);
    WriteInt32Field(writer, 2, value.version);
    WriteBlobField(writer, 3, value.previous_cert_hash);
    writer.WriteStructEnd();
}

template <typename Writer>
void WriteStruct(Writer& writer, const SupportingCert& value)
{
    writer.WriteStructBegin(no_metadata);
    WriteInt32Field(writer, 0, value.type);
    WriteBlobField(writer, 1, value.data);
    WriteWStringField(writer, 2, value.destination_store_name);
    writer.WriteStructEnd();
}

template <typename Writer>
void WriteStruct(Writer& writer, const ManagedCertificatesPackage& value)
{
    writer.WriteStructBegin(no_metadata);
    WriteBlobField(writer, 0, value.certs_data);
    WriteStructListField(writer, 1, value.cert_mappings);
    WriteBlobField(writer, 2, value.identity_cert_hash);
    writer.WriteStructEnd();
}

template <typename Writer>
void WriteStruct(Writer& writer, const SecretsPackage& value)
{
    writer.WriteStructBegin(no_metadata);
    WriteBlobField(writer, 0, value.unmanaged_certs_data);
    writer.WriteFieldBegin(bond::BT_STRUCT, 1, no_metadata);
    WriteStruct(writer, value.managed_certs_package);
    writer.WriteFieldEnd();
    WriteBlobField(writer, 2, value.secure_blob_content);
    WriteWStringField(writer, 3, value.secure_blob_etag);
    WriteStructListField(writer, 4, value.intermediate_certs);
    WriteStructListField(writer, 5, value.supporting_certs);
    writer.WriteStructEnd();
}

template <typename Writer>
void WriteRecord(Writer& writer, const Record& record)
{
    std::visit([&](const auto& value) { WriteStruct(writer, value); }, record);
}

inline CertMapping FullCertMapping()
{
    return {L"Caf\u00e9 \u4e2d", testing_support::FromHex("01020304"), -5, testing_support::FromHex("aabb")};
}

inline CertMapping FullCertMapping2()
{
    return {L"\u00fc", testing_support::FromHex("05"), 300, {}};
}

inline ManagedCertificatesPackage FullManagedCertificatesPackage()
{
    return {testing_support::FromHex("3082010a"),
            {FullCertMapping(), FullCertMapping2()},
            testing_support::FromHex("deadbeef")};
}

}  // namespace sample
