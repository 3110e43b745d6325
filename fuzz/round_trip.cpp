// Property: a SecretsPackage decoded from the input comes back equal through every writer and its reader.
// The input is read as Compact Binary v1; when it decodes, the record goes through Serialize/Deserialize and
// Marshal/Unmarshal with every protocol, and its canonical payload is transcoded to every writer and read back.
// Transcoding the raw input, whether it decodes or not, may throw nothing but a std::exception.
#include "fuzz_support.h"

#include "secrets_package_apply.h"

#include <exception>

using Trel::Security::Vaskor::SecretsPackage;

namespace {

using certpluck_fuzz::Encode;

using CompactPayload = bond::bonded<SecretsPackage, bond::CompactBinaryReader<bond::InputBuffer>&>;

template <typename Protocol>
SecretsPackage Decode(const Protocol& protocol, const bond::blob& bytes, bool marshaled)
{
    SecretsPackage decoded;
    if (marshaled) {
        bond::Unmarshal(bond::InputBuffer(bytes), decoded);
    } else {
        bond::Deserialize(typename Protocol::reader(bond::InputBuffer(bytes), protocol.version), decoded);
    }
    return decoded;
}

void CheckRecordRoundTrips(const SecretsPackage& original)
{
    certpluck_fuzz::ForEachProtocol([&](auto protocol) {
        for (const bool marshal : {false, true}) {
            const bond::blob encoded = Encode(protocol, original, marshal);
            if (Decode(protocol, encoded, marshal) != original) {
                certpluck_fuzz::Fail(marshal ? "Marshal then Unmarshal changed the record"
                                             : "Serialize then Deserialize changed the record");
            }
        }
    });
}

// Only the canonical encoding is held to equality: an over-long varint in an
// unknown field is framed differently by a skip and by a typed copy, exactly
// as in the reference library.
void CheckPayloadTranscodes(const SecretsPackage& original)
{
    const certpluck_fuzz::Protocol<bond::CompactBinaryReader, bond::CompactBinaryWriter> compact{1, "Compact v1"};
    const bond::blob canonical = Encode(compact, original, false);
    certpluck_fuzz::ForEachProtocol([&](auto protocol) {
        bond::CompactBinaryReader<bond::InputBuffer> reader{bond::InputBuffer(canonical)};
        const bond::blob transcoded = Encode(protocol, CompactPayload(reader), false);
        if (Decode(protocol, transcoded, false) != original) {
            certpluck_fuzz::Fail("transcoding the canonical payload changed the record");
        }
    });
}

void TranscodeRawInput(const bond::blob& input)
{
    certpluck_fuzz::ForEachProtocol([&](auto protocol) {
        bond::CompactBinaryReader<bond::InputBuffer> reader{bond::InputBuffer(input)};
        try {
            Encode(protocol, CompactPayload(reader), false);
        } catch (const std::exception&) {
        }
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<char> bytes = certpluck_fuzz::ExactCopy(data, size);
    const bond::blob input = certpluck_fuzz::View(bytes);
    TranscodeRawInput(input);
    SecretsPackage original;
    try {
        bond::Deserialize(bond::CompactBinaryReader<bond::InputBuffer>(bond::InputBuffer(input)), original);
    } catch (const std::exception&) {
        return 0;
    }
    CheckRecordRoundTrips(original);
    CheckPayloadTranscodes(original);
    return 0;
}
