// make_secrets_package: the other direction of certpluck. It reads a DER PKCS#7
// certificate bundle and writes a secrets package that holds it as
// UnmanagedCertsData: one SecretsPackage record in Compact Binary version 1,
// with no marshaling header, as certpluck reads it.
//
//     make_secrets_package certs.p7b > secrets.package
//
// Built against an installed certpluck: the bond runtime writes the record,
// the schema module supplies its layout.
#include <bond/core/bond.h>
#include <secrets_package_apply.h>

#include <cstdint>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<char> ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot open " + path);
    }
    std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        throw std::runtime_error("cannot read " + path);
    }
    return bytes;
}

// The bytes of a package holding `certificates`, which it refers to rather than
// copies while it is written.
bond::blob MakePackage(const std::vector<char>& certificates)
{
    // A blob's length, and so the field's, is 32 bits wide.
    if (certificates.size() > std::numeric_limits<uint32_t>::max()) {
        throw std::length_error("the bundle is larger than a secrets package can hold");
    }
    Trel::Security::Vaskor::SecretsPackage package;
    package.UnmanagedCertsData = bond::blob(certificates.data(), static_cast<uint32_t>(certificates.size()));
    bond::OutputBuffer output;
    bond::CompactBinaryWriter<bond::OutputBuffer> writer(output);
    bond::Serialize(package, writer);
    return output.GetBuffer();
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::cerr << "Usage: make_secrets_package CERTS.p7b > PACKAGE\n";
        return 2;
    }
    try {
        const bond::blob package = MakePackage(ReadFile(argv[1]));
        std::cout.write(package.content(), package.size());
        // A full disk or a closed pipe shows only once the stream is flushed.
        if (!std::cout.flush()) {
            throw std::runtime_error("cannot write standard output");
        }
    } catch (const std::exception& failure) {
        std::cerr << "make_secrets_package: " << failure.what() << '\n';
        return 1;
    }
    return 0;
}
