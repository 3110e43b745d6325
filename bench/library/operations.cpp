// The timed operations and their one-off check; see operations.h.
//
// Each serialization's bytes are compared with bytes from a different path:
// Compact Binary v1 with the benchmark's own encoder, the other protocols with
// the library's re-encoding of the Compact Binary v1 payload (so the record
// writers and the transcoder vouch for each other), and the marshaled form
// with a header written here in front of the v1 bytes. Every decoder then
// reads those bytes and must give back the generator's record.
#include "operations.h"

#include <bond/core/bond.h>
#include <bond/protocol/compact_binary.h>
#include <bond/protocol/fast_binary.h>
#include <bond/protocol/simple_binary.h>
#include <bond/stream/output_buffer.h>

#include "secrets_package_apply.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <utility>

namespace {

using Trel::Security::Vaskor::SecretsPackage;
using CompactReader = bond::CompactBinaryReader<bond::InputBuffer>;
using FastReader = bond::FastBinaryReader<bond::InputBuffer>;
using SimpleReader = bond::SimpleBinaryReader<bond::InputBuffer>;

const std::string kDecodeCompactV1 = "decode-cb1";
const std::string kDecodeCompactV2 = "decode-cb2";
const std::string kDecodeFast = "decode-fb";
const std::string kDecodeSimpleV1 = "decode-sb1";
const std::string kUnmarshalCompactV1 = "unmarshal-cb1";
const std::string kSerializeCompactV1 = "serialize-cb1";
const std::string kSerializeCompactV2 = "serialize-cb2";
const std::string kSerializeFast = "serialize-fb";
const std::string kSerializeSimpleV1 = "serialize-sb1";
const std::string kMarshalCompactV1 = "marshal-cb1";
const std::string kReencodeToFast = "reencode-cb1-fb";
const std::string kReencodeToCompactV2 = "reencode-cb1-cb2";

// Something from each top-level field of a decoded record, so that none of
// the decoding is dead.
std::size_t Footprint(const SecretsPackage& package)
{
    return package.UnmanagedCertsData.size() + package.ManagedCertsPackage.CertsData.size() +
           package.ManagedCertsPackage.CertMappings.size() + package.SecureBlobContent.size() +
           package.SecureBlobETag.size() + package.IntermediateCerts.size() + package.SupportingCerts.size();
}

template <typename Reader>
SecretsPackage Decoded(const bond::blob& bytes, std::uint16_t version)
{
    SecretsPackage package;
    bond::Deserialize(Reader(bond::InputBuffer(bytes), version), package);
    return package;
}

SecretsPackage Unmarshaled(const bond::blob& bytes)
{
    SecretsPackage package;
    bond::Unmarshal(bond::InputBuffer(bytes), package);
    return package;
}

// A fresh output buffer every time, as a caller encoding one message would use.
template <template <typename> class Writer, typename Value>
bond::blob Serialized(const Value& value, std::uint16_t version)
{
    bond::OutputBuffer output;
    Writer<bond::OutputBuffer> writer(output, version);
    bond::Serialize(value, writer);
    return output.GetBuffer();
}

bond::blob Marshaled(const SecretsPackage& package)
{
    bond::OutputBuffer output;
    bond::CompactBinaryWriter<bond::OutputBuffer> writer(output, 1);
    bond::Marshal(package, writer);
    return output.GetBuffer();
}

// The marshaling header of Compact Binary v1, the protocol's magic number and
// then its version, both 16-bit little-endian, in front of `payload`.
bond::blob WithCompactV1Header(const bond::blob& payload)
{
    static constexpr unsigned char kHeader[] = {0x43, 0x42, 0x01, 0x00};
    const auto size = static_cast<std::uint32_t>(sizeof kHeader + payload.size());
    std::shared_ptr<char[]> storage(new char[size]);
    std::memcpy(storage.get(), kHeader, sizeof kHeader);
    std::memcpy(storage.get() + sizeof kHeader, payload.content(), payload.size());
    return bond::blob(std::move(storage), size);
}

void ExpectSameBytes(const std::string& operation, const bond::blob& written, const std::string& reference_name,
                     const bond::blob& reference)
{
    if (written == reference) {
        return;
    }
    const auto difference = std::mismatch(written.begin(), written.end(), reference.begin(), reference.end());
    throw std::runtime_error(operation + " wrote " + std::to_string(written.size()) + " bytes that differ from the " +
                             std::to_string(reference.size()) + " bytes of " + reference_name + " from offset " +
                             std::to_string(difference.first - written.begin()));
}

void ExpectRecord(const std::string& operation, const SecretsPackage& decoded, const SecretsPackage& original)
{
    if (!(decoded == original)) {
        throw std::runtime_error(operation + " did not give back the record that was encoded");
    }
}

template <typename Make>
TimedOperation DecodeOperation(const std::string& name, const bond::blob& input, Make make)
{
    return {name, input.size(), [input, make] { return Footprint(make(input)); }};
}

template <typename Make>
TimedOperation EncodeOperation(const std::string& name, const bond::blob& output, Make make)
{
    return {name, output.size(), [make] { return static_cast<std::size_t>(make().size()); }};
}

}  // namespace

const std::vector<std::string>& OperationNames()
{
    static const std::vector<std::string> names{kDecodeCompactV1,    kDecodeCompactV2,    kDecodeFast,
                                                kDecodeSimpleV1,     kUnmarshalCompactV1, kSerializeCompactV1,
                                                kSerializeCompactV2, kSerializeFast,      kSerializeSimpleV1,
                                                kMarshalCompactV1,   kReencodeToFast,     kReencodeToCompactV2};
    return names;
}

std::vector<TimedOperation> PrepareOperations(const PackageShape& shape)
{
    const SecretsPackage& record = shape.record;
    const SecretsPackage* const package = &record;
    const bond::blob& compact_v1 = shape.compact_v1;

    const auto serialize_v1 = [package] { return Serialized<bond::CompactBinaryWriter>(*package, 1); };
    const auto serialize_v2 = [package] { return Serialized<bond::CompactBinaryWriter>(*package, 2); };
    const auto serialize_fast = [package] { return Serialized<bond::FastBinaryWriter>(*package, 1); };
    const auto serialize_simple = [package] { return Serialized<bond::SimpleBinaryWriter>(*package, 1); };
    const auto marshal = [package] { return Marshaled(*package); };

    // Held like a payload received undecoded: every re-encoding reads it from
    // its start again.
    const CompactReader payload_reader(bond::InputBuffer(compact_v1), 1);
    const auto payload = std::make_shared<const bond::bonded<SecretsPackage>>(payload_reader);
    const auto reencode_fast = [payload] { return Serialized<bond::FastBinaryWriter>(*payload, 1); };
    const auto reencode_v2 = [payload] { return Serialized<bond::CompactBinaryWriter>(*payload, 2); };

    const bond::blob written_v2 = serialize_v2();
    const bond::blob written_fast = serialize_fast();
    const bond::blob written_simple = serialize_simple();
    const bond::blob marshaled = marshal();
    ExpectSameBytes(kSerializeCompactV1, serialize_v1(), "the benchmark's own encoder", compact_v1);
    ExpectSameBytes(kSerializeCompactV2, written_v2, kReencodeToCompactV2, reencode_v2());
    ExpectSameBytes(kSerializeFast, written_fast, kReencodeToFast, reencode_fast());
    ExpectSameBytes(kSerializeSimpleV1, written_simple, "the v1 payload re-encoded to Simple Binary v1",
                    Serialized<bond::SimpleBinaryWriter>(*payload, 1));
    ExpectSameBytes(kMarshalCompactV1, marshaled, "a Compact Binary v1 header and the benchmark's own encoding",
                    WithCompactV1Header(compact_v1));

    const auto decode_v1 = [](const bond::blob& bytes) { return Decoded<CompactReader>(bytes, 1); };
    const auto decode_v2 = [](const bond::blob& bytes) { return Decoded<CompactReader>(bytes, 2); };
    const auto decode_fast = [](const bond::blob& bytes) { return Decoded<FastReader>(bytes, 1); };
    const auto decode_simple = [](const bond::blob& bytes) { return Decoded<SimpleReader>(bytes, 1); };
    ExpectRecord(kDecodeCompactV1, decode_v1(compact_v1), record);
    ExpectRecord(kDecodeCompactV2, decode_v2(written_v2), record);
    ExpectRecord(kDecodeFast, decode_fast(written_fast), record);
    ExpectRecord(kDecodeSimpleV1, decode_simple(written_simple), record);
    ExpectRecord(kUnmarshalCompactV1, Unmarshaled(marshaled), record);

    return {
        DecodeOperation(kDecodeCompactV1, compact_v1, decode_v1),
        DecodeOperation(kDecodeCompactV2, written_v2, decode_v2),
        DecodeOperation(kDecodeFast, written_fast, decode_fast),
        DecodeOperation(kDecodeSimpleV1, written_simple, decode_simple),
        DecodeOperation(kUnmarshalCompactV1, marshaled, Unmarshaled),
        EncodeOperation(kSerializeCompactV1, compact_v1, serialize_v1),
        EncodeOperation(kSerializeCompactV2, written_v2, serialize_v2),
        EncodeOperation(kSerializeFast, written_fast, serialize_fast),
        EncodeOperation(kSerializeSimpleV1, written_simple, serialize_simple),
        EncodeOperation(kMarshalCompactV1, marshaled, marshal),
        EncodeOperation(kReencodeToFast, written_fast, reencode_fast),
        EncodeOperation(kReencodeToCompactV2, written_v2, reencode_v2),
    };
}
