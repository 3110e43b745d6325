#include "extract.h"

#include "secrets_package_apply.h"

#include <bond/core/bond.h>

namespace certpluck {

using Trel::Security::Vaskor::SecretsPackage;

void ExtractUnmanagedCerts(std::span<const char> input, std::span<const char>& output)
{
    SecretsPackage package;
    const bond::blob view(input.data(), static_cast<uint32_t>(input.size()));
    bond::CompactBinaryReader<bond::InputBuffer> reader{bond::InputBuffer(view)};
    Apply(bond::To<SecretsPackage>(package),
          bond::bonded<SecretsPackage, bond::CompactBinaryReader<bond::InputBuffer>&>(reader));
    const bond::blob& certs = package.UnmanagedCertsData;
    output = std::span<const char>(certs.content(), certs.size());
}

}  // namespace certpluck
