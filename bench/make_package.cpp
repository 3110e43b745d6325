// Writes benchmark inputs for certpluck: secrets packages in Compact Binary
// version 1, plus the certificate bytes the tool is expected to write for each.
//
// The encoder is written here on purpose rather than borrowed from the
// project: a misreading of the format shared by tool and generator would let
// a wrong tool pass the benchmark's output check.

#include "deterministic_random.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

[[noreturn]] void Die(const std::string& message)
{
    std::fprintf(stderr, "make_package: %s\n", message.c_str());
    std::exit(1);
}

// Buffers so that the byte-at-a-time encoding stays cheap. Without a path it
// only counts, which lets the heavy package size its lists before writing.
// Any write error is fatal: a truncated input would quietly benchmark the
// tool's error path instead of its decoder.
class Sink {
public:
    explicit Sink(const char* path = nullptr)
    {
        if (path == nullptr)
            return;
        _path = path;
        _file = std::fopen(path, "wb");
        if (_file == nullptr)
            Die("cannot create " + _path);
        _buffer.reserve(buffer_bytes);
    }
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;
    ~Sink()
    {
        if (_file != nullptr)
            std::fclose(_file);
    }

    void Byte(std::uint8_t b)
    {
        ++_written;
        if (_file == nullptr)
            return;
        _buffer.push_back(b);
        if (_buffer.size() >= buffer_bytes)
            Flush();
    }

    void Bytes(std::span<const std::uint8_t> data)
    {
        _written += data.size();
        if (_file == nullptr)
            return;
        if (_buffer.size() + data.size() < buffer_bytes) {
            _buffer.insert(_buffer.end(), data.begin(), data.end());
            return;
        }
        Flush();
        Write(data.data(), data.size());
    }

    void Close()
    {
        if (_file == nullptr)
            return;
        Flush();
        const int rc = std::fclose(_file);
        _file = nullptr;
        if (rc != 0)
            Die("cannot finish writing " + _path);
    }

    std::uint64_t Written() const { return _written; }

private:
    static constexpr std::size_t buffer_bytes = std::size_t{1} << 20;

    void Flush()
    {
        Write(_buffer.data(), _buffer.size());
        _buffer.clear();
    }

    void Write(const std::uint8_t* data, std::size_t size)
    {
        if (size != 0 && std::fwrite(data, 1, size, _file) != size)
            Die("cannot write " + _path);
    }

    std::string _path;
    std::FILE* _file = nullptr;
    std::vector<std::uint8_t> _buffer;
    std::uint64_t _written = 0;
};

enum WireType : std::uint8_t { wire_struct = 10, wire_list = 11, wire_int8 = 14, wire_int32 = 16, wire_wstring = 18 };

class Encoder {
public:
    explicit Encoder(Sink& sink) : _sink(sink) {}

    void Varint(std::uint64_t v)
    {
        while (v >= 0x80) {
            _sink.Byte(static_cast<std::uint8_t>(v | 0x80));
            v >>= 7;
        }
        _sink.Byte(static_cast<std::uint8_t>(v));
    }

    // Every field of this schema has an id of at most 5, so the one-byte header
    // form is the only one the benchmark ever needs.
    void Field(unsigned id, WireType type) { _sink.Byte(static_cast<std::uint8_t>((id << 5) | type)); }

    void BlobHeader(unsigned id, std::uint64_t size)
    {
        Field(id, wire_list);
        _sink.Byte(wire_int8);
        Varint(size);
    }

    void Blob(unsigned id, std::span<const std::uint8_t> data)
    {
        BlobHeader(id, data.size());
        _sink.Bytes(data);
    }

    void WString(unsigned id, std::u16string_view text)
    {
        Field(id, wire_wstring);
        Varint(text.size());
        for (const char16_t unit : text) {
            _sink.Byte(static_cast<std::uint8_t>(unit & 0xFF));
            _sink.Byte(static_cast<std::uint8_t>(unit >> 8));
        }
    }

    void Int32(unsigned id, std::int32_t v)
    {
        const auto u = static_cast<std::uint32_t>(v);
        Field(id, wire_int32);
        Varint((u << 1) ^ static_cast<std::uint32_t>(v >> 31));
    }

    void StructList(unsigned id, std::uint64_t count)
    {
        Field(id, wire_list);
        _sink.Byte(wire_struct);
        Varint(count);
    }

    void End() { _sink.Byte(0); }

private:
    Sink& _sink;
};

std::uint64_t ParseSize(const char* text)
{
    std::uint64_t value = 0;
    const char* end = text + std::strlen(text);
    const auto [ptr, ec] = std::from_chars(text, end, value);
    if (ec != std::errc() || ptr != end)
        Die(std::string("not a byte count: ") + text);
    return value;
}

// Streams the payload in fixed chunks so a 1 GiB package costs 1 MiB of RAM.
void WriteCertPackage(std::uint64_t size, const char* out_path, const char* expected_path)
{
    Sink package(out_path);
    Sink expected(expected_path);
    Encoder enc(package);
    Rng rng(0xC3E7'0001);

    enc.BlobHeader(0, size);
    std::vector<std::uint8_t> chunk(std::size_t{1} << 20);
    for (std::uint64_t left = size; left != 0;) {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(left, chunk.size()));
        const std::span<std::uint8_t> part(chunk.data(), n);
        rng.Fill(part);
        package.Bytes(part);
        expected.Bytes(part);
        left -= n;
    }
    enc.Field(1, wire_struct);
    enc.End();
    enc.End();

    package.Close();
    expected.Close();
    std::fprintf(stderr, "cert: %llu bytes, certificate field %llu bytes\n",
                 static_cast<unsigned long long>(package.Written()), static_cast<unsigned long long>(size));
}

// Strings mix ASCII with Latin-1, Cyrillic, CJK and a character outside the
// BMP (a surrogate pair), because a decoder that special-cases narrow or
// single-unit text would otherwise look faster than it is.
constexpr std::array<std::u16string_view, 5> locations = {
    u"LocalMachine/My/Zertifikatsspeicher-\u00DCbersicht",
    u"CurrentUser/\u8A3C\u660E\u66F8/\u30B9\u30C8\u30A2",
    u"LocalMachine/\u0441\u0435\u0440\u0442\u0438\u0444\u0438\u043A\u0430\u0442\u044B",
    u"KeyVault/\U0001F512-secrets/caf\u00E9",
    u"https://vault.example/certificates/r\u00E9seau-interne",
};

constexpr std::array<std::u16string_view, 7> stores = {
    u"My",
    u"Root",
    u"CA",
    u"TrustedPeople",
    u"Zwischenzertifizierungsstellen-\u00C4",
    u"\u4E2D\u95F4\u8BC1\u4E66",
    u"\u0414\u043E\u0432\u0435\u0440\u0435\u043D\u043D\u044B\u0435-\U0001F510",
};

std::u16string SourceLocation(Rng& rng, std::uint64_t index)
{
    std::u16string text(locations[rng.Below(locations.size())]);
    // Occasional long paths push the length prefix past one varint byte.
    const int repeats = rng.Below(16) == 0 ? 4 : 0;
    for (int i = 0; i < repeats; ++i)
        text += locations[rng.Below(locations.size())];
    text += u'/';
    for (const char c : std::to_string(index))
        text += static_cast<char16_t>(c);
    return text;
}

std::int32_t Version(Rng& rng)
{
    static constexpr std::array<std::int32_t, 4> edges = {std::numeric_limits<std::int32_t>::min(), -1, 0,
                                                          std::numeric_limits<std::int32_t>::max()};
    const std::uint32_t pick = rng.Below(64);
    if (pick < edges.size())
        return edges[pick];
    if (pick < 24)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(rng.Next()));
    return static_cast<std::int32_t>(1 + rng.Below(100));
}

void WriteCertMapping(Encoder& enc, Rng& rng, std::uint64_t index)
{
    std::array<std::uint8_t, 32> hash{};
    enc.WString(0, SourceLocation(rng, index));
    rng.Fill(hash);
    enc.Blob(1, hash);
    enc.Int32(2, Version(rng));
    rng.Fill(hash);
    enc.Blob(3, hash);
    enc.End();
}

void WriteSupportingCert(Encoder& enc, Rng& rng)
{
    std::array<std::uint8_t, 448> data{};
    const std::size_t size = 64 + rng.Below(data.size() - 64 + 1);
    enc.Int32(0, static_cast<std::int32_t>(rng.Below(4)));
    rng.Fill(std::span(data.data(), size));
    enc.Blob(1, std::span(data.data(), size));
    enc.WString(2, stores[rng.Below(stores.size())]);
    enc.End();
}

// Average encoded size of an element, from a sample written to a counting
// sink, so the list counts can be chosen before the list headers go out.
template <typename WriteOne>
double AverageSize(WriteOne write_one)
{
    constexpr int samples = 4096;
    Sink counter;
    Encoder enc(counter);
    Rng rng(0x5A3B'1E00);
    for (int i = 0; i < samples; ++i)
        write_one(enc, rng, static_cast<std::uint64_t>(i));
    return static_cast<double>(counter.Written()) / samples;
}

void WriteHeavyPackage(std::uint64_t target, const char* out_path, const char* expected_path)
{
    constexpr std::size_t cert_bytes = 16 * 1024;
    const double mapping_size = AverageSize([](Encoder& e, Rng& r, std::uint64_t i) { WriteCertMapping(e, r, i); });
    const double supporting_size = AverageSize([](Encoder& e, Rng& r, std::uint64_t) { WriteSupportingCert(e, r); });
    // Split the budget 40/30/30 between the three lists, so both element kinds
    // number in the hundreds of thousands at 100 MB.
    const auto budget = static_cast<double>(target > cert_bytes ? target - cert_bytes : 0);
    const auto mappings = static_cast<std::uint64_t>(budget * 0.4 / mapping_size);
    const auto intermediates = static_cast<std::uint64_t>(budget * 0.3 / supporting_size);
    const auto supporting = intermediates;

    Sink package(out_path);
    Encoder enc(package);
    Rng rng(0xC3E7'0002);

    std::vector<std::uint8_t> bytes(cert_bytes);
    rng.Fill(bytes);
    enc.Blob(0, bytes);
    if (expected_path != nullptr) {
        Sink expected(expected_path);
        expected.Bytes(bytes);
        expected.Close();
    }

    enc.Field(1, wire_struct);
    rng.Fill(std::span(bytes.data(), 4096));
    enc.Blob(0, std::span(bytes.data(), 4096));
    enc.StructList(1, mappings);
    for (std::uint64_t i = 0; i < mappings; ++i)
        WriteCertMapping(enc, rng, i);
    rng.Fill(std::span(bytes.data(), 32));
    enc.Blob(2, std::span(bytes.data(), 32));
    enc.End();

    rng.Fill(std::span(bytes.data(), 1024));
    enc.Blob(2, std::span(bytes.data(), 1024));
    enc.WString(3, u"\"0x8D9C\u00E9-\U0001F511\"");
    enc.StructList(4, intermediates);
    for (std::uint64_t i = 0; i < intermediates; ++i)
        WriteSupportingCert(enc, rng);
    enc.StructList(5, supporting);
    for (std::uint64_t i = 0; i < supporting; ++i)
        WriteSupportingCert(enc, rng);
    enc.End();

    package.Close();
    std::fprintf(stderr,
                 "heavy: %llu bytes, %llu cert mappings, %llu + %llu supporting certs, "
                 "certificate field %zu bytes\n",
                 static_cast<unsigned long long>(package.Written()), static_cast<unsigned long long>(mappings),
                 static_cast<unsigned long long>(intermediates), static_cast<unsigned long long>(supporting),
                 cert_bytes);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: make_package cert SIZE_BYTES OUT [EXPECTED]\n"
                             "       make_package heavy TARGET_BYTES OUT [EXPECTED]\n"
                             "EXPECTED receives the bytes certpluck should write for OUT.\n");
        return 2;
    }
    const std::string_view mode = argv[1];
    const std::uint64_t size = ParseSize(argv[2]);
    const char* expected = argc == 5 ? argv[4] : nullptr;
    if (mode == "cert") {
        WriteCertPackage(size, argv[3], expected);
    } else if (mode == "heavy") {
        WriteHeavyPackage(size, argv[3], expected);
    } else {
        Die("unknown mode " + std::string(mode));
    }
    return 0;
}
