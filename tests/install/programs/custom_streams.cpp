// Streams of one's own, as the library's manual defines them: an input
// stream with Read for the arithmetic types, for raw bytes and for a blob,
// Skip and CanRead, and an output stream with the three Writes. Every
// protocol reads and writes through them what it does through the library's
// own buffers, and an input that ends early fails at the stream's end. Given a
// buffer magic, a reader over the input goes into a bonded<T>, which reads
// through a list of protocols that names it.
#include <bond/core/bond.h>
#include <bond/stream/output_buffer.h>
#include <secrets_package_apply.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>

// Reads from a string it shares with its copies, and with the blobs read from
// it, which keep it alive; a copy of the stream reads on from the same
// position independently, as readers need.
class StringInput {
public:
    explicit StringInput(std::string bytes) : _bytes(std::make_shared<const std::string>(std::move(bytes))) {}

    template <typename T>
        requires std::is_arithmetic_v<T>
    void Read(T& value)
    {
        Read(&value, sizeof(T));
    }

    void Read(void* buffer, uint32_t size)
    {
        Need(size);
        std::memcpy(buffer, _bytes->data() + _position, size);
        _position += size;
    }

    void Read(bond::blob& blob, uint32_t size)
    {
        Need(size);
        blob =
            bond::blob(std::shared_ptr<const char[]>(_bytes, _bytes->data()), static_cast<uint32_t>(_position), size);
        _position += size;
    }

    void Skip(uint32_t size)
    {
        Need(size);
        _position += size;
    }

    bool CanRead(uint32_t size) const { return size <= _bytes->size() - _position; }

private:
    void Need(uint32_t size) const
    {
        if (!CanRead(size)) {
            throw bond::StreamException("StringInput: " + std::to_string(size) + " bytes wanted at " +
                                        std::to_string(_position) + ", " + std::to_string(_bytes->size() - _position) +
                                        " left");
        }
    }

    std::shared_ptr<const std::string> _bytes;
    size_t _position = 0;
};

namespace bond {
BOND_DEFINE_BUFFER_MAGIC(StringInput, 0x5453 /*ST*/);
}

class StringOutput {
public:
    template <typename T>
        requires std::is_arithmetic_v<T>
    void Write(const T& value)
    {
        Write(&value, sizeof(T));
    }

    void Write(const void* value, uint32_t size) { _bytes.append(static_cast<const char*>(value), size); }
    void Write(const bond::blob& blob) { Write(blob.content(), blob.length()); }

    const std::string& Bytes() const { return _bytes; }

private:
    std::string _bytes;
};

using Trel::Security::Vaskor::SecretsPackage;

SecretsPackage Package()
{
    using namespace Trel::Security::Vaskor;
    SecretsPackage package;
    package.UnmanagedCertsData = bond::blob("bundle", 6);
    package.SecureBlobETag = L"\u00e9tag \U0001F512";
    SupportingCert cert;
    cert.Type = RawData;
    cert.Data = bond::blob("cert", 4);
    cert.DestinationStoreName = L"CA";
    package.IntermediateCerts.push_back(cert);
    return package;
}

template <template <typename> class Writer, template <typename> class Reader>
void RoundTrip(const char* name, uint16_t version)
{
    const SecretsPackage package = Package();
    StringOutput output;
    Writer<StringOutput> writer(output, version);
    bond::Serialize(package, writer);

    bond::OutputBuffer buffer;
    Writer<bond::OutputBuffer> buffer_writer(buffer, version);
    bond::Serialize(package, buffer_writer);
    const bond::blob expected = buffer.GetBuffer();
    const bool same = output.Bytes() == std::string(expected.content(), expected.size());

    SecretsPackage read_back;
    bond::Deserialize(Reader<StringInput>(StringInput(output.Bytes()), version), read_back);

    using OwnProtocols = bond::BuiltInProtocols::Append<Reader<StringInput>>;
    const bond::bonded<SecretsPackage> payload(Reader<StringInput>(StringInput(output.Bytes()), version));
    const bool held = payload.Deserialize<SecretsPackage, OwnProtocols>() == package;
    std::string unlisted = "none";
    try {
        payload.Deserialize();
    } catch (const bond::CoreException& e) {
        unlisted = e.what();
    }

    std::string cut = output.Bytes();
    cut.resize(cut.size() - 3);
    std::string failure = "none";
    try {
        SecretsPackage partial;
        bond::Deserialize(Reader<StringInput>(StringInput(cut), version), partial);
    } catch (const bond::StreamException& e) {
        failure = e.what();
    }
    std::printf("%s: %s the buffer's bytes, %s; cut short: %s\n", name, same ? "writes" : "does not write",
                read_back == package ? "reads back" : "reads another record", failure.c_str());
    std::printf("  in a bonded: %s through its list; through the built-in list: %s\n",
                held ? "reads back" : "reads another record", unlisted.c_str());
}

int main()
{
    RoundTrip<bond::CompactBinaryWriter, bond::CompactBinaryReader>("Compact Binary v1", bond::v1);
    RoundTrip<bond::CompactBinaryWriter, bond::CompactBinaryReader>("Compact Binary v2", bond::v2);
    RoundTrip<bond::FastBinaryWriter, bond::FastBinaryReader>("Fast Binary", bond::v1);
    RoundTrip<bond::SimpleBinaryWriter, bond::SimpleBinaryReader>("Simple Binary v1", bond::v1);
    RoundTrip<bond::SimpleBinaryWriter, bond::SimpleBinaryReader>("Simple Binary v2", bond::v2);
    return 0;
}
