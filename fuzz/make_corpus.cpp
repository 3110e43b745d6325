// Writes the seed corpora of the fuzz targets from the records the tests are
// built on (tests/schema/sample_records.h), encoded by our own writers, whose
// output the reference vectors pin down. Run by fuzz/make_corpus.sh.
#include "fuzz_support.h"

#include "sample_records.h"
#include "secrets_package_apply.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

using Trel::Security::Vaskor::SecretsPackage;

namespace {

std::filesystem::path root;

void WriteSeed(const std::string& target, const std::string& name, const std::string& prefix, const bond::blob& bytes)
{
    const std::filesystem::path folder = root / target;
    std::filesystem::create_directories(folder);
    std::ofstream file(folder / name, std::ios::binary | std::ios::trunc);
    file.write(prefix.data(), static_cast<std::streamsize>(prefix.size()));
    file.write(bytes.data(), bytes.size());
    if (!file) {
        std::fprintf(stderr, "make_corpus: cannot write %s\n", (folder / name).c_str());
        std::exit(1);
    }
}

// Simple Binary of `package` with ManagedCertsPackage as a 32-bit byte count
// and a marshaled Compact Binary v2 payload: the layout that the
// nested-payload schema of the runtime_schema target describes.
bond::blob NestedPayload(const SecretsPackage& package, uint16_t version)
{
    using Compact = certpluck_fuzz::Protocol<bond::CompactBinaryReader, bond::CompactBinaryWriter>;
    const bond::blob nested = certpluck_fuzz::Encode(Compact{2, ""}, package.ManagedCertsPackage, true);
    bond::OutputBuffer output;
    bond::SimpleBinaryWriter<bond::OutputBuffer> writer(output, version);
    // Simple Binary fields are their values alone, so a Serializer's Field
    // writes one field's value wherever it is put.
    const bond::Serializer<decltype(writer)> serializer(writer);
    const bond::Metadata field;
    serializer.Field(0, field, package.UnmanagedCertsData);
    output.Write(nested.size());
    output.Write(nested);
    serializer.Field(2, field, package.SecureBlobContent);
    serializer.Field(3, field, package.SecureBlobETag);
    serializer.Field(4, field, package.IntermediateCerts);
    serializer.Field(5, field, package.SupportingCerts);
    return output.GetBuffer();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_corpus OUTPUT_FOLDER\n");
        return 2;
    }
    root = argv[1];
    const std::pair<const char*, SecretsPackage> packages[] = {
        {"default", SecretsPackage{}},
        {"full", testing_support::SecretsPackageFull()},
    };
    const char* const suffixes[] = {"cb1", "cb2", "fb", "sp1", "sp2"};
    for (const auto& named : packages) {
        const std::string base = named.first;
        const SecretsPackage& package = named.second;
        size_t index = 0;
        certpluck_fuzz::ForEachProtocol([&](auto protocol) {
            const std::string file = base + "." + suffixes[index];
            const std::string selector(1, static_cast<char>(index));
            WriteSeed("deserialize", file, selector, certpluck_fuzz::Encode(protocol, package, false));
            WriteSeed("runtime_schema", file, selector, certpluck_fuzz::Encode(protocol, package, false));
            WriteSeed("unmarshal", file, "", certpluck_fuzz::Encode(protocol, package, true));
            if (index == 0) {
                WriteSeed("extract", file, "", certpluck_fuzz::Encode(protocol, package, false));
                WriteSeed("round_trip", file, "", certpluck_fuzz::Encode(protocol, package, false));
            }
            ++index;
        });
        // Selectors 8 and 9: Simple Binary v1 and v2 with the nested payload.
        for (const uint16_t version : {uint16_t{1}, uint16_t{2}}) {
            const std::string selector(1, static_cast<char>(certpluck_fuzz::protocol_count + 2 + version));
            WriteSeed("runtime_schema", base + ".nested.sp" + std::to_string(version), selector,
                      NestedPayload(package, version));
        }
    }
    return 0;
}
