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

const std::string decode_compact_v1_name = "decode-cb1";
const std::string decode_compact_v2_name = "decode-cb2";
const std::string decode_fast_name = "decode-fb";
const std::string decode_simple_v1_name = "decode-sb1";
const std::string unmarshal_compact_v1_name = "unmarshal-cb1";
const std::string serialize_compact_v1_name = "serialize-cb1";
const std::string serialize_compact_v2_name = "serialize-cb2";
const std::string serialize_fast_name = "serialize-fb";
const std::string serialize_simple_v1_name = "serialize-sb1";
const std::string marshal_compact_v1_name = "marshal-cb1";
const std::string reencode_to_fast_name = "reencode-cb1-fb";
const std::string reencode_to_compact_v2_name = "reencode-cb1-cb2";

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
    static constexpr unsigned char header[] = {0x43, 0x42, 0x01, 0x00};
    const auto size = static_cast<std::uint32_t>(sizeof header + payload.size());
    std::shared_ptr<char[]> storage(new char[size]);
    std::memcpy(storage.get(), header, sizeof header);
    std::memcpy(storage.get() + sizeof header, payload.content(), payload.size());
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
    static const std::vector<std::string> names{
        decode_compact_v1_name,    decode_compact_v2_name,    decode_fast_name,          decode_simple_v1_name,
        unmarshal_compact_v1_name, serialize_compact_v1_name, serialize_compact_v2_name, serialize_fast_name,
        serialize_simple_v1_name,  marshal_compact_v1_name,   reencode_to_fast_name,     reencode_to_compact_v2_name};
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
    ExpectSameBytes(serialize_compact_v1_name, serialize_v1(), "the benchmark's own encoder", compact_v1);
    ExpectSameBytes(serialize_compact_v2_name, written_v2, reencode_to_compact_v2_name, reencode_v2());
    ExpectSameBytes(serialize_fast_name, written_fast, reencode_to_fast_name, reencode_fast());
    ExpectSameBytes(serialize_simple_v1_name, written_simple, "the v1 payload re-encoded to Simple Binary v1",
                    Serialized<bond::SimpleBinaryWriter>(*payload, 1));
    ExpectSameBytes(marshal_compact_v1_name, marshaled, "a Compact Binary v1 header and the benchmark's own encoding",
                    WithCompactV1Header(compact_v1));

    const auto decode_v1 = [](const bond::blob& bytes) { return Decoded<CompactReader>(bytes, 1); };
    const auto decode_v2 = [](const bond::blob& bytes) { return Decoded<CompactReader>(bytes, 2); };
    const auto decode_fast = [](const bond::blob& bytes) { return Decoded<FastReader>(bytes, 1); };
    const auto decode_simple = [](const bond::blob& bytes) { return Decoded<SimpleReader>(bytes, 1); };
    ExpectRecord(decode_compact_v1_name, decode_v1(compact_v1), record);
    ExpectRecord(decode_compact_v2_name, decode_v2(written_v2), record);
    ExpectRecord(decode_fast_name, decode_fast(written_fast), record);
    ExpectRecord(decode_simple_v1_name, decode_simple(written_simple), record);
    ExpectRecord(unmarshal_compact_v1_name, Unmarshaled(marshaled), record);

    return {
        DecodeOperation(decode_compact_v1_name, compact_v1, decode_v1),
        DecodeOperation(decode_compact_v2_name, written_v2, decode_v2),
        DecodeOperation(decode_fast_name, written_fast, decode_fast),
        DecodeOperation(decode_simple_v1_name, written_simple, decode_simple),
        DecodeOperation(unmarshal_compact_v1_name, marshaled, Unmarshaled),
        EncodeOperation(serialize_compact_v1_name, compact_v1, serialize_v1),
        EncodeOperation(serialize_compact_v2_name, written_v2, serialize_v2),
        EncodeOperation(serialize_fast_name, written_fast, serialize_fast),
        EncodeOperation(serialize_simple_v1_name, written_simple, serialize_simple),
        EncodeOperation(marshal_compact_v1_name, marshaled, marshal),
        EncodeOperation(reencode_to_fast_name, written_fast, reencode_fast),
        EncodeOperation(reencode_to_compact_v2_name, written_v2, reencode_v2),
    };
}
