// Property: whatever the selector and bytes, Deserialize into a SecretsPackage decodes or throws a std::exception.
// The selector is the first byte; its value modulo 5 picks Compact Binary v1, v2, Fast Binary, Simple Binary v1, v2.
// The rest is the payload, read against the record's compile-time schema.
#include "fuzz_support.h"

#include "secrets_package_apply.h"

#include <exception>

using Trel::Security::Vaskor::SecretsPackage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::vector<char> bytes = certpluck_fuzz::ExactCopy(data + 1, size - 1);
    certpluck_fuzz::WithProtocol(data[0], [&](auto protocol) {
        using Reader = typename decltype(protocol)::reader;
        SecretsPackage package;
        try {
            bond::Deserialize(Reader(bond::InputBuffer(certpluck_fuzz::View(bytes)), protocol.version), package);
        } catch (const std::exception&) {
        }
    });
    return 0;
}
