// A fully populated package through every writer and back through the matching
// reader, and what happens to payloads that are cut short anywhere.
#include "secrets_package_apply.h"

#include "hex.h"
#include "sample_records.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace Trel::Security::Vaskor;
using testing_support::MessageOf;

template <typename Writer, typename Reader>
struct Protocol {
    using writer = Writer;
    using reader = Reader;
    uint16_t version;
};

template <typename Writer, typename Value>
std::vector<char> Encode(const Value& value, uint16_t version)
{
    bond::OutputBuffer output;
    Writer writer(output, version);
    bond::Serialize(value, writer);
    const bond::blob bytes = output.GetBuffer();
    return std::vector<char>(bytes.begin(), bytes.end());
}

template <typename Reader, typename T>
void Decode(const std::vector<char>& bytes, uint16_t version, T& value)
{
    bond::Deserialize(Reader(bond::InputBuffer(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size()))), version),
                      value);
}

template <typename Check>
void ForEachProtocol(Check&& check)
{
    using namespace bond;
    check(Protocol<CompactBinaryWriter<OutputBuffer>, CompactBinaryReader<InputBuffer>>{1}, "Compact v1");
    check(Protocol<CompactBinaryWriter<OutputBuffer>, CompactBinaryReader<InputBuffer>>{2}, "Compact v2");
    check(Protocol<FastBinaryWriter<OutputBuffer>, FastBinaryReader<InputBuffer>>{1}, "Fast");
    check(Protocol<SimpleBinaryWriter<OutputBuffer>, SimpleBinaryReader<InputBuffer>>{1}, "Simple v1");
    check(Protocol<SimpleBinaryWriter<OutputBuffer>, SimpleBinaryReader<InputBuffer>>{2}, "Simple v2");
}

TEST(RoundTrip, EveryProtocolGivesBackTheRecord)
{
    const SecretsPackage original = testing_support::SecretsPackageFull();
    ForEachProtocol([&](auto protocol, const char* name) {
        using P = decltype(protocol);
        const std::vector<char> bytes = Encode<typename P::writer>(original, protocol.version);
        SecretsPackage decoded;
        Decode<typename P::reader>(bytes, protocol.version, decoded);
        EXPECT_EQ(decoded, original) << name;
        EXPECT_EQ(decoded.SecureBlobETag.back(), L'"') << name;
        EXPECT_EQ(static_cast<int32_t>(decoded.IntermediateCerts[1].Type), 7) << name;
    });
}

// Every proper prefix of a valid encoding fails with the out-of-bounds error.
TEST(RoundTrip, EveryCutFailsCleanly)
{
    const SecretsPackage original = testing_support::SecretsPackageFull();
    ForEachProtocol([&](auto protocol, const char* name) {
        using P = decltype(protocol);
        const std::vector<char> bytes = Encode<typename P::writer>(original, protocol.version);
        for (size_t length = 0; length < bytes.size(); ++length) {
            const std::vector<char> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
            SecretsPackage decoded;
            const std::string message = MessageOf([&] { Decode<typename P::reader>(cut, protocol.version, decoded); });
            EXPECT_EQ(message.rfind("Read out of bounds: ", 0), 0u) << name << " cut at " << length << ": " << message;
        }
    });
}

TEST(RoundTrip, MarshaledPackagesUnmarshalWhateverTheProtocol)
{
    const SecretsPackage original = testing_support::SecretsPackageFull();
    ForEachProtocol([&](auto protocol, const char* name) {
        using P = decltype(protocol);
        bond::OutputBuffer output;
        typename P::writer writer(output, protocol.version);
        bond::Marshal(original, writer);
        SecretsPackage decoded;
        bond::Unmarshal(bond::InputBuffer(output.GetBuffer()), decoded);
        EXPECT_EQ(decoded, original) << name;
    });
}

}  // namespace
