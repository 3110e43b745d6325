// Property: Unmarshal of any bytes (header, then payload) into a SecretsPackage decodes or throws a std::exception.
#include "fuzz_support.h"

#include "secrets_package_apply.h"

#include <exception>

using Trel::Security::Vaskor::SecretsPackage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<char> bytes = certpluck_fuzz::ExactCopy(data, size);
    SecretsPackage package;
    try {
        bond::Unmarshal(bond::InputBuffer(certpluck_fuzz::View(bytes)), package);
    } catch (const std::exception&) {
    }
    return 0;
}
